#include "printed_pages.h"

#include <algorithm>
#include <cmath>

namespace tarvel::scrivet {
namespace {

// A4 in points, and the default margins: 0.7 in left and right, 0.75 in top
// and bottom (the header and footer print inside them).
constexpr double kA4Long = 841.89;
constexpr double kA4Short = 595.28;
constexpr double kSideMargins = 2 * 0.7 * 72;
constexpr double kTopAndBottomMargins = 2 * 0.75 * 72;
constexpr double kPointsPerPixel = 72.0 / 96.0;
constexpr std::size_t kMostBreaks = 1023;

} // namespace

int rowsPerPrintedPage(const Worksheet& sheet) {
    const PageSetup& setup = sheet.pageSetup();
    const double pageWidth = (setup.landscape ? kA4Long : kA4Short) - kSideMargins;
    const double pageHeight = (setup.landscape ? kA4Short : kA4Long) - kTopAndBottomMargins;
    double scale = 1;
    if (setup.fitToWidth) {
        constexpr double kDefaultColumnWidth = 8.43;
        int pixels = 0;
        const int lastColumn = sheet.lastUsedColumn(); // a walk over every cell
        for (int column = 0; column <= lastColumn; ++column) {
            const auto width = sheet.columnWidths().find(column);
            pixels += columnWidthPixels(width == sheet.columnWidths().end() ? kDefaultColumnWidth
                                                                            : width->second);
        }
        // Whole percents, rounded down so the columns fit.
        if (pixels > 0)
            scale = std::min(1.0, std::floor(100 * pageWidth / (pixels * kPointsPerPixel)) / 100);
    }
    // Rows are drawn in whole pixels.
    const double rowPoints = std::ceil(sheet.rowHeight() / kPointsPerPixel) * kPointsPerPixel;
    const int rows = static_cast<int>(pageHeight / (rowPoints * scale)) - 1;
    return std::max(rows, 1);
}

std::vector<int> pageBreaksKeepingBlocks(const std::vector<RowBlock>& kept, int rowCount,
                                         int rowsPerPage, int titleRows) {
    // Rows of the sheet on the page beginning at `top`: the first page has
    // its titles in place, later ones repeat them.
    const int laterPageRows = std::max(rowsPerPage - titleRows, 1);
    std::vector<int> breaks;
    std::size_t next = 0; // the first kept block not yet behind the page
    for (int top = 0; breaks.size() < kMostBreaks;) {
        int end = top + (top == 0 ? rowsPerPage : laterPageRows);
        if (end >= rowCount)
            break;
        while (next < kept.size() && kept[next].firstRow + kept[next].rowCount <= end)
            ++next;
        // A block that starts on this page but ends beyond it moves whole.
        for (std::size_t i = next; i < kept.size() && kept[i].firstRow < end; ++i)
            if (kept[i].firstRow > top && kept[i].firstRow + kept[i].rowCount > end) {
                end = kept[i].firstRow;
                break;
            }
        breaks.push_back(end);
        top = end;
    }
    return breaks;
}

} // namespace tarvel::scrivet
