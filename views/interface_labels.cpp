#include "interface_labels.h"

#include "analysis/result_fields.h"
#include "analysis/results.h"
#include "session/interface_language.h"

namespace tarvel {

namespace {

bool english() {
    return interfaceLanguage() == InterfaceLanguage::English;
}

} // namespace

QStringList resultLineTexts(const PointResults& results) {
    QStringList lines;
    for (const ResultField& field : kResultFields) {
        const char* label = english() ? field.englishLabel : field.lineLabel;
        lines << QString::fromUtf8(label) + QStringLiteral(": ") +
                     QString::fromStdString(formatFixed(results.*field.value, field.decimals));
    }
    return lines;
}

QString fitLineText(const PointResults& results) {
    return QString::fromStdString(
        fitResultLine(results, english() ? kFitLineEnglishLabel : kFitLineLabel));
}

QString qualityFlagText(QualityFlag flag) {
    const QualityFlagLabel& label = labelOf(flag);
    return QString::fromUtf8(english() ? label.english : label.chinese);
}

QString severityText(FlagSeverity severity) {
    return QString::fromUtf8(english() ? englishSeverityText(severity)
                                       : chineseSeverityText(severity));
}

} // namespace tarvel
