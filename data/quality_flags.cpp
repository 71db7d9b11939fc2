#include "quality_flags.h"

namespace tarvel {
namespace {

const QualityFlagLabel kLabels[kQualityFlagCount] = {
    {"noImpact", "未找到撞击", "No impact found", FlagSeverity::Error},
    {"noReturn", "撞击未回到基线", "Impact never returned to the baseline", FlagSeverity::Error},
    {"contactTime", "接触时间异常", "Implausible contact time", FlagSeverity::Error},
    {"invalidParameters", "仪器参数无效", "Invalid instrument parameters", FlagSeverity::Error},
    {"lateTrigger", "触发过晚", "Late trigger", FlagSeverity::Error},
    {"clipped", "波形削顶", "Clipped at the converter's limit", FlagSeverity::Warning},
    {"modelMismatch", "波形不符合赫兹撞击", "Wave does not match a Hertz impact",
     FlagSeverity::Warning},
    {"fitDisagrees", "标记结果与拟合不符", "Marked moduli disagree with the fit",
     FlagSeverity::Warning},
    {"noisyBaseline", "基线噪声大", "Noisy baseline", FlagSeverity::Warning},
    {"noiseSkipped", "已跳过噪声脉冲", "Noise pulses skipped", FlagSeverity::Info},
    {"secondImpact", "二次撞击", "Second impact", FlagSeverity::Info},
    {"interference", "已去除基线干扰", "Baseline interference removed", FlagSeverity::Info},
    {"manual", "人工标记", "Marked by hand", FlagSeverity::Info},
};

} // namespace

const QualityFlagLabel& labelOf(QualityFlag flag) {
    return kLabels[static_cast<int>(flag)];
}

const QualityFlagLabel& labelOf(AreaFlag) {
    static const QualityFlagLabel calibration{"calibrationSuspect", "仪器标定可疑",
                                              "Instrument calibration suspect",
                                              FlagSeverity::Warning};
    return calibration;
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

FlagSeverity QualityFlags::severityOf(QualityFlag flag) const {
    if (flag == QualityFlag::Clipped && clippedBeyondFit)
        return FlagSeverity::Error;
    return labelOf(flag).severity;
}

bool QualityFlags::level(FlagSeverity& gravest) const {
    bool any = false;
    for (QualityFlag flag : list()) {
        const FlagSeverity severity = severityOf(flag);
        if (!any || severity > gravest)
            gravest = severity;
        any = true;
    }
    return any;
}

bool QualityFlags::hasError() const {
    FlagSeverity gravest = FlagSeverity::Info;
    return level(gravest) && gravest == FlagSeverity::Error;
}

std::vector<QualityFlag> QualityFlags::list() const {
    std::vector<QualityFlag> flags;
    for (int i = 0; i < kQualityFlagCount; ++i)
        if (has(static_cast<QualityFlag>(i)))
            flags.push_back(static_cast<QualityFlag>(i));
    return flags;
}

} // namespace tarvel
