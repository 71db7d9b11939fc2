// The desktop's English reports: each goes where the user says, with its
// suffix, and the picture report takes the marked waves of every pile.
#include "app/main_window.h"
#include "scripted_dialogs.h"
#include "synthetic_fixture.h"

#include <QAction>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

using namespace tarvel;

class EnglishReportsTest : public QObject {
    Q_OBJECT

private slots:
    void eachReportIsWrittenWhereAsked();
    void aFailureIsShownWithTheLibrarysReason();
};

void EnglishReportsTest::eachReportIsWrittenWhereAsked() {
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    MainWindow window;
    window.setOpenReportsWhenDone(false);
    QVERIFY(window.openProjectPath(writeStandardProject(dir.path())));
    // One marked wave in an area that is not the current one.
    window.state().files[1]->points[0].header.printMark = 2;
    const QString out = dir.path() + "/out";
    dialogs.fileNames << out + "/summary" << out + "/report.docx" << out + "/pictures";
    QVERIFY(QDir().mkpath(out));
    for (const char* name : {"englishSummary", "englishReport", "englishPictures"}) {
        QAction* action = window.findChild<QAction*>(name);
        QVERIFY2(action && action->isEnabled(), name);
        action->trigger();
    }
    QVERIFY(dialogs.callsOf("notify").isEmpty());
    // Three names of their own, none a Chinese report's.
    const QStringList proposed{QFileInfo(dialogs.startPaths[0]).fileName(),
                               QFileInfo(dialogs.startPaths[1]).fileName(),
                               QFileInfo(dialogs.startPaths[2]).fileName()};
    QCOMPARE(proposed, (QStringList{"示范工程-summary-en.xlsx", "示范工程-test-report-en.docx",
                                    "示范工程-waves-en.docx"}));
    for (const char* file : {"summary.xlsx", "report.docx", "pictures.docx"})
        QVERIFY2(QFileInfo(out + "/" + file).size() > 0, file);
    // The pictures were rendered into a private folder, gone afterwards.
    QCOMPARE(QDir(out).entryList(QDir::Files).size(), 3);
}

void EnglishReportsTest::aFailureIsShownWithTheLibrarysReason() {
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    MainWindow window;
    window.setOpenReportsWhenDone(false);
    QVERIFY(window.openProjectPath(writeStandardProject(dir.path())));
    dialogs.fileNames << dir.path() + "/no such folder/summary.xlsx";
    window.findChild<QAction*>("englishSummary")->trigger();
    const QList<DialogCall> notices = dialogs.callsOf("notify");
    QCOMPARE(notices.size(), 1);
    QCOMPARE(notices[0].icon, NoticeIcon::Critical);
    QVERIFY(notices[0].text.contains("summary.xlsx"));
}

QTEST_MAIN(EnglishReportsTest)
#include "english_reports_test.moc"
