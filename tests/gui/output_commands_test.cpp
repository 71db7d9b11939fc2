// The output commands: pictures of the marked waves, the picture report, the
// test report and the summary table, driven through the scripted seam.
#include "app/main_window.h"
#include "data/lab_profile.h"
#include "report/zip_archive.h"
#include "scripted_dialogs.h"
#include "session/app_settings.h"
#include "synthetic_fixture.h"
#include "views/wave_pictures.h"

#include <QAction>
#include <QFileInfo>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <cstring>

using namespace tarvel;

namespace {

// The bytes the commands must leave alone: the header and each point header.
QByteArray recordBytes(const NamePipeFile& file) {
    QByteArray bytes(reinterpret_cast<const char*>(&file.header), sizeof file.header);
    for (const MeasurePoint& point : file.points)
        bytes.append(reinterpret_cast<const char*>(&point.header), sizeof point.header);
    return bytes;
}

} // namespace

class OutputCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void picturesAreNumberedOverTheMarkedWavesShown();
    void aCancelOrAFailureLeavesNoPicture();
    void withoutAMarkedWaveTheCommandsSaySo();
    void reportsLandWhereAskedAndTouchNeitherRecordsNorTheWorkingFolder();
    void aReportThatCannotBeWrittenIsShown();
    void withoutLibreOfficeThePdfIsMissedAndSaid();
    void eachPdfFollowsItsDocumentAndReplacesNothingUnasked();
    void picturesOfAnEarlierRunAreReplacedOnlyWhenAsked();
    void theLabIsKeptForEveryReportAndAnUnusableOneStopsThem();
    void theTestReportShowsEveryAreasMapNumberedFromOne();

private:
    NamePipeFile& file() { return *window->session().currentFile(); }
    void trigger(const char* name) { window->findChild<QAction*>(name)->trigger(); }

    QTemporaryDir* dir = nullptr;
    ScriptedDialogs* dialogs = nullptr;
    MainWindow* window = nullptr;
    QString workingFolder;
    QString projectPath;
};

void OutputCommandsTest::init() {
    dir = new QTemporaryDir;
    // The lab profile lives in the configuration folder: the test's own.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir->filePath("config")));
    dialogs = new ScriptedDialogs;
    window = new MainWindow;
    window->setOpenReportsWhenDone(false);
    workingFolder = QDir::currentPath();
    projectPath = writeStandardProject(dir->path() + "/project");
    QVERIFY(window->openProjectPath(projectPath));
    // 测区2: six points, two of them deleted.
    for (int row = 0; row < window->fileTable()->rowCount(); ++row) {
        if (window->state().files[std::size_t(row)]->pointCount() == 6) {
            window->fileTable()->selectRow(row);
            window->cellClicked(row, 1);
        }
    }
    QCOMPARE(file().pointCount(), 6);
    for (int point : {1, 4})
        QVERIFY(window->session().applyEdit(DeletePoint{point}).isEmpty());
    QCOMPARE(file().deletedCount, 2);
}

void OutputCommandsTest::cleanup() {
    QDir::setCurrent(workingFolder);
    delete window;
    delete dialogs;
    delete dir;
}

void OutputCommandsTest::picturesAreNumberedOverTheMarkedWavesShown() {
    std::vector<int> shown;
    for (int i = 0; i < file().pointCount(); ++i) {
        MeasurePoint& point = file().points[std::size_t(i)];
        point.header.printMark = 2;
        if (!point.isDeleted())
            shown.push_back(i);
    }
    // Marked but not shown: the deleted ones; of the shown, keep two marks.
    for (std::size_t k = 2; k < shown.size(); ++k)
        file().points[std::size_t(shown[k])].header.printMark = 0;

    const QString out = dir->path() + "/pictures";
    QVERIFY(QDir().mkpath(out));
    dialogs->folders << out;
    trigger("print");

    QCOMPARE(dialogs->callsOf("folder").first().title, QString("选择保存文件夹"));
    QCOMPARE(dialogs->startPaths.first(), QFileInfo(projectPath).absolutePath() + "/");
    const QString name = QString::fromStdString(file().fileName);
    QCOMPARE(QDir(out).entryList(QDir::Files), QStringList({name + "-1.png", name + "-2.png"}));
    // The same pictures as any other picture view drawing the same waves.
    WavePicture picture(window->state().options);
    picture.render(file(), shown[0]);
    QCOMPARE(QImage(out + "/" + name + "-2.png").convertToFormat(QImage::Format_RGB16),
             picture.render(file(), shown[1]));
    QVERIFY(window->statusBar()->currentMessage().contains(out));

    // The next run starts where the last one wrote.
    dialogs->folders << QString();
    trigger("print");
    QCOMPARE(dialogs->startPaths.last(), out);
}

