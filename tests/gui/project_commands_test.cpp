// The project and file commands, driven through the scripted dialog seam.
#include "app/main_window.h"
#include "scripted_dialogs.h"
#include "synthetic_fixture.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>
#include <unistd.h>

using namespace tarvel;

namespace {

QStringList fileNames(const MainWindow& window) {
    QStringList names;
    for (const auto& file : const_cast<MainWindow&>(window).state().files)
        names << QString::fromStdString(file->fileName);
    return names;
}

QStringList tableNames(const MainWindow& window) {
    QStringList names;
    for (int row = 0; row < window.fileTable()->rowCount(); ++row)
        names << window.fileTable()->item(row, 1)->text();
    return names;
}

// A project of five one-point areas, each named a<i>.
QString writeFiveAreas(const QString& dir) {
    QList<FixtureArea> areas;
    for (int i = 1; i <= 5; ++i)
        areas.append({QStringLiteral("a%1").arg(i), 1, i});
    return writeFixtureProject(dir, areas);
}

} // namespace

class ProjectCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void openProjectThroughDialog();
    void openProjectThatCannotBeRead();
    void openProjectThatIsAFifoDoesNotWait();
    void projectFolderThatCannotBeListedIsNamed();
    void openAreaFileThroughDialog();
    void damagedAreasAreNamedWithTheirReason();
    void addFileWithSameNameAnsweredNo();
    void addFileWithSameNameAnsweredYes();
    void addFileWithSameNameAnsweredBack();
    void removeFileKeepsTheRightCurrentFile_data();
    void removeFileKeepsTheRightCurrentFile();
    void removeFileAnsweredBackChangesNothing();
    void removeFileAndDeleteIt();
    void removeFileWithoutSelectionWarns();
    void renameRefusalsRestoreTheCell_data();
    void renameRefusalsRestoreTheCell();
    void renameFileOnDisk();
    void excludeFileWithItsCheckBox();
    void switchingWithDontSaveReloadsFromDisk();
    void switchingWithSaveWritesTheFile();
    void unsavedQuestionOnNewAndOpen();
    void newProjectIsSavedIntoItsDirectory();
    void failedSaveWarnsAndKeepsEdits();
    void failedSaveKeepsWindowOpen();
};

void ProjectCommandsTest::openProjectThroughDialog() {
    QTemporaryDir dir;
    const QString project = writeStandardProject(dir.path());
    ScriptedDialogs dialogs;
    MainWindow window;
    dialogs.fileNames << project;
    window.openProject();
    const DialogCall open = dialogs.callsOf("open").first();
    QCOMPARE(open.title, QString("打开文件"));
    QCOMPARE(open.text, QString("工程文件(*.Prj)"));
    QCOMPARE(fileNames(window).size(), 3);
    QCOMPARE(tableNames(window), fileNames(window));
    QCOMPARE(window.fileTable()->horizontalHeaderItem(0)->text(), QString("序号"));
    QCOMPARE(window.fileTable()->item(0, 0)->checkState(), Qt::Checked);
    QCOMPARE(window.projectFileName(), QString("示范工程.Prj"));
    QCOMPARE(window.state().currentFile, 0);
    QCOMPARE(window.statusBar()->currentMessage(), "当前桩:" + fileNames(window).first());
}

void ProjectCommandsTest::openProjectThatCannotBeRead() {
    ScriptedDialogs dialogs;
    MainWindow window;
    dialogs.fileNames << "/nonexistent/p.Prj";
    window.openProject();
    const DialogCall error = dialogs.callsOf("notify").first();
    QCOMPARE(error.title, QString("Error"));
    QVERIFY(error.text.startsWith("Failed to open /nonexistent/p.Prj\n"));
    QCOMPARE(window.state().mode, int(kNothingOpen));
}

void ProjectCommandsTest::openProjectThatIsAFifoDoesNotWait() {
    QTemporaryDir dir;
    const QString fifo = dir.path() + "/p.Prj";
    QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    ScriptedDialogs dialogs;
    MainWindow window;
    QVERIFY(!window.openProjectPath(fifo));
    QCOMPARE(dialogs.callsOf("notify").first().text,
             "Failed to open " + fifo + "\nnot a regular file");
}

