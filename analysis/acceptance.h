// Whether an area passes: statistics of a modulus over its trusted points,
// the representative value at the guarantee rate, and the verdict. Pure
// functions over the results; the views, reports and command line read the
// value structs.
#pragma once

#include "data/acceptance_file.h"
#include "data/area_file.h"

#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace tarvel {

enum class Verdict { Pass, Fail, Undecided };

// "合格", "不合格" or "--".
const char* verdictText(Verdict verdict);

// One-sided Student t quantile: P(T <= t) = probability with the given
// degrees of freedom (at least 1).
double studentTQuantile(double probability, int degreesOfFreedom);

struct ModulusValue {
    int pointNumber; // from 1, as the views number points
    double mpa;
};

// The statistics of one modulus of an area. A value that cannot be formed
// (a deviation of one point, anything of no points) is NaN.
struct ModulusAcceptance {
    std::optional<double> required; // MPa
    double guaranteeRate = 0.95;
    int n = 0;        // points taking part
    int excluded = 0; // left out: an error flag or no finite value
    double mean = kNoValue;
    double standardDeviation = kNoValue;      // sample deviation, n - 1
    double coefficientOfVariation = kNoValue; // deviation / mean, a fraction
    double min = kNoValue;
    int minPoint = 0; // 0 when there are no points
    double max = kNoValue;
    int maxPoint = 0;
    double representativeValue = kNoValue; // mean - t(rate, n - 1) * deviation / sqrt(n)
    double passShare = kNoValue;           // share of points at or above the required value
    Verdict verdict = Verdict::Undecided;
};

// The statistics of the given values; `excluded` is only passed through.
ModulusAcceptance judgeModulus(const std::vector<ModulusValue>& values, int excluded,
                               std::optional<double> required, double guaranteeRate);

struct AreaAcceptance {
    ModulusAcceptance deformationModulus;
    ModulusAcceptance resilientModulus;
};

// Both moduli of an area over its points that are not deleted; a point with
// an error flag or a modulus that is not a finite number is left out.
AreaAcceptance judgeArea(const NamePipeFile& file, const AreaRequirement& requirement);

// Whether either modulus of the area is required.
bool anyRequired(const AreaAcceptance& acceptance);

// The area's one verdict over its required moduli: failed when one fails,
// undecided when one cannot be judged, passed when every one passes.
// Undecided when nothing is required.
Verdict overallVerdict(const AreaAcceptance& acceptance);

// The statistics as text lines ("代表值 (MPa): 85.20", ...), numbers with two
// decimals, shares in percent.
std::vector<std::string> acceptanceLines(const ModulusAcceptance& acceptance);

} // namespace tarvel
