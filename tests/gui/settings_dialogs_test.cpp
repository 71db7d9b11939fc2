// The project-information form, the sampling view and the options dialog,
// alone and as the main window's commands use them.
#include "app/main_window.h"
#include "data/gbk_text.h"
#include "data/project_file.h"
#include "scripted_dialogs.h"
#include "session/view_options_store.h"
#include "synthetic_fixture.h"
#include "views/device_set.h"
#include "views/project_set.h"
#include "views/view_options_dialog.h"
#include "views/wave.h"
#include "views/wave_list.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>
#include <cstring>

using namespace tarvel;

class SettingsDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void storedModelIsShownAndKept();
    void emptyOrUnreadableDatesStayEmpty();
    void untouchedFieldsKeepTheirBytes();
    void editedFieldsAreStoredAndFlagged();
    void boxesTakeWhatTheFieldHolds_data();
    void boxesTakeWhatTheFieldHolds();
    void enterConfirmsEscapeCancels();
    void unchangedFormLeavesTheProjectUnmodified();

    void triggerLevels_data();
    void triggerLevels();
    void samplingViewIsDisplayOnly();

    void confirmingAnEmptyHeightWarnsAndStays();
    void optionsAreReadAndGivenBack();
    void confirmedOptionsAreWrittenAndDrawnWithoutConditioning();
    void unwritableOptionsFolderIsSaid();

private:
    QTemporaryDir* dir = nullptr;
    ScriptedDialogs* dialogs = nullptr;
};

namespace {

ProjectInfo sampleInfo() {
    ProjectInfo info{};
    encodeGbk("路基工程", info.projectName);
    encodeGbk("20240315", info.reportDate);
    encodeGbk("RM2000", info.instrumentModel);
    return info;
}

} // namespace

void SettingsDialogsTest::init() {
    dir = new QTemporaryDir;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir->filePath("config")));
    dialogs = new ScriptedDialogs;
}

void SettingsDialogsTest::cleanup() {
    delete dialogs;
    delete dir;
}

void SettingsDialogsTest::storedModelIsShownAndKept() {
    ProjectInfo info = sampleInfo();
    encodeGbk("DB-200", info.instrumentModel); // a hyphen the box would not let anyone type
    ProjectSet form(info);
    QCOMPARE(form.box("instrumentModel")->text(), QStringLiteral("DB-200"));
    QVERIFY(!form.saveProjectInfo(info));
    QCOMPARE(decodeGbk(info.instrumentModel), std::string("DB-200"));

    // Only an empty model is proposed, and then stored as shown.
    ProjectInfo empty{};
    ProjectSet proposing(empty);
    QCOMPARE(proposing.box("instrumentModel")->text(), QStringLiteral("RMXXXX"));
    QVERIFY(proposing.saveProjectInfo(empty));
    QCOMPARE(decodeGbk(empty.instrumentModel), std::string("RMXXXX"));
}

void SettingsDialogsTest::emptyOrUnreadableDatesStayEmpty() {
    ProjectInfo info = sampleInfo();
    std::memcpy(info.commissionDate, "2024-3-1", 9); // not yyyyMMdd
    const ProjectInfo before = info;
    ProjectSet form(info);
    QCOMPARE(form.box("startDate")->text(), QString());
    QCOMPARE(form.box("commissionDate")->text(), QString());
    QCOMPARE(form.box("reportDate")->text(), QStringLiteral("20240315"));
    form.show();
    form.OKClicked();
    QCOMPARE(form.result(), int(QDialog::Accepted));
    form.saveProjectInfo(info);
    QVERIFY(std::memcmp(&info, &before, sizeof info) == 0);

    // An unfinished date is refused rather than stored.
    ProjectSet typing(info);
    typing.show();
    QTest::keyClicks(typing.box("startDate"), QStringLiteral("2024x03"));
    QCOMPARE(typing.box("startDate")->text(), QStringLiteral("202403"));
    typing.OKClicked();
    QVERIFY(typing.isVisible());
    QCOMPARE(dialogs->callsOf("notify").size(), 1);
    QCOMPARE(dialogs->callsOf("notify")[0].title, QStringLiteral("Tarvel"));
    QTest::keyClicks(typing.box("startDate"), QStringLiteral("15"));
    typing.OKClicked();
    QCOMPARE(typing.result(), int(QDialog::Accepted));
    QVERIFY(typing.saveProjectInfo(info));
    QCOMPARE(decodeGbk(info.startDate), std::string("20240315"));
}

void SettingsDialogsTest::untouchedFieldsKeepTheirBytes() {
    ProjectInfo info = sampleInfo();
    // 80 characters: more than the box lets anyone type, and bytes after the NUL.
    std::memset(info.client, 'A', 80);
    info.client[80] = 0;
    std::memcpy(info.client + 81, "tail", 4);
    encodeGbk("落球式回弹模量仪", info.permitNo); // not ASCII in an ASCII-only box
    const ProjectInfo before = info;
    ProjectSet form(info);
    QCOMPARE(form.box("client")->maxLength(), 49);
    QVERIFY(!form.saveProjectInfo(info));
    QVERIFY(std::memcmp(&info, &before, sizeof info) == 0);
}

