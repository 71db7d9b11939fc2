#include "inside_canvas_curve.h"

#include <algorithm>
#include <qwt_scale_map.h>

namespace {

// Kept clear of the canvas's edges: a pixel more than the rounding of the
// series' bounds and of aligned points could ever move a point.
constexpr double kMargin = 1.0;

bool within(double a, double b, double low, double high) {
    return std::min(a, b) >= low + kMargin && std::max(a, b) <= high - kMargin;
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

void InsideCanvasCurve::drawLines(QPainter* painter, const QwtScaleMap& xMap,
                                  const QwtScaleMap& yMap, const QRectF& canvasRect, int from,
                                  int to) const {
    const bool clips = testPaintAttribute(ClipPolygons);
    if (!clips || !liesInside(xMap, yMap, canvasRect)) {
        QwtPlotCurve::drawLines(painter, xMap, yMap, canvasRect, from, to);
        return;
    }
    // The attribute is read only while drawing; it is set back at once.
    auto* self = const_cast<InsideCanvasCurve*>(this);
    self->setPaintAttribute(ClipPolygons, false);
    QwtPlotCurve::drawLines(painter, xMap, yMap, canvasRect, from, to);
    self->setPaintAttribute(ClipPolygons, true);
}
