// The distribution map of the current area: one cell per grid position,
// coloured by its deformation modulus, with contour lines at the round steps
// of the colour bar.
#pragma once

#include "analysis/area_map.h"

#include <QWidget>
#include <memory>
#include <qwt_color_map.h>
#include <qwt_matrix_raster_data.h>
#include <qwt_plot.h>
#include <qwt_plot_layout.h>

class QLabel;
class QwtPlotSpectrogram;

namespace tarvel {
class ProjectSession;
struct NamePipeFile;
} // namespace tarvel

// Dark blue for the weakest ground through blue, green and yellow to red;
// a cell without a value is drawn in a neutral grey, apart from the scale.
class LinearColorMapRGB : public QwtLinearColorMap {
public:
    LinearColorMapRGB();
    QRgb rgb(const QwtInterval& interval, double value) const override;
};

// The map's cells as Qwt's raster, row 0 at the bottom. Contour lines come
// from the cells themselves, so they never run through an empty one.
class SpectrogramData : public QwtMatrixRasterData {
public:
    SpectrogramData(std::shared_ptr<const tarvel::AreaMap> map, const tarvel::MapScale& scale);

    // Bounds-checked: Qwt asks for the far edge of the grid too.
    double value(double x, double y) const override;
    ContourLines contourLines(const QRectF& rect, const QSize& raster, const QList<double>& levels,
                              ConrecFlags flags) const override;

private:
    std::shared_ptr<const tarvel::AreaMap> map_;
};

class TestSpectrogram : public QwtPlot {
    Q_OBJECT

public:
    explicit TestSpectrogram(QWidget* parent = nullptr);

    // Rebuilds the spectrogram for `file`, coloured on `fixedScale` when
    // given (maps of several areas on one scale), else on the area's own.
    // False, with nothing drawn, when the file's grid is unusable
    // (area().unusable says why).
    bool setArea(const tarvel::NamePipeFile& file, const tarvel::MapScale* fixedScale = nullptr);
    void clearArea();
    const tarvel::AreaMap& area() const { return *area_; }
    const tarvel::MapScale& scale() const { return scale_; }

    // Pads the plot so that, laid out in `rect`, a metre across the canvas
    // is as long as a metre up it: square cells for equal spacings.
    // `options` as the renderer lays out, when it is for a picture. True
    // when the scales changed (and the plot needs a replot).
    bool keepCellsInProportion(const QRect& rect, QwtPlotLayout::Options options = {});

    QwtPlotSpectrogram* spectrogram = nullptr;

public slots:
    void showContour(bool on);
    void showSpectrogram(bool on);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // The padding and the axis spans that make a metre as long across the
    // canvas as up it, with the axes as they are now.
    struct CellFit {
        QMargins padding;
        double xSpan;
        double ySpan;
        // The direction whose span follows the canvas; the other spans the grid.
        enum class Derived { None, Across, Up } derived;
    };
    CellFit fitCells(const QRect& rect, QwtPlotLayout::Options options);
    void setSpans(double xSpan, double ySpan);

    std::shared_ptr<const tarvel::AreaMap> area_;
    tarvel::MapScale scale_;
    // The spans last set: the plot's own scale divisions follow only at
    // the next replot.
    double xSpan_ = 0;
    double ySpan_ = 0;
    bool fitting_ = false;
};

// The map as the wave list shows it: rebuilt from the session's current
// file whenever its results or points change while it is shown.
class graph : public QWidget {
    Q_OBJECT

public:
    explicit graph(tarvel::ProjectSession& session, QWidget* parent = nullptr);

    TestSpectrogram* plot;

    // The line shown instead of a map whose grid is unusable.
    QString note() const;
    void rebuild();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void sessionChanged();
    void pick(const QPointF& position);

    tarvel::ProjectSession& session_;
    QLabel* note_;
    bool stale_ = true;
};