void ProjectCommandsTest::projectFolderThatCannotBeListedIsNamed() {
    QTemporaryDir dir;
    const QString project = writeStandardProject(dir.path());
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner | QFileDevice::ExeGroup |
                                          QFileDevice::ExeOther);
    ScriptedDialogs dialogs;
    MainWindow window;
    // Permissions bind the superuser only through another effective user.
    const bool root = geteuid() == 0;
    QVERIFY(!root || seteuid(65534) == 0);
    const bool opened = window.openProjectPath(project);
    QVERIFY(!root || seteuid(0) == 0);
    QVERIFY(opened);
    QCOMPARE(window.state().mode, int(kProjectOpen));
    QVERIFY(fileNames(window).isEmpty());
    const DialogCall warning = dialogs.callsOf("notify").first();
    QCOMPARE(warning.title, QString("Tarvel"));
    QVERIFY(warning.text.startsWith("未能列出工程文件夹中的测区文件：\n"));
    QVERIFY(warning.text.contains("Permission denied"));
}

void ProjectCommandsTest::openAreaFileThroughDialog() {
    QTemporaryDir dir;
    writeStandardProject(dir.path());
    ScriptedDialogs dialogs;
    MainWindow window;
    dialogs.fileNames << dir.path() + "/测区2.pip";
    window.openFile();
    QCOMPARE(dialogs.callsOf("open").first().text, QString("测区文件(*.pip)"));
    QCOMPARE(window.state().mode, int(kSingleFileOpen));
    QCOMPARE(window.state().current()->pointCount(), 6);
}

void ProjectCommandsTest::damagedAreasAreNamedWithTheirReason() {
    QTemporaryDir dir;
    const QString project = writeStandardProject(dir.path());
    QFile bad(dir.path() + "/测区2.pip");
    QVERIFY(bad.open(QIODevice::ReadWrite));
    bad.seek(offsetof(PipHeader, sampleCount));
    const qint32 count = 1000;
    bad.write(reinterpret_cast<const char*>(&count), sizeof count);
    bad.close();

    {
        ScriptedDialogs dialogs;
        MainWindow window;
        window.openProjectPath(project);
        const QList<DialogCall> notices = dialogs.callsOf("notify");
        QCOMPARE(notices.size(), 1);
        QCOMPARE(notices.first().title, QString("Tarvel"));
        QVERIFY(notices.first().text.startsWith("以下测区文件未能完整读取：\n测区2.pip："));
        QVERIFY(notices.first().text.contains("1000"));
        // The damaged file stays listed, with nothing read from it.
        QVERIFY(fileNames(window).contains("测区2.pip"));
    }
    ScriptedDialogs dialogs;
    MainWindow window;
    window.openAreaFilePath(dir.path() + "/测区2.pip");
    QCOMPARE(dialogs.callsOf("notify").size(), 1);
    QCOMPARE(window.state().current()->pointCount(), 0);
}

void ProjectCommandsTest::addFileWithSameNameAnsweredNo() {
    QTemporaryDir dir;
    QTemporaryDir other;
    const QString project = writeStandardProject(dir.path());
    writeFixtureProject(other.path(), {{"测区1", 1, 1}, {"测区4", 1, 1}});
    ScriptedDialogs dialogs;
    MainWindow window;
    window.openProjectPath(project);
    dialogs.fileLists << QStringList{other.path() + "/测区1.pip", other.path() + "/测区4.pip"};
    dialogs.answers << "否";
    window.addFile();
    const DialogCall question = dialogs.callsOf("ask").first();
    QCOMPARE(question.title, QString("Drosset"));
    QCOMPARE(question.text, QString("工程中有同名桩文件，是否要覆盖？"));
    QCOMPARE(question.buttons, (QStringList{"是", "否", "返回"}));
    const int first = fileNames(window).indexOf("测区1.pip");
    QCOMPARE(window.state().files[first]->dirPath, (dir.path() + "/").toStdString());
    QCOMPARE(window.state().files[first]->pointCount(), 4);
    QVERIFY(fileNames(window).contains("测区4.pip"));
    QCOMPARE(tableNames(window), fileNames(window));
    QVERIFY(window.state().saveNeeded);
}

