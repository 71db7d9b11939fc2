#include "atomic_file.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvel {
namespace {

// A temporary file older than this process belongs to a save that was killed:
// no save still running can own it.
const std::time_t kProcessStart = std::time(nullptr);

constexpr const char* kTemporaryMark = ".tarvel-save-";
constexpr std::size_t kTemporarySuffixLength = 6; // the XXXXXX of mkstemp

std::string systemError(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

std::string directoryOf(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string nameOf(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a save replaces: `path`, or where its chain of links ends, so
// that the links stay links and the real file gets the new content.
std::string followLinks(const std::string& path, std::string& error) {
    std::string current = path;
    for (int hop = 0; hop < 40; ++hop) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return current;
        char target[PATH_MAX];
        ssize_t length = ::readlink(current.c_str(), target, sizeof target);
        if (length < 0 || static_cast<std::size_t>(length) >= sizeof target) {
            error = systemError("cannot follow the link");
            return {};
        }
        std::string next(target, static_cast<std::size_t>(length));
        current = next.front() == '/' ? next : directoryOf(current) + next;
    }
    error = "cannot follow the link: too many levels of links";
    return {};
}

// Refuses a target that could not be replaced, before anything is written.
std::string checkWritable(const std::string& target, const struct stat* existing) {
    if (existing) {
        if (!S_ISREG(existing->st_mode))
            return "not a regular file";
        // Checked by the mode bits as well: the superuser may write anything,
        // but a file marked read-only is not to be replaced silently.
        if ((existing->st_mode & 0222) == 0)
            return "the file is read-only";
        if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
            return systemError("cannot write the file");
    }
    std::string dir = directoryOf(target);
    if (::faccessat(AT_FDCWD, dir.empty() ? "." : dir.c_str(), W_OK | X_OK, AT_EACCESS) != 0)
        return systemError("cannot write to the folder");
    return {};
}

// Removes the temporary files of earlier saves of the same target that were
// killed before they could rename or remove them.
void removeStaleTemporaries(const std::string& dir, const std::string& name) {
    DIR* listing = ::opendir(dir.empty() ? "." : dir.c_str());
    if (!listing)
        return;
    const std::string prefix = "." + name + kTemporaryMark;
    while (const dirent* entry = ::readdir(listing)) {
        std::string candidate = entry->d_name;
        if (candidate.size() != prefix.size() + kTemporarySuffixLength ||
            candidate.compare(0, prefix.size(), prefix) != 0)
            continue;
        std::string path = dir + candidate;
        struct stat info {};
        if (::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            info.st_mtime < kProcessStart)
            ::unlink(path.c_str());
    }
    ::closedir(listing);
}

std::string writeAll(int fd, const void* data, std::size_t size) {
    const char* cursor = static_cast<const char*>(data);
    std::size_t left = size;
    while (left > 0) {
        ssize_t written = ::write(fd, cursor, left);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return systemError("write failed");
        }
        cursor += written;
        left -= static_cast<std::size_t>(written);
    }
    if (::fsync(fd) != 0)
        return systemError("write failed");
    return {};
}

// Makes the rename itself durable: without it a power loss could bring back
// a folder entry that names neither the old file nor the new one.
void syncFolder(const std::string& dir) {
    int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd); // some file systems cannot sync a folder; the file itself is synced
    ::close(fd);
}

} // namespace

std::string writeTemporaryFor(const std::string& path, const void* data, std::size_t size,
                              std::string& temporaryPath) {
    temporaryPath.clear();
    std::string error;
    const std::string target = followLinks(path, error);
    if (!error.empty())
        return error;

    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    error = checkWritable(target, exists ? &existing : nullptr);
    if (!error.empty())
        return error;

    const std::string dir = directoryOf(target);
    const std::string name = nameOf(target);
    removeStaleTemporaries(dir, name);

    std::string temporary = dir + "." + name + kTemporaryMark + "XXXXXX";
    int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return systemError("cannot create a temporary file");

    // The new file takes the old one's owner, group and mode; a new file gets
    // the usual 0666 less the umask rather than mkstemp's 0600. The owner can
    // only be given where permitted, and a refusal is no reason to fail.
    mode_t mode;
    if (exists) {
        [[maybe_unused]] int ignored = ::fchown(fd, existing.st_uid, existing.st_gid);
        mode = existing.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(fd, mode);

    error = writeAll(fd, data, size);
    if (::close(fd) != 0 && error.empty())
        error = systemError("write failed");
    if (!error.empty()) {
        ::unlink(temporary.c_str());
        return error;
    }
    temporaryPath = temporary;
    return {};
}

std::string replaceWithTemporary(const std::string& temporaryPath, const std::string& path) {
    std::string error;
    const std::string target = followLinks(path, error);
    if (error.empty() && std::rename(temporaryPath.c_str(), target.c_str()) != 0)
        error = systemError("cannot replace the file");
    if (!error.empty()) {
        ::unlink(temporaryPath.c_str());
        return error;
    }
    syncFolder(directoryOf(target));
    return {};
}

std::string writeFileAtomically(const std::string& path, const void* data, std::size_t size) {
    std::string temporary;
    std::string error = writeTemporaryFor(path, data, size, temporary);
    if (!error.empty())
        return error;
    return replaceWithTemporary(temporary, path);
}

} // namespace tarvel
