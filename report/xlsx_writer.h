// Writes a Workbook as an .xlsx file.
#pragma once

#include "spreadsheet.h"

#include <string>

namespace tarvel::scrivet {

// Returns an empty string when the file was written, otherwise the reason.
std::string writeXlsx(const Workbook& workbook, const std::string& path);

} // namespace tarvel::scrivet
