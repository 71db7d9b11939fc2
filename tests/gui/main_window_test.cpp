// Start-up: the command line, the state of the window before anything is
// open, and how the actions follow what is open.
#include "app/main_window.h"
#include "app/size_hints.h"
#include "app/startup.h"
#include "scripted_dialogs.h"
#include "synthetic_fixture.h"
#include "views/wave_list.h"

#include <QAction>
#include <QDockWidget>
#include <QLabel>
#include <QMenuBar>
#include <QProcess>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace tarvel;

namespace {

QAction* action(MainWindow& window, const char* name) {
    return window.findChild<QAction*>(QString::fromLatin1(name));
}

QStringList enabledActions(MainWindow& window) {
    QStringList names;
    for (QAction* a : window.findChildren<QAction*>()) {
        if (a->isEnabled() && !a->objectName().isEmpty() && !a->text().isEmpty())
            names << a->objectName();
    }
    names.sort();
    return names;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void sizeHintArguments_data();
    void sizeHintArguments();
    void programRejectsBadSizeHintWithUsage();
    void pathOnCommandLineIsKeptForOpening();
    void startUpState();
    void emptyWindowSaysWhatToDo();
    void applicationFontIsWenQuanYi();
    void actionsFollowOpenProject();
    void actionsFollowSingleFile();
    void pathGivenAtStartIsOpened();
    void closingSavedProjectAsksNothing();
    void closingModifiedProjectAsks();
    void furtherDockWidgetsComeAndGo();
};

void MainWindowTest::sizeHintArguments_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QSize>("red");
    QTest::newRow("colour and size")
        << QStringList{"-SizeHintred", "100x50"} << true << QSize(100, 50);
    QTest::newRow("size without x") << QStringList{"-SizeHintred", "100"} << false << QSize();
    QTest::newRow("no colour") << QStringList{"-SizeHint", "100x50"} << false << QSize();
    QTest::newRow("size missing") << QStringList{"-SizeHintred"} << false << QSize();
    QTest::newRow("not a number") << QStringList{"-SizeHintred", "10ax50"} << false << QSize();
    QTest::newRow("case matters") << QStringList{"-sizehintred", "100x50"} << true << QSize();
    QTest::newRow("others ignored") << QStringList{"-style", "fusion"} << true << QSize();
}

void MainWindowTest::sizeHintArguments() {
    QFETCH(QStringList, arguments);
    QFETCH(bool, valid);
    QFETCH(QSize, red);
    const CommandLine line = parseCommandLine(arguments);
    QCOMPARE(line.valid, valid);
    if (valid)
        QCOMPARE(line.sizeHints.value(QStringLiteral("red")), red);
}

void MainWindowTest::programRejectsBadSizeHintWithUsage() {
    const QString program = QCoreApplication::applicationDirPath() + "/../../app/tarvel";
    QProcess process;
    process.start(program, {"-SizeHintred", "100"});
    QVERIFY(process.waitForFinished(20000));
    QCOMPARE(process.exitCode(), 1);
    QVERIFY(process.readAllStandardError().contains(
        "Usage: mainwindow [-SizeHint<color> <width>x<height>] ..."));
}

void MainWindowTest::pathOnCommandLineIsKeptForOpening() {
    QCOMPARE(parseCommandLine({"samples/示范工程.Prj"}).openPath, QString("samples/示范工程.Prj"));
    QCOMPARE(parseCommandLine({"-SizeHintred", "1x2", "a.pip"}).openPath, QString("a.pip"));
    // Anything named is opened or said to be missing.
    QCOMPARE(parseCommandLine({"notes.txt"}).openPath, QString("notes.txt"));
    QVERIFY(parseCommandLine({"-reverse"}).openPath.isEmpty());
}

