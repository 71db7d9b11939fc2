#include "modulus_report.h"

#include "acceptance_report.h"
#include "area_report.h"
#include "change_record.h"
#include "word_table.h"

#include "data/gbk_text.h"
#include "data/input_file.h"

#include <filesystem>
#include <sstream>
#include <stdexcept>

namespace tarvel::scrivet {
namespace {

constexpr int kProjectTableRows = 11;
// Distribution maps are drawn 2:1; they take this share of the text width.
constexpr double kMapWidthShare = 0.9;

const FontFormat kCaptionFont{};

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// The first body paragraph from `from` on whose text starts with `label`.
pugi::xml_node findParagraph(pugi::xml_node from, std::string_view label) {
    for (pugi::xml_node node = from; node; node = node.next_sibling())
        if (std::string_view(node.name()) == "w:p" && startsWith(paragraphText(node), label))
            return node;
    throw std::runtime_error("the template has no paragraph \"" + std::string(label) + "\"");
}

pugi::xml_node nextParagraph(pugi::xml_node node) {
    pugi::xml_node next = node.next_sibling("w:p");
    if (!next)
        throw std::runtime_error("the template ends too early");
    return next;
}

void fillProjectTable(pugi::xml_node body, const ProjectInfo& p) {
    pugi::xml_node tableNode = body.child("w:tbl");
    if (!tableNode)
        throw std::runtime_error("the template has no project table");
    WordTable table = WordTable::attach(tableNode);
    if (table.rowCount() != kProjectTableRows || table.columnCount() != 2)
        throw std::runtime_error("the template's project table is not 11 rows by 2 columns");
    // Row 10, the test date, stays empty; row 11 is the remarks.
    const std::string values[] = {
        decodeGbk(p.projectName), decodeGbk(p.projectAddress), decodeGbk(p.owner),
        decodeGbk(p.client),      decodeGbk(p.surveyor),       decodeGbk(p.designer),
        decodeGbk(p.builder),     decodeGbk(p.supervisor),     decodeGbk(p.authority)};
    for (int row = 0; row < static_cast<int>(std::size(values)); ++row)
        if (!values[row].empty())
            appendRunLikeLast(table.cellParagraph(row + 1, 2), values[row]);
}

void type(pugi::xml_node paragraph, const std::string& text, bool bold = false) {
    if (!text.empty())
        appendRunLikeLast(paragraph, text, bold);
}

// Shares of the text width of the point table's columns: the point number
// narrow, the values wide enough for "1234.56" and each title's longer line
// ("(0.01mm)"), with narrow cell paddings.
const std::vector<double> kPointColumnPercents = {6.5, 11.5, 11.5, 14.5, 12.5, 11.5, 11.5, 9.5};
constexpr double kPointCellPadding = 2.5; // points, left and right

// Points of the first and last rows kept on the page of their neighbours,
// so no page starts or ends an area with a lone row.
constexpr int kRowsKeptWithTitles = 2;
constexpr int kRowsKeptAtEnd = 2;

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

// A table added at a paragraph takes that paragraph's format in every cell,
// as in Word: the template decides the font and alignment of the tables.
WordTable insertTableLike(pugi::xml_node before, int rows, int columns) {
    WordTable table = WordTable::insertBefore(before, rows, columns, kTextWidthTwips);
    const pugi::xml_document cellFormat = cellFormatOf(before);
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
// too many to build node by node in good time. Each cell repeats the titles' cell
// properties and the template's paragraph format, typed "like last".
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
                column == 0 ? std::to_string(point.number) : valueText(point.values[column - 1]);
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
    std::string text_;
};

void addAreaTable(pugi::xml_node before, const AreaReport& area) {
    WordTable table = insertTableLike(before, 4, 4);
    const std::string cells[4][4] = {
        {"测区名称", area.name, "测区类型", area.material},
        {"测点个数", area.pointCountText(), "测点间距", valueText(area.pointSpacing, "m")},
        {"落球下落高度", valueText(area.dropHeight, "m"), "变形模量",
         valueText(area.deformationModulus, " MPa")},
        {"回弹模量", valueText(area.resilientModulus, " MPa"), "", ""},
    };
    for (int row = 0; row < 4; ++row) {
        // The area table stays on the page of its point table's titles.
        table.keepRowWhole(row + 1);
        for (int column = 0; column < 4; ++column) {
            pugi::xml_node paragraph = table.cellParagraph(row + 1, column + 1);
            keepWithNext(paragraph);
            type(paragraph, cells[row][column], column % 2 == 0);
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
                   bool keepLastRow) {
    const int pointRows = static_cast<int>(area.rows.size());
    const int columns = static_cast<int>(kPointTableTitleLines.size());
    WordTable table = insertTableLike(before, 1, columns);
    table.setCellPaddings(0, 0, kPointCellPadding, kPointCellPadding);
    table.setColumnWidthsPercent(kPointColumnPercents);
    // Continued pages show the column titles again; a row never breaks over
    // a page; the titles and the first points keep together, and so do the
    // last points.
    table.repeatAsHeader(1);
    table.keepRowWhole(1);
    for (int column = 1; column <= columns; ++column) {
        pugi::xml_node paragraph = table.cellParagraph(1, column);
        if (pointRows > 0)
            keepWithNext(paragraph);
        typeTitle(paragraph, kPointTableTitleLines[static_cast<std::size_t>(column - 1)]);
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

constexpr double kStatisticsLabelPercent = 20; // of the table, per half

// The statistics of the area's moduli in two halves side by side, each a
// label column and one column per modulus; the table stays on one page.
void addStatisticsTable(pugi::xml_node before, const AreaReport& area) {
    const StatisticsTable statistics = statisticsTable(area.acceptance);
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
        type(paragraph, text, bold);
    };
    for (int side = 0; side < 2; ++side) {
        const int first = 1 + side * half;
        cell(1, first, kStatisticsLabelTitle, true);
        for (int m = 0; m < half - 1; ++m)
            cell(1, first + 1 + m, statistics.modulusTitles[static_cast<std::size_t>(m)], true);
        const std::vector<StatisticRow>& lines = side == 0 ? statistics.left : statistics.right;
        for (int line = 0; line < static_cast<int>(lines.size()); ++line) {
            const StatisticRow& row = lines[static_cast<std::size_t>(line)];
            cell(line + 2, first, row.label, true);
            for (int m = 0; m < half - 1; ++m)
                cell(line + 2, first + 1 + m,
                     statisticText(row.values[static_cast<std::size_t>(m)]), false);
        }
    }
    for (int row = 1; row <= rows; ++row)
        table.keepRowWhole(row);
}

// Width and height of a PNG from its header; {0, 0} when it is not one.
std::pair<int, int> pngSize(const std::vector<unsigned char>& png) {
    static const unsigned char kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    if (png.size() < 24 || !std::equal(std::begin(kSignature), std::end(kSignature), png.begin()))
        return {0, 0};
    auto be32 = [&](std::size_t at) {
        return static_cast<int>((png[at] << 24) | (png[at + 1] << 16) | (png[at + 2] << 8) |
                                png[at + 3]);
    };
    return {be32(16), be32(20)};
}

// Inserts the maps after `heading`, each followed by its area's name.
void addDistributionMaps(WordDocument& document, pugi::xml_node heading, const AreaFileList& areas,
                         const std::string& pictureDir) {
    if (pictureDir.empty())
        return;
    pugi::xml_node last = heading;
    for (std::size_t i = 0; i < areas.size(); ++i) {
        const std::filesystem::path path =
            std::filesystem::path(pictureDir) / ("dengzhi" + std::to_string(i) + ".png");
        std::error_code ec;
        if (!std::filesystem::is_regular_file(path, ec))
            continue;
        std::vector<unsigned char> bytes;
        std::string error = readWholeFile(path.string(), bytes);
        if (!error.empty())
            throw std::runtime_error("map " + path.string() + ": " + error);
        const auto [pixelsWide, pixelsHigh] = pngSize(bytes);
        const int width = static_cast<int>(kTextWidthTwips * kMapWidthShare);
        const int height = pixelsWide > 0 ? width * pixelsHigh / pixelsWide : width / 2;

        pugi::xml_node picture = last.parent().insert_child_after("w:p", last);
        setAlignment(picture, Alignment::Centre);
        document.appendInlinePicture(picture, document.addPicture({bytes.begin(), bytes.end()}),
                                     width, height);
        pugi::xml_node caption = picture.parent().insert_child_after("w:p", picture);
        setAlignment(caption, Alignment::Centre);
        appendRun(caption, decodeGbk(areas[i]->header.areaName), kCaptionFont);
        last = caption;
    }
}

void fillClosingBlock(pugi::xml_node from, const ProjectInfo& p) {
    const std::pair<const char*, std::string> lines[] = {
        {"检测单位：", decodeGbk(p.testingCompany)}, {"地址：", decodeGbk(p.companyAddress)},
        {"邮编：", decodeGbk(p.postCode)},           {"电话：", decodeGbk(p.contactPhone)},
        {"联系人：", decodeGbk(p.contactPerson)},
    };
    for (const auto& [label, value] : lines)
        if (!value.empty())
            appendRunLikeLast(findParagraph(from, label), value);
}

} // namespace

WordDocument buildModulusReport(ZipEntries templatePackage, const ProjectInfo& p,
                                const AreaFileList& areas, const std::string& pictureDir,
                                const AcceptanceCriteria* criteria) {
    WordDocument document = WordDocument::fromPackage(std::move(templatePackage));
    const pugi::xml_node body = document.body();
    const pugi::xml_node start = body.first_child();

    const std::string reportNo = decodeGbk(p.reportNo);
    if (!reportNo.empty())
        appendRunLikeLast(findParagraph(start, "报告编号："), reportNo);
    appendRunLikeLast(findParagraph(start, "检测人员："),
                      decodeGbk(p.tester) + "(证号：" + decodeGbk(p.permitNo) + ")");
    fillProjectTable(body, p);

    const pugi::xml_node results = findParagraph(start, "二 检测结果");
    const pugi::xml_node areasEnd = nextParagraph(results);
    for (const auto& area : areas) {
        const AreaReport report = describeArea(
            *area, criteria ? requirementFor(*criteria, area->fileName) : AreaRequirement{});
        addAreaTable(areasEnd, report);
        keepWithNext(insertParagraphBefore(areasEnd));
        const std::string note = flaggedPointsNote(report.rows);
        addPointTable(document, areasEnd, report, !note.empty());
        // The note, or an empty line, also keeps the two tables apart.
        pugi::xml_node afterPoints = insertParagraphBefore(areasEnd);
        keepWithNext(afterPoints);
        type(afterPoints, note);
        addStatisticsTable(areasEnd, report);
        insertParagraphBefore(areasEnd);
        insertParagraphBefore(areasEnd);
    }

    const pugi::xml_node maps = findParagraph(areasEnd, "三 等值图");
    addDistributionMaps(document, maps, areas, pictureDir);
    fillClosingBlock(maps, p);
    appendChangeRecord(document, areas);
    document.addPageFooter();
    if (!reportNo.empty())
        document.addPageHeader("报告编号：" + reportNo);
    document.setProperties(decodeGbk(p.projectName), decodeGbk(p.tester));
    return document;
}

} // namespace tarvel::scrivet
