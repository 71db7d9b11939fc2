#include "atomic_file.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvel {
namespace {

std::string systemError(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

std::string nameOf(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
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
    std::string dir = folderOf(target);
    if (::faccessat(AT_FDCWD, dir.empty() ? "." : dir.c_str(), W_OK | X_OK, AT_EACCESS) != 0)
        return systemError("cannot write to the folder");
    return {};
}

} // namespace

std::string folderOf(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string followLinks(const std::string& path, std::string& error) {
    std::string current = path;
    for (int hop = 0; hop < 40; ++hop) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return current;
        char target[PATH_MAX];
        ssize_t length = ::readlink(current.c_str(), target, sizeof target);
        if (length <= 0 || static_cast<std::size_t>(length) >= sizeof target) {
            error = systemError("cannot follow the link");
            return {};
        }
        std::string next(target, static_cast<std::size_t>(length));
        current = next.front() == '/' ? next : folderOf(current) + next;
    }
    error = "cannot follow the link: too many levels of links";
    return {};
}

void syncFolderOf(const std::string& path) {
    // Without it a power loss could bring back a folder entry that names
    // neither the old file nor the new one.
    const std::string dir = folderOf(path);
    int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd); // some file systems cannot sync a folder; the file itself is synced
    ::close(fd);
}

std::string prepareReplacement(const std::string& path, const void* data, std::size_t size,
                               PreparedReplacement& prepared, const TailCopy* tail) {
    prepared = PreparedReplacement{};
    std::string error;
    const std::string target = followLinks(path, error);
    if (!error.empty())
        return error;

    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    error = checkWritable(target, exists ? &existing : nullptr);
    if (!error.empty())
        return error;

    const std::string dir = folderOf(target);
    removeStaleTemporaries(dir);
    LockedTemporary temporary;
    error = temporary.create(dir, nameOf(target));
    if (!error.empty())
        return error;
    const int fd = temporary.descriptor();

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

    error = writeAllTo(fd, data, size);
    if (error.empty() && tail && tail->length > 0)
        error = copyDataExtents(tail->source, fd, tail->offset, tail->length);
    if (error.empty() && ::fsync(fd) != 0)
        error = writeFailure("write failed", errno);
    if (!error.empty())
        return error; // the temporary goes with its object
    prepared.target = target;
    prepared.temporary = std::move(temporary);
    return {};
}

std::string commitReplacement(PreparedReplacement& prepared) {
    std::string error = prepared.temporary.commit(prepared.target);
    if (error.empty())
        syncFolderOf(prepared.target);
    return error;
}

std::string writeFileAtomically(const std::string& path, const void* data, std::size_t size) {
    PreparedReplacement prepared;
    std::string error = prepareReplacement(path, data, size, prepared);
    if (!error.empty())
        return error;
    return commitReplacement(prepared);
}

} // namespace tarvel
