// Where a sheet's printed pages end, so that blocks of rows that belong
// together (an area's header rows with its first points, its statistics)
// never part at a page foot.
#pragma once

#include "spreadsheet.h"

#include <vector>

namespace tarvel::scrivet {

// Rows of the sheet's height that fit on one printed A4 page as the sheet
// prints (orientation, fit to width, default margins), measured as Excel
// measures columns, one row kept spare for rounding. Viewers that draw the
// columns wider shrink them more and fit more rows, never fewer.
int rowsPerPrintedPage(const Worksheet& sheet);

struct RowBlock {
    int firstRow = 0; // 0-based
    int rowCount = 0;
};

// Rows that begin a new page of a sheet of `rowCount` rows: at the end of
// every page, so no viewer needs breaks of its own, and before a kept
// block that would cross the end of the page it starts on (unless it starts
// that page). `titleRows` rows repeat at the top of every page after the
// first. At most Excel's 1 023 breaks: later pages break where the viewer
// puts them.
std::vector<int> pageBreaksKeepingBlocks(const std::vector<RowBlock>& kept, int rowCount,
                                         int rowsPerPage, int titleRows);

} // namespace tarvel::scrivet
