#include "pixel_lines.h"

#include <QDataStream>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <array>
#include <cmath>
#include <optional>
#include <qwt_painter.h>
#include <qwt_plot.h>
#include <qwt_plot_canvas.h>
#include <qwt_scale_div.h>
#include <qwt_scale_map.h>
#include <utility>

namespace {

bool isWhole(double value) {
    return value == std::floor(value);
}

bool fuzzyAtLeast(double value, double bound) {
    return value >= bound || qFuzzyCompare(value, bound);
}

bool fuzzyAtMost(double value, double bound) {
    return value <= bound || qFuzzyCompare(value, bound);
}

// A stroke pasted as pixels equals the stroke only where it covers what
// lies beneath: an opaque colour.
bool isOpaqueSolidPen(const QPen& pen) {
    return pen.brush().style() == Qt::SolidPattern && pen.color().alpha() == 255;
}

// Places of grid lines across one axis, as the grid would place them.
QVector<double> linePlaces(QPainter* painter, const QwtScaleMap& map, const QList<double>& ticks,
                           double from, double to) {
    const bool align = QwtPainter::roundingAlignment(painter);
    QVector<double> places;
    for (const double tick : ticks) {
        double value = map.transform(tick);
        if (align)
            value = qRound(value);
        if (fuzzyAtLeast(value, from) && fuzzyAtMost(value, to))
            places.append(value);
    }
    return places;
}

// Everything that decides the pixels of a grid's layer or row.
struct LayerParts {
    QByteArray kind;
    QRect area;
    QRectF canvasRect;
    QPen minor;
    QPen major;
    QVector<double> minorXs;
    QVector<double> majorXs;
    QColor ground;

    // Exact, where rectangles compare within a rounding.
    bool operator==(const LayerParts& other) const {
        const auto corners = [](const QRectF& r) {
            return std::array<double, 4>{r.x(), r.y(), r.width(), r.height()};
        };
        return kind == other.kind && area == other.area &&
               corners(canvasRect) == corners(other.canvasRect) && minor == other.minor &&
               major == other.major && minorXs == other.minorXs && majorXs == other.majorXs &&
               ground == other.ground;
    }
};

// The cache key of a layer, written from its parts. Every view of a list
// asks for the same few layers at each paint, and writing their parts out
// cost a sixth of pasting them: the last few keys are kept with their parts.
QString layerKey(const LayerParts& parts) {
    static std::array<std::optional<std::pair<LayerParts, QString>>, 4> recent;
    static std::size_t next = 0;
    for (const auto& entry : recent) {
        if (entry && entry->first == parts)
            return entry->second;
    }
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << parts.kind << parts.area << parts.canvasRect << parts.minor << parts.major
           << parts.minorXs << parts.majorXs << parts.ground;
    const QString key = QString::fromLatin1(bytes.toBase64());
    recent[next] = std::make_pair(parts, key);
    next = (next + 1) % recent.size();
    return key;
}

// The pixmap of `size` with `strokes` drawn on `ground` (transparency when
// invalid), made once per key and kept in the application's pixmap cache.
template <typename Strokes>
QPixmap cachedStrokes(const QString& key, const QSize& size, const QColor& ground,
                      Strokes strokes) {
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap))
        return pixmap;
    // On an opaque ground the pixmap is opaque too, and pasting it is a copy.
    QImage image(size,
                 ground.isValid() ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
    image.fill(ground.isValid() ? ground : QColor(Qt::transparent));
    {
        QPainter painter(&image);
        strokes(painter);
    }
    pixmap = QPixmap::fromImage(std::move(image));
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

} // namespace

bool drawsOnPixelGrid(const QPainter& painter) {
    if (!painter.isActive() || !painter.paintEngine() ||
        painter.paintEngine()->type() != QPaintEngine::Raster)
        return false;
    if (painter.device()->devicePixelRatioF() != 1.0)
        return false;
    const QTransform transform = painter.deviceTransform();
    return transform.type() <= QTransform::TxTranslate && isWhole(transform.dx()) &&
           isWhole(transform.dy()) && !painter.testRenderHint(QPainter::Antialiasing) &&
           painter.opacity() == 1.0 &&
           painter.compositionMode() == QPainter::CompositionMode_SourceOver;
}

