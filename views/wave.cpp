#include "wave.h"

#include "analysis/conditioning.h"
#include "analysis/display_scale.h"
#include "analysis/results.h"
#include "axis_pictures.h"
#include "fitted_pulse_series.h"
#include "inside_canvas_curve.h"
#include "interface_labels.h"
#include "layered_canvas.h"
#include "nice_step.h"
#include "pixel_lines.h"
#include "plot_overlay_items.h"
#include "sample_series.h"
#include "session/project_session.h"
#include "text_size_cache.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <algorithm>
#include <qwt_picker_machine.h>
#include <qwt_plot_canvas.h>
#include <qwt_plot_curve.h>
#include <qwt_plot_grid.h>
#include <qwt_plot_marker.h>
#include <qwt_plot_picker.h>
#include <qwt_scale_div.h>

#include <cmath>

using namespace tarvel;

namespace {

constexpr int kDefaultWaveHeight = 120;
constexpr int kTitlePointSize = 10;
// The fitted pulse and its moduli.
const QColor kFitColour(220, 100, 0);
constexpr int kResultPointSize = 10;
// Result columns of neighbouring waves line up unless a line needs more.
constexpr int kMinimumResultInset = 210;

QString fixed(double value, int decimals) {
    return QString::fromStdString(formatFixed(value, decimals));
}

QwtText markerLabel(const QString& text, const QColor& colour) {
    QwtText label(text);
    label.setFont(QFont(QStringLiteral("Helvetica"), 8));
    label.setColor(colour);
    // The peak's label sits over the filled wave: a light backing keeps it
    // legible there.
    label.setBackgroundBrush(QColor(255, 255, 255, 210));
    return label;
}

void setUpVerticalMarker(QwtPlotMarker* marker, const QColor& colour,
                         Qt::Alignment labelAlignment) {
    marker->setLineStyle(QwtPlotMarker::VLine);
    marker->setLinePen(QPen(colour, 0, Qt::SolidLine));
    marker->setLabelAlignment(labelAlignment);
}

QwtPlotMarker* verticalMarker(const QColor& colour, Qt::Alignment labelAlignment) {
    auto* marker = new PixelLineMarker;
    setUpVerticalMarker(marker, colour, labelAlignment);
    return marker;
}

} // namespace

QWave::QWave(ProjectSession& session, UserDialogs& dialogs, QWidget* parent)
    : QwtPlot(parent), session_(&session), dialogs_(&dialogs),
      checkPicture_(QStringLiteral(":/res/check_26.png")) {
    build();
    picker_ = new QwtPlotPicker(QwtPlot::xBottom, QwtPlot::yLeft, QwtPicker::VLineRubberBand,
                                QwtPicker::ActiveOnly, this->canvas());
    picker_->setStateMachine(new QwtPickerDragPointMachine);
    connect(picker_, qOverload<const QPointF&>(&QwtPlotPicker::selected), this,
            &QWave::Pickedselected);
}

QWave::QWave(const ViewOptions& options)
    : pictureOptions_(options), checkPicture_(QStringLiteral(":/res/check_26.png")) {
    build();
}

const ViewOptions& QWave::options() const {
    return session_ ? session_->state().options : pictureOptions_;
}

