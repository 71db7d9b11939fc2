#include "english_test_report.h"

#include "change_record.h"
#include "pile_report.h"
#include "report_skeleton.h"
#include "template_anchors.h"
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

void fillProjectTable(pugi::xml_node body, const ProjectInfo& p) {
    pugi::xml_node tableNode = body.child("w:tbl");
    if (!tableNode)
        throw std::runtime_error("the template has no project table");
    const std::pair<const char*, std::string> values[] = {
        {"Project Name", decodeGbk(p.projectName)},
        {"Client", decodeGbk(p.client)},
        {"Pile Type", decodeGbk(p.pileKind)},
        {"Strength Grade", decodeGbk(p.hiddenGrade)},
        {"Detection Basis", decodeGbk(p.testBasis)},
        {"Instrument Model", decodeGbk(p.instrumentModel)},
        {"Instrument Number", decodeGbk(p.instrumentNo)},
        {"Verification Certificate", decodeGbk(p.calibrationNo)},
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
    auto piles = [](int n) { return std::to_string(n) + (n == 1 ? " pile" : " piles"); };
    auto classPart = [&](std::size_t c, const char* name) {
        return piles(s.classCounts[c]) + " of class " + name + ", which accounted for " +
               shareText(s, c) + " of the piles tested";
    };
    return "In this test, a total of " + piles(s.statisticalNumber) +
           (s.statisticalNumber == 1 ? " was" : " were") + " tested, including " +
           classPart(0, "Ⅰ") + "; " + classPart(1, "Ⅱ") + "; " + classPart(2, "Ⅲ") + "; and " +
           classPart(3, "Ⅳ") + ". The average value of measured wave speed is " +
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
                                 const AreaFileList& areas, const ReportInputs& inputs) {
    WordDocument document = WordDocument::fromPackage(std::move(templatePackage));
    const pugi::xml_node body = document.body();
    const std::vector<PileReport> piles = describePiles(areas);
    const PileStatistics statistics = computePileStatistics(piles);
    const ReportTexts& texts = reportTexts(ReportLanguage::English);
    const LabFacts lab = labFacts(p, inputs.lab);

    const std::pair<const char*, std::string> cover[] = {
        {"Report NO.: ", decodeGbk(p.reportNo)},
        {"Tester: ", decodeGbk(p.tester) + "(NO.:" + decodeGbk(p.permitNo) + ")"},
        {"Testing Company: ", lab.name},
        {"Address: ", lab.address},
        {"Postal Code: ", lab.postCode},
        {"Phone: ", lab.phone},
        {"Contact: ", decodeGbk(p.contactPerson)},
    };
    for (const auto& [label, value] : cover) {
        pugi::xml_node paragraph = findParagraph(body.first_child(), label);
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
    addPileTable(findBookmarkEnd(body, "检测结果").parent(), piles);
    fillSignatureBlock(body, lab, dateText(decodeGbk(p.reportDate), texts.language), texts);
    appendChangeRecord(document, areas, RecordLanguage::English);

    document.addPageFooter(texts.pageBefore, texts.pageBetween, texts.pageAfter);
    if (const std::string number = decodeGbk(p.reportNo); !number.empty())
        document.addPageHeader(texts.reportNumberLabel + number);
    document.setProperties(decodeGbk(p.projectName), decodeGbk(p.tester));
    return document;
}

} // namespace tarvel::scrivet
