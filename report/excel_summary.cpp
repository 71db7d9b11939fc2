#include "excel_summary.h"

#include "area_report.h"

#include "data/gbk_text.h"

namespace tarvel::scrivet {
namespace {

constexpr const char* kPageFooter = "&C第 &P 页 / 共 &N 页";
constexpr int kTitlesRow = 4; // below the four rows of the first area's data

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
    sheet.write(CellRange{row, 0, row, 8}, "");
    return row + 1;
}

void fillSummarySheet(Worksheet& sheet, const AreaFileList& areas) {
    sheet.setRowHeight(20);
    sheet.setBordersEverywhere(true);
    for (int column = 0; column < 16; ++column)
        sheet.setColumnWidth(column, 20.0);
    int top = 0;
    for (const auto& area : areas)
        top = writeAreaBlock(sheet, describeArea(*area), top);

    // The first block's column titles head every printed page and stay in
    // view while scrolling.
    PageSetup setup = printedPages();
    if (!areas.empty()) {
        setup.titleFirstRow = kTitlesRow;
        setup.titleLastRow = kTitlesRow;
        setup.frozenRows = kTitlesRow + 1;
    }
    sheet.setPageSetup(setup);
}

} // namespace

Workbook buildSummaryWorkbook(const ProjectInfo& project, const AreaFileList& areas) {
    Workbook workbook;
    workbook.setProperties(decodeGbk(project.projectName), decodeGbk(project.tester));
    fillProjectSheet(workbook.insertSheet(0, kProjectSheetName), project);
    fillSummarySheet(workbook.insertSheet(0, kSummarySheetName), areas);
    return workbook;
}

} // namespace tarvel::scrivet
