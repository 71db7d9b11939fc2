#include "wave_list.h"

#include "distribution_map.h"
#include "session/project_session.h"
#include "wave.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QVector>
#include <QWheelEvent>
#include <algorithm>

using namespace tarvel;

namespace {

constexpr int kDefaultWaveHeight = 120;
constexpr int kMinimumWidth = 800;
constexpr int kLayoutWidth = 1024;
constexpr int kListRowHeight = 20;
constexpr int kMapMinimumHeight = 400;

int waveHeight(const ProjectSession& session) {
    const int height = session.state().options.waveHeight;
    return height < 50 || height > 500 ? kDefaultWaveHeight : height;
}

} // namespace

QWaveList::QWaveList(ProjectSession& session, UserDialogs& dialogs, QWidget* parent)
    : QScrollArea(parent), session_(session), dialogs_(dialogs) {
    setWindowTitle(tr("波形处理"));
    setWidgetResizable(true);
    // The scroll area moves the widget it shows at every scroll, and Qt then
    // works out again, child by child, which of that widget's children cover
    // it: with hundreds of views, at every screenful. The views sit one
    // level down, in a widget that never moves within its parent, so the
    // answer for them stays known.
    auto* scrolled = new QWidget;
    auto* scrolledLayout = new QVBoxLayout(scrolled);
    scrolledLayout->setContentsMargins(0, 0, 0, 0);
    container_ = new QWidget;
    scrolledLayout->addWidget(container_);
    layout_ = new QVBoxLayout(container_);
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(0);
    setWidget(scrolled);

    connect(&session_, &ProjectSession::fileChanged, this, &QWaveList::setFile);
    // The views draw the records in place: they go with them.
    connect(&session_, &ProjectSession::releasingFiles, this, &QWaveList::clearWaves);
    connect(&session_, &ProjectSession::pointsChanged, this, &QWaveList::syncViews);
    connect(&session_, &ProjectSession::conditioned, this, &QWaveList::clearAlignments);
    connect(&session_, &ProjectSession::resultsChanged, this, &QWaveList::redrawAll);
    connect(&session_, &ProjectSession::currentPointChanged, this, [this](int previous, int now) {
        redrawPoint(previous);
        redrawPoint(now);
    });
    // A click on a wave gives the list the focus, so the keys move points.
    setFocusPolicy(Qt::StrongFocus);
}

void QWaveList::paintEvent(QPaintEvent*) {}

int QWaveList::shownCount() const {
    const NamePipeFile* file = session_.currentFile();
    return file ? file->pointCount() - file->deletedCount : 0;
}

QWave* QWaveList::addView(int pointIndex) {
    // A view of the previous file is bound again rather than built anew:
    // building a plot costs far more than drawing it.
    QWave* view = spare_.isEmpty() ? new QWave(session_, dialogs_) : spare_.takeFirst();
    view->bindPoint(pointIndex);
    view->show();
    // The views come first, before the result list and the map host.
    layout_->insertWidget(waves_.size(), view);
    waves_.append(view);
    return view;
}

void QWaveList::setFile() {
    if (resultList_)
        resultList_->hide();
    if (mapHost_)
        mapHost_->hide();
    const NamePipeFile* current = session_.currentFile();
    QVector<int> points;
    for (int i = 0; current && i < current->pointCount(); ++i) {
        if (current->points[static_cast<std::size_t>(i)].header.deleted <= 0)
            points.append(i);
    }
    // The views of the previous file are bound again where they stand:
    // showing and laying out a plot costs far more than drawing it. Only
    // the views the new file does not need leave the layout, as spares.
    while (waves_.size() > points.size()) {
        QWave* view = waves_.takeLast();
        layout_->removeWidget(view);
        view->hide();
        view->bindPoint(-1);
        view->clearAlignment();
        spare_.prepend(view);
    }
    for (int k = 0; k < waves_.size(); ++k) {
        QWave* view = waves_[k];
        view->bindPoint(points[k]);
        view->clearAlignment();
        if (view->isHidden())
            view->show();
    }
    if (!current)
        return;
    if (parentWidget())
        show(); // a deletion of the last wave may have hidden the list
    for (int k = waves_.size(); k < points.size(); ++k)
        addView(points[k]);
    applyWaveSizes();
    if (!resultList_) {
        resultList_ = new qdatalist(session_);
        layout_->addWidget(resultList_);
    }
    resultList_->hide();
    if (!mapHost_) {
        mapHost_ = new graph(session_);
        layout_->addWidget(mapHost_);
    }
    mapHost_->hide();
    redrawAll();
    // A new area opens at its current point, not where the last one was.
    scrollToCurrentPoint();
}

QList<QWave*> QWaveList::shownViews() const {
    QList<QWave*> shown;
    for (QWave* view : waves_) {
        if (!view->isHidden())
            shown.append(view);
    }
    return shown;
}

void QWaveList::scrollToCurrentPoint() {
    const NamePipeFile* file = session_.currentFile();
    const int current = session_.currentPointIndex();
    if (!file || current < 0)
        return;
    // Counted from the points, not from the views shown: views just made
    // show only once they are laid out.
    int row = 0;
    for (int i = 0; i < current; ++i)
        row += file->points[static_cast<std::size_t>(i)].isDeleted() ? 0 : 1;
    // Computed from the fixed wave height: the layout may not have placed
    // the views yet when an area has just been opened.
    const int h = waveHeight(session_);
    QScrollBar* bar = verticalScrollBar();
    bar->setRange(0, std::max(0, container_->height() - viewport()->height()));
    const int top = row * h;
    if (top < bar->value())
        bar->setValue(top);
    else if (top + h > bar->value() + viewport()->height())
        bar->setValue(top + h - viewport()->height());
}

