// The summary workbook: one block per measurement area under one row of
// column titles, and a sheet of the project's information.
#pragma once

#include "report_inputs.h"
#include "spreadsheet.h"

namespace tarvel::scrivet {

// The summary sheet ("汇总表") first, the project sheet ("工程信息") second;
// in English "Summary" and "Project Information". Each area is judged
// against the inputs' criteria.
Workbook buildSummaryWorkbook(const ProjectInfo& project, const AreaFileList& areas,
                              const ReportInputs& inputs);

// The printed pages' footer: the page of the pages and the report number.
std::string pageFooter(const ProjectInfo& project, const ReportTexts& texts);

} // namespace tarvel::scrivet
