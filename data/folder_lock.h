// One writer at a time in a project folder.
//
// The lock is an flock on the file ".tarvel.lock" in the folder, which names
// the program, process and host holding it. The kernel releases an flock
// when its process ends however it ends, so a lock whose holder is gone is
// simply free: there is no stale lock to judge by age or process id, and
// the command-line tool needs no Qt for it.
#pragma once

#include <chrono>
#include <string>

namespace tarvel {

inline constexpr const char* kFolderLockName = ".tarvel.lock";

struct LockHolder {
    std::string program;
    long processId = 0;
    std::string host;
    // "tarvel-cli set (process 1234 on host lab-3)", or a plain phrase when
    // the holder wrote nothing yet.
    std::string describe() const;
};

struct LockAttempt {
    bool acquired = false;
    bool busy = false; // another writer holds it: see holder
    LockHolder holder;
    std::string error; // neither held nor busy: why the lock could not be taken
};

class FolderLock {
public:
    FolderLock() = default;
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Takes the lock of `folder` (ending in a separator, or empty) for
    // `program`, trying again until `wait` has passed. Taking a lock already
    // held for the same folder succeeds at once.
    LockAttempt acquire(const std::string& folder, const std::string& program,
                        std::chrono::milliseconds wait);
    void release();
    bool held() const { return fd_ >= 0; }
    const std::string& folder() const { return folder_; }

private:
    int fd_ = -1;
    std::string folder_;
};

// Who holds the lock of `folder` now; nothing when it is free.
bool findLockHolder(const std::string& folder, LockHolder& holder);

} // namespace tarvel
