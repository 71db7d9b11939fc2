// The project and file commands, driven through the scripted dialog seam.
#include "app/main_window.h"
#include "scripted_dialogs.h"
#include "synthetic_fixture.h"
#include "views/wave_list.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
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

// An editor is open in the table.
bool editing(const QTableWidget* table) {
    for (const QLineEdit* editor : table->viewport()->findChildren<QLineEdit*>()) {
        if (editor->isVisible())
            return true;
    }
    return false;
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
    void renameFileOnDisk_data();
    void renameFileOnDisk();
    void aClickOnANameSwitchesAndF2Renames();
    void excludeFileWithItsCheckBox();
    void switchingWithDontSaveReloadsFromDisk();
    void switchingWithSaveWritesTheFile();
    void unsavedQuestionOnNewAndOpen();
    void cancelInOpenChangesNothing();
    void savedNamesGetTheirSuffix();
    void modifiedFileIsMarked();
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
    QCOMPARE(window.statusBar()->currentMessage(), "当前测区:" + fileNames(window).first());
}

void ProjectCommandsTest::openProjectThatCannotBeRead() {
    ScriptedDialogs dialogs;
    MainWindow window;
    dialogs.fileNames << "/nonexistent/p.Prj";
    window.openProject();
    const DialogCall error = dialogs.callsOf("notify").first();
    QCOMPARE(error.title, QString("Tarvel"));
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
        // The damaged file stays listed as damaged, with nothing read from
        // it, and is never made current: nothing of it can be edited.
        const int damaged = fileNames(window).indexOf("测区2.pip");
        QVERIFY(damaged >= 0);
        QVERIFY(window.state().files[std::size_t(damaged)]->damaged);
        QVERIFY(window.fileTable()->item(damaged, 1)->text().contains("已损坏"));
        QVERIFY(window.state().currentFile != damaged);
        window.fileTable()->selectRow(damaged);
        window.cellClicked(damaged, 1);
        QVERIFY(window.state().currentFile != damaged);
        QVERIFY(window.statusBar()->currentMessage().contains("1000"));
    }
    ScriptedDialogs dialogs;
    MainWindow window;
    window.openAreaFilePath(dir.path() + "/测区2.pip");
    QCOMPARE(dialogs.callsOf("notify").size(), 1);
    QVERIFY(!window.state().current());
    QVERIFY(window.fileTable()->item(0, 1)->text().contains("已损坏"));
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
    QCOMPARE(question.title, QString("Tarvel"));
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
    // The file shown is removed wherever the row highlight has moved.
    QTest::addColumn<int>("removed");
    QTest::addColumn<int>("highlighted");
    QTest::addColumn<int>("expectedCurrent");
    QTest::newRow("third of five, highlight on the first") << 2 << 0 << 1;
    QTest::newRow("first, highlight on the last") << 0 << 4 << 0;
    QTest::newRow("fourth, highlight on the second") << 3 << 1 << 2;
    QTest::newRow("last, highlight on itself") << 4 << 4 << 3;
}

void ProjectCommandsTest::removeFileKeepsTheRightCurrentFile() {
    QFETCH(int, removed);
    QFETCH(int, highlighted);
    QFETCH(int, expectedCurrent);
    QTemporaryDir dir;
    const QString project = writeFiveAreas(dir.path());
    ScriptedDialogs dialogs;
    MainWindow window;
    window.openProjectPath(project);
    window.fileTable()->selectRow(removed);
    window.cellClicked(removed, 0);
    QCOMPARE(window.state().currentFile, removed);
    const QStringList before = fileNames(window);

    window.fileTable()->selectRow(highlighted);
    dialogs.answers << "仅移除";
    window.removeFile();
    const DialogCall question = dialogs.callsOf("ask").last();
    QCOMPARE(question.title, QString("Tarvel"));
    QCOMPARE(question.text, QString("你确信是要移除此桩文件“%1”吗？").arg(before[removed]));
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

    // "否" to the delete from disk, the default, keeps file and row.
    dialogs.answers << "移除且物理删除"
                    << "否";
    window.removeFile();
    QCOMPARE(fileNames(window), before);
    QVERIFY(QFile::exists(dir.path() + "/" + before[0]));
    QVERIFY(dialogs.unexpected.isEmpty());
}

