#include "wave_list.h"

#include "analysis/conditioning.h"
#include "app_context.h"
#include "data/app_state.h"
#include "edit_record.h"
#include "wave.h"
#include "wave_host.h"

#include <QPointer>
#include <QVBoxLayout>

using namespace tarvel;

namespace {

constexpr int kDefaultWaveHeight = 120;
constexpr int kMinimumWidth = 800;
constexpr int kLayoutWidth = 1024;
constexpr int kListRowHeight = 20;
constexpr int kMapHeight = 1000;

QPointer<QWaveList> theList;

int waveHeight() {
    const int height = appState() ? appState()->options.waveHeight : 0;
    return height < 50 || height > 500 ? kDefaultWaveHeight : height;
}

} // namespace

QWaveList* QWaveList::instance() {
    if (!theList)
        theList = new QWaveList;
    return theList;
}

QWaveList::QWaveList(QWidget* parent) : QScrollArea(parent) {
    setWindowTitle(QStringLiteral("波形处理"));
    setWidgetResizable(true);
    container_ = new QWidget;
    layout_ = new QVBoxLayout(container_);
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(0);
    setWidget(container_);
}

void QWaveList::paintEvent(QPaintEvent*) {}

int QWaveList::shownCount() const {
    const NamePipeFile* file = appState() ? appState()->current() : nullptr;
    return file ? file->pointCount() - file->deletedCount : 0;
}

QWave* QWaveList::addView(int pointIndex) {
    auto* view = new QWave;
    view->bindPoint(pointIndex);
    // The views come first, before the result list and the map host.
    layout_->insertWidget(waves_.size(), view);
    waves_.append(view);
    return view;
}

void QWaveList::setFile(AreaFileList& files, int index) {
    clearWaves();
    if (files.empty() || index < 0 || index >= static_cast<int>(files.size()))
        return;
    applyWaveSizes();
    if (parentWidget())
        show(); // a deletion of the last wave may have hidden the list
    NamePipeFile& file = *files[static_cast<std::size_t>(index)];
    for (int i = 0; i < file.pointCount(); ++i) {
        if (file.points[static_cast<std::size_t>(i)].header.deleted <= 0)
            addView(i);
    }
    if (!resultList_) {
        resultList_ = new QWidget;
        resultList_->setObjectName(QStringLiteral("resultList"));
    }
    layout_->addWidget(resultList_);
    resultList_->hide();
    if (!mapHost_) {
        mapHost_ = new QWidget;
        mapHost_->setObjectName(QStringLiteral("mapHost"));
    }
    layout_->addWidget(mapHost_);
    mapHost_->hide();
    redrawAll();
}

void QWaveList::clearWaves() {
    while (layout_->count() > 0)
        delete layout_->takeAt(0);
    while (!waves_.isEmpty())
        delete waves_.takeFirst();
    if (resultList_)
        resultList_->hide();
    if (mapHost_)
        mapHost_->hide();
}

void QWaveList::applyWaveSizes() {
    if (!appState() || appState()->currentFile < 0)
        return;
    const int h = waveHeight();
    const int total = h * shownCount();
    const int width = std::max(container_->width(), kLayoutWidth);
    container_->setMinimumSize(kMinimumWidth, total);
    container_->resize(width, total);
    for (QWave* view : waves_)
        view->setFixedHeight(h);
}

void QWaveList::applyListSizes() {
    if (!appState() || appState()->currentFile < 0)
        return;
    const int total = kListRowHeight * shownCount();
    container_->setMinimumSize(kMinimumWidth, total);
    container_->resize(std::max(container_->width(), kLayoutWidth), total);
}

void QWaveList::applyMapSizes() {
    if (!appState() || appState()->currentFile < 0)
        return;
    container_->setMinimumSize(kMinimumWidth, kMapHeight);
    container_->resize(std::max(container_->width(), kLayoutWidth), kListRowHeight * shownCount());
}

void QWaveList::showMode(ViewMode mode) {
    const NamePipeFile* file = appState() ? appState()->current() : nullptr;
    for (QWave* view : waves_) {
        const bool deleted =
            file && file->points[static_cast<std::size_t>(view->pointIndex())].isDeleted();
        view->setVisible(mode == WaveMode && !deleted);
    }
    if (resultList_)
        resultList_->setVisible(mode == ResultListMode);
    if (mapHost_)
        mapHost_->setVisible(mode == MapMode);
    switch (mode) {
    case WaveMode:
        applyWaveSizes();
        break;
    case ResultListMode:
        applyListSizes();
        break;
    case MapMode:
        applyMapSizes();
        break;
    }
}

void QWaveList::reprocess() {
    AppState* state = appState();
    if (!state || state->spectrumMode != 0 || !state->current())
        return;
    conditionFile(*state->current());
    for (QWave* view : waves_)
        view->clearAlignment();
    redrawAll();
}

void QWaveList::redrawAll() {
    for (QWave* view : waves_)
        view->drawPoint();
}

void QWaveList::redrawPoint(int pointIndex) {
    if (QWave* view = viewOfPoint(pointIndex))
        view->drawPoint();
}

QWave* QWaveList::viewOfPoint(int pointIndex) const {
    for (QWave* view : waves_) {
        if (view->pointIndex() == pointIndex)
            return view;
    }
    return nullptr;
}

void QWaveList::deleteCurrentWave() {
    const NamePipeFile* file = appState() ? appState()->current() : nullptr;
    if (!file)
        return;
    // The view of the current point itself: once a file is opened with
    // points already deleted, list positions no longer match point numbers.
    if (QWave* view = viewOfPoint(file->currentPoint - 1))
        view->waveDel();
}

void QWaveList::appendMergedWave(int pointIndex) {
    NamePipeFile* file = appState() ? appState()->current() : nullptr;
    if (!file)
        return;
    EditRecord record;
    record.kind = kEditPointAdded;
    record.pointIndex = pointIndex;
    waveHost().pushEdit(record);
    file->modified = true;
    waveHost().markCurrentFileModified();
    addView(pointIndex);
}
