#include "plot_overlay_items.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace {
constexpr double kOverlayZ = 1000;
// The title a column of lines keeps clear of, and the gap below it.
constexpr int kTitlePointSize = 10;
constexpr int kColumnGap = 4;
// Lines of a column are this much further apart than the font asks, when
// there is room.
constexpr int kColumnLeading = 3;

QFontMetricsF metricsOf(int pointSize) {
    return QFontMetricsF(QFont(QStringLiteral("Helvetica"), pointSize));
}
} // namespace

int overlayTitleBaseline(int pointSize) {
    return static_cast<int>(std::ceil(metricsOf(pointSize).ascent())) + 1;
}

int overlayTitleBottom(int pointSize) {
    return overlayTitleBaseline(pointSize) +
           static_cast<int>(std::ceil(metricsOf(pointSize).descent()));
}

QwtPlotTextEx::QwtPlotTextEx() {
    setZ(kOverlayZ);
}

QwtPlotTextEx::~QwtPlotTextEx() = default;

int QwtPlotTextEx::rtti() const {
    return QwtPlotItem::Rtti_PlotUserItem;
}

void QwtPlotTextEx::setTopLeft(int offsetX, int offsetY) {
    offsetX_ = offsetX;
    offsetY_ = offsetY;
    anchor_ = TopLeft;
}

void QwtPlotTextEx::setBottomRight(int insetRight, int insetBottom, int extraRight,
                                   int extraBottom) {
    insetRight_ = insetRight;
    insetBottom_ = insetBottom;
    extraRight_ = extraRight;
    extraBottom_ = extraBottom;
    anchor_ = BottomRight;
}

void QwtPlotTextEx::setTopRight(int insetRight, int topOffset, int extraRight, int extraBottom) {
    insetRight_ = insetRight;
    topOffset_ = topOffset;
    extraRight_ = extraRight;
    extraBottom_ = extraBottom;
    anchor_ = TopRight;
}

void QwtPlotTextEx::setColumnLine(int insetRight, int line, int lineCount) {
    insetRight_ = insetRight;
    line_ = line;
    lineCount_ = std::max(lineCount, 1);
    anchor_ = Column;
}

void QwtPlotTextEx::setText(const QString& text, const QColor& colour, int pointSize) {
    text_ = text;
    colour_ = colour;
    pointSize_ = pointSize;
    show();
}

bool QwtPlotTextEx::fits(const QRectF& r) const {
    return position(r).y() + metricsOf(pointSize_).descent() <= r.y() + r.height();
}

QPointF QwtPlotTextEx::position(const QRectF& r) const {
    switch (anchor_) {
    case TopLeft:
        return {r.x() + offsetX_, r.y() + offsetY_};
    case BottomRight:
        return {r.x() + r.width() - insetRight_ - extraRight_,
                r.y() + r.height() - insetBottom_ - extraBottom_};
    case TopRight:
        return {r.x() + r.width() - insetRight_ - extraRight_, r.y() + topOffset_};
    case Column: {
        const QFontMetricsF metrics = metricsOf(pointSize_);
        const double top =
            overlayTitleBottom(kTitlePointSize) + kColumnGap + std::ceil(metrics.ascent());
        const double tightest = std::ceil(metrics.lineSpacing());
        const double widest = tightest + kColumnLeading;
        const double room = r.height() - top - metrics.descent();
        const double spacing =
            lineCount_ > 1 ? std::clamp(std::floor(room / (lineCount_ - 1)), tightest, widest)
                           : widest;
        return {r.x() + r.width() - insetRight_, r.y() + top + spacing * line_};
    }
    default:
        return {0, 0};
    }
}

void QwtPlotTextEx::drawText(QPainter* painter, const QPointF& at) const {
    painter->setPen(colour_);
    const QFont font(QStringLiteral("Helvetica"), pointSize_);
    painter->setFont(font);
    const int x = static_cast<int>(at.x());
    const int y = static_cast<int>(at.y());
    if (!text_.contains(QLatin1Char('\n'))) {
        painter->drawText(x, y, text_);
        return;
    }
    // Each line is the text before a separator; whatever follows the last
    // separator is not a line.
    const QStringList pieces = text_.split(QLatin1Char('\n'));
    const int spacing = QFontMetrics(font).lineSpacing();
    for (int i = 0; i + 1 < pieces.size(); ++i)
        painter->drawText(x, y + i * spacing, pieces[i]);
}

void QwtPlotTextEx::draw(QPainter* painter, const QwtScaleMap&, const QwtScaleMap&,
                         const QRectF& canvasRect) const {
    if (anchor_ == Column && !fits(canvasRect))
        return;
    drawText(painter, position(canvasRect));
}

QwtPlotMarkerBelowTitle::QwtPlotMarkerBelowTitle(int titlePointSize)
    : clearance_(overlayTitleBottom(titlePointSize)) {}

void QwtPlotMarkerBelowTitle::drawLabel(QPainter* painter, const QRectF& canvasRect,
                                        const QPointF& pos) const {
    QwtPlotMarker::drawLabel(painter, canvasRect.adjusted(0, clearance_, 0, 0), pos);
}

void QwtPlotTextEx1::draw(QPainter* painter, const QwtScaleMap&, const QwtScaleMap&,
                          const QRectF& canvasRect) const {
    painter->save();
    painter->setClipRect(canvasRect);
    painter->setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    painter->setBrush(QBrush(Qt::cyan, Qt::SolidPattern));
    painter->drawRect(QRectF(canvasRect.width() - 220, canvasRect.top(), canvasRect.width(),
                             canvasRect.height()));
    painter->restore();
    drawText(painter, position(canvasRect));
}

QwtPlotImage::QwtPlotImage(const QImage* image) : image_(image) {
    setZ(kOverlayZ);
}

QwtPlotImage::~QwtPlotImage() = default;

int QwtPlotImage::rtti() const {
    return QwtPlotItem::Rtti_PlotUserItem;
}

QPointF QwtPlotImage::position(const QRectF& r) const {
    return {r.x() + 0.8 * r.width() - image_->width() - 2, r.y() + 2};
}

void QwtPlotImage::draw(QPainter* painter, const QwtScaleMap&, const QwtScaleMap&,
                        const QRectF& canvasRect) const {
    painter->drawImage(position(canvasRect), *image_);
}
