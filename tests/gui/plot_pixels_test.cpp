// The cheap ways the wave views draw lines and texts must set exactly the
// pixels the ordinary strokes and text drawing set.
#include "views/axis_pictures.h"
#include "views/inside_canvas_curve.h"
#include "views/layered_canvas.h"
#include "views/pixel_lines.h"
#include "views/plot_overlay_items.h"
#include "views/sample_series.h"

#include <QImage>
#include <QPainter>
#include <QtTest>
#include <cmath>
#include <functional>
#include <memory>
#include <qwt_plot.h>
#include <qwt_plot_canvas.h>
#include <qwt_plot_curve.h>
#include <qwt_plot_grid.h>
#include <qwt_plot_marker.h>
#include <qwt_scale_div.h>
#include <qwt_scale_map.h>
#include <qwt_scale_widget.h>

namespace {

constexpr QSize kCanvas(240, 120);

// A white picture painted by `paint` through a painter moved by `shift`
// and clipped to `clip` (when valid), as a widget in a window is painted.
QImage painted(const std::function<void(QPainter&)>& paint, QPoint shift = {}, QRect clip = {}) {
    QImage image(kCanvas + QSize(20, 20), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.translate(shift);
    if (clip.isValid())
        painter.setClipRect(clip);
    paint(painter);
    return image;
}

QPen pen(const QColor& colour, Qt::PenStyle style, Qt::PenCapStyle cap) {
    QPen p(colour, 0, style);
    p.setCapStyle(cap);
    return p;
}

QwtScaleMap map(double from, double to, double p1, double p2) {
    QwtScaleMap m;
    m.setScaleInterval(from, to);
    m.setPaintInterval(p1, p2);
    return m;
}

// Ticks like a time axis: majors every 2, mediums between, minors at 0.5.
QwtScaleDiv timeDivision(double length) {
    QList<double> ticks[QwtScaleDiv::NTickTypes];
    for (double t = 0; t <= length + 1e-9; t += 0.5) {
        const bool major = std::fmod(t, 2.0) == 0;
        const bool medium = !major && std::fmod(t, 1.0) == 0;
        ticks[major    ? QwtScaleDiv::MajorTick
              : medium ? QwtScaleDiv::MediumTick
                       : QwtScaleDiv::MinorTick]
            .append(t);
    }
    return QwtScaleDiv(0, length, ticks);
}

// A plot as the wave views set one up: an opaque background, a white
// canvas painted straight onto the screen, a time axis below and a value
// axis at the left.
std::unique_ptr<QwtPlot> wavePlot(int width, double length, bool layeredCanvas = false) {
    auto plot = std::make_unique<QwtPlot>();
    plot->setAutoFillBackground(true);
    auto* canvas = layeredCanvas ? new LayeredGridCanvas : new QwtPlotCanvas;
    canvas->setPaintAttribute(QwtPlotCanvas::BackingStore, false);
    QPalette palette = canvas->palette();
    palette.setColor(QPalette::Window, Qt::white);
    canvas->setPalette(palette);
    plot->setCanvas(canvas);
    plot->setAxisScale(QwtPlot::xBottom, 0, length, 2);
    plot->setAxisScale(QwtPlot::yLeft, -60, 60, 30);
    plot->resize(width, 200);
    plot->replot();
    return plot;
}

} // namespace

class PlotPixelsTest : public QObject {
    Q_OBJECT

private slots:
    void solidLinesSetTheStrokesPixels_data();
    void solidLinesSetTheStrokesPixels();
    void otherLinesAreLeftToTheStroke();
    void gridLayersSetTheGridsPixels_data();
    void gridLayersSetTheGridsPixels();
    void markerLinesSetTheMarkersPixels();
    void overlayTextIsDrawnAsThePainterDrawsIt();
    void sharedAxisPicturesShowEachPlotsOwnAxis();
    void gridOnAFreshCanvasSetsTheGridsPixels();
    void canvasLeftUnfilledUnderTheGridIsPaintedWhole_data();
    void canvasLeftUnfilledUnderTheGridIsPaintedWhole();
    void curvesDrawAsClippedCurves_data();
    void curvesDrawAsClippedCurves();
};

void PlotPixelsTest::solidLinesSetTheStrokesPixels_data() {
    QTest::addColumn<QPen>("linePen");
    QTest::addColumn<QPointF>("from");
    QTest::addColumn<QPointF>("to");
    QTest::addColumn<QPoint>("shift");
    QTest::addColumn<QRect>("clip");
    const QPen red = pen(Qt::red, Qt::SolidLine, Qt::SquareCap);
    const QPen flat = pen(Qt::black, Qt::SolidLine, Qt::FlatCap);
    const QPen round = pen(QColor(0, 128, 0), Qt::SolidLine, Qt::RoundCap);
    QTest::newRow("horizontal") << red << QPointF(3, 40) << QPointF(200, 40) << QPoint() << QRect();
    QTest::newRow("vertical") << red << QPointF(50, 1) << QPointF(50, 110) << QPoint() << QRect();
    QTest::newRow("flat cap, horizontal")
        << flat << QPointF(3, 40) << QPointF(200, 40) << QPoint() << QRect();
    QTest::newRow("flat cap, vertical")
        << flat << QPointF(50, 1) << QPointF(50, 110) << QPoint() << QRect();
    QTest::newRow("round cap") << round << QPointF(0, 0) << QPointF(0, 119) << QPoint() << QRect();
    QTest::newRow("moved painter")
        << red << QPointF(3, 40) << QPointF(200, 40) << QPoint(7, 11) << QRect();
    QTest::newRow("clipped") << flat << QPointF(50, 1) << QPointF(50, 110) << QPoint(7, 11)
                             << QRect(0, 30, 240, 25);
    QTest::newRow("two pixels") << red << QPointF(9, 9) << QPointF(10, 9) << QPoint() << QRect();
}

void PlotPixelsTest::solidLinesSetTheStrokesPixels() {
    QFETCH(QPen, linePen);
    QFETCH(QPointF, from);
    QFETCH(QPointF, to);
    QFETCH(QPoint, shift);
    QFETCH(QRect, clip);
    const QImage stroked = painted(
        [&](QPainter& p) {
            p.setPen(linePen);
            p.drawLine(from, to);
        },
        shift, clip);
    bool filled = false;
    const QImage runs =
        painted([&](QPainter& p) { filled = fillAxisLine(p, linePen, from, to); }, shift, clip);
    QVERIFY(filled);
    QCOMPARE(runs, stroked);
}

void PlotPixelsTest::otherLinesAreLeftToTheStroke() {
    const QPen solid = pen(Qt::black, Qt::SolidLine, Qt::SquareCap);
    const auto refused = [](const std::function<void(QPainter&)>& setUp, const QPen& linePen,
                            QPointF from, QPointF to) {
        bool filled = true;
        const QImage image = painted([&](QPainter& p) {
            setUp(p);
            filled = fillAxisLine(p, linePen, from, to);
        });
        QImage blank(image.size(), image.format());
        blank.fill(Qt::white);
        return !filled && image == blank;
    };
    const auto plain = [](QPainter&) {};
    const QPointF a(3, 40), b(200, 40);
    QVERIFY(refused([](QPainter& p) { p.setRenderHint(QPainter::Antialiasing); }, solid, a, b));
    QVERIFY(refused([](QPainter& p) { p.scale(2, 2); }, solid, a, b));
    QVERIFY(refused([](QPainter& p) { p.translate(0.5, 0); }, solid, a, b));
    QVERIFY(refused([](QPainter& p) { p.setOpacity(0.5); }, solid, a, b));
    QVERIFY(refused(plain, solid, QPointF(3.5, 40), b));
    QVERIFY(refused(plain, solid, a, QPointF(200, 41)));
    QVERIFY(refused(plain, solid, b, a));
    QVERIFY(refused(plain, pen(Qt::black, Qt::DotLine, Qt::SquareCap), a, b));
    QVERIFY(refused(plain, pen(QColor(0, 0, 0, 128), Qt::SolidLine, Qt::SquareCap), a, b));
    QVERIFY(refused(plain, QPen(Qt::black, 3), a, b));
}

void PlotPixelsTest::gridLayersSetTheGridsPixels_data() {
    QTest::addColumn<bool>("minorX");
    QTest::addColumn<bool>("minorY");
    QTest::addColumn<QPen>("minorPen");
    QTest::addColumn<double>("length");
    QTest::addColumn<QPoint>("shift");
    QTest::addColumn<QPen>("majorPen");
    const QPen dots = pen(Qt::gray, Qt::DotLine, Qt::SquareCap);
    const QPen solid = pen(QColor(0, 100, 0), Qt::SolidLine, Qt::SquareCap);
    QTest::newRow("as the waves draw it") << true << false << dots << 48.0 << QPoint(7, 11) << dots;
    QTest::newRow("majors only") << false << false << dots << 48.0 << QPoint() << dots;
    QTest::newRow("majors only, another pen")
        << false << false << dots << 48.0 << QPoint() << solid;
    QTest::newRow("majors only, another axis")
        << false << false << dots << 36.0 << QPoint() << dots;
    QTest::newRow("another axis, same canvas")
        << true << false << dots << 30.0 << QPoint(7, 11) << dots;
    QTest::newRow("minor rows, same pen") << true << true << dots << 48.0 << QPoint(3, 2) << dots;
    QTest::newRow("minor rows, own pen")
        << true << true << pen(Qt::blue, Qt::DashLine, Qt::SquareCap) << 48.0 << QPoint(3, 2)
        << dots;
}

void PlotPixelsTest::gridLayersSetTheGridsPixels() {
    QFETCH(bool, minorX);
    QFETCH(bool, minorY);
    QFETCH(QPen, minorPen);
    QFETCH(double, length);
    QFETCH(QPoint, shift);
    QFETCH(QPen, majorPen);
    const QRectF canvas(1, 1, kCanvas.width() - 2, kCanvas.height() - 2);
    const QwtScaleMap xMap = map(0, length, canvas.left(), canvas.right());
    const QwtScaleMap yMap = map(-60, 60, canvas.bottom(), canvas.top());
    QList<double> yTicks[QwtScaleDiv::NTickTypes];
    yTicks[QwtScaleDiv::MajorTick] = {-60, -30, 0, 30, 60};
    yTicks[QwtScaleDiv::MinorTick] = {-45, -15, 15, 45};
    const QwtScaleDiv yDivision(-60, 60, yTicks);

    const auto setUp = [&](QwtPlotGrid& grid) {
        grid.setMajorPen(majorPen);
        grid.setMinorPen(minorPen);
        grid.enableXMin(minorX);
        grid.enableYMin(minorY);
        grid.setXDiv(timeDivision(length));
        grid.setYDiv(yDivision);
    };
    QwtPlotGrid stock;
    setUp(stock);
    LayeredGrid layered;
    setUp(layered);
    const QImage expected =
        painted([&](QPainter& p) { stock.draw(&p, xMap, yMap, canvas); }, shift);
    // Twice: the second paint takes the layers from the cache.
    for (int paint = 0; paint < 2; ++paint)
        QCOMPARE(painted([&](QPainter& p) { layered.draw(&p, xMap, yMap, canvas); }, shift),
                 expected);
}

void PlotPixelsTest::markerLinesSetTheMarkersPixels() {
    const QRectF canvas(1, 1, kCanvas.width() - 2, kCanvas.height() - 2);
    const QwtScaleMap xMap = map(0, 48, canvas.left(), canvas.right());
    const QwtScaleMap yMap = map(-60, 60, canvas.bottom(), canvas.top());
    for (const auto style : {QwtPlotMarker::HLine, QwtPlotMarker::VLine, QwtPlotMarker::Cross}) {
        const auto setUp = [&](QwtPlotMarker& marker) {
            marker.setLineStyle(style);
            marker.setLinePen(pen(Qt::red, Qt::SolidLine, Qt::SquareCap));
            marker.setValue(17.3, 12.6);
        };
        QwtPlotMarker stock;
        setUp(stock);
        PixelLineMarker pixels;
        setUp(pixels);
        QCOMPARE(painted([&](QPainter& p) { pixels.draw(&p, xMap, yMap, canvas); }, {5, 9}),
                 painted([&](QPainter& p) { stock.draw(&p, xMap, yMap, canvas); }, {5, 9}));
    }
}

void PlotPixelsTest::overlayTextIsDrawnAsThePainterDrawsIt() {
    const QRectF canvas(1, 1, kCanvas.width() - 2, kCanvas.height() - 2);
    const QwtScaleMap none;
    const auto drawnText = [&](const QString& text, const QColor& colour, int pointSize) {
        return painted(
            [&](QPainter& p) {
                const QFont font(QStringLiteral("Helvetica"), pointSize);
                p.setFont(font);
                p.setPen(colour);
                const QStringList lines = text.split(QLatin1Char('\n'));
                const int count = lines.size() > 1 ? lines.size() - 1 : 1;
                for (int i = 0; i < count; ++i)
                    p.drawText(11, 31 + i * QFontMetrics(font).lineSpacing(), lines[i]);
            },
            {4, 6});
    };
    QwtPlotTextEx item;
    item.setTopLeft(10, 30);
    const auto drawnItem = [&] {
        return painted([&](QPainter& p) { item.draw(&p, none, none, canvas); }, {4, 6});
    };
    // The kept layout follows every change of text, colour and size.
    const struct {
        QString text;
        QColor colour;
        int pointSize;
    } steps[] = {
        {QStringLiteral("序号:3/400 [提示]"), Qt::red, 10},
        {QStringLiteral("序号:4/400"), Qt::red, 10},
        {QStringLiteral("序号:4/400"), Qt::blue, 10},
        {QStringLiteral("序号:4/400"), Qt::blue, 8},
        {QStringLiteral("( 5.123ms, 231.22m/s2 )\n起始:  4.100ms\nnot a line"), Qt::black, 8},
    };
    for (const auto& step : steps) {
        item.setText(step.text, step.colour, step.pointSize);
        QCOMPARE(drawnItem(), drawnText(step.text, step.colour, step.pointSize));
    }
}

void PlotPixelsTest::sharedAxisPicturesShowEachPlotsOwnAxis() {
    // Plots that differ in width, in scale and in axis, painted one after
    // another so that a picture made for one could be taken for another.
    const struct {
        int width;
        double length;
    } plots[] = {{600, 48}, {600, 48}, {600, 30}, {500, 30}, {600, 48}};
    for (const auto& shape : plots) {
        const auto stock = wavePlot(shape.width, shape.length);
        const auto shared = wavePlot(shape.width, shape.length);
        new SharedAxisPictures(shared.get());
        for (const int axis : {QwtPlot::xBottom, QwtPlot::yLeft}) {
            const QImage expected = stock->axisWidget(axis)->grab().toImage();
            QCOMPARE(shared->axisWidget(axis)->grab().toImage(), expected);
        }
    }
}

void PlotPixelsTest::gridOnAFreshCanvasSetsTheGridsPixels() {
    // Without a frame the layer on the canvas colour and the one laid over
    // a mark cover the same pixels, and only their ground tells them apart.
    for (const bool framed : {true, false}) {
        for (const bool markBeneath : {false, true}) {
            const auto stock = wavePlot(600, 48);
            const auto layered = wavePlot(600, 48);
            if (!framed) {
                for (QwtPlot* plot : {stock.get(), layered.get()})
                    static_cast<QFrame*>(plot->canvas())->setFrameStyle(QFrame::NoFrame);
            }
            const QPen dots = pen(Qt::gray, Qt::DotLine, Qt::SquareCap);
            auto* stockGrid = new QwtPlotGrid;
            QwtPlotGrid* layeredGrid = new LayeredGrid;
            for (QwtPlotGrid* grid : {stockGrid, layeredGrid}) {
                grid->setPen(dots);
                grid->enableXMin(true);
            }
            stockGrid->attach(stock.get());
            layeredGrid->attach(layered.get());
            // An item below the grid leaves the canvas drawn on: the layer must
            // then be laid over it, not copied onto the canvas.
            if (markBeneath) {
                for (QwtPlot* plot : {stock.get(), layered.get()}) {
                    auto* mark = new QwtPlotMarker;
                    mark->setLineStyle(QwtPlotMarker::VLine);
                    mark->setLinePen(QPen(Qt::black, 0));
                    mark->setXValue(7.3);
                    mark->setZ(-1);
                    mark->attach(plot);
                }
            }
            stock->replot();
            layered->replot();
            QCOMPARE(layered->grab().toImage(), stock->grab().toImage());
        }
    }
}

void PlotPixelsTest::canvasLeftUnfilledUnderTheGridIsPaintedWhole_data() {
    QTest::addColumn<int>("frameStyle");
    QTest::addColumn<int>("lineWidth");
    QTest::addColumn<bool>("verticalLines");
    QTest::addColumn<bool>("gridShown");
    QTest::addColumn<bool>("markBeneath");
    QTest::addColumn<QRect>("region");
    QTest::addColumn<QColor>("frameColour");
    const int box = QFrame::Box | QFrame::Plain;
    const int sunken = QFrame::Panel | QFrame::Sunken;
    const int styled = QFrame::StyledPanel | QFrame::Raised;
    QTest::newRow("grid covers") << box << 1 << true << true << false << QRect()
                                 << QColor(Qt::black);
    QTest::newRow("grid covers, wide frame")
        << sunken << 2 << true << true << false << QRect() << QColor(Qt::black);
    QTest::newRow("grid covers, styled frame")
        << styled << 1 << true << true << false << QRect() << QColor(Qt::black);
    QTest::newRow("grid covers, no frame")
        << int(QFrame::NoFrame) << 0 << true << true << false << QRect() << QColor(Qt::black);
    QTest::newRow("grid covers, part")
        << box << 1 << true << true << false << QRect(0, 20, 300, 45) << QColor(Qt::black);
    QTest::newRow("grid without vertical lines")
        << box << 1 << false << true << false << QRect() << QColor(Qt::black);
    QTest::newRow("grid hidden") << box << 1 << true << false << false << QRect()
                                 << QColor(Qt::black);
    QTest::newRow("line beneath the grid")
        << box << 1 << true << true << true << QRect() << QColor(Qt::black);
    // A frame that lets the fill beneath it show.
    QTest::newRow("grid covers, see-through frame")
        << box << 1 << true << true << false << QRect() << QColor(0, 0, 0, 100);
}

// A canvas that leaves its filling to the grid must still set every pixel
// the plot canvas sets, whether or not the grid can cover it.
void PlotPixelsTest::canvasLeftUnfilledUnderTheGridIsPaintedWhole() {
    QFETCH(int, frameStyle);
    QFETCH(int, lineWidth);
    QFETCH(bool, verticalLines);
    QFETCH(bool, gridShown);
    QFETCH(bool, markBeneath);
    QFETCH(QRect, region);
    QFETCH(QColor, frameColour);
    QImage pictures[2];
    for (const bool layered : {false, true}) {
        const auto plot = wavePlot(600, 48, layered);
        auto* canvas = static_cast<QFrame*>(plot->canvas());
        canvas->setFrameStyle(frameStyle);
        canvas->setLineWidth(lineWidth);
        QPalette palette = canvas->palette();
        palette.setColor(QPalette::WindowText, frameColour);
        canvas->setPalette(palette);
        QwtPlotGrid* grid = new LayeredGrid;
        grid->setPen(pen(Qt::gray, Qt::DotLine, Qt::SquareCap));
        grid->enableX(verticalLines);
        grid->enableXMin(verticalLines);
        grid->setVisible(gridShown);
        grid->attach(plot.get());
        if (markBeneath) {
            auto* mark = new QwtPlotMarker;
            mark->setLineStyle(QwtPlotMarker::VLine);
            mark->setLinePen(QPen(Qt::black, 0));
            mark->setXValue(7.3);
            mark->setZ(-1);
            mark->attach(plot.get());
        }
        auto* curve = new QwtPlotCurve;
        curve->setSamples(QVector<QPointF>{{0, -50}, {20, 55}, {48, 0}});
        curve->attach(plot.get());
        plot->replot();
        // Whatever the canvas leaves unpainted shows as magenta.
        QImage picture(canvas->size(), QImage::Format_ARGB32_Premultiplied);
        picture.fill(Qt::magenta);
        canvas->render(&picture, {}, region.isValid() ? QRegion(region) : QRegion());
        pictures[layered ? 1 : 0] = picture;
    }
    QCOMPARE(pictures[1], pictures[0]);
}

void PlotPixelsTest::curvesDrawAsClippedCurves_data() {
    QTest::addColumn<double>("height");
    QTest::addColumn<bool>("antialiased");
    QTest::addColumn<bool>("weedOut");
    QTest::addColumn<bool>("line");
    QTest::addColumn<bool>("fill");
    QTest::addColumn<bool>("waveSeries");
    QTest::newRow("inside") << 50.0 << true << true << true << true << false;
    QTest::newRow("inside, a wave's series") << 50.0 << true << true << true << true << true;
    QTest::newRow("inside, aligned points") << 50.0 << false << true << true << true << true;
    QTest::newRow("inside, every point") << 50.0 << true << false << true << true << true;
    QTest::newRow("inside, aligned, every point") << 50.0 << false << false << true << true << true;
    QTest::newRow("inside, line only") << 50.0 << true << true << true << false << true;
    QTest::newRow("inside, fill only") << 50.0 << true << true << false << true << true;
    QTest::newRow("reaching the top") << 60.0 << true << true << true << true << true;
    QTest::newRow("above the top") << 75.0 << true << true << true << true << true;
    QTest::newRow("above the top, aligned") << 75.0 << false << true << true << true << true;
}

// A curve drawn unclipped inside the canvas must set the pixels of the plot
// curve; any curve that is not inside must still be clipped.
void PlotPixelsTest::curvesDrawAsClippedCurves() {
    QFETCH(double, height);
    QFETCH(bool, antialiased);
    QFETCH(bool, weedOut);
    QFETCH(bool, line);
    QFETCH(bool, fill);
    QFETCH(bool, waveSeries);
    // A wave: samples every 0.04 ms, shifted as an aligned wave is.
    QVector<double> times, values;
    for (int i = 0; i <= 900; ++i) {
        const double t = i * 0.04;
        times.append(t);
        values.append(height * std::sin(t / 36 * M_PI) * std::sin(t * 0.9));
    }
    QImage pictures[2];
    for (const bool inside : {false, true}) {
        const auto plot = wavePlot(600, 48);
        QwtPlotCurve* curve = inside ? new InsideCanvasCurve : new QwtPlotCurve;
        curve->setPen(line ? QPen(Qt::blue, 0) : QPen(Qt::NoPen));
        curve->setBrush(fill ? QBrush(QColor(128, 128, 128)) : QBrush());
        curve->setRenderHint(QwtPlotItem::RenderAntialiased, antialiased);
        curve->setPaintAttribute(QwtPlotCurve::FilterPoints, weedOut);
        if (waveSeries && inside) {
            curve->setData(new tarvel::SampleSeries(times.constData(), values.constData(),
                                                    static_cast<std::size_t>(times.size()), 2.5));
        } else {
            QVector<QPointF> points;
            for (int i = 0; i < times.size(); ++i)
                points.append({times[i] + 2.5, values[i]});
            curve->setSamples(points);
        }
        curve->attach(plot.get());
        plot->replot();
        pictures[inside ? 1 : 0] = plot->grab().toImage();
    }
    QCOMPARE(pictures[1], pictures[0]);
}

QTEST_MAIN(PlotPixelsTest)
#include "plot_pixels_test.moc"
