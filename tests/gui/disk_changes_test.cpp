// The desktop and the files under it: a change someone else made on disk is
// never overwritten without asking, the project folder is held while there
// are unsaved edits, and what opens is what the user asked for.
#include "app/main_window.h"
#include "data/folder_lock.h"
#include "data/original_copy.h"
#include "scripted_dialogs.h"
#include "synthetic_fixture.h"
#include "views/wave_list.h"

#include <QDir>
#include <QFile>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace tarvel;

namespace {

// Changes the ball mass stored in the area file, as `tarvel-cli set` would.
void changeOnDisk(const std::string& path, float ballMass) {
    NamePipeFile file;
    QVERIFY(readAreaFile(path, file).ok());
    file.header.ballMass = ballMass;
    QCOMPARE(writeAreaFile(file, path), std::string());
}

PipHeader storedHeader(const std::string& path) {
    NamePipeFile file;
    readAreaFile(path, file);
    return file.header;
}

} // namespace

class DiskChangesTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void aSaveOverAChangeOnDiskAsksFirst_data();
    void aSaveOverAChangeOnDiskAsksFirst();
    void theWatcherOffersAReloadWhenNothingIsEdited();
    void editsHoldTheFolderAgainstOtherWriters();
    void theFirstSaveKeepsTheInstrumentsOriginal();
    void aSecondProjectOpensAtItsFirstPoint();
    void theCommandLineSaysWhatWasNotFound();

private:
    QTemporaryDir* dir = nullptr;
    ScriptedDialogs* dialogs = nullptr;
    MainWindow* window = nullptr;
    std::string area; // the first area's file
};

void DiskChangesTest::init() {
    dir = new QTemporaryDir;
    dialogs = new ScriptedDialogs;
    window = new MainWindow;
    QVERIFY(window->openProjectPath(writeStandardProject(dir->path())));
    area = window->state().files[0]->path();
}

void DiskChangesTest::cleanup() {
    delete window;
    delete dialogs;
    delete dir;
}

void DiskChangesTest::aSaveOverAChangeOnDiskAsksFirst_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<float>("ballMassAfter");
    QTest::addColumn<bool>("editsKept");
    QTest::newRow("back") << "返回" << 31.0f << true;
    QTest::newRow("overwrite") << "覆盖" << 20.0f << false;
    QTest::newRow("reload") << "重新读取（放弃我的修改）" << 31.0f << false;
    QTest::newRow("elsewhere") << "另存为…" << 31.0f << false;
}

void DiskChangesTest::aSaveOverAChangeOnDiskAsksFirst() {
    QFETCH(QString, answer);
    QFETCH(float, ballMassAfter);
    QFETCH(bool, editsKept);
    const float slope = window->state().files[0]->header.slopeCoef;
    editArea(*window, 0);
    changeOnDisk(area, 31);
    const QString copy = dir->path() + "/mine.pip";
    dialogs->answers << answer;
    dialogs->fileNames << copy;

    const bool saved = window->saveProject();
    QCOMPARE(saved, answer != "返回");
    const DialogCall question = dialogs->callsOf("ask").constFirst();
    QVERIFY(question.text.contains("测区1.pip"));
    QVERIFY(question.text.contains("已被其他程序修改或删除"));
    QCOMPARE(question.buttons,
             (QStringList{"重新读取（放弃我的修改）", "覆盖", "另存为…", "返回"}));
    const PipHeader onDisk = storedHeader(area);
    QCOMPARE(onDisk.ballMass, ballMassAfter);
    // Overwriting writes my whole area, its edit included.
    QCOMPARE(onDisk.slopeCoef == slope, answer != "覆盖");
    QCOMPARE(window->state().files[0]->modified, editsKept);
    if (answer == "重新读取（放弃我的修改）")
        QCOMPARE(window->state().files[0]->header.ballMass, 31.0f);
    if (answer == "另存为…") {
        QCOMPARE(storedHeader(copy.toStdString()).slopeCoef, slope + 1);
        QCOMPARE(window->state().files[0]->header.slopeCoef, slope);
    }
}

