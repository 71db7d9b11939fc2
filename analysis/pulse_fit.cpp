#include "pulse_fit.h"

#include "sample_scan.h"

#include <Eigen/Dense>
#include <algorithm>
#include <cmath>
#include <unsupported/Eigen/LevenbergMarquardt>
#include <vector>

namespace tarvel {
namespace {

constexpr uint16_t kConverterMax = 65535;
// The fit looks at no more samples than this, spread evenly over the pulse
// and its surroundings: enough to pin four parameters of a smooth pulse far
// below the sample grid, and cheap enough for every point of a large project.
constexpr int kMostFitSamples = 48;
// Samples before and after the pulse, as a share of its length, so the fit
// sees where it leaves the baseline.
constexpr double kWindowMargin = 0.15;
// Each half needs this many unclipped samples to be fitted at all, and the
// pulse's body this share of its samples unclipped: a pulse clipped down to
// its foot leaves its height to be guessed from a few samples of tail.
constexpr int kLeastHalfSamples = 4;
constexpr double kLeastUnclippedShare = 0.25;
// The body of the pulse stands above this share of its first height.
constexpr double kBodyShare = 0.05;
constexpr int kParameters = 4;

bool isClipped(uint16_t raw) {
    return raw == 0 || raw == kConverterMax;
}

struct Samples {
    std::vector<double> t; // ms
    std::vector<double> y;
};

// The solver may try durations at or below zero on its way; the model takes
// them as the shortest possible, which fits worse, so the solver turns back.
HertzPulse pulseOf(const Eigen::VectorXd& x) {
    constexpr double kShortest = 1e-9; // ms
    return {x(0), std::max(x(1), kShortest), std::max(x(2), kShortest), x(3)};
}

struct PulseResiduals : Eigen::DenseFunctor<double> {
    const Samples& samples;

    explicit PulseResiduals(const Samples& s)
        : DenseFunctor<double>(kParameters, static_cast<int>(s.t.size())), samples(s) {}

    int operator()(const Eigen::VectorXd& x, Eigen::VectorXd& r) const {
        const HertzPulse pulse = pulseOf(x);
        for (Eigen::Index i = 0; i < r.size(); ++i)
            r(i) = pulse.valueAt(samples.t[static_cast<std::size_t>(i)]) -
                   samples.y[static_cast<std::size_t>(i)];
        return 0;
    }

