// Writes the report template res/report.docx (with --english, the English
// pile report's res/report_en.docx). The test report fills it by
// its labels: "报告编号：", "检测人员：", the 11 x 2 project table, "二 检测结果"
// (area tables go in front of the paragraph after it and take its font and
// alignment), "三 等值图" (the maps follow it) and the closing block from
// "检测单位：" on. Keep those texts and the paragraph order when changing the
// layout.
#include "word_document.h"
#include "word_table.h"

#include <cstdio>
#include <exception>
#include <string>

using namespace tarvel::scrivet;

namespace {

const FontFormat kBody{"宋体", false, 10.5};
const FontFormat kCoverLine{"宋体", false, 14};
const FontFormat kHeading{"宋体", true, 14};
// Nine point columns share the text width: at this size a value such as
// "123.45" stays on one line.
const FontFormat kResultTables{"宋体", false, 9};

// Formats the paragraph mark too, so text typed later matches the label.
pugi::xml_node paragraph(Selection& selection, const std::string& text, const FontFormat& font,
                         Alignment alignment = Alignment::Left) {
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

void indent(pugi::xml_node paragraph, int twips) {
    pugi::xml_node properties = paragraph.child("w:pPr");
    pugi::xml_node ind = properties.insert_child_before("w:ind", properties.child("w:jc"));
    ind.append_attribute("w:left") = std::to_string(twips).c_str();
}

void pageBreakBefore(pugi::xml_node paragraph) {
    pugi::xml_node properties = paragraph.child("w:pPr");
    properties.prepend_child("w:pageBreakBefore");
}

// A heading keeps to what follows it and stands a little apart from what
// comes before.
void heading(pugi::xml_node paragraph) {
    keepWithNext(paragraph);
    setSpaceBefore(paragraph, 12);
}

void emptyLines(Selection& selection, int count, const FontFormat& font = kBody) {
    for (int i = 0; i < count; ++i)
        paragraph(selection, "", font);
}

void projectTable(Selection& selection) {
    const char* labels[] = {"工程名称",   "工程地点", "建设单位", "委托单位",
                            "勘察单位",   "设计单位", "施工单位", "监理单位",
                            "质量监督站", "检测日期", "备    注"};
    WordTable table = WordTable::insertBefore(selection.paragraph(), 11, 2, kTextWidthTwips);
    table.setColumnWidthsPercent({25, 75});
    for (int row = 1; row <= 11; ++row) {
        Selection label(table.cellParagraph(row, 1));
        paragraph(label, labels[row - 1], kBody, Alignment::Centre);
        // paragraph() leaves an empty one behind; a cell keeps only its first.
        label.paragraph().parent().remove_child(label.paragraph());
        Selection value(table.cellParagraph(row, 2));
        paragraph(value, "", kBody);
        value.paragraph().parent().remove_child(value.paragraph());
    }
}

WordDocument buildTemplate() {
    WordDocument document = WordDocument::blank();
    Selection s(document.endOfDocument());
    emptyLines(s, 2);
    paragraph(s, " Morvath", {"宋体", true, 26}, Alignment::Centre);
    emptyLines(s, 1);
    paragraph(s, "检 测 报 告", {"宋体", true, 36}, Alignment::Centre);
    emptyLines(s, 1);
    indent(paragraph(s, "报告编号：", kCoverLine), 2520);
    emptyLines(s, 1);
    indent(paragraph(s, "检测人员：", kCoverLine), 2520);
    for (const char* role : {"报告编写：", "复    核：", "审    核：", "批准人："}) {
        emptyLines(s, 1);
        indent(paragraph(s, role, kCoverLine), 2520);
    }
    emptyLines(s, 13);
    pageBreakBefore(paragraph(s, "一 项目概况", kHeading));
    paragraph(s, "                                        表1", kBody);
    projectTable(s);
    heading(paragraph(s, "二 检测结果", kHeading));
    paragraph(s, "", kResultTables, Alignment::Centre);
    // No page break of its own: the result tables may end at the foot of a
    // page, and the blank lines after them would fill a page of their own.
    heading(paragraph(s, "三 等值图", kHeading));
    emptyLines(s, 5);
    // The closing block and its date stay on one page.
    for (const char* line :
         {"检测单位：", "地址：", "邮编：", "电话：", "传真：", "监督电话：", "联系人：", "", ""})
        keepWithNext(paragraph(s, line, kCoverLine));
    paragraph(s, "年  月   日", kCoverLine, Alignment::Right);
    // The last paragraph is the document's end: it carries no text.
    return document;
}

// The English pile report's template. Values are typed after the labels of
// the cover and the project table, and at the bookmarks "桩长", "桩径",
// "施工日期", "桩长3", "检测结果" (the pile table follows that paragraph),
// "检验结论", "检测单位2" and "报告日期2".
const FontFormat kEnglishBody{"Times New Roman", false, 10.5};
const FontFormat kEnglishCover{"Times New Roman", false, 14};
const FontFormat kEnglishHeading{"Times New Roman", true, 14};
const FontFormat kEnglishTables{"Times New Roman", false, 9};

void bookmark(pugi::xml_node paragraph, const char* name, int id) {
    pugi::xml_node start = paragraph.append_child("w:bookmarkStart");
    start.append_attribute("w:id") = id;
    start.append_attribute("w:name") = name;
    paragraph.append_child("w:bookmarkEnd").append_attribute("w:id") = id;
}

void englishProjectTable(Selection& selection) {
    const std::pair<const char*, const char*> rows[] = {
        {"Project Name", nullptr},
        {"Client", nullptr},
        {"Pile Type", nullptr},
        {"Strength Grade", nullptr},
        {"Design Pile Length (m)", "桩长"},
        {"Pile Diameter (mm)", "桩径"},
        {"Construction Date", "施工日期"},
    };
    const int count = static_cast<int>(std::size(rows));
    WordTable table = WordTable::insertBefore(selection.paragraph(), count, 2, kTextWidthTwips);
    table.setColumnWidthsPercent({35, 65});
    for (int row = 1; row <= count; ++row) {
        Selection label(table.cellParagraph(row, 1));
        paragraph(label, rows[row - 1].first, kEnglishBody, Alignment::Centre);
        label.paragraph().parent().remove_child(label.paragraph());
        Selection value(table.cellParagraph(row, 2));
        pugi::xml_node cell = paragraph(value, "", kEnglishBody);
        value.paragraph().parent().remove_child(value.paragraph());
        if (rows[row - 1].second != nullptr)
            bookmark(cell, rows[row - 1].second, row);
    }
}

WordDocument buildEnglishTemplate() {
    WordDocument document = WordDocument::blank();
    Selection s(document.endOfDocument());
    emptyLines(s, 2, kEnglishBody);
    paragraph(s, "Pile Integrity Test Report", {"Times New Roman", true, 26}, Alignment::Centre);
    emptyLines(s, 1, kEnglishBody);
    paragraph(s, "Low Strain Reflected Wave Method", {"Times New Roman", true, 18},
              Alignment::Centre);
    emptyLines(s, 2, kEnglishBody);
    for (const char* line : {"Report NO.: ", "Tester: ", "Testing Company: ", "Address: ",
                             "Postal Code: ", "Phone: ", "Contact: "})
        indent(paragraph(s, line, kEnglishCover), 1680);
    emptyLines(s, 12, kEnglishBody);

    pageBreakBefore(paragraph(s, "1 Project Overview", kEnglishHeading));
    englishProjectTable(s);
    heading(paragraph(s, "2 Test Method", kEnglishHeading));
    pugi::xml_node method =
        paragraph(s,
                  "The piles were tested by the low strain reflected wave method. The design pile "
                  "length is ",
                  kEnglishBody);
    bookmark(method, "桩长3", 20);
    appendRun(method, " m.", kEnglishBody);
    heading(paragraph(s, "3 Test Results", kEnglishHeading));
    bookmark(paragraph(s, "", kEnglishTables, Alignment::Centre), "检测结果", 21);
    heading(paragraph(s, "4 Conclusion", kEnglishHeading));
    bookmark(paragraph(s, "", kEnglishBody), "检验结论", 22);
    emptyLines(s, 2, kEnglishBody);
    keepWithNext(paragraph(s, "", kEnglishCover));
    pugi::xml_node company = paragraph(s, "Testing Company: ", kEnglishCover, Alignment::Right);
    keepWithNext(company);
    bookmark(company, "检测单位2", 23);
    bookmark(paragraph(s, "Report Date: ", kEnglishCover, Alignment::Right), "报告日期2", 24);
    return document;
}

} // namespace

int main(int argc, char** argv) {
    const bool english = argc == 3 && std::string(argv[1]) == "--english";
    if (argc != 2 && !english) {
        std::fprintf(stderr, "usage: %s [--english] OUTPUT.docx\n", argv[0]);
        return 1;
    }
    const char* output = argv[argc - 1];
    try {
        (english ? buildEnglishTemplate() : buildTemplate()).save(output);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", output, e.what());
        return 2;
    }
    return 0;
}
