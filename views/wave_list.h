// The central view: every point of the current file as one wave view, one
// under the other in a scrolling column, plus the hosts of the result list
// and the distribution map (one of the three kinds shows at a time).
#pragma once

#include "data/area_file.h"
#include "result_list.h"

#include <QList>
#include <QScrollArea>

class QVBoxLayout;
class QWave;
class graph;

namespace tarvel {
class ProjectSession;
class UserDialogs;
} // namespace tarvel

class QWaveList : public QScrollArea {
    Q_OBJECT

public:
    enum ViewMode { WaveMode, ResultListMode, MapMode };

    QWaveList(tarvel::ProjectSession& session, tarvel::UserDialogs& dialogs,
              QWidget* parent = nullptr);

    // Rebuilds every view for the session's current file.
    void setFile();
    void clearWaves();

    void applyWaveSizes();
    void applyListSizes();
    void applyMapSizes();
    // Shows the kind of view `mode` names and sizes the column for it.
    void showMode(ViewMode mode);

    // Conditions the current file again and redraws every view.
    void reprocess();
    // Redraws every view from the data as it stands.
    void redrawAll();
    void redrawPoint(int pointIndex);

    void deleteCurrentWave();

    // Makes point `pointIndex` current and scrolls it into view; false when
    // the point is not shown (deleted, or not in the file).
    bool goToPoint(int pointIndex);

    const QList<QWave*>& waves() const { return waves_; }
    QWave* viewOfPoint(int pointIndex) const;
    qdatalist* resultList() const { return resultList_; }
    QWidget* mapHost() const;
    graph* map() const { return mapHost_; }
    QWidget* container() const { return container_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    // Up/Down, PageUp/PageDown, Home/End move the current point.
    void keyPressEvent(QKeyEvent* event) override;
    // One wheel step scrolls by one wave.
    void wheelEvent(QWheelEvent* event) override;

private:
    QWave* addView(int pointIndex);
    int shownCount() const;
    // After a deletion, a restore or a merge: a view for every point, shown
    // when the point is.
    void syncViews();
    void clearAlignments();
    // The views shown, top to bottom; empty unless the waves are shown.
    QList<QWave*> shownViews() const;
    void scrollToCurrentPoint();

    tarvel::ProjectSession& session_;
    tarvel::UserDialogs& dialogs_;
    QList<QWave*> waves_;
    // Views of an earlier file, hidden, waiting to be bound again.
    QList<QWave*> spare_;
    qdatalist* resultList_ = nullptr;
    graph* mapHost_ = nullptr;
    QWidget* container_;
    QVBoxLayout* layout_;
    // Wheel turns smaller than a step (touchpads) add up to one.
    int wheelRemainder_ = 0;
};
