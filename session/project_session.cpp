#include "project_session.h"

#include "analysis/conditioning.h"
#include "analysis/results.h"
#include "data/translation_marks.h"
#include "edit/file_list_rules.h"

#include <QCoreApplication>
#include <QFile>

namespace tarvel {

namespace {

int firstShownPoint(const NamePipeFile& file) {
    for (std::size_t i = 0; i < file.points.size(); ++i) {
        if (!file.points[i].isDeleted())
            return static_cast<int>(i) + 1;
    }
    return 0;
}

bool shown(const NamePipeFile& file, int point) {
    return point >= 1 && point <= static_cast<int>(file.points.size()) &&
           !file.points[static_cast<std::size_t>(point - 1)].isDeleted();
}

} // namespace

ProjectSession::ProjectSession(QObject* parent) : QObject(parent) {
    connect(&watch_, &FileWatch::changed, this, &ProjectSession::checkDisk);
}

const NamePipeFile* ProjectSession::currentFile() const {
    const AppState& state = document_.state();
    const int index = state.currentFile;
    return index >= 0 && index < static_cast<int>(state.files.size())
               ? state.files[static_cast<std::size_t>(index)].get()
               : nullptr;
}

int ProjectSession::currentPointIndex() const {
    const NamePipeFile* file = currentFile();
    return file && shown(*file, file->currentPoint) ? file->currentPoint - 1 : -1;
}

MeasurePoint* ProjectSession::currentPoint() {
    const int index = currentPointIndex();
    return index < 0 ? nullptr : &currentFile()->points[static_cast<std::size_t>(index)];
}

bool ProjectSession::setCurrentFile(int index) {
    AppState& state = document_.state();
    const bool valid = index >= 0 && index < static_cast<int>(state.files.size());
    if (valid && state.files[static_cast<std::size_t>(index)]->damaged)
        return false;
    state.currentFile = valid ? index : -1;
    state.spectrumMode = 0;
    if (NamePipeFile* file = currentFile(); file && !shown(*file, file->currentPoint))
        file->currentPoint = firstShownPoint(*file);
    history_.clear();
    emit historyChanged();
    emit fileChanged();
    return true;
}

namespace {

// The first area that can be shown, or -1.
int firstUsableFile(const AppState& state) {
    for (std::size_t i = 0; i < state.files.size(); ++i) {
        if (!state.files[i]->damaged)
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace

void ProjectSession::afterOpening(const OpenOutcome& outcome) {
    if (!outcome.opened) {
        emit fileChanged(); // what was open stays: shown again
        return;
    }
    criteria_ = outcome.criteria.ok() ? outcome.criteria.criteria : AcceptanceCriteria{};
    announced_.clear();
    // Every project opens at its first area and that area's first point.
    for (const auto& file : document_.state().files)
        file->currentPoint = 0;
    setCurrentFile(firstUsableFile(document_.state()));
    watchOpenFiles();
    emit opened();
    emit fileListChanged();
    emit resultsChanged();
}

OpenOutcome ProjectSession::openProject(const QString& path) {
    emit releasingFiles();
    const OpenOutcome outcome = document_.openProject(QFile::encodeName(path).toStdString());
    afterOpening(outcome);
    return outcome;
}

OpenOutcome ProjectSession::openAreaFile(const QString& path) {
    emit releasingFiles();
    const OpenOutcome outcome = document_.openAreaFile(QFile::encodeName(path).toStdString());
    afterOpening(outcome);
    return outcome;
}

void ProjectSession::startProject(const ProjectInfo& info) {
    close();
    document_.startProject(info);
    emit opened();
    emit fileListChanged();
    emit modifiedChanged();
}

void ProjectSession::close() {
    emit releasingFiles();
    document_.close();
    criteria_ = AcceptanceCriteria{};
    announced_.clear();
    watchOpenFiles();
    setCurrentFile(-1);
    emit closed();
    emit fileListChanged();
}

void ProjectSession::afterSaving(const SaveOutcome& outcome) {
    if (outcome.ok()) {
        for (const auto& file : document_.state().files)
            announced_.erase(file->path());
        watchOpenFiles();
        emit saved();
    }
    emit modifiedChanged();
}

SaveOutcome ProjectSession::save(const QString& newProjectPath) {
    const SaveOutcome outcome = document_.save(QFile::encodeName(newProjectPath).toStdString());
    afterSaving(outcome);
    return outcome;
}

SaveOutcome ProjectSession::saveAs(const QString& projectPath) {
    const SaveOutcome outcome = document_.saveAs(QFile::encodeName(projectPath).toStdString());
    afterSaving(outcome);
    return outcome;
}

SaveOutcome ProjectSession::saveCurrentFile() {
    const SaveOutcome outcome = document_.saveArea(document_.state().currentFile);
    afterSaving(outcome);
    return outcome;
}

QString ProjectSession::writeCurrentFileCopy(const QString& path) {
    if (document_.state().currentFile < 0)
        return QString();
    return QString::fromStdString(document_.writeAreaCopy(document_.state().currentFile,
                                                          QFile::encodeName(path).toStdString()));
}

QString ProjectSession::addFile(const QString& path) {
    std::unique_ptr<NamePipeFile> record =
        ProjectDocument::readArea(QFile::encodeName(path).toStdString());
    const QString problem = QString::fromStdString(record->loadError);
    document_.appendFile(std::move(record));
    watchOpenFiles();
    emit fileListChanged();
    emit modifiedChanged();
    if (document_.state().currentFile < 0)
        setCurrentFile(firstUsableFile(document_.state()));
    return problem;
}

QString ProjectSession::replaceFile(int index, const QString& path) {
    const AppState& state = document_.state();
    if (index < 0 || index >= static_cast<int>(state.files.size()))
        return QString();
    std::unique_ptr<NamePipeFile> record =
        ProjectDocument::readArea(QFile::encodeName(path).toStdString());
    const QString problem = QString::fromStdString(record->loadError);
    announced_.erase(state.files[static_cast<std::size_t>(index)]->path());
    document_.replaceFile(index, std::move(record));
    watchOpenFiles();
    emit fileListChanged();
    emit modifiedChanged();
    if (index == state.currentFile || state.currentFile < 0) {
        if (!setCurrentFile(index) && index == state.currentFile)
            setCurrentFile(firstUsableFile(state));
    }
    return problem;
}

QString ProjectSession::reloadFile(int index) {
    const AppState& state = document_.state();
    if (index < 0 || index >= static_cast<int>(state.files.size()))
        return QString();
    return replaceFile(
        index, QFile::decodeName(state.files[static_cast<std::size_t>(index)]->path().c_str()));
}

QString ProjectSession::removeFile(int index, bool fromDisk) {
    AppState& state = document_.state();
    if (index < 0 || index >= static_cast<int>(state.files.size()))
        return QString();
    const std::string path = state.files[static_cast<std::size_t>(index)]->path();
    const bool wasCurrent = index == state.currentFile;
    document_.eraseFile(index);
    int next =
        currentFileAfterRemoval(index, state.currentFile, static_cast<int>(state.files.size()));
    if (next >= 0 && state.files[static_cast<std::size_t>(next)]->damaged)
        next = firstUsableFile(state);
    // The history belongs to the removed file when it was the current one.
    if (wasCurrent)
        setCurrentFile(next);
    else
        state.currentFile = next;
    QString failure;
    // The file would come back with the next opening of the project.
    QFile doomed(QFile::decodeName(path.c_str()));
    if (fromDisk && doomed.exists() && !doomed.remove())
        failure = doomed.errorString();
    announced_.erase(path);
    watchOpenFiles();
    emit fileListChanged();
    emit modifiedChanged();
    return failure;
}

RenameRefusal ProjectSession::renameFile(int index, const QString& name) {
    const RenameRefusal refusal =
        document_.renameFile(index, QFile::encodeName(name).toStdString());
    if (refusal == RenameRefusal::None) {
        watchOpenFiles();
        emit fileListChanged();
        // The history names the file by its path.
        if (index == document_.state().currentFile)
            setCurrentFile(index);
    }
    return refusal;
}

void ProjectSession::setExcluded(int index, bool excluded) {
    document_.setExcluded(index, excluded);
}

void ProjectSession::setProjectInfo(const ProjectInfo& info) {
    document_.setProjectInfo(info);
    holdFolderForEdits();
    emit modifiedChanged();
}

void ProjectSession::setOptions(const ViewOptions& options) {
    document_.setOptions(options);
}

void ProjectSession::overwriteDiskChange(int index) {
    const AppState& state = document_.state();
    if (index >= 0 && index < static_cast<int>(state.files.size()))
        announced_.erase(state.files[static_cast<std::size_t>(index)]->path());
    document_.overwriteDiskChange(index);
    emit modifiedChanged();
}

void ProjectSession::watchOpenFiles() {
    QStringList paths;
    for (const auto& file : document_.state().files) {
        if (!file->damaged)
            paths << QFile::decodeName(file->path().c_str());
    }
    watch_.watch(paths);
}

void ProjectSession::checkDisk() {
    const AppState& state = document_.state();
    for (int index : document_.areasChangedOnDisk()) {
        const NamePipeFile& file = *state.files[static_cast<std::size_t>(index)];
        const auto seen = announced_.find(file.path());
        // Each change is announced once, however often the folder stirs.
        if (seen != announced_.end() && !changedSince(seen->second, file.path()))
            continue;
        const DiskStamp now = stampOf(file.path());
        announced_[file.path()] = now;
        emit changedOnDisk(index, !now.exists);
    }
}

void ProjectSession::holdFolderForEdits() {
    if (document_.holdsFolder() || document_.writeFolder().empty())
        return;
    const LockAttempt attempt = document_.holdFolder(std::chrono::milliseconds(0));
    if (attempt.busy)
        emit folderHeldElsewhere(QString::fromStdString(attempt.holder.describe()));
}

void ProjectSession::setCriteria(const AcceptanceCriteria& criteria) {
    criteria_ = criteria;
    emit resultsChanged();
}

AreaRequirement ProjectSession::currentRequirement() const {
    const NamePipeFile* file = currentFile();
    return requirementFor(criteria_, file ? file->fileName : std::string());
}

void ProjectSession::setCurrentPoint(int pointIndex) {
    NamePipeFile* file = currentFile();
    if (!file || !shown(*file, pointIndex + 1) || file->currentPoint == pointIndex + 1)
        return;
    const int previous = file->currentPoint - 1;
    file->previousPoint = file->currentPoint;
    file->currentPoint = pointIndex + 1;
    emit currentPointChanged(previous, pointIndex);
}

void ProjectSession::markCurrentFileModified() {
    if (NamePipeFile* file = currentFile())
        file->modified = true;
    document_.state().saveNeeded = true;
    holdFolderForEdits();
    emit modifiedChanged();
}

QString ProjectSession::applyEdit(const Edit& edit) {
    NamePipeFile* file = currentFile();
    if (!file)
        return QString();
    const int previousPoint = file->currentPoint;
    const int previousDeleted = file->deletedCount;
    const std::size_t pointCount = file->points.size();
    ApplyOutcome outcome = apply(*file, edit);
    if (!outcome.applied)
        return QCoreApplication::translate(kEditTextContext, outcome.refusal.c_str());
    const Refresh refresh = outcome.applied->refresh;
    history_.push(std::move(outcome.applied->record));
    emit historyChanged();
    markCurrentFileModified();
    this->refresh(refresh, previousPoint, previousDeleted, pointCount);
    return QString();
}

void ProjectSession::undo() {
    step(true);
}

void ProjectSession::redo() {
    step(false);
}

void ProjectSession::step(bool undoing) {
    NamePipeFile* file = currentFile();
    std::optional<EditRecord> record = undoing ? history_.takeUndo() : history_.takeRedo();
    if (!file || !record) {
        emit historyChanged();
        return;
    }
    const int previousPoint = file->currentPoint;
    const int previousDeleted = file->deletedCount;
    const std::size_t pointCount = file->points.size();
    const std::optional<Refresh> refresh = exchange(*file, *record);
    // A record that no longer fits the file is dropped, not moved across.
    if (refresh) {
        if (undoing)
            history_.pushRedo(std::move(*record));
        else
            history_.push(std::move(*record));
    }
    emit historyChanged();
    if (!refresh)
        return;
    markCurrentFileModified();
    this->refresh(*refresh, previousPoint, previousDeleted, pointCount);
}

void ProjectSession::refresh(Refresh refresh, int previousPoint, int previousDeleted,
                             std::size_t pointCount) {
    NamePipeFile& file = *currentFile();
    switch (refresh) {
    case Refresh::Chain:
        conditionFile(file, workspace_);
        emit conditioned();
        break;
    case Refresh::Results:
        for (MeasurePoint& point : file.points)
            updatePointResults(point, resultParametersOf(file.header));
        break;
    case Refresh::Redraw:
        break;
    }
    if (file.deletedCount != previousDeleted || file.points.size() != pointCount)
        emit pointsChanged();
    if (file.currentPoint != previousPoint)
        emit currentPointChanged(previousPoint - 1, file.currentPoint - 1);
    emit resultsChanged();
}

void ProjectSession::reprocess() {
    NamePipeFile* file = currentFile();
    if (!file || document_.state().spectrumMode != 0)
        return;
    conditionFile(*file, workspace_);
    emit conditioned();
    emit resultsChanged();
}

} // namespace tarvel
