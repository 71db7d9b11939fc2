// The fitted Hertz pulse of a point as a series for Qwt: the rise and the
// fall drawn from a few hundred points, standing on the marking baseline,
// with the baseline on either side so the line meets the wave where it
// leaves it.
#pragma once

#include "data/impact_fits.h"

#include <QPointF>
#include <qwt_series_data.h>
#include <vector>

namespace tarvel {

class FittedPulseSeries final : public QwtSeriesData<QPointF> {
public:
    FittedPulseSeries(const PulseFit& fit, double baseline, double xShift = 0);

    size_t size() const override { return points_.size(); }
    QPointF sample(size_t i) const override { return points_[i]; }
    QRectF boundingRect() const override;

private:
    std::vector<QPointF> points_;
};

} // namespace tarvel
