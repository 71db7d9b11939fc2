// The wave list: one view per point that is not deleted, and its sizing.
#include "app/main_window.h"
#include "scripted_dialogs.h"
#include "synthetic_fixture.h"
#include "views/plot_overlay_items.h"
#include "views/wave.h"
#include "views/wave_list.h"
#include <qwt_plot_curve.h>

#include <QAction>
#include <QTemporaryDir>
#include <QtTest>

using namespace tarvel;

namespace {

// Counts the hide and show events of the widgets it watches.
class VisibilityChanges : public QObject {
public:
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::HideToParent || event->type() == QEvent::ShowToParent)
            ++count;
        return false;
    }
};

} // namespace

class WaveListTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void oneViewPerPointNotDeleted();
    void waveHeights_data();
    void waveHeights();
    void narrowContainerIsLaidOutAt1024();
    void wideContainerKeepsItsWidth();
    void listAndMapSizes();
    void allPointsDeletedGivesNoViews();
    void invalidIndexLeavesTheListEmpty();
    void reprocessRedrawsFromTheRawSamples();
    void mergedWaveIsAppendedAndRecorded();
    void viewModesShowOneKindAtATime();
    void viewsAreBoundAgainAcrossFiles();

private:
    NamePipeFile& file() { return *window->session().currentFile(); }

    QTemporaryDir* dir = nullptr;
    ScriptedDialogs* dialogs = nullptr;
    MainWindow* window = nullptr;
};

void WaveListTest::init() {
    dir = new QTemporaryDir;
    dialogs = new ScriptedDialogs;
    window = new MainWindow;
    QVERIFY(window->openProjectPath(
        writeFixtureProject(dir->path(), {{QStringLiteral("测区1"), 2, 3}})));
}

void WaveListTest::cleanup() {
    delete window;
    delete dialogs;
    delete dir;
}

void WaveListTest::oneViewPerPointNotDeleted() {
    QWaveList* list = window->waveList();
    QCOMPARE(list->waves().size(), 6);
    for (int i = 0; i < 6; ++i)
        QCOMPARE(list->waves()[i]->pointIndex(), i);
    file().points[1].header.deleted = 1;
    file().deletedCount = 1;
    list->setFile();
    QCOMPARE(list->waves().size(), 5);
    QVERIFY(!list->viewOfPoint(1));
    QVERIFY(list->resultList()->isHidden());
    QVERIFY(list->mapHost()->isHidden());
}

void WaveListTest::waveHeights_data() {
    QTest::addColumn<int>("option");
    QTest::addColumn<int>("height");
    QTest::newRow("49") << 49 << 120;
    QTest::newRow("50") << 50 << 50;
    QTest::newRow("500") << 500 << 500;
    QTest::newRow("501") << 501 << 120;
    QTest::newRow("no options file") << 0 << 120;
}

void WaveListTest::waveHeights() {
    QFETCH(int, option);
    QFETCH(int, height);
    {
        tarvel::ViewOptions options = window->state().options;
        options.waveHeight = option;
        window->session().setOptions(options);
    }
    QWaveList* list = window->waveList();
    list->setFile();
    for (QWave* view : list->waves()) {
        QCOMPARE(view->minimumHeight(), height);
        QCOMPARE(view->maximumHeight(), height);
    }
    QCOMPARE(list->container()->minimumSize(), QSize(800, 6 * height));
    QCOMPARE(list->container()->height(), 6 * height);
}

void WaveListTest::narrowContainerIsLaidOutAt1024() {
    QWaveList* list = window->waveList();
    list->container()->resize(600, 10);
    list->applyWaveSizes();
    QCOMPARE(list->container()->width(), 1024);
}

void WaveListTest::wideContainerKeepsItsWidth() {
    QWaveList* list = window->waveList();
    list->container()->resize(1500, 10);
    list->applyWaveSizes();
    QCOMPARE(list->container()->width(), 1500);
}

void WaveListTest::listAndMapSizes() {
    QWaveList* list = window->waveList();
    file().points[1].header.deleted = 1;
    file().deletedCount = 1;
    // The result list's own size: a row for each of the five points shown.
    list->applyListSizes();
    QCOMPARE(list->container()->minimumSize(), list->resultList()->sizeHint());
    QCOMPARE(list->container()->height(), 90 + 30 * 5);
    QVERIFY(list->container()->width() >= 20 + 150 * 9);
    list->applyMapSizes();
    QCOMPARE(list->container()->minimumSize(), QSize(800, 400));
}