void ProjectCommandsTest::removeFileAndDeleteIt() {
    QTemporaryDir dir;
    const QString project = writeFiveAreas(dir.path());
    ScriptedDialogs dialogs;
    MainWindow window;
    window.openProjectPath(project);
    const QString name = fileNames(window)[4];
    window.fileTable()->selectRow(4);
    window.cellClicked(4, 0);
    window.fileTable()->selectRow(1);
    dialogs.answers << "移除且物理删除"
                    << "是";
    window.removeFile();
    // The last question names the file on disk, says it is final and
    // defaults to "否".
    const DialogCall confirm = dialogs.callsOf("ask").last();
    QVERIFY(confirm.text.contains(dir.path() + "/" + name));
    QVERIFY(confirm.text.contains("无法撤销"));
    QCOMPARE(confirm.buttons, (QStringList{"是", "否"}));
    QVERIFY(!fileNames(window).contains(name));
    QVERIFY(!QFile::exists(dir.path() + "/" + name));
    QVERIFY(QFile::exists(dir.path() + "/" + fileNames(window)[1]));
    QVERIFY(dialogs.callsOf("notify").isEmpty());

    // A file that cannot be deleted is still taken out, and the user is told
    // it stays on disk (here a folder has taken its name).
    const QString kept = fileNames(window)[0];
    QVERIFY(QFile::remove(dir.path() + "/" + kept));
    QVERIFY(QDir(dir.path()).mkpath(kept + "/inside"));
    window.fileTable()->selectRow(0);
    window.cellClicked(0, 0);
    dialogs.answers << "移除且物理删除"
                    << "是";
    window.removeFile();
    QVERIFY(!fileNames(window).contains(kept));
    QCOMPARE(dialogs.callsOf("notify").size(), 1);
    QCOMPARE(dialogs.callsOf("notify").first().title, QString("Tarvel"));
    QVERIFY(dialogs.callsOf("notify").first().text.startsWith("文件删除失败：" + dir.path() + "/" +
                                                              kept));
}

void ProjectCommandsTest::removeFileWithoutSelectionWarns() {
    QTemporaryDir dir;
    const QString project = writeFiveAreas(dir.path());
    ScriptedDialogs dialogs;
    MainWindow window;
    window.openProjectPath(project);
    // No highlighted row: the file shown is still the one asked about.
    window.fileTable()->clearSelection();
    dialogs.answers << "仅移除";
    window.removeFile();
    QCOMPARE(dialogs.calls.last().text, QString("你确信是要移除此桩文件“a1.pip”吗？"));
    QCOMPARE(fileNames(window).size(), 4);

    // A project without areas has nothing to remove, and says so.
    while (!window.state().files.empty()) {
        dialogs.answers << "仅移除";
        window.removeFile();
    }
    window.removeFile();
    QCOMPARE(dialogs.calls.last().kind, QString("notify"));
    QCOMPARE(dialogs.calls.last().text, QString("工程中没有测区文件！"));
}

void ProjectCommandsTest::renameRefusalsRestoreTheCell_data() {
    QTest::addColumn<QString>("newName");
    QTest::addColumn<QString>("message");
    QTest::newRow("another suffix") << "b.pit"
                                    << "文件后缀名必须为.pip！";
    QTest::newRow("no suffix") << "b"
                               << "文件后缀名必须为.pip！";
    QTest::newRow("too long") << QString(46, 'x') + ".Pip"
                              << "桩文件名过长！";
    QTest::newRow("duplicate") << "dup.Pip"
                               << "文件名称与现有的桩文件名称重复！";
    QTest::newRow("rename fails") << "gone.Pip"
                                  << "更改桩文件名称失败！";
    QTest::newRow("name with a folder") << "../moved.Pip"
                                        << "更改桩文件名称失败！";
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
    window.fileTable()->item(0, 1)->setText(newName);
    QCOMPARE(dialogs.calls.last().title, QString("Tarvel"));
    QCOMPARE(dialogs.calls.last().text, message);
    QCOMPARE(dialogs.calls.last().kind, QString("notify"));
    QCOMPARE(dialogs.calls.last().icon, NoticeIcon::Warning);
    QCOMPARE(window.fileTable()->item(0, 1)->text(), before);
    QCOMPARE(fileNames(window)[0], before);
    if (newName != "gone.Pip")
        QVERIFY(QFile::exists(dir.path() + "/" + before));
}

