// Every picture the program writes of a plot is drawn the same way.
#pragma once

#include <QImage>
#include <QString>

class QwtPlot;

namespace tarvel {

inline constexpr int kPictureWidth = 800;
inline constexpr int kPictureHeight = 400;
// PNG quality for the pictures: Qt maps it to zlib's fastest level, which
// writes a hundred wave pictures several times faster for a few per cent
// more bytes.
inline constexpr int kPictureQuality = 80;

// The plot as 800 x 400 16-bit RGB: the widget's background kept, the
// canvas background and frame left out, frames drawn around the scales.
QImage pictureOf(QwtPlot& plot);

// Writes `image` as a PNG through a temporary file renamed over `path`, so a
// full disk or a kill never leaves a truncated picture. Returns an empty
// string or the reason ("No space left on device" named as such).
QString writePicture(const QImage& image, const QString& path);

} // namespace tarvel