void OutputCommandsTest::aCancelOrAFailureLeavesNoPicture() {
    for (MeasurePoint& point : file().points)
        point.header.printMark = 2;
    const QString out = dir->path() + "/pictures";
    QVERIFY(QDir().mkpath(out));
    dialogs->cancelProgressAt = 2;
    dialogs->folders << out;
    trigger("print");
    QVERIFY(QDir(out).entryList(QDir::Files).isEmpty());
    QVERIFY(dialogs->callsOf("notify").isEmpty());

    // A "folder" that is a file: the first picture fails, and says where.
    dialogs->cancelProgressAt = -1;
    const QString notAFolder = dir->path() + "/plain";
    QFile plain(notAFolder);
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    dialogs->folders << notAFolder;
    trigger("print");
    const QList<DialogCall> notices = dialogs->callsOf("notify");
    QCOMPARE(notices.size(), 1);
    QCOMPARE(notices[0].icon, NoticeIcon::Critical);
    QCOMPARE(notices[0].title, QString("Tarvel"));
    QVERIFY(notices[0].text.contains(notAFolder));
}

void OutputCommandsTest::withoutAMarkedWaveTheCommandsSaySo() {
    for (MeasurePoint& point : file().points)
        point.header.printMark = point.isDeleted() ? 2 : 0;
    trigger("print");
    trigger("BmpOutPut");
    const QList<DialogCall> notices = dialogs->callsOf("notify");
    QCOMPARE(notices.size(), 2);
    for (const DialogCall& notice : notices) {
        QCOMPARE(notice.text, QString("没有设置打印标识的图形！"));
        QCOMPARE(notice.icon, NoticeIcon::Critical);
    }
    QVERIFY(dialogs->callsOf("folder").isEmpty());
    QVERIFY(dialogs->callsOf("save").isEmpty());

    // An excluded area writes nothing either.
    file().points[0].header.printMark = 2;
    file().excluded = true;
    trigger("print");
    QCOMPARE(dialogs->callsOf("notify").size(), 3);
}

void OutputCommandsTest::reportsLandWhereAskedAndTouchNeitherRecordsNorTheWorkingFolder() {
    // A user's own "temp" in the working folder must survive the reports.
    const QString working = dir->path() + "/working";
    QVERIFY(QDir().mkpath(working + "/temp"));
    QFile own(working + "/temp/mine.txt");
    QVERIFY(own.open(QIODevice::WriteOnly));
    own.write("keep");
    own.close();
    QDir::setCurrent(working);

    file().points[0].header.printMark = 2;
    std::vector<QByteArray> before;
    std::vector<bool> modified;
    for (const auto& area : window->state().files) {
        before.push_back(recordBytes(*area));
        modified.push_back(area->modified);
    }
    const bool projectModified = window->state().projectModified;

    const QString out = dir->path() + "/out";
    QVERIFY(QDir().mkpath(out));
    dialogs->fileNames << out + "/pictures" << out + "/report.docx" << out + "/summary";
    trigger("BmpOutPut");
    trigger("PipeOutPut");
    trigger("ProjectOutPut");

    QVERIFY2(dialogs->callsOf("notify").isEmpty(), qPrintable(dialogs->texts().join('\n')));
    const QList<DialogCall> saves = dialogs->callsOf("save");
    QCOMPARE(saves.size(), 3);
    QCOMPARE(saves[0].title, QString("图形输出"));
    QCOMPARE(saves[1].text, QString("*.docx"));
    QCOMPARE(saves[2].text, QString("*.xlsx"));
    // Each document proposes a name of its own; the first dialog starts in
    // the project's folder, the next ones where the last document went.
    const QString base = QFileInfo(projectPath).completeBaseName();
    QCOMPARE(dialogs->startPaths[0],
             QFileInfo(projectPath).absolutePath() + "/" + base + "-波形.docx");
    QCOMPARE(dialogs->startPaths[1], out + "/" + base + "-检测报告.docx");
    QCOMPARE(dialogs->startPaths[2], out + "/" + base + "-汇总表.xlsx");
    for (const char* name : {"pictures.docx", "report.docx", "summary.xlsx"})
        QVERIFY2(QFileInfo(out + "/" + name).size() > 0, name);
    QCOMPARE(QDir(out).entryList(QDir::Files).size(), 3);

    QVERIFY(QFileInfo::exists(working + "/temp/mine.txt"));
    QCOMPARE(QDir(working).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList("temp"));
    for (std::size_t i = 0; i < before.size(); ++i) {
        QCOMPARE(recordBytes(*window->state().files[i]), before[i]);
        QCOMPARE(window->state().files[i]->modified, modified[i]);
    }
    QCOMPARE(window->state().projectModified, projectModified);
}

