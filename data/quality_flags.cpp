#include "quality_flags.h"

namespace tarvel {
namespace {

const QualityFlagLabel kLabels[kQualityFlagCount] = {
    {"noImpact", "未找到撞击", "No impact found", FlagSeverity::Error},
    {"noReturn", "撞击未回到基线", "Impact never returned to the baseline", FlagSeverity::Error},
    {"contactTime", "接触时间异常", "Implausible contact time", FlagSeverity::Error},
    {"clipped", "波形削顶", "Clipped at the converter's limit", FlagSeverity::Warning},
    {"noisyBaseline", "基线噪声大", "Noisy baseline", FlagSeverity::Warning},
    {"noiseSkipped", "已跳过噪声脉冲", "Noise pulses skipped", FlagSeverity::Info},
    {"secondImpact", "二次撞击", "Second impact", FlagSeverity::Info},
    {"manual", "人工标记", "Marked by hand", FlagSeverity::Info},
};

} // namespace

const QualityFlagLabel& labelOf(QualityFlag flag) {
    return kLabels[static_cast<int>(flag)];
}

const char* chineseSeverityText(FlagSeverity severity) {
    switch (severity) {
    case FlagSeverity::Error:
        return "错误";
    case FlagSeverity::Warning:
        return "警告";
    case FlagSeverity::Info:
        break;
    }
    return "提示";
}

const char* englishSeverityText(FlagSeverity severity) {
    switch (severity) {
    case FlagSeverity::Error:
        return "error";
    case FlagSeverity::Warning:
        return "warning";
    case FlagSeverity::Info:
        break;
    }
    return "info";
}

bool QualityFlags::hasError() const {
    for (QualityFlag flag : list())
        if (labelOf(flag).severity == FlagSeverity::Error)
            return true;
    return false;
}

std::vector<QualityFlag> QualityFlags::list() const {
    std::vector<QualityFlag> flags;
    for (int i = 0; i < kQualityFlagCount; ++i)
        if (has(static_cast<QualityFlag>(i)))
            flags.push_back(static_cast<QualityFlag>(i));
    return flags;
}

} // namespace tarvel
