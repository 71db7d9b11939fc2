// Straight plot lines drawn as pixel runs and cached layers.
//
// Qt's raster engine strokes a one-pixel line pixel by pixel, each pixel a
// span of its own: a wave view's dotted grid (a hundred lines) and its
// marker lines cost more than the wave itself. Where the painter maps
// coordinates to whole device pixels, the same pixels are set far cheaper:
// a solid line as one filled rectangle, the grid's vertical lines as one
// cached layer shared by every view with the same axis, its horizontal
// lines as one cached row each. Any other painter (antialiased, scaled,
// printing) gets the ordinary strokes.
#pragma once

#include <qwt_plot_grid.h>
#include <qwt_plot_marker.h>

class QPainter;
class QPen;
class QPointF;

// Whether `painter` puts logical pixels on whole device pixels of a raster
// image, with nothing (antialiasing, opacity, composition) that a pixel
// copy would not reproduce.
bool drawsOnPixelGrid(const QPainter& painter);

// Draws a horizontal or vertical solid one-pixel line from p1 to p2 as the
// pixels the stroke would set. Returns false, drawing nothing, where that
// cannot be done exactly; the caller then strokes it.
bool fillAxisLine(QPainter& painter, const QPen& pen, const QPointF& p1, const QPointF& p2);

// A grid whose lines are pasted from cached layers on a pixel-grid painter.
class LayeredGrid : public QwtPlotGrid {
public:
    void draw(QPainter* painter, const QwtScaleMap& xMap, const QwtScaleMap& yMap,
              const QRectF& canvasRect) const override;

    // Whether the grid, drawn next on `painter` (its canvas's own, nothing
    // drawn yet), would copy an opaque layer over the whole canvas: filling
    // the canvas first would then be wasted.
    bool coversCanvas(QPainter& painter) const;

private:
    // The vertical lines of one paint, where they would be pasted as a layer.
    struct VerticalLines {
        QVector<double> minorXs;
        QVector<double> majorXs;
    };
    bool pastesLayers(const QPainter& painter) const;
    VerticalLines verticalLines(QPainter* painter, const QwtScaleMap& xMap,
                                const QRectF& canvasRect) const;
    // The colour the canvas being painted was just filled with, when
    // nothing has been drawn on it since; otherwise an invalid colour.
    QColor bareCanvasColour(const QPainter& painter, const QRectF& canvasRect) const;
};

// A marker whose horizontal and vertical lines are pixel runs.
class PixelLineMarker : public QwtPlotMarker {
protected:
    void drawLines(QPainter* painter, const QRectF& canvasRect, const QPointF& pos) const override;
};
