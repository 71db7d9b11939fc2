// What the desktop keeps between runs: the settings file read with
// suspicion, and a window that hands its layout, folders, recent projects and
// view choices on to the next one.
#include "app/main_window.h"
#include "scripted_dialogs.h"
#include "session/remembered_state.h"
#include "synthetic_fixture.h"

#include <QAction>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

using namespace tarvel;

namespace {

QStringList menuTexts(const QMenu* menu) {
    QStringList texts;
    for (const QAction* action : menu->actions())
        texts << action->text();
    return texts;
}

QAction* actionNamed(const MainWindow& window, const char* name) {
    return window.findChild<QAction*>(QString::fromLatin1(name));
}

} // namespace

class RememberedStateTest : public QObject {
    Q_OBJECT

private slots:
    void recentProjectsComeNewestFirstOnceAndAtMostEight();
    void aHandEditedSettingsFileCannotSmuggleInJunk();
    void theNextWindowGetsTheLayoutFoldersRecentProjectsAndZoom();
    void aRecentProjectOpensFromTheMenuAndTheStartHint();
    void aRecentProjectThatIsGoneIsSaidAndDropped();
};

void RememberedStateTest::recentProjectsComeNewestFirstOnceAndAtMostEight() {
    QStringList recent;
    for (int i = 1; i <= 10; ++i)
        recent = withRecentProject(recent, QStringLiteral("/p/%1.Prj").arg(i));
    QCOMPARE(recent.size(), kMaxRecentProjects);
    QCOMPARE(recent.first(), QString("/p/10.Prj"));
    QCOMPARE(recent.last(), QString("/p/3.Prj"));
    // Opening one again moves it up rather than listing it twice, whatever
    // way its path was spelled.
    recent = withRecentProject(recent, QStringLiteral("/p/x/../5.Prj"));
    QCOMPARE(recent.first(), QString("/p/5.Prj"));
    QCOMPARE(recent.count(QString("/p/5.Prj")), 1);
    QCOMPARE(recent.size(), kMaxRecentProjects);
}

void RememberedStateTest::aHandEditedSettingsFileCannotSmuggleInJunk() {
    QTemporaryDir dir;
    const QString path = dir.filePath("tarvel.conf");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[recent]\nprojects=relative.Prj, /a/b.Prj, /a/b.Prj, , /a/c.Prj, /1, /2, /3, "
               "/4, /5, /6, /7\n[view]\nimpactZoom=banana\n[window]\ngeometry=@Rect(1 2 3 4)\n");
    file.close();
    const QSettings settings(path, QSettings::IniFormat);
    const RememberedState state = readRememberedState(settings);
    QCOMPARE(state.recentProjects,
             QStringList({"/a/b.Prj", "/a/c.Prj", "/1", "/2", "/3", "/4", "/5", "/6"}));
    QVERIFY(!state.impactZoom);
    QVERIFY(state.windowGeometry.isEmpty());
}

void RememberedStateTest::theNextWindowGetsTheLayoutFoldersRecentProjectsAndZoom() {
    QTemporaryDir dir;
    const QString project = writeStandardProject(dir.filePath("work"));
    QSettings settings(dir.filePath("tarvel.conf"), QSettings::IniFormat);
    ScriptedDialogs dialogs;
    {
        MainWindow window;
        QVERIFY(!window.rememberIn(&settings));
        window.resize(900, 700);
        QVERIFY(window.openProjectPath(project));
        actionNamed(window, "impactZoom")->setChecked(true);
        window.session().setExportFolder(dir.path());
        window.setOpenReportsWhenDone(false);
        QVERIFY(QDir().mkpath(dir.filePath("reports")));
        dialogs.fileNames << dir.filePath("reports/table.xlsx");
        actionNamed(window, "ProjectOutPut")->trigger();
        QVERIFY(window.close());
    }
    MainWindow next;
    QVERIFY(next.rememberIn(&settings));
    QCOMPARE(next.size(), QSize(900, 700));
    QVERIFY(actionNamed(next, "impactZoom")->isChecked());
    QCOMPARE(next.session().exportFolder(), dir.path());
    QCOMPARE(next.recentProjects(), QStringList({QDir::cleanPath(project)}));
    // Panels restored from an open project's layout still wait for one.
    for (const QDockWidget* dock : next.docks())
        QVERIFY(dock->isHidden());
    // With nothing open, the project dialog starts where the last one was.
    dialogs.fileNames << QString();
    next.openProject();
    QCOMPARE(dialogs.startPaths.last(), QFileInfo(project).absolutePath());
    // Reports start where the last one was written.
    QVERIFY(next.openProjectPath(project));
    dialogs.fileNames << QString();
    actionNamed(next, "ProjectOutPut")->trigger();
    QCOMPARE(QFileInfo(dialogs.startPaths.last()).absolutePath(), dir.filePath("reports"));
}

void RememberedStateTest::aRecentProjectOpensFromTheMenuAndTheStartHint() {
    QTemporaryDir dir;
    const QString first = writeStandardProject(dir.filePath("one"));
    const QString second = writeStandardProject(dir.filePath("two"));
    QSettings settings(dir.filePath("tarvel.conf"), QSettings::IniFormat);
    ScriptedDialogs dialogs;
    MainWindow window;
    window.rememberIn(&settings);
    QVERIFY(!window.recentMenu()->isEnabled());
    QVERIFY(window.openProjectPath(first));
    QVERIFY(window.openProjectPath(second));
    const QStringList texts = menuTexts(window.recentMenu());
    QCOMPARE(texts.size(), 2);
    QVERIFY(texts[0].startsWith("&1 ") && texts[0].endsWith(QDir::toNativeSeparators(second)));
    QVERIFY(texts[1].endsWith(QDir::toNativeSeparators(first)));

    window.recentMenu()->actions()[1]->trigger();
    QCOMPARE(window.projectDirectory(), QFileInfo(first).absolutePath() + "/");
    QCOMPARE(window.recentProjects().first(), QDir::cleanPath(first));

    window.closeProject();
    auto* hint = window.findChild<QLabel*>("startHint");
    QVERIFY(hint->text().contains("最近的工程"));
    QVERIFY(hint->text().contains(QFileInfo(second).absolutePath()));
    emit hint->linkActivated("recent:1");
    QCOMPARE(window.projectDirectory(), QFileInfo(second).absolutePath() + "/");
    QVERIFY(dialogs.unexpected.isEmpty());
}

void RememberedStateTest::aRecentProjectThatIsGoneIsSaidAndDropped() {
    QTemporaryDir dir;
    const QString project = writeStandardProject(dir.filePath("gone"));
    QSettings settings(dir.filePath("tarvel.conf"), QSettings::IniFormat);
    ScriptedDialogs dialogs;
    MainWindow window;
    window.rememberIn(&settings);
    QVERIFY(window.openProjectPath(project));
    window.closeProject();
    QVERIFY(QFile::remove(project));

    window.recentMenu()->actions().first()->trigger();
    const DialogCall notice = dialogs.callsOf("notify").last();
    QCOMPARE(notice.title, QString("Tarvel"));
    QVERIFY(notice.text.contains(QDir::toNativeSeparators(project)));
    QVERIFY(window.recentProjects().isEmpty());
    QVERIFY(readRememberedState(settings).recentProjects.isEmpty());
    QCOMPARE(window.state().mode, int(kNothingOpen));
}

QTEST_MAIN(RememberedStateTest)
#include "remembered_state_test.moc"