bool fillAxisLine(QPainter& painter, const QPen& pen, const QPointF& p1, const QPointF& p2) {
    if (pen.style() != Qt::SolidLine || pen.widthF() != 0 || !isOpaqueSolidPen(pen))
        return false;
    if (!isWhole(p1.x()) || !isWhole(p1.y()) || !isWhole(p2.x()) || !isWhole(p2.y()))
        return false;
    const bool horizontal = p1.y() == p2.y() && p1.x() < p2.x();
    const bool vertical = p1.x() == p2.x() && p1.y() < p2.y();
    if ((!horizontal && !vertical) || !drawsOnPixelGrid(painter))
        return false;
    // A one-pixel stroke sets both end pixels, except that a flat cap
    // leaves out the last one.
    const int last = pen.capStyle() == Qt::FlatCap ? 0 : 1;
    const QPoint from = p1.toPoint();
    const QPoint to = p2.toPoint();
    const QRect run = horizontal ? QRect(from.x(), from.y(), to.x() - from.x() + last, 1)
                                 : QRect(from.x(), from.y(), 1, to.y() - from.y() + last);
    painter.fillRect(run, pen.color());
    return true;
}

QColor LayeredGrid::bareCanvasColour(const QPainter& painter, const QRectF& canvasRect) const {
    const QwtPlot* owner = plot();
    const auto* canvas = owner ? qobject_cast<const QwtPlotCanvas*>(owner->canvas()) : nullptr;
    // Only the canvas widget's own paint fills the canvas first; pictures
    // of the plot are drawn on other backgrounds.
    if (!canvas || painter.device() != canvas ||
        !canvas->testPaintAttribute(QwtPlotCanvas::Opaque) ||
        canvas->testAttribute(Qt::WA_StyledBackground) || !isWhole(canvasRect.left()) ||
        !isWhole(canvasRect.top()) || !isWhole(canvasRect.width()) ||
        !isWhole(canvasRect.height()) || canvasRect != QRectF(canvas->contentsRect()))
        return {};
    for (const QwtPlotItem* item : owner->itemList()) {
        if (item == this)
            break;
        if (item->isVisible())
            return {};
    }
    const QBrush brush = canvas->palette().brush(canvas->backgroundRole());
    if (brush.style() != Qt::SolidPattern || brush.color().alpha() != 255)
        return {};
    return brush.color();
}

bool LayeredGrid::pastesLayers(const QPainter& painter) const {
    // Layers change the order in which lines cross; that shows only when
    // minor horizontal lines are drawn in another pen.
    const bool minorY = yEnabled() && yMinEnabled();
    return drawsOnPixelGrid(painter) && isOpaqueSolidPen(minorPen()) &&
           isOpaqueSolidPen(majorPen()) && (!minorY || minorPen() == majorPen());
}

LayeredGrid::VerticalLines LayeredGrid::verticalLines(QPainter* painter, const QwtScaleMap& xMap,
                                                      const QRectF& canvasRect) const {
    const double x1 = canvasRect.left();
    const double x2 = canvasRect.right() - 1.0;
    VerticalLines lines;
    if (xEnabled() && xMinEnabled()) {
        lines.minorXs =
            linePlaces(painter, xMap, xScaleDiv().ticks(QwtScaleDiv::MinorTick), x1, x2);
        lines.minorXs +=
            linePlaces(painter, xMap, xScaleDiv().ticks(QwtScaleDiv::MediumTick), x1, x2);
    }
    if (xEnabled())
        lines.majorXs =
            linePlaces(painter, xMap, xScaleDiv().ticks(QwtScaleDiv::MajorTick), x1, x2);
    return lines;
}

bool LayeredGrid::coversCanvas(QPainter& painter) const {
    const QwtPlot* owner = plot();
    if (!owner || !owner->canvas() || !isVisible() || !pastesLayers(painter))
        return false;
    const QRectF canvasRect = owner->canvas()->contentsRect();
    if (!bareCanvasColour(painter, canvasRect).isValid())
        return false;
    const VerticalLines lines = verticalLines(&painter, owner->canvasMap(xAxis()), canvasRect);
    return !lines.minorXs.isEmpty() || !lines.majorXs.isEmpty();
}

