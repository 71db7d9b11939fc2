#include "wave_pictures.h"

#include "data/area_file.h"
#include "plot_picture.h"
#include "wave.h"

#include <QDir>
#include <QFile>

namespace tarvel {

WavePicture::WavePicture(const ViewOptions& options) : view_(std::make_unique<QWave>(options)) {
    view_->setFixedSize(kPictureWidth, kPictureHeight);
}

WavePicture::~WavePicture() = default;

QImage WavePicture::render(NamePipeFile& file, int pointIndex) {
    view_->bindFile(&file);
    view_->bindPoint(pointIndex);
    view_->drawForExport();
    view_->updateLayout();
    QImage image = paint();
    // The first drawing settles the axis layout and fills the tick-label
    // size cache; a point's picture must not depend on whether it came first.
    if (!settled_) {
        settled_ = true;
        image = paint();
    }
    return image;
}

QImage WavePicture::paint() {
    return pictureOf(*view_);
}

std::vector<int> picturePoints(const NamePipeFile& file, bool everyPoint) {
    std::vector<int> points;
    for (std::size_t i = 0; i < file.points.size(); ++i) {
        const MeasurePoint& point = file.points[i];
        if (!point.isDeleted() && (everyPoint || point.header.printMark == 2))
            points.push_back(static_cast<int>(i));
    }
    return points;
}

QString wavePictureName(const NamePipeFile& file, int number) {
    return QStringLiteral("%1-%2.png").arg(QString::fromStdString(file.fileName)).arg(number);
}

PictureRun writeWavePictures(WavePicture& picture, NamePipeFile& file,
                             const std::vector<int>& points, const QString& folder,
                             const std::function<bool(int)>& keepGoing) {
    PictureRun run;
    for (std::size_t n = 0; n < points.size(); ++n) {
        if (keepGoing && !keepGoing(static_cast<int>(n))) {
            run.cancelled = true;
            for (const QString& path : run.written)
                QFile::remove(path);
            run.written.clear();
            return run;
        }
        const QString path = QDir(folder).filePath(wavePictureName(file, static_cast<int>(n) + 1));
        if (const QString error = writePicture(picture.render(file, points[n]), path);
            !error.isEmpty()) {
            run.failure = QStringLiteral("%1\n%2").arg(path, error);
            return run;
        }
        run.written << path;
    }
    if (keepGoing)
        keepGoing(static_cast<int>(points.size()));
    return run;
}

} // namespace tarvel
