// A1 references of the workbook model.
#include "report/spreadsheet.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace tarvel::scrivet {
namespace {

TEST(CellRange, ParsesCellsAndRanges) {
    const CellRange k9 = CellRange::parse("K9");
    EXPECT_EQ(k9.firstRow, 8);
    EXPECT_EQ(k9.firstColumn, 10);
    EXPECT_TRUE(k9.isSingleCell());

    const CellRange block = CellRange::parse("b7:e7");
    EXPECT_EQ(block.firstColumn, 1);
    EXPECT_EQ(block.lastColumn, 4);
    EXPECT_EQ(block.lastRow, 6);
    EXPECT_FALSE(block.isSingleCell());

    const CellRange last = CellRange::parse("XFD1048576");
    EXPECT_EQ(last.firstColumn, 16383);
    EXPECT_EQ(last.firstRow, 1048575);
}

TEST(CellRange, RejectsWhatIsNoRange) {
    for (const char* text : {"", "A", "7", "A0", "1A", "B2:A1", "A1:", "XFE1", "A1048577", "A1:B"})
        EXPECT_THROW(CellRange::parse(text), std::invalid_argument) << text;
}

} // namespace
} // namespace tarvel::scrivet
