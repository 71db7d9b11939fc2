// Result and quality labels in the interface's language. The tables that
// name them (the result fields, the quality flags) carry a Chinese and an
// English name each; the views pick one here instead of keeping copies.
#pragma once

#include "analysis/result_fields.h"
#include "data/quality_flags.h"

#include <QString>
#include <QStringList>

namespace tarvel {

// The wave view's "label: value" lines of a point's twelve results.
QStringList resultLineTexts(const PointResults& results);

// "拟合 Ed / Er (MPa): a ± b / c ± d" of the whole-pulse fit.
QString fitLineText(const PointResults& results);

QString qualityFlagText(QualityFlag flag);
QString severityText(FlagSeverity severity);

} // namespace tarvel
