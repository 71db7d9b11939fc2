#include "record_baseline.h"

#include "sample_scan.h"

#include <Eigen/Dense>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace tarvel {
namespace {

constexpr int kTerms = BaselineBasis::kTerms;
constexpr double kPi = 3.14159265358979323846;

// Fewer samples than this outside the impact cannot pin six terms down.
constexpr int kLeastFitSamples = 32;
// Drift and hum need this many samples on each side of the impact.
constexpr int kLeastSideSamples = 32;
// The impact's core is where it stands above this share of its height. A
// Hertz contact reaches about a twelfth of the core's width beyond it on each
// side; a margin of a sixth holds that twice over and leaves the pretrigger
// of a soft ground's long contact to the fit.
constexpr double kCoreShare = 0.1;
constexpr int kMarginDivisor = 6;
// Robust statistics look at no more samples than this, spread evenly: a
// median of a few hundred residuals is as good a noise figure as one of four
// thousand.
constexpr int kStatisticsSamples = 512;
// The record's rough level needs fewer still.
constexpr int kLevelSamples = 128;
// A sample further from the first fit than this many noise deviations (and a
// count) belongs to another pulse, not to the baseline.
constexpr double kOutlierDeviations = 4;
// Rounds of leaving out other pulses.
constexpr int kOutlierRounds = 4;
// Offset, drift or hum this large beside the impact is no longer
// interference on a baseline but something the record itself does (a
// contact that never ends, a jump): it is not removed.
constexpr double kMostInterferenceShare = 0.5;
// A term is removed only when it stands this many of its standard errors
// clear of zero.
constexpr double kSignificance = 3;
// The first samples of a record are its pretrigger, the instrument's own
// baseline: a fit that leaves most of them out as outliers describes
// something else (a contact that never ended, a jump) and is not used.
constexpr int kPretriggerCheck = 16;
// The share of the baseline's squares a fit must explain to be removed.
constexpr double kLeastExplainedShare = 0.2;
// MAD to standard deviation for normal noise.
constexpr double kMadToSigma = 1.4826;

using Matrix = Eigen::Matrix<double, kTerms, kTerms>;
using Vector = Eigen::Matrix<double, kTerms, 1>;

struct Span {
    int first = 0; // the impact's samples [first, last)
    int last = 0;
    int peak = 0;      // the record's largest sample
    double height = 0; // its height above the record's median
};

double medianOf(std::vector<double>& values) {
    if (values.empty())
        return 0;
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// The median of about kLevelSamples samples spread over [first, first + count).
double medianOver(const double* x, int count) {
    const int stride = std::max(1, count / kLevelSamples);
    std::vector<double> sampled;
    sampled.reserve(static_cast<std::size_t>(count / stride + 1));
    for (int k = 0; k < count; k += stride)
        sampled.push_back(x[k]);
    return medianOf(sampled);
}

// The largest pulse with its margins, or an empty span for a record with
// nothing above its level. The level is the lower of the medians of the
// record's first and last tenths: a contact that starts before the record
// or outlasts it fills one end, never both, and may fill half the record.
Span impactSpan(const double* x, int n) {
    const int tenth = std::max(1, n / 10);
    const double level = std::min(medianOver(x, tenth), medianOver(x + n - tenth, tenth));
    const int peak = indexOfLargest(x, n);
    const double height = x[peak] - level;
    if (!(height > 0))
        return {0, 0, peak, 0};
    const double core = level + kCoreShare * height;
    int first = peak;
    while (first > 0 && x[first - 1] > core)
        --first;
    int last = peak + 1;
    while (last < n && x[last] > core)
        ++last;
    const int margin = std::max((last - first) / kMarginDivisor, 2);
    return {std::max(first - margin, 0), std::min(last + margin, n), peak, height};
}

// Whether all of n samples hold exactly `level`: each equals the next and the
// first is the level, compared as bytes, which runs at the pace of memory.
bool atOneLevel(const double* x, int n, double level) {
    if (n == 0)
        return true;
    return std::memcmp(x, &level, sizeof level) == 0 &&
           std::memcmp(x, x + 1, static_cast<std::size_t>(n - 1) * sizeof(double)) == 0;
}

template <class Visit> void forEachOutside(Span impact, int n, Visit visit) {
    for (int k = 0; k < impact.first; ++k)
        visit(k);
    for (int k = impact.last; k < n; ++k)
        visit(k);
}

// Normal equations of the samples in `included`, one flag per sample.
struct Normal {
    Matrix gram = Matrix::Zero();
    Vector moment = Vector::Zero();
    int count = 0;

    void addProducts(const double* sums, double sign) {
        int index = 0;
        for (int i = 0; i < kTerms; ++i)
            for (int j = i; j < kTerms; ++j, ++index) {
                gram(i, j) += sign * sums[index];
                gram(j, i) = gram(i, j);
            }
    }
    void removeSample(const BaselineBasis& basis, const double* x, int k) {
        const double* row = basis.row(k);
        for (int i = 0; i < kTerms; ++i) {
            moment(i) -= row[i] * x[k];
            for (int j = i; j < kTerms; ++j) {
                gram(i, j) -= row[i] * row[j];
                gram(j, i) = gram(i, j);
            }
        }
        --count;
    }
};

Normal normalOutside(const BaselineBasis& basis, const double* x, Span impact) {
    const int n = basis.sampleCount();
    Normal normal;
    normal.addProducts(basis.productsBefore(n), 1);
    normal.addProducts(basis.productsBefore(impact.last), -1);
    normal.addProducts(basis.productsBefore(impact.first), 1);
    forEachOutside(impact, n, [&](int k) {
        const double* row = basis.row(k);
        for (int i = 0; i < kTerms; ++i)
            normal.moment(i) += row[i] * x[k];
    });
    normal.count = n - (impact.last - impact.first);
    return normal;
}

// The least-squares coefficients, in the directions the normal matrix
// determines. With a noise figure, a direction is kept only when the samples
// show it beyond their noise (its coefficient stands kSignificance of its
// standard errors clear of zero): pure noise fits small amounts of every
// term, and a baseline that is not offset, drift or hum (a tone, a slow
// pulse) projects onto them without being explained by them. Directions the
// samples cannot tell apart at all (hum and drift over a short record) are
// left out instead of blowing up.
//
// With samples on one side of the impact only, the fit is the offset alone:
// drift and hum fitted on one side and carried across the contact can be
// further off than no correction at all.
Vector solve(const Normal& normal, bool offsetOnly, double noise = -1) {
    if (offsetOnly) {
        Vector c = Vector::Zero();
        const double count = normal.gram(0, 0);
        const bool shown =
            noise < 0 || std::abs(normal.moment(0)) > kSignificance * noise * std::sqrt(count);
        if (count > 0 && shown)
            c(0) = normal.moment(0) / count;
        return c;
    }
    const Eigen::SelfAdjointEigenSolver<Matrix> eigen(normal.gram);
    const Vector values = eigen.eigenvalues();
    const Matrix& vectors = eigen.eigenvectors();
    const double floor = values.maxCoeff() * 1e-10;
    Vector projected = vectors.transpose() * normal.moment;
    for (int i = 0; i < kTerms; ++i) {
        const bool determined = values(i) > floor;
        const bool shown =
            noise < 0 || std::abs(projected(i)) > kSignificance * noise * std::sqrt(values(i));
        projected(i) = determined && shown ? projected(i) / values(i) : 0;
    }
    return vectors * projected;
}

double modelAt(const BaselineBasis& basis, const Vector& c, int k) {
    const double* row = basis.row(k);
    double sum = 0;
    for (int i = 0; i < kTerms; ++i)
        sum += c(i) * row[i];
    return sum;
}

// Robust standard deviation of the residuals of the samples kept.
double residualNoise(const BaselineBasis& basis, const double* x, const Vector& c,
                     const std::vector<char>& kept, int keptCount) {
    const int n = basis.sampleCount();
    const int stride = std::max(1, keptCount / kStatisticsSamples);
    std::vector<double> residuals;
    residuals.reserve(static_cast<std::size_t>(keptCount / stride + 1));
    for (int k = 0, seen = 0; k < n; ++k) {
        if (!kept[static_cast<std::size_t>(k)])
            continue;
        if (seen++ % stride == 0)
            residuals.push_back(x[k] - modelAt(basis, c, k));
    }
    const double centre = medianOf(residuals);
    for (double& r : residuals)
        r = std::abs(r - centre);
    return kMadToSigma * medianOf(residuals);
}

// Leaves out the samples far from a fit as outliers, with a third of each
// run's width around it so the run's tails go too. Returns whether any went.
bool dropOutliers(const BaselineBasis& basis, const double* x, const Vector& c, double limit,
                  std::vector<char>& kept, Normal& normal) {
    const int n = basis.sampleCount();
    std::vector<char> outlier(static_cast<std::size_t>(n), 0);
    bool any = false;
    for (int k = 0; k < n; ++k)
        if (kept[static_cast<std::size_t>(k)] && std::abs(x[k] - modelAt(basis, c, k)) > limit)
            outlier[static_cast<std::size_t>(k)] = any = true;
    if (!any)
        return false;
    for (int k = 0; k < n;) {
        if (!outlier[static_cast<std::size_t>(k)]) {
            ++k;
            continue;
        }
        int end = k;
        while (end < n && outlier[static_cast<std::size_t>(end)])
            ++end;
        const int pad = std::max((end - k) / 3, 2);
        for (int j = std::max(k - pad, 0); j < std::min(end + pad, n); ++j) {
            if (kept[static_cast<std::size_t>(j)]) {
                kept[static_cast<std::size_t>(j)] = 0;
                normal.removeSample(basis, x, j);
            }
        }
        k = end + pad;
    }
    return true;
}

// No sample of the fit lies further from zero than this: the ramp stays
// within one, and each cosine and sine pair within its amplitude.
double reachOf(const Vector& c) {
    return std::abs(c(0)) + std::abs(c(1)) + std::hypot(c(2), c(3)) + std::hypot(c(4), c(5));
}

// Whether the fit removes at least kLeastExplainedShare of the squares of
// the samples kept about zero. Offset, drift and hum explain most of a
// baseline they disturb; a baseline disturbed by something else keeps its
// squares whatever small parts of it the terms take.
bool explainsBaseline(const BaselineBasis& basis, const double* x, const Vector& c,
                      const std::vector<char>& kept) {
    double raw = 0;
    double left = 0;
    for (int k = 0; k < basis.sampleCount(); ++k) {
        if (!kept[static_cast<std::size_t>(k)])
            continue;
        const double residual = x[k] - modelAt(basis, c, k);
        raw += x[k] * x[k];
        left += residual * residual;
    }
    return left <= (1 - kLeastExplainedShare) * raw;
}

void summarise(RecordBaseline& fit, double noiseLevel, double countUnit) {
    const auto& c = fit.coefficients;
    fit.offset = c[0] / countUnit;
    fit.drift = 2 * c[1] / countUnit;
    fit.hum50 = std::hypot(c[2], c[3]) / countUnit;
    fit.hum60 = std::hypot(c[4], c[5]) / countUnit;
    fit.noiseLevel = noiseLevel;
    fit.noise = noiseLevel / countUnit;
    fit.fitted = true;
}

} // namespace

BaselineBasis::BaselineBasis(int sampleCount, double sampleIntervalUs)
    : sampleCount_(std::max(sampleCount, 0)), sampleIntervalUs_(sampleIntervalUs),
      values_(static_cast<std::size_t>(sampleCount_) * kTerms),
      products_(static_cast<std::size_t>(sampleCount_ + 1) * kProducts, 0.0) {
    const double seconds = sampleIntervalUs * 1e-6;
    for (int k = 0; k < sampleCount_; ++k) {
        double* row = &values_[static_cast<std::size_t>(k) * kTerms];
        const double t = k * seconds;
        row[0] = 1;
        row[1] = sampleCount_ > 1 ? 2.0 * k / (sampleCount_ - 1) - 1 : 0;
        row[2] = std::cos(2 * kPi * 50 * t);
        row[3] = std::sin(2 * kPi * 50 * t);
        row[4] = std::cos(2 * kPi * 60 * t);
        row[5] = std::sin(2 * kPi * 60 * t);
        const double* before = &products_[static_cast<std::size_t>(k) * kProducts];
        double* after = &products_[static_cast<std::size_t>(k + 1) * kProducts];
        int index = 0;
        for (int i = 0; i < kTerms; ++i)
            for (int j = i; j < kTerms; ++j, ++index)
                after[index] = before[index] + row[i] * row[j];
    }
}

double interferenceAt(const RecordBaseline& fit, const BaselineBasis& basis, int k) {
    const double* row = basis.row(k);
    double sum = 0;
    for (int i = 0; i < kTerms; ++i)
        sum += fit.coefficients[static_cast<std::size_t>(i)] * row[i];
    return sum;
}

RecordBaseline fitInterference(const double* x, const BaselineBasis& basis, double countUnit) {
    RecordBaseline fit;
    const int n = basis.sampleCount();
    // Samples are counts times the count unit, so a finite unit leaves every
    // one of them finite.
    if (n <= 0 || !(countUnit > 0) || !std::isfinite(countUnit))
        return fit;
    const Span impact = impactSpan(x, n);
    fit.impactPeak = impact.peak;
    if (n - (impact.last - impact.first) < kLeastFitSamples)
        return fit;

    // A record that sits at one level outside the impact needs no fit: that
    // level is its offset, and there is no noise.
    const double level = impact.first > 0 ? x[0] : x[impact.last];
    if (atOneLevel(x, impact.first, level) && atOneLevel(x + impact.last, n - impact.last, level)) {
        fit.coefficients[0] = level;
        summarise(fit, 0, countUnit);
        return fit;
    }

    Normal normal = normalOutside(basis, x, impact);
    const bool offsetOnly = impact.first < kLeastSideSamples || n - impact.last < kLeastSideSamples;
    std::vector<char> kept(static_cast<std::size_t>(n), 1);
    std::fill(kept.begin() + impact.first, kept.begin() + impact.last, 0);
    Vector c = solve(normal, offsetOnly);
    double noise = residualNoise(basis, x, c, kept, normal.count);
    // A pulse beside the impact (a rebound, a knock) pulls the first fits
    // towards it; each round leaves out what stands clear of the last fit,
    // until nothing does.
    for (int round = 0; round < kOutlierRounds; ++round) {
        const double limit = std::max(kOutlierDeviations * noise, countUnit);
        Normal trimmed = normal;
        std::vector<char> trimmedKept = kept;
        if (!dropOutliers(basis, x, c, limit, trimmedKept, trimmed) ||
            trimmed.count < kLeastFitSamples)
            break;
        normal = trimmed;
        kept.swap(trimmedKept);
        c = solve(normal, offsetOnly);
        noise = residualNoise(basis, x, c, kept, normal.count);
    }
    c = solve(normal, offsetOnly, noise);
    // A record that starts inside its impact has no pretrigger to check.
    const bool noImpact = impact.first == impact.last;
    const int checked = std::min(kPretriggerCheck, noImpact ? n : impact.first);
    const int keptAtStart = static_cast<int>(std::count(kept.begin(), kept.begin() + checked, 1));
    if (2 * keptAtStart < checked || !explainsBaseline(basis, x, c, kept) ||
        reachOf(c) > kMostInterferenceShare * impact.height) {
        c.setZero();
        noise = residualNoise(basis, x, c, kept, normal.count);
    }
    for (int i = 0; i < kTerms; ++i)
        fit.coefficients[static_cast<std::size_t>(i)] = c(i);
    summarise(fit, noise, countUnit);
    return fit;
}

void removeInterference(double* samples, const BaselineBasis& basis, RecordBaseline& fit,
                        double countUnit) {
    if (!fit.fitted)
        return;
    const Vector c = Eigen::Map<const Vector>(fit.coefficients.data());
    if (reachOf(c) < 0.5 * countUnit)
        return;
    const int n = basis.sampleCount();
    for (int k = 0; k < n; ++k)
        samples[k] -= interferenceAt(fit, basis, k);
    fit.removed = true;
    fit.roundingLevel = 0.5 * countUnit;
}

} // namespace tarvel