void ProjectCommandsTest::addFileWithSameNameAnsweredYes() {
    QTemporaryDir dir;
    QTemporaryDir other;
    const QString project = writeStandardProject(dir.path());
    writeFixtureProject(other.path(), {{"测区1", 1, 1}});
    ScriptedDialogs dialogs;
    MainWindow window;
    window.openProjectPath(project);
    const int index = fileNames(window).indexOf("测区1.pip");
    window.state().files[index]->modified = true;
    window.fileTable()->item(index, 0)->setCheckState(Qt::Unchecked);
    dialogs.fileLists << QStringList{other.path() + "/测区1.pip"};
    dialogs.answers << "是";
    window.addFile();
    const NamePipeFile& replaced = *window.state().files[index];
    QCOMPARE(replaced.dirPath, (other.path() + "/").toStdString());
    QCOMPARE(replaced.pointCount(), 1);
    QVERIFY(!replaced.modified);
    // Still left out of the bitmaps, as its cleared check box says.
    QVERIFY(replaced.excluded);
    QCOMPARE(window.fileTable()->item(index, 0)->checkState(), Qt::Unchecked);
    QCOMPARE(fileNames(window).size(), 3);
}

void ProjectCommandsTest::addFileWithSameNameAnsweredBack() {
    QTemporaryDir dir;
    QTemporaryDir other;
    const QString project = writeStandardProject(dir.path());
    writeFixtureProject(other.path(), {{"测区1", 1, 1}, {"测区4", 1, 1}});
    ScriptedDialogs dialogs;
    MainWindow window;
    window.openProjectPath(project);
    dialogs.fileLists << QStringList{other.path() + "/测区1.pip", other.path() + "/测区4.pip"};
    dialogs.answers << "返回";
    window.addFile();
    QVERIFY(!fileNames(window).contains("测区4.pip"));
    QCOMPARE(fileNames(window).size(), 3);
}

void ProjectCommandsTest::removeFileKeepsTheRightCurrentFile_data() {
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("removed");
    QTest::addColumn<int>("expectedCurrent");
    QTest::newRow("third of five, current") << 2 << 2 << 1;
    QTest::newRow("first, current") << 0 << 0 << 0;
    QTest::newRow("before the current") << 3 << 1 << 2;
    QTest::newRow("after the current") << 1 << 3 << 1;
}

void ProjectCommandsTest::removeFileKeepsTheRightCurrentFile() {
    QFETCH(int, current);
    QFETCH(int, removed);
    QFETCH(int, expectedCurrent);
    QTemporaryDir dir;
    const QString project = writeFiveAreas(dir.path());
    ScriptedDialogs dialogs;
    MainWindow window;
    window.openProjectPath(project);
    window.fileTable()->selectRow(current);
    window.cellClicked(current, 1);
    QCOMPARE(window.state().currentFile, current);
    const QStringList before = fileNames(window);

    window.fileTable()->selectRow(removed);
    dialogs.answers << "仅移除";
    window.removeFile();
    const DialogCall question = dialogs.callsOf("ask").last();
    QCOMPARE(question.text, QString("你确信是要移除此桩文件吗？"));
    QCOMPARE(question.buttons, (QStringList{"仅移除", "移除且物理删除", "返回"}));

    QStringList after = before;
    after.removeAt(removed);
    QCOMPARE(fileNames(window), after);
    QCOMPARE(tableNames(window), after);
    QCOMPARE(window.state().currentFile, expectedCurrent);
    QVERIFY(QFile::exists(dir.path() + "/" + before[removed]));
    // The wave list shows the file that is now current.
    const QString expectedName = after[expectedCurrent];
    QCOMPARE(QString::fromStdString(window.state().current()->fileName), expectedName);
}