void OutputCommandsTest::aReportThatCannotBeWrittenIsShown() {
    dialogs->fileNames << dir->path() + "/no such folder/summary.xlsx";
    trigger("ProjectOutPut");
    const QList<DialogCall> notices = dialogs->callsOf("notify");
    QCOMPARE(notices.size(), 1);
    QCOMPARE(notices[0].icon, NoticeIcon::Critical);
    QVERIFY(notices[0].text.startsWith("Excel出现错误"));
    QVERIFY(notices[0].text.contains("summary.xlsx"));

    // Nothing open: the reports say so and ask nothing.
    dialogs->answers << "不保存";
    window->closeProject();
    window->PipeOutPut();
    QCOMPARE(dialogs->callsOf("notify").last().text, QString("没有打开的工程文件！"));
    QCOMPARE(dialogs->callsOf("save").size(), 1);
}

void OutputCommandsTest::withoutLibreOfficeThePdfIsMissedAndSaid() {
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(dir->path()));
    window->findChild<QAction*>("pdfAlso")->setChecked(true);
    dialogs->fileNames << dir->path() + "/summary.xlsx";
    trigger("ProjectOutPut");
    qputenv("PATH", path);
    QVERIFY(QFileInfo(dir->path() + "/summary.xlsx").size() > 0);
    QVERIFY(!QFileInfo::exists(dir->path() + "/summary.pdf"));
    QVERIFY(window->statusBar()->currentMessage().contains("soffice"));
    QVERIFY(dialogs->callsOf("notify").isEmpty());
}

