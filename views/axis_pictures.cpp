#include "axis_pictures.h"

#include <QDataStream>
#include <QEvent>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QStyle>
#include <QStyleOption>
#include <qwt_plot.h>
#include <qwt_scale_draw.h>
#include <qwt_scale_widget.h>

namespace {

// The plain colour a widget stands on, or an invalid colour where that is
// not one known opaque colour: the axis fills nothing itself, so what is
// beneath it is the plot's own background.
QColor colourBeneath(const QWidget& axis) {
    const QWidget* plot = axis.parentWidget();
    if (axis.autoFillBackground() || axis.testAttribute(Qt::WA_StyledBackground) || !plot ||
        !plot->autoFillBackground() || plot->testAttribute(Qt::WA_StyledBackground) ||
        !plot->contentsRect().contains(axis.geometry()))
        return {};
    const QBrush brush = plot->palette().brush(plot->backgroundRole());
    if (brush.style() != Qt::SolidPattern || brush.color().alpha() != 255)
        return {};
    return brush.color();
}

// Everything that decides an axis's pixels. It is worked out at every
// paint, so it holds what the scale draws with and nothing more.
QString pictureKey(const QwtScaleWidget& axis, const QColor& beneath) {
    const QwtScaleDraw* draw = axis.scaleDraw();
    const QwtScaleMap& map = draw->scaleMap();
    const QwtScaleDiv& division = draw->scaleDiv();
    const QPalette& palette = axis.palette();
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << axis.size() << beneath.rgba() << axis.font().key()
           << palette.color(QPalette::Text).rgba() << palette.color(QPalette::WindowText).rgba()
           << palette.color(axis.foregroundRole()).rgba() << static_cast<int>(draw->alignment())
           << draw->pos() << draw->length() << static_cast<int>(draw->labelAlignment())
           << draw->labelRotation() << draw->spacing() << draw->penWidth() << map.s1() << map.s2()
           << map.p1() << map.p2() << division.lowerBound() << division.upperBound();
    for (const auto component : {QwtAbstractScaleDraw::Backbone, QwtAbstractScaleDraw::Ticks,
                                 QwtAbstractScaleDraw::Labels})
        stream << draw->hasComponent(component);
    for (int type = QwtScaleDiv::MinorTick; type < QwtScaleDiv::NTickTypes; ++type) {
        const auto tickType = static_cast<QwtScaleDiv::TickType>(type);
        stream << draw->tickLength(tickType) << division.ticks(tickType);
    }
    for (const double value : division.ticks(QwtScaleDiv::MajorTick))
        stream << draw->label(value).text();
    // Bytes as they are, zeros included: the key is compared, never shown.
    return QLatin1String("axis:") + QString::fromLatin1(bytes.constData(), bytes.size());
}

// Whether the axis can be painted from a picture, with the colour beneath.
bool pictureFits(const QwtScaleWidget& axis, QColor* beneath) {
    *beneath = colourBeneath(axis);
    return beneath->isValid() && axis.devicePixelRatioF() == 1.0 && !axis.isColorBarEnabled() &&
           axis.title().isEmpty() && axis.scaleDraw()->scaleMap().transformation() == nullptr;
}

// Draws the axis as its own paint event does, with a painter set up as a
// widget's painter is. With neither title nor colour bar, the scale is all
// an axis draws.
QPixmap drawnPicture(const QwtScaleWidget& axis, const QColor& beneath) {
    QPixmap picture(axis.size());
    picture.fill(beneath);
    QPainter painter(&picture);
    const QPalette& palette = axis.palette();
    painter.setPen(QPen(palette.brush(axis.foregroundRole()), 1));
    painter.setBackground(palette.brush(axis.backgroundRole()));
    painter.setFont(axis.font());
    QStyleOption option;
    option.initFrom(&axis);
    axis.style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, &axis);
    axis.scaleDraw()->draw(&painter, palette);
    return picture;
}

} // namespace

SharedAxisPictures::SharedAxisPictures(QwtPlot* plot) : QObject(plot) {
    for (const int axis : {QwtPlot::xBottom, QwtPlot::yLeft})
        plot->axisWidget(axis)->installEventFilter(this);
}

bool SharedAxisPictures::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Paint)
        return false;
    auto* axis = qobject_cast<QwtScaleWidget*>(watched);
    QColor beneath;
    if (!axis || !pictureFits(*axis, &beneath))
        return false;
    const QString key = pictureKey(*axis, beneath);
    QPixmap picture;
    if (!QPixmapCache::find(key, &picture)) {
        picture = drawnPicture(*axis, beneath);
        QPixmapCache::insert(key, picture);
    }
    QPainter painter(axis);
    painter.drawPixmap(0, 0, picture);
    return true;
}