void LayeredGrid::draw(QPainter* painter, const QwtScaleMap& xMap, const QwtScaleMap& yMap,
                       const QRectF& canvasRect) const {
    if (!pastesLayers(*painter)) {
        QwtPlotGrid::draw(painter, xMap, yMap, canvasRect);
        return;
    }
    QPen minor = minorPen();
    minor.setCapStyle(Qt::FlatCap);
    QPen major = majorPen();
    major.setCapStyle(Qt::FlatCap);
    const double x1 = canvasRect.left();
    const double x2 = canvasRect.right() - 1.0;
    const double y1 = canvasRect.top();
    const double y2 = canvasRect.bottom() - 1.0;
    const QSize size(static_cast<int>(std::ceil(canvasRect.right())),
                     static_cast<int>(std::ceil(canvasRect.bottom())));

    // The vertical lines: one layer, the same for every view of the axis.
    const VerticalLines vertical = verticalLines(painter, xMap, canvasRect);
    const QVector<double>& minorXs = vertical.minorXs;
    const QVector<double>& majorXs = vertical.majorXs;
    if (!minorXs.isEmpty() || !majorXs.isEmpty()) {
        // On a canvas nothing has been drawn on yet, the layer carries the
        // canvas colour and is copied rather than blended.
        const QColor ground = bareCanvasColour(*painter, canvasRect);
        // A layer on the canvas colour covers the canvas and no more, so that
        // the frame around it stays as drawn.
        const QRect area = ground.isValid() ? canvasRect.toRect() : QRect(QPoint(0, 0), size);
        const QString key =
            layerKey({"grid-x", area, canvasRect, minor, major, minorXs, majorXs, ground});
        const QPixmap layer = cachedStrokes(key, area.size(), ground, [&](QPainter& lines) {
            lines.translate(-area.topLeft());
            lines.setPen(minor);
            for (const double x : minorXs)
                QwtPainter::drawLine(&lines, x, y1, x, y2);
            lines.setPen(major);
            for (const double x : majorXs)
                QwtPainter::drawLine(&lines, x, y1, x, y2);
        });
        painter->drawPixmap(area.topLeft(), layer);
    }

    // The horizontal lines: one cached row per pen, pasted at each place.
    const auto pasteRows = [&](const QPen& pen, const QVector<double>& places) {
        if (places.isEmpty())
            return;
        const QString key = layerKey(
            {"grid-y", QRect(0, 0, size.width(), 1), canvasRect, QPen(), pen, {}, {}, QColor()});
        const QPixmap row =
            cachedStrokes(key, QSize(size.width(), 1), QColor(), [&](QPainter& line) {
                line.setPen(pen);
                QwtPainter::drawLine(&line, x1, 0, x2, 0);
            });
        for (const double y : places)
            painter->drawPixmap(QPointF(0, y), row);
    };
    if (yEnabled() && yMinEnabled()) {
        QVector<double> minorYs =
            linePlaces(painter, yMap, yScaleDiv().ticks(QwtScaleDiv::MinorTick), y1, y2);
        minorYs += linePlaces(painter, yMap, yScaleDiv().ticks(QwtScaleDiv::MediumTick), y1, y2);
        pasteRows(minor, minorYs);
    }
    if (yEnabled())
        pasteRows(major,
                  linePlaces(painter, yMap, yScaleDiv().ticks(QwtScaleDiv::MajorTick), y1, y2));
}

void PixelLineMarker::drawLines(QPainter* painter, const QRectF& canvasRect,
                                const QPointF& pos) const {
    if (lineStyle() == NoLine)
        return;
    const bool align = QwtPainter::roundingAlignment(painter);
    painter->setPen(linePen());
    const auto line = [&](const QPointF& from, const QPointF& to) {
        if (!fillAxisLine(*painter, linePen(), from, to))
            QwtPainter::drawLine(painter, from, to);
    };
    if (lineStyle() == HLine || lineStyle() == Cross) {
        const double y = align ? qRound(pos.y()) : pos.y();
        line(QPointF(canvasRect.left(), y), QPointF(canvasRect.right() - 1.0, y));
    }
    if (lineStyle() == VLine || lineStyle() == Cross) {
        const double x = align ? qRound(pos.x()) : pos.x();
        line(QPointF(x, canvasRect.top()), QPointF(x, canvasRect.bottom() - 1.0));
    }
}
