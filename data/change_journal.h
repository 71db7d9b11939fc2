// Changing several files as one: every area of a project old, or every area
// new, whenever the writer is stopped.
//
// Every new content is written and synced to a temporary beside its file
// first. Only then is a journal naming each temporary and the file it
// replaces put in the folder (atomically), the renames done, and the
// journal removed. A writer killed before the journal stands leaves
// temporaries whose lock is gone, removed by the next save there: every
// file is old. Killed after it, the next writer finds the journal and does
// the renames left (completePendingChange): every file is new.
#pragma once

#include "atomic_file.h"

#include <cstddef>
#include <string>
#include <vector>

namespace tarvel {

inline constexpr const char* kChangeJournalName = ".tarvel-journal";

// True while a change of several files in `folder` awaits completion.
bool hasPendingChange(const std::string& folder);

// The steps of a change, for tests that stop a writer at each of them.
enum class ChangeStep {
    TemporaryWritten, // index: the temporary just written
    JournalWritten,
    FileReplaced, // index: the file just replaced
    JournalRemoved,
};
using ChangeStepHook = void (*)(ChangeStep step, std::size_t index);
// Installs a function called after each step (none by default).
void setChangeStepHook(ChangeStepHook hook);

class FileChangeSet {
public:
    // The journal goes into `folder` (ending in a separator, or empty).
    explicit FileChangeSet(std::string folder);
    ~FileChangeSet() = default;
    FileChangeSet(const FileChangeSet&) = delete;
    FileChangeSet& operator=(const FileChangeSet&) = delete;

    // Writes the new content of `path` beside the file it names. Returns an
    // empty string or the reason; a failed add leaves nothing of it.
    std::string add(const std::string& path, const void* data, std::size_t size,
                    const TailCopy* tail = nullptr);
    std::size_t size() const { return files_.size(); }

    // Replaces every file added. Returns an empty string or the reason.
    // Before any rename, a failure removes every temporary and changes
    // nothing; a rename failing after the journal stands leaves the journal
    // for the next writer to complete, and says so.
    std::string commit();

private:
    struct Entry {
        PreparedReplacement prepared;
        std::uint64_t size = 0;      // bytes written before the tail
        std::uint64_t totalSize = 0; // with the tail
        std::uint64_t digest = 0;    // of the first `size` bytes
    };
    std::string writeJournal();

    std::string folder_;
    std::vector<Entry> files_;
};

struct PendingCompletion {
    std::vector<std::string> completed; // files replaced now
    std::string error;                  // empty when the change was completed
    bool found = false;                 // a journal was there
};

// Completes the change a killed writer left in `folder`, if any. The caller
// holds the folder's lock (FolderLock), so no writer is still at it. A file
// whose new content is no longer there keeps the content it has, and the
// error names it; the journal is removed either way, so one damaged change
// never blocks the folder.
PendingCompletion completePendingChange(const std::string& folder);

} // namespace tarvel