void QWave::build() {
    setAutoReplot(false);
    setAutoFillBackground(true);
    setAxisScaleDraw(QwtPlot::xBottom, new CachedLabelScaleDraw);
    setAxisScaleDraw(QwtPlot::yLeft, new CachedLabelScaleDraw);
    new SharedAxisPictures(this);
    setAutoDelete(false); // several items are attached only now and then

    auto* canvas = new LayeredGridCanvas;
    canvas->setFrameStyle(QFrame::Box | QFrame::Plain);
    canvas->setLineWidth(1);
    // A whole area's views live at once: a cached canvas pixmap per view
    // would cost hundreds of megabytes and buys nothing, since the picker
    // draws its rubber band on an overlay.
    canvas->setPaintAttribute(QwtPlotCanvas::BackingStore, false);
    QPalette palette = canvas->palette();
    palette.setColor(QPalette::Window, Qt::white);
    canvas->setPalette(palette);
    setCanvas(canvas);

    grid_ = new LayeredGrid;
    grid_->setPen(QPen(Qt::gray, 0, Qt::DotLine));
    grid_->enableX(true);
    grid_->enableXMin(true);
    grid_->enableY(true);
    grid_->enableYMin(false);

    curve_ = new InsideCanvasCurve;
    curve_->setPen(QPen(Qt::blue, 0, Qt::SolidLine));
    curve_->setBrush(QBrush(QColor(128, 128, 128), Qt::SolidPattern));
    curve_->setRenderHint(QwtPlotItem::RenderAntialiased, true);
    curve_->setPaintAttribute(QwtPlotCurve::FilterPoints, true);
    curve_->attach(this);

    // The fitted pulse: a thin line over the wave, so the eye sees at once
    // where the wave leaves the shape of a Hertz impact.
    fitCurve_ = new QwtPlotCurve;
    fitCurve_->setPen(QPen(kFitColour, 0, Qt::SolidLine));
    fitCurve_->setRenderHint(QwtPlotItem::RenderAntialiased, true);
    fitCurve_->setZ(curve_->z() + 1);

    baselineMarker_ = new PixelLineMarker;
    baselineMarker_->setLineStyle(QwtPlotMarker::HLine);
    baselineMarker_->setLinePen(QPen(Qt::black, 0, Qt::SolidLine));
    baselineMarker_->attach(this);

    // All three labels sit right of their lines; start and end keep to the
    // top and bottom so that they do not cover the peak's label.
    startMarker_ = new QwtPlotMarkerBelowTitle(kTitlePointSize);
    setUpVerticalMarker(startMarker_, Qt::red, Qt::AlignRight | Qt::AlignTop);
    endMarker_ = verticalMarker(Qt::red, Qt::AlignRight | Qt::AlignBottom);
    peakMarker_ = verticalMarker(Qt::green, Qt::AlignRight);
    pickMarker_ = verticalMarker(Qt::black, Qt::AlignRight);
    pickMarker_->setZ(-1);

    checkImage_ = new QwtPlotImage(&checkPicture_);
    checkImage_->setZ(1000);

    title_ = new QwtPlotTextEx;
    title_->setTopLeft(0, overlayTitleBaseline(kTitlePointSize));
    title_->attach(this);
    badge_ = new QwtPlotTextEx;
    fitText_ = new QwtPlotTextEx;
    unitLabel_ = new QwtPlotTextEx;
    unitLabel_->setBottomRight(250, 5, 0, 0);
    unitLabel_->attach(this);
    spectrumText_ = new QwtPlotTextEx1;
    for (QwtPlotTextEx*& line : resultLines_) {
        line = new QwtPlotTextEx;
        line->attach(this);
    }

    const QFont axisFont(QStringLiteral("Helvetica"), 8);
    setAxisFont(QwtPlot::xBottom, axisFont);
    setAxisFont(QwtPlot::yLeft, axisFont);
    enableAxis(QwtPlot::xTop, false);
    enableAxis(QwtPlot::yRight, false);
    enableAxis(QwtPlot::yLeft, false);

    const int height = options().waveHeight;
    setFixedHeight(height >= 50 && height <= 500 ? height : kDefaultWaveHeight);
}

QWave::~QWave() {
    detachItems(QwtPlotItem::Rtti_PlotItem, false);
    delete grid_;
    delete curve_;
    delete fitCurve_;
    delete baselineMarker_;
    delete startMarker_;
    delete endMarker_;
    delete peakMarker_;
    delete pickMarker_;
    delete checkImage_;
    delete title_;
    delete badge_;
    delete fitText_;
    delete unitLabel_;
    delete spectrumText_;
    for (QwtPlotTextEx* line : resultLines_)
        delete line;
    for (QwtPlotMarker* marker : defectLines_)
        delete marker;
    for (QwtPlotMarker* marker : defectLabels_)
        delete marker;
}

QMenu* QWave::mainMenu() {
    if (!mainMenu_)
        createMenu();
    return mainMenu_;
}

void QWave::createMenu() {
    mainMenu_ = new QMenu(this);
    headAction_ = mainMenu_->addAction(tr("起始时间标记(&T)"), this, &QWave::doHead);
    tailAction_ = mainMenu_->addAction(tr("结束时间标记(&D)"), this, &QWave::doTail);
    mainMenu_->addAction(tr("缺陷(&F)"), this, &QWave::doError)->setVisible(false);
    QAction* clear = mainMenu_->addAction(tr("清除(&C)"), this, &QWave::doClear);
    clear->setStatusTip(tr("清除此波形的缺陷"));
    clear->setVisible(false);
    printAction_ = mainMenu_->addAction(tr("设置打印标志"), this, &QWave::doPrint);
    mainMenu_->addAction(tr("自动计算桩头"), this, &QWave::autoHead)->setVisible(false);
    mainMenu_->addAction(tr("图形导出"), this, &QWave::saveAs);
    mainMenu_->addAction(tr("删除波形"), this, &QWave::waveDel)->setVisible(false);
    mainMenu_->addAction(tr("数据导出"), this, &QWave::dataexport);
}

