// The English pile test report: the English template completed with the
// project data, the pile table and the conclusion from the pile statistics.
#pragma once

#include "pile_statistics.h"
#include "word_document.h"

#include "data/area_file.h"
#include "data/project_info.h"

#include <string>

namespace tarvel::scrivet {

// The conclusion paragraph, word for word; values that cannot be computed
// read "--".
std::string pileConclusion(const PileStatistics& statistics);

// Throws std::runtime_error when the template lacks a label, the project
// table or a bookmark the report fills.
WordDocument buildPileTestReport(ZipEntries templatePackage, const ProjectInfo& project,
                                 const AreaFileList& areas);

} // namespace tarvel::scrivet
