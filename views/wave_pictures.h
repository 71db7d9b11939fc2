// Pictures of marked waves: one off-screen view drawn again for each point,
// as the bitmap command, the picture reports and `tarvel-cli render` need.
#pragma once

#include "data/view_options.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class QWave;

namespace tarvel {

struct NamePipeFile;

class WavePicture {
public:
    explicit WavePicture(const ViewOptions& options);
    ~WavePicture();
    WavePicture(const WavePicture&) = delete;
    WavePicture& operator=(const WavePicture&) = delete;

    // Point `pointIndex` of `file` as 800 x 400 16-bit RGB, without the
    // current-point highlight or the pick line.
    QImage render(NamePipeFile& file, int pointIndex);

private:
    QImage paint();

    std::unique_ptr<QWave> view_;
    bool settled_ = false;
};

// The points a picture command draws: not deleted and, unless every point is
// asked for, marked for printing; in index order.
std::vector<int> picturePoints(const NamePipeFile& file, bool everyPoint = false);

// "A1.Pip-2.png": the area's file name and the picture's number from 1.
QString wavePictureName(const NamePipeFile& file, int number);

struct PictureRun {
    QStringList written; // full paths, in order
    QString failure;     // the first picture that could not be written, and why
    bool cancelled = false;
};

// Writes the pictures of `points` into `folder`, numbered from 1 in order.
// Stops at the first failure. `keepGoing` is asked before each picture with
// the number done so far; false cancels, and the pictures of this run are
// removed again.
PictureRun writeWavePictures(WavePicture& picture, NamePipeFile& file,
                             const std::vector<int>& points, const QString& folder,
                             const std::function<bool(int)>& keepGoing = {});

} // namespace tarvel
