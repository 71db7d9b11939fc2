// The interface in English: with the English translation installed the main
// window, its menus, its notices and its result labels read English, and the
// language choice is remembered for the next start.
#include "analysis/result_fields.h"
#include "app/main_window.h"
#include "app/translations.h"
#include "scripted_dialogs.h"
#include "session/app_settings.h"
#include "session/interface_language.h"
#include "synthetic_fixture.h"
#include "views/distribution_map.h"
#include "views/edit_widgets.h"
#include "views/pipe_info_panel.h"
#include "views/plot_overlay_items.h"
#include "views/result_list.h"
#include "views/wave.h"
#include "views/wave_list.h"

#include <QDockWidget>
#include <QMenuBar>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>
#include <qwt_plot_canvas.h>

using namespace tarvel;

namespace {

bool hasChinese(const QString& text) {
    static const QRegularExpression cjk(QStringLiteral("[\\x{3000}-\\x{303f}\\x{4e00}-\\x{9fff}"
                                                       "\\x{ff00}-\\x{ffef}]"));
    return cjk.match(text).hasMatch();
}

// The captions that read the same in both languages on purpose: the way to
// the other language must be readable in either.
bool bilingualOnPurpose(const QString& text) {
    return text == QStringLiteral("语言 / Language") || text == QStringLiteral("中文");
}

} // namespace

class EnglishInterfaceTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void menusActionsAndDocksReadEnglish();
    void noticesReadEnglishUnderTheProductTitle();
    void resultLabelsComeFromTheResultFieldTable();
    void theWindowRendersOffscreen();
    void panelRefusalsQuestionsAndTheMapNoteReadEnglish();
    void choosingALanguageIsRememberedForTheNextStart();
    void withoutAChoiceTheSystemLocaleDecides();
    // Last: it installs Qt's Chinese texts into the test program.
    void aMissingEnglishTranslationLeavesTheInterfaceChinese();

private:
    QTranslator english;
    QTemporaryDir* home = nullptr;
};

void EnglishInterfaceTest::initTestCase() {
    QVERIFY(english.load(QStringLiteral("tarvel_en"), QStringLiteral(TARVEL_TRANSLATIONS_DIR)));
    QVERIFY(QCoreApplication::installTranslator(&english));
    setInterfaceLanguage(InterfaceLanguage::English);
}

void EnglishInterfaceTest::cleanupTestCase() {
    setInterfaceLanguage(InterfaceLanguage::Chinese);
}

void EnglishInterfaceTest::init() {
    home = new QTemporaryDir;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home->path() + "/config"));
}

void EnglishInterfaceTest::cleanup() {
    delete home;
}

void EnglishInterfaceTest::menusActionsAndDocksReadEnglish() {
    ScriptedDialogs dialogs;
    MainWindow window;
    QStringList titles;
    for (QAction* menu : window.menuBar()->actions())
        titles << menu->text();
    QCOMPARE(titles, (QStringList{"&File", "&Edit", "&View", "&Settings", "&Tools", "&Help"}));
    QCOMPARE(window.findChild<QAction*>("openProject")->text(), QString("&Open Project..."));
    QCOMPARE(window.findChild<QAction*>("openFile")->text(), QString("Open Area File..."));
    QCOMPARE(window.findChild<QAction*>("goToPoint")->text(), QString("&Go to Point..."));

    // Every caption the user can reach, hidden commands and the waves' own
    // menus included.
    QVERIFY(window.openProjectPath(writeStandardProject(home->path() + "/project")));
    QVERIFY(window.waveList()->waves().first()->mainMenu()); // made when first opened
    int checked = 0;
    // The recent projects name the user's files, in whatever language.
    const QList<QAction*> recent = window.recentMenu()->actions();
    for (QAction* action : window.findChildren<QAction*>()) {
        if (action->text().isEmpty() || bilingualOnPurpose(action->text()) ||
            recent.contains(action))
            continue;
        QVERIFY2(!hasChinese(action->text()), qPrintable(action->text()));
        QVERIFY2(!hasChinese(action->statusTip()), qPrintable(action->statusTip()));
        ++checked;
    }
    QVERIFY2(checked > 50, qPrintable(QString::number(checked)));
    QStringList docks;
    for (QDockWidget* dock : window.docks())
        docks << dock->windowTitle();
    QCOMPARE(docks, (QStringList{"Area Information", "Wave Parameters", "Area Files"}));
    // A layout remembered in Chinese still finds its docks.
    QVERIFY(window.findChild<QDockWidget*>("areaInfoDock"));
}

