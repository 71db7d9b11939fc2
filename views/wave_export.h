// The two exports of a wave view.
#pragma once

#include <QString>

namespace tarvel {

struct MeasurePoint;

// "Images (*.bmp *.png ...)" from the formats the image writer supports.
QString imageFilter();

// One stored sample minus 32768 per line, lines ending in "\r\n"; the file
// is truncated first. Returns an empty string or the reason it failed.
QString writeSampleText(const MeasurePoint& point, const QString& path);

} // namespace tarvel
