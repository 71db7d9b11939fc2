// The workbook writer read back with openpyxl: cells written in any order
// land where the model put them, merged ranges over one row or several stay
// whole, and texts keep their spaces.
#include "report_fixture.h"

#include "report/spreadsheet.h"
#include "report/xlsx_writer.h"

#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>

#include <unistd.h>

namespace tarvel::scrivet {
namespace {

using testing::OfficeFacts;
using testing::ScratchDir;

class XlsxWriter : public ::testing::Test {
protected:
    OfficeFacts write(const Workbook& workbook) {
        const std::string path = scratch.file("book.xlsx");
        writeXlsx(workbook, path);
        return OfficeFacts("xlsx", path);
    }
    static std::string cell(const OfficeFacts& facts, const char* a1) {
        return facts.value({"cell", "S", a1});
    }
    static std::string format(const OfficeFacts& facts, const char* a1) {
        return facts.rows({"style", "S", a1}).at(0).at(3);
    }

    ScratchDir scratch;
};

TEST_F(XlsxWriter, CellsWrittenOutOfRowOrderLandWhereTheModelPutThem) {
    Workbook workbook;
    Worksheet& sheet = workbook.insertSheet(0, "S");
    sheet.addBorders(CellRange::parse("A1:C3"));
    // Two columns of labels and values, each written top to bottom, as the
    // statistics halves are.
    sheet.write("A3", "third");
    sheet.write("A1", "first");
    sheet.writeNumber(CellRange::parse("C3"), 2.345, 2, " MPa");
    sheet.writeNumber(CellRange::parse("C1"), 7, 0);
    sheet.writeNumber(CellRange::parse("B2:C2"), 1.23456, 3);
    sheet.write("A2", "replaced");
    sheet.write("A2", "second"); // the later write wins
    sheet.writeNumber(CellRange::parse("B1"), std::numeric_limits<double>::infinity(), 2);
    OfficeFacts facts = write(workbook);

    EXPECT_EQ(cell(facts, "A1"), "first");
    EXPECT_EQ(cell(facts, "A2"), "second");
    EXPECT_EQ(cell(facts, "A3"), "third");
    EXPECT_EQ(cell(facts, "C1"), "7");
    EXPECT_EQ(format(facts, "C1"), "0");
    EXPECT_EQ(cell(facts, "B2"), "1.235") << "a number in a merged range";
    EXPECT_EQ(format(facts, "B2"), "0.000");
    EXPECT_TRUE(facts.has({"merge", "S", "B2:C2"}));
    EXPECT_EQ(cell(facts, "C3"), "2.35 MPa");
    EXPECT_EQ(format(facts, "C3"), "0.00\" MPa\"");
    EXPECT_EQ(cell(facts, "B1"), "--");
    EXPECT_EQ(format(facts, "B1"), "@") << "not finite: text";
    EXPECT_EQ(facts.value({"dimension", "S"}), "A1:C3");
}

TEST_F(XlsxWriter, RangesMergedOverRowsStayWholeWithTheCellsBetween) {
    for (const char* tall : {"A1:A2", "A1:A3"}) {
        Workbook workbook;
        Worksheet& sheet = workbook.insertSheet(0, "S");
        sheet.write(tall, "tall");
        sheet.write("B1:C2", "square");
        sheet.write("B3", "below");
        sheet.writeNumber(CellRange::parse("D2"), 4.5, 1);
        sheet.write("D1", "top");
        OfficeFacts facts = write(workbook);

        EXPECT_TRUE(facts.has({"merge", "S", tall})) << tall;
        EXPECT_TRUE(facts.has({"merge", "S", "B1:C2"})) << tall;
        EXPECT_EQ(cell(facts, "A1"), "tall") << tall;
        EXPECT_EQ(cell(facts, "B1"), "square") << tall;
        EXPECT_EQ(cell(facts, "B3"), "below") << tall;
        EXPECT_EQ(cell(facts, "D1"), "top") << tall;
        EXPECT_EQ(cell(facts, "D2"), "4.5") << tall;
    }
}

TEST_F(XlsxWriter, TextsKeepTheirLeadingAndTrailingSpaces) {
    Workbook workbook;
    Worksheet& sheet = workbook.insertSheet(0, "S");
    sheet.write("A1", "  indented");
    sheet.write("A2", "trailing ");
    sheet.write("A3", "<a & b>");
    OfficeFacts facts = write(workbook);

    EXPECT_EQ(cell(facts, "A1"), "  indented");
    EXPECT_EQ(cell(facts, "A2"), "trailing ");
    EXPECT_EQ(cell(facts, "A3"), "<a & b>");
}

TEST_F(XlsxWriter, FooterTheLibraryWouldRefuseFailsTheWriteAndLeavesNothing) {
    const std::string tooLong = "&C" + std::string(256, 'x');
    for (const std::string& footer :
         {std::string("&Cpage &P&R&G"), std::string("&C&&[Picture]"), tooLong}) {
        Workbook workbook;
        Worksheet& sheet = workbook.insertSheet(0, "S");
        sheet.write("A1", "kept");
        PageSetup setup;
        setup.footer = footer;
        sheet.setPageSetup(setup);
        const std::string path = scratch.file("refused.xlsx");
        EXPECT_THROW(writeXlsx(workbook, path), std::runtime_error) << footer;
        EXPECT_EQ(::access(path.c_str(), F_OK), -1) << footer;
    }
}

} // namespace
} // namespace tarvel::scrivet
