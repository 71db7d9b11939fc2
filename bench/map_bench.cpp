// How long the distribution map takes, off screen: the matrix alone, the
// plot built and painted as the window shows it, the picture with its PNG
// encoding, and a rebuild of the shown plot (what a results change costs).
//   map_bench [SIDE...]   (default 20 100: square grids)
#include "analysis/area_map.h"
#include "analysis/conditioning.h"
#include "analysis/synthetic.h"
#include "views/distribution_map.h"
#include "views/map_export.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QImageWriter>
#include <QPixmap>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kRuns = 7;

// The median of kRuns runs, in ms.
double medianMillis(const std::function<void()>& run) {
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

tarvel::NamePipeFile makeArea(int side) {
    tarvel::SyntheticArea spec;
    spec.rows = side;
    spec.columns = side;
    spec.sampleCount = 1024;
    spec.moduliMPa = tarvel::modulusPattern("bump:60:150", side, side, 1);
    tarvel::NamePipeFile area = tarvel::makeSyntheticArea(spec, "bench");
    tarvel::conditionFile(area);
    return area;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::vector<int> sides;
    for (int i = 1; i < argc; ++i)
        sides.push_back(QString::fromLocal8Bit(argv[i]).toInt());
    if (sides.empty())
        sides = {20, 100};

    std::printf("%9s %10s %16s %14s %12s %14s\n", "grid", "matrix ms", "build+paint ms",
                "picture ms", "with PNG ms", "rebuild ms");
    for (const int side : sides) {
        const tarvel::NamePipeFile area = makeArea(side);
        const double matrix = medianMillis([&] { tarvel::buildAreaMap(area); });

        QPixmap screen(1000, 700);
        const double shown = medianMillis([&] {
            TestSpectrogram plot;
            plot.resize(screen.size());
            plot.setArea(area);
            plot.render(&screen);
        });

        const double picture = medianMillis([&] { tarvel::renderAreaMap(area); });
        const double png = medianMillis([&] {
            QBuffer buffer;
            buffer.open(QIODevice::WriteOnly);
            QImageWriter(&buffer, "png").write(tarvel::renderAreaMap(area));
        });

        TestSpectrogram plot;
        plot.resize(screen.size());
        plot.setArea(area);
        plot.render(&screen);
        const double rebuild = medianMillis([&] {
            plot.setArea(area);
            plot.render(&screen);
        });
        std::printf("%4d x %-3d %10.2f %16.2f %14.2f %12.2f %14.2f\n", side, side, matrix, shown,
                    picture, png, rebuild);
    }
    return 0;
}