void WaveListTest::allPointsDeletedGivesNoViews() {
    for (MeasurePoint& p : file().points)
        p.header.deleted = 1;
    file().deletedCount = file().pointCount();
    QWaveList* list = window->waveList();
    list->setFile();
    QVERIFY(list->waves().isEmpty());
    QCOMPARE(list->container()->minimumHeight(), 0);
}

void WaveListTest::invalidIndexLeavesTheListEmpty() {
    QWaveList* list = window->waveList();
    window->session().setCurrentFile(5);
    QVERIFY(list->waves().isEmpty());
}

void WaveListTest::reprocessRedrawsFromTheRawSamples() {
    MeasurePoint& p = file().points[0];
    const double peak = p.peakValue;
    std::fill(p.accel.begin(), p.accel.end(), 0.0);
    window->waveList()->reprocess();
    QCOMPARE(p.peakValue, peak);
    QCOMPARE(window->waveList()->waves()[0]->curve()->sample(0).y(), p.accel[0]);
}

void WaveListTest::mergedWaveIsAppendedAndRecorded() {
    dialogs->mergeAnswers.enqueue({0, 1});
    window->findChild<QAction*>("WaveMerge")->trigger();
    QWaveList* list = window->waveList();
    QCOMPARE(list->waves().size(), 7);
    QCOMPARE(list->waves().last()->pointIndex(), 6);
    QCOMPARE(window->history().undoStack().back().kind, int(kEditPointAdded));
    QVERIFY(file().modified);
    QVERIFY(window->state().saveNeeded);
}

void WaveListTest::viewModesShowOneKindAtATime() {
    window->show();
    QWaveList* list = window->waveList();
    QAction* analysis = window->findChild<QAction*>("PinPuView");
    analysis->trigger();
    QVERIFY(list->waves()[0]->isHidden());
    QVERIFY(!list->resultList()->isHidden());
    // The map stays one click away.
    QVERIFY(window->findChild<QAction*>("DengZhiView")->isEnabled());
    analysis->trigger();
    QVERIFY(!list->waves()[0]->isHidden());
    QVERIFY(list->resultList()->isHidden());
}

void WaveListTest::viewsAreBoundAgainAcrossFiles() {
    delete window;
    window = new MainWindow;
    QVERIFY(window->openProjectPath(
        writeFixtureProject(dir->path() + "/many", {{QStringLiteral("测区1"), 4, 10},
                                                    {QStringLiteral("测区2"), 2, 3},
                                                    {QStringLiteral("测区3"), 4, 10}})));
    ProjectSession& session = window->session();
    QWaveList* list = window->waveList();
    // The third area holds a deleted point and a merged wave.
    session.setCurrentFile(2);
    session.setCurrentPoint(3);
    session.applyEdit(DeletePoint{3});
    session.applyEdit(MergePoints{{0, 1}});
    const int built = list->findChildren<QWave*>().size();

    for (int index : {1, 2, 0, 2}) {
        window->cellClicked(index, 1);
        const NamePipeFile& file = *window->session().currentFile();
        QCOMPARE(list->waves().size(), file.pointCount() - file.deletedCount);
        int shown = 0;
        for (int i = 0; i < file.pointCount(); ++i) {
            if (file.points[std::size_t(i)].isDeleted())
                continue;
            QWave* view = list->waves()[shown++];
            QCOMPARE(view->pointIndex(), i);
            QVERIFY(!view->isHidden());
            // Each view draws its own point of this file.
            QCOMPARE(view->curve()->sample(10).y(), file.points[std::size_t(i)].accel[10]);
            QCOMPARE(bool(view->checkImage()->plot()),
                     file.points[std::size_t(i)].header.printMark == 2);
        }
    }
    // No plot was built for the later visits: the views were bound again.
    QCOMPARE(list->findChildren<QWave*>().size(), built);

    // The views both areas need stay where they stand: none is hidden or
    // shown again, which is what made a switch slow.
    window->show();
    session.setCurrentFile(0);
    const NamePipeFile& third = *window->state().files[2];
    const int kept = std::min<int>(list->waves().size(), third.pointCount() - third.deletedCount);
    VisibilityChanges changes;
    for (int i = 0; i < kept; ++i)
        list->waves()[i]->installEventFilter(&changes);
    session.setCurrentFile(2);
    QCOMPARE(changes.count, 0);
}

QTEST_MAIN(WaveListTest)
#include "wave_list_test.moc"