void OutputCommandsTest::eachPdfFollowsItsDocumentAndReplacesNothingUnasked() {
    // A stand-in for LibreOffice: writes "<document name>.pdf" into --outdir,
    // a copy of the document, so each PDF shows which document it came from.
    const QString bin = dir->path() + "/bin";
    QVERIFY(QDir().mkpath(bin));
    QFile soffice(bin + "/soffice");
    QVERIFY(soffice.open(QIODevice::WriteOnly));
    soffice.write("#!/bin/sh\n"
                  "while [ $# -gt 1 ]; do [ \"$1\" = --outdir ] && out=$2; shift; done\n"
                  "name=$(basename \"$1\"); cat \"$1\" > \"$out/${name%.*}.pdf\"\n");
    soffice.close();
    soffice.setPermissions(soffice.permissions() | QFileDevice::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin) + ":" + path);
    window->findChild<QAction*>("pdfAlso")->setChecked(true);

    const QString out = dir->path() + "/out";
    QVERIFY(QDir().mkpath(out));
    const QString report = out + "/demo-检测报告.docx";
    const QString summary = out + "/demo-汇总表.xlsx";
    dialogs->fileNames << report << summary;
    trigger("PipeOutPut");
    trigger("ProjectOutPut");
    const auto contents = [](const QString& name) {
        QFile file(name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    QCOMPARE(contents(out + "/demo-检测报告.pdf"), contents(report));
    QCOMPARE(contents(out + "/demo-汇总表.pdf"), contents(summary));
    QVERIFY(dialogs->callsOf("yesNo").isEmpty());

    // The report again, under its old name: its PDF is replaced only when
    // the user says so.
    QFile::remove(report);
    QFile old(out + "/demo-检测报告.pdf");
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("kept");
    old.close();
    dialogs->fileNames << report << report;
    dialogs->yesNoAnswers << false << true;
    trigger("PipeOutPut");
    QCOMPARE(contents(out + "/demo-检测报告.pdf"), QByteArray("kept"));
    QVERIFY(window->statusBar()->currentMessage().contains("未生成 PDF"));
    trigger("PipeOutPut");
    qputenv("PATH", path);
    QCOMPARE(dialogs->callsOf("yesNo").size(), 2);
    QVERIFY(dialogs->callsOf("yesNo").first().text.contains("demo-检测报告.pdf"));
    QCOMPARE(contents(out + "/demo-检测报告.pdf"), contents(report));
    QVERIFY(dialogs->unexpected.isEmpty());
}

void OutputCommandsTest::picturesOfAnEarlierRunAreReplacedOnlyWhenAsked() {
    file().points[0].header.printMark = 2;
    const QString out = dir->path() + "/pictures";
    QVERIFY(QDir().mkpath(out));
    const QString first = out + "/" + wavePictureName(file(), 1);
    QFile earlier(first);
    QVERIFY(earlier.open(QIODevice::WriteOnly));
    earlier.write("earlier");
    earlier.close();
    dialogs->folders << out << out;
    dialogs->yesNoAnswers << false << true;
    trigger("print");
    QCOMPARE(QFileInfo(first).size(), qint64(7));
    QVERIFY(dialogs->callsOf("yesNo").first().text.contains(out));
    trigger("print");
    QVERIFY(QImage(first).width() == 800);
    QVERIFY(dialogs->unexpected.isEmpty());
}

void OutputCommandsTest::theLabIsKeptForEveryReportAndAnUnusableOneStopsThem() {
    LabProfile lab;
    lab.name = "江城检测中心";
    lab.approver = "赵批准";
    dialogs->labAnswers << lab;
    trigger("setLab");
    QCOMPARE(dialogs->callsOf("lab").size(), 1);
    const LabProfileRead read = readLabProfile(QFile::encodeName(labProfilePath()).toStdString());
    QVERIFY(read.found);
    QVERIFY(read.lab == lab);
    QVERIFY(labProfilePath().startsWith(dir->filePath("config")));

    // The dialog opens on what was kept; cancelling changes nothing.
    trigger("setLab");
    QCOMPARE(dialogs->callsOf("lab").last().title, QString("江城检测中心"));

    const QString report = dir->path() + "/report.docx";
    dialogs->fileNames << report;
    trigger("PipeOutPut");
    QVERIFY2(dialogs->callsOf("notify").isEmpty(), qPrintable(dialogs->texts().join('\n')));
    std::string main;
    for (const auto& [name, content] :
         scrivet::readZipFile(QFile::encodeName(report).toStdString()))
        if (name == "word/document.xml")
            main = content;
    QVERIFY(main.find("赵批准") != std::string::npos);

    // A profile that is there but not valid is said, and no report is asked for.
    QFile broken(labProfilePath());
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("{\"name\": 3}");
    broken.close();
    const int saves = dialogs->callsOf("save").size();
    trigger("ProjectOutPut");
    QCOMPARE(dialogs->callsOf("save").size(), saves);
    QCOMPARE(dialogs->callsOf("notify").size(), 1);
    QVERIFY(dialogs->callsOf("notify").first().text.contains("lab.json"));
}

void OutputCommandsTest::theTestReportShowsEveryAreasMapNumberedFromOne() {
    const QString report = dir->path() + "/report.docx";
    dialogs->fileNames << report;
    trigger("PipeOutPut");
    QVERIFY2(dialogs->callsOf("notify").isEmpty(), qPrintable(dialogs->texts().join('\n')));
    int pictures = 0;
    std::string main;
    for (const auto& [name, content] :
         scrivet::readZipFile(QFile::encodeName(report).toStdString())) {
        pictures += name.rfind("word/media/", 0) == 0;
        if (name == "word/document.xml")
            main = content;
    }
    QCOMPARE(pictures, 3);
    for (const char* caption : {"图1  测区1", "图2  测区2", "图3  测区3"})
        QVERIFY2(main.find(caption) != std::string::npos, caption);
}

QTEST_MAIN(OutputCommandsTest)
#include "output_commands_test.moc"
