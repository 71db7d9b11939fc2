// Wave commands of the main window, the view modes of the wave list, and the
// services the wave views ask of the window.
#include "main_window.h"

#include "views/user_dialogs.h"
#include "views/wave.h"
#include "views/wave_list.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QSignalBlocker>
#include <QStatusBar>

using namespace tarvel;

namespace {

// The view of the selected wave of the current file, if any.
QWave* selectedView(const ProjectSession& session, const QWaveList& list) {
    if (session.state().mode == kNothingOpen)
        return nullptr;
    return list.viewOfPoint(session.currentPointIndex());
}

} // namespace

void MainWindow::AlignHead() {
    {
        const QSignalBlocker blocker(startMarkBox_);
        startMarkBox_->setChecked(startMarkAct_->isChecked());
    }
    session_.setAlignedView(startMarkAct_->isChecked());
    if (QWave* view = selectedView(session_, *waveList_))
        view->doHead();
}

void MainWindow::AlignHeadEx() {
    startMarkAct_->setChecked(startMarkBox_->checkState() == Qt::Checked);
    session_.setAlignedView(startMarkAct_->isChecked());
    if (QWave* view = selectedView(session_, *waveList_))
        view->doHead();
}

void MainWindow::AutoHead() {
    if (QWave* view = selectedView(session_, *waveList_))
        view->autoHead();
}

void MainWindow::CancelDo() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    session_.undo();
    QApplication::restoreOverrideCursor();
}

void MainWindow::ReDo() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    session_.redo();
    QApplication::restoreOverrideCursor();
}

void MainWindow::WaveMerge() {
    const NamePipeFile* file = session_.currentFile();
    if (state_.mode == kNothingOpen || !file)
        return;
    QList<int> points;
    if (!dialogs_.choosePointsToMerge(nullptr, *file, points))
        return;
    const QString refusal =
        session_.applyEdit(MergePoints{std::vector<int>(points.begin(), points.end())});
    if (!refusal.isEmpty())
        statusBar()->showMessage(refusal);
}

void MainWindow::WaveDelete() {
    waveList_->deleteCurrentWave();
}

void MainWindow::PinPuView() {
    const bool on = analysisListAct_->isChecked();
    {
        const QSignalBlocker blocker(analysisListBox_);
        const QSignalBlocker mapBlocker(contourMapBox_);
        analysisListBox_->setChecked(on);
        // The list takes the map's place: either is one click away.
        if (on) {
            contourMapAct_->setChecked(false);
            contourMapBox_->setChecked(false);
        }
    }
    // The list and the waves read the results as they stand: switching
    // between them only draws.
    waveList_->showMode(on ? QWaveList::ResultListMode : QWaveList::WaveMode);
    contourMapBox_->hide();
}

void MainWindow::PinPuViewEx() {
    analysisListAct_->setChecked(analysisListBox_->checkState() == Qt::Checked);
    PinPuView();
}

void MainWindow::DengZhiView() {
    const bool on = contourMapAct_->isChecked();
    {
        const QSignalBlocker blocker(contourMapBox_);
        const QSignalBlocker listBlocker(analysisListBox_);
        contourMapBox_->setChecked(on);
        if (on) {
            analysisListAct_->setChecked(false);
            analysisListBox_->setChecked(false);
        }
    }
    // Switching views only redraws: the map follows the session's results.
    waveList_->showMode(on ? QWaveList::MapMode : QWaveList::WaveMode);
}

void MainWindow::DengZhiViewEx() {
    contourMapAct_->setChecked(contourMapBox_->checkState() == Qt::Checked);
    DengZhiView();
}

void MainWindow::uncheckViewModes() {
    const bool wasOn = analysisListAct_->isChecked() || contourMapAct_->isChecked();
    {
        const QSignalBlocker listBlocker(analysisListBox_);
        const QSignalBlocker mapBlocker(contourMapBox_);
        analysisListAct_->setChecked(false);
        contourMapAct_->setChecked(false);
        analysisListBox_->setChecked(false);
        contourMapBox_->setChecked(false);
    }
    contourMapBox_->hide();
    if (wasOn)
        waveList_->showMode(QWaveList::WaveMode);
}
