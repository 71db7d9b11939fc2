// The columns of the point tables, as keys of the result-field tables: the reports'
// Word tables and workbook and the desktop's result list all read this one
// list, so a new column is one key added here. Titles, units and decimals
// come from the fields themselves.
#pragma once

#include "result_fields.h"

#include <cstddef>
#include <iterator>
#include <string_view>
#include <vector>

namespace tarvel {

// After the point number, in column order.
inline constexpr const char* kPointTableColumns[] = {
    "deformationModulus", "resilientModulus", "deflection",      "k30", "cbr",
    "dryDensity",         "compactionDegree", "relativeDensity",
};
inline constexpr std::size_t kPointTableColumnCount = std::size(kPointTableColumns);

// The whole-pulse fit's moduli, after the point table's columns where a
// table has room for them (the workbook, the desktop's result list).
inline constexpr const char* kFittedColumns[] = {"fitDeformationModulus", "fitResilientModulus"};
inline constexpr std::size_t kFittedColumnCount = std::size(kFittedColumns);

// The field named by `key`, of the twelve or of the fit's; throws
// std::out_of_range for a key no field has.
const ResultField& resultField(std::string_view key);

// The fields of the point table's columns, in order.
const std::vector<const ResultField*>& pointTableFields();

// The fields of kFittedColumns, in order.
const std::vector<const ResultField*>& fittedColumnFields();

} // namespace tarvel