void SettingsDialogsTest::editedFieldsAreStoredAndFlagged() {
    ProjectInfo info = sampleInfo();
    ProjectSet form(info);
    QTest::keyClicks(form.box("contactPhone"), QStringLiteral("0571-8888 1234"));
    QCOMPARE(form.box("contactPhone")->text(), QStringLiteral("057188881234"));
    form.box("tester")->setText(QStringLiteral("张三丰李四王五赵六钱"));
    QVERIFY(form.saveProjectInfo(info));
    QCOMPARE(decodeGbk(info.contactPhone), std::string("057188881234"));
    // Nine characters of two bytes each and the NUL fill the 20-byte field.
    QCOMPARE(decodeGbk(info.tester), std::string("张三丰李四王五赵六"));
    QCOMPARE(decodeGbk(info.projectName), std::string("路基工程"));
}

void SettingsDialogsTest::boxesTakeWhatTheFieldHolds_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("characters");
    const QList<QPair<const char*, int>> fields = {
        {"projectName", 49},     {"projectAddress", 49},  {"projectKind", 24},
        {"startDate", 8},        {"testingCompany", 49},  {"companyAddress", 49},
        {"qualificationNo", 19}, {"contactPerson", 9},    {"contactPhone", 19},
        {"postCode", 19},        {"instrumentModel", 19}, {"instrumentNo", 19},
        {"calibrationNo", 19},   {"tester", 9},           {"permitNo", 19},
        {"client", 49},          {"commissionDate", 8},   {"supervisor", 49},
        {"authority", 49},       {"designer", 49},        {"builder", 49},
        {"owner", 49},           {"contractor", 49},      {"surveyor", 49},
        {"reportNo", 19},        {"reportDate", 8},       {"testBasis", 9}};
    for (const auto& field : fields)
        QTest::newRow(field.first) << QString::fromLatin1(field.first) << field.second;
}

void SettingsDialogsTest::boxesTakeWhatTheFieldHolds() {
    QFETCH(QString, field);
    QFETCH(int, characters);
    ProjectInfo info{};
    ProjectSet form(info);
    QVERIFY(form.box(field));
    QCOMPARE(form.box(field)->maxLength(), characters);
}

void SettingsDialogsTest::enterConfirmsEscapeCancels() {
    ProjectInfo info = sampleInfo();
    ProjectSet confirmed(info);
    confirmed.show();
    QTest::keyClick(confirmed.box("projectName"), Qt::Key_Return);
    QCOMPARE(confirmed.result(), int(QDialog::Accepted));
    ProjectSet cancelled(info);
    cancelled.show();
    QTest::keyClick(cancelled.box("projectName"), Qt::Key_Escape);
    QCOMPARE(cancelled.result(), int(QDialog::Rejected));
    QCOMPARE(cancelled.windowTitle(), QStringLiteral("设置"));
    QCOMPARE(cancelled.size(), QSize(860, 550));
}

void SettingsDialogsTest::unchangedFormLeavesTheProjectUnmodified() {
    MainWindow window;
    QVERIFY(window.openProjectPath(writeStandardProject(dir->path())));
    dialogs->projectName = QString::fromStdString(decodeGbk(window.state().project.projectName));
    window.setProjInfo();
    QVERIFY(!window.state().projectModified);
    QVERIFY(!window.state().saveNeeded);
    dialogs->projectName = QStringLiteral("另一个工程");
    window.setProjInfo();
    QVERIFY(window.state().projectModified);
    QVERIFY(window.state().saveNeeded);
}

void SettingsDialogsTest::triggerLevels_data() {
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("shown");
    QTest::newRow("1339") << 1339 << QStringLiteral("低");
    QTest::newRow("1340") << 1340 << QStringLiteral("中");
    QTest::newRow("3289") << 3289 << QStringLiteral("中");
    QTest::newRow("3290") << 3290 << QStringLiteral("高");
}

void SettingsDialogsTest::triggerLevels() {
    QFETCH(int, level);
    QFETCH(QString, shown);
    NamePipeFile file;
    file.header.triggerLevel = level;
    QDeviceSet view(file);
    QCOMPARE(view.findChild<QComboBox*>("triggerLevel")->currentText(), shown);
}

