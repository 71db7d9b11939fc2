// Wave commands of the main window, the view modes of the wave list, and the
// services the wave views ask of the window.
#include "main_window.h"

#include "views/wave.h"
#include "views/wave_list.h"

#include <QAction>
#include <QCheckBox>
#include <QSignalBlocker>

using namespace tarvel;

namespace {

// The view of the selected wave of the current file, if any.
QWave* selectedView(const AppState& state) {
    const NamePipeFile* file = state.files.empty() || state.currentFile < 0
                                   ? nullptr
                                   : state.files[static_cast<std::size_t>(state.currentFile)].get();
    if (state.mode == kNothingOpen || !file)
        return nullptr;
    return QWaveList::instance()->viewOfPoint(file->currentPoint - 1);
}

} // namespace

void MainWindow::pushEdit(const EditRecord& record) {
    history_.push(record);
    updateActions();
}

void MainWindow::markCurrentFileModified() {
    state_.saveNeeded = true;
    updateActions();
}

bool MainWindow::alignedView() const {
    return startMarkAct_->isChecked();
}

void MainWindow::AlignHead() {
    {
        const QSignalBlocker blocker(startMarkBox_);
        startMarkBox_->setChecked(startMarkAct_->isChecked());
    }
    if (QWave* view = selectedView(state_))
        view->doHead();
}

void MainWindow::AlignHeadEx() {
    startMarkAct_->setChecked(startMarkBox_->checkState() == Qt::Checked);
    if (QWave* view = selectedView(state_))
        view->doHead();
}

void MainWindow::AutoHead() {
    if (QWave* view = selectedView(state_))
        view->autoHead();
}

void MainWindow::WaveDelete() {
    waveList_->deleteCurrentWave();
}

void MainWindow::PinPuView() {
    const bool on = analysisListAct_->isChecked();
    {
        const QSignalBlocker blocker(analysisListBox_);
        analysisListBox_->setChecked(on);
    }
    waveList_->showMode(on ? QWaveList::ResultListMode : QWaveList::WaveMode);
    contourMapAct_->setEnabled(!on);
    waveList_->reprocess();
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
        contourMapBox_->setChecked(on);
    }
    waveList_->showMode(on ? QWaveList::MapMode : QWaveList::WaveMode);
    analysisListAct_->setEnabled(!on);
    waveList_->reprocess();
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