void ProjectCommandsTest::renameFileOnDisk_data() {
    QTest::addColumn<QString>("newName");
    QTest::newRow("lower case") << "新名.pip";
    QTest::newRow("upper case") << "新名.PIP";
    QTest::newRow("mixed case") << "新名.Pip";
}

void ProjectCommandsTest::renameFileOnDisk() {
    QFETCH(QString, newName);
    QTemporaryDir dir;
    const QString project = writeFiveAreas(dir.path());
    ScriptedDialogs dialogs;
    MainWindow window;
    window.openProjectPath(project);
    const QString before = fileNames(window)[0];
    window.fileTable()->item(0, 1)->setText(newName);
    QCOMPARE(dialogs.calls.last().kind, QString("notify"));
    QCOMPARE(dialogs.calls.last().icon, NoticeIcon::Information);
    QCOMPARE(dialogs.calls.last().text, QString("更改桩文件名称成功！"));
    // The name keeps the case typed, on disk and in the project.
    QCOMPARE(fileNames(window)[0], newName);
    QCOMPARE(QDir(dir.path()).entryList({"新名.*"}), QStringList{newName});
    QVERIFY(!QFile::exists(dir.path() + "/" + before));
    QCOMPARE(window.windowTitle(), dir.path() + "/" + newName + "-Tarvel");
    QCOMPARE(window.statusBar()->currentMessage(), "当前测区:" + newName);
}

void ProjectCommandsTest::aClickOnANameSwitchesAndF2Renames() {
    QTemporaryDir dir;
    const QString project = writeFiveAreas(dir.path());
    ScriptedDialogs dialogs;
    MainWindow window;
    window.show();
    window.openProjectPath(project);
    QTableWidget* table = window.fileTable();
    table->setCurrentCell(0, 1);
    table->setFocus();
    QTest::keyClick(table, Qt::Key_F2);
    QVERIFY(editing(table));
    QCOMPARE(table->viewport()->findChild<QLineEdit*>()->text(), QString("a1.pip"));
    QTest::keyClick(table->focusWidget(), Qt::Key_Escape);
    QVERIFY(!editing(table));

    const auto cellCentre = [&](int row, int column) {
        return table->visualRect(table->model()->index(row, column)).center();
    };
    // One click on another area's name shows that area.
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, cellCentre(2, 1));
    QCOMPARE(window.state().currentFile, 2);
    QVERIFY(window.statusBar()->currentMessage().startsWith("当前测区:"));
    // A double click shows it too, and renames nothing.
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, cellCentre(3, 1));
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, cellCentre(3, 1));
    QTest::mouseRelease(table->viewport(), Qt::LeftButton, Qt::NoModifier, cellCentre(3, 1));
    QCOMPARE(window.state().currentFile, 3);
    QTest::qWait(QApplication::doubleClickInterval() + 100);
    QVERIFY(!editing(table));
    // The first column only takes an area in or out.
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, cellCentre(1, 0));
    QCOMPARE(window.state().currentFile, 3);
    QVERIFY(dialogs.calls.isEmpty());
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
    QCOMPARE(question.title, QString("Tarvel"));
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
    QCOMPARE(dialogs.calls.last().title, QString("Tarvel"));
    QCOMPARE(dialogs.calls.last().text, QString("工程已修改没有保存，你想保存文件吗？"));
    QCOMPARE(window.state().files.size(), std::size_t(3));

    dialogs.answers << "返回";
    window.openProject();
    QCOMPARE(dialogs.calls.last().title, QString("Tarvel"));
    QCOMPARE(window.state().files.size(), std::size_t(3));

    dialogs.answers << "不保存";
    window.openFile();
    QCOMPARE(dialogs.callsOf("open").size(), 1);
    // Cancelled: the answer to the question was never applied.
    QCOMPARE(window.state().mode, int(kProjectOpen));
    QVERIFY(window.state().files[0]->modified);
    QVERIFY(dialogs.unexpected.isEmpty());
}

