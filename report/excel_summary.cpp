#include "excel_summary.h"

#include "acceptance_report.h"
#include "area_report.h"
#include "printed_pages.h"

#include "data/gbk_text.h"

namespace tarvel::scrivet {
namespace {

constexpr int kTitlesRow = 0;       // the column titles, once at the top
constexpr int kBlockHeaderRows = 4; // the area's data above its points
constexpr int kKeptPoints = 2;      // point rows printed on the page of the header
constexpr int kColumns =
    1 + static_cast<int>(kPointTableColumnCount) + static_cast<int>(kFittedColumnCount);

// Text for a header or footer, where "&" starts a code. An escaped "&&"
// before "G" or "[Picture]" still reads as a picture code to the workbook
// writer, which then refuses the sheet; a zero-width space between them
// keeps "A&G" a report number that prints as typed.
std::string headerFooterText(const std::string& text) {
    static const std::string kZeroWidthSpace = "\u200b";
    std::string escaped;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            escaped += text[i];
            continue;
        }
        escaped += "&&";
        if (text.compare(i + 1, 1, "G") == 0 || text.compare(i + 1, 9, "[Picture]") == 0)
            escaped += kZeroWidthSpace;
    }
    return escaped;
}

// A4 across, one page wide, numbered pages with the report number.
PageSetup printedPages(const std::string& footer) {
    PageSetup setup;
    setup.landscape = true;
    setup.fitToWidth = true;
    setup.footer = footer;
    return setup;
}

CellStyle styleOf(const ReportTexts& texts) {
    CellStyle style;
    style.fontName = texts.font;
    return style;
}

void fillProjectSheet(Worksheet& sheet, const ProjectInfo& p, const AreaFileList& areas,
                      const ReportInputs& inputs) {
    const ReportTexts& texts = inputs.texts();
    const LabFacts lab = labFacts(p, inputs.lab);
    sheet.setStyle(styleOf(texts));
    sheet.setRowHeight(20);
    // The English labels are longer: their columns are wider.
    const bool english = texts.language == ReportLanguage::English;
    const double chinese[] = {7.5, 4.25, 11.88, 2.38, 7.75, 1.25, 13.38, 2.0, 7.88, 1.88, 14.0};
    const double wide[] = {12, 12, 11.88, 2.38, 7.75, 1.25, 13.38, 8, 8, 8, 16};
    for (int column = 0; column < 11; ++column)
        sheet.setColumnWidth(column, english ? wide[column] : chinese[column]);
    sheet.addBorders(CellRange::parse("A1:K10"));

    const auto& l = texts.projectSheetLabels;
    const std::pair<const char*, std::string> cells[] = {
        {"A1:B1", l[0]},    {"C1:G1", decodeGbk(p.projectName)},
        {"H1:J1", l[1]},    {"K1", decodeGbk(p.testBasis)},
        {"A2:B2", l[2]},    {"C2:G2", decodeGbk(p.projectAddress)},
        {"H2:J2", l[3]},    {"K2", decodeGbk(p.owner)},
        {"A3:B3", l[4]},    {"C3:G3", decodeGbk(p.client)},
        {"H3:J3", l[5]},    {"K3", decodeGbk(p.surveyor)},
        {"A4:B4", l[6]},    {"C4:G4", decodeGbk(p.designer)},
        {"H4:J4", l[7]},    {"K4", decodeGbk(p.builder)},
        {"A5:B5", l[8]},    {"C5:G5", decodeGbk(p.supervisor)},
        {"H5:J5", l[9]},    {"K5", decodeGbk(p.authority)},
        {"A6:B6", l[10]},   {"C6:G6", dateText(decodeGbk(p.startDate), texts.language)},
        {"H6:J6", l[11]},   {"K6", testDatesText(areas, texts.language)},
        {"A7", l[12]},      {"B7:E7", decodeGbk(p.tester)},
        {"F7:H7", l[13]},   {"I7:K7", decodeGbk(p.permitNo)},
        {"A8", l[14]},      {"B8:C8", decodeGbk(p.instrumentModel)},
        {"D8:E8", l[15]},   {"F8:H8", decodeGbk(p.instrumentNo)},
        {"I8", l[16]},      {"J8:K8", decodeGbk(p.calibrationNo)},
        {"A9:B9", l[17]},   {"C9:G9", lab.name},
        {"H9:J9", l[18]},   {"K9", lab.qualification},
        {"A10:B10", l[19]}, {"C10:G10", decodeGbk(p.reportNo)},
        {"H10:J10", l[20]}, {"K10", dateText(decodeGbk(p.reportDate), texts.language)},
    };
    for (const auto& [a1, text] : cells)
        sheet.write(a1, text);
    sheet.setPageSetup(printedPages(pageFooter(p, texts)));
}

