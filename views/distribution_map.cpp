#include "distribution_map.h"

#include "analysis/map_contours.h"
#include "session/project_session.h"

#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <limits>
#include <qwt_picker_machine.h>
#include <qwt_plot_canvas.h>
#include <qwt_plot_picker.h>
#include <qwt_plot_spectrogram.h>
#include <qwt_scale_widget.h>

using namespace tarvel;

namespace {

const QColor kEmptyCell(0xd4, 0xd4, 0xd4);
constexpr int kColorBarWidth = 16;
constexpr double kMinimumCanvasSide = 200; // px

} // namespace

LinearColorMapRGB::LinearColorMapRGB()
    : QwtLinearColorMap(Qt::darkBlue, Qt::red, QwtColorMap::RGB) {
    addColorStop(0.25, Qt::blue);
    addColorStop(0.5, Qt::green);
    addColorStop(0.75, Qt::yellow);
}

QRgb LinearColorMapRGB::rgb(const QwtInterval& interval, double value) const {
    if (std::isnan(value))
        return kEmptyCell.rgb();
    return QwtLinearColorMap::rgb(interval, value);
}

SpectrogramData::SpectrogramData(std::shared_ptr<const AreaMap> map, const MapScale& scale)
    : map_(std::move(map)) {
    setValueMatrix(QVector<double>(map_->values.begin(), map_->values.end()), map_->columns);
    setInterval(Qt::XAxis, QwtInterval(0, map_->width()));
    setInterval(Qt::YAxis, QwtInterval(0, map_->height()));
    setInterval(Qt::ZAxis, QwtInterval(scale.lower, scale.upper));
    setResampleMode(QwtMatrixRasterData::NearestNeighbour);
}

double SpectrogramData::value(double x, double y) const {
    const double column = x / map_->columnSpacing;
    const double row = y / map_->rowSpacing;
    if (!(column >= 0 && column <= map_->columns && row >= 0 && row <= map_->rows))
        return std::numeric_limits<double>::quiet_NaN();
    return map_->value(std::min(static_cast<int>(row), map_->rows - 1),
                       std::min(static_cast<int>(column), map_->columns - 1));
}

QwtRasterData::ContourLines SpectrogramData::contourLines(const QRectF&, const QSize&,
                                                          const QList<double>& levels,
                                                          ConrecFlags) const {
    ContourLines lines;
    for (const double level : levels) {
        QPolygonF& pairs = lines[level];
        for (const ContourSegment& s : contourSegments(*map_, level))
            pairs << QPointF(s.x1, s.y1) << QPointF(s.x2, s.y2);
    }
    return lines;
}

TestSpectrogram::TestSpectrogram(QWidget* parent)
    : QwtPlot(parent), area_(std::make_shared<AreaMap>()) {
    plotLayout()->setAlignCanvasToScales(true);
    setAxisTitle(QwtPlot::xBottom, QStringLiteral("x (m)"));
    setAxisTitle(QwtPlot::yLeft, QStringLiteral("y (m)"));
    // On one line: a title wrapped on a short axis would widen it.
    QwtText title(tr("区域变形模量（回弹）分布图"));
    title.setRenderFlags(Qt::AlignHCenter | Qt::TextExpandTabs);
    QFont bold = axisWidget(QwtPlot::yRight)->font();
    bold.setBold(true); // as the other axis titles
    title.setFont(bold);
    setAxisTitle(QwtPlot::yRight, title);
    axisWidget(QwtPlot::yRight)->setColorBarWidth(kColorBarWidth);
}

void TestSpectrogram::clearArea() {
    if (spectrogram) {
        spectrogram->detach();
        delete spectrogram;
        spectrogram = nullptr;
    }
    area_ = std::make_shared<AreaMap>();
    enableAxis(QwtPlot::yRight, false);
    if (!contentsMargins().isNull())
        setContentsMargins(QMargins());
}

bool TestSpectrogram::setArea(const NamePipeFile& file, const MapScale* fixedScale) {
    clearArea();
    auto map = std::make_shared<AreaMap>(buildAreaMap(file));
    area_ = map;
    if (!map->usable()) {
        replot();
        return false;
    }
    scale_ = fixedScale ? *fixedScale : mapScale(*map);

    spectrogram = new QwtPlotSpectrogram;
    spectrogram->setColorMap(new LinearColorMapRGB);
    spectrogram->setData(new SpectrogramData(map, scale_));
    spectrogram->setContourLevels(QList<double>(scale_.levels.begin(), scale_.levels.end()));
    spectrogram->setDisplayMode(QwtPlotSpectrogram::ContourMode, true);
    spectrogram->attach(this);

    // Fixed scales rather than automatic ones, which would round the ends
    // outwards and stretch the cells.
    setAxisScale(QwtPlot::xBottom, 0, map->width());
    setAxisScale(QwtPlot::yLeft, 0, map->height());
    QwtScaleWidget* bar = axisWidget(QwtPlot::yRight);
    bar->setColorBarEnabled(true);
    bar->setColorMap(QwtInterval(scale_.lower, scale_.upper), new LinearColorMapRGB);
    setAxisScale(QwtPlot::yRight, scale_.lower, scale_.upper, scale_.step);
    enableAxis(QwtPlot::yRight);
    keepCellsInProportion(rect());
    replot();
    return true;
}

