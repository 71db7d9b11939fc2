#include "english_summary.h"

#include "excel_summary.h"
#include "pile_report.h"

#include "data/gbk_text.h"

namespace tarvel::scrivet {
namespace {

constexpr int kFirstPileRow = 2; // 0-based, below the two title rows

CellStyle englishStyle() {
    CellStyle style;
    style.fontName = "Times New Roman";
    return style;
}

PageSetup printedPages(int titleRows, const ProjectInfo& project) {
    PageSetup setup;
    setup.landscape = true;
    setup.fitToWidth = true;
    setup.footer = pageFooter(project, reportTexts(ReportLanguage::English));
    if (titleRows > 0) {
        setup.titleFirstRow = 0;
        setup.titleLastRow = titleRows - 1;
        setup.frozenRows = titleRows;
    }
    return setup;
}

// "3(25.00%)" of a class count and its share.
std::string classCell(const PileStatistics& s, std::size_t c) {
    const std::string share = s.sharesValid ? statisticText(s.classShares[c], true) + "%" : "--";
    return std::to_string(s.classCounts[c]) + "(" + share + ")";
}

void writeStatistic(Worksheet& sheet, std::string_view a1, float value, bool valid) {
    if (valid)
        sheet.writeNumber(CellRange::parse(a1), value, 2);
    else
        sheet.write(a1, "--");
}

void fillProjectSheet(Worksheet& sheet, const ProjectInfo& p, const PileStatistics& s,
                      const LabFacts& lab) {
    sheet.setStyle(englishStyle());
    sheet.setRowHeight(20);
    // Wider than the Chinese sheet's columns: every English label reads whole
    // in its cells ("Verification Certificate" alone in I9).
    const double widths[] = {20, 14, 14, 10, 12, 10, 14, 10, 24, 6, 16};
    for (int column = 0; column < static_cast<int>(std::size(widths)); ++column)
        sheet.setColumnWidth(column, widths[column]);
    sheet.addBorders(CellRange::parse("A1:K10"));

    sheet.write("A1:B1", "Project Name");
    sheet.write("C1:G1", decodeGbk(p.projectName));
    sheet.write("H1:J1", "Detection Basis");
    sheet.write("K1", decodeGbk(p.testBasis));
    sheet.write("A2:B2", "Design Pile Length");
    sheet.writeNumber(CellRange::parse("C2"), p.hiddenFloat, 2);
    sheet.write("D2:F2", "Pile Diameter");
    sheet.writeNumber(CellRange::parse("G2"), p.hiddenInt2, 0);
    sheet.write("H2:J2", "Pile Type");
    sheet.write("K2", decodeGbk(p.pileKind));
    sheet.write("A3:B3", "Strength Grade");
    sheet.write("C3", decodeGbk(p.hiddenGrade));
    sheet.write("D3:F3", "Construction Date");
    sheet.write("G3", decodeGbk(p.startDate));
    sheet.write("H3:J3", "Total Pile Number");
    sheet.writeNumber(CellRange::parse("K3"), p.hiddenInt1, 0);
    sheet.write("A4:B4", "Class Ⅰ");
    sheet.write("C4", classCell(s, 0));
    sheet.write("D4:F4", "Class Ⅱ");
    sheet.write("G4", classCell(s, 1));
    sheet.write("H4:J4", "Testing Number");
    sheet.writeNumber(CellRange::parse("K4"), s.testingNumber, 0);
    sheet.write("A5:B5", "Class Ⅲ");
    sheet.write("C5", classCell(s, 2));
    sheet.write("D5:F5", "Class Ⅳ");
    sheet.write("G5", classCell(s, 3));
    sheet.write("H5:J5", "Statistical Number");
    sheet.writeNumber(CellRange::parse("K5"), s.statisticalNumber, 0);
    sheet.write("A6:B6", "Average Wave Speed");
    writeStatistic(sheet, "C6", s.averageSpeed, s.averageValid);
    sheet.write("D6:F6", "Minimum Wave Speed");
    writeStatistic(sheet, "G6", s.minimumSpeed, s.extremesValid);
    sheet.write("H6:J6", "Maximum Wave Speed");
    writeStatistic(sheet, "K6", s.maximumSpeed, s.extremesValid);
    sheet.write("A7:B7", "Standard Deviation Of Wave Speed");
    writeStatistic(sheet, "C7", s.standardDeviation, s.deviationValid);
    sheet.write("D7:F7", "Minimum Speed Pile Number");
    sheet.write("G7", s.minimumPile);
    sheet.write("H7:J7", "Maximum Speed Pile Number");
    sheet.write("K7", s.maximumPile);

    sheet.write("A8", "Tester");
    sheet.write("B8:E8", decodeGbk(p.tester));
    sheet.write("F8:H8", "Work Permit");
    sheet.write("I8:K8", decodeGbk(p.permitNo));
    sheet.write("A9", "Instrument Model");
    sheet.write("B9:C9", decodeGbk(p.instrumentModel));
    sheet.write("D9:E9", "Instrument Number");
    sheet.write("F9:H9", decodeGbk(p.instrumentNo));
    sheet.write("I9", "Verification Certificate");
    sheet.write("J9:K9", decodeGbk(p.calibrationNo));
    sheet.write("A10", "Testing Company");
    sheet.write("B10:G10", lab.name);
    sheet.write("H10:I10", "Report No.");
    sheet.write("J10:K10", decodeGbk(p.reportNo));
    sheet.setPageSetup(printedPages(0, p));
}

void writeTitles(Worksheet& sheet) {
    const std::pair<const char*, const char*> titles[] = {
        {"A1:A2", "NO."},
        {"B1", "Pile Number"},
        {"B2", "(#)"},
        {"C1", "Pile Diameter"},
        {"C2", "(mm)"},
        {"D1", "Pile Length"},
        {"D2", "(m)"},
        {"E1", "Wave Speed"},
        {"E2", "（m/s）"},
        {"F1:F2", "Pouring Date"},
        {"G1:G2", "Test Date"},
        {"H1:H2", "Design Strength"},
        {"I1:M2", "Evaluation"},
        {"N1:N2", "Completeness"},
        {"O1", "Pile Bottom Reflection"},
        {"O2", "Time(ms)"},
        {"P1", "Defect Reflection Time"},
        {"P2", "Time(ms)"},
        {"Q1", "Longitude"},
        {"Q2", "(°)"},
        {"R1", "Latitude"},
        {"R2", "(°)"},
        {"S1", "Height"},
        {"S2", "(m)"},
    };
    for (const auto& [a1, text] : titles)
        sheet.write(a1, text);
}

void writePileRow(Worksheet& sheet, int row, int runningNumber, const PileReport& pile) {
    auto at = [row](int column) { return CellRange::cell(row, column); };
    sheet.writeNumber(at(0), runningNumber, 0);
    sheet.write(at(1), pile.number);
    if (pile.isSquare())
        sheet.write(at(2), pile.diameterText());
    else
        sheet.writeNumber(at(2), pile.width, 0);
    sheet.writeNumber(at(3), pile.length, 2);
    sheet.writeNumber(at(4), pile.waveSpeed, 2);
    sheet.write(at(5), pile.pouringDate);
    sheet.write(at(6), pile.testDate);
    sheet.write(at(7), pile.strengthGrade);
    sheet.write(CellRange{row, 8, row, 12}, pile.evaluation);
    sheet.write(at(13), pile.className());
    sheet.writeNumber(at(14), pile.bottomReflectionMs(), 3);
    sheet.write(at(15), pile.defectTimesText());
    sheet.writeNumber(at(16), pile.longitude, 5);
    sheet.writeNumber(at(17), pile.latitude, 5);
    sheet.writeNumber(at(18), pile.height, 2);
}

void fillSummarySheet(Worksheet& sheet, const std::vector<PileReport>& piles,
                      const ProjectInfo& project) {
    sheet.setStyle(englishStyle());
    sheet.setRowHeight(20);
    sheet.setBordersEverywhere(true);
    // The instrument's widths, but wide enough for each title to read whole.
    const double widths[] = {4.5, 12.0, 13.0, 11.0, 11.0, 12.38, 12.25, 15.0, 2.13, 13.38,
                             2.5, 9.0,  2.63, 13.0, 21.0, 21.0,  17.0,  18.0, 19.0};
    for (int column = 0; column < static_cast<int>(std::size(widths)); ++column)
        sheet.setColumnWidth(column, widths[column]);
    writeTitles(sheet);
    int row = kFirstPileRow;
    for (const PileReport& pile : piles)
        if (pile.included) {
            writePileRow(sheet, row, row - kFirstPileRow + 1, pile);
            ++row;
        }
    sheet.setPageSetup(printedPages(kFirstPileRow, project));
}

} // namespace

Workbook buildPileSummaryWorkbook(const ProjectInfo& project, const AreaFileList& areas,
                                  const ReportInputs& inputs) {
    const std::vector<PileReport> piles = describePiles(areas);
    Workbook workbook;
    workbook.setProperties(decodeGbk(project.projectName), decodeGbk(project.tester));
    fillProjectSheet(workbook.insertSheet(0, kPileProjectSheetName), project,
                     computePileStatistics(piles), labFacts(project, inputs.lab));
    fillSummarySheet(workbook.insertSheet(0, kPileSummarySheetName), piles, project);
    return workbook;
}

} // namespace tarvel::scrivet
