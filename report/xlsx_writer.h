// Writes a Workbook as an .xlsx file.
#pragma once

#include "spreadsheet.h"

#include <string>

namespace tarvel::scrivet {

// Writes the workbook beside `path` and renames it over it. Throws
// std::runtime_error with the reason.
void writeXlsx(const Workbook& workbook, const std::string& path);

} // namespace tarvel::scrivet