void ProjectCommandsTest::cancelInOpenChangesNothing() {
    QTemporaryDir dir;
    const QString project = writeStandardProject(dir.path());
    ScriptedDialogs dialogs;
    MainWindow window;
    window.openProjectPath(project);
    editArea(window, 1);
    window.updateActions();
    const QString title = window.windowTitle();
    const QStringList names = fileNames(window);

    for (const char* answer : {"不保存", "保存"}) {
        dialogs.answers << answer;
        window.openProject();
        dialogs.answers << answer;
        window.openFile();
    }
    QCOMPARE(dialogs.callsOf("open").size(), 4);
    QCOMPARE(window.state().mode, int(kProjectOpen));
    QCOMPARE(fileNames(window), names);
    QCOMPARE(tableNames(window), (QStringList{names[0], names[1] + "*", names[2]}));
    QCOMPARE(window.projectFileName(), QFileInfo(project).fileName());
    QCOMPARE(window.windowTitle(), title);
    // "保存" followed by Cancel saved nothing either.
    QVERIFY(window.state().files[1]->modified);
    QVERIFY(window.state().saveNeeded);
    QVERIFY(!window.waveList()->waves().isEmpty());
}

void ProjectCommandsTest::savedNamesGetTheirSuffix() {
    QTemporaryDir source;
    QTemporaryDir target;
    writeStandardProject(source.path());
    ScriptedDialogs dialogs;
    MainWindow window;
    dialogs.fileLists << QStringList{source.path() + "/测区1.pip"};
    window.newProject();
    dialogs.fileNames << target.path() + "/新工程";
    QVERIFY(window.saveProject());
    QVERIFY(QFile::exists(target.path() + "/新工程.Prj"));
    QVERIFY(!QFile::exists(target.path() + "/新工程"));
    QCOMPARE(window.projectFileName(), QString("新工程.Prj"));
    // Title and status bar follow where it went.
    QCOMPARE(window.windowTitle(), target.path() + "/测区1.pip-Tarvel");
    QCOMPARE(window.statusBar()->currentMessage(), "已保存 " + target.path() + "/新工程.Prj");

    QTemporaryDir other;
    dialogs.fileNames << other.path() + "/另一个.prj";
    window.saveProjectAs();
    QVERIFY(QFile::exists(other.path() + "/另一个.prj"));
    QCOMPARE(window.windowTitle(), other.path() + "/测区1.pip-Tarvel");
    QCOMPARE(window.statusBar()->currentMessage(), "已保存 " + other.path() + "/另一个.prj");

    dialogs.fileNames << other.path() + "/copy";
    window.saveFileAs();
    QVERIFY(QFile::exists(other.path() + "/copy.pip"));
    QCOMPARE(window.statusBar()->currentMessage(), "已保存 " + other.path() + "/copy.pip");
    QVERIFY(dialogs.callsOf("notify").isEmpty());
}

void ProjectCommandsTest::modifiedFileIsMarked() {
    QTemporaryDir dir;
    const QString project = writeStandardProject(dir.path());
    ScriptedDialogs dialogs;
    MainWindow window;
    window.openProjectPath(project);
    const QString name = fileNames(window)[0];
    QCOMPARE(window.fileTable()->item(0, 1)->text(), name);
    window.session().markCurrentFileModified();
    QCOMPARE(window.fileTable()->item(0, 1)->text(), name + "*");
    QCOMPARE(window.windowTitle(), dir.path() + "/" + name + "*-Tarvel");
    // Renaming starts from the bare name and is not set off by the mark.
    QCOMPARE(window.fileTable()->item(0, 1)->data(Qt::EditRole).toString(), name);
    QVERIFY(dialogs.calls.isEmpty());
    window.saveFile();
    QCOMPARE(window.fileTable()->item(0, 1)->text(), name);
    QCOMPARE(window.windowTitle(), dir.path() + "/" + name + "-Tarvel");
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
    editArea(window, 0);
    const QString path = QString::fromStdString(window.state().files[0]->path());
    QVERIFY(QDir(dir.path()).removeRecursively());

    // The file went from under it: asked first, then the write fails.
    dialogs.answers << "覆盖";
    QVERIFY(!window.saveProject());
    QVERIFY(dialogs.callsOf("ask").last().text.contains("已被其他程序修改或删除"));
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
