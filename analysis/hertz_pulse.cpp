#include "hertz_pulse.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tarvel {
namespace {

constexpr int kTableIntervals = 4096;

// du/dtau, from the conserved energy u'^2 + u^2.5 = 1.
double riseSpeed(double u) {
    const double left = 1 - u * u * std::sqrt(u);
    return kHertzHalfSpan * std::sqrt(left > 0 ? left : 0);
}

// The rise and its slope at tau = i / kTableIntervals, read between entries
// by straight lines: the fit evaluates the shape a hundred thousand times a
// second, and lines over 4096 intervals stay within a few millionths of the
// curve.
struct RiseTable {
    std::array<ShapePoint, kTableIntervals + 2> points{};

    RiseTable() {
        // RK4 on u'' = -5/4 u^1.5, many steps per table interval; the state
        // is clamped at 0 where a step would take u^1.5 of a tiny negative.
        constexpr int kSteps = 8;
        const double h = kHertzHalfSpan / kTableIntervals / kSteps;
        const auto accel = [](double x) { return x > 0 ? -1.25 * x * std::sqrt(x) : 0.0; };
        double x = 0;
        double v = 1;
        for (int i = 1; i <= kTableIntervals; ++i) {
            for (int s = 0; s < kSteps; ++s) {
                const double k1x = v, k1v = accel(x);
                const double k2x = v + 0.5 * h * k1v, k2v = accel(x + 0.5 * h * k1x);
                const double k3x = v + 0.5 * h * k2v, k3v = accel(x + 0.5 * h * k2x);
                const double k4x = v + h * k3v, k4v = accel(x + h * k3x);
                x += h / 6 * (k1x + 2 * k2x + 2 * k3x + k4x);
                v += h / 6 * (k1v + 2 * k2v + 2 * k3v + k4v);
            }
            // The deepest point, by definition of the span, at the last entry.
            const double u = i == kTableIntervals ? 1.0 : std::min(x, 1.0);
            const double root = std::sqrt(u);
            points[static_cast<std::size_t>(i)] = {u * root, 1.5 * root * riseSpeed(u)};
        }
        points[kTableIntervals + 1] = points[kTableIntervals];
    }
};

const RiseTable& riseTable() {
    static const RiseTable table;
    return table;
}

} // namespace

ShapePoint hertzRise(double tau) {
    if (!(tau > 0))
        return {0, 0};
    if (tau >= 1)
        return {1, 0};
    const double position = tau * kTableIntervals;
    const int i = static_cast<int>(position);
    const double f = position - i;
    const ShapePoint& a = riseTable().points[static_cast<std::size_t>(i)];
    const ShapePoint& b = riseTable().points[static_cast<std::size_t>(i) + 1];
    return {a.value + f * (b.value - a.value), a.slope + f * (b.slope - a.slope)};
}

double hertzHalfHeightTime() {
    static const double tau = [] {
        double low = 0;
        double high = 1;
        for (int i = 0; i < 60; ++i) {
            const double middle = 0.5 * (low + high);
            (hertzRise(middle).value < 0.5 ? low : high) = middle;
        }
        return 0.5 * (low + high);
    }();
    return tau;
}

double HertzPulse::valueAt(double t) const {
    if (!(t > start) || !(t < end()))
        return 0;
    const double peak = start + loading;
    if (t <= peak)
        return amplitude * hertzRise((t - start) / loading).value;
    return amplitude * hertzRise((end() - t) / unloading).value;
}

PulseGradient pulseGradient(const HertzPulse& p, double t) {
    PulseGradient g;
    if (!(t > p.start) || !(t < p.end()))
        return g;
    if (t <= p.start + p.loading) {
        const double tau = (t - p.start) / p.loading;
        const ShapePoint s = hertzRise(tau);
        g.value = p.amplitude * s.value;
        g.byAmplitude = s.value;
        g.byStart = -p.amplitude * s.slope / p.loading;
        g.byLoading = -p.amplitude * s.slope * tau / p.loading;
        return g;
    }
    // The fall is the rise run backwards from the end.
    const double sigma = (p.end() - t) / p.unloading;
    const ShapePoint s = hertzRise(sigma);
    g.value = p.amplitude * s.value;
    g.byAmplitude = s.value;
    g.byStart = p.amplitude * s.slope / p.unloading;
    g.byLoading = g.byStart;
    g.byUnloading = p.amplitude * s.slope * (1 - sigma) / p.unloading;
    return g;
}

double hertzPeakDeceleration(double speed, double loadingSeconds) {
    return 1.25 * kHertzHalfSpan * speed / loadingSeconds;
}

} // namespace tarvel
