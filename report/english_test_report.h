// The English pile test report: the English template completed with the
// project data, the pile table and the conclusion from the pile statistics.
#pragma once

#include "pile_statistics.h"
#include "report_inputs.h"
#include "word_document.h"

#include <string>

namespace tarvel::scrivet {

// The conclusion paragraph; values that cannot be computed read "--".
std::string pileConclusion(const PileStatistics& statistics);

// With the inputs' lab on the cover and in the signature block. Throws
// std::runtime_error when the template lacks a label, the project table, a
// bookmark or the signature block the report fills.
WordDocument buildPileTestReport(ZipEntries templatePackage, const ProjectInfo& project,
                                 const AreaFileList& areas, const ReportInputs& inputs);

} // namespace tarvel::scrivet