void DiskChangesTest::theWatcherOffersAReloadWhenNothingIsEdited() {
    QSignalSpy changed(&window->session(), &ProjectSession::changedOnDisk);
    dialogs->answers << "重新读取";
    changeOnDisk(area, 33);
    QVERIFY(changed.wait(3000));
    QCOMPARE(dialogs->callsOf("ask").size(), 1);
    QVERIFY(dialogs->callsOf("ask").constFirst().text.contains("重新读取吗"));
    QCOMPARE(window->state().files[0]->header.ballMass, 33.0f);

    // With edits of its own the window only says so; the save will ask.
    editArea(*window, 0);
    changeOnDisk(area, 34);
    QVERIFY(changed.wait(3000));
    QCOMPARE(dialogs->callsOf("ask").size(), 1);
    QVERIFY(dialogs->callsOf("notify").constLast().text.contains("保存时会询问"));
    QVERIFY(window->state().files[0]->modified);

    // And once it is gone.
    QFile::remove(QFile::decodeName(area.c_str()));
    QVERIFY(changed.wait(3000));
    QVERIFY(dialogs->callsOf("notify").constLast().text.contains("删除或移走"));
}

void DiskChangesTest::editsHoldTheFolderAgainstOtherWriters() {
    const std::string folder = window->state().files[0]->dirPath;
    LockHolder holder;
    QVERIFY(!findLockHolder(folder, holder));
    editArea(*window, 0);
    QVERIFY(findLockHolder(folder, holder));
    QCOMPARE(holder.program, std::string("tarvel"));
    QVERIFY(window->saveProject());
    QVERIFY(!findLockHolder(folder, holder));

    // Another writer at work: the edit stays in memory and the save says who.
    FolderLock set;
    QVERIFY(set.acquire(folder, "tarvel-cli set", std::chrono::milliseconds(0)).acquired);
    editArea(*window, 1);
    QVERIFY(window->statusBar()->currentMessage().contains("tarvel-cli set"));
    QVERIFY(!window->saveProject());
    QVERIFY(dialogs->callsOf("notify").constLast().text.contains("tarvel-cli set (process "));
    QVERIFY(window->state().files[1]->modified);
    set.release();
    QVERIFY(window->saveProject());
    QVERIFY(!window->state().files[1]->modified);
}

void DiskChangesTest::theFirstSaveKeepsTheInstrumentsOriginal() {
    QFile original(QFile::decodeName(area.c_str()));
    QVERIFY(original.open(QIODevice::ReadOnly));
    const QByteArray instrument = original.readAll();
    editArea(*window, 0);
    QVERIFY(window->saveProject());
    editArea(*window, 0);
    QVERIFY(window->saveProject());
    QFile kept(QFile::decodeName(originalPathFor(area).c_str()));
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), instrument);
    // Reopened, the project does not take the originals for areas.
    QVERIFY(window->openProjectPath(dir->path() + "/示范工程.Prj"));
    QCOMPARE(window->state().files.size(), std::size_t(3));
}

void DiskChangesTest::aSecondProjectOpensAtItsFirstPoint() {
    QTemporaryDir big;
    const QString project = writeFixtureProject(big.path(), {{"测区1", 10, 10, 1024}});
    window->resize(1200, 800);
    window->show();
    QVERIFY(window->openProjectPath(project));
    QApplication::processEvents(); // the new views show once laid out
    QVERIFY(window->waveList()->goToPoint(79));
    QApplication::processEvents();
    QVERIFY(window->waveList()->verticalScrollBar()->value() > 0);

    QVERIFY(window->openProjectPath(project));
    QApplication::processEvents();
    QCOMPARE(window->session().currentPointIndex(), 0);
    QCOMPARE(window->waveList()->verticalScrollBar()->value(), 0);
}

void DiskChangesTest::theCommandLineSaysWhatWasNotFound() {
    MainWindow fresh;
    fresh.openPathAtStart(dir->path() + "/nothing.Prj");
    QVERIFY(dialogs->callsOf("notify").constLast().text.contains("找不到"));
    QVERIFY(dialogs->callsOf("notify").constLast().text.contains("nothing.Prj"));
    QTemporaryDir empty;
    fresh.openPathAtStart(empty.path());
    QVERIFY(dialogs->callsOf("notify").constLast().text.contains("没有工程文件"));
    fresh.openPathAtStart(dir->path() + "/示范工程.txt");
    QVERIFY(dialogs->callsOf("notify").constLast().text.contains("找不到"));
    QCOMPARE(fresh.state().mode, int(kNothingOpen));
    // A folder holding a project opens that project.
    fresh.openPathAtStart(dir->path());
    QCOMPARE(fresh.state().mode, int(kProjectOpen));
    QCOMPARE(fresh.projectFileName(), QString("示范工程.Prj"));
}

QTEST_MAIN(DiskChangesTest)
#include "disk_changes_test.moc"
