// A first start: no options file anywhere. The waves are readable at once,
// older options files are still read, and the options are kept in the
// user's configuration folder.
#include "app/main_window.h"
#include "scripted_dialogs.h"
#include "session/view_options_store.h"
#include "synthetic_fixture.h"
#include "views/plot_overlay_items.h"
#include "views/wave.h"
#include "views/wave_list.h"

#include <QTemporaryDir>
#include <QtTest>
#include <qwt_plot_canvas.h>

using namespace tarvel;

class FreshStartTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void wavesStart300PxHighAgainstTimeWithEveryResultInside();
    void anOlderOptionsFileInTheWorkingFolderIsRead();
    void optionsAreSavedToTheConfigurationFolder();
    void resultLinesCloseUpOnAShortCanvasAndNeverLeaveIt_data();
    void resultLinesCloseUpOnAShortCanvasAndNeverLeaveIt();

private:
    QTemporaryDir* home = nullptr;
    QString workingFolder;
};

void FreshStartTest::init() {
    home = new QTemporaryDir;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home->path() + "/config"));
    workingFolder = QDir::currentPath();
    QVERIFY(QDir().mkpath(home->path() + "/work"));
    QDir::setCurrent(home->path() + "/work");
}

void FreshStartTest::cleanup() {
    QDir::setCurrent(workingFolder);
    delete home;
}

void FreshStartTest::wavesStart300PxHighAgainstTimeWithEveryResultInside() {
    ScriptedDialogs dialogs;
    MainWindow window;
    QCOMPARE(window.state().options.waveHeight, 300);
    QCOMPARE(window.state().options.abscissaTime, 1);
    QVERIFY(window.openProjectPath(writeStandardProject(home->path() + "/project")));
    QWave* view = window.waveList()->waves().first();
    QCOMPARE(view->height(), 300);
    view->resize(1000, 300);
    view->replot();
    const QRectF canvas = view->canvas()->contentsRect();
    for (int i = 0; i < 12; ++i) {
        QVERIFY(!view->resultItem(i)->text().isEmpty());
        QVERIFY2(view->resultItem(i)->fits(canvas), qPrintable(QString::number(i)));
    }
    // Nothing was written anywhere by starting.
    QVERIFY(QDir(home->path() + "/work").isEmpty());
    QVERIFY(!QFileInfo::exists(viewOptionsPath()));
}

void FreshStartTest::anOlderOptionsFileInTheWorkingFolderIsRead() {
    ViewOptions old{};
    old.waveHeight = 200;
    QCOMPARE(saveViewOptions(old, "Kestrine.dat"), std::string());
    QCOMPARE(loadStartupOptions().waveHeight, 200);
    QCOMPARE(loadStartupOptions().abscissaTime, 0); // read, not defaulted

    // Once the configuration folder has its own, that one counts.
    ViewOptions mine = defaultViewOptions();
    mine.waveHeight = 420;
    QCOMPARE(storeViewOptions(mine), QString());
    QCOMPARE(loadStartupOptions().waveHeight, 420);
}

void FreshStartTest::optionsAreSavedToTheConfigurationFolder() {
    ViewOptions options = defaultViewOptions();
    options.hideGrid = 1;
    QCOMPARE(storeViewOptions(options), QString());
    QVERIFY(viewOptionsPath().startsWith(home->path() + "/config/"));
    QCOMPARE(QFileInfo(viewOptionsPath()).size(), qint64(40));
    QVERIFY(!QFileInfo::exists("Kestrine.dat"));

    // A configuration "folder" that is a file: the failure names the path.
    QVERIFY(QDir(home->path() + "/config").removeRecursively());
    QFile blocker(home->path() + "/config");
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString failure = storeViewOptions(options);
    QVERIFY(failure.startsWith(viewOptionsPath()));
}

void FreshStartTest::resultLinesCloseUpOnAShortCanvasAndNeverLeaveIt_data() {
    QTest::addColumn<int>("pointSize");
    QTest::newRow("as drawn") << 10;
    // What a 192-dpi font setting without scaling makes of the same text.
    QTest::newRow("twice as large") << 20;
}

void FreshStartTest::resultLinesCloseUpOnAShortCanvasAndNeverLeaveIt() {
    QFETCH(int, pointSize);
    const QFontMetricsF metrics(QFont("Helvetica", pointSize));
    const QRectF tall(0, 0, 800, 40 * metrics.lineSpacing());
    const QRectF shorter(0, 0, 800, 12 * metrics.lineSpacing());
    const QRectF tiny(0, 0, 800, 60);
    QList<QwtPlotTextEx*> lines;
    for (int i = 0; i < 12; ++i) {
        lines << new QwtPlotTextEx;
        lines.last()->setText("x", Qt::blue, pointSize);
        lines.last()->setColumnLine(210, i, 12);
    }
    // Never closer than the font's line spacing, never over the title.
    const double roomy = lines[1]->position(tall).y() - lines[0]->position(tall).y();
    QVERIFY(roomy > metrics.lineSpacing());
    QVERIFY(lines[0]->position(tall).y() - metrics.ascent() >= overlayTitleBottom(10));
    const double closer = lines[1]->position(shorter).y() - lines[0]->position(shorter).y();
    QVERIFY(closer < roomy);
    QVERIFY(closer >= metrics.lineSpacing());
    int fitting = 0;
    for (QwtPlotTextEx* line : lines) {
        QVERIFY(line->fits(tall));
        fitting += line->fits(tiny) ? 1 : 0;
    }
    QVERIFY(fitting < 12);
    QVERIFY(lines.first()->fits(tiny) || fitting == 0);
    qDeleteAll(lines);
}

QTEST_MAIN(FreshStartTest)
#include "fresh_start_test.moc"
