// Overlays drawn in canvas pixels, independent of the axis scales: text
// anchored to a corner of the canvas, text on a filled box, and an image.
#pragma once

#include "pixel_lines.h"

#include <QColor>
#include <QStaticText>
#include <QString>
#include <qwt_plot_item.h>
#include <qwt_plot_marker.h>
#include <vector>

class QImage;

// The baseline of a title written at the top of a canvas in `pointSize`,
// and the bottom of the band it takes, from the font's metrics so that no
// screen resolution or font setting cuts or overlaps it.
int overlayTitleBaseline(int pointSize);
int overlayTitleBottom(int pointSize);

class QwtPlotTextEx : public QwtPlotItem {
public:
    enum Anchor { TopLeft = 0, TopRight = 1, BottomRight = 3, Column = 4 };

    QwtPlotTextEx();
    ~QwtPlotTextEx() override;

    int rtti() const override;
    void draw(QPainter* painter, const QwtScaleMap& xMap, const QwtScaleMap& yMap,
              const QRectF& canvasRect) const override;

    void setTopLeft(int offsetX, int offsetY);
    void setBottomRight(int insetRight, int insetBottom, int extraRight, int extraBottom);
    void setTopRight(int insetRight, int topOffset, int extraRight, int extraBottom);
    // Line `line` of a column of `lineCount` lines placed for the canvas it
    // is drawn on: below the title band, a little more than a line apart,
    // closer on a short canvas down to the font's line spacing. A line that
    // still does not fit is not drawn.
    void setColumnLine(int insetRight, int line, int lineCount);
    // Stores the three values and shows the item.
    void setText(const QString& text, const QColor& colour, int pointSize);

    QString text() const { return text_; }
    QColor colour() const { return colour_; }
    int pointSize() const { return pointSize_; }
    // Where the first line is drawn for a canvas rectangle.
    QPointF position(const QRectF& canvasRect) const;
    // False when the text would reach below the canvas.
    bool fits(const QRectF& canvasRect) const;

protected:
    void drawText(QPainter* painter, const QPointF& at) const;

private:
    int offsetX_ = 0;
    int offsetY_ = 0;
    int insetRight_ = 0;
    int insetBottom_ = 0;
    int topOffset_ = 0;
    int extraRight_ = 0;
    int extraBottom_ = 0;
    int line_ = 0;
    int lineCount_ = 1;
    int anchor_ = TopLeft;
    QColor colour_;
    int pointSize_ = 10;
    QString text_;
    struct LaidOutLine {
        QStaticText text;
        double ascent = 0; // from the top of the static text to its baseline
    };
    mutable std::vector<LaidOutLine> lines_;
};

// A vertical marker whose top-aligned label starts below the title band,
// so that a mark near the left edge never covers the title.
class QwtPlotMarkerBelowTitle : public PixelLineMarker {
public:
    explicit QwtPlotMarkerBelowTitle(int titlePointSize);

protected:
    void drawLabel(QPainter* painter, const QRectF& canvasRect, const QPointF& pos) const override;

private:
    int clearance_;
};

// The text on a cyan box that fills the canvas from 220 px left of its
// right edge.
class QwtPlotTextEx1 : public QwtPlotTextEx {
public:
    void draw(QPainter* painter, const QwtScaleMap& xMap, const QwtScaleMap& yMap,
              const QRectF& canvasRect) const override;
};

// An image that it does not own, drawn near the top of the canvas with its
// right edge 2 px left of four fifths of the canvas width.
class QwtPlotImage : public QwtPlotItem {
public:
    explicit QwtPlotImage(const QImage* image);
    ~QwtPlotImage() override;

    int rtti() const override;
    void draw(QPainter* painter, const QwtScaleMap& xMap, const QwtScaleMap& yMap,
              const QRectF& canvasRect) const override;

    QPointF position(const QRectF& canvasRect) const;

private:
    const QImage* image_;
};
