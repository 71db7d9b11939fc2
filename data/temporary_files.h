// The temporary files a save writes beside its target before renaming it
// over the old file.
//
// A writer holds an exclusive flock on each of its temporaries until it has
// renamed or removed it. The kernel drops that lock when the writer dies, so
// whoever writes next in the folder can tell a temporary of a running save
// (locked) from one left by a killed save (unlocked), whatever its age.
#pragma once

#include <cstdint>
#include <string>

namespace tarvel {

// Part of every temporary's name: ".<target name>.tarvel-save-XXXXXX".
inline constexpr const char* kTemporaryMark = ".tarvel-save-";

// A temporary file, open for writing and locked while this object lives.
// Destroying it without commit() removes the file.
class LockedTemporary {
public:
    LockedTemporary() = default;
    ~LockedTemporary();
    LockedTemporary(LockedTemporary&& other) noexcept;
    LockedTemporary& operator=(LockedTemporary&& other) noexcept;
    LockedTemporary(const LockedTemporary&) = delete;
    LockedTemporary& operator=(const LockedTemporary&) = delete;

    // Creates the temporary for `target` in `folder` (which ends in a
    // separator or is empty). Returns an empty string or the reason.
    std::string create(const std::string& folder, const std::string& target);

    const std::string& path() const { return path_; }
    int descriptor() const { return fd_; }
    bool isOpen() const { return fd_ >= 0; }

    // Renames the temporary to `destination` and closes it. Returns an empty
    // string or the reason (the temporary is then removed).
    std::string commit(const std::string& destination);
    // Locks the file now at path(), after a library that writes through its
    // own temporaries replaced it there. Returns an empty string or the reason.
    std::string relock();
    // Keeps the file (renamed by someone else, or to be renamed later) but
    // lets go of the descriptor and the lock.
    void forget();

private:
    void discard();

    std::string path_;
    int fd_ = -1;
};

// The name of the temporary for `target`: ".<target>.tarvel-save-XXXXXX",
// shortened (keeping a digest of the whole name) when that would exceed the
// folder's limit on name length.
std::string temporaryNameFor(const std::string& folder, const std::string& target);

// Removes every temporary in `folder` whose writer is gone (its lock is
// free), however young. Leaves them all alone while an interrupted change of
// several files awaits completion there (its temporaries are its new
// content). Returns the number removed.
int removeStaleTemporaries(const std::string& folder);

// The system's reason for a failed write, naming a full disk or an exhausted
// quota as such: "what: No space left on device".
std::string writeFailure(const char* what, int error);

// Writes all of `size` bytes at the descriptor's position.
std::string writeAllTo(int fd, const void* data, std::size_t size);

// Copies `length` bytes of `source` from `offset` to the same place in
// `target`, data extents only: holes stay holes and are never read.
std::string copyDataExtents(int source, int target, std::uint64_t offset, std::uint64_t length);

} // namespace tarvel
