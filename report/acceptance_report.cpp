#include "acceptance_report.h"

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

struct FieldRow {
    const char* label;
    Field field;
};

const FieldRow kLeftFields[] = {
    {"要求值 (MPa)",
     [](const ModulusAcceptance& a) {
         return number(a.required ? *a.required : tarvel::kNoValue);
     }},
    {"保证率", [](const ModulusAcceptance& a) { return percent(a.guaranteeRate, 0); }},
    {"测点数", [](const ModulusAcceptance& a) { return number(a.n, 0); }},
    {"剔除测点数", [](const ModulusAcceptance& a) { return number(a.excluded, 0); }},
    {"平均值 (MPa)", [](const ModulusAcceptance& a) { return number(a.mean); }},
    {"标准差 (MPa)", [](const ModulusAcceptance& a) { return number(a.standardDeviation); }},
    {"变异系数", [](const ModulusAcceptance& a) { return percent(a.coefficientOfVariation); }},
};

const FieldRow kRightFields[] = {
    {"最小值 (MPa)", [](const ModulusAcceptance& a) { return number(a.min); }},
    {"最小值测点", [](const ModulusAcceptance& a) { return pointNumber(a.minPoint); }},
    {"最大值 (MPa)", [](const ModulusAcceptance& a) { return number(a.max); }},
    {"最大值测点", [](const ModulusAcceptance& a) { return pointNumber(a.maxPoint); }},
    {"代表值 (MPa)", [](const ModulusAcceptance& a) { return number(a.representativeValue); }},
    {"达标率", [](const ModulusAcceptance& a) { return percent(a.passShare); }},
    {"判定",
     [](const ModulusAcceptance& a) {
         return StatisticValue{0, 0, "", verdictText(a.verdict)};
     }},
};

template <std::size_t N>
std::vector<StatisticRow> rowsOf(const FieldRow (&fields)[N],
                                 const std::vector<const ModulusAcceptance*>& moduli) {
    std::vector<StatisticRow> rows;
    for (const FieldRow& field : fields) {
        StatisticRow row{field.label, {}};
        for (const ModulusAcceptance* modulus : moduli)
            row.values.push_back(field.field(*modulus));
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace

StatisticsTable statisticsTable(const AreaAcceptance& acceptance) {
    StatisticsTable table;
    std::vector<const ModulusAcceptance*> moduli = {&acceptance.deformationModulus};
    table.modulusTitles = {"变形模量"};
    if (acceptance.resilientModulus.required) {
        moduli.push_back(&acceptance.resilientModulus);
        table.modulusTitles.push_back("回弹模量");
    }
    table.left = rowsOf(kLeftFields, moduli);
    table.right = rowsOf(kRightFields, moduli);
    return table;
}

std::string statisticText(const StatisticValue& value) {
    if (!value.text.empty())
        return value.text;
    return std::isfinite(value.number) ? formatFixed(value.number, value.decimals) + value.unit
                                       : kNoValue;
}

std::string flaggedPointsNote(const std::vector<PointRow>& rows) {
    std::string note;
    for (int index = 0; index < kQualityFlagCount; ++index) {
        const auto flag = static_cast<QualityFlag>(index);
        std::vector<int> points;
        for (const PointRow& row : rows)
            if (row.flags.has(flag))
                points.push_back(row.number);
        if (points.empty())
            continue;
        const QualityFlagLabel& label = labelOf(flag);
        note += note.empty() ? std::string(kFlagMark) + " 质量标记：" : "；";
        note +=
            std::string(label.chinese) + "（" + chineseSeverityText(label.severity) + "）：测点 ";
        for (std::size_t first = 0; first < points.size();) {
            std::size_t last = first;
            while (last + 1 < points.size() && points[last + 1] == points[last] + 1)
                ++last;
            note += (first > 0 ? "、" : "") + std::to_string(points[first]);
            if (last > first)
                note += "–" + std::to_string(points[last]);
            first = last + 1;
        }
    }
    return note;
}

} // namespace tarvel::scrivet
