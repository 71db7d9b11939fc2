#include "inside_canvas_curve.h"

#include "sample_series.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <qwt_painter.h>
#include <qwt_scale_map.h>

namespace {

// Kept clear of the canvas's edges: a pixel more than the rounding of the
// series' bounds and of aligned points could ever move a point.
constexpr double kMargin = 1.0;

bool within(double a, double b, double low, double high) {
    return std::min(a, b) >= low + kMargin && std::max(a, b) <= high - kMargin;
}

// Qwt's rounding of aligned points, half away from zero: floor(v + 0.5)
// or ceil(v - 0.5). A canvas's coordinates are positive and small, and for
// them the whole-number conversion is that floor without a library call.
struct RoundHalfAway {
    double operator()(double value) const {
        if (value >= 0.0 && value < 1e15)
            return static_cast<double>(static_cast<long long>(value + 0.5));
        return value >= 0.0 ? std::floor(value + 0.5) : std::ceil(value - 0.5);
    }
};

struct NoRounding {
    double operator()(double value) const { return value; }
};

// The points Qwt's point mapper makes of samples from..to: each mapped and
// rounded, and with `weedOut` a point equal to the one before it (as points
// compare, within a rounding) left out.
template <typename Sample, typename Round>
QPolygonF mapped(Sample sample, const QwtScaleMap& xMap, const QwtScaleMap& yMap, int from, int to,
                 bool weedOut, Round round) {
    QPolygonF polyline(to - from + 1);
    QPointF* points = polyline.data();
    const QPointF first = sample(from);
    points[0] = QPointF(round(xMap.transform(first.x())), round(yMap.transform(first.y())));
    int last = 0;
    for (int i = from + 1; i <= to; ++i) {
        const QPointF s = sample(i);
        const QPointF p(round(xMap.transform(s.x())), round(yMap.transform(s.y())));
        if (!weedOut || points[last] != p)
            points[++last] = p;
    }
    polyline.resize(last + 1);
    return polyline;
}

} // namespace

bool InsideCanvasCurve::liesInside(const QwtScaleMap& xMap, const QwtScaleMap& yMap,
                                   const QRectF& canvasRect) const {
    if (xMap.transformation() || yMap.transformation() || orientation() != Qt::Vertical)
        return false;
    const QRectF bounds = data()->boundingRect();
    if (!(bounds.width() >= 0 && bounds.height() >= 0))
        return false;
    // The filled area reaches down (or up) to the baseline, a y value in
    // this orientation.
    const double baselineY = yMap.transform(baseline());
    return within(xMap.transform(bounds.left()), xMap.transform(bounds.right()), canvasRect.left(),
                  canvasRect.right()) &&
           within(yMap.transform(bounds.top()), yMap.transform(bounds.bottom()), canvasRect.top(),
                  canvasRect.bottom()) &&
           within(baselineY, baselineY, canvasRect.top(), canvasRect.bottom());
}

QPolygonF InsideCanvasCurve::mappedPolyline(QPainter* painter, const QwtScaleMap& xMap,
                                            const QwtScaleMap& yMap, int from, int to) const {
    const bool weedOut = testPaintAttribute(FilterPoints);
    const bool align = QwtPainter::roundingAlignment(painter);
    const auto map = [&](auto sample) {
        return align ? mapped(sample, xMap, yMap, from, to, weedOut, RoundHalfAway())
                     : mapped(sample, xMap, yMap, from, to, weedOut, NoRounding());
    };
    // A wave's own series is read without a virtual call per sample.
    if (const auto* samples = dynamic_cast<const tarvel::SampleSeries*>(data()))
        return map([samples](int i) { return samples->sample(static_cast<std::size_t>(i)); });
    const QwtSeriesData<QPointF>* series = data();
    return map([series](int i) { return series->sample(static_cast<std::size_t>(i)); });
}

void InsideCanvasCurve::fillInside(QPainter* painter, const QwtScaleMap& xMap,
                                   const QwtScaleMap& yMap, QPolygonF& polygon) const {
    closePolyline(painter, xMap, yMap, polygon);
    if (polygon.count() <= 2)
        return;
    QBrush fill = brush();
    if (!fill.color().isValid())
        fill.setColor(pen().color());
    painter->save();
    painter->setPen(Qt::NoPen);
    painter->setBrush(fill);
    QwtPainter::drawPolygon(painter, polygon);
    painter->restore();
}

void InsideCanvasCurve::drawLines(QPainter* painter, const QwtScaleMap& xMap,
                                  const QwtScaleMap& yMap, const QRectF& canvasRect, int from,
                                  int to) const {
    const bool fitted = testCurveAttribute(Fitted) && curveFitter();
    if (from > to || fitted || !testPaintAttribute(ClipPolygons) ||
        !liesInside(xMap, yMap, canvasRect)) {
        QwtPlotCurve::drawLines(painter, xMap, yMap, canvasRect, from, to);
        return;
    }
    // The plot curve's lines, less the clipping.
    QPolygonF polyline = mappedPolyline(painter, xMap, yMap, from, to);
    const bool fills = brush().style() != Qt::NoBrush && brush().color().alpha() > 0;
    if (!fills) {
        QwtPainter::drawPolyline(painter, polyline);
    } else if (painter->pen().style() == Qt::NoPen) {
        fillInside(painter, xMap, yMap, polyline);
    } else {
        QPolygonF filled = polyline;
        fillInside(painter, xMap, yMap, filled);
        QwtPainter::drawPolyline(painter, polyline);
    }
}
