// How long the wave list takes to show an area, off screen: from setFile to
// every wave drawn, and to redraw them all after a reprocess.
// Also switching between two areas of that size until the visible waves are
// painted (the views are bound again, not built), and the resident memory
// after both areas were seen twice and after twenty visits.
//   wave_drawing_bench [POINTS...]   (default 25 100 400; 4096 samples each)
#include "app/main_window.h"
#include "tests/gui/synthetic_fixture.h"
#include "views/wave.h"
#include "views/wave_list.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPixmap>
#include <QScrollBar>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int kSamples = 4096;
constexpr int kRuns = 3;

// Paints every wave view whole, whether scrolled into view or not. Each
// render() call also walks every widget of the window once (pending move
// and resize events), which the screen never does; with hundreds of views
// that walk is a good part of this figure.
void drawAll(const QWaveList& list) {
    if (list.waves().isEmpty())
        return;
    QPixmap target(list.waves().first()->size());
    for (QWave* view : list.waves())
        view->render(&target);
}

// Makes the list show a whole number of waves, so that paging through it
// paints each wave once.
void showWholeWaves(MainWindow& window) {
    const QWaveList& list = *window.waveList();
    const int wave = list.waves().isEmpty() ? 0 : list.waves().first()->height();
    if (wave <= 0)
        return;
    const int shown = list.viewport()->height();
    window.resize(window.width(), window.height() + std::max(2, shown / wave) * wave - shown);
    QApplication::processEvents();
}

// What a user paging through the whole area waits for: each screenful
// scrolled into view and painted as the screen paints it.
void pageThrough(QWaveList& list) {
    QScrollBar* bar = list.verticalScrollBar();
    const int page = std::max(1, list.viewport()->height());
    for (int y = 0;; y += page) {
        bar->setValue(y);
        list.viewport()->repaint();
        if (y >= bar->maximum())
            break;
    }
    bar->setValue(0);
}

// The resident memory of this process, in MiB.
double residentMiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    }
    return 0;
}

double millis(const QElapsedTimer& timer) {
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QList<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes << QString::fromLocal8Bit(argv[i]).toInt();
    if (sizes.isEmpty())
        sizes = {25, 100, 400};

    std::printf("%8s %14s %14s %16s %16s %14s %18s %22s\n", "points", "setFile ms", "+draw all ms",
                "reprocess ms", "+redraw all ms", "page through ms", "switch+visible ms",
                "RSS MiB 2nd / 20th visit");
    for (const int points : sizes) {
        QTemporaryDir dir;
        const int rows = points / 25 > 0 ? points / 25 : 1;
        const int columns = points >= 25 ? 25 : points;
        // Two areas of the same size, to switch between.
        const QString project = tarvel::writeFixtureProject(
            dir.path(), {{QStringLiteral("测区1"), rows, columns, kSamples},
                         {QStringLiteral("测区2"), rows, columns, kSamples}});
        MainWindow window;
        window.resize(1400, 900);
        window.show();
        window.openProjectPath(project);
        QApplication::processEvents();
        showWholeWaves(window);
        double setFile = 1e9, firstDraw = 1e9, reprocess = 1e9, redraw = 1e9, paging = 1e9;
        for (int run = 0; run < kRuns; ++run) {
            QElapsedTimer timer;
            timer.start();
            window.waveList()->setFile();
            setFile = std::min(setFile, millis(timer));
            drawAll(*window.waveList());
            firstDraw = std::min(firstDraw, millis(timer));

            timer.restart();
            window.waveList()->reprocess();
            reprocess = std::min(reprocess, millis(timer));
            drawAll(*window.waveList());
            redraw = std::min(redraw, millis(timer));

            timer.restart();
            pageThrough(*window.waveList());
            paging = std::min(paging, millis(timer));
        }
        // Switching areas as the file table does, until the visible waves
        // are painted.
        // Memory should not grow with visits: after both areas were seen
        // twice and after each was seen ten times.
        double switchTime = 1e9;
        double rssSecond = 0;
        for (int run = 0; run < 20; ++run) {
            QElapsedTimer timer;
            timer.start();
            window.session().setCurrentFile(1 - window.state().currentFile);
            window.waveList()->viewport()->grab();
            switchTime = std::min(switchTime, millis(timer));
            if (run == 3)
                rssSecond = residentMiB();
        }
        std::printf("%8d %14.1f %14.1f %16.1f %16.1f %14.1f %18.1f %13.1f / %6.1f\n", points,
                    setFile, firstDraw, reprocess, redraw, paging, switchTime, rssSecond,
                    residentMiB());
    }
    return 0;
}
