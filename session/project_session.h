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
#include "file_watch.h"
#include "project_document.h"

#include <map>
#include <vector>

#include <QObject>
#include <QString>

namespace tarvel {

class ProjectSession : public QObject {
    Q_OBJECT

public:
    explicit ProjectSession(QObject* parent = nullptr);

    // What is open, for reading: every change goes through the session.
    const AppState& state() const { return document_.state(); }
    const ProjectDocument& document() const { return document_; }
    // The project's folder (ending in a separator) and file name; for a
    // single area file, its folder.
    QString projectDirectory() const { return QString::fromStdString(document_.projectDir()); }
    QString projectFileName() const { return QString::fromStdString(document_.projectFileName()); }
    bool hasUnsavedChanges() const { return document_.hasUnsavedChanges(); }

    NamePipeFile* currentFile() { return document_.state().current(); }
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

    // The project's life. Each replaces what is open only when it succeeds,
    // and signals opened() or closed().
    OpenOutcome openProject(const QString& path);
    OpenOutcome openAreaFile(const QString& path);
    void startProject(const ProjectInfo& info);
    void close();

    // Saving; see ProjectDocument. Each signals saved() when it wrote.
    SaveOutcome save(const QString& newProjectPath = QString());
    SaveOutcome saveAs(const QString& projectPath);
    SaveOutcome saveCurrentFile();
    // A copy of the current area elsewhere; the empty string or the reason.
    QString writeCurrentFileCopy(const QString& path);

    // The areas of the project. Adding reads the file; the text says why
    // it could not be read whole (empty when it could).
    QString addFile(const QString& path);
    QString replaceFile(int index, const QString& path);
    // Reads the area again from its file, dropping its edits.
    QString reloadFile(int index);
    // Removes file `index` from the project, and with `fromDisk` its file;
    // returns why the file could not be deleted. See currentFileAfterRemoval
    // for which file is current then.
    QString removeFile(int index, bool fromDisk = false);
    RenameRefusal renameFile(int index, const QString& name);
    void setExcluded(int index, bool excluded);
    void setProjectInfo(const ProjectInfo& info);
    void setOptions(const ViewOptions& options);

    // Areas someone else changed or removed on disk since they were read or
    // written here; the user chose to overwrite that change.
    std::vector<int> areasChangedOnDisk() const { return document_.areasChangedOnDisk(); }
    void overwriteDiskChange(int index);

    // Makes file `index` current (or none, with -1); a damaged area never
    // becomes current. Its first point that is not deleted becomes current
    // when it has none; the history is emptied, as it belongs to the file it
    // was made in. Returns false when the file cannot be current.
    bool setCurrentFile(int index);

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
    // True while the views draw each wave's fitted Hertz pulse over it.
    bool fitShown() const { return fitShown_; }
    void setFitShown(bool on) { fitShown_ = on; }
    // Where a wave's picture or samples were last exported; empty before the
    // first export.
    QString exportFolder() const { return exportFolder_; }
    void setExportFolder(const QString& folder) { exportFolder_ = folder; }

    void showStatus(const QString& text) { emit statusMessage(text); }
    // Flags the current file (and so the project) as holding unsaved edits,
    // and holds the project folder against other writers from then on.
    void markCurrentFileModified();

signals:
    // The records of what is open are about to go (a close, or an opening
    // that replaces them): whoever points into them lets go now.
    void releasingFiles();
    // A project or area file was opened (or a new project started).
    void opened();
    void closed();
    void saved();
    // Someone else changed (or removed: `gone`) the file of area `index`.
    void changedOnDisk(int index, bool gone);
    // Another program writes in the project folder: edits stay in memory.
    void folderHeldElsewhere(const QString& holder);
    // Areas were added, removed, renamed, replaced or excluded.
    void fileListChanged();
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
    void afterOpening(const OpenOutcome& outcome);
    void afterSaving(const SaveOutcome& outcome);
    void watchOpenFiles();
    void checkDisk();
    void holdFolderForEdits();

    ProjectDocument document_{"tarvel"};
    ConditioningWorkspace workspace_;
    EditHistory history_;
    AcceptanceCriteria criteria_;
    FileWatch watch_;
    // The stamp each file had when its change on disk was last announced.
    std::map<std::string, DiskStamp> announced_;
    bool alignedView_ = false;
    bool impactZoom_ = false;
    bool fitShown_ = true;
    QString exportFolder_;
};

} // namespace tarvel