    int df(const Eigen::VectorXd& x, JacobianType& jacobian) const {
        const HertzPulse pulse = pulseOf(x);
        for (Eigen::Index i = 0; i < jacobian.rows(); ++i) {
            const PulseGradient g = pulseGradient(pulse, samples.t[static_cast<std::size_t>(i)]);
            jacobian(i, 0) = g.byStart;
            jacobian(i, 1) = g.byLoading;
            jacobian(i, 2) = g.byUnloading;
            jacobian(i, 3) = g.byAmplitude;
        }
        return 0;
    }
};

// Where the samples cross `level` going outwards from `peak`, interpolated
// between samples; the record's edge when they never do.
double crossingBefore(const double* y, int peak, double level, double dt) {
    for (int k = peak; k > 0; --k)
        if (y[k - 1] < level)
            return (k - 1 + (level - y[k - 1]) / (y[k] - y[k - 1])) * dt;
    return 0;
}

double crossingAfter(const double* y, int n, int peak, double level, double dt) {
    for (int k = peak; k + 1 < n; ++k)
        if (y[k + 1] < level)
            return (k + (y[k] - level) / (y[k] - y[k + 1])) * dt;
    return (n - 1) * dt;
}

// The middle of the run of samples equal to the largest, so a clipped top
// gives its centre rather than its edge.
int peakIndex(const double* y, int n, int hint) {
    const int first = hint >= 0 && hint < n ? hint : indexOfLargest(y, n);
    int last = first;
    while (last + 1 < n && y[last + 1] == y[first])
        ++last;
    return (first + last) / 2;
}

// A first guess of the pulse from its half-height crossings: they lie in the
// steep part of each half, where the marks' threshold and the sample grid
// matter least.
HertzPulse initialPulse(const double* y, int n, double dt, int peakHint) {
    const int peak = peakIndex(y, n, peakHint);
    const double height = y[peak];
    const double tPeak = peak * dt;
    const double share = 1 - hertzHalfHeightTime();
    const double rise = crossingBefore(y, peak, 0.5 * height, dt);
    const double fall = crossingAfter(y, n, peak, 0.5 * height, dt);
    HertzPulse pulse;
    pulse.loading = std::max((tPeak - rise) / share, 2 * dt);
    pulse.unloading = std::max((fall - tPeak) / share, 2 * dt);
    pulse.start = tPeak - pulse.loading;
    pulse.amplitude = height;
    return pulse;
}

bool acceptable(Eigen::LevenbergMarquardtSpace::Status status) {
    using namespace Eigen::LevenbergMarquardtSpace;
    switch (status) {
    case RelativeReductionTooSmall:
    case RelativeErrorTooSmall:
    case RelativeErrorAndReductionTooSmall:
    case CosinusTooSmall:
    case FtolTooSmall:
    case XtolTooSmall:
    case GtolTooSmall:
        return true;
    default:
        return false;
    }
}

} // namespace

PulseFit fitHertzPulse(const PulseFitInput& in) {
    PulseFit fit;
    const int n = in.sampleCount;
    const double dt = in.sampleIntervalMs;
    if (n < 8 || !(dt > 0) || !in.samples || !in.raw)
        return fit;
    const HertzPulse guess = initialPulse(in.samples, n, dt, in.peakHint);
    if (!(guess.amplitude > 0))
        return fit;

    const double length = guess.loading + guess.unloading;
    const int first =
        std::max(0, static_cast<int>(std::floor((guess.start - kWindowMargin * length) / dt)));
    const int last =
        std::min(n - 1, static_cast<int>(std::ceil((guess.end() + kWindowMargin * length) / dt)));
    const int stride = std::max(1, (last - first + 1 + kMostFitSamples - 1) / kMostFitSamples);
    Samples samples;
    samples.t.reserve(kMostFitSamples + 1);
    samples.y.reserve(kMostFitSamples + 1);
    // Unclipped samples looked at in each half of the first guess, and
    // samples of the pulse's body (above a small share of its first height)
    // clipped and not.
    int loadingUnclipped = 0, unloadingUnclipped = 0;
    int bodyUnclipped = 0;
    const double peak = guess.start + guess.loading;
    const double body = kBodyShare * guess.amplitude;
    for (int k = first; k <= last; k += stride) {
        if (isClipped(in.raw[k])) {
            ++fit.clippedSamples;
            continue;
        }
        if (!std::isfinite(in.samples[k]))
            return fit;
        const double t = k * dt;
        loadingUnclipped += t > guess.start && t <= peak;
        unloadingUnclipped += t > peak && t < guess.end();
        bodyUnclipped += in.samples[k] > body;
        samples.t.push_back(t);
        samples.y.push_back(in.samples[k]);
    }
    if (loadingUnclipped < kLeastHalfSamples || unloadingUnclipped < kLeastHalfSamples ||
        bodyUnclipped < kLeastUnclippedShare * (bodyUnclipped + fit.clippedSamples) ||
        static_cast<int>(samples.t.size()) <= 2 * kParameters) {
        fit.tooFewUnclipped = fit.clippedSamples > 0;
        return fit;
    }

    PulseResiduals residuals(samples);
    Eigen::LevenbergMarquardt<PulseResiduals> solver(residuals);
    solver.setMaxfev(400);
    // A millionth of the durations is far below what the moduli need (their
    // sensitivity is 2.5 times that) and saves the solver's last iterations.
    solver.setXtol(1e-6);
    solver.setFtol(1e-8);
    Eigen::VectorXd x(kParameters);
    x << guess.start, guess.loading, guess.unloading,
        fit.clippedSamples > 0 ? 1.2 * guess.amplitude : guess.amplitude;
    const auto status = solver.minimize(x);
    const HertzPulse pulse = pulseOf(x);
    fit.start = pulse.start;
    fit.loading = pulse.loading;
    fit.unloading = pulse.unloading;
    fit.amplitude = pulse.amplitude;
    fit.samplesUsed = static_cast<int>(samples.t.size());
    if (!acceptable(status) || !x.allFinite() || !(x(1) > 0) || !(x(2) > 0) ||
        !(pulse.amplitude > 0))
        return fit;

    Eigen::VectorXd r(samples.t.size());
    residuals(x, r);
    PulseResiduals::JacobianType jacobian(r.size(), kParameters);
    residuals.df(x, jacobian);
    const double squares = r.squaredNorm();
    const double meanSquare = squares / static_cast<double>(r.size());
    const double variance = squares / static_cast<double>(r.size() - kParameters);
    const Eigen::Matrix4d information = jacobian.transpose() * jacobian;
    const Eigen::Matrix4d covariance = variance * information.inverse();
    if (!covariance.allFinite())
        return fit;
    fit.loadingDeviation = std::sqrt(std::max(covariance(1, 1), 0.0));
    fit.unloadingDeviation = std::sqrt(std::max(covariance(2, 2), 0.0));
    fit.loadingUnloadingCovariance = covariance(1, 2);
    fit.residual = std::sqrt(meanSquare) / fit.amplitude;
    fit.excessResidual = std::sqrt(std::max(meanSquare - in.noise * in.noise, 0.0)) / fit.amplitude;
    fit.converged = true;
    return fit;
}

} // namespace tarvel