void EnglishInterfaceTest::panelRefusalsQuestionsAndTheMapNoteReadEnglish() {
    ScriptedDialogs dialogs;
    MainWindow window;
    QVERIFY(window.openProjectPath(writeStandardProject(home->path() + "/project")));
    window.show();
    QCustomEdit* height = window.pipeInfo()->fieldEdit("dropHeight");
    const auto type = [&](QCustomEdit* edit, const QString& text) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    };
    type(height, "0.05");
    QCOMPARE(window.statusBar()->currentMessage(),
             QStringLiteral("Drop height (m) “0.05”: outside 0.1 to 100000"));
    type(height, "x");
    QCOMPARE(window.statusBar()->currentMessage(),
             QStringLiteral("Drop height (m) “x”: not a number"));
    dialogs.yesNoAnswers.enqueue(false);
    type(window.pipeInfo()->fieldEdit("ballRadius"), "99999");
    QCOMPARE(dialogs.callsOf("yesNo").size(), 1);
    const QString question = dialogs.callsOf("yesNo").first().text;
    QVERIFY2(!hasChinese(question), qPrintable(question));
    QVERIFY2(question.contains("99999") && question.contains("0.03 to 0.5"), qPrintable(question));

    window.session().currentFile()->header.pointTotal = 0;
    window.findChild<QAction*>("DengZhiView")->trigger();
    const QString note = window.waveList()->map()->note();
    QVERIFY2(note.startsWith("The area has no usable grid") && !hasChinese(note), qPrintable(note));
}

void EnglishInterfaceTest::noticesReadEnglishUnderTheProductTitle() {
    ScriptedDialogs dialogs;
    MainWindow window;
    window.setProjInfo();
    QCOMPARE(dialogs.calls.last().title, QString("Tarvel"));
    QCOMPARE(dialogs.calls.last().text, QString("No project is open."));

    // A refusal of the Qt-free edit rules is translated where it is shown.
    QVERIFY(window.openProjectPath(writeStandardProject(home->path() + "/project")));
    NamePipeFile& file = *window.session().currentFile();
    for (MeasurePoint& p : file.points)
        p.header.printMark = 1;
    file.points[0].header.printMark = 2;
    window.waveList()->waves().first()->doPrint();
    QCOMPARE(dialogs.calls.last().title, QString("Tarvel"));
    QCOMPARE(dialogs.calls.last().text,
             QString("The area must keep at least one wave marked for printing."));
}

void EnglishInterfaceTest::resultLabelsComeFromTheResultFieldTable() {
    ScriptedDialogs dialogs;
    MainWindow window;
    QVERIFY(window.openProjectPath(writeStandardProject(home->path() + "/project")));
    QWave* view = window.waveList()->waves().first();
    view->resize(1000, 300);
    view->replot();
    const QRectF canvas = view->canvas()->contentsRect();
    const QFontMetricsF metrics(QFont(QStringLiteral("Helvetica"), 10));
    for (int i = 0; i < static_cast<int>(kResultFields.size()); ++i) {
        const QString line = view->resultItem(i)->text();
        QVERIFY2(line.startsWith(QString::fromUtf8(kResultFields[i].englishLabel) + ": "),
                 qPrintable(line));
        // The longer English lines are not cut at the right edge.
        QVERIFY2(view->resultItem(i)->position(canvas).x() + metrics.horizontalAdvance(line) <=
                     canvas.right(),
                 qPrintable(line));
    }
    const qdatalist* list = window.waveList()->resultList();
    QCOMPARE(list->headerText(0), QString("Point"));
    QCOMPARE(list->headerText(1), QString("Deformation modulus (MPa)"));
    QCOMPARE(list->headerText(2), QString("Resilient modulus (MPa)"));
    // The columns grow so that no English header runs into the next one.
    const QFontMetrics listMetrics(QFont(QStringLiteral("Helvetica"), 12));
    int widest = 0;
    for (int column = 0; column < qdatalist::kColumnCount; ++column) {
        QVERIFY(!hasChinese(list->headerText(column)));
        widest = std::max(widest, listMetrics.horizontalAdvance(list->headerText(column)));
    }
    QVERIFY(list->sizeHint().width() > qdatalist::kColumnCount * widest);
}

