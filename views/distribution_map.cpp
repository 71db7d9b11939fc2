#include "distribution_map.h"

#include "analysis/map_contours.h"
#include "analysis/results.h"
#include "session/project_session.h"

#include <QLabel>
#include <QScopedValueRollback>
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
    xSpan_ = ySpan_ = 0;
    setSpans(map->width(), map->height());
    QwtScaleWidget* bar = axisWidget(QwtPlot::yRight);
    bar->setColorBarEnabled(true);
    bar->setColorMap(QwtInterval(scale_.lower, scale_.upper), new LinearColorMapRGB);
    setAxisScale(QwtPlot::yRight, scale_.lower, scale_.upper, scale_.step);
    enableAxis(QwtPlot::yRight);
    keepCellsInProportion(rect());
    replot();
    return true;
}

TestSpectrogram::CellFit TestSpectrogram::fitCells(const QRect& rect,
                                                   QwtPlotLayout::Options options) {
    CellFit fit{QMargins(), area_->width(), area_->height(), CellFit::Derived::None};
    const double aspect = fit.xSpan / fit.ySpan;
    if (!spectrogram || rect.isEmpty() || !std::isfinite(aspect) || !(aspect > 0))
        return fit;
    // Lay out without padding to learn the canvas, then pad the long side:
    // the axes keep their sizes, so the canvas shrinks by it. A canvas is
    // not squeezed below a readable side; a longer scale keeps the
    // proportion then, with room beyond the grid.
    plotLayout()->activate(this, rect, options);
    const QRectF canvas = plotLayout()->canvasRect();
    if (canvas.width() > canvas.height() * aspect) {
        const double width = std::clamp(
            canvas.height() * aspect, std::min(kMinimumCanvasSide, canvas.width()), canvas.width());
        fit.xSpan = width / canvas.height() * fit.ySpan;
        const int excess = static_cast<int>(canvas.width() - width);
        fit.padding = QMargins(excess / 2, 0, excess - excess / 2, 0);
        fit.derived = CellFit::Derived::Across;
    } else if (canvas.height() > 0 && canvas.width() > 0) {
        const double height =
            std::clamp(canvas.width() / aspect, std::min(kMinimumCanvasSide, canvas.height()),
                       canvas.height());
        fit.ySpan = height / canvas.width() * fit.xSpan;
        const int excess = static_cast<int>(canvas.height() - height);
        fit.padding = QMargins(0, excess / 2, 0, excess - excess / 2);
        fit.derived = CellFit::Derived::Up;
    }
    return fit;
}

bool TestSpectrogram::keepCellsInProportion(const QRect& rect, QwtPlotLayout::Options options) {
    // New margins resize the plot's contents at once, which comes back
    // here: that resize only lays the plot out again.
    if (fitting_)
        return false;
    const QScopedValueRollback<bool> fitting(fitting_, true);
    const double xBefore = xSpan_;
    const double yBefore = ySpan_;
    CellFit fit = fitCells(rect, options);
    // The spans decide the axes' labels and the labels the room left for
    // the canvas: a second look with the new labels settles it. A fit that
    // still moves after that is taken as it stands, never chased further.
    for (int pass = 0; pass < 2 && spectrogram; ++pass) {
        if (fit.xSpan == xSpan_ && fit.ySpan == ySpan_)
            break;
        setSpans(fit.xSpan, fit.ySpan);
        fit = fitCells(rect, options);
    }
    setSpans(fit.xSpan, fit.ySpan);
    if (fit.padding != contentsMargins())
        setContentsMargins(fit.padding);
    // The padded canvas may still differ from the one foreseen (a shorter
    // axis takes other labels): its long side's span follows it.
    if (fit.derived != CellFit::Derived::None) {
        plotLayout()->activate(this, rect.marginsRemoved(fit.padding), options);
        const QRectF canvas = plotLayout()->canvasRect();
        if (canvas.width() > 0 && canvas.height() > 0) {
            if (fit.derived == CellFit::Derived::Across)
                setSpans(canvas.width() / canvas.height() * fit.ySpan, fit.ySpan);
            else
                setSpans(fit.xSpan, canvas.height() / canvas.width() * fit.xSpan);
        }
    }
    return spectrogram && (xSpan_ != xBefore || ySpan_ != yBefore);
}

void TestSpectrogram::setSpans(double xSpan, double ySpan) {
    if (xSpan == xSpan_ && ySpan == ySpan_)
        return;
    xSpan_ = xSpan;
    ySpan_ = ySpan;
    setAxisScale(QwtPlot::xBottom, 0, xSpan);
    setAxisScale(QwtPlot::yLeft, 0, ySpan);
    // The scale widgets take their new labels now, so the next layout
    // measures them.
    updateAxes();
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
    const PipHeader& h = file->header;
    note_->setText(tr("测区没有可用的网格：行数 %1，列数 %2，行距 %3 m，列距 %4 m")
                       .arg(h.pointTotal)
                       .arg(h.gridColumns)
                       .arg(QString::fromStdString(formatFixed(h.pointSpacing, 2)),
                            QString::fromStdString(formatFixed(h.columnSpacing, 2))));
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
    // Rows and columns count from 1, as the points do.
    QString text = tr("行 %1，列 %2，").arg(row + 1).arg(column + 1);
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
