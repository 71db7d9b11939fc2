#include "acceptance.h"

#include "data/translation_marks.h"
#include "results.h"

#include <boost/math/distributions/students_t.hpp>
#include <cmath>

namespace tarvel {

const char* verdictText(Verdict verdict) {
    switch (verdict) {
    case Verdict::Pass:
        return QT_TRANSLATE_NOOP("Verdict", "合格");
    case Verdict::Fail:
        return QT_TRANSLATE_NOOP("Verdict", "不合格");
    case Verdict::Undecided:
        break;
    }
    return "--";
}

double studentTQuantile(double probability, int degreesOfFreedom) {
    boost::math::students_t_distribution<double> distribution(degreesOfFreedom);
    return boost::math::quantile(distribution, probability);
}

ModulusAcceptance judgeModulus(const std::vector<ModulusValue>& values, int excluded,
                               std::optional<double> required, double guaranteeRate) {
    ModulusAcceptance a;
    a.required = required;
    a.guaranteeRate = guaranteeRate;
    a.excluded = excluded;
    a.n = static_cast<int>(values.size());
    if (a.n == 0)
        return a;

    // Sums taken about the first value: equal values give a deviation of
    // exactly 0 and a mean of exactly that value.
    const double shift = values.front().mpa;
    double sum = 0;
    int passing = 0;
    a.min = a.max = shift;
    a.minPoint = a.maxPoint = values.front().pointNumber;
    for (const ModulusValue& value : values) {
        sum += value.mpa - shift;
        if (value.mpa < a.min) {
            a.min = value.mpa;
            a.minPoint = value.pointNumber;
        }
        if (value.mpa > a.max) {
            a.max = value.mpa;
            a.maxPoint = value.pointNumber;
        }
        passing += required && value.mpa >= *required;
    }
    const double meanShifted = sum / a.n;
    a.mean = shift + meanShifted;
    if (required)
        a.passShare = static_cast<double>(passing) / a.n;
    if (a.n < 2)
        return a;

    double squares = 0;
    for (const ModulusValue& value : values)
        squares += (value.mpa - shift - meanShifted) * (value.mpa - shift - meanShifted);
    a.standardDeviation = std::sqrt(squares / (a.n - 1));
    a.coefficientOfVariation = a.standardDeviation / a.mean;
    a.representativeValue =
        a.mean - studentTQuantile(guaranteeRate, a.n - 1) * a.standardDeviation / std::sqrt(a.n);
    if (required)
        a.verdict = a.representativeValue >= *required ? Verdict::Pass : Verdict::Fail;
    return a;
}

AreaAcceptance judgeArea(const NamePipeFile& file, const AreaRequirement& requirement) {
    std::vector<ModulusValue> deformation;
    std::vector<ModulusValue> resilient;
    int deformationLeftOut = 0;
    int resilientLeftOut = 0;
    for (std::size_t index = 0; index < file.points.size(); ++index) {
        const MeasurePoint& point = file.points[index];
        if (point.isDeleted())
            continue;
        const PointResults& r = point.results;
        const bool trusted = point.hasResults && !r.flags.hasError();
        const int number = static_cast<int>(index) + 1;
        if (trusted && std::isfinite(r.deformationModulus))
            deformation.push_back({number, r.deformationModulus});
        else
            ++deformationLeftOut;
        if (trusted && std::isfinite(r.resilientModulus))
            resilient.push_back({number, r.resilientModulus});
        else
            ++resilientLeftOut;
    }
    return {judgeModulus(deformation, deformationLeftOut, requirement.deformationModulus,
                         requirement.guaranteeRate),
            judgeModulus(resilient, resilientLeftOut, requirement.resilientModulus,
                         requirement.guaranteeRate)};
}

bool anyRequired(const AreaAcceptance& acceptance) {
    return acceptance.deformationModulus.required || acceptance.resilientModulus.required;
}

Verdict overallVerdict(const AreaAcceptance& acceptance) {
    if (!anyRequired(acceptance))
        return Verdict::Undecided;
    Verdict overall = Verdict::Pass;
    for (const ModulusAcceptance* modulus :
         {&acceptance.deformationModulus, &acceptance.resilientModulus}) {
        if (!modulus->required)
            continue;
        if (modulus->verdict == Verdict::Fail)
            return Verdict::Fail;
        if (modulus->verdict == Verdict::Undecided)
            overall = Verdict::Undecided;
    }
    return overall;
}

std::vector<std::string> acceptanceLines(const ModulusAcceptance& a) {
    auto number = [](double value) {
        return std::isnan(value) ? std::string("--") : formatFixed(value, 2);
    };
    auto percent = [](double share) {
        return std::isnan(share) ? std::string("--") : formatFixed(share * 100, 1) + "%";
    };
    auto point = [](int pointNumber) {
        return pointNumber > 0 ? " (测点 " + std::to_string(pointNumber) + ")" : std::string();
    };
    return {
        "要求值 (MPa): " + (a.required ? formatFixed(*a.required, 2) : std::string("--")),
        "保证率: " + formatFixed(a.guaranteeRate * 100, 0) + "%",
        "测点数: " + std::to_string(a.n) + " (剔除 " + std::to_string(a.excluded) + ")",
        "算术平均值 (MPa): " + number(a.mean),
        "标准差 (MPa): " + number(a.standardDeviation),
        "变异系数: " + percent(a.coefficientOfVariation),
        "最小值 (MPa): " + number(a.min) + point(a.minPoint),
        "最大值 (MPa): " + number(a.max) + point(a.maxPoint),
        "代表值 (MPa): " + number(a.representativeValue),
        "达标率: " + percent(a.passShare),
        "判定: " + std::string(verdictText(a.verdict)),
    };
}

} // namespace tarvel
