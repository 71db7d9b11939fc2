// The two editing panels and the edit history as a user reaches them: what a
// commit stores, what it refuses, and that undo and redo put every byte back.
#include "analysis/results.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "data/area_file.h"
#include "scripted_dialogs.h"
#include "synthetic_fixture.h"
#include "views/edit_widgets.h"
#include "views/pipe_info_panel.h"
#include "views/result_list.h"
#include "views/wave_list.h"
#include "views/wave_parameter_panel.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSlider>
#include <QSpinBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>

using namespace tarvel;

class EditPanelsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void panelsFitTheirDocks();
    void captionsReadAsMeant();
    void aCommitStoresOnlyTheFieldTyped();
    void refusedTextRevertsAndSaysWhy();
    void implausibleValuesAreStoredOnlyOnceConfirmed();
    void enterCommitsAndEscapeRestores();
    void tabbingThroughChangesNothing();
    void areaScopeWritesOnlyTheFilterFields();
    void filterTypesAboveFourShowAsBandPass();
    void everyEditUndoesToTheLoadedBytes();
    void menuAndKeysFollowTheHistory();
    void markingOnePointByHandKeepsItsMarksAndResults();
    void undoAndRedoKeysReachTheHistoryFromAnAppliedBox();

private:
    NamePipeFile& file() { return *window->session().currentFile(); }
    QPipeInfo* info() { return window->pipeInfo(); }
    // Types `text` into a box and leaves it with Enter.
    void type(QCustomEdit* edit, const QString& text) {
        edit->setFocus();
        edit->clear();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    QTemporaryDir* dir = nullptr;
    ScriptedDialogs* dialogs = nullptr;
    MainWindow* window = nullptr;
};

