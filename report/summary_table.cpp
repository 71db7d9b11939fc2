#include "summary_table.h"

#include "area_tables.h"

#include "analysis/results.h"

#include <cmath>

namespace tarvel::scrivet {
namespace {

std::string joined(const std::vector<std::string>& items, const char* separator) {
    std::string text;
    for (const std::string& item : items)
        text += (text.empty() ? "" : separator) + item;
    return text;
}

std::string countOf(std::size_t n, const ReportTexts& texts) {
    return n == 1 ? texts.oneArea : fillIn(texts.areaNoun, {{"n", std::to_string(n)}});
}

// The names of the required moduli for which `wanted` holds.
template <typename Wanted>
std::vector<std::string> moduliWhere(const AreaAcceptance& acceptance, const ReportTexts& texts,
                                     Wanted wanted) {
    std::vector<std::string> names;
    const ModulusAcceptance* moduli[] = {&acceptance.deformationModulus,
                                         &acceptance.resilientModulus};
    for (std::size_t i = 0; i < 2; ++i)
        if (moduli[i]->required && wanted(*moduli[i]))
            names.push_back(texts.conclusionModuli[i]);
    return names;
}

bool anyResilientRequired(const std::vector<AreaReport>& areas) {
    for (const AreaReport& area : areas)
        if (area.acceptance.resilientModulus.required)
            return true;
    return false;
}

// In percent; the column's title carries the unit.
std::string shareText(double share) {
    return std::isfinite(share) ? formatFixed(share * 100, 1) : kNoValue;
}

// A title that may hold a "\n": the lines as runs with a break between.
void typeLines(pugi::xml_node paragraph, const std::string& title) {
    std::size_t start = 0;
    for (std::size_t end = title.find('\n'); end != std::string::npos;
         start = end + 1, end = title.find('\n', start)) {
        typeLike(paragraph, title.substr(start, end - start), true);
        appendLineBreak(paragraph);
    }
    typeLike(paragraph, title.substr(start), true);
}

std::string requiredText(const ModulusAcceptance& modulus) {
    return modulus.required ? valueText(*modulus.required) : kNoValue;
}

} // namespace

std::string conclusionText(const std::vector<AreaReport>& areas, const ReportTexts& texts) {
    std::vector<std::string> failed;
    std::vector<std::string> unjudged;
    std::vector<std::string> undecided;
    std::size_t passed = 0;
    bool resilientJudged = false;
    for (const AreaReport& area : areas) {
        const AreaAcceptance& a = area.acceptance;
        resilientJudged = resilientJudged || a.resilientModulus.required.has_value();
        if (!anyRequired(a)) {
            unjudged.push_back(area.name);
            continue;
        }
        switch (overallVerdict(a)) {
        case Verdict::Pass:
            ++passed;
            break;
        case Verdict::Fail: {
            const auto moduli = moduliWhere(
                a, texts, [](const ModulusAcceptance& m) { return m.verdict == Verdict::Fail; });
            failed.push_back(
                fillIn(texts.failedArea,
                       {{"area", area.name}, {"moduli", joined(moduli, texts.moduliJoin)}}));
            break;
        }
        case Verdict::Undecided:
            undecided.push_back(area.name);
            break;
        }
    }
    if (unjudged.size() == areas.size())
        return std::string(texts.nothingRequired) + texts.sentenceEnd;

    std::vector<std::string> parts;
    if (!failed.empty()) {
        std::string part = fillIn(texts.someFail, {{"areas", joined(failed, texts.listSeparator)}});
        if (passed > 0)
            part +=
                fillIn(unjudged.empty() && undecided.empty() ? texts.othersPass : texts.alsoPass,
                       {{"count", countOf(passed, texts)}});
        parts.push_back(part);
    } else if (passed > 0) {
        std::vector<std::string> moduli = {texts.conclusionModuli[0]};
        if (resilientJudged)
            moduli.push_back(texts.conclusionModuli[1]);
        parts.push_back(fillIn(texts.allPass, {{"count", countOf(passed, texts)},
                                               {"moduli", joined(moduli, texts.moduliJoin)}}));
    }
    if (!undecided.empty())
        parts.push_back(
            fillIn(texts.undecidedAreas, {{"areas", joined(undecided, texts.listSeparator)}}));
    if (!unjudged.empty())
        parts.push_back(fillIn(texts.unjudged, {{"areas", joined(unjudged, texts.listSeparator)}}));
    return joined(parts, texts.partSeparator) + texts.sentenceEnd;
}

void addSummaryTable(pugi::xml_node before, pugi::xml_node cellFormat,
                     const std::vector<AreaReport>& areas, const ReportTexts& texts) {
    const bool resilientJudged = anyResilientRequired(areas);
    const int deformationColumns = 4;
    const int resilientColumns = resilientJudged ? 4 : 1;
    const int columns = 3 + deformationColumns + resilientColumns + 1;
    const int rows = 2 + static_cast<int>(areas.size());
    WordTable table = insertTableLike(before, rows, columns, cellFormat);

    // Number, name and points narrow; the verdict wide enough for "未设要求";
    // narrow paddings, so "100.0" fits the value columns of both moduli.
    const std::vector<double> fixed =
        resilientJudged ? std::vector<double>{5.5, 9.5, 7.5} : std::vector<double>{6, 12, 8};
    // "No requirement" takes two lines of 12.5 %, "未设要求" one of 10.
    const double verdictPercent = resilientJudged ? 12.5 : 12;
    table.setCellPaddings(0, 0, 1.5, 1.5);
    const double valuePercent = (100 - fixed[0] - fixed[1] - fixed[2] - verdictPercent) /
                                (deformationColumns + resilientColumns);
    std::vector<double> percents = fixed;
    for (int i = 0; i < deformationColumns + resilientColumns; ++i)
        percents.push_back(valuePercent);
    table.setColumnWidthsPercent(percents);

    auto type = [&](int row, int column, const std::string& text, bool bold) {
        pugi::xml_node paragraph = table.cellParagraph(row, column);
        if (row <= 2)
            keepWithNext(paragraph);
        if (row <= 2)
            typeLines(paragraph, text);
        else
            typeLike(paragraph, text, bold);
    };
    // Two title rows: each modulus over its own columns.
    const auto& modulusTitles = resilientJudged ? texts.narrowModulusColumns : texts.modulusColumns;
    type(1, 1, texts.numberTitle, true);
    type(1, 2, texts.areaTitle, true);
    type(1, 3, texts.pointsTitle, true);
    type(1, 4, texts.deformationGroup, true);
    type(1, 4 + deformationColumns, texts.resilientGroup, true);
    type(1, columns, texts.verdictTitle, true);
    for (int i = 0; i < deformationColumns; ++i)
        type(2, 4 + i, modulusTitles[static_cast<std::size_t>(i)], true);
    for (int i = 0; i < resilientColumns; ++i)
        type(2, 4 + deformationColumns + i, modulusTitles[static_cast<std::size_t>(i)], true);

    int row = 3;
    for (const AreaReport& area : areas) {
        const AreaAcceptance& a = area.acceptance;
        const Verdict verdict = overallVerdict(a);
        std::vector<std::string> cells = {
            std::to_string(area.number),
            area.name,
            std::to_string(area.rows.size()),
            valueText(area.deformationModulus),
            requiredText(a.deformationModulus),
            valueText(a.deformationModulus.representativeValue),
            shareText(a.deformationModulus.passShare),
            valueText(area.resilientModulus),
        };
        if (resilientJudged) {
            cells.push_back(requiredText(a.resilientModulus));
            cells.push_back(valueText(a.resilientModulus.representativeValue));
            cells.push_back(shareText(a.resilientModulus.passShare));
        }
        cells.push_back(verdictName(verdict, anyRequired(a), texts));
        for (int column = 1; column <= columns; ++column)
            type(row, column, cells[static_cast<std::size_t>(column - 1)],
                 column == columns && verdict == Verdict::Fail && anyRequired(a));
        table.keepRowWhole(row);
        ++row;
    }

    for (int title = 1; title <= 2; ++title) {
        table.repeatAsHeader(title);
        table.keepRowWhole(title);
    }
    table.centreVertically();
    // Merged last, right to left, so the column numbers above still hold.
    table.mergeDown(1, columns);
    table.mergeCells(1, 4 + deformationColumns, 3 + deformationColumns + resilientColumns);
    table.mergeCells(1, 4, 3 + deformationColumns);
    for (int column = 3; column >= 1; --column)
        table.mergeDown(1, column);
}

} // namespace tarvel::scrivet
