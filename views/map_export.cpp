#include "map_export.h"

#include "distribution_map.h"
#include "wave_export.h"

#include <QPainter>
#include <qwt_plot_layout.h>
#include <qwt_plot_renderer.h>

namespace tarvel {

QImage renderAreaMap(const NamePipeFile& file) {
    TestSpectrogram plot;
    if (!plot.setArea(file))
        return QImage();
    const QRect target(0, 0, kExportWidth, kExportHeight);
    plot.resize(target.size());
    // The renderer lays the plot out without scroll bars and, as the canvas
    // frame is discarded, without frames.
    plot.keepCellsInProportion(target,
                               QwtPlotLayout::IgnoreScrollbars | QwtPlotLayout::IgnoreFrames);
    plot.replot();

    QwtPlotRenderer renderer;
    renderer.setDiscardFlag(QwtPlotRenderer::DiscardBackground, false);
    renderer.setDiscardFlag(QwtPlotRenderer::DiscardCanvasBackground, true);
    renderer.setDiscardFlag(QwtPlotRenderer::DiscardCanvasFrame, true);
    renderer.setLayoutFlag(QwtPlotRenderer::FrameWithScales, true);

    QImage image(kExportWidth, kExportHeight, QImage::Format_RGB16);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&plot, &painter, target);
    return image;
}

} // namespace tarvel
