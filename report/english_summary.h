// The English pile summary workbook: "Summary Table" (one row per included
// pile) and "Project Information" (the project and the pile statistics).
#pragma once

#include "spreadsheet.h"

#include "data/area_file.h"
#include "data/project_info.h"

namespace tarvel::scrivet {

inline constexpr const char* kPileSummarySheetName = "Summary Table";
inline constexpr const char* kPileProjectSheetName = "Project Information";

Workbook buildPileSummaryWorkbook(const ProjectInfo& project, const AreaFileList& areas);

} // namespace tarvel::scrivet
