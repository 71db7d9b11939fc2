#include "acceptance_report.h"

#include <algorithm>

#include "analysis/results.h"

#include <cmath>

namespace tarvel::scrivet {
namespace {

StatisticValue number(double value, int decimals = 2) {
    return {value, decimals, "", ""};
}

// A share as a percentage; NaN stays NaN.
StatisticValue percent(double share, int decimals = 2) {
    return {share * 100, decimals, "%", ""};
}

StatisticValue pointNumber(int point) {
    return number(point > 0 ? point : tarvel::kNoValue, 0);
}

using Field = StatisticValue (*)(const ModulusAcceptance&);

// The values of each half, in the order of the labels of ReportTexts.
const Field kLeftFields[] = {
    [](const ModulusAcceptance& a) { return number(a.required ? *a.required : tarvel::kNoValue); },
    [](const ModulusAcceptance& a) { return percent(a.guaranteeRate, 0); },
    [](const ModulusAcceptance& a) { return number(a.n, 0); },
    [](const ModulusAcceptance& a) { return number(a.excluded, 0); },
    [](const ModulusAcceptance& a) { return number(a.mean); },
    [](const ModulusAcceptance& a) { return number(a.standardDeviation); },
    [](const ModulusAcceptance& a) { return percent(a.coefficientOfVariation); },
};

const Field kRightFields[] = {
    [](const ModulusAcceptance& a) { return number(a.min); },
    [](const ModulusAcceptance& a) { return pointNumber(a.minPoint); },
    [](const ModulusAcceptance& a) { return number(a.max); },
    [](const ModulusAcceptance& a) { return pointNumber(a.maxPoint); },
    [](const ModulusAcceptance& a) { return number(a.representativeValue); },
    [](const ModulusAcceptance& a) { return percent(a.passShare); },
    nullptr, // the verdict, in words
};

static_assert(std::size(kLeftFields) == std::tuple_size_v<decltype(ReportTexts::statisticsLeft)>);
static_assert(std::size(kRightFields) == std::tuple_size_v<decltype(ReportTexts::statisticsRight)>);

template <std::size_t N>
std::vector<StatisticRow> rowsOf(const Field (&fields)[N], const std::array<const char*, N>& labels,
                                 const std::vector<const ModulusAcceptance*>& moduli,
                                 const ReportTexts& texts) {
    std::vector<StatisticRow> rows;
    for (std::size_t i = 0; i < N; ++i) {
        StatisticRow row{labels[i], {}};
        for (const ModulusAcceptance* modulus : moduli)
            row.values.push_back(
                fields[i] ? fields[i](*modulus)
                          : StatisticValue{0, 0, "",
                                           verdictName(modulus->verdict,
                                                       modulus->required.has_value(), texts)});
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace

StatisticsTable statisticsTable(const AreaAcceptance& acceptance, const ReportTexts& texts) {
    StatisticsTable table;
    table.labelTitle = texts.statisticsTitle;
    std::vector<const ModulusAcceptance*> moduli = {&acceptance.deformationModulus};
    table.modulusTitles = {texts.deformationModulus};
    if (acceptance.resilientModulus.required) {
        moduli.push_back(&acceptance.resilientModulus);
        table.modulusTitles.push_back(texts.resilientModulus);
    }
    table.left = rowsOf(kLeftFields, texts.statisticsLeft, moduli, texts);
    table.right = rowsOf(kRightFields, texts.statisticsRight, moduli, texts);
    return table;
}

std::string statisticText(const StatisticValue& value) {
    if (!value.text.empty())
        return value.text;
    return std::isfinite(value.number) ? formatFixed(value.number, value.decimals) + value.unit
                                       : kNoValue;
}

std::string flaggedPointsNote(const std::vector<PointRow>& rows, const ReportTexts& texts) {
    const bool english = texts.language == ReportLanguage::English;
    std::string note;
    for (int index = 0; index < kQualityFlagCount; ++index) {
        const auto flag = static_cast<QualityFlag>(index);
        std::vector<int> points;
        FlagSeverity severity = labelOf(flag).severity;
        for (const PointRow& row : rows)
            if (row.flags.has(flag)) {
                points.push_back(row.number);
                severity = std::max(severity, row.flags.severityOf(flag));
            }
        if (points.empty())
            continue;
        const QualityFlagLabel& label = labelOf(flag);
        note += note.empty() ? std::string(kFlagMark) + texts.flagNoteTitle : texts.flagSeparator;
        note += std::string(english ? label.english : label.chinese) + texts.severityOpen +
                (english ? englishSeverityText(severity) : chineseSeverityText(severity)) +
                texts.severityClose + texts.pointsBefore;
        for (std::size_t first = 0; first < points.size();) {
            std::size_t last = first;
            while (last + 1 < points.size() && points[last + 1] == points[last] + 1)
                ++last;
            note += (first > 0 ? texts.listSeparator : "") + std::to_string(points[first]);
            if (last > first)
                note += "–" + std::to_string(points[last]);
            first = last + 1;
        }
    }
    return note;
}

std::string calibrationNote(const AreaReport& area, const ReportTexts& texts) {
    if (!area.calibration.suspect)
        return {};
    return fillIn(texts.calibrationNote, {{"ratio", formatFixed(area.calibration.ratio, 2)}});
}

} // namespace tarvel::scrivet
