#include "plot_overlay_items.h"

#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <QTextLayout>
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

QFont overlayFont(int pointSize) {
    return QFont(QStringLiteral("Helvetica"), pointSize);
}

// The few metrics the overlays place text by. Every line of every view asks
// for them at every paint, and looking a font up each time cost more than
// drawing the text.
struct LineMetrics {
    double ascent = 0;
    double descent = 0;
    double lineSpacing = 0;
    int wholeLineSpacing = 0;
};

const LineMetrics& metricsOf(int pointSize) {
    static QHash<int, LineMetrics> known;
    auto found = known.constFind(pointSize);
    if (found == known.constEnd()) {
        const QFont font = overlayFont(pointSize);
        const QFontMetricsF metrics(font);
        found = known.insert(pointSize, {metrics.ascent(), metrics.descent(), metrics.lineSpacing(),
                                         QFontMetrics(font).lineSpacing()});
    }
    return *found;
}
// How far below its top a static text of `text` puts its baseline. A line
// with glyphs from a fallback font (Chinese beside a Latin face) is laid out
// with the tallest ascent among its fonts, which may exceed the font's own.
double lineAscent(const QString& text, const QFont& font) {
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    double ascent = QFontMetricsF(font).ascent();
    if (line.isValid()) {
        line.setLeadingIncluded(true);
        line.setLineWidth(1e6); // lays the line out; no overlay is this wide
        ascent = line.ascent();
    }
    layout.endLayout();
    return ascent;
}
} // namespace

int overlayTitleBaseline(int pointSize) {
    return static_cast<int>(std::ceil(metricsOf(pointSize).ascent)) + 1;
}

int overlayTitleBottom(int pointSize) {
    return overlayTitleBaseline(pointSize) +
           static_cast<int>(std::ceil(metricsOf(pointSize).descent));
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
    if (text != text_ || pointSize != pointSize_)
        lines_.clear();
    text_ = text;
    colour_ = colour;
    pointSize_ = pointSize;
    show();
}

bool QwtPlotTextEx::fits(const QRectF& r) const {
    return position(r).y() + metricsOf(pointSize_).descent <= r.y() + r.height();
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
        const LineMetrics& metrics = metricsOf(pointSize_);
        const double top =
            overlayTitleBottom(kTitlePointSize) + kColumnGap + std::ceil(metrics.ascent);
        const double tightest = std::ceil(metrics.lineSpacing);
        const double widest = tightest + kColumnLeading;
        const double room = r.height() - top - metrics.descent;
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
    const QFont font = overlayFont(pointSize_);
    painter->setFont(font);
    // Each line is the text before a separator; whatever follows the last
    // separator is not a line. Lines are laid out once and kept: views are
    // painted far more often than their texts change.
    if (lines_.empty()) {
        QStringList pieces = text_.split(QLatin1Char('\n'));
        if (pieces.size() > 1)
            pieces.removeLast();
        for (const QString& piece : pieces) {
            QStaticText line(piece);
            line.setTextFormat(Qt::PlainText);
            lines_.push_back({line, lineAscent(piece, font)});
        }
    }
    // A static text is placed by its top; these lines by their baselines.
    const LineMetrics& metrics = metricsOf(pointSize_);
    const int x = static_cast<int>(at.x());
    const int y = static_cast<int>(at.y());
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const double baseline = y + static_cast<double>(i) * metrics.wholeLineSpacing;
        painter->drawStaticText(QPointF(x, baseline - lines_[i].ascent), lines_[i].text);
    }
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