void MainWindowTest::startUpState() {
    MainWindow window;
    QCOMPARE(window.windowTitle(), QString("Tarvel"));
    QCOMPARE(window.objectName(), QString("MainWindow"));
    // The start-time mark is enabled too, but Qt reports a hidden action as
    // disabled. The lab belongs to no project.
    QCOMPARE(enabledActions(window),
             (QStringList{"about", "chineseInterface", "closeApp", "englishInterface", "newProject",
                          "openFile", "openProject", "pdfAlso", "setLab"}));
    QCOMPARE(window.docks().size(), 3);
    for (QDockWidget* dock : window.docks())
        QVERIFY(dock->isHidden());
    QCOMPARE(window.docks()[0]->windowTitle(), QString("测区信息"));
    QCOMPARE(window.docks()[1]->windowTitle(), QString("波形参数"));
    QCOMPARE(window.docks()[2]->windowTitle(), QString("测区文件"));
    for (const char* hidden : {"AlignHead", "AutoHead", "WaveView"})
        QVERIFY2(!action(window, hidden)->isVisible(), hidden);
    // The history and the wave commands are reached through "编辑(&E)".
    for (const char* shown : {"CancelDo", "ReDo", "WaveMerge", "WaveDelete", "DengZhiView"})
        QVERIFY2(action(window, shown)->isVisible(), shown);
    QStringList menus;
    for (QAction* menu : window.menuBar()->actions())
        menus << menu->text();
    QVERIFY(menus.contains("编辑(&E)"));
    QCOMPARE(action(window, "CancelDo")->shortcut(), QKeySequence("Ctrl+Z"));
    QCOMPARE(action(window, "ReDo")->shortcuts(),
             (QList<QKeySequence>{QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")}));
    QCOMPARE(action(window, "WaveDelete")->shortcut(), QKeySequence(QKeySequence::Delete));
    QCOMPARE(action(window, "AutoHead")->shortcut(), QKeySequence("Ctrl+T"));
    QVERIFY(action(window, "AlignHead")->isCheckable());
    QVERIFY(action(window, "PinPuView")->isCheckable());
    QCOMPARE(window.state().mode, int(kNothingOpen));
    QCOMPARE(window.state().currentFile, -1);
}

void MainWindowTest::applicationFontIsWenQuanYi() {
    setApplicationFont();
    QCOMPARE(QApplication::font().pointSize(), 14);
    QCOMPARE(QFontInfo(QApplication::font()).family(), QString("WenQuanYi Zen Hei"));
}

void MainWindowTest::actionsFollowOpenProject() {
    QTemporaryDir dir;
    const QString project = writeStandardProject(dir.path());
    ScriptedDialogs dialogs;
    MainWindow window;
    QVERIFY(window.openProjectPath(project));
    QCOMPARE(window.state().mode, int(kProjectOpen));
    QVERIFY(!action(window, "saveProject")->isEnabled());
    QVERIFY(action(window, "saveProjectAs")->isEnabled());
    QVERIFY(action(window, "addFile")->isEnabled());
    QVERIFY(!action(window, "closePipeFile")->isEnabled());
    QVERIFY(!action(window, "saveFile")->isEnabled());
    QVERIFY(action(window, "BmpOutPut")->isEnabled());
    QVERIFY(!action(window, "CancelDo")->isEnabled());
    for (QDockWidget* dock : window.docks())
        QVERIFY(!dock->isHidden());
    QVERIFY(window.windowTitle().endsWith("-Tarvel"));
}

void MainWindowTest::actionsFollowSingleFile() {
    QTemporaryDir dir;
    writeStandardProject(dir.path());
    ScriptedDialogs dialogs;
    MainWindow window;
    QVERIFY(window.openAreaFilePath(dir.path() + "/测区2.pip"));
    QCOMPARE(window.state().mode, int(kSingleFileOpen));
    QCOMPARE(window.windowTitle(), dir.path() + "/测区2.pip-Tarvel");
    QVERIFY(action(window, "closePipeFile")->isEnabled());
    QVERIFY(!action(window, "saveProjectAs")->isEnabled());
    QVERIFY(!action(window, "removeFile")->isEnabled());
    QVERIFY(action(window, "saveFileAs")->isEnabled());
    QCOMPARE(window.projectDirectory(), dir.path() + "/");
}

void MainWindowTest::pathGivenAtStartIsOpened() {
    QTemporaryDir dir;
    const QString project = writeStandardProject(dir.path());
    ScriptedDialogs dialogs;
    {
        MainWindow window;
        window.openPathAtStart(project);
        QCOMPARE(window.state().mode, int(kProjectOpen));
        QCOMPARE(window.state().files.size(), std::size_t(3));
    }
    MainWindow window;
    window.openPathAtStart(dir.path() + "/测区3.pip");
    QCOMPARE(window.state().mode, int(kSingleFileOpen));
    QVERIFY(dialogs.calls.isEmpty());
}

void MainWindowTest::closingSavedProjectAsksNothing() {
    QTemporaryDir dir;
    const QString project = writeStandardProject(dir.path());
    ScriptedDialogs dialogs;
    MainWindow window;
    window.show();
    window.openProjectPath(project);
    QVERIFY(window.close());
    QVERIFY(dialogs.calls.isEmpty());
}

void MainWindowTest::closingModifiedProjectAsks() {
    QTemporaryDir dir;
    const QString project = writeStandardProject(dir.path());
    ScriptedDialogs dialogs;
    MainWindow window;
    window.show();
    window.openProjectPath(project);
    window.state().files[0]->modified = true;

    dialogs.answers << "返回";
    QVERIFY(!window.close());
    QCOMPARE(dialogs.calls.last().title, QString("Tarvel"));
    QCOMPARE(dialogs.calls.last().text, QString("工程已修改没有保存，你想保存文件吗？"));
    QCOMPARE(dialogs.calls.last().buttons, (QStringList{"保存", "不保存", "返回"}));

    dialogs.answers << "保存";
    QVERIFY(window.close());
    QVERIFY(!window.state().files[0]->modified);
    QVERIFY(dialogs.unexpected.isEmpty());
}

void MainWindowTest::furtherDockWidgetsComeAndGo() {
    ScriptedDialogs dialogs;
    MainWindow window;
    dialogs.dockAnswers << qMakePair(QString("notes"), QString("Left"));
    window.createDockWidget();
    auto* dock = window.findChild<QDockWidget*>("notes");
    QVERIFY(dock);
    QCOMPARE(window.dockWidgetArea(dock), Qt::LeftDockWidgetArea);
    QCOMPARE(window.dockWidgetActions().size(), 1);

    // Nothing was ever saved to restore a dock widget from.
    dialogs.dockAnswers << qMakePair(QString("lost"), QString("Restore"));
    window.createDockWidget();
    QVERIFY(!window.findChild<QDockWidget*>("lost"));
    QCOMPARE(dialogs.calls.last().kind, QString("notify"));
    QCOMPARE(dialogs.calls.last().text, QString("Failed to restore dock widget"));
    QCOMPARE(dialogs.calls.last().title, QString("Tarvel"));

    // The window's own panels cannot be destroyed this way.
    window.destroyDockWidget(window.docks()[0]->toggleViewAction());
    QCOMPARE(window.docks().size(), 3);
    QVERIFY(window.findChild<QDockWidget*>("areaInfoDock"));

    window.destroyDockWidget(window.dockWidgetActions().first());
    QVERIFY(!window.findChild<QDockWidget*>("notes"));
    QVERIFY(window.dockWidgetActions().isEmpty());

    window.createDockWidget(); // cancelled: nothing is made
    QCOMPARE(window.findChildren<QDockWidget*>().size(), 3);
}

void MainWindowTest::emptyWindowSaysWhatToDo() {
    QTemporaryDir dir;
    const QString project = writeStandardProject(dir.path());
    ScriptedDialogs dialogs;
    MainWindow window;
    QCOMPARE(action(window, "openProject")->shortcut(), QKeySequence(QKeySequence::Open));
    QCOMPARE(action(window, "saveProject")->shortcut(), QKeySequence(QKeySequence::Save));
    auto* centre = qobject_cast<QStackedWidget*>(window.centralWidget());
    QVERIFY(centre);
    auto* hint = qobject_cast<QLabel*>(centre->currentWidget());
    QVERIFY(hint);
    QVERIFY(hint->text().contains("Ctrl+O"));
    QVERIFY(hint->text().contains("打开测区文件"));

    // Its links are the two open commands.
    dialogs.fileNames << project;
    emit hint->linkActivated("project");
    QCOMPARE(window.state().mode, int(kProjectOpen));
    QCOMPARE(centre->currentWidget(), static_cast<QWidget*>(window.waveList()));
    window.closeProject();
    QCOMPARE(centre->currentWidget(), static_cast<QWidget*>(hint));
    QCOMPARE(window.windowTitle(), QString("Tarvel"));
    dialogs.fileNames << dir.path() + "/测区2.pip";
    emit hint->linkActivated("area");
    QCOMPARE(window.state().mode, int(kSingleFileOpen));
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
