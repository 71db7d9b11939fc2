#include "layered_canvas.h"

#include "pixel_lines.h"

#include <QPaintEvent>
#include <QPainter>
#include <qwt_plot.h>

bool LayeredGridCanvas::fillsPlainly() const {
    return !testPaintAttribute(BackingStore) && !testAttribute(Qt::WA_StyledBackground) &&
           testAttribute(Qt::WA_OpaquePaintEvent) && autoFillBackground() && borderRadius() <= 0;
}

const LayeredGrid* LayeredGridCanvas::lowestGrid() const {
    const QwtPlot* owner = plot();
    if (!owner)
        return nullptr;
    for (const QwtPlotItem* item : owner->itemList()) {
        if (item->isVisible())
            return dynamic_cast<const LayeredGrid*>(item);
    }
    return nullptr;
}

void LayeredGridCanvas::paintEvent(QPaintEvent* event) {
    const LayeredGrid* grid = fillsPlainly() ? lowestGrid() : nullptr;
    if (grid) {
        QPainter painter(this);
        painter.setClipRegion(event->region());
        if (grid->coversCanvas(painter)) {
            // The frame's ring is all the fill that is not painted over.
            const QBrush background = palette().brush(backgroundRole());
            for (const QRect& ring : event->region().subtracted(contentsRect()))
                painter.fillRect(ring, background);
            painter.save();
            painter.setClipRect(contentsRect(), Qt::IntersectClip);
            plot()->drawCanvas(&painter);
            painter.restore();
            if (frameWidth() > 0)
                drawBorder(&painter);
            if (hasFocus() && focusIndicator() == CanvasFocusIndicator)
                drawFocusIndicator(&painter);
            return;
        }
    }
    QwtPlotCanvas::paintEvent(event);
}