void ProjectCommandsTest::removeFileAnsweredBackChangesNothing() {
    QTemporaryDir dir;
    const QString project = writeFiveAreas(dir.path());
    ScriptedDialogs dialogs;
    MainWindow window;
    window.openProjectPath(project);
    const QStringList before = fileNames(window);
    window.fileTable()->selectRow(0);
    dialogs.answers << "返回";
    window.removeFile();
    QCOMPARE(fileNames(window), before);
    QCOMPARE(window.state().currentFile, 0);
}

void ProjectCommandsTest::removeFileAndDeleteIt() {
    QTemporaryDir dir;
    const QString project = writeFiveAreas(dir.path());
    ScriptedDialogs dialogs;
    MainWindow window;
    window.openProjectPath(project);
    const QString name = fileNames(window)[4];
    window.fileTable()->selectRow(4);
    dialogs.answers << "移除且物理删除";
    window.removeFile();
    QVERIFY(!fileNames(window).contains(name));
    QVERIFY(!QFile::exists(dir.path() + "/" + name));
    QVERIFY(dialogs.callsOf("notify").isEmpty());

    // A file that cannot be deleted is still taken out, and the user is told
    // it stays on disk (here a folder has taken its name).
    const QString kept = fileNames(window)[0];
    QVERIFY(QFile::remove(dir.path() + "/" + kept));
    QVERIFY(QDir(dir.path()).mkpath(kept + "/inside"));
    window.fileTable()->selectRow(0);
    dialogs.answers << "移除且物理删除";
    window.removeFile();
    QVERIFY(!fileNames(window).contains(kept));
    QCOMPARE(dialogs.callsOf("notify").size(), 1);
    QCOMPARE(dialogs.callsOf("notify").first().title, QString("Drosset"));
    QVERIFY(dialogs.callsOf("notify").first().text.startsWith("文件删除失败：" + dir.path() + "/" +
                                                              kept));
}

void ProjectCommandsTest::removeFileWithoutSelectionWarns() {
    QTemporaryDir dir;
    const QString project = writeFiveAreas(dir.path());
    ScriptedDialogs dialogs;
    MainWindow window;
    window.openProjectPath(project);
    window.fileTable()->clearSelection();
    window.removeFile();
    QCOMPARE(dialogs.calls.last().text, QString("请先在桩列表中选择桩文件！"));
    QCOMPARE(fileNames(window).size(), 5);
}

void ProjectCommandsTest::renameRefusalsRestoreTheCell_data() {
    QTest::addColumn<QString>("newName");
    QTest::addColumn<QString>("message");
    QTest::newRow("wrong case of suffix") << "b.pip"
                                          << "文件后缀名必须为.Pip！";
    QTest::newRow("too long") << QString(46, 'x') + ".Pip"
                              << "桩文件名过长！";
    QTest::newRow("duplicate") << "dup.Pip"
                               << "文件名称与现有的桩文件名称重复！";
    QTest::newRow("rename fails") << "gone.Pip"
                                  << "更改桩文件文称失败！";
    QTest::newRow("name with a folder") << "../moved.Pip"
                                        << "更改桩文件文称失败！";
}

void ProjectCommandsTest::renameRefusalsRestoreTheCell() {
    QFETCH(QString, newName);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString project = writeFiveAreas(dir.path());
    ScriptedDialogs dialogs;
    MainWindow window;
    window.openProjectPath(project);
    window.state().files[1]->fileName = "dup.Pip";
    if (newName == "gone.Pip")
        QVERIFY(QFile::remove(dir.path() + "/" + fileNames(window)[0]));
    const QString before = fileNames(window)[0];
    dialogs.answers << "确定";
    window.fileTable()->item(0, 1)->setText(newName);
    QCOMPARE(dialogs.calls.last().title, QString("Drosset"));
    QCOMPARE(dialogs.calls.last().text, message);
    QCOMPARE(dialogs.calls.last().buttons, QStringList{"确定"});
    QCOMPARE(window.fileTable()->item(0, 1)->text(), before);
    QCOMPARE(fileNames(window)[0], before);
    if (newName != "gone.Pip")
        QVERIFY(QFile::exists(dir.path() + "/" + before));
}

