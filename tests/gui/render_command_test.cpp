// tarvel-cli render, run as a script runs it: a process without a display.
#include "analysis/area_loader.h"
#include "data/area_file.h"
#include "data/view_options.h"
#include "views/application_font.h"
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

Run cli(const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TARVEL_CLI), arguments);
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

// A plain application, as the program and the command are: QTEST_MAIN's
// 96-dpi assumption would size the fonts of the pictures differently.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    RenderCommandTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "render_command_test.moc"
