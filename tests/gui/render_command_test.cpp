// tarvel-cli render, run as a script runs it: a process without a display.
#include "analysis/area_loader.h"
#include "analysis/shared_map_scale.h"
#include "data/area_file.h"
#include "data/view_options.h"
#include "report/zip_archive.h"
#include "views/application_font.h"
#include "views/map_export.h"
#include "views/wave_pictures.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <random>

using namespace tarvel;

namespace {

struct Run {
    int exitCode = -1;
    QString errors;
};

Run cli(const QStringList& arguments, const QString& program = QStringLiteral(TARVEL_CLI)) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    process.waitForFinished(120000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
}

// The mean colour of a band of rows of the map's plot area.
QColor bandColour(const QImage& image, int top, int bottom) {
    qint64 r = 0, g = 0, b = 0, n = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = 100; x < 500; ++x) {
            const QColor c = image.pixelColor(x, y);
            r += c.red();
            g += c.green();
            b += c.blue();
            ++n;
        }
    return QColor(int(r / n), int(g / n), int(b / n));
}

} // namespace

class RenderCommandTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void exitCodesSayWhatWentWrong();
    void wavePicturesAreTheDesktopsPictures();
    void theMapDependsOnPositionsNotOnStorageOrder();
    void aGradientShowsAsBandsFromFirstRowToLast();
    void theReportDrawsItsMapsAndPicturesAsRenderDoes();
    void withoutItsDrawingModuleOnlyTheDrawingCommandsFail();

private:
    QTemporaryDir dir;
    QString area; // 测区1 of a 20 x 20 gradient project
};

void RenderCommandTest::initTestCase() {
    setApplicationFont(); // as the desktop and the command draw
    QCOMPARE(cli({"simulate", dir.path() + "/project", "--rows", "20", "--columns", "20",
                  "--moduli", "gradient:40:160", "--samples", "1024"})
                 .exitCode,
             0);
    const QStringList areas = QDir(dir.path() + "/project").entryList({"*.pip"});
    QVERIFY(!areas.isEmpty());
    area = dir.path() + "/project/" + areas.first();
}

void RenderCommandTest::exitCodesSayWhatWentWrong() {
    QCOMPARE(cli({"render"}).exitCode, 1);
    QCOMPARE(cli({"render", area}).exitCode, 1);
    QCOMPARE(cli({"render", area, "--all"}).exitCode, 1);
    const Run missing = cli({"render", dir.path() + "/none.pip", "--map", dir.path() + "/m.png"});
    QCOMPARE(missing.exitCode, 2);
    QCOMPARE(missing.errors.count('\n'), 1);
    // No wave is marked for printing in a simulated area.
    const Run unmarked = cli({"render", area, "--waves", dir.path()});
    QCOMPARE(unmarked.exitCode, 2);
    QCOMPARE(unmarked.errors.count('\n'), 1);
    QCOMPARE(cli({"render", area, "--map", dir.path() + "/no such folder/m.png"}).exitCode, 2);

    // A grid no map can be drawn for.
    NamePipeFile record;
    QCOMPARE(readAreaFile(area.toStdString(), record).status, LoadStatus::Ok);
    record.header.columnSpacing = -1;
    const QString hostile = dir.path() + "/hostile.pip";
    QCOMPARE(writeAreaFile(record, hostile.toStdString()), std::string());
    const Run noGrid = cli({"render", hostile, "--map", dir.path() + "/h.png"});
    QCOMPARE(noGrid.exitCode, 2);
    QVERIFY2(noGrid.errors.contains("no usable grid"), qPrintable(noGrid.errors)); // English
    QVERIFY(!QFileInfo::exists(dir.path() + "/h.png"));

    // A disk that fills up during the write leaves no truncated picture and
    // no temporary, and the old picture stays.
    const QString full = dir.path() + "/full";
    QVERIFY(QDir().mkpath(full));
    QCOMPARE(cli({"render", area, "--map", full + "/m.png"}).exitCode, 0);
    const qint64 size = QFileInfo(full + "/m.png").size();
    QProcess limited;
    limited.start("sh", {"-c", "trap '' XFSZ; ulimit -f 2; exec \"$0\" \"$@\"",
                         QStringLiteral(TARVEL_CLI), "render", area, "--map", full + "/m.png"});
    QVERIFY(limited.waitForFinished(120000));
    QCOMPARE(limited.exitCode(), 2);
    QCOMPARE(QDir(full).entryList(QDir::Files | QDir::Hidden), QStringList{"m.png"});
    QCOMPARE(QFileInfo(full + "/m.png").size(), size);
}

void RenderCommandTest::wavePicturesAreTheDesktopsPictures() {
    const QString out = dir.path() + "/waves";
    QVERIFY(QDir().mkpath(out));
    QCOMPARE(cli({"render", area, "--waves", out, "--all"}).exitCode, 0);
    std::unique_ptr<NamePipeFile> file = loadAreaRecord(area.toStdString());
    QVERIFY(file);
    QCOMPARE(QDir(out).entryList({"*.png"}).size(), file->pointCount());
    WavePicture picture(defaultViewOptions());
    for (int i = 0; i < 3; ++i) {
        const QImage drawn = picture.render(*file, i);
        const QImage written(out + "/" + wavePictureName(*file, i + 1));

        QCOMPARE(written.convertToFormat(QImage::Format_RGB16), drawn);
    }
}