const QwtPlotTextEx* QWave::resultItem(int line) const {
    return line >= 0 && line < kResultLineCount ? resultLines_[static_cast<std::size_t>(line)]
                                                : nullptr;
}

void QWave::bindPoint(int pointIndex) {
    pointIndex_ = pointIndex;
}

NamePipeFile* QWave::file() const {
    return file_ ? file_ : session_ ? session_->currentFile() : nullptr;
}

MeasurePoint* QWave::point() const {
    NamePipeFile* f = file();
    if (!f || pointIndex_ < 0 || pointIndex_ >= static_cast<int>(f->points.size()))
        return nullptr;
    return &f->points[static_cast<std::size_t>(pointIndex_)];
}

void QWave::drawPoint() {
    draw(Variant::Screen);
}

void QWave::drawForExport() {
    draw(Variant::Export);
}

void QWave::clearAlignment() {
    aligned_ = false;
    alignShiftMs_ = 0;
}

void QWave::draw(Variant variant) {
    NamePipeFile* f = file();
    MeasurePoint* p = point();
    if (!f || !p || p->isDeleted())
        return;
    const ViewOptions& options = this->options();

    const int shown = f->pointCount() - f->deletedCount;
    QString title = tr("序号:%1/%2").arg(pointIndex_ + 1).arg(shown);
    if (variant == Variant::Screen && p->header.pointNo < 0)
        title += tr(" 系叠加波");
    const bool current = variant == Variant::Screen && f->currentPoint == pointIndex_ + 1;
    title_->setText(title, current ? QColor(255, 0, 0) : QColor(), kTitlePointSize);
    if (variant == Variant::Screen)
        setFitText(*p, setQualityBadge(*p, title));
    else
        fitText_->detach();
    pickMarker_->attach(current ? this : nullptr);
    checkImage_->attach(p->header.printMark == 2 ? this : nullptr);
    // A point without a length axis is drawn against time in either mode,
    // and the unit must say so.
    const bool lengthShown = options.abscissaTime == 0 && !p->accel.empty() &&
                             p->lengthAxis.size() == std::min(p->accel.size(), f->timeAxis.size());
    unitLabel_->setText(lengthShown ? QStringLiteral("L(m)") : QStringLiteral("T(ms)"), QColor(),
                        8);
    grid_->attach(options.hideGrid != 0 ? nullptr : this);
    enableAxis(QwtPlot::yLeft, options.showOrdinate == 1);

    setScales(*f, *p);
    baselineMarker_->setYValue(p->baseline);
    curve_->setBaseline(p->baseline);
    setSamples(*f, *p);
    setFitCurve(*p, variant);
    setMarkers(*f, *p);
    setDefectMarkers(*f, *p);

    CalculateResult(f);
    replot();
}

void QWave::setScales(const NamePipeFile& f, const MeasurePoint& p) {
    const ViewOptions& options = this->options();
    const double q = ampZoomScale(p.header.params.ampZoom) * 1.2;

    if (options.noNormalise == 1) {
        setAxisScale(QwtPlot::yLeft, f.fileYMin, f.fileYMax, niceStep(f.fileYMax) * 0.5);
    } else {
        // Room for the fitted peak above a clipped top.
        double top = p.yMax;
        if (fitShown() && p.pulseFit.converged)
            top = std::max(top, 1.1 * (p.baseline + p.pulseFit.amplitude));
        setAxisScale(QwtPlot::yLeft, p.yMin, top, niceStep(top) * 0.5);
    }

    if (session_ && session_->alignedView())
        return;
    // Around the impact: half a contact time before its start, one after
    // its end, so a short impact in a long record fills the view.
    const double contact = p.endMarkMs - p.startMarkMs;
    if (session_ && session_->impactZoom() && options.abscissaTime != 0 && contact > 0) {
        const double from = std::max(0.0, p.startMarkMs - contact / 2);
        const double to = p.endMarkMs + contact;
        setAxisScale(QwtPlot::xBottom, from, to, niceStep((to - from) / 10));
        return;
    }
    const double length = f.sampleCount() * static_cast<double>(f.header.sampleInterval) / 1000;
    setAxisScale(QwtPlot::xBottom, 0, length * q, niceStep(f.timeTick * q));
}

