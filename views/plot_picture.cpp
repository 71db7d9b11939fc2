#include "plot_picture.h"

#include <QPainter>
#include <qwt_plot.h>
#include <qwt_plot_renderer.h>

namespace tarvel {

QImage pictureOf(QwtPlot& plot) {
    QwtPlotRenderer renderer;
    renderer.setDiscardFlag(QwtPlotRenderer::DiscardBackground, false);
    renderer.setDiscardFlag(QwtPlotRenderer::DiscardCanvasBackground, true);
    renderer.setDiscardFlag(QwtPlotRenderer::DiscardCanvasFrame, true);
    renderer.setLayoutFlag(QwtPlotRenderer::FrameWithScales, true);

    QImage image(kPictureWidth, kPictureHeight, QImage::Format_RGB16);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&plot, &painter, QRectF(0, 0, kPictureWidth, kPictureHeight));
    return image;
}

} // namespace tarvel
