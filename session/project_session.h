// The one owner of what is open: the application state (project, area
// files, display options), the current file and point, and the edit
// history. Every change goes through it and is signalled, so the views
// only listen and redraw.
#pragma once

#include "analysis/conditioning_workspace.h"
#include "data/acceptance_file.h"
#include "data/app_state.h"
#include "edit/area_edits.h"
#include "edit/edit_history.h"

#include <QObject>
#include <QString>

namespace tarvel {

class ProjectSession : public QObject {
    Q_OBJECT

public:
    explicit ProjectSession(QObject* parent = nullptr);

    AppState& state() { return state_; }
    const AppState& state() const { return state_; }
    NamePipeFile* currentFile() { return state_.current(); }
    const NamePipeFile* currentFile() const;
    // The current point of the current file (index from 0), or -1.
    int currentPointIndex() const;
    MeasurePoint* currentPoint();
    const EditHistory& history() const { return history_; }

    // The project's acceptance criteria (none for a lone area file).
    const AcceptanceCriteria& criteria() const { return criteria_; }
    void setCriteria(const AcceptanceCriteria& criteria);
    // What applies to the current file.
    AreaRequirement currentRequirement() const;

    // Makes file `index` current (or none, with -1). Its first point that is
    // not deleted becomes current when it has none; the history is emptied,
    // as it belongs to the file it was made in.
    void setCurrentFile(int index);
    // Replaces the record of file `index` (reloaded or replaced from disk).
    void replaceFile(int index, std::unique_ptr<NamePipeFile> record);
    // Removes file `index`; see currentFileAfterRemoval for which file is
    // current then.
    void removeFile(int index);
    // Closes everything.
    void reset();

    void setCurrentPoint(int pointIndex);

    // Applies an edit to the current file and records it. Returns the
    // refusal text, or an empty string when the edit was made or changed
    // nothing.
    QString applyEdit(const Edit& edit);
    bool canUndo() const { return history_.canUndo(); }
    bool canRedo() const { return history_.canRedo(); }
    void undo();
    void redo();

    // Conditions the current file again (display options or alignment
    // need it) and tells the views.
    void reprocess();

    // True while the views keep their x scale (aligned start marks).
    bool alignedView() const { return alignedView_; }
    void setAlignedView(bool on) { alignedView_ = on; }
    // True while the views show each wave around its impact rather than
    // the whole record.
    bool impactZoom() const { return impactZoom_; }
    void setImpactZoom(bool on) { impactZoom_ = on; }
    // Where a wave's picture or samples were last exported; empty before the
    // first export.
    QString exportFolder() const { return exportFolder_; }
    void setExportFolder(const QString& folder) { exportFolder_ = folder; }

    void showStatus(const QString& text) { emit statusMessage(text); }
    // Flags the current file (and so the project) as holding unsaved edits.
    void markCurrentFileModified();

signals:
    // Another file became current, or the current one was replaced.
    void fileChanged();
    void currentPointChanged(int previous, int current);
    // The current file was conditioned again: derived series are new.
    void conditioned();
    // Marks, samples or parameters changed: results and means are new.
    void resultsChanged();
    // A point was deleted, restored or added.
    void pointsChanged();
    void historyChanged();
    void modifiedChanged();
    void statusMessage(const QString& text);

private:
    void refresh(Refresh refresh, int previousPoint, int previousDeleted, std::size_t pointCount);
    void step(bool undoing);

    AppState state_;
    ConditioningWorkspace workspace_;
    EditHistory history_;
    AcceptanceCriteria criteria_;
    bool alignedView_ = false;
    bool impactZoom_ = false;
    QString exportFolder_;
};

} // namespace tarvel
