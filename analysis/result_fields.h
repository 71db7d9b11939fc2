// The twelve results of a point as every output names them: one table for
// the wave lines, the command line, the result list and the reports.
#pragma once

#include "data/measure_point.h"

#include <array>
#include <string>

namespace tarvel {

struct ResultField {
    const char* key; // JSON and CSV name
    double PointResults::*value;
    const char* name;         // Chinese name, as the report columns print it
    const char* unit;         // empty for a plain number
    int decimals;             // as the wave view shows it
    const char* lineLabel;    // the wave view's label, before ": "
    const char* englishLabel; // name and unit in English
};

extern const std::array<ResultField, 12> kResultFields;

// The whole-pulse fit's columns, beside the twelve: its two moduli with the
// half-widths of their 95 % intervals, its residual and the calibration
// ratio of the measured peak to Hertz theory's.
extern const std::array<ResultField, 6> kFitResultFields;

// The wave view's line of the fitted moduli, before ": ", in Chinese and in
// English.
inline constexpr const char* kFitLineLabel = "拟合 Ed / Er (MPa)";
inline constexpr const char* kFitLineEnglishLabel = "Fitted Ed / Er (MPa)";

// "name(unit)", or the name alone for a plain number.
std::string columnTitle(const ResultField& field);

} // namespace tarvel
