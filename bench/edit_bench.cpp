// What an edit costs the user, off screen: from the commit to every wave
// drawn again, for an area-wide parameter change, its undo and redo, and a
// header commit that needs only the results against one that conditions the
// file again; then the memory of a long history of area-wide edits.
//   edit_bench [POINTS...]   (default 100 400; 4096 samples, all band-passed)
#include "app/main_window.h"
#include "edit/header_fields.h"
#include "tests/gui/synthetic_fixture.h"
#include "views/wave.h"
#include "views/wave_list.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdio>
#include <functional>

using namespace tarvel;

namespace {

constexpr int kSamples = 4096;
constexpr int kRuns = 3;
constexpr int kHistory = 1000;

void drawAll(const QWaveList& list, QPixmap& target) {
    for (QWave* view : list.waves())
        view->render(&target);
}

// The fastest of kRuns runs of `step` followed by drawing every wave, in ms.
double timed(const std::function<void(int)>& step, const QWaveList& list, QPixmap& target) {
    double best = 1e9;
    for (int run = 0; run < kRuns; ++run) {
        QElapsedTimer timer;
        timer.start();
        step(run);
        drawAll(list, target);
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

std::size_t recordBytes(const EditRecord& record) {
    return sizeof record + record.filePath.capacity() + record.headerBytes.capacity() +
           record.headerRanges.capacity() * sizeof(ByteRange) + record.pointBytes.bytes.capacity() +
           record.pointBytes.points.capacity() * sizeof(int32_t) +
           record.pointBytes.ranges.capacity() * sizeof(ByteRange);
}

SetProcessingParams areaFilter(int upper) {
    return {-1,
            {int32Patch(offsetof(ProcessingParams, filterType), 4),
             int32Patch(offsetof(ProcessingParams, filterF1), 100),
             int32Patch(offsetof(ProcessingParams, filterF2), upper)}};
}

SetHeaderFields header(const char* key, float value) {
    return {{floatPatch(findHeaderField(key)->offset, value)}};
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QList<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes << QString::fromLocal8Bit(argv[i]).toInt();
    if (sizes.isEmpty())
        sizes = {100, 400};

    std::printf("%7s %10s %9s %9s %9s %12s %12s %12s\n", "points", "chain ms", "area ms", "undo ms",
                "redo ms", "height ms", "correct. ms", "1000 rec. MB");
    for (const int points : sizes) {
        QTemporaryDir dir;
        const QString project = writeFixtureProject(
            dir.path(), {{QStringLiteral("测区"), points / 25 > 0 ? points / 25 : 1,
                          points >= 25 ? 25 : points, kSamples}});
        MainWindow window;
        window.resize(1400, 900);
        window.show();
        window.openProjectPath(project);
        ProjectSession& session = window.session();
        const QWaveList& list = *window.waveList();
        QPixmap target(1400, 120);
        session.applyEdit(areaFilter(600));

        QElapsedTimer chain;
        chain.start();
        session.reprocess();
        const double chainMs = chain.nsecsElapsed() / 1e6;

        const double area =
            timed([&](int run) { session.applyEdit(areaFilter(650 + 50 * run)); }, list, target);
        const double undo = timed([&](int) { session.undo(); }, list, target);
        const double redo = timed([&](int) { session.redo(); }, list, target);
        const double height =
            timed([&](int run) { session.applyEdit(header("dropHeight", 0.6f + 0.1f * run)); },
                  list, target);
        const double correction =
            timed([&](int run) { session.applyEdit(header("accelCorrection", 0.01f * (run + 1))); },
                  list, target);

        // The history keeps bytes by place, never samples.
        session.setCurrentFile(0);
        NamePipeFile& file = *session.currentFile();
        EditHistory history;
        for (int i = 0; i < kHistory; ++i) {
            ApplyOutcome outcome = apply(file, areaFilter(700 + i));
            history.push(std::move(outcome.applied->record));
        }
        std::size_t bytes = 0;
        for (const EditRecord& record : history.undoStack())
            bytes += recordBytes(record);

        std::printf("%7d %10.1f %9.1f %9.1f %9.1f %12.1f %12.1f %12.1f\n", points, chainMs, area,
                    undo, redo, height, correction, bytes / 1048576.0);
    }
    return 0;
}