void SettingsDialogsTest::samplingViewIsDisplayOnly() {
    NamePipeFile file;
    file.header.sampleCount = 3000;
    file.header.sampleInterval = 25.4f;
    file.header.channel = 2;
    encodeGbk("速度", file.header.sensorType);
    auto* view = new QDeviceSet(file);
    QCOMPARE(view->findChild<QComboBox*>("sampleCount")->currentText(), QStringLiteral("1024"));
    QCOMPARE(view->findChild<QLineEdit*>("sampleInterval")->text(), QStringLiteral("25"));
    QCOMPARE(view->findChild<QComboBox*>("channel")->currentText(), QStringLiteral("通道2"));
    QCOMPARE(view->findChild<QComboBox*>("sensorType")->currentText(), QStringLiteral("速度"));
    for (QWidget* control : view->findChildren<QComboBox*>())
        QVERIFY(!control->isEnabled());
    QPointer<QDeviceSet> guard(view);
    view->show();
    view->OkClick();
    QTRY_VERIFY(guard.isNull()); // deleted once closed

    MainWindow window;
    QVERIFY(window.openProjectPath(writeStandardProject(dir->path())));
    window.findChild<QAction*>("getDataParamter")->trigger();
    QCOMPARE(dialogs->callsOf("sampling").size(), 1);
    QCOMPARE(dialogs->callsOf("sampling")[0].text,
             QString::fromStdString(window.state().current()->fileName));
}

void SettingsDialogsTest::confirmingAnEmptyHeightWarnsAndStays() {
    QParamter dialog(defaultViewOptions());
    dialog.show();
    dialog.heightBox()->clear();
    dialog.OKClicked();
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialogs->callsOf("notify").size(), 1);
    QCOMPARE(dialogs->callsOf("notify")[0].text,
             QStringLiteral("波显示高度请输入50-500之间的数！"));
    QCOMPARE(dialogs->callsOf("notify")[0].title, QStringLiteral("Tarvel"));
    QTest::keyClicks(dialog.heightBox(), QStringLiteral("4"));
    dialog.OKClicked();
    QVERIFY(dialog.isVisible());
}

void SettingsDialogsTest::optionsAreReadAndGivenBack() {
    ViewOptions stored{};
    stored.noNormalise = 7; // written by an older program
    stored.hideGrid = 1;
    QParamter dialog(stored);
    QCOMPARE(dialog.heightBox()->text(), QStringLiteral("120"));
    QVERIFY(!dialog.gridBox()->isChecked());
    dialog.gridBox()->setChecked(true);
    dialog.ordinateBox()->setChecked(true);
    dialog.OKClicked();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.options().waveHeight, 120);
    QCOMPARE(dialog.options().hideGrid, 0);
    QCOMPARE(dialog.options().showOrdinate, 1);
    QCOMPARE(dialog.options().noNormalise, 1);
}

void SettingsDialogsTest::confirmedOptionsAreWrittenAndDrawnWithoutConditioning() {
    MainWindow window;
    QVERIFY(window.openProjectPath(writeStandardProject(dir->path())));
    window.state().options.waveHeight = 20; // out of range: proposed as 120
    ViewOptions confirmed = window.state().options;
    confirmed.waveHeight = 200;
    confirmed.hideGrid = 1;
    dialogs->viewOptionsAnswers.enqueue(confirmed);
    QSignalSpy conditioned(&window.session(), &ProjectSession::conditioned);
    window.findChild<QAction*>("setParamter")->trigger();
    QCOMPARE(dialogs->viewOptionsShown.value(0).waveHeight, 120);
    QCOMPARE(conditioned.count(), 0);
    QCOMPARE(window.state().options.waveHeight, 200);
    QCOMPARE(window.waveList()->waves().value(0)->height(), 200);

    QVERIFY(viewOptionsPath().startsWith(dir->filePath("config")));
    QFile file(viewOptionsPath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(bytes.size(), 40);
    QCOMPARE(bytes.mid(4, 4), QByteArray("\xc8\0\0\0", 4));
    QCOMPARE(bytes.mid(20, 4), QByteArray("\1\0\0\0", 4));
    QVERIFY(dialogs->callsOf("notify").isEmpty());

    // Cancelled: the proposed height stays in memory, the file as it was.
    window.state().options.waveHeight = 0;
    window.setParamter();
    QCOMPARE(window.state().options.waveHeight, 120);
    QFile again(viewOptionsPath());
    QVERIFY(again.open(QIODevice::ReadOnly));
    QCOMPARE(again.readAll(), bytes);
}

void SettingsDialogsTest::unwritableOptionsFolderIsSaid() {
    // The configuration folder cannot be made: a file has its name.
    QFile blocker(dir->filePath("config"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    MainWindow window;
    QVERIFY(window.openProjectPath(writeStandardProject(dir->path() + "/project")));
    dialogs->viewOptionsAnswers.enqueue(window.state().options);
    window.setParamter();
    const QList<DialogCall> notices = dialogs->callsOf("notify");
    QCOMPARE(notices.size(), 1);
    QCOMPARE(notices[0].title, QStringLiteral("Tarvel"));
    QCOMPARE(notices[0].icon, NoticeIcon::Warning);
    QVERIFY(notices[0].text.contains(viewOptionsPath()));
}

QTEST_MAIN(SettingsDialogsTest)
#include "settings_dialogs_test.moc"