void EnglishInterfaceTest::theWindowRendersOffscreen() {
    ScriptedDialogs dialogs;
    MainWindow window;
    QVERIFY(window.openProjectPath(writeStandardProject(home->path() + "/project")));
    window.resize(1280, 800);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QImage shot = window.grab().toImage();
    QVERIFY(!shot.isNull());
    QCOMPARE(shot.size(), window.size() * window.devicePixelRatioF());
}

void EnglishInterfaceTest::choosingALanguageIsRememberedForTheNextStart() {
    ScriptedDialogs dialogs;
    {
        MainWindow window;
        auto* englishChoice = window.findChild<QAction*>("englishInterface");
        auto* chineseChoice = window.findChild<QAction*>("chineseInterface");
        QVERIFY(englishChoice && chineseChoice);
        // Nothing remembered: the running language is the one checked.
        QVERIFY(englishChoice->isChecked());

        chineseChoice->trigger();
        QVERIFY(chineseChoice->isChecked());
        QVERIFY(!englishChoice->isChecked());
        QCOMPARE(dialogs.callsOf("notify").size(), 1);
        QCOMPARE(dialogs.calls.last().icon, NoticeIcon::Information);
        QCOMPARE(dialogs.calls.last().title, QString("Tarvel"));
        QVERIFY(dialogs.calls.last().text.contains("下次启动"));
        QVERIFY(dialogs.calls.last().text.contains("next start"));
    }
    QCOMPARE(openAppSettings()->value("interface/language").toString(), QString("zh"));
    QCOMPARE(rememberedLanguage(*openAppSettings()), InterfaceLanguage::Chinese);
    {
        MainWindow window;
        QVERIFY(window.findChild<QAction*>("chineseInterface")->isChecked());
        // Back to the running language: nothing changes at the next start.
        window.findChild<QAction*>("englishInterface")->trigger();
        QCOMPARE(dialogs.callsOf("notify").size(), 1);
    }
    QCOMPARE(startupLanguage(*openAppSettings(), QLocale(QLocale::Chinese, QLocale::China)),
             InterfaceLanguage::English);
}

void EnglishInterfaceTest::withoutAChoiceTheSystemLocaleDecides() {
    QSettings settings(home->filePath("test.conf"), QSettings::IniFormat);
    QCOMPARE(startupLanguage(settings, QLocale(QLocale::Chinese, QLocale::China)),
             InterfaceLanguage::Chinese);
    QCOMPARE(startupLanguage(settings, QLocale(QLocale::Chinese, QLocale::Taiwan)),
             InterfaceLanguage::Chinese);
    QCOMPARE(startupLanguage(settings, QLocale(QLocale::German, QLocale::Germany)),
             InterfaceLanguage::English);
    // A value nobody wrote through the menu is no choice.
    settings.setValue("interface/language", "fr");
    QVERIFY(!rememberedLanguage(settings));
    QCOMPARE(startupLanguage(settings, QLocale(QLocale::English, QLocale::UnitedStates)),
             InterfaceLanguage::English);
    rememberLanguage(settings, InterfaceLanguage::Chinese);
    QCOMPARE(startupLanguage(settings, QLocale(QLocale::English, QLocale::UnitedStates)),
             InterfaceLanguage::Chinese);
}

void EnglishInterfaceTest::aMissingEnglishTranslationLeavesTheInterfaceChinese() {
    // This test program has no translations beside it nor in ../share: a
    // half-English window would be worse than a Chinese one.
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression(QStringLiteral("no English translation in .*")));
    QCOMPARE(installTranslations(*QCoreApplication::instance(), InterfaceLanguage::English),
             InterfaceLanguage::Chinese);
}

QTEST_MAIN(EnglishInterfaceTest)
#include "english_interface_test.moc"
