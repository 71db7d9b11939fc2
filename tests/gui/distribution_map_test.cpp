// The distribution map in the window: when it may be shown, that it follows
// the session's results while shown, what a click on a cell says, and its
// picture.
#include "analysis/results.h"
#include "app/main_window.h"
#include "scripted_dialogs.h"
#include "synthetic_fixture.h"
#include "views/distribution_map.h"
#include "views/map_export.h"
#include "views/wave.h"
#include "views/wave_list.h"

#include <QAction>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>
#include <qwt_plot_canvas.h>
#include <qwt_plot_spectrogram.h>

using namespace tarvel;

class DistributionMapTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void mapCommandFollowsTheCurrentFile();
    void theMapAndTheResultListTakeTurns();
    void switchingToTheMapOnlyRedraws();
    void followsResultsAndPointsWhileShownAndCatchesUpOnShow();
    void unusableGridShowsOneLineAndNoPicture();
    void clickOnACellShowsItsPointAndValue();
    void cellsKeepTheirProportion();
    void pictureIsTheExportSize();
    void extremeGridsStillGiveAPicture_data();
    void extremeGridsStillGiveAPicture();
    void everyGridSettlesAtEverySize();

private:
    NamePipeFile& file() { return *window->session().currentFile(); }
    graph* map() { return window->waveList()->map(); }
    QAction* mapAction() { return window->findChild<QAction*>("DengZhiView"); }
    void expectSquareMetres();
    void showMap() {
        window->show();
        mapAction()->trigger();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QVERIFY(map()->isVisible());
    }
    double modulusOf(int point) {
        return uncorrectedDeformationModulus(file().points[static_cast<std::size_t>(point)],
                                             resultParametersOf(file().header));
    }

    QTemporaryDir* dir = nullptr;
    ScriptedDialogs* dialogs = nullptr;
    MainWindow* window = nullptr;
};

void DistributionMapTest::init() {
    dir = new QTemporaryDir;
    dialogs = new ScriptedDialogs;
    window = new MainWindow;
    window->resize(1200, 800);
    QVERIFY(window->openProjectPath(
        writeFixtureProject(dir->path(), {{QStringLiteral("测区1"), 2, 3}})));
}

void DistributionMapTest::cleanup() {
    delete window;
    delete dialogs;
    delete dir;
}

void DistributionMapTest::mapCommandFollowsTheCurrentFile() {
    QVERIFY(mapAction()->isVisible());
    QVERIFY(mapAction()->isEnabled());
    const QList<QAction*> tools = window->findChild<QToolBar*>("toolBar")->actions();
    const int list = tools.indexOf(window->findChild<QAction*>("PinPuView"));
    QVERIFY(list >= 0);
    QCOMPARE(tools.value(list + 1), mapAction());

    window->session().setCurrentFile(-1);
    QVERIFY(!mapAction()->isEnabled());
    map()->rebuild();
    QVERIFY(map()->plot->isHidden());
    QVERIFY(map()->note().isEmpty());
}

void DistributionMapTest::theMapAndTheResultListTakeTurns() {
    QAction* list = window->findChild<QAction*>("PinPuView");
    window->show();
    list->trigger();
    QVERIFY(window->waveList()->resultList()->isVisible());
    QVERIFY(mapAction()->isEnabled());
    mapAction()->trigger();
    QVERIFY(map()->isVisible());
    QVERIFY(!list->isChecked());
    QVERIFY(!window->waveList()->resultList()->isVisible());
    QVERIFY(list->isEnabled());
    list->trigger();
    QVERIFY(!mapAction()->isChecked());
    QVERIFY(!map()->isVisible());
    QVERIFY(window->waveList()->resultList()->isVisible());
    list->trigger();
    QVERIFY(window->waveList()->waves().first()->isVisible());
}

void DistributionMapTest::switchingToTheMapOnlyRedraws() {
    QSignalSpy conditioned(&window->session(), &ProjectSession::conditioned);
    showMap();
    QCOMPARE(conditioned.count(), 0);
    const AreaMap& area = map()->plot->area();
    QCOMPARE(area.rows, 2);
    QCOMPARE(area.columns, 3);
    QCOMPARE(map()->plot->area().value(1, 2), modulusOf(5));
    // Shown twice, one spectrogram.
    mapAction()->trigger();
    mapAction()->trigger();
    QCOMPARE(map()->plot->itemList(QwtPlotItem::Rtti_PlotSpectrogram).size(), 1);
}

void DistributionMapTest::followsResultsAndPointsWhileShownAndCatchesUpOnShow() {
    showMap();
    const double before = map()->plot->area().value(0, 0);
    const float heavier = file().header.ballMass * 1.1f;
    QVERIFY(window->session()
                .applyEdit(SetHeaderFields{{floatPatch(offsetof(PipHeader, ballMass), heavier)}})
                .isEmpty());
    QVERIFY(modulusOf(0) != before);
    QCOMPARE(map()->plot->area().value(0, 0), modulusOf(0));

    window->session().undo();
    QCOMPARE(map()->plot->area().value(0, 0), before);

    QVERIFY(window->session().applyEdit(DeletePoint{4}).isEmpty());
    QCOMPARE(map()->plot->area().pointAt(1, 1), -1);

    // Hidden, it is left as it was until it shows again.
    mapAction()->trigger();
    QVERIFY(map()->isHidden());
    window->session().undo();
    QCOMPARE(map()->plot->area().pointAt(1, 1), -1);
    mapAction()->trigger();
    QCOMPARE(map()->plot->area().pointAt(1, 1), 4);
}

