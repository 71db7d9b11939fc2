#include "fitted_pulse_series.h"

#include "analysis/hertz_pulse.h"

#include <algorithm>

namespace tarvel {
namespace {

// Points along each half: enough for a smooth line at any zoom of a view.
constexpr int kPointsPerHalf = 120;
// Baseline shown beyond the contact on each side, as a share of its length.
constexpr double kLead = 0.1;

} // namespace

FittedPulseSeries::FittedPulseSeries(const PulseFit& fit, double baseline, double xShift) {
    if (!fit.converged)
        return;
    const HertzPulse pulse{fit.start, fit.loading, fit.unloading, fit.amplitude};
    const double lead = kLead * (fit.loading + fit.unloading);
    points_.reserve(2 * kPointsPerHalf + 4);
    points_.emplace_back(pulse.start - lead + xShift, baseline);
    for (int i = 0; i <= kPointsPerHalf; ++i) {
        const double t = pulse.start + pulse.loading * i / kPointsPerHalf;
        points_.emplace_back(t + xShift, baseline + pulse.valueAt(t));
    }
    const double peak = pulse.start + pulse.loading;
    for (int i = 1; i <= kPointsPerHalf; ++i) {
        const double t = peak + pulse.unloading * i / kPointsPerHalf;
        points_.emplace_back(t + xShift, baseline + pulse.valueAt(t));
    }
    points_.emplace_back(pulse.end() + lead + xShift, baseline);
}

QRectF FittedPulseSeries::boundingRect() const {
    if (points_.empty())
        return {1, 1, -2, -2}; // Qwt's invalid rectangle
    double top = points_.front().y();
    double bottom = top;
    for (const QPointF& p : points_) {
        top = std::max(top, p.y());
        bottom = std::min(bottom, p.y());
    }
    return {points_.front().x(), bottom, points_.back().x() - points_.front().x(), top - bottom};
}

} // namespace tarvel
