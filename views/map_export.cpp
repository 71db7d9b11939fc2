#include "map_export.h"

#include "distribution_map.h"
#include "plot_picture.h"

#include "data/area_file.h"

#include <QPainter>
#include <cmath>
#include <qwt_plot_item.h>
#include <qwt_plot_layout.h>
#include <qwt_scale_map.h>
#include <qwt_scale_widget.h>

namespace tarvel {
namespace {

// Black frames round the cells whose point falls short of the requirement.
class ShortfallOutline : public QwtPlotItem {
public:
    ShortfallOutline(const AreaMap& map, const NamePipeFile& file, double required) {
        setZ(30); // over the spectrogram and its contour lines
        for (int row = 0; row < map.rows; ++row)
            for (int column = 0; column < map.columns; ++column) {
                const int index = map.pointAt(row, column);
                if (index < 0)
                    continue;
                const MeasurePoint& point = file.points[static_cast<std::size_t>(index)];
                const double modulus = point.results.deformationModulus;
                if (point.hasResults && std::isfinite(modulus) && modulus < required)
                    cells_.push_back(QRectF(column * map.columnSpacing, row * map.rowSpacing,
                                            map.columnSpacing, map.rowSpacing));
            }
    }

    int rtti() const override { return QwtPlotItem::Rtti_PlotUserItem; }

    void draw(QPainter* painter, const QwtScaleMap& x, const QwtScaleMap& y,
              const QRectF&) const override {
        painter->setPen(QPen(Qt::black, 2));
        painter->setBrush(Qt::NoBrush);
        for (const QRectF& cell : cells_) {
            const QPointF corner(x.transform(cell.left()), y.transform(cell.bottom()));
            const QPointF opposite(x.transform(cell.right()), y.transform(cell.top()));
            // Inset by half the pen, so neighbours' frames do not merge.
            painter->drawRect(QRectF(corner, opposite).normalized().adjusted(1, 1, -1, -1));
        }
    }

    bool empty() const { return cells_.empty(); }

private:
    std::vector<QRectF> cells_;
};

} // namespace

QImage renderAreaMap(const NamePipeFile& file, const MapPictureStyle& style) {
    TestSpectrogram plot;
    if (!plot.setArea(file, style.scale))
        return QImage();
    // The bar's title names the unit of its numbers.
    QwtText title = plot.axisTitle(QwtPlot::yRight);
    title.setText(title.text() + QStringLiteral(" (MPa)"));
    plot.setAxisTitle(QwtPlot::yRight, title);
    std::unique_ptr<ShortfallOutline> outline;
    if (style.requiredMpa) {
        outline = std::make_unique<ShortfallOutline>(plot.area(), file, *style.requiredMpa);
        outline->attach(&plot);
    }
    const QRect target(0, 0, kPictureWidth, kPictureHeight);
    plot.resize(target.size());
    // The renderer lays the plot out without scroll bars and, as the canvas
    // frame is discarded, without frames.
    plot.keepCellsInProportion(target,
                               QwtPlotLayout::IgnoreScrollbars | QwtPlotLayout::IgnoreFrames);
    plot.replot();

    QImage picture = pictureOf(plot);
    if (outline)
        outline->detach();
    return picture;
}

} // namespace tarvel