void ProjectCommandsTest::renameFileOnDisk() {
    QTemporaryDir dir;
    const QString project = writeFiveAreas(dir.path());
    ScriptedDialogs dialogs;
    MainWindow window;
    window.openProjectPath(project);
    const QString before = fileNames(window)[0];
    dialogs.answers << "确定";
    window.fileTable()->item(0, 1)->setText("新名.Pip");
    QCOMPARE(dialogs.calls.last().text, QString("更改桩文件文称成功！"));
    QCOMPARE(fileNames(window)[0], QString("新名.Pip"));
    QVERIFY(QFile::exists(dir.path() + "/新名.Pip"));
    QVERIFY(!QFile::exists(dir.path() + "/" + before));
    QVERIFY(window.windowTitle().endsWith("新名.Pip-Drosset"));
    QCOMPARE(window.statusBar()->currentMessage(), QString("当前桩:新名.Pip"));
}

void ProjectCommandsTest::excludeFileWithItsCheckBox() {
    QTemporaryDir dir;
    const QString project = writeFiveAreas(dir.path());
    ScriptedDialogs dialogs;
    MainWindow window;
    window.openProjectPath(project);
    window.fileTable()->item(2, 0)->setCheckState(Qt::Unchecked);
    QVERIFY(window.state().files[2]->excluded);
    window.fileTable()->item(2, 0)->setCheckState(Qt::Checked);
    QVERIFY(!window.state().files[2]->excluded);
}

void ProjectCommandsTest::switchingWithDontSaveReloadsFromDisk() {
    QTemporaryDir dir;
    const QString project = writeStandardProject(dir.path());
    ScriptedDialogs dialogs;
    MainWindow window;
    window.openProjectPath(project);
    const float stored = window.state().files[0]->points[0].header.endMark;
    window.state().files[0]->points[0].header.endMark = stored + 5;
    window.state().files[0]->modified = true;

    // "返回" switches but keeps the edits, still unsaved.
    window.fileTable()->selectRow(2);
    dialogs.answers << "返回";
    window.cellClicked(2, 1);
    QCOMPARE(window.state().currentFile, 2);
    QVERIFY(window.state().files[0]->modified);
    QCOMPARE(window.state().files[0]->points[0].header.endMark, stored + 5);

    window.fileTable()->selectRow(0);
    window.cellClicked(0, 1);
    QCOMPARE(window.state().currentFile, 0);
    window.fileTable()->selectRow(1);
    dialogs.answers << "不保存";
    window.cellClicked(1, 1);
    const DialogCall question = dialogs.callsOf("ask").last();
    QCOMPARE(question.title, QString("Tarvelmos"));
    QCOMPARE(question.text, QString("是否保存对测区文件的修改？"));
    QCOMPARE(window.state().currentFile, 1);
    QVERIFY(!window.state().files[0]->modified);
    QCOMPARE(window.state().files[0]->points[0].header.endMark, stored);
    QVERIFY(window.windowTitle().endsWith("-Tarvel"));
    QVERIFY(window.statusBar()->currentMessage().startsWith("当前测区:"));
}

void ProjectCommandsTest::switchingWithSaveWritesTheFile() {
    QTemporaryDir dir;
    const QString project = writeStandardProject(dir.path());
    ScriptedDialogs dialogs;
    MainWindow window;
    window.openProjectPath(project);
    NamePipeFile& first = *window.state().files[0];
    first.points[0].header.params.autoMark = 2;
    first.points[0].header.endMark = 9.5f;
    first.modified = true;
    window.fileTable()->selectRow(1);
    dialogs.answers << "保存";
    window.cellClicked(1, 1);
    QVERIFY(!window.state().files[0]->modified);

    NamePipeFile onDisk;
    QVERIFY(readAreaFile(first.path(), onDisk).ok());
    QCOMPARE(onDisk.points[0].header.endMark, 9.5f);
}