void EditPanelsTest::init() {
    dir = new QTemporaryDir;
    dialogs = new ScriptedDialogs;
    window = new MainWindow;
    QVERIFY(window->openProjectPath(
        writeFixtureProject(dir->path(), {{QStringLiteral("测区1"), 2, 3}})));
    window->show();
    QApplication::setActiveWindow(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
}

void EditPanelsTest::cleanup() {
    delete window;
    delete dialogs;
    delete dir;
}

void EditPanelsTest::panelsFitTheirDocks() {
    // At the program's 14-point font both panels go into a narrow dock
    // beside the waves: their fields stack in one column there.
    setApplicationFont();
    QPipeInfo info(window->session(), *dialogs);
    QWaveParameter parameters(window->session(), *dialogs);
    QVERIFY2(info.minimumSizeHint().width() <= 400,
             qPrintable(QString::number(info.minimumSizeHint().width())));
    QVERIFY2(parameters.minimumSizeHint().width() <= 400,
             qPrintable(QString::number(parameters.minimumSizeHint().width())));
    // Given room, the groups of fields stand side by side and need less height.
    QVERIFY(info.heightForWidth(1800) < info.heightForWidth(info.minimumSizeHint().width()) / 2);
}

void EditPanelsTest::captionsReadAsMeant() {
    QStringList captions;
    for (QWidget* panel :
         {static_cast<QWidget*>(info()), static_cast<QWidget*>(window->waveParameter())})
        for (const QLabel* label : panel->findChildren<QLabel*>())
            captions << label->text();
    window->findChild<QAction*>("PinPuView")->trigger();
    for (int column = 0; column < qdatalist::kColumnCount; ++column)
        captions << window->waveList()->resultList()->headerText(column).trimmed();
    QVERIFY(captions.contains("落球质量(kg)"));
    QVERIFY(captions.contains("滤波方式"));
    QVERIFY(captions.contains("变形模量(MPa)"));
    for (const QString& caption : captions) {
        QCOMPARE(caption.count('('), caption.count(')'));
        QVERIFY2(!caption.contains("Mpa"), qPrintable(caption));
    }
}

void EditPanelsTest::aCommitStoresOnlyTheFieldTyped() {
    file().header.naturalDensity = 2.15f; // shown as "2.1" or "2.2"
    window->session().setCurrentFile(0);
    const PipHeader before = file().header;
    type(info()->fieldEdit("dropHeight"), "0.60");
    QCOMPARE(file().header.dropHeight, 0.6f);
    QCOMPARE(file().header.naturalDensity, 2.15f);
    PipHeader expected = before;
    expected.dropHeight = 0.6f;
    QCOMPARE(std::memcmp(&expected, &file().header, sizeof expected), 0);
    QVERIFY(file().modified);
    QCOMPARE(window->history().undoStack().size(), std::size_t(1));
    // The moduli follow the new height.
    QCOMPARE(info()->deformationText(),
             QString::fromStdString(formatFixed(computeAreaMeans(file()).deformationModulus, 2)));
}

void EditPanelsTest::refusedTextRevertsAndSaysWhy() {
    const float height = file().header.dropHeight;
    for (const QString& typo : {QStringLiteral("1,5"), QStringLiteral(""), QStringLiteral("0.05"),
                                QStringLiteral("0.555")}) {
        type(info()->fieldEdit("dropHeight"), typo);
        QCOMPARE(file().header.dropHeight, height);
        QCOMPARE(info()->fieldEdit("dropHeight")->text(),
                 QStringLiteral("%1").arg(height, 0, 'f', 2));
        const QString message = window->statusBar()->currentMessage();
        QVERIFY2(message.contains("落球下落高度"), qPrintable(typo));
        // Said in the interface's language: no English word in it.
        QVERIFY2(!message.contains(QRegularExpression("[A-Za-z]{3}")), qPrintable(message));
    }
    QCOMPARE(window->statusBar()->currentMessage(),
             QStringLiteral("落球下落高度(m) “0.555”：小数多于 2 位"));
    QVERIFY(window->history().undoStack().empty());
    QVERIFY(!file().modified);
}

void EditPanelsTest::implausibleValuesAreStoredOnlyOnceConfirmed() {
    QCustomEdit* radius = info()->fieldEdit("ballRadius");
    const float stored = file().header.ballRadius;
    dialogs->yesNoAnswers.enqueue(false);
    type(radius, "99999");
    QCOMPARE(file().header.ballRadius, stored);
    QCOMPARE(radius->text(), QStringLiteral("%1").arg(stored, 0, 'f', 2));
    QVERIFY(window->history().undoStack().empty());
    QCOMPARE(dialogs->callsOf("yesNo").size(), 1);
    const QString question = dialogs->callsOf("yesNo").first().text;
    QVERIFY2(question.contains("落球半径(m) = 99999") && question.contains("0.03 至 0.5"),
             qPrintable(question));

    dialogs->yesNoAnswers.enqueue(true);
    type(radius, "99999");
    QCOMPARE(file().header.ballRadius, 99999.0f);
    QCOMPARE(window->history().undoStack().size(), std::size_t(1));
    // A usual value is stored without a question.
    type(radius, "0.12");
    QCOMPARE(file().header.ballRadius, 0.12f);
    QCOMPARE(dialogs->callsOf("yesNo").size(), 2);
    QVERIFY(dialogs->unexpected.isEmpty());
}

void EditPanelsTest::enterCommitsAndEscapeRestores() {
    QCustomEdit* edit = info()->fieldEdit("ballMass");
    const QString stored = edit->text();
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, "99");
    QTest::keyClick(edit, Qt::Key_Escape);
    QCOMPARE(edit->text(), stored);
    QVERIFY(window->history().undoStack().empty());
    type(edit, "21.00");
    QCOMPARE(file().header.ballMass, 21.0f);
}