bool QWave::fitShown() const {
    return session_ && session_->fitShown() && options().abscissaTime != 0;
}

void QWave::setFitCurve(const MeasurePoint& p, Variant variant) {
    // On screen only, against time, where there is a fit: pictures for the
    // reports show the record as it was recorded.
    if (variant != Variant::Screen || !fitShown() || !p.pulseFit.converged) {
        fitCurve_->detach();
        return;
    }
    fitCurve_->setData(new FittedPulseSeries(p.pulseFit, p.baseline, aligned_ ? alignShiftMs_ : 0));
    fitCurve_->attach(this);
}

void QWave::setSamples(NamePipeFile& f, MeasurePoint& p) {
    const std::size_t n = std::min(p.accel.size(), f.timeAxis.size());
    if (options().abscissaTime != 0) {
        curve_->setData(
            new SampleSeries(f.timeAxis.data(), p.accel.data(), n, aligned_ ? alignShiftMs_ : 0));
        return;
    }
    pickMarker_->setXValue(p.pickTime);
    // Only a head alignment gives a point its length axis; until then the
    // wave stays on the time axis rather than collapsing onto zero.
    const bool hasLength = p.lengthAxis.size() == n;
    curve_->setData(
        new SampleSeries(hasLength ? p.lengthAxis.data() : f.timeAxis.data(), p.accel.data(), n));
}

void QWave::setMarkers(const NamePipeFile& f, const MeasurePoint& p) {
    startMarker_->setXValue(p.startMarkMs);
    startMarker_->setLabel(markerLabel(tr("起始:  %1ms").arg(fixed(p.startMarkMs, 3)), Qt::red));
    endMarker_->setXValue(p.endMarkMs);
    endMarker_->setLabel(markerLabel(tr("结束:  %1ms").arg(fixed(p.endMarkMs, 3)), Qt::red));
    peakMarker_->setXValue(p.peakTime);
    peakMarker_->setLabel(markerLabel(QStringLiteral("( %1ms, %2m/s2 )")
                                          .arg(fixed(p.peakTime, 3))
                                          .arg(fixed(p.peakValue / f.header.gain, 2)),
                                      QColor(0, 128, 0)));
    startMarker_->attach(this);
    endMarker_->attach(this);
    peakMarker_->attach(this);
}

void QWave::setDefectMarkers(const NamePipeFile& f, const MeasurePoint& p) {
    const ViewOptions& options = this->options();
    const bool timeMode = options.abscissaTime != 0;
    const double labelY = (options.noNormalise == 1 ? f.fileYMax : p.yMax) / 10;
    const int labelSize = options.waveHeight > 100 ? 8 : 7;
    for (std::size_t e = 0; e < defectLines_.size(); ++e) {
        const double position = f.header.defectLegend[e].position;
        const bool here = position > 1e-6 && f.header.legendPoint[e] == pointIndex_;
        if (!here) {
            if (defectLines_[e])
                defectLines_[e]->detach();
            if (defectLabels_[e])
                defectLabels_[e]->detach();
            continue;
        }
        if (!defectLines_[e]) {
            defectLines_[e] = verticalMarker(Qt::green, Qt::AlignRight);
            defectLabels_[e] = new QwtPlotMarker;
        }
        const double x = timeMode ? position * 1000 * 2 / f.header.waveSpeed : position;
        defectLines_[e]->setXValue(x);
        defectLines_[e]->attach(this);
        if (!timeMode) {
            defectLabels_[e]->detach();
            continue;
        }
        const QString text = options.defectInTime != 0
                                 ? QStringLiteral("%1ms").arg(fixed(x, 2))
                                 : QStringLiteral("%1m").arg(fixed(position, 2));
        QwtText label(text);
        label.setFont(QFont(QStringLiteral("Helvetica"), labelSize));
        defectLabels_[e]->setLabel(label);
        defectLabels_[e]->setValue(x, labelY);
        defectLabels_[e]->attach(this);
    }
}

