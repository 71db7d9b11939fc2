// Page ends of a printed sheet: a page's rows from the sheet's geometry, and
// breaks that keep a block's first rows on the page where it starts.
#include "report/printed_pages.h"

#include <gtest/gtest.h>

namespace tarvel::scrivet {
namespace {

TEST(PrintedPages, RowsPerPageFollowTheColumnsThatMustFitAcross) {
    Worksheet summary("汇总表");
    summary.setRowHeight(20);
    for (int column = 0; column < 16; ++column)
        summary.setColumnWidth(column, 20.0);
    summary.write(CellRange{0, 0, 0, 8}, "x"); // nine columns used, seven only sized
    PageSetup setup;
    setup.landscape = true;
    setup.fitToWidth = true;
    summary.setPageSetup(setup);
    // 9 x 145 px shrink to 75 % across 10.29 in; rows of 27 px, one spare.
    EXPECT_EQ(rowsPerPrintedPage(summary), 31);

    Worksheet plain("plain");
    plain.write("A1", "x");
    // Portrait at full size: 733.9 pt of 15 pt rows, one spare.
    EXPECT_EQ(rowsPerPrintedPage(plain), 47);
}

TEST(PrintedPages, EveryPageEndsWhereTheViewerWouldEndItAndKeptBlocksStayWhole) {
    // Pages of 20 rows, the title row repeated on the later ones: 20, 19, 19...
    EXPECT_EQ(pageBreaksKeepingBlocks({}, 90, 20, 1), (std::vector<int>{20, 39, 58, 77}));
    // A kept block that would cross a page's end starts the next page.
    EXPECT_EQ(pageBreaksKeepingBlocks({{15, 8}}, 40, 20, 1), (std::vector<int>{15, 34}));
    // Blocks that fit, or start a page, leave the breaks where they were.
    EXPECT_EQ(pageBreaksKeepingBlocks({{5, 8}, {20, 8}}, 40, 20, 1), (std::vector<int>{20, 39}));
    // A block longer than a page cannot be kept whole: it is broken.
    EXPECT_EQ(pageBreaksKeepingBlocks({{0, 30}}, 40, 20, 0), (std::vector<int>{20}));
    EXPECT_EQ(pageBreaksKeepingBlocks({}, 20, 20, 1), std::vector<int>{}) << "one page";
}

TEST(PrintedPages, BreaksStopAtWhatExcelKeeps) {
    EXPECT_EQ(pageBreaksKeepingBlocks({}, 100000, 10, 1).size(), 1023u);
}

} // namespace
} // namespace tarvel::scrivet