void EditPanelsTest::tabbingThroughChangesNothing() {
    const std::vector<unsigned char> bytes = serializeAreaFile(file());
    QCustomEdit* first = info()->fieldEdit("pointSpacing");
    first->setFocus();
    QCOMPARE(QApplication::focusWidget(), first);
    for (int i = 0; i < 30; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(serializeAreaFile(file()), bytes);
    QVERIFY(window->history().undoStack().empty());
    QVERIFY(!file().modified);
}

void EditPanelsTest::areaScopeWritesOnlyTheFilterFields() {
    for (MeasurePoint& point : file().points) {
        point.header.params.reserved0[0] = 0x5a; // instrument bytes the panel never writes
        point.header.params.reserved1[3] = 0xa5;
    }
    QWaveParameter* panel = window->waveParameter();
    panel->areaScope()->setChecked(true);
    const std::vector<unsigned char> loaded = serializeAreaFile(file());
    panel->filterCombo()->setCurrentIndex(3);
    for (const MeasurePoint& point : file().points) {
        QCOMPARE(point.header.params.filterType, 4);
        QCOMPARE(point.header.params.reserved0[0], uint8_t(0x5a));
        QCOMPARE(point.header.params.reserved1[3], uint8_t(0xa5));
    }
    QCOMPARE(window->history().undoStack().size(), std::size_t(1));
    window->findChild<QAction*>("CancelDo")->trigger();
    QCOMPARE(serializeAreaFile(file()), loaded);
}

void EditPanelsTest::filterTypesAboveFourShowAsBandPass() {
    file().points[0].header.params.filterType = 7;
    file().currentPoint = 2;
    window->session().setCurrentPoint(0);
    QCOMPARE(window->waveParameter()->filterCombo()->currentText(), QString("带通"));
    QVERIFY(window->history().undoStack().empty());
}

void EditPanelsTest::everyEditUndoesToTheLoadedBytes() {
    const std::vector<unsigned char> loaded = serializeAreaFile(file());
    ProjectSession& session = window->session();
    QWaveParameter* panel = window->waveParameter();
    panel->areaScope()->setChecked(true);
    panel->manualMarking()->click();
    session.applyEdit(SetStartMark{1, file().points[1].startMarkMs + 0.1});
    session.applyEdit(SetPrintMark{2, true});
    type(info()->fieldEdit("accelCorrection"), "0.5");
    dialogs->mergeAnswers.enqueue({0, 1});
    window->findChild<QAction*>("WaveMerge")->trigger();
    session.setCurrentPoint(4);
    window->findChild<QAction*>("WaveDelete")->trigger();
    const std::vector<unsigned char> edited = serializeAreaFile(file());
    const std::size_t edits = window->history().undoStack().size();
    QCOMPARE(edits, std::size_t(6));

    for (std::size_t i = 0; i < edits; ++i)
        window->CancelDo();
    QVERIFY(!window->findChild<QAction*>("CancelDo")->isEnabled());
    // The merged wave stays in memory, deleted: the file on disk drops it.
    std::vector<unsigned char> restored = serializeAreaFile(file());
    restored.resize(loaded.size());
    std::memcpy(restored.data() + offsetof(PipHeader, pointCount),
                loaded.data() + offsetof(PipHeader, pointCount), sizeof(int32_t));
    QCOMPARE(restored, loaded);
    QVERIFY(file().points.back().isDeleted());

    for (std::size_t i = 0; i < edits; ++i)
        window->ReDo();
    QCOMPARE(serializeAreaFile(file()), edited);
}

void EditPanelsTest::menuAndKeysFollowTheHistory() {
    QAction* undo = window->findChild<QAction*>("CancelDo");
    QAction* redo = window->findChild<QAction*>("ReDo");
    QVERIFY(!undo->isEnabled());
    window->session().applyEdit(SetPrintMark{1, true});
    QVERIFY(undo->isEnabled());
    QTest::keyClick(window, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(file().points[1].header.printMark, 0);
    QVERIFY(redo->isEnabled());
    QTest::keyClick(window, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(file().points[1].header.printMark, 2);
    // Switching files empties the history.
    window->session().setCurrentFile(0);
    QVERIFY(!undo->isEnabled());
    QVERIFY(!redo->isEnabled());
}

void EditPanelsTest::markingOnePointByHandKeepsItsMarksAndResults() {
    ProjectSession& session = window->session();
    // A flat top, as a quantised peak often has: two equal largest samples.
    MeasurePoint& second = file().points[1];
    const std::size_t top = static_cast<std::size_t>(
        std::lround(second.peakTime * 1000 / file().header.sampleInterval));
    SampleBuffer<uint16_t> raw = second.raw;
    raw[top + 1] = raw[top];
    second.raw = std::move(raw);
    session.reprocess();
    QVERIFY(std::abs(second.accel[top + 1] - second.accel[top]) == 0);

    session.setCurrentPoint(1);
    QWaveParameter* panel = window->waveParameter();
    QVERIFY(panel->pointScope()->isChecked());
    QVERIFY(panel->automaticMarking()->isChecked());
    const float start = second.header.startMark;
    const float end = second.header.endMark;
    const double peak = second.peakTime;
    const double modulus = second.results.deformationModulus;

    QTest::mouseClick(panel->manualMarking(), Qt::LeftButton);
    // The scope stays where the user put it, and the button says what the
    // point now is.
    QVERIFY(panel->pointScope()->isChecked());
    QVERIFY(!panel->areaScope()->isChecked());
    QVERIFY(panel->manualMarking()->isChecked());
    QVERIFY(!panel->automaticMarking()->isChecked());
    for (const MeasurePoint& point : file().points)
        QCOMPARE(point.header.params.autoMark, &point == &second ? 0 : 1);
    QCOMPARE(second.header.startMark, start);
    QCOMPARE(second.header.endMark, end);
    QCOMPARE(second.peakTime, peak);
    QCOMPARE(second.results.deformationModulus, modulus);
    QVERIFY(second.results.flags.has(QualityFlag::Manual));
    QVERIFY(!file().points[0].results.flags.has(QualityFlag::Manual));

    // Another point shows its own mode; back on this one, its own again.
    session.setCurrentPoint(0);
    QVERIFY(panel->automaticMarking()->isChecked());
    session.setCurrentPoint(1);
    QVERIFY(panel->manualMarking()->isChecked());
    file().points[2].header.params.autoMark = 2; // any value but 1 marks by hand
    session.setCurrentPoint(2);
    QVERIFY(panel->manualMarking()->isChecked());
    file().points[2].header.params.autoMark = 1;
    session.setCurrentPoint(1);

    // The whole area by hand, then one point back to automatic.
    QTest::mouseClick(panel->areaScope(), Qt::LeftButton);
    QVERIFY(panel->manualMarking()->isChecked());
    QTest::mouseClick(panel->automaticMarking(), Qt::LeftButton);
    QVERIFY(panel->areaScope()->isChecked());
    for (const MeasurePoint& point : file().points)
        QCOMPARE(point.header.params.autoMark, 1);
}

void EditPanelsTest::undoAndRedoKeysReachTheHistoryFromAnAppliedBox() {
    QCustomEdit* height = info()->fieldEdit("dropHeight");
    const float stored = file().header.dropHeight;
    type(height, "0.60");
    QCOMPARE(QApplication::focusWidget(), height);
    QTest::keyClick(height, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(file().header.dropHeight, stored);
    QCOMPARE(height->text(), QStringLiteral("%1").arg(stored, 0, 'f', 2));
    QTest::keyClick(height, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(file().header.dropHeight, 0.6f);
    QTest::keyClick(height, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(file().header.dropHeight, stored);
    QTest::keyClick(height, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(file().header.dropHeight, 0.6f);
    QTest::keyClick(height, Qt::Key_Z, Qt::ControlModifier);

    // Text typed and not applied is the box's own to take back.
    QTest::keyClicks(height, "9");
    QTest::keyClick(height, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(height->text(), QStringLiteral("%1").arg(stored, 0, 'f', 2));
    QCOMPARE(window->history().redoStack().size(), std::size_t(1));
    QCOMPARE(file().header.dropHeight, stored);

    // A cut-off box applied with Enter, then undone from it.
    QWaveParameter* panel = window->waveParameter();
    panel->areaScope()->setChecked(true);
    panel->filterCombo()->setCurrentIndex(3);
    QSpinBox* low = panel->lowCutSpin();
    const int32_t before = file().points[0].header.params.filterF1;
    low->setFocus();
    low->selectAll();
    QTest::keyClicks(low, "250");
    QTest::keyClick(low, Qt::Key_Return);
    QCOMPARE(file().points[0].header.params.filterF1, 250);
    QTest::keyClick(low, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(file().points[0].header.params.filterF1, before);
    QCOMPARE(file().points[0].header.params.filterType, 4);
}

QTEST_MAIN(EditPanelsTest)
#include "edit_panels_test.moc"