void writeStatistic(Worksheet& sheet, int row, int column, const StatisticValue& value) {
    if (value.text.empty())
        sheet.writeNumber(CellRange::cell(row, column), value.number, value.decimals, value.unit);
    else
        sheet.write(CellRange::cell(row, column), value.text);
}

// The statistics below the point rows, the halves side by side; returns the
// row after them.
int writeStatistics(Worksheet& sheet, const AreaAcceptance& acceptance, int top,
                    const ReportTexts& texts) {
    const StatisticsTable statistics = statisticsTable(acceptance, texts);
    const int half = 1 + static_cast<int>(statistics.modulusTitles.size());
    for (int side = 0; side < 2; ++side) {
        const int first = side * half;
        sheet.write(CellRange::cell(top, first), statistics.labelTitle);
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

void writeTitles(Worksheet& sheet, const ReportTexts& texts) {
    sheet.write(CellRange::cell(kTitlesRow, 0), texts.pointNumberTitleFlat);
    const std::vector<const ResultField*>& fields = pointTableFields();
    for (std::size_t i = 0; i < fields.size(); ++i)
        sheet.write(CellRange::cell(kTitlesRow, static_cast<int>(i) + 1),
                    pointColumnTitle(*fields[i], texts, false));
    const std::vector<const ResultField*>& fitted = fittedColumnFields();
    for (std::size_t i = 0; i < fitted.size(); ++i)
        sheet.write(CellRange::cell(kTitlesRow, static_cast<int>(fields.size() + i) + 1),
                    pointColumnTitle(*fitted[i], texts, false));
}

struct BlockRows {
    RowBlock header;     // the area's data and its first points
    RowBlock statistics; // the note on flags and the statistics
    int next = 0;        // the row after the block's closing empty line
};

// Row `top` is the 0-based row of the block's first line.
BlockRows writeAreaBlock(Worksheet& sheet, const AreaReport& area, int top,
                         const ReportTexts& texts) {
    auto span = [&](int row, int first, int last, std::string text) {
        sheet.write(CellRange{top + row, first, top + row, last}, std::move(text));
    };
    auto number = [&](int row, int first, int last, double value, const char* unit) {
        sheet.writeNumber(CellRange{top + row, first, top + row, last}, value, 2, unit);
    };
    const auto& labels = texts.areaLabels;
    span(0, 0, 2, labels[0]);
    span(0, 3, 4, area.name);
    span(0, 5, 6, labels[1]);
    span(0, 7, 8, area.material);
    span(1, 0, 2, labels[2]);
    span(1, 3, 4, area.pointCountText(texts));
    span(1, 5, 6, labels[3]);
    number(1, 7, 8, area.pointSpacing, "m");
    span(2, 0, 2, labels[4]);
    number(2, 3, 4, area.dropHeight, "m");
    span(2, 5, 6, labels[5]);
    span(2, 7, 8, dateText(area.testDate, texts.language));
    span(3, 0, 2, labels[6]);
    number(3, 3, 4, area.deformationModulus, " MPa");
    span(3, 5, 6, labels[7]);
    number(3, 7, 8, area.resilientModulus, " MPa");

    const std::vector<const ResultField*>& fields = pointTableFields();
    int row = top + kBlockHeaderRows;
    for (const PointRow& point : area.rows) {
        // A flagged point's number carries the mark the note explains, and
        // stays a number.
        sheet.writeNumber(CellRange::cell(row, 0), point.number, 0,
                          point.flags.any() ? kFlagMark : "");
        for (std::size_t column = 0; column < fields.size(); ++column)
            sheet.writeNumber(CellRange::cell(row, static_cast<int>(column) + 1),
                              point.values[column], fields[column]->decimals);
        const std::vector<const ResultField*>& fitted = fittedColumnFields();
        for (std::size_t column = 0; column < fitted.size(); ++column)
            sheet.writeNumber(CellRange::cell(row, static_cast<int>(fields.size() + column) + 1),
                              point.fitted[column], fitted[column]->decimals);
        ++row;
    }
    BlockRows rows;
    rows.header = {top, kBlockHeaderRows + std::min<int>(kKeptPoints, area.rows.size())};
    const int statisticsTop = row;
    for (const std::string& note :
         {flaggedPointsNote(area.rows, texts), calibrationNote(area, texts)}) {
        if (note.empty())
            continue;
        sheet.write(CellRange{row, 0, row, kColumns - 1}, note);
        ++row;
    }
    row = writeStatistics(sheet, area.acceptance, row, texts);
    rows.statistics = {statisticsTop, row - statisticsTop};
    sheet.write(CellRange{row, 0, row, kColumns - 1}, "");
    rows.next = row + 1;
    return rows;
}

void fillSummarySheet(Worksheet& sheet, const ProjectInfo& p, const AreaFileList& areas,
                      const ReportInputs& inputs) {
    const ReportTexts& texts = inputs.texts();
    sheet.setStyle(styleOf(texts));
    sheet.setRowHeight(20);
    sheet.setBordersEverywhere(true);
    // Wide enough for every column title on one line.
    const double width = texts.language == ReportLanguage::English ? 25.0 : 20.0;
    for (int column = 0; column < 16; ++column)
        sheet.setColumnWidth(column, width);
    // Nine cells a point row, and fewer than sixteen rows more an area.
    std::size_t cells = kColumns;
    for (const auto& area : areas)
        cells += kColumns * (area->points.size() + 16);
    sheet.reserveCells(cells);
    writeTitles(sheet, texts);

    std::vector<RowBlock> kept;
    int top = kTitlesRow + 1;
    for (std::size_t i = 0; i < areas.size(); ++i) {
        const BlockRows rows = writeAreaBlock(sheet,
                                              describeArea(*areas[i], static_cast<int>(i) + 1,
                                                           texts, inputs.requirementFor(*areas[i])),
                                              top, texts);
        kept.push_back(rows.header);
        kept.push_back(rows.statistics);
        top = rows.next;
    }

    // The column titles head every printed page and stay in view while
    // scrolling; the printer may break inside an area's points, but never
    // inside its statistics or between its data and its first points.
    PageSetup setup = printedPages(pageFooter(p, texts));
    setup.titleFirstRow = kTitlesRow;
    setup.titleLastRow = kTitlesRow;
    setup.frozenRows = kTitlesRow + 1;
    sheet.setPageSetup(setup);
    setup.rowBreaks = pageBreaksKeepingBlocks(kept, top, rowsPerPrintedPage(sheet), 1);
    sheet.setPageSetup(setup);
}

} // namespace

std::string pageFooter(const ProjectInfo& project, const ReportTexts& texts) {
    std::string footer =
        std::string("&C") + texts.pageBefore + "&P" + texts.pageBetween + "&N" + texts.pageAfter;
    footer.erase(footer.find_last_not_of(' ') + 1);
    if (const std::string number = decodeGbk(project.reportNo); !number.empty())
        footer += "&R" + headerFooterText(texts.reportNumberLabel + number);
    return footer;
}

Workbook buildSummaryWorkbook(const ProjectInfo& project, const AreaFileList& areas,
                              const ReportInputs& inputs) {
    const ReportTexts& texts = inputs.texts();
    Workbook workbook;
    workbook.setProperties(decodeGbk(project.projectName), decodeGbk(project.tester));
    fillProjectSheet(workbook.insertSheet(0, texts.projectSheet), project, areas, inputs);
    fillSummarySheet(workbook.insertSheet(0, texts.summarySheet), project, areas, inputs);
    return workbook;
}

} // namespace tarvel::scrivet
