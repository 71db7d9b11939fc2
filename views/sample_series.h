// Hands Qwt a wave's samples where they already are: the file's time axis
// (or a point's length axis) and the point's conditioned series. Nothing is
// copied; the adapter must be replaced whenever the buffers are reallocated,
// which the wave view does on every drawing.
#pragma once

#include <QPointF>
#include <cstddef>
#include <qwt_series_data.h>

namespace tarvel {

class SampleSeries final : public QwtSeriesData<QPointF> {
public:
    // x[i] + xShift against y[i] for i < size.
    SampleSeries(const double* x, const double* y, std::size_t size, double xShift = 0);

    size_t size() const override;
    // Inline, so that a caller knowing the type reads samples without a
    // virtual call per point.
    QPointF sample(size_t i) const override { return {x_[i] + xShift_, y_[i]}; }
    QRectF boundingRect() const override;

private:
    const double* x_;
    const double* y_;
    std::size_t size_;
    double xShift_;
};

} // namespace tarvel
