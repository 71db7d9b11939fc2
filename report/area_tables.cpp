#include "area_tables.h"

#include "acceptance_report.h"

#include <sstream>

namespace tarvel::scrivet {
namespace {

// Shares of the text width of the point table's columns: the point number
// narrow, the values wide enough for "1234.56" and each title's longer line
// ("(0.01mm)"), with narrow cell paddings.
const std::vector<double> kPointColumnPercents = {6.5, 11.5, 11.5, 14.5, 12.5, 11.5, 11.5, 9.5};
constexpr double kPointCellPadding = 2.5; // points, left and right

// Points of the first and last rows kept on the page of their neighbours,
// so no page starts or ends an area with a lone row.
constexpr int kRowsKeptWithTitles = 2;
constexpr int kRowsKeptAtEnd = 2;

constexpr double kStatisticsLabelPercent = 23; // of the table, per half

// The paragraph format of `before` as table cells take it: without what
// only a body paragraph carries. Empty when it has none.
pugi::xml_document cellFormatOf(pugi::xml_node before) {
    pugi::xml_document cellFormat;
    if (pugi::xml_node format = before.child("w:pPr")) {
        pugi::xml_node copy = cellFormat.append_copy(format);
        for (const char* pageOnly : {"w:sectPr", "w:pageBreakBefore", "w:keepNext", "w:spacing"})
            copy.remove_child(pageOnly);
    }
    return cellFormat;
}

std::string markup(pugi::xml_node node) {
    if (!node)
        return {};
    std::ostringstream out;
    node.print(out, "", pugi::format_raw);
    return out.str();
}

void appendEscaped(std::string& out, const std::string& text) {
    for (char c : text) {
        if (c == '&')
            out.append("&amp;");
        else if (c == '<')
            out.append("&lt;");
        else if (c == '>')
            out.append("&gt;");
        else
            out.push_back(c);
    }
}

// The markup of a point table's value rows, written as text and handed to
// the document as is: a hundred areas of a hundred points are 90 000 cells,
// too many to build node by node in good time. Each cell repeats the titles'
// cell properties and the template's paragraph format, typed "like last".
class PointRowsMarkup {
public:
    PointRowsMarkup(pugi::xml_node before, pugi::xml_node titleRow) {
        const pugi::xml_document format = cellFormatOf(before);
        pugi::xml_document scratch;
        pugi::xml_node paragraph = scratch.append_child("w:p");
        if (format.first_child())
            paragraph.append_copy(format.first_child());
        paragraph_ = markup(paragraph.child("w:pPr"));
        run_ = markup(paragraph.child("w:pPr").child("w:rPr"));
        pugi::xml_node markRun = paragraph.append_child("w:r");
        if (pugi::xml_node format = paragraph.child("w:pPr").child("w:rPr"))
            markRun.append_copy(format);
        makeSuperscript(markRun);
        markRun_ = markup(markRun.child("w:rPr"));
        keepWithNext(paragraph);
        keptParagraph_ = markup(paragraph.child("w:pPr"));
        for (pugi::xml_node cell : titleRow.children("w:tc"))
            cells_.push_back(markup(cell.child("w:tcPr")));
        for (const ResultField* field : pointTableFields())
            decimals_.push_back(field->decimals);
    }

    void reserveRows(std::size_t rows) {
        std::size_t row = 64;
        for (const std::string& cell : cells_)
            row += cell.size() + keptParagraph_.size() + run_.size() + 80;
        text_.reserve(rows * row);
    }

    void addRow(const PointRow& point, bool keepWithNextRow) {
        text_ += "<w:tr><w:trPr><w:cantSplit/></w:trPr>";
        for (std::size_t column = 0; column < cells_.size(); ++column) {
            const std::string value =
                column == 0 ? std::to_string(point.number)
                            : valueText(point.values[column - 1], decimals_[column - 1]);
            // Appended piece by piece: no temporary strings per cell.
            text_.append("<w:tc>").append(cells_[column]).append("<w:p>");
            text_.append(keepWithNextRow ? keptParagraph_ : paragraph_).append("<w:r>");
            text_.append(run_).append("<w:t xml:space=\"preserve\">");
            appendEscaped(text_, value);
            text_.append("</w:t></w:r>");
            if (column == 0 && point.flags.any()) {
                text_.append("<w:r>").append(markRun_).append("<w:t>");
                text_.append(kFlagMark).append("</w:t></w:r>");
            }
            text_.append("</w:p></w:tc>");
        }
        text_ += "</w:tr>";
    }

