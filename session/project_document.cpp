#include "project_document.h"

#include "analysis/area_loader.h"
#include "analysis/area_order.h"
#include "analysis/project_loader.h"
#include "data/atomic_file.h"
#include "data/change_journal.h"
#include "data/input_file.h"
#include "data/original_copy.h"
#include "data/project_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace tarvel {
namespace {

// How long a save waits for another writer (a `tarvel-cli set` run) to end.
constexpr std::chrono::milliseconds kSaveWait{3000};
constexpr std::size_t kMaxFileNameLength = 50;

bool exists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

bool endsWithAreaSuffix(const std::string& name) {
    if (name.size() < 4)
        return false;
    std::string suffix = name.substr(name.size() - 4);
    std::transform(suffix.begin(), suffix.end(), suffix.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return suffix == ".pip";
}

// Takes the folder's lock for a moment to complete what a killed writer
// left there, before anything of it is read.
void completeInterruptedChange(const std::string& folder, const std::string& program,
                               OpenOutcome& outcome) {
    if (!hasPendingChange(folder))
        return;
    FolderLock lock;
    if (!lock.acquire(folder, program, kSaveWait).acquired)
        return; // its writer is still at it
    const PendingCompletion completion = completePendingChange(folder);
    outcome.completedFiles = completion.completed.size();
    outcome.completionError = completion.error;
}

// Checks that the file can be read and completes whatever a killed writer
// left in its folder, which it returns in dir; false, with the reason in the
// outcome, when the file cannot be opened.
bool prepareToOpen(const std::string& path, const std::string& program, OpenOutcome& outcome,
                   std::string& dir) {
    if (std::string error = checkReadableFile(path); !error.empty()) {
        outcome.error = error;
        return false;
    }
    std::string name;
    splitPath(path, dir, name);
    completeInterruptedChange(dir, program, outcome);
    return true;
}

void noteProblem(OpenOutcome& outcome, const NamePipeFile& file) {
    if (!file.loadError.empty())
        outcome.problems.push_back({file.fileName, file.loadError});
}

} // namespace

// One area of a save: where it goes, and where its original comes from.
struct ProjectDocument::Planned {
    int index = -1;
    std::string target;
    std::string originalFrom; // empty: nothing to keep
};

ProjectDocument::ProjectDocument(std::string program) : program_(std::move(program)) {}

std::string ProjectDocument::writeFolder() const {
    if (state_.mode == kSingleFileOpen && !state_.files.empty())
        return state_.files.front()->dirPath;
    return projectDir_;
}

bool ProjectDocument::hasUnsavedChanges() const {
    if (state_.mode == kNothingOpen)
        return false;
    if (state_.projectModified)
        return true;
    for (const auto& file : state_.files) {
        if (file->damaged)
            continue; // nothing of it can be saved
        if (file->modified || (state_.mode == kProjectOpen && file->dirPath != projectDir_))
            return true;
    }
    return false;
}

void ProjectDocument::resetState() {
    state_.mode = kNothingOpen;
    state_.saveNeeded = false;
    state_.projectModified = false;
    state_.spectrumMode = 0;
    state_.currentFile = -1;
    std::memset(&state_.project, 0, sizeof state_.project);
    state_.files.clear();
    projectDir_.clear();
    projectFileName_.clear();
}

void ProjectDocument::close() {
    resetState();
    lock_.release();
}

std::unique_ptr<NamePipeFile> ProjectDocument::readArea(const std::string& path) {
    std::unique_ptr<NamePipeFile> record = loadAreaRecord(path);
    record->diskStamp = stampOf(path);
    return record;
}

OpenOutcome ProjectDocument::openProject(const std::string& path) {
    OpenOutcome outcome;
    std::string dir;
    if (!prepareToOpen(path, program_, outcome, dir))
        return outcome;
    ProjectLoad load = loadProject(path);
    // A record that cannot be read whole would open as an empty or
    // half-filled project, and the next save would write that back.
    if (!load.projectError.empty()) {
        outcome.error = load.projectError;
        outcome.recordUnreadable = true;
        return outcome;
    }
    close();
    projectDir_ = load.projectDir;
    projectFileName_ = load.projectFileName;
    state_.project = load.info;
    state_.files = std::move(load.files);
    // Entries named like areas that are none are listed as damaged areas,
    // so nothing goes missing without a word.
    for (const SkippedEntry& entry : load.skipped) {
        auto record = std::make_unique<NamePipeFile>();
        splitPath(entry.path, record->dirPath, record->fileName);
        record->loadError = entry.reason;
        record->damaged = true;
        state_.files.push_back(std::move(record));
    }
    sortAreasByFileName(state_.files);
    for (const auto& file : state_.files) {
        noteProblem(outcome, *file);
        file->diskStamp = stampOf(file->path());
    }
    state_.mode = kProjectOpen;
    outcome.folderError = load.folderError;
    outcome.criteria = readAcceptanceFile(acceptanceFilePath(path));
    outcome.opened = true;
    return outcome;
}

OpenOutcome ProjectDocument::openAreaFile(const std::string& path) {
    OpenOutcome outcome;
    std::string dir;
    if (!prepareToOpen(path, program_, outcome, dir))
        return outcome;
    close();
    state_.files.push_back(readArea(path));
    noteProblem(outcome, *state_.files.front());
    state_.mode = kSingleFileOpen;
    projectDir_ = dir;
    outcome.opened = true;
    return outcome;
}

void ProjectDocument::startProject(const ProjectInfo& info) {
    close();
    state_.project = info;
    state_.mode = kProjectOpen;
    state_.projectModified = true;
    state_.saveNeeded = true;
}

void ProjectDocument::appendFile(std::unique_ptr<NamePipeFile> record) {
    record->modified = false;
    state_.files.push_back(std::move(record));
    state_.saveNeeded = true;
}

void ProjectDocument::replaceFile(int index, std::unique_ptr<NamePipeFile> record) {
    if (index < 0 || index >= static_cast<int>(state_.files.size()))
        return;
    // The file list still shows the old record's check box: keep its state.
    record->excluded = state_.files[static_cast<std::size_t>(index)]->excluded;
    state_.files[static_cast<std::size_t>(index)] = std::move(record);
}

void ProjectDocument::eraseFile(int index) {
    if (index >= 0 && index < static_cast<int>(state_.files.size()))
        state_.files.erase(state_.files.begin() + index);
}

RenameRefusal ProjectDocument::renameFile(int index, const std::string& name) {
    NamePipeFile& file = *state_.files[static_cast<std::size_t>(index)];
    if (name.size() >= kMaxFileNameLength)
        return RenameRefusal::TooLong;
    // The instrument writes ".pip"; older files end in ".Pip": any case
    // passes, and the name keeps the case typed.
    if (!endsWithAreaSuffix(name))
        return RenameRefusal::WrongSuffix;
    for (std::size_t i = 0; i < state_.files.size(); ++i) {
        if (static_cast<int>(i) != index && state_.files[i]->fileName == name)
            return RenameRefusal::Duplicate;
    }
    // A name is renamed in place: one holding a folder would move the file
    // out of its directory, and the project would lose track of it.
    if (name.find('/') != std::string::npos || name.find('\\') != std::string::npos ||
        exists(file.dirPath + name) ||
        std::rename(file.path().c_str(), (file.dirPath + name).c_str()) != 0)
        return RenameRefusal::Failed;
    // The kept original follows, so the change record still finds it.
    const std::string original = originalPathFor(file.path());
    if (exists(original) && !exists(originalPathFor(file.dirPath + name)))
        std::rename(original.c_str(), originalPathFor(file.dirPath + name).c_str());
    file.fileName = name;
    file.diskStamp = stampOf(file.path());
    return RenameRefusal::None;
}

void ProjectDocument::setExcluded(int index, bool excluded) {
    if (index >= 0 && index < static_cast<int>(state_.files.size()))
        state_.files[static_cast<std::size_t>(index)]->excluded = excluded;
}

void ProjectDocument::setProjectInfo(const ProjectInfo& info) {
    state_.project = info;
    state_.projectModified = true;
    state_.saveNeeded = true;
}

bool ProjectDocument::changedOnDisk(int index) const {
    if (index < 0 || index >= static_cast<int>(state_.files.size()))
        return false;
    const NamePipeFile& file = *state_.files[static_cast<std::size_t>(index)];
    return changedSince(file.diskStamp, file.path());
}

std::vector<int> ProjectDocument::areasChangedOnDisk() const {
    std::vector<int> changed;
    for (int i = 0; i < static_cast<int>(state_.files.size()); ++i) {
        if (changedOnDisk(i))
            changed.push_back(i);
    }
    return changed;
}

void ProjectDocument::overwriteDiskChange(int index) {
    if (index < 0 || index >= static_cast<int>(state_.files.size()))
        return;
    NamePipeFile& file = *state_.files[static_cast<std::size_t>(index)];
    file.diskStamp = stampOf(file.path());
    file.modified = true; // written at the next save even if it was not edited
    state_.saveNeeded = true;
}

LockAttempt ProjectDocument::holdFolder(std::chrono::milliseconds wait) {
    return lock_.acquire(writeFolder(), program_, wait);
}

void ProjectDocument::releaseFolderIfSaved() {
    if (!hasUnsavedChanges())
        lock_.release();
}

SaveOutcome ProjectDocument::write(const std::string& folder, const std::vector<Planned>& plan,
                                   bool withProjectRecord, const std::string& projectPath) {
    SaveOutcome outcome;
    if (plan.empty() && !withProjectRecord)
        return outcome;
    if (folder != lock_.folder())
        lock_.release();
    const LockAttempt attempt = lock_.acquire(folder, program_, kSaveWait);
    if (attempt.busy) {
        outcome.busy = true;
        outcome.holder = attempt.holder;
        return outcome;
    }
    if (!attempt.acquired) {
        outcome.failures.emplace_back(folder, attempt.error);
        return outcome;
    }
    // What a killed writer left is completed before this save decides
    // anything; if it touched an open area, the check below sees it.
    const PendingCompletion completion = completePendingChange(folder);
    if (!completion.error.empty())
        outcome.failures.emplace_back(folder, completion.error);

    for (const Planned& planned : plan) {
        const NamePipeFile& file = *state_.files[static_cast<std::size_t>(planned.index)];
        if (planned.target == file.path() && changedOnDisk(planned.index))
            outcome.changedOnDisk.push_back(planned.index);
    }
    if (!outcome.changedOnDisk.empty() || !outcome.failures.empty())
        return outcome;

    FileChangeSet change(folder);
    for (const Planned& planned : plan) {
        const std::vector<unsigned char> bytes =
            serializeAreaFile(*state_.files[static_cast<std::size_t>(planned.index)]);
        if (std::string error = change.add(planned.target, bytes.data(), bytes.size());
            !error.empty()) {
            outcome.failures.emplace_back(planned.target, error);
            return outcome;
        }
    }
    if (withProjectRecord) {
        if (std::string error = change.add(projectPath, &state_.project, sizeof state_.project);
            !error.empty()) {
            outcome.failures.emplace_back(projectPath, error);
            return outcome;
        }
    }
    for (const Planned& planned : plan) {
        if (planned.originalFrom.empty())
            continue;
        if (std::string error = keepOriginal(planned.originalFrom, planned.target);
            !error.empty()) {
            outcome.failures.emplace_back(planned.target, error);
            return outcome;
        }
    }
    if (std::string error = change.commit(); !error.empty()) {
        outcome.failures.emplace_back(folder, error);
        return outcome;
    }
    for (const Planned& planned : plan) {
        NamePipeFile& file = *state_.files[static_cast<std::size_t>(planned.index)];
        std::string name;
        splitPath(planned.target, file.dirPath, name);
        file.modified = false;
        file.diskStamp = stampOf(file.path());
    }
    if (withProjectRecord)
        state_.projectModified = false;
    return outcome;
}

namespace {

// Where the original of an area written to a new place comes from: the one
// kept beside its old file, else the old file itself when its content
// changes now.
std::string originalSource(const NamePipeFile& file, bool changes) {
    const std::string kept = originalPathFor(file.path());
    if (exists(kept))
        return kept;
    return changes && file.diskStamp.exists ? file.path() : std::string();
}

} // namespace

SaveOutcome ProjectDocument::save(const std::string& newProjectPath) {
    if (state_.mode == kProjectOpen && projectDir_.empty() && !newProjectPath.empty())
        splitPath(newProjectPath, projectDir_, projectFileName_);
    const std::string folder = writeFolder();
    std::vector<Planned> plan;
    for (int i = 0; i < static_cast<int>(state_.files.size()); ++i) {
        const NamePipeFile& file = *state_.files[static_cast<std::size_t>(i)];
        if (file.damaged)
            continue; // its record holds nothing: writing it would lose the file
        const bool moves = state_.mode == kProjectOpen && file.dirPath != projectDir_;
        if (!file.modified && !moves)
            continue;
        Planned planned;
        planned.index = i;
        planned.target = (moves ? projectDir_ : file.dirPath) + file.fileName;
        planned.originalFrom = originalSource(file, file.modified);
        plan.push_back(planned);
    }
    const bool record = state_.mode == kProjectOpen && state_.projectModified;
    SaveOutcome outcome = write(folder, plan, record, projectDir_ + projectFileName_);
    if (outcome.ok()) {
        state_.saveNeeded = false;
        releaseFolderIfSaved();
    }
    return outcome;
}

SaveOutcome ProjectDocument::saveAs(const std::string& projectPath) {
    std::string folder;
    std::string name;
    splitPath(projectPath, folder, name);
    std::vector<Planned> plan;
    for (int i = 0; i < static_cast<int>(state_.files.size()); ++i) {
        const NamePipeFile& file = *state_.files[static_cast<std::size_t>(i)];
        if (file.damaged)
            continue;
        plan.push_back({i, folder + file.fileName, originalSource(file, file.modified)});
    }
    SaveOutcome outcome = write(folder, plan, true, projectPath);
    if (outcome.ok()) {
        projectDir_ = folder;
        projectFileName_ = name;
        state_.saveNeeded = false;
        releaseFolderIfSaved();
    }
    return outcome;
}

SaveOutcome ProjectDocument::saveArea(int index) {
    if (index < 0 || index >= static_cast<int>(state_.files.size()))
        return {};
    const NamePipeFile& file = *state_.files[static_cast<std::size_t>(index)];
    if (file.damaged)
        return {};
    SaveOutcome outcome = write(writeFolder(), {{index, file.path(), originalSource(file, true)}},
                                false, std::string());
    if (outcome.ok())
        releaseFolderIfSaved();
    return outcome;
}

std::string ProjectDocument::writeAreaCopy(int index, const std::string& path) {
    const NamePipeFile& file = *state_.files[static_cast<std::size_t>(index)];
    if (std::string error = writeAreaFile(file, path); !error.empty())
        return error;
    // A copy holding edits takes the instrument's original along.
    const std::string source = originalSource(file, file.modified);
    return source.empty() ? std::string() : keepOriginal(source, path);
}

} // namespace tarvel
