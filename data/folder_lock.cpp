#include "folder_lock.h"

#include "temporary_files.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace tarvel {
namespace {

constexpr auto kRetryInterval = std::chrono::milliseconds(50);

std::string lockPath(const std::string& folder) {
    return folder + kFolderLockName;
}

std::string hostName() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0)
        return "unknown";
    return name;
}

// Reads what the holder wrote: "program\nprocess id\nhost\n".
LockHolder readHolder(int fd) {
    char text[512] = {};
    const ssize_t got = ::pread(fd, text, sizeof text - 1, 0);
    LockHolder holder;
    if (got <= 0)
        return holder;
    std::string lines(text, static_cast<std::size_t>(got));
    std::size_t first = lines.find('\n');
    std::size_t second = first == std::string::npos ? first : lines.find('\n', first + 1);
    if (second == std::string::npos)
        return holder;
    holder.program = lines.substr(0, first);
    holder.processId =
        std::strtol(lines.substr(first + 1, second - first - 1).c_str(), nullptr, 10);
    std::size_t third = lines.find('\n', second + 1);
    holder.host = lines.substr(second + 1,
                               third == std::string::npos ? std::string::npos : third - second - 1);
    return holder;
}

// True when the locked descriptor is still the lock file of the folder: a
// holder removes the file as it lets go, and a waiter that locked the old
// file then holds nothing.
bool stillTheLockFile(int fd, const std::string& path) {
    struct stat opened {};
    struct stat named {};
    return ::fstat(fd, &opened) == 0 && ::lstat(path.c_str(), &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

} // namespace

std::string LockHolder::describe() const {
    if (program.empty())
        return "another program";
    return program + " (process " + std::to_string(processId) + " on host " + host + ")";
}

FolderLock::~FolderLock() {
    release();
}

LockAttempt FolderLock::acquire(const std::string& folder, const std::string& program,
                                std::chrono::milliseconds wait) {
    LockAttempt attempt;
    if (held() && folder == folder_) {
        attempt.acquired = true;
        return attempt;
    }
    release();
    const std::string path = lockPath(folder);
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0) {
            attempt.error = writeFailure("cannot lock the folder", errno);
            return attempt;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            if (stillTheLockFile(fd, path)) {
                const std::string text =
                    program + "\n" + std::to_string(::getpid()) + "\n" + hostName() + "\n";
                if (::ftruncate(fd, 0) == 0) {
                    [[maybe_unused]] ssize_t ignored = ::pwrite(fd, text.data(), text.size(), 0);
                }
                fd_ = fd;
                folder_ = folder;
                attempt.acquired = true;
                return attempt;
            }
            ::close(fd);
            continue; // the holder removed it as we locked: take the new one
        }
        const int error = errno;
        attempt.holder = readHolder(fd);
        ::close(fd);
        if (error != EWOULDBLOCK) {
            attempt.error = writeFailure("cannot lock the folder", error);
            return attempt;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            attempt.busy = true;
            return attempt;
        }
        std::this_thread::sleep_for(kRetryInterval);
    }
}

void FolderLock::release() {
    if (fd_ < 0)
        return;
    // Removed while still locked, so a waiter that opened it sees the change.
    ::unlink(lockPath(folder_).c_str());
    ::close(fd_);
    fd_ = -1;
    folder_.clear();
}

bool findLockHolder(const std::string& folder, LockHolder& holder) {
    int fd = ::open(lockPath(folder).c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool busy = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    if (busy)
        holder = readHolder(fd);
    ::close(fd);
    return busy;
}

} // namespace tarvel
