#include "axis_pictures.h"

#include <QEvent>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QStyle>
#include <QStyleOption>
#include <qwt_plot.h>
#include <qwt_scale_draw.h>
#include <qwt_scale_widget.h>
#include <type_traits>

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

// A key of raw bytes: it is compared, never read back, and writing it
// through a data stream took longer than copying the picture it finds.
class KeyBytes {
public:
    template <typename T> KeyBytes& operator<<(const T& value) {
        static_assert(std::is_trivially_copyable_v<T>);
        bytes_.append(reinterpret_cast<const char*>(&value), sizeof value);
        return *this;
    }
    KeyBytes& operator<<(const QString& text) {
        *this << text.size();
        bytes_.append(reinterpret_cast<const char*>(text.constData()),
                      text.size() * static_cast<int>(sizeof(QChar)));
        return *this;
    }
    KeyBytes& operator<<(const QFont& font) {
        *this << font.family() << font.families().join(QLatin1Char(',')) << font.styleName()
              << font.pointSizeF() << font.pixelSize() << static_cast<int>(font.styleHint())
              << static_cast<int>(font.styleStrategy()) << font.weight()
              << static_cast<int>(font.style()) << font.underline() << font.overline()
              << font.strikeOut() << font.fixedPitch() << font.kerning()
              << static_cast<int>(font.capitalization()) << font.letterSpacing()
              << static_cast<int>(font.letterSpacingType()) << font.wordSpacing() << font.stretch()
              << static_cast<int>(font.hintingPreference());
        return *this;
    }
    KeyBytes& operator<<(const QList<double>& values) {
        *this << values.size();
        for (const double value : values)
            *this << value;
        return *this;
    }
    // Bytes as they are, zeros included.
    QString key(QLatin1String prefix) const {
        return prefix + QString::fromLatin1(bytes_.constData(), bytes_.size());
    }

private:
    QByteArray bytes_;
};

// Everything that decides an axis's pixels. It is worked out at every
// paint, so it holds what the scale draws with and nothing more.
QString pictureKey(const QwtScaleWidget& axis, const QColor& beneath) {
    const QwtScaleDraw* draw = axis.scaleDraw();
    const QwtScaleMap& map = draw->scaleMap();
    const QwtScaleDiv& division = draw->scaleDiv();
    const QPalette& palette = axis.palette();
    KeyBytes bytes;
    bytes << axis.size() << beneath.rgba() << axis.font() << palette.color(QPalette::Text).rgba()
          << palette.color(QPalette::WindowText).rgba()
          << palette.color(axis.foregroundRole()).rgba() << static_cast<int>(draw->alignment())
          << draw->pos() << draw->length() << static_cast<int>(draw->labelAlignment())
          << draw->labelRotation() << draw->spacing() << draw->penWidth() << map.s1() << map.s2()
          << map.p1() << map.p2() << division.lowerBound() << division.upperBound();
    for (const auto component : {QwtAbstractScaleDraw::Backbone, QwtAbstractScaleDraw::Ticks,
                                 QwtAbstractScaleDraw::Labels})
        bytes << draw->hasComponent(component);
    for (int type = QwtScaleDiv::MinorTick; type < QwtScaleDiv::NTickTypes; ++type) {
        const auto tickType = static_cast<QwtScaleDiv::TickType>(type);
        bytes << draw->tickLength(tickType) << division.ticks(tickType);
    }
    for (const double value : division.ticks(QwtScaleDiv::MajorTick))
        bytes << draw->label(value).text();
    return bytes.key(QLatin1String("axis:"));
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
