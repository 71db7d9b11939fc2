// The two exports of a wave view.
#pragma once

#include <QImage>
#include <QString>

namespace tarvel {

struct MeasurePoint;
class ProjectSession;
class UserDialogs;

inline constexpr int kExportWidth = 800;
inline constexpr int kExportHeight = 400;
inline constexpr const char* kSampleTextFile = "A.txt";

// "Images (*.bmp *.png ...)" from the formats the image writer supports.
QString imageFilter();

struct NamePipeFile;

// The picture of a point of `file` (the current file when null): 800 x 400,
// 16-bit RGB.
QImage renderWaveImage(ProjectSession& session, UserDialogs& dialogs, int pointIndex,
                       NamePipeFile* file = nullptr);

// One stored sample minus 32768 per line, lines ending in "\r\n"; the file
// is truncated first. Returns an empty string or the reason it failed.
QString writeSampleText(const MeasurePoint& point, const QString& path);

} // namespace tarvel
