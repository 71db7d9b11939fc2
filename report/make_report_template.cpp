// Writes the report template res/report.docx (with --english, the English
// pile report's res/report_en.docx). The test report fills the first by its
// labels and bookmarks (report_skeleton.h); keep them when restyling it.
#include "report_skeleton.h"
#include "template_anchors.h"
#include "word_document.h"
#include "word_table.h"

#include <cstdio>
#include <exception>
#include <string>

using namespace tarvel::scrivet;

namespace {

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

void emptyLines(Selection& selection, int count, const FontFormat& font) {
    for (int i = 0; i < count; ++i)
        formattedParagraph(selection, "", font);
}

// The English pile report's template. Values are typed after the labels of
// the cover and the project table, and at the bookmarks "桩长", "桩径",
// "施工日期", "桩长3", "检测结果" (the pile table follows that paragraph) and
// "检验结论"; the signature block follows the conclusion.
const FontFormat kEnglishBody{"Times New Roman", false, 10.5};
const FontFormat kEnglishCover{"Times New Roman", false, 14};
const FontFormat kEnglishHeading{"Times New Roman", true, 14};
const FontFormat kEnglishTables{"Times New Roman", false, 9};

void englishProjectTable(Selection& selection) {
    const std::pair<const char*, const char*> rows[] = {
        {"Project Name", nullptr},
        {"Client", nullptr},
        {"Pile Type", nullptr},
        {"Strength Grade", nullptr},
        {"Design Pile Length (m)", "桩长"},
        {"Pile Diameter (mm)", "桩径"},
        {"Construction Date", "施工日期"},
        {"Detection Basis", nullptr},
        {"Instrument Model", nullptr},
        {"Instrument Number", nullptr},
        {"Verification Certificate", nullptr},
    };
    const int count = static_cast<int>(std::size(rows));
    WordTable table = WordTable::insertBefore(selection.paragraph(), count, 2, kTextWidthTwips);
    table.setColumnWidthsPercent({35, 65});
    for (int row = 1; row <= count; ++row) {
        Selection label(table.cellParagraph(row, 1));
        formattedParagraph(label, rows[row - 1].first, kEnglishBody, Alignment::Centre);
        label.paragraph().parent().remove_child(label.paragraph());
        Selection value(table.cellParagraph(row, 2));
        pugi::xml_node cell = formattedParagraph(value, "", kEnglishBody);
        value.paragraph().parent().remove_child(value.paragraph());
        if (rows[row - 1].second != nullptr)
            addBookmark(cell, rows[row - 1].second, row);
    }
}

WordDocument buildEnglishTemplate() {
    WordDocument document = WordDocument::blank();
    document.setDefaultFont("Times New Roman");
    Selection s(document.endOfDocument());
    emptyLines(s, 2, kEnglishBody);
    formattedParagraph(s, "Pile Integrity Test Report", {"Times New Roman", true, 26},
                       Alignment::Centre);
    emptyLines(s, 1, kEnglishBody);
    formattedParagraph(s, "Low Strain Reflected Wave Method", {"Times New Roman", true, 18},
                       Alignment::Centre);
    emptyLines(s, 2, kEnglishBody);
    for (const char* line : {"Report NO.: ", "Tester: ", "Testing Company: ", "Address: ",
                             "Postal Code: ", "Phone: ", "Contact: "})
        indent(formattedParagraph(s, line, kEnglishCover), 1680);
    emptyLines(s, 12, kEnglishBody);

    pageBreakBefore(formattedParagraph(s, "1 Project Overview", kEnglishHeading));
    englishProjectTable(s);
    heading(formattedParagraph(s, "2 Test Method", kEnglishHeading));
    pugi::xml_node method = formattedParagraph(
        s,
        "The piles were tested by the low strain reflected wave method. The design pile "
        "length is ",
        kEnglishBody);
    addBookmark(method, "桩长3", 20);
    appendRun(method, " m.", kEnglishBody);
    heading(formattedParagraph(s, "3 Test Results", kEnglishHeading));
    addBookmark(formattedParagraph(s, "", kEnglishTables, Alignment::Centre), "检测结果", 21);
    heading(formattedParagraph(s, "4 Conclusion", kEnglishHeading));
    // The conclusion and the signatures stay together.
    pugi::xml_node conclusion = formattedParagraph(s, "", kEnglishBody);
    keepWithNext(conclusion);
    addBookmark(conclusion, "检验结论", 22);
    addSignatureBlock(s, reportTexts(ReportLanguage::English));
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
        (english ? buildEnglishTemplate()
                 : buildReportSkeleton(reportTexts(ReportLanguage::Chinese)))
            .save(output);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", output, e.what());
        return 2;
    }
    return 0;
}