int QWave::setQualityBadge(const MeasurePoint& p, const QString& title) {
    const QFontMetrics metrics(QFont(QStringLiteral("Helvetica"), kTitlePointSize));
    // Right of the title, as wide as the title is drawn.
    const int afterTitle = metrics.horizontalAdvance(title) + 8;
    const QualityFlags& flags = p.results.flags;
    if (!p.hasResults || !flags.any()) {
        badge_->detach();
        setToolTip(QString());
        return afterTitle;
    }
    FlagSeverity gravest = FlagSeverity::Info;
    QStringList labels;
    for (const QualityFlag flag : flags.list()) {
        const FlagSeverity severity = flags.severityOf(flag);
        gravest = std::max(gravest, severity);
        labels << tr("%1：%2").arg(severityText(severity), qualityFlagText(flag));
    }
    const QColor colour = gravest == FlagSeverity::Error     ? QColor(200, 0, 0)
                          : gravest == FlagSeverity::Warning ? QColor(190, 100, 0)
                                                             : QColor(0, 90, 200);
    const QString text = QStringLiteral("[%1]").arg(severityText(gravest));
    badge_->setTopLeft(afterTitle, overlayTitleBaseline(kTitlePointSize));
    badge_->setText(text, colour, kTitlePointSize);
    badge_->attach(this);
    setToolTip(tr("质量：\n") + labels.join(QLatin1Char('\n')));
    return afterTitle + metrics.horizontalAdvance(text) + 8;
}

void QWave::setFitText(const MeasurePoint& p, int left) {
    // In the title band, where there is always room, in the fitted line's
    // colour.
    if (!p.hasResults || !p.pulseFit.converged) {
        fitText_->detach();
        return;
    }
    fitText_->setTopLeft(left + 8, overlayTitleBaseline(kTitlePointSize));
    fitText_->setText(fitLineText(p.results), kFitColour, kTitlePointSize);
    fitText_->attach(this);
}

void QWave::CalculateResult(NamePipeFile* f) {
    MeasurePoint* p = point();
    if (!f || !p)
        return;
    const QStringList lines = p->hasResults ? resultLineTexts(p->results) : QStringList();
    constexpr int kShownLines = static_cast<int>(kResultFields.size());
    // The column stands as far from the right edge as its widest line needs
    // in the font as drawn, plus half a line: English labels are longer.
    const QFontMetrics metrics(QFont(QStringLiteral("Helvetica"), kResultPointSize));
    int inset = kMinimumResultInset;
    for (const QString& line : lines)
        inset = std::max(inset, metrics.horizontalAdvance(line) + metrics.height() / 2);
    for (int i = 0; i < kResultLineCount; ++i)
        resultLines_[static_cast<std::size_t>(i)]->setColumnLine(inset, i, kShownLines);
    // The axis unit stays left of the column, whatever its width.
    unitLabel_->setBottomRight(inset + 40, 5, 0, 0);
    for (int i = 0; i < lines.size(); ++i)
        resultLines_[static_cast<std::size_t>(i)]->setText(lines[i], QColor(0, 0, 255),
                                                           kResultPointSize);
    for (std::size_t i = static_cast<std::size_t>(lines.size()); i < resultLines_.size(); ++i)
        resultLines_[i]->setText(QString(), QColor(0, 0, 255), kResultPointSize);
}

void QWave::Pickedselected(const QPointF& picked) {
    NamePipeFile* f = file();
    MeasurePoint* p = point();
    if (!f || !p)
        return;
    const double x = picked.x();
    if (std::fabs(x) <= 1e-6) {
        session_->showStatus(QString());
    } else {
        const double dt = f->header.sampleInterval;
        // A pick beyond the record (or a file without a sample interval)
        // reads no sample.
        const double k = std::trunc(x * 1000 / dt);
        double value = 0;
        if (k >= 0 && k < static_cast<double>(p->raw.size())) {
            // Read as the wave is drawn: a point kept in its polarity is
            // not inverted.
            value = countsToAccel(p->raw[static_cast<std::size_t>(k)], f->header.fullScale,
                                  f->header.sensitivity);
            if (p->header.params.polarity != 1)
                value = -value;
            value /= f->header.gain;
        }
        session_->showStatus(
            QStringLiteral("T=%1ms, A=%2m/s2").arg(fixed(x, 3)).arg(fixed(value, 2)));
    }

    p->pickTime = x;
    pickMarker_->setXValue(x);
    // The list redraws the view that lost the highlight and this one.
    session_->setCurrentPoint(pointIndex_);
    drawPoint();
}

void QWave::prepareMenu() {
    mainMenu();
    const MeasurePoint* p = point();
    const bool manual = p && p->header.params.autoMark != 1;
    headAction_->setEnabled(manual);
    tailAction_->setEnabled(manual);
    printAction_->setText(p && p->header.printMark == 2 ? tr("去除打印标识") : tr("设打印标识"));
}

void QWave::contextMenuEvent(QContextMenuEvent* event) {
    if (!session_)
        return;
    prepareMenu();
    mainMenu()->popup(event->globalPos());
}
