// What the drop-ball reports print of an area's acceptance: the statistics of
// each judged modulus as a small table, and the notes on flagged points.
#pragma once

#include "area_report.h"

#include "analysis/acceptance.h"

#include <string>
#include <vector>

namespace tarvel::scrivet {

// One value of the statistics: a number shown with `decimals` decimals and
// `unit`, or a text (the verdict). A number that is not finite reads "--".
struct StatisticValue {
    double number = 0;
    int decimals = 2;
    std::string unit;
    std::string text; // used when not empty
};

struct StatisticRow {
    std::string label;
    std::vector<StatisticValue> values; // one per modulus column
};

// The statistics in two halves that stand side by side: the sample on the
// left, its extremes, representative value and verdict on the right.
struct StatisticsTable {
    std::string labelTitle;                 // "统计项目"
    std::vector<std::string> modulusTitles; // "变形模量", and "回弹模量" when required
    std::vector<StatisticRow> left;
    std::vector<StatisticRow> right;
};

// The mark after the number of a flagged point.
inline constexpr const char* kFlagMark = "*";

// The resilient modulus takes part only when one is required.
StatisticsTable statisticsTable(const AreaAcceptance& acceptance, const ReportTexts& texts);

// "StatisticValue" as the Word report prints it.
std::string statisticText(const StatisticValue& value);

// "* 质量标记：未找到撞击（错误）：测点 6；波形削顶（警告）：测点 1–5、8":
// per flag in listing order the points that carry it, runs of consecutive
// numbers joined; empty when no point is flagged. Grouped by flag, since a
// flag may be on nearly every point of an area.
std::string flaggedPointsNote(const std::vector<PointRow>& rows, const ReportTexts& texts);

// The note on an area whose measured peaks lie far from Hertz theory's, or
// an empty string.
std::string calibrationNote(const AreaReport& area, const ReportTexts& texts);

} // namespace tarvel::scrivet
