// A plot canvas that leaves its filling to a grid layer covering it.
#pragma once

#include <qwt_plot_canvas.h>

class LayeredGrid;

// The plot canvas fills itself before its items are drawn. Where the lowest
// item is a grid that copies an opaque layer over the whole canvas, that
// fill is overwritten at once; on a list of hundreds of views it cost as
// much as the layer itself. This canvas then fills only its frame. Any
// other setup (a styled or rounded canvas, a cached pixmap, a grid that
// cannot cover) paints as the plot canvas does.
class LayeredGridCanvas : public QwtPlotCanvas {
public:
    using QwtPlotCanvas::QwtPlotCanvas;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool fillsPlainly() const;
    const LayeredGrid* lowestGrid() const;
};
