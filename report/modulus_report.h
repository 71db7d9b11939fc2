// The test report ("检测报告"): the template completed with the project
// data, one area table and one point table per area, and the distribution
// maps.
#pragma once

#include "word_document.h"

#include "data/acceptance_file.h"
#include "data/area_file.h"
#include "data/project_info.h"

#include <string>

namespace tarvel::scrivet {

// Each area is judged against `criteria`, or against nothing when it is null.
// `templatePackage` holds the parts of the report template. The map of area
// i is "<pictureDir>/dengzhi<i>.png"; areas without one get none. Throws
// std::runtime_error when the template lacks a paragraph or table the
// report fills, or a map cannot be read.
WordDocument buildModulusReport(ZipEntries templatePackage, const ProjectInfo& project,
                                const AreaFileList& areas, const std::string& pictureDir,
                                const AcceptanceCriteria* criteria);

} // namespace tarvel::scrivet
