// The result list: which points get rows, what the cells say, and that the
// last row and column can be scrolled to.
#include "app/main_window.h"
#include "scripted_dialogs.h"
#include "synthetic_fixture.h"
#include "views/result_list.h"
#include "views/wave_list.h"

#include <QAction>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <limits>

using namespace tarvel;

class ResultListTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void deletedPointsHaveNoRows();
    void cellsReadTheStoredResultsAtTwoDecimals();
    void nonFiniteValuesReadDashes();
    void lastRowAndColumnAreReachableAt400Points();
    void switchingToTheListDoesNotConditionAgain();
    void noCurrentFileShowsNothing();

private:
    void open(int rows, int columns);
    qdatalist* list() { return window->waveList()->resultList(); }
    NamePipeFile& file() { return *window->session().currentFile(); }

    QTemporaryDir* dir = nullptr;
    ScriptedDialogs* dialogs = nullptr;
    MainWindow* window = nullptr;
};

void ResultListTest::init() {
    dir = new QTemporaryDir;
    dialogs = new ScriptedDialogs;
    window = new MainWindow;
}

void ResultListTest::cleanup() {
    delete window;
    delete dialogs;
    delete dir;
}

void ResultListTest::open(int rows, int columns) {
    QVERIFY(window->openProjectPath(
        writeFixtureProject(dir->path(), {{QStringLiteral("测区1"), rows, columns}})));
}

void ResultListTest::deletedPointsHaveNoRows() {
    open(2, 3);
    QCOMPARE(list()->rowCount(), 6);
    window->session().setCurrentPoint(1);
    QVERIFY(window->session().applyEdit(DeletePoint{1}).isEmpty());
    // Numbered as the wave titles number them, by the point's place.
    QCOMPARE(list()->rowCount(), 5);
    QCOMPARE(list()->cellText(0, 0), QStringLiteral("序号1"));
    QCOMPARE(list()->cellText(1, 0), QStringLiteral("序号3"));
    QCOMPARE(list()->pointOfRow(4), 5);
    window->session().undo();
    QCOMPARE(list()->rowCount(), 6);
}

void ResultListTest::cellsReadTheStoredResultsAtTwoDecimals() {
    open(2, 2);
    for (int row = 0; row < list()->rowCount(); ++row) {
        const PointResults& r = file().points[std::size_t(list()->pointOfRow(row))].results;
        const double values[] = {
            r.deformationModulus, r.resilientModulus, r.deflection,     r.k30, r.cbr,
            r.dryDensity,         r.compactionDegree, r.relativeDensity};
        for (int k = 1; k < 9; ++k)
            QCOMPARE(list()->cellText(row, k), QString::number(values[k - 1], 'f', 2));
    }
    QVERIFY(file().points[0].results.deformationModulus > 1);
}

void ResultListTest::nonFiniteValuesReadDashes() {
    open(1, 2);
    PointResults& r = file().points[0].results;
    r.deformationModulus = std::numeric_limits<double>::quiet_NaN();
    r.cbr = std::numeric_limits<double>::infinity();
    QCOMPARE(list()->cellText(0, 1), QStringLiteral("--"));
    QCOMPARE(list()->cellText(0, 5), QStringLiteral("--"));
    QVERIFY(list()->cellText(0, 2) != QStringLiteral("--"));
    file().points[1].hasResults = false;
    QCOMPARE(list()->cellText(1, 8), QStringLiteral("--"));
}

void ResultListTest::lastRowAndColumnAreReachableAt400Points() {
    open(20, 20);
    window->resize(1000, 700);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    window->findChild<QAction*>("PinPuView")->trigger();
    QCoreApplication::processEvents();
    QCOMPARE(list()->rowCount(), 400);

    QWaveList* host = window->waveList();
    host->verticalScrollBar()->setValue(host->verticalScrollBar()->maximum());
    host->horizontalScrollBar()->setValue(host->horizontalScrollBar()->maximum());
    QCoreApplication::processEvents();
    const QRect viewport = host->viewport()->rect();
    const QRect lastRow = list()->rowRect(399);
    const int top = list()->mapTo(host->viewport(), lastRow.topLeft()).y();
    const int bottom = list()->mapTo(host->viewport(), lastRow.bottomLeft()).y();
    QVERIFY2(top >= 0 && bottom < viewport.height(),
             qPrintable(QStringLiteral("row at %1..%2, viewport height %3")
                            .arg(top)
                            .arg(bottom)
                            .arg(viewport.height())));
    // The last column's widest text ends inside the scrolled view.
    const int lastColumnEnd =
        20 + 150 * 8 + list()->fontMetrics().horizontalAdvance(QStringLiteral("相对密度 0000.00"));
    QVERIFY(viewport.contains(list()->mapTo(host->viewport(), QPoint(lastColumnEnd, 0)).x(),
                              viewport.center().y()));
}

void ResultListTest::switchingToTheListDoesNotConditionAgain() {
    open(2, 2);
    QSignalSpy conditioned(&window->session(), &ProjectSession::conditioned);
    QAction* analysis = window->findChild<QAction*>("PinPuView");
    analysis->trigger();
    QVERIFY(!list()->isHidden());
    analysis->trigger();
    QVERIFY(list()->isHidden());
    QCOMPARE(conditioned.count(), 0);
}

void ResultListTest::noCurrentFileShowsNothing() {
    open(2, 2);
    window->session().setCurrentFile(-1);
    QCOMPARE(list()->rowCount(), 0);
    QVERIFY(!window->findChild<QAction*>("PinPuView")->isEnabled());
    QVERIFY(!window->findChild<QAction*>("getDataParamter")->isEnabled());
    window->waveList()->showMode(QWaveList::ResultListMode);
    QVERIFY(list()->isHidden());
}

QTEST_MAIN(ResultListTest)
#include "result_list_test.moc"
