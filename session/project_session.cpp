#include "project_session.h"

#include "analysis/conditioning.h"
#include "analysis/results.h"
#include "data/translation_marks.h"
#include "edit/file_list_rules.h"

#include <QCoreApplication>

#include <cstring>

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

ProjectSession::ProjectSession(QObject* parent) : QObject(parent) {}

const NamePipeFile* ProjectSession::currentFile() const {
    const int index = state_.currentFile;
    return index >= 0 && index < static_cast<int>(state_.files.size())
               ? state_.files[static_cast<std::size_t>(index)].get()
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

void ProjectSession::setCurrentFile(int index) {
    state_.currentFile = index >= 0 && index < static_cast<int>(state_.files.size()) ? index : -1;
    state_.spectrumMode = 0;
    if (NamePipeFile* file = currentFile(); file && !shown(*file, file->currentPoint))
        file->currentPoint = firstShownPoint(*file);
    history_.clear();
    emit historyChanged();
    emit fileChanged();
}

void ProjectSession::replaceFile(int index, std::unique_ptr<NamePipeFile> record) {
    if (index < 0 || index >= static_cast<int>(state_.files.size()))
        return;
    state_.files[static_cast<std::size_t>(index)] = std::move(record);
    if (index == state_.currentFile)
        setCurrentFile(index);
}

void ProjectSession::removeFile(int index) {
    if (index < 0 || index >= static_cast<int>(state_.files.size()))
        return;
    const bool wasCurrent = index == state_.currentFile;
    state_.files.erase(state_.files.begin() + index);
    const int next =
        currentFileAfterRemoval(index, state_.currentFile, static_cast<int>(state_.files.size()));
    // The history belongs to the removed file when it was the current one.
    if (wasCurrent)
        setCurrentFile(next);
    else
        state_.currentFile = next;
}

void ProjectSession::reset() {
    state_.mode = kNothingOpen;
    state_.saveNeeded = false;
    state_.projectModified = false;
    state_.spectrumMode = 0;
    std::memset(&state_.project, 0, sizeof state_.project);
    state_.files.clear();
    criteria_ = AcceptanceCriteria{};
    setCurrentFile(-1);
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
    state_.saveNeeded = true;
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
    if (!file || state_.spectrumMode != 0)
        return;
    conditionFile(*file, workspace_);
    emit conditioned();
    emit resultsChanged();
}

} // namespace tarvel
