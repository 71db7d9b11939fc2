// A plot curve that leaves out polygon clipping where it cannot change
// anything.
#pragma once

#include <qwt_plot_curve.h>

// Qwt clips a curve's line and its filled area to the canvas at every
// paint: a fifth of the curve's drawing. Clipping a polygon whose every
// point lies inside the clip rectangle returns it point for point, so where
// the whole series maps inside the canvas this curve draws its lines as the
// plot curve does, without it, and maps a wave's samples where they lie.
// Curves reaching the canvas's edge, such as a wave zoomed to the impact,
// are drawn by the plot curve itself.
class InsideCanvasCurve : public QwtPlotCurve {
protected:
    void drawLines(QPainter* painter, const QwtScaleMap& xMap, const QwtScaleMap& yMap,
                   const QRectF& canvasRect, int from, int to) const override;

private:
    bool liesInside(const QwtScaleMap& xMap, const QwtScaleMap& yMap,
                    const QRectF& canvasRect) const;
    QPolygonF mappedPolyline(QPainter* painter, const QwtScaleMap& xMap, const QwtScaleMap& yMap,
                             int from, int to) const;
    void fillInside(QPainter* painter, const QwtScaleMap& xMap, const QwtScaleMap& yMap,
                    QPolygonF& polygon) const;
};