bool QWaveList::goToPoint(int pointIndex) {
    QWave* view = viewOfPoint(pointIndex);
    if (!view || view->isHidden())
        return false;
    session_.setCurrentPoint(pointIndex);
    scrollToCurrentPoint();
    return true;
}

void QWaveList::keyPressEvent(QKeyEvent* event) {
    const QList<QWave*> shown = shownViews();
    if (shown.isEmpty() || event->modifiers() & ~Qt::KeypadModifier) {
        QScrollArea::keyPressEvent(event);
        return;
    }
    const int last = shown.size() - 1;
    const int row = shown.indexOf(viewOfPoint(session_.currentPointIndex()));
    const int page = std::max(1, viewport()->height() / waveHeight(session_));
    int target = row;
    switch (event->key()) {
    case Qt::Key_Up:
        target = row - 1;
        break;
    case Qt::Key_Down:
        target = row + 1;
        break;
    case Qt::Key_PageUp:
        target = row - page;
        break;
    case Qt::Key_PageDown:
        target = row + page;
        break;
    case Qt::Key_Home:
        target = 0;
        break;
    case Qt::Key_End:
        target = last;
        break;
    default:
        QScrollArea::keyPressEvent(event);
        return;
    }
    // Past either end the current point stays where it is.
    goToPoint(shown[std::clamp(target, 0, last)]->pointIndex());
    event->accept();
}

void QWaveList::wheelEvent(QWheelEvent* event) {
    if (shownViews().isEmpty() || event->modifiers() != Qt::NoModifier) {
        QScrollArea::wheelEvent(event);
        return;
    }
    wheelRemainder_ += event->angleDelta().y();
    const int steps = wheelRemainder_ / QWheelEvent::DefaultDeltasPerStep;
    wheelRemainder_ -= steps * QWheelEvent::DefaultDeltasPerStep;
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->value() - steps * waveHeight(session_));
    event->accept();
}

void QWaveList::clearWaves() {
    while (!waves_.isEmpty())
        delete waves_.takeFirst();
    while (!spare_.isEmpty())
        delete spare_.takeFirst();
    if (resultList_)
        resultList_->hide();
    if (mapHost_)
        mapHost_->hide();
}

void QWaveList::applyWaveSizes() {
    if (!session_.currentFile())
        return;
    const int h = waveHeight(session_);
    const int total = h * shownCount();
    const int width = std::max(container_->width(), kLayoutWidth);
    container_->setMinimumSize(kMinimumWidth, total);
    container_->resize(width, total);
    for (QWave* view : waves_)
        view->setFixedHeight(h);
}

void QWaveList::applyListSizes() {
    if (!session_.currentFile() || !resultList_)
        return;
    // The column takes the list's whole size, so both scroll bars reach its
    // last row and last column.
    resultList_->refresh();
    const QSize size = resultList_->sizeHint();
    container_->setMinimumSize(size);
    container_->resize(std::max(container_->width(), size.width()), size.height());
}

void QWaveList::applyMapSizes() {
    if (!session_.currentFile())
        return;
    // The map fills what the list shows; it keeps its cells in proportion
    // itself.
    container_->setMinimumSize(kMinimumWidth, kMapMinimumHeight);
    container_->resize(std::max(viewport()->width(), kMinimumWidth),
                       std::max(viewport()->height(), kMapMinimumHeight));
}

void QWaveList::showMode(ViewMode mode) {
    const NamePipeFile* file = session_.currentFile();
    for (QWave* view : waves_) {
        const bool deleted =
            file && file->points[static_cast<std::size_t>(view->pointIndex())].isDeleted();
        view->setVisible(mode == WaveMode && !deleted);
    }
    if (resultList_)
        resultList_->setVisible(mode == ResultListMode && file);
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
    session_.reprocess();
}

void QWaveList::clearAlignments() {
    for (QWave* view : waves_)
        view->clearAlignment();
}

void QWaveList::syncViews() {
    const NamePipeFile* file = session_.currentFile();
    if (!file)
        return;
    for (int i = 0; i < static_cast<int>(file->points.size()); ++i) {
        if (!viewOfPoint(i) && !file->points[static_cast<std::size_t>(i)].isDeleted())
            addView(i);
    }
    const bool waves =
        (!resultList_ || resultList_->isHidden()) && (!mapHost_ || mapHost_->isHidden());
    for (QWave* view : waves_)
        view->setVisible(waves &&
                         !file->points[static_cast<std::size_t>(view->pointIndex())].isDeleted());
    if (waves)
        applyWaveSizes();
    else if (resultList_ && !resultList_->isHidden())
        applyListSizes();
    // With no wave left the column would be an empty frame.
    if (shownCount() == 0)
        hide();
    else if (parentWidget())
        show();
}

void QWaveList::redrawAll() {
    for (QWave* view : waves_)
        view->drawPoint();
}

void QWaveList::redrawPoint(int pointIndex) {
    if (QWave* view = viewOfPoint(pointIndex))
        view->drawPoint();
}

QWidget* QWaveList::mapHost() const {
    return mapHost_;
}

QWave* QWaveList::viewOfPoint(int pointIndex) const {
    for (QWave* view : waves_) {
        if (view->pointIndex() == pointIndex)
            return view;
    }
    return nullptr;
}

void QWaveList::deleteCurrentWave() {
    // The view of the current point itself: once a file is opened with
    // points already deleted, list positions no longer match point numbers.
    if (QWave* view = viewOfPoint(session_.currentPointIndex()))
        view->waveDel();
}