    // Appends the rows to the table as markup the document writes as is.
    void appendTo(WordDocument& document, pugi::xml_node table) {
        document.appendMarkup(table, std::move(text_));
    }

private:
    std::string paragraph_;
    std::string keptParagraph_;
    std::string run_;
    std::string markRun_; // raised, for the mark of a flagged point
    std::vector<std::string> cells_;
    std::vector<int> decimals_;
    std::string text_;
};

void addAreaTable(pugi::xml_node before, const AreaReport& area, const ReportTexts& texts) {
    WordTable table = insertTableLike(before, 4, 4);
    const auto& labels = texts.areaLabels;
    const std::string cells[4][4] = {
        {labels[0], area.name, labels[1], area.material},
        {labels[2], area.pointCountText(texts), labels[3], valueText(area.pointSpacing, "m")},
        {labels[4], valueText(area.dropHeight, "m"), labels[5],
         dateText(area.testDate, texts.language)},
        {labels[6], valueText(area.deformationModulus, " MPa"), labels[7],
         valueText(area.resilientModulus, " MPa")},
    };
    for (int row = 0; row < 4; ++row) {
        // The area table stays on the page of its point table's titles.
        table.keepRowWhole(row + 1);
        for (int column = 0; column < 4; ++column) {
            pugi::xml_node paragraph = table.cellParagraph(row + 1, column + 1);
            keepWithNext(paragraph);
            typeLike(paragraph, cells[row][column], column % 2 == 0);
        }
    }
}

// A column title on one or two lines, its "³" a raised "3".
void typeTitle(pugi::xml_node paragraph, std::string_view title) {
    const std::size_t lineEnd = title.find('\n');
    const std::string_view firstLine = title.substr(0, lineEnd);
    appendRunLikeLast(paragraph, firstLine, true);
    if (lineEnd == std::string_view::npos)
        return;
    appendLineBreak(paragraph);
    std::string_view rest = title.substr(lineEnd + 1);
    constexpr std::string_view kCubed = "³";
    for (std::size_t at = rest.find(kCubed); at != std::string_view::npos; at = rest.find(kCubed)) {
        if (at > 0)
            appendRunLikeLast(paragraph, rest.substr(0, at), true);
        makeSuperscript(appendRunLikeLast(paragraph, "3", true));
        rest.remove_prefix(at + kCubed.size());
    }
    if (!rest.empty()) {
        pugi::xml_node run = appendRunLikeLast(paragraph, rest, true);
        run.child("w:rPr").remove_child("w:vertAlign");
    }
}

// With `keepLastRow` the last point stays on the page of what follows the
// table (its footnote).
void addPointTable(WordDocument& document, pugi::xml_node before, const AreaReport& area,
                   bool keepLastRow, const ReportTexts& texts) {
    const int pointRows = static_cast<int>(area.rows.size());
    const std::vector<const ResultField*>& fields = pointTableFields();
    const int columns = 1 + static_cast<int>(fields.size());
    WordTable table = insertTableLike(before, 1, columns);
    table.setCellPaddings(0, 0, kPointCellPadding, kPointCellPadding);
    // The shares are for the usual columns; others share what is left.
    std::vector<double> percents = kPointColumnPercents;
    percents.resize(std::min<std::size_t>(percents.size(), static_cast<std::size_t>(columns - 1)));
    table.setColumnWidthsPercent(percents);
    // Continued pages show the column titles again; a row never breaks over
    // a page; the titles and the first points keep together, and so do the
    // last points.
    table.repeatAsHeader(1);
    table.keepRowWhole(1);
    for (int column = 1; column <= columns; ++column) {
        pugi::xml_node paragraph = table.cellParagraph(1, column);
        if (pointRows > 0)
            keepWithNext(paragraph);
        typeTitle(paragraph, column == 1
                                 ? std::string(texts.pointNumberTitle)
                                 : pointColumnTitle(*fields[static_cast<std::size_t>(column - 2)],
                                                    texts, true));
    }
    PointRowsMarkup rows(before, table.element().child("w:tr"));
    rows.reserveRows(area.rows.size());
    for (int point = 0; point < pointRows; ++point) {
        const bool last = point + 1 == pointRows;
        const bool keep =
            last ? keepLastRow
                 : (point < kRowsKeptWithTitles || point >= pointRows - kRowsKeptAtEnd);
        rows.addRow(area.rows[static_cast<std::size_t>(point)], keep);
    }
    rows.appendTo(document, table.element());
}

// The statistics of the area's moduli in two halves side by side, each a
// label column and one column per modulus; the table stays on one page.
void addStatisticsTable(pugi::xml_node before, const AreaReport& area, const ReportTexts& texts) {
    const StatisticsTable statistics = statisticsTable(area.acceptance, texts);
    const int half = 1 + static_cast<int>(statistics.modulusTitles.size());
    const int rows = 1 + static_cast<int>(statistics.left.size());
    WordTable table = insertTableLike(before, rows, 2 * half);
    // Labels such as "要求值 (MPa)" on one line beside two moduli columns.
    const double valuePercent = (50 - kStatisticsLabelPercent) / (half - 1);
    std::vector<double> percents;
    for (int column = 0; column < 2 * half; ++column)
        percents.push_back(column % half == 0 ? kStatisticsLabelPercent : valuePercent);
    table.setColumnWidthsPercent(percents);
    table.repeatAsHeader(1);
    auto cell = [&](int row, int column, const std::string& text, bool bold) {
        pugi::xml_node paragraph = table.cellParagraph(row, column);
        if (row < rows)
            keepWithNext(paragraph);
        typeLike(paragraph, text, bold);
    };
    for (int side = 0; side < 2; ++side) {
        const int first = 1 + side * half;
        cell(1, first, statistics.labelTitle, true);
        for (int m = 0; m < half - 1; ++m)
            cell(1, first + 1 + m, statistics.modulusTitles[static_cast<std::size_t>(m)], true);
        const std::vector<StatisticRow>& lines = side == 0 ? statistics.left : statistics.right;
        for (int line = 0; line < static_cast<int>(lines.size()); ++line) {
            const StatisticRow& row = lines[static_cast<std::size_t>(line)];
            cell(line + 2, first, row.label, true);
            for (int m = 0; m < half - 1; ++m) {
                const StatisticValue& value = row.values[static_cast<std::size_t>(m)];
                // A failed verdict stands out.
                cell(line + 2, first + 1 + m, statisticText(value), value.text == texts.fail);
            }
        }
    }
    for (int row = 1; row <= rows; ++row)
        table.keepRowWhole(row);
}

} // namespace

WordTable insertTableLike(pugi::xml_node before, int rows, int columns, pugi::xml_node formatFrom) {
    WordTable table = WordTable::insertBefore(before, rows, columns, kTextWidthTwips);
    const pugi::xml_document cellFormat = cellFormatOf(formatFrom ? formatFrom : before);
    if (!cellFormat.first_child())
        return table;
    for (pugi::xml_node row : table.element().children("w:tr"))
        for (pugi::xml_node cell : row.children("w:tc")) {
            pugi::xml_node paragraph = cell.child("w:p");
            paragraph.remove_child("w:pPr");
            paragraph.prepend_copy(cellFormat.first_child());
        }
    return table;
}

void typeLike(pugi::xml_node paragraph, const std::string& text, bool bold) {
    if (!text.empty())
        appendRunLikeLast(paragraph, text, bold);
}

void addAreaTables(WordDocument& document, pugi::xml_node before, const AreaReport& area,
                   const ReportTexts& texts) {
    addAreaTable(before, area, texts);
    keepWithNext(insertParagraphBefore(before));
    const std::string note = flaggedPointsNote(area.rows, texts);
    addPointTable(document, before, area, !note.empty(), texts);
    // The note, or an empty line, also keeps the two tables apart.
    pugi::xml_node afterPoints = insertParagraphBefore(before);
    keepWithNext(afterPoints);
    typeLike(afterPoints, note);
    if (const std::string calibration = calibrationNote(area, texts); !calibration.empty()) {
        pugi::xml_node line = insertParagraphBefore(before);
        keepWithNext(line);
        typeLike(line, calibration, true);
    }
    addStatisticsTable(before, area, texts);
    insertParagraphBefore(before);
    insertParagraphBefore(before);
}

} // namespace tarvel::scrivet
