// How long the result list takes to repaint while it is scrolled, off
// screen: an area of 5 000 points, the list in its host, scrolled a page at
// a time (every row on screen new) and a few rows at a time (a wheel step).
//   result_list_bench [POINTS]   (default 5000; 1024 samples each)
#include "app/main_window.h"
#include "tests/gui/synthetic_fixture.h"
#include "views/result_list.h"
#include "views/wave_list.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kSamples = 1024;

struct Figures {
    double mean = 0;
    double worst = 0;
};

// Scrolls by `step` pixels until the end, timing each scroll with its paint.
Figures scrollThrough(QWaveList& host, int step) {
    QScrollBar* bar = host.verticalScrollBar();
    bar->setValue(0);
    QApplication::processEvents();
    std::vector<double> times;
    for (int value = step; value <= bar->maximum(); value += step) {
        QElapsedTimer timer;
        timer.start();
        bar->setValue(value);
        host.viewport()->repaint();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    Figures figures;
    for (double t : times)
        figures.mean += t / double(times.size());
    figures.worst = times.empty() ? 0 : *std::max_element(times.begin(), times.end());
    return figures;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int points = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 5000;
    const int columns = 50;
    QTemporaryDir dir;
    const QString project = tarvel::writeFixtureProject(
        dir.path(), {{QStringLiteral("测区1"), std::max(1, points / columns), columns, kSamples}});
    MainWindow window;
    window.resize(1400, 900);
    window.show();
    if (!window.openProjectPath(project))
        return 1;
    window.findChild<QAction*>("PinPuView")->trigger();
    QApplication::processEvents();
    QWaveList& host = *window.waveList();

    std::printf("rows %d, list %dx%d px, viewport %dx%d px\n", host.resultList()->rowCount(),
                host.resultList()->width(), host.resultList()->height(), host.viewport()->width(),
                host.viewport()->height());
    std::printf("%-22s %10s %10s\n", "scroll step", "mean ms", "worst ms");
    for (const int step : {host.viewport()->height(), 90}) {
        const Figures f = scrollThrough(host, step);
        std::printf("%-22s %10.2f %10.2f\n",
                    step == 90 ? "3 rows (wheel)" : "a page (all rows new)", f.mean, f.worst);
    }
    return 0;
}
