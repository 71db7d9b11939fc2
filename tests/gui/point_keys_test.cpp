// Moving through the points of an area: keys, "转到测点", the wheel, and the
// place an area opens at.
#include "app/main_window.h"
#include "scripted_dialogs.h"
#include "synthetic_fixture.h"
#include "views/wave.h"
#include "views/wave_list.h"

#include <QAction>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <QtTest>

using namespace tarvel;

class PointKeysTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void downAndUpStopAtTheEnds();
    void pagesAndEnds();
    void goToPointAsksForANumber();
    void wheelStepScrollsOneWave();
    void switchingAreasLandsOnTheCurrentPoint();

private:
    QWaveList* list() const { return window->waveList(); }
    int current() const { return window->session().currentPointIndex(); }
    void press(Qt::Key key) {
        QTest::keyClick(list(), key);
        QCoreApplication::processEvents();
    }
    // The whole view of `point` lies inside the visible part of the list.
    bool inView(int point) const {
        QCoreApplication::processEvents();
        const QWave* view = list()->viewOfPoint(point);
        const int top = view->mapTo(list()->viewport(), QPoint(0, 0)).y();
        return top >= 0 && top + view->height() <= list()->viewport()->height();
    }

    QTemporaryDir* dir = nullptr;
    ScriptedDialogs* dialogs = nullptr;
    MainWindow* window = nullptr;
};

void PointKeysTest::init() {
    dir = new QTemporaryDir;
    dialogs = new ScriptedDialogs;
    window = new MainWindow;
    window->resize(1200, 800);
    // Two areas of 40 points: far more than a screen holds.
    QVERIFY(window->openProjectPath(writeFixtureProject(
        dir->path(), {{QStringLiteral("测区1"), 4, 10}, {QStringLiteral("测区2"), 4, 10}})));
    // Waves of 100 px whatever the options on this machine say.
    {
        tarvel::ViewOptions options = window->state().options;
        options.waveHeight = 100;
        window->session().setOptions(options);
    }
    list()->applyWaveSizes();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    list()->setFocus();
    QCOMPARE(current(), 0);
}

void PointKeysTest::cleanup() {
    delete window;
    delete dialogs;
    delete dir;
}

void PointKeysTest::downAndUpStopAtTheEnds() {
    press(Qt::Key_Up);
    QCOMPARE(current(), 0);
    press(Qt::Key_Down);
    press(Qt::Key_Down);
    QCOMPARE(current(), 2);
    press(Qt::Key_End);
    QCOMPARE(current(), 39);
    QVERIFY(inView(39));
    press(Qt::Key_Down);
    QCOMPARE(current(), 39);
    QVERIFY(inView(39));
    press(Qt::Key_Up);
    QCOMPARE(current(), 38);
    QVERIFY(inView(38));

    // A deleted point is stepped over.
    window->session().applyEdit(DeletePoint{37});
    window->session().setCurrentPoint(38);
    press(Qt::Key_Up);
    QCOMPARE(current(), 36);
}

void PointKeysTest::pagesAndEnds() {
    const int perScreen = list()->viewport()->height() / list()->waves()[0]->height();
    QVERIFY(perScreen >= 2);
    press(Qt::Key_PageDown);
    QCOMPARE(current(), perScreen);
    QVERIFY(inView(perScreen));
    press(Qt::Key_PageDown);
    QCOMPARE(current(), 2 * perScreen);
    press(Qt::Key_PageUp);
    QCOMPARE(current(), perScreen);
    press(Qt::Key_End);
    press(Qt::Key_PageDown);
    QCOMPARE(current(), 39);
    press(Qt::Key_Home);
    QCOMPARE(current(), 0);
    QVERIFY(inView(0));
    QCOMPARE(list()->verticalScrollBar()->value(), 0);
}

void PointKeysTest::goToPointAsksForANumber() {
    QAction* goTo = window->findChild<QAction*>("goToPoint");
    QCOMPARE(goTo->shortcut(), QKeySequence("Ctrl+G"));
    dialogs->numbers << 30;
    goTo->trigger();
    QCOMPARE(dialogs->callsOf("number").last().title, QString("转到测点"));
    QCOMPARE(dialogs->callsOf("number").last().text, QString("测点号（1–40）："));
    QCOMPARE(current(), 29);
    QVERIFY(inView(29));

    // Outside the area: said, and the current point stays.
    for (int outside : {0, 41, -3}) {
        dialogs->numbers << outside;
        goTo->trigger();
        QCOMPARE(current(), 29);
        QCOMPARE(dialogs->calls.last().kind, QString("notify"));
        QCOMPARE(dialogs->calls.last().text,
                 QString("本测区没有测点 %1（测点号 1–40）。").arg(outside));
    }
    window->session().applyEdit(DeletePoint{4});
    dialogs->numbers << 5;
    goTo->trigger();
    QCOMPARE(dialogs->calls.last().text, QString("测点 5 已删除。"));
    QVERIFY(current() != 4);
    // Cancelled: nothing moves.
    const int before = current();
    goTo->trigger();
    QCOMPARE(current(), before);
}

void PointKeysTest::wheelStepScrollsOneWave() {
    QScrollBar* bar = list()->verticalScrollBar();
    const int waveHeight = list()->waves()[0]->height();
    bar->setValue(0);
    const auto turn = [&](int delta) {
        const QPointF at(10, 10);
        QWheelEvent event(at, list()->viewport()->mapToGlobal(at.toPoint()), QPoint(),
                          QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(list()->viewport(), &event);
    };
    turn(-120);
    QCOMPARE(bar->value(), waveHeight);
    // Half steps of a touchpad add up to one.
    turn(-60);
    QCOMPARE(bar->value(), waveHeight);
    turn(-60);
    QCOMPARE(bar->value(), 2 * waveHeight);
    turn(120);
    QCOMPARE(bar->value(), waveHeight);
    // Scrolling does not change the current point.
    QCOMPARE(current(), 0);
}

void PointKeysTest::switchingAreasLandsOnTheCurrentPoint() {
    // The second area was last left at its 31st point; the first at its end.
    window->state().files[1]->currentPoint = 31;
    press(Qt::Key_End);
    window->fileTable()->selectRow(1);
    window->cellClicked(1, 0);
    QCOMPARE(window->state().currentFile, 1);
    QCOMPARE(current(), 30);
    QVERIFY(inView(30));

    window->fileTable()->selectRow(0);
    window->cellClicked(0, 0);
    QCOMPARE(current(), 39);
    QVERIFY(inView(39));
    window->fileTable()->selectRow(1);
    window->cellClicked(1, 0);
    QVERIFY(inView(30));
}

QTEST_MAIN(PointKeysTest)
#include "point_keys_test.moc"
