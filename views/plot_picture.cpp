#include "plot_picture.h"

#include "data/atomic_file.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
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

QString writePicture(const QImage& image, const QString& path) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setQuality(kPictureQuality);
    if (!writer.write(image))
        return writer.errorString();
    const std::string error =
        writeFileAtomically(QFile::encodeName(path).toStdString(), png.constData(),
                            static_cast<std::size_t>(png.size()));
    return QString::fromStdString(error);
}

} // namespace tarvel
