// The English pile summary workbook: "Summary Table" (one row per included
// pile) and "Project Information" (the project and the pile statistics).
#pragma once

#include "report_inputs.h"
#include "spreadsheet.h"

namespace tarvel::scrivet {

inline constexpr const char* kPileSummarySheetName = "Summary Table";
inline constexpr const char* kPileProjectSheetName = "Project Information";

// The inputs give the lab, printed on the project sheet.
Workbook buildPileSummaryWorkbook(const ProjectInfo& project, const AreaFileList& areas,
                                  const ReportInputs& inputs);

} // namespace tarvel::scrivet
