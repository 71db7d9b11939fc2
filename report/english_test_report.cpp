#include "english_test_report.h"

#include "change_record.h"
#include "pile_report.h"
#include "word_table.h"

#include "data/gbk_text.h"

#include <stdexcept>

namespace tarvel::scrivet {
namespace {

const std::vector<double> kPileColumnPercents = {14, 18, 13, 13, 24};

// "25.00%" of a share, or "--".
std::string shareText(const PileStatistics& s, std::size_t c) {
    return s.sharesValid ? statisticText(s.classShares[c], true) + "%" : "--";
}

pugi::xml_node findParagraph(pugi::xml_node body, std::string_view label) {
    for (pugi::xml_node node = body.first_child(); node; node = node.next_sibling())
        if (std::string_view(node.name()) == "w:p" &&
            paragraphText(node).substr(0, label.size()) == label)
            return node;
    throw std::runtime_error("the template has no paragraph \"" + std::string(label) + "\"");
}

// The end of the bookmark `name`, where its text is typed.
pugi::xml_node findBookmarkEnd(pugi::xml_node body, const char* name) {
    pugi::xml_node start = body.find_node([name](pugi::xml_node node) {
        return std::string_view(node.name()) == "w:bookmarkStart" &&
               std::string_view(node.attribute("w:name").value()) == name;
    });
    if (!start)
        throw std::runtime_error(std::string("the template has no bookmark \"") + name + "\"");
    const std::string_view id = start.attribute("w:id").value();
    for (pugi::xml_node node = start; node; node = node.next_sibling())
        if (std::string_view(node.name()) == "w:bookmarkEnd" &&
            std::string_view(node.attribute("w:id").value()) == id)
            return node;
    return start;
}

// Types `text` right after the bookmark, formatted like the text before it.
void typeAtBookmark(pugi::xml_node body, const char* name, const std::string& text) {
    pugi::xml_node end = findBookmarkEnd(body, name);
    pugi::xml_node paragraph = end.parent();
    pugi::xml_node run = appendRunLikeLast(paragraph, text);
    // appendRunLikeLast adds at the paragraph's end; move it to the bookmark.
    paragraph.insert_move_after(run, end);
}

void fillProjectTable(pugi::xml_node body, const ProjectInfo& p) {
    pugi::xml_node tableNode = body.child("w:tbl");
    if (!tableNode)
        throw std::runtime_error("the template has no project table");
    const std::pair<const char*, std::string> values[] = {
        {"Project Name", decodeGbk(p.projectName)},
        {"Client", decodeGbk(p.client)},
        {"Pile Type", decodeGbk(p.pileKind)},
        {"Strength Grade", decodeGbk(p.hiddenGrade)},
    };
    for (pugi::xml_node row : tableNode.children("w:tr")) {
        pugi::xml_node label = row.child("w:tc");
        pugi::xml_node value = label.next_sibling("w:tc");
        if (!value)
            continue;
        const std::string text = paragraphText(label.child("w:p"));
        for (const auto& [name, content] : values)
            if (text == name && !content.empty())
                appendRunLikeLast(value.child("w:p"), content);
    }
}

void addPileTable(pugi::xml_node after, const std::vector<PileReport>& piles) {
    pugi::xml_node before = after.next_sibling();
    if (!before)
        before = after.parent().insert_child_after("w:p", after);
    int rows = 1;
    for (const PileReport& pile : piles)
        rows += pile.included ? 1 : 0;
    WordTable table = WordTable::insertBefore(before, rows, 6, kTextWidthTwips);
    table.setColumnWidthsPercent(kPileColumnPercents);
    table.repeatAsHeader(1);
    const pugi::xml_node format = after.child("w:pPr");
    const char* const titles[] = {"Pile Number", "Pile Diameter(mm)",     "Pile Length(m)",
                                  "Speed(m/s)",  "Integrity Description", "Conclusion"};
    auto type = [&](int row, int column, const std::string& text, bool bold) {
        pugi::xml_node paragraph = table.cellParagraph(row, column);
        if (format)
            paragraph.prepend_copy(format).remove_child("w:keepNext");
        if (!text.empty())
            appendRunLikeLast(paragraph, text, bold);
    };
    for (int column = 0; column < 6; ++column)
        type(1, column + 1, titles[column], true);
    int row = 1;
    for (const PileReport& pile : piles) {
        if (!pile.included)
            continue;
        ++row;
        table.keepRowWhole(row);
        const std::string cells[] = {pile.number,
                                     pile.diameterText(),
                                     statisticText(pile.length, true),
                                     statisticText(pile.waveSpeed, true),
                                     pile.evaluation,
                                     pile.className()};
        for (int column = 0; column < 6; ++column)
            type(row, column + 1, cells[column], false);
    }
    table.keepRowWhole(1);
}

} // namespace

std::string pileConclusion(const PileStatistics& s) {
    const std::string n = std::to_string(s.statisticalNumber);
    auto count = [&](std::size_t c) { return std::to_string(s.classCounts[c]); };
    return "In this test, a total of " + n + " piles were tested, including " + count(0) +
           " piles of class Ⅰ, which accounted for " + shareText(s, 0) +
           " of the number of piles tested; " + count(1) +
           " piles of class Ⅱ, which accounted for " + shareText(s, 1) +
           " of the number of piles tested; " + count(2) +
           " piles of class Ⅲ, which accounted for " + shareText(s, 2) +
           " of the number of piles tested; and " + count(3) +
           " piles of class Ⅳ, which accounted for " + shareText(s, 3) +
           " of the number of piles tested. The average value of measured wave speed is " +
           statisticText(s.averageSpeed, s.averageValid) + " m/s, the standard deviation is " +
           statisticText(s.standardDeviation, s.deviationValid) +
           " m/s, and the discrete coefficient is " +
           statisticText(s.discreteCoefficient, s.coefficientValid) +
           ". The minimum wave speed is " + statisticText(s.minimumSpeed, s.extremesValid) +
           " m/s (pile NO. " + s.minimumPile + "), the maximum wave speed is " +
           statisticText(s.maximumSpeed, s.extremesValid) + " m/s (pile NO. " + s.maximumPile +
           ").";
}

WordDocument buildPileTestReport(ZipEntries templatePackage, const ProjectInfo& p,
                                 const AreaFileList& areas) {
    WordDocument document = WordDocument::fromPackage(std::move(templatePackage));
    const pugi::xml_node body = document.body();
    const std::vector<PileReport> piles = describePiles(areas);
    const PileStatistics statistics = computePileStatistics(piles);

    const std::pair<const char*, std::string> cover[] = {
        {"Report NO.: ", decodeGbk(p.reportNo)},
        {"Tester: ", decodeGbk(p.tester) + "(NO.:" + decodeGbk(p.permitNo) + ")"},
        {"Testing Company: ", decodeGbk(p.testingCompany)},
        {"Address: ", decodeGbk(p.companyAddress)},
        {"Postal Code: ", decodeGbk(p.postCode)},
        {"Phone: ", decodeGbk(p.contactPhone)},
        {"Contact: ", decodeGbk(p.contactPerson)},
    };
    for (const auto& [label, value] : cover) {
        pugi::xml_node paragraph = findParagraph(body, label);
        if (!value.empty())
            appendRunLikeLast(paragraph, value);
    }
    fillProjectTable(body, p);

    const std::string length = statisticText(p.hiddenFloat, true);
    typeAtBookmark(body, "桩长", length);
    typeAtBookmark(body, "桩径", std::to_string(p.hiddenInt2));
    typeAtBookmark(body, "施工日期", decodeGbk(p.startDate));
    typeAtBookmark(body, "桩长3", length);
    typeAtBookmark(body, "检验结论", pileConclusion(statistics));
    typeAtBookmark(body, "检测单位2", decodeGbk(p.testingCompany));
    typeAtBookmark(body, "报告日期2", decodeGbk(p.reportDate));
    addPileTable(findBookmarkEnd(body, "检测结果").parent(), piles);
    appendChangeRecord(document, areas, RecordLanguage::English);

    document.addPageFooter(" ", "   /   ", "   ");
    document.setProperties(decodeGbk(p.projectName), decodeGbk(p.tester));
    return document;
}

} // namespace tarvel::scrivet
