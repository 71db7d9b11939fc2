// The project-information form, the sampling view and the options dialog,
// alone and as the main window's commands use them.
#include "app/main_window.h"
#include "data/gbk_text.h"
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

    void untouchedFieldsKeepTheirBytes();
    void emptyOrUnreadableDatesStayEmpty();
    void editedFieldsAreStored();
    void boxesTakeWhatTheFieldHolds_data();
    void boxesTakeWhatTheFieldHolds();
    void unchangedFormLeavesTheProjectUnmodified();

    void triggerLevels_data();
    void triggerLevels();
    void samplingViewIsDisplayOnly();

    void heightOutOfRangeWarnsAndStays();
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
    encodeGbk("DB-200", info.instrumentModel); // a hyphen the box would refuse
    return info;
}

bool same(const ProjectInfo& a, const ProjectInfo& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
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

void SettingsDialogsTest::untouchedFieldsKeepTheirBytes() {
    ProjectInfo info = sampleInfo();
    // 80 characters, more than the box lets anyone type, and bytes after the NUL.
    std::memset(info.client, 'A', 80);
    std::memcpy(info.client + 81, "tail", 4);
    encodeGbk("落球式", info.permitNo); // not ASCII in an ASCII-only box
    const ProjectInfo before = info;
    ProjectSet form(info);
    QCOMPARE(form.box("instrumentModel")->text(), QStringLiteral("DB-200"));
    QVERIFY(!form.saveProjectInfo(info));
    QVERIFY(same(info, before));

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
    QVERIFY(same(info, before));

    // An unfinished date is refused rather than stored.
    ProjectSet typing(info);
    typing.show();
    QTest::keyClicks(typing.box("startDate"), QStringLiteral("2024x03"));
    typing.OKClicked();
    QVERIFY(typing.isVisible());
    QCOMPARE(dialogs->callsOf("notify").value(0).title, QStringLiteral("Tarvel"));
    QTest::keyClicks(typing.box("startDate"), QStringLiteral("15"));
    typing.OKClicked();
    QCOMPARE(typing.result(), int(QDialog::Accepted));
    QVERIFY(typing.saveProjectInfo(info));
    QCOMPARE(decodeGbk(info.startDate), std::string("20240315"));
}

void SettingsDialogsTest::editedFieldsAreStored() {
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
        QTest::newRow(field.first) << field.second;
}

void SettingsDialogsTest::boxesTakeWhatTheFieldHolds() {
    QFETCH(int, characters);
    ProjectSet form(ProjectInfo{});
    QLineEdit* box = form.box(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(box);
    QCOMPARE(box->maxLength(), characters);
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
    file.header.sampleCount = 3000; // no such item: the first stays
    file.header.channel = 2;
    auto* view = new QDeviceSet(file);
    QCOMPARE(view->findChild<QComboBox*>("sampleCount")->currentText(), QStringLiteral("1024"));
    QCOMPARE(view->findChild<QComboBox*>("channel")->currentText(), QStringLiteral("通道2"));
    for (QWidget* control : view->findChildren<QComboBox*>())
        QVERIFY(!control->isEnabled());
    QPointer<QDeviceSet> guard(view);
    view->show();
    view->OkClick();
    QTRY_VERIFY(guard.isNull()); // deleted once closed

    MainWindow window;
    QVERIFY(window.openProjectPath(writeStandardProject(dir->path())));
    window.findChild<QAction*>("getDataParamter")->trigger();
    QCOMPARE(dialogs->callsOf("sampling").value(0).text,
             QString::fromStdString(window.state().current()->fileName));
}

void SettingsDialogsTest::heightOutOfRangeWarnsAndStays() {
    ViewOptions stored{};
    stored.noNormalise = 7; // as an older program may have written it
    QParamter dialog(stored);
    QCOMPARE(dialog.heightBox()->text(), QStringLiteral("120"));
    dialog.show();
    for (const QString& height : {QString(), QStringLiteral("4")}) {
        dialog.heightBox()->setText(height);
        dialog.OKClicked();
        QVERIFY(dialog.isVisible());
    }
    QCOMPARE(dialogs->callsOf("notify").size(), 2);
    QCOMPARE(dialogs->callsOf("notify")[0].text,
             QStringLiteral("波显示高度请输入50-500之间的数！"));
    QCOMPARE(dialogs->callsOf("notify")[0].title, QStringLiteral("Tarvel"));
    dialog.heightBox()->setText(QStringLiteral("80"));
    dialog.gridBox()->setChecked(false);
    dialog.OKClicked();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.options().waveHeight, 80);
    QCOMPARE(dialog.options().hideGrid, 1);
    QCOMPARE(dialog.options().noNormalise, 1);
}

void SettingsDialogsTest::confirmedOptionsAreWrittenAndDrawnWithoutConditioning() {
    MainWindow window;
    QVERIFY(window.openProjectPath(writeStandardProject(dir->path())));
    {
        tarvel::ViewOptions options = window.state().options;
        options.waveHeight = 20; // out of range: proposed as 120
        window.session().setOptions(options);
    }
    ViewOptions confirmed = window.state().options;
    confirmed.waveHeight = 200;
    dialogs->viewOptionsAnswers.enqueue(confirmed);
    QSignalSpy conditioned(&window.session(), &ProjectSession::conditioned);
    window.findChild<QAction*>("setParamter")->trigger();
    QCOMPARE(dialogs->viewOptionsShown.value(0).waveHeight, 120);
    QCOMPARE(conditioned.count(), 0);
    QCOMPARE(window.waveList()->waves().value(0)->maximumHeight(), 200);

    QVERIFY(viewOptionsPath().startsWith(dir->filePath("config")));
    QFile file(viewOptionsPath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(bytes.size(), 40);
    QCOMPARE(bytes.mid(4, 4), QByteArray("\xc8\0\0\0", 4));

    // Cancelled: the proposed height stays in memory, the file as it was.
    {
        tarvel::ViewOptions options = window.state().options;
        options.waveHeight = 0;
        window.session().setOptions(options);
    }
    window.setParamter();
    QCOMPARE(window.state().options.waveHeight, 120);
    QVERIFY(file.seek(0));
    QCOMPARE(file.readAll(), bytes);
}

void SettingsDialogsTest::unwritableOptionsFolderIsSaid() {
    QFile blocker(dir->filePath("config")); // a file where the folder goes
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