void DistributionMapTest::unusableGridShowsOneLineAndNoPicture() {
    file().header.pointTotal = 0;
    file().header.columnSpacing = std::numeric_limits<float>::quiet_NaN();
    QVERIFY(renderAreaMap(file()).isNull());
    showMap();
    QVERIFY(map()->plot->isHidden());
    QCOMPARE(map()->note(),
             QStringLiteral("测区没有可用的网格：行数 0，列数 %1，行距 %2 m，列距 nan m")
                 .arg(file().header.gridColumns)
                 .arg(file().header.pointSpacing, 0, 'f', 2));
    QVERIFY(!map()->plot->spectrogram);
}

void DistributionMapTest::clickOnACellShowsItsPointAndValue() {
    showMap();
    QSignalSpy status(&window->session(), &ProjectSession::statusMessage);
    const AreaMap& area = map()->plot->area();
    const auto click = [&](int row, int column) {
        const QPoint at(
            qRound(map()->plot->transform(QwtPlot::xBottom, (column + 0.5) * area.columnSpacing)),
            qRound(map()->plot->transform(QwtPlot::yLeft, (row + 0.5) * area.rowSpacing)));
        QTest::mouseClick(map()->plot->canvas(), Qt::LeftButton, Qt::NoModifier, at);
    };
    click(1, 2);
    QCOMPARE(status.count(), 1);
    // Rows and columns count from 1, as the points do.
    QCOMPARE(status.takeFirst().at(0).toString(),
             QStringLiteral("行 2，列 3，序号6，%1 MPa").arg(modulusOf(5), 0, 'f', 2));

    QVERIFY(window->session().applyEdit(DeletePoint{1}).isEmpty());
    click(0, 1);
    QCOMPARE(status.takeLast().at(0).toString(), QStringLiteral("行 1，列 2，无测点"));
}

void DistributionMapTest::cellsKeepTheirProportion() {
    showMap();
    for (const QSize size : {QSize(1200, 800), QSize(900, 1000)}) {
        window->resize(size);
        QCoreApplication::processEvents();
        expectSquareMetres();
    }
}

void DistributionMapTest::expectSquareMetres() {
    const QwtPlot* plot = map()->plot;
    // Metres per pixel across and up the canvas.
    const double across =
        plot->invTransform(QwtPlot::xBottom, 100) - plot->invTransform(QwtPlot::xBottom, 0);
    const double up =
        plot->invTransform(QwtPlot::yLeft, 0) - plot->invTransform(QwtPlot::yLeft, 100);
    QVERIFY2(std::abs(across / up - 1) < 0.03, qPrintable(QString::number(across / up)));
}

void DistributionMapTest::pictureIsTheExportSize() {
    const QImage picture = renderAreaMap(file());
    QCOMPARE(picture.size(), QSize(800, 400));
    QCOMPARE(picture.format(), QImage::Format_RGB16);
    // Coloured, not a blank page: the map shows between the axes.
    QSet<QRgb> colours;
    for (int x = 0; x < picture.width(); x += 4)
        colours.insert(picture.pixel(x, picture.height() / 2));
    QVERIFY(colours.size() > 4);
}

void DistributionMapTest::extremeGridsStillGiveAPicture_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("columns");
    QTest::addColumn<float>("spacing");
    QTest::newRow("tiny spacing") << 2 << 3 << 1e-30f;
    QTest::newRow("huge spacing") << 2 << 3 << 1e30f;
    QTest::newRow("one long row") << 1 << 1000 << 5.0f;
    QTest::newRow("one tall column") << 1000 << 1 << 5.0f;
}

void DistributionMapTest::extremeGridsStillGiveAPicture() {
    QFETCH(int, rows);
    QFETCH(int, columns);
    QFETCH(float, spacing);
    file().header.pointTotal = rows;
    file().header.gridColumns = columns;
    file().header.pointSpacing = spacing;
    file().header.columnSpacing = spacing;
    QCOMPARE(renderAreaMap(file()).size(), QSize(800, 400));
    showMap();
    QVERIFY(map()->plot->isVisible());
    expectSquareMetres();
    // A strip of cells still gets a canvas that can be read.
    QVERIFY(std::min(map()->plot->canvas()->width(), map()->plot->canvas()->height()) >= 150);
}

void DistributionMapTest::everyGridSettlesAtEverySize() {
    // Padding the plot for square cells changes its axes' labels, which
    // changes the room left for the canvas: the plot must settle, square,
    // rather than pad itself again and again.
    const auto check = [&](QSize grid, const QList<QSize>& windows) {
        file().header.gridColumns = grid.width();
        file().header.pointTotal = grid.height();
        for (const QSize size : windows) {
            window->resize(size);
            map()->rebuild();
            QCoreApplication::processEvents();
            QVERIFY2(map()->plot->isVisible(), qPrintable(QStringLiteral("%1 x %2 at %3 x %4")
                                                              .arg(grid.height())
                                                              .arg(grid.width())
                                                              .arg(size.width())
                                                              .arg(size.height())));
            expectSquareMetres();
        }
    };
    showMap();
    for (int rows = 1; rows <= 20; ++rows) {
        for (int columns = 1; columns <= 20; ++columns)
            check(QSize(columns, rows), {QSize(1366, 768), QSize(900, 1000)});
    }
    for (const QSize grid : {QSize(20, 20), QSize(20, 1), QSize(1, 20), QSize(13, 7)}) {
        check(grid, {QSize(1920, 1080), QSize(1200, 800), QSize(700, 500)});
        // Resized step by step while shown, as a user drags the window.
        for (int width = 700; width <= 1400; width += 35) {
            window->resize(width, 600 + width / 4);
            QCoreApplication::processEvents();
            expectSquareMetres();
        }
    }
}

QTEST_MAIN(DistributionMapTest)
#include "distribution_map_test.moc"