bool TestSpectrogram::keepCellsInProportion(const QRect& rect, QwtPlotLayout::Options options) {
    QMargins padding;
    double xSpan = area_->width();
    double ySpan = area_->height();
    const double aspect = xSpan / ySpan;
    if (spectrogram && !rect.isEmpty() && std::isfinite(aspect) && aspect > 0) {
        // Lay out once without padding to learn the canvas, then pad the
        // long side: the axes keep their sizes, so the canvas shrinks by it.
        // A canvas is not squeezed below a readable side; a longer scale
        // keeps the proportion then, with room beyond the grid.
        plotLayout()->activate(this, rect, options);
        const QRectF canvas = plotLayout()->canvasRect();
        if (canvas.width() > canvas.height() * aspect) {
            const double width =
                std::clamp(canvas.height() * aspect, std::min(kMinimumCanvasSide, canvas.width()),
                           canvas.width());
            xSpan = width / canvas.height() * ySpan;
            const int excess = static_cast<int>(canvas.width() - width);
            padding = QMargins(excess / 2, 0, excess - excess / 2, 0);
        } else if (canvas.height() > 0 && canvas.width() > 0) {
            const double height =
                std::clamp(canvas.width() / aspect, std::min(kMinimumCanvasSide, canvas.height()),
                           canvas.height());
            ySpan = height / canvas.width() * xSpan;
            const int excess = static_cast<int>(canvas.height() - height);
            padding = QMargins(0, excess / 2, 0, excess - excess / 2);
        }
    }
    // New margins resize the plot's contents, which comes back here.
    if (padding != contentsMargins())
        setContentsMargins(padding);
    if (!spectrogram || (axisInterval(QwtPlot::xBottom).maxValue() == xSpan &&
                         axisInterval(QwtPlot::yLeft).maxValue() == ySpan))
        return false;
    setAxisScale(QwtPlot::xBottom, 0, xSpan);
    setAxisScale(QwtPlot::yLeft, 0, ySpan);
    return true;
}

void TestSpectrogram::resizeEvent(QResizeEvent* event) {
    QwtPlot::resizeEvent(event);
    if (keepCellsInProportion(rect()))
        replot();
    updateLayout();
}

void TestSpectrogram::showContour(bool on) {
    if (spectrogram)
        spectrogram->setDisplayMode(QwtPlotSpectrogram::ContourMode, on);
    replot();
}

void TestSpectrogram::showSpectrogram(bool on) {
    if (spectrogram) {
        spectrogram->setDisplayMode(QwtPlotSpectrogram::ImageMode, on);
        // Without the image the lines take the colours of their levels.
        spectrogram->setDefaultContourPen(on ? QPen() : QPen(Qt::NoPen));
    }
    replot();
}

graph::graph(ProjectSession& session, QWidget* parent)
    : QWidget(parent), plot(new TestSpectrogram), session_(session), note_(new QLabel) {
    setObjectName(QStringLiteral("graph"));
    resize(400, 300);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(plot);
    note_->setAlignment(Qt::AlignCenter);
    layout->addWidget(note_);
    plot->hide();
    note_->hide();

    auto* picker = new QwtPlotPicker(QwtPlot::xBottom, QwtPlot::yLeft, QwtPicker::NoRubberBand,
                                     QwtPicker::AlwaysOff, plot->canvas());
    picker->setStateMachine(new QwtPickerClickPointMachine);
    connect(picker, qOverload<const QPointF&>(&QwtPlotPicker::selected), this, &graph::pick);

    for (auto signal : {&ProjectSession::fileChanged, &ProjectSession::pointsChanged,
                        &ProjectSession::resultsChanged})
        connect(&session_, signal, this, &graph::sessionChanged);
}

QString graph::note() const {
    return note_->isHidden() ? QString() : note_->text();
}

void graph::sessionChanged() {
    // A hidden map is only marked: it is built when it shows.
    if (isVisible())
        rebuild();
    else
        stale_ = true;
}

void graph::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (stale_)
        rebuild();
}

void graph::rebuild() {
    stale_ = false;
    const NamePipeFile* file = session_.currentFile();
    if (!file) {
        plot->clearArea();
        plot->hide();
        note_->hide();
        return;
    }
    const bool drawn = plot->setArea(*file);
    plot->setVisible(drawn);
    note_->setText(QString::fromStdString(plot->area().unusable));
    note_->setVisible(!drawn);
}

void graph::pick(const QPointF& position) {
    const AreaMap& map = plot->area();
    if (!map.usable() || !(position.x() >= 0 && position.x() < map.width()) ||
        !(position.y() >= 0 && position.y() < map.height()))
        return;
    const int column = static_cast<int>(position.x() / map.columnSpacing);
    const int row = static_cast<int>(position.y() / map.rowSpacing);
    if (row >= map.rows || column >= map.columns)
        return;
    QString text = tr("行 %1，列 %2，").arg(row).arg(column);
    const int point = map.pointAt(row, column);
    if (point < 0) {
        text += tr("无测点");
    } else {
        const double value = map.value(row, column);
        text += tr("序号%1，").arg(point + 1) +
                (std::isfinite(value) ? QStringLiteral("%1 MPa").arg(value, 0, 'f', 2)
                                      : QStringLiteral("--"));
    }
    session_.showStatus(text);
}
