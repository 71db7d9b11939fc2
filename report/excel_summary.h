// The summary workbook: a project sheet and one block per measurement area.
#pragma once

#include "spreadsheet.h"

#include "data/acceptance_file.h"
#include "data/area_file.h"
#include "data/project_info.h"

namespace tarvel::scrivet {

inline constexpr const char* kSummarySheetName = "汇总表";
inline constexpr const char* kProjectSheetName = "工程信息";

// "汇总表" first, "工程信息" second. Each area is judged against `criteria`,
// or against nothing when it is null.
Workbook buildSummaryWorkbook(const ProjectInfo& project, const AreaFileList& areas,
                              const AcceptanceCriteria* criteria);

} // namespace tarvel::scrivet
