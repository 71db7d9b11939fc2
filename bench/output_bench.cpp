// What the output commands cost, off screen and warm (one process): the
// pictures of 100 marked waves of 4096 samples ("生成位图"), drawing and PNG
// encoding apart, with the peak memory after 10 and after 100 pictures; and
// the test report of 20 areas of 100 points with their maps ("生成报告").
#include "analysis/conditioning.h"
#include "analysis/shared_map_scale.h"
#include "analysis/synthetic.h"
#include "data/project_info.h"
#include "report/scrivet.h"
#include "views/application_font.h"
#include "views/map_export.h"
#include "views/plot_picture.h"
#include "views/wave_pictures.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QImageWriter>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>

namespace {

long peakKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

tarvel::NamePipeFile makeArea(int index, int sampleCount) {
    tarvel::SyntheticArea spec;
    spec.areaName = "测区" + std::to_string(index + 1);
    spec.rows = 10;
    spec.columns = 10;
    spec.sampleCount = sampleCount;
    spec.moduliMPa = tarvel::modulusPattern("bump:60:150", 10, 10, index + 1);
    tarvel::NamePipeFile area = tarvel::makeSyntheticArea(spec, "bench");
    tarvel::conditionFile(area);
    return area;
}

QByteArray encodePng(const QImage& image) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setQuality(tarvel::kPictureQuality);
    writer.write(image);
    return buffer.data();
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    setApplicationFont();

    tarvel::NamePipeFile area = makeArea(0, 4096);
    for (tarvel::MeasurePoint& point : area.points)
        point.header.printMark = 2;
    const std::vector<int> points = tarvel::picturePoints(area);
    tarvel::WavePicture picture(tarvel::defaultViewOptions());
    QElapsedTimer timer;
    timer.start();
    for (const int point : points)
        picture.render(area, point);
    const double drawing = timer.nsecsElapsed() / 1e9;
    const QImage one = picture.render(area, points.front());
    timer.restart();
    for (std::size_t i = 0; i < points.size(); ++i)
        encodePng(one);
    const double encoding = timer.nsecsElapsed() / 1e9;

    QTemporaryDir folder;
    tarvel::writeWavePictures(picture, area, std::vector<int>(points.begin(), points.begin() + 10),
                              folder.path());
    const long after10 = peakKiB();
    timer.restart();
    const tarvel::PictureRun run = tarvel::writeWavePictures(picture, area, points, folder.path());
    const double whole = timer.nsecsElapsed() / 1e9;
    std::printf("生成位图, %zu waves of 4096 samples: drawing %.2f s, PNG encoding %.2f s, "
                "the command as run %.2f s (%d written); peak RSS %ld KiB after 10, %ld KiB "
                "after all\n",
                points.size(), drawing, encoding, whole, static_cast<int>(run.written.size()),
                after10, peakKiB());

    tarvel::AreaFileList areas;
    for (int i = 0; i < 20; ++i)
        areas.push_back(std::make_unique<tarvel::NamePipeFile>(makeArea(i, 1024)));
    tarvel::ProjectInfo project{};
    QTemporaryDir maps;
    timer.restart();
    const tarvel::MapScale scale = tarvel::sharedMapScale(areas);
    for (std::size_t i = 0; i < areas.size(); ++i)
        QImageWriter(QDir(maps.path())
                         .filePath(QString::fromStdString(
                             tarvel::scrivet::mapFileName(static_cast<int>(i) + 1))),
                     "png")
            .write(tarvel::renderAreaMap(*areas[i], {&scale, std::nullopt}));
    const double mapping = timer.nsecsElapsed() / 1e9;
    timer.restart();
    const QString report = QDir(maps.path()).filePath(QStringLiteral("report.docx"));
    const QByteArray mapFolder = QFile::encodeName(maps.path() + "/");
    const ScrivetSettings settings{nullptr, nullptr, mapFolder.constData(), ScrivetChinese};
    const bool written =
        openDoc1With("", &project, &areas, &settings, QFile::encodeName(report).constData(), false);
    const double writing = timer.nsecsElapsed() / 1e9;
    std::printf("生成报告, 20 areas of 100 points: maps %.2f s, document %.2f s, total %.2f s%s\n",
                mapping, writing, mapping + writing, written ? "" : " (not written)");
    return written ? 0 : 1;
}
