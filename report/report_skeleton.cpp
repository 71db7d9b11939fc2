#include "report_skeleton.h"

#include "template_anchors.h"
#include "word_table.h"

namespace tarvel::scrivet {

pugi::xml_node formattedParagraph(Selection& selection, const std::string& text,
                                  const FontFormat& font, Alignment alignment) {
    selection.setAlignment(alignment);
    selection.font = font;
    selection.typeText(text);
    pugi::xml_node current = selection.paragraph();
    pugi::xml_node mark = current.child("w:pPr").append_child("w:rPr");
    const std::string halfPoints = std::to_string(static_cast<int>(font.size * 2));
    pugi::xml_node fonts = mark.append_child("w:rFonts");
    for (const char* slot : {"w:ascii", "w:hAnsi", "w:eastAsia"})
        fonts.append_attribute(slot) = font.name.c_str();
    if (font.bold)
        mark.append_child("w:b");
    mark.append_child("w:sz").append_attribute("w:val") = halfPoints.c_str();
    selection.typeParagraph();
    selection.paragraph().remove_child("w:pPr");
    return current;
}
namespace {

struct Fonts {
    FontFormat body;
    FontFormat small;
    FontFormat coverLine;
    FontFormat heading;
    FontFormat subheading;
    FontFormat tables;
};

Fonts fontsOf(const ReportTexts& texts) {
    const std::string name = texts.font;
    // Nine point columns share the text width: at 9 pt a value such as
    // "123.45" stays on one line.
    return {{name, false, 10.5}, {name, false, 9}, {name, false, 14},
            {name, true, 14},    {name, true, 12}, {name, false, 9}};
}

void pageBreakBefore(pugi::xml_node paragraph) {
    paragraph.child("w:pPr").prepend_child("w:pageBreakBefore");
}

// A heading keeps to what follows it and stands a little apart from what
// comes before.
pugi::xml_node heading(Selection& s, const std::string& text, const FontFormat& font) {
    pugi::xml_node node = formattedParagraph(s, text, font);
    keepWithNext(node);
    setSpaceBefore(node, 12);
    return node;
}

void emptyLines(Selection& selection, int count, const FontFormat& font) {
    for (int i = 0; i < count; ++i)
        formattedParagraph(selection, "", font);
}

// A table of label and value rows at the selection, each cell's paragraph
// formatted as `font`; the labels centred.
WordTable labelTable(Selection& selection, const std::vector<std::string>& labels, int columns,
                     const std::vector<double>& percents, const FontFormat& font) {
    const int rows = static_cast<int>(labels.size());
    WordTable table =
        WordTable::insertBefore(selection.paragraph(), rows, columns, kTextWidthTwips);
    table.setColumnWidthsPercent(percents);
    for (int row = 1; row <= rows; ++row)
        for (int column = 1; column <= columns; ++column) {
            Selection cell(table.cellParagraph(row, column));
            formattedParagraph(cell, column == 1 ? labels[static_cast<std::size_t>(row - 1)] : "",
                               font, column == 1 ? Alignment::Centre : Alignment::Left);
            // formattedParagraph() leaves an empty one behind; a cell keeps only its first.
            cell.paragraph().parent().remove_child(cell.paragraph());
        }
    return table;
}

template <std::size_t N> std::vector<std::string> listOf(const std::array<const char*, N>& texts) {
    return {texts.begin(), texts.end()};
}

void cover(Selection& s, const ReportTexts& texts, const Fonts& fonts) {
    emptyLines(s, 1, fonts.body);
    addBookmark(formattedParagraph(s, "", fonts.body, Alignment::Centre), kLogoPlace, 1);
    addBookmark(formattedParagraph(s, "", {texts.font, true, 18}, Alignment::Centre), kLabPlace, 2);
    emptyLines(s, 2, fonts.body);
    formattedParagraph(s, texts.reportTitle, {texts.font, true, 36}, Alignment::Centre);
    emptyLines(s, 3, fonts.body);

    // The cover's facts as a borderless table, the values on lines.
    WordTable facts = labelTable(s, listOf(texts.coverLabels), 2, {32, 68}, fonts.coverLine);
    facts.setBorders(false);
    for (int row = 1; row <= facts.rowCount(); ++row) {
        facts.setRowHeightAtLeast(row, 30);
        facts.underlineCell(row, 2);
        setAlignment(facts.cellParagraph(row, 1), Alignment::Right);
    }
    // The test item is the same in every report of this kind.
    appendRunLikeLast(facts.cellParagraph(4, 2), texts.testItem);

    // The lab and the statements toward the foot of the page, room left for
    // a logo above.
    emptyLines(s, 8, fonts.body);
    for (const char* label : texts.labLabels)
        formattedParagraph(s, std::string(label) + texts.colon, fonts.body, Alignment::Centre);
    emptyLines(s, 1, fonts.body);
    keepWithNext(formattedParagraph(s, texts.statementsTitle, {texts.font, true, 10.5}));
    for (const char* statement : texts.statements)
        keepWithNext(formattedParagraph(s, statement, fonts.small));
}

} // namespace

void addSignatureBlock(Selection& s, const ReportTexts& texts) {
    const Fonts fonts = fontsOf(texts);
    keepWithNext(formattedParagraph(s, "", fonts.body));
    std::vector<std::string> rows = {texts.signatureTitles[0]};
    rows.insert(rows.end(), texts.roles.begin(), texts.roles.end());
    WordTable table = labelTable(s, rows, 4, {18, 27, 27}, fonts.body);
    table.centreVertically();
    for (int row = 1; row <= table.rowCount(); ++row) {
        table.setRowHeightAtLeast(row, row == 1 ? 20 : 30);
        table.keepRowWhole(row);
        for (int column = 1; column <= 4; ++column) {
            pugi::xml_node cell = table.cellParagraph(row, column);
            keepWithNext(cell);
            setAlignment(cell, Alignment::Centre);
            if (row == 1 && column > 1)
                appendRunLikeLast(cell,
                                  texts.signatureTitles[static_cast<std::size_t>(column - 1)]);
            if (row > 1 && column == 4 && *texts.dateLine != '\0')
                appendRunLikeLast(cell, texts.dateLine);
        }
    }
    keepWithNext(formattedParagraph(s, "", fonts.body));
    pugi::xml_node seal = formattedParagraph(s, texts.sealLabel, fonts.coverLine, Alignment::Right);
    keepWithNext(seal);
    addBookmark(seal, kSignaturesPlace, 90);
    formattedParagraph(s, std::string(texts.coverLabels[5]) + texts.colon, fonts.coverLine,
                       Alignment::Right);
}

void fillSignatureBlock(pugi::xml_node body, const LabFacts& lab, const std::string& reportDate,
                        const ReportTexts& texts) {
    const WordTable table = findTableWithLabel(body, texts.roles[0]);
    for (std::size_t i = 0; i < texts.roles.size(); ++i)
        fillLabelledRow(table, texts.roles[i], lab.signatories[i]);
    const pugi::xml_node seal = findBookmarkParagraph(body, kSignaturesPlace);
    if (!lab.name.empty())
        appendRunLikeLast(seal, lab.name);
    if (!reportDate.empty())
        appendRunLikeLast(findParagraph(seal, std::string(texts.coverLabels[5]) + texts.colon),
                          reportDate);
}

WordDocument buildReportSkeleton(const ReportTexts& texts) {
    WordDocument document = WordDocument::blank();
    document.setDefaultFont(texts.font);
    const Fonts fonts = fontsOf(texts);
    Selection s(document.endOfDocument());
    cover(s, texts, fonts);

    pageBreakBefore(heading(s, texts.overviewHeading, fonts.heading));
    labelTable(s, listOf(texts.overviewLabels), 2, {28, 72}, fonts.body);
    heading(s, texts.basisHeading, fonts.heading);
    labelTable(s, listOf(texts.basisLabels), 2, {28, 72}, fonts.body);

    heading(s, texts.resultsHeading, fonts.heading);
    heading(s, texts.summaryHeading, fonts.subheading);
    // The summary table goes in front of the conclusion.
    formattedParagraph(s, texts.conclusionLabel, {texts.font, true, 10.5});
    heading(s, texts.areaResultsHeading, fonts.subheading);
    // The area tables take this paragraph's font and alignment. No page
    // break of its own: the tables may end at the foot of a page.
    addBookmark(formattedParagraph(s, "", fonts.tables, Alignment::Centre), kAreasPlace, 3);
    heading(s, texts.mapsHeading, fonts.heading);
    addBookmark(formattedParagraph(s, "", fonts.body, Alignment::Centre), kMapsPlace, 4);

    addSignatureBlock(s, texts);
    // The last paragraph is the document's end: it carries no text.
    return document;
}

} // namespace tarvel::scrivet
