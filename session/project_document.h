// The project on disk and in memory, without a screen: opening, saving and
// closing it, adding, removing and renaming its areas, and the rules that
// keep every save safe. One writer at a time holds the project folder while
// there are unsaved changes or a save runs; a change someone else made on
// disk is never overwritten unnoticed; the areas are replaced together or
// not at all; and the instrument's original of an area is kept before its
// first change. The desktop's session wraps it; the tests use it directly.
#pragma once

#include "data/acceptance_file.h"
#include "data/app_state.h"
#include "data/folder_lock.h"

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace tarvel {

// "<file name>: <reason>" for an area that could not be read whole.
struct AreaProblem {
    std::string fileName;
    std::string reason;
};

struct OpenOutcome {
    bool opened = false;
    std::string error;                 // why nothing was opened (what was open stays)
    bool recordUnreadable = false;     // the error is about the project record
    std::vector<AreaProblem> problems; // areas read in part, or damaged
    std::string folderError;           // the folder could not be listed whole
    AcceptanceRead criteria;
    std::size_t completedFiles = 0; // a change a killed writer left, completed first
    std::string completionError;
};

struct SaveOutcome {
    bool busy = false; // another program writes in the folder
    LockHolder holder;
    // Areas someone else changed on disk since they were read or written
    // here: nothing was written.
    std::vector<int> changedOnDisk;
    std::vector<std::pair<std::string, std::string>> failures; // path, reason
    bool ok() const { return !busy && changedOnDisk.empty() && failures.empty(); }
};

enum class RenameRefusal { None, TooLong, WrongSuffix, Duplicate, Failed };

class ProjectDocument {
public:
    // `program` names this program in the folder's lock.
    explicit ProjectDocument(std::string program);

    AppState& state() { return state_; }
    const AppState& state() const { return state_; }
    // The open project's folder (ending in a separator) and file name; for
    // a single area file, its folder. Empty until a project has a file.
    const std::string& projectDir() const { return projectDir_; }
    const std::string& projectFileName() const { return projectFileName_; }
    // The folder the lock and the journal of the open files belong to.
    std::string writeFolder() const;

    // Something would be lost by closing now.
    bool hasUnsavedChanges() const;

    // Opens the project or area file at `path`, replacing what is open only
    // once it could be read. Completes first a change a killed writer left
    // in the folder. Areas that are not areas (a FIFO, a damaged file) are
    // listed as damaged.
    OpenOutcome openProject(const std::string& path);
    OpenOutcome openAreaFile(const std::string& path);
    // A new project with this information, no file and no areas yet.
    void startProject(const ProjectInfo& info);
    void close();

    // A record of the area at `path`, read, conditioned and stamped.
    static std::unique_ptr<NamePipeFile> readArea(const std::string& path);
    void appendFile(std::unique_ptr<NamePipeFile> record);
    void replaceFile(int index, std::unique_ptr<NamePipeFile> record);
    void eraseFile(int index);
    // Renames the area's file on disk (and its kept original) in place.
    RenameRefusal renameFile(int index, const std::string& name);
    void setExcluded(int index, bool excluded);
    void setProjectInfo(const ProjectInfo& info);
    void setOptions(const ViewOptions& options) { state_.options = options; }

    // Areas whose file someone else changed (or removed) since it was read
    // or written here.
    bool changedOnDisk(int index) const;
    std::vector<int> areasChangedOnDisk() const;
    // The user chose to overwrite that change: the next save writes anyway.
    void overwriteDiskChange(int index);

    // Holds the folder for writing, waiting up to `wait` for another writer.
    LockAttempt holdFolder(std::chrono::milliseconds wait);
    // Lets the folder go when nothing is left unsaved.
    void releaseFolderIfSaved();
    bool holdsFolder() const { return lock_.held(); }

    // Writes the project record when it changed and every area that changed
    // or lies outside the project folder (it moves in), together. A project
    // without a file yet is written to `newProjectPath`.
    SaveOutcome save(const std::string& newProjectPath = std::string());
    // Writes the record and every area into the folder of `projectPath`,
    // which becomes the project's.
    SaveOutcome saveAs(const std::string& projectPath);
    // Writes one area to its own file.
    SaveOutcome saveArea(int index);
    // Writes a copy of one area to `path`; the record stays as it is.
    // Returns an empty string or the reason.
    std::string writeAreaCopy(int index, const std::string& path);

private:
    struct Planned;
    SaveOutcome write(const std::string& folder, const std::vector<Planned>& plan,
                      bool withProjectRecord, const std::string& projectPath);
    void resetState();

    std::string program_;
    AppState state_;
    std::string projectDir_;
    std::string projectFileName_;
    FolderLock lock_;
};

} // namespace tarvel
