#include "excel_summary.h"

#include "acceptance_report.h"
#include "area_report.h"
#include "printed_pages.h"

#include "data/gbk_text.h"

namespace tarvel::scrivet {
namespace {

constexpr const char* kPageFooter = "&C第 &P 页 / 共 &N 页";
constexpr int kTitlesRow = 4;       // below the four rows of the first area's data
constexpr int kBlockHeaderRows = 5; // the area's four rows and the column titles
constexpr int kKeptPoints = 2;      // point rows printed on the page of the header

// A4 across, one page wide, numbered pages.
PageSetup printedPages() {
    PageSetup setup;
    setup.landscape = true;
    setup.fitToWidth = true;
    setup.footer = kPageFooter;
    return setup;
}

void fillProjectSheet(Worksheet& sheet, const ProjectInfo& p) {
    sheet.setRowHeight(20);
    const double widths[] = {7.5, 4.25, 11.88, 2.38, 7.75, 1.25, 13.38, 2.0, 7.88, 1.88, 14.0};
    for (int column = 0; column < static_cast<int>(std::size(widths)); ++column)
        sheet.setColumnWidth(column, widths[column]);
    sheet.addBorders(CellRange::parse("A1:K9"));

    sheet.write("A1:B1", "工程名称");
    sheet.write("C1:G1", decodeGbk(p.projectName));
    sheet.write("H1:J1", "检测依据");
    sheet.write("K1", decodeGbk(p.testBasis));
    sheet.write("A2:B2", "工程地点");
    sheet.write("C2:G2", decodeGbk(p.projectAddress));
    sheet.write("H2:J2", "建设单位");
    sheet.write("K2", decodeGbk(p.owner));
    sheet.write("A3:B3", "委托单位");
    sheet.write("C3:G3", decodeGbk(p.client));
    sheet.write("H3:J3", "勘察单位");
    sheet.write("K3", decodeGbk(p.surveyor));
    sheet.write("A4:B4", "设计单位");
    sheet.write("C4:G4", decodeGbk(p.designer));
    sheet.write("H4:J4", "施工单位");
    sheet.write("K4", decodeGbk(p.builder));
    sheet.write("A5:B5", "监理单位");
    sheet.write("C5:G5", decodeGbk(p.supervisor));
    sheet.write("H5:J5", "质量监督站");
    sheet.write("K5", decodeGbk(p.authority));
    sheet.write("A6:B6", "建设日期");
    sheet.write("C6:G6", decodeGbk(p.startDate));
    sheet.write("H6:J6", "检测日期");

    sheet.write("A7", "测试人员");
    sheet.write("B7:E7", decodeGbk(p.tester));
    sheet.write("F7:H7", "上岗证号");
    sheet.write("I7:K7", decodeGbk(p.permitNo));
    sheet.write("A8", "仪器型号");
    sheet.write("B8:C8", decodeGbk(p.instrumentModel));
    sheet.write("D8:E8", "仪器编号");
    sheet.write("F8:H8", decodeGbk(p.instrumentNo));
    sheet.write("I8", "检定证号");
    sheet.write("J8:K8", decodeGbk(p.calibrationNo));
    sheet.setPageSetup(printedPages());
}

void writeStatistic(Worksheet& sheet, int row, int column, const StatisticValue& value) {
    if (value.text.empty())
        sheet.writeNumber(CellRange::cell(row, column), value.number, value.decimals, value.unit);
    else
        sheet.write(CellRange::cell(row, column), value.text);
}

// The statistics below the point rows, the halves side by side; returns the
// row after them.
int writeStatistics(Worksheet& sheet, const AreaAcceptance& acceptance, int top) {
    const StatisticsTable statistics = statisticsTable(acceptance);
    const int half = 1 + static_cast<int>(statistics.modulusTitles.size());
    for (int side = 0; side < 2; ++side) {
        const int first = side * half;
        sheet.write(CellRange::cell(top, first), kStatisticsLabelTitle);
        for (int m = 0; m < half - 1; ++m)
            sheet.write(CellRange::cell(top, first + 1 + m),
                        statistics.modulusTitles[static_cast<std::size_t>(m)]);
        const std::vector<StatisticRow>& lines = side == 0 ? statistics.left : statistics.right;
        for (int line = 0; line < static_cast<int>(lines.size()); ++line) {
            const StatisticRow& row = lines[static_cast<std::size_t>(line)];
            sheet.write(CellRange::cell(top + 1 + line, first), row.label);
            for (int m = 0; m < half - 1; ++m)
                writeStatistic(sheet, top + 1 + line, first + 1 + m,
                               row.values[static_cast<std::size_t>(m)]);
        }
    }
    return top + 1 + static_cast<int>(statistics.left.size());
}

// Row `top` is the 0-based row of the block's first line; returns the row
// after the block's closing empty line.
int writeAreaBlock(Worksheet& sheet, const AreaReport& area, int top) {
    auto span = [&](int row, int first, int last, std::string text) {
        sheet.write(CellRange{top + row, first, top + row, last}, std::move(text));
    };
    auto number = [&](int row, int first, int last, double value, const char* unit) {
        sheet.writeNumber(CellRange{top + row, first, top + row, last}, value, 2, unit);
    };
    span(0, 0, 2, "测区名称");
    span(0, 3, 4, area.name);
    span(0, 5, 6, "测区类型");
    span(0, 7, 8, area.material);
    span(1, 0, 2, "测点个数");
    span(1, 3, 4, area.pointCountText());
    span(1, 5, 6, "测点间距");
    number(1, 7, 8, area.pointSpacing, "m");
    span(2, 0, 2, "落球下落高度");
    number(2, 3, 4, area.dropHeight, "m");
    span(2, 5, 6, "变形模量");
    number(2, 7, 8, area.deformationModulus, " MPa");
    span(3, 0, 2, "回弹模量");
    number(3, 3, 4, area.resilientModulus, " MPa");
    span(3, 5, 6, "");
    span(3, 7, 8, "");

    for (int column = 0; column < static_cast<int>(kPointTableTitles.size()); ++column)
        sheet.write(CellRange::cell(top + 4, column), kPointTableTitles[column]);
    int row = top + 5;
    for (const PointRow& point : area.rows) {
        sheet.writeNumber(CellRange::cell(row, 0), point.number, 0);
        for (int column = 0; column < static_cast<int>(point.values.size()); ++column)
            sheet.writeNumber(CellRange::cell(row, column + 1), point.values[column], 2);
        ++row;
    }
    if (const std::string note = flaggedPointsNote(area.rows); !note.empty()) {
        sheet.write(CellRange{row, 0, row, 8}, note);
        ++row;
    }
    row = writeStatistics(sheet, area.acceptance, row);
    sheet.write(CellRange{row, 0, row, 8}, "");
    return row + 1;
}

void fillSummarySheet(Worksheet& sheet, const AreaFileList& areas,
                      const AcceptanceCriteria* criteria) {
    sheet.setRowHeight(20);
    sheet.setBordersEverywhere(true);
    for (int column = 0; column < 16; ++column)
        sheet.setColumnWidth(column, 20.0);
    // Nine cells a point row, and fewer than sixteen rows more an area.
    std::size_t cells = 0;
    for (const auto& area : areas)
        cells += 9 * (area->points.size() + 16);
    sheet.reserveCells(cells);
    std::vector<RowBlock> blocks;
    int top = 0;
    for (const auto& area : areas) {
        const int next =
            writeAreaBlock(sheet,
                           describeArea(*area, criteria ? requirementFor(*criteria, area->fileName)
                                                        : AreaRequirement{}),
                           top);
        blocks.push_back({top, next - top});
        top = next;
    }

    // The first block's column titles head every printed page and stay in
    // view while scrolling.
    PageSetup setup = printedPages();
    if (!areas.empty()) {
        setup.titleFirstRow = kTitlesRow;
        setup.titleLastRow = kTitlesRow;
        setup.frozenRows = kTitlesRow + 1;
    }
    sheet.setPageSetup(setup);
    // A block's header and column titles print with its first points.
    setup.rowBreaks = pageBreaksKeepingBlocks(
        blocks, rowsPerPrintedPage(sheet), areas.empty() ? 0 : 1, kBlockHeaderRows + kKeptPoints);
    sheet.setPageSetup(setup);
}

} // namespace

Workbook buildSummaryWorkbook(const ProjectInfo& project, const AreaFileList& areas,
                              const AcceptanceCriteria* criteria) {
    Workbook workbook;
    workbook.setProperties(decodeGbk(project.projectName), decodeGbk(project.tester));
    fillProjectSheet(workbook.insertSheet(0, kProjectSheetName), project);
    fillSummarySheet(workbook.insertSheet(0, kSummarySheetName), areas, criteria);
    return workbook;
}

} // namespace tarvel::scrivet