void RenderCommandTest::theMapDependsOnPositionsNotOnStorageOrder() {
    NamePipeFile record;
    QCOMPARE(readAreaFile(area.toStdString(), record).status, LoadStatus::Ok);
    std::shuffle(record.points.begin(), record.points.end(), std::mt19937(7));
    const QString shuffled = dir.path() + "/shuffled.pip";
    QCOMPARE(writeAreaFile(record, shuffled.toStdString()), std::string());

    QCOMPARE(cli({"render", area, "--map", dir.path() + "/a.png"}).exitCode, 0);
    QCOMPARE(cli({"render", shuffled, "--map", dir.path() + "/b.png"}).exitCode, 0);
    const QImage a(dir.path() + "/a.png");
    QCOMPARE(a.size(), QSize(800, 400));
    QCOMPARE(QImage(dir.path() + "/b.png"), a);
}

void RenderCommandTest::aGradientShowsAsBandsFromFirstRowToLast() {
    const QString path = dir.path() + "/gradient.png";
    QCOMPARE(cli({"render", area, "--map", path}).exitCode, 0);
    const QImage map(path);
    // Rows go up the y axis: the first rows (weak ground) at the bottom.
    const QColor upper = bandColour(map, 60, 140);
    const QColor lower = bandColour(map, 260, 340);
    QVERIFY2(upper.red() > lower.red() + 60 && lower.blue() > upper.blue() + 60,
             qPrintable(upper.name() + " over " + lower.name()));
}

// The pictures a document holds, in the order it holds them.
QList<QImage> picturesOf(const QString& document) {
    QList<QImage> pictures;
    for (const auto& [name, content] :
         scrivet::readZipFile(QFile::encodeName(document).toStdString()))
        if (QString::fromStdString(name).startsWith("word/media/"))
            pictures << QImage::fromData(QByteArray::fromStdString(content), "PNG");
    return pictures;
}

void RenderCommandTest::theReportDrawsItsMapsAndPicturesAsRenderDoes() {
    // A project of two areas, points 2 and 5 of the first marked for printing.
    const QString project = dir.path() + "/report";
    QCOMPARE(cli({"simulate", project, "--areas", "2", "--rows", "3", "--columns", "4", "--moduli",
                  "uniform:50", "--moduli", "uniform:150", "--samples", "1024"})
                 .exitCode,
             0);
    const std::string first = (project + "/area-1.pip").toStdString();
    NamePipeFile record;
    QCOMPARE(readAreaFile(first, record).status, LoadStatus::Ok);
    for (int point : {1, 4})
        record.points[std::size_t(point)].header.printMark = 2;
    QCOMPARE(writeAreaFile(record, first), std::string());
    const QString prj = project + "/demo.Prj";

    const Run chinese = cli({"report", prj, "--word", project + "/r.docx", "--area", "1",
                             "--word-pictures", project + "/w.docx"});
    QCOMPARE(chinese.exitCode, 0);
    QVERIFY2(chinese.errors.isEmpty(), qPrintable(chinese.errors));

    // The maps: one an area, on the project's one scale, as renderAreaMap draws.
    AreaFileList areas;
    for (const char* name : {"area-1.pip", "area-2.pip"})
        areas.push_back(loadAreaRecord((project + "/" + name).toStdString()));
    const MapScale scale = sharedMapScale(areas);
    const QList<QImage> maps = picturesOf(project + "/r.docx");
    QCOMPARE(maps.size(), 2);
    for (int i = 0; i < 2; ++i)
        QCOMPARE(maps[i].convertToFormat(QImage::Format_RGB16),
                 renderAreaMap(*areas[std::size_t(i)], {&scale, std::nullopt}));
    QVERIFY2(maps[0].convertToFormat(QImage::Format_RGB16) != renderAreaMap(*areas[0]),
             "not on the area's own scale");

    // The pictures: area 1's marked waves, drawn as "生成位图" draws them.
    const QList<QImage> waves = picturesOf(project + "/w.docx");
    QCOMPARE(waves.size(), 2);
    WavePicture picture(defaultViewOptions());
    picture.render(*areas[0], 1);
    QCOMPARE(waves[1].convertToFormat(QImage::Format_RGB16),
             picture.render(*areas[0], 4).convertToFormat(QImage::Format_RGB16));

    // In English the pictures carry English labels: they differ.
    QCOMPARE(cli({"report", prj, "--lang", "en", "--area", "1", "--word-pictures",
                  project + "/w-en.docx"})
                 .exitCode,
             0);
    const QList<QImage> english = picturesOf(project + "/w-en.docx");
    QCOMPARE(english.size(), 2);
    QVERIFY(english[0] != waves[0]);
    QCOMPARE(english[0].size(), waves[0].size());
}

void RenderCommandTest::withoutItsDrawingModuleOnlyTheDrawingCommandsFail() {
    // The program alone in a folder finds its drawing module neither beside
    // it nor where a package installs it.
    QTemporaryDir alone;
    const QString program = alone.path() + QStringLiteral("/tarvel-cli");
    QVERIFY(QFile::copy(QStringLiteral(TARVEL_CLI), program));
    const Run render = cli({"render", area, "--map", dir.path() + "/unreachable.png"}, program);
    QCOMPARE(render.exitCode, 2);
    QVERIFY2(render.errors.contains(QStringLiteral("tarvel-cli-drawing.so")),
             qPrintable(render.errors));
    QVERIFY(!QFile::exists(dir.path() + "/unreachable.png"));
    QCOMPARE(cli({"analyze", area}, program).exitCode, 0);
}

// A plain application, as the program and the command are: QTEST_MAIN's
// 96-dpi assumption would size the fonts of the pictures differently.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    RenderCommandTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "render_command_test.moc"