void ProjectCommandsTest::unsavedQuestionOnNewAndOpen() {
    QTemporaryDir dir;
    const QString project = writeStandardProject(dir.path());
    ScriptedDialogs dialogs;
    MainWindow window;
    window.openProjectPath(project);
    window.state().files[0]->modified = true;

    dialogs.answers << "返回";
    window.newProject();
    QCOMPARE(dialogs.calls.last().title, QString("Drosset"));
    QCOMPARE(dialogs.calls.last().text, QString("工程已修改没有保存，你想保存文件吗？"));
    QCOMPARE(window.state().files.size(), std::size_t(3));

    dialogs.answers << "返回";
    window.openProject();
    QCOMPARE(dialogs.calls.last().title, QString("Tarvel"));
    QCOMPARE(window.state().files.size(), std::size_t(3));

    dialogs.answers << "不保存";
    window.openFile();
    QCOMPARE(dialogs.callsOf("open").size(), 1);
    QCOMPARE(window.state().mode, int(kNothingOpen));
    QVERIFY(dialogs.unexpected.isEmpty());
}

void ProjectCommandsTest::newProjectIsSavedIntoItsDirectory() {
    QTemporaryDir source;
    QTemporaryDir target;
    writeStandardProject(source.path());
    ScriptedDialogs dialogs;
    MainWindow window;
    dialogs.fileLists << QStringList{source.path() + "/测区1.pip", source.path() + "/测区3.pip"};
    window.newProject();
    const DialogCall add = dialogs.callsOf("openMany").first();
    QCOMPARE(add.title, QString("添加文件"));
    QCOMPARE(add.text, QString("桩文件(*.pip)"));
    QCOMPARE(window.state().mode, int(kProjectOpen));
    QCOMPARE(fileNames(window), (QStringList{"测区1.pip", "测区3.pip"}));
    QVERIFY(window.findChild<QAction*>("saveProject")->isEnabled());

    dialogs.fileNames << target.path() + "/新工程.Prj";
    QVERIFY(window.saveProject());
    QCOMPARE(dialogs.callsOf("save").first().title, QString("保存工程"));
    QVERIFY(QFile::exists(target.path() + "/新工程.Prj"));
    QVERIFY(QFile::exists(target.path() + "/测区1.pip"));
    QVERIFY(QFile::exists(target.path() + "/测区3.pip"));
    QCOMPARE(window.state().files[0]->dirPath, (target.path() + "/").toStdString());
    QVERIFY(!window.findChild<QAction*>("saveProject")->isEnabled());
}

void ProjectCommandsTest::failedSaveWarnsAndKeepsEdits() {
    QTemporaryDir dir;
    const QString project = writeStandardProject(dir.path());
    ScriptedDialogs dialogs;
    MainWindow window;
    window.openProjectPath(project);
    window.state().files[0]->modified = true;
    window.state().saveNeeded = true;
    const QString path = QString::fromStdString(window.state().files[0]->path());
    QVERIFY(QDir(dir.path()).removeRecursively());

    QVERIFY(!window.saveProject());
    const DialogCall warning = dialogs.callsOf("notify").last();
    QCOMPARE(warning.icon, NoticeIcon::Warning);
    QVERIFY2(warning.text.contains(path), qPrintable(warning.text));
    QVERIFY(window.state().files[0]->modified);
    QVERIFY(window.state().saveNeeded);

    dialogs.calls.clear();
    window.saveFile();
    QVERIFY(dialogs.callsOf("notify").last().text.contains(path));
    QVERIFY(window.state().files[0]->modified);
}

void ProjectCommandsTest::failedSaveKeepsWindowOpen() {
    QTemporaryDir dir;
    const QString project = writeStandardProject(dir.path());
    ScriptedDialogs dialogs;
    MainWindow window;
    window.show();
    window.openProjectPath(project);
    window.state().files[1]->modified = true;
    QVERIFY(QDir(dir.path()).removeRecursively());
    dialogs.answers << "保存";
    QVERIFY(!window.close());
    QVERIFY(window.state().files[1]->modified);
}

QTEST_MAIN(ProjectCommandsTest)
#include "project_commands_test.moc"
