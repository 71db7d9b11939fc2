#include "temporary_files.h"

#include "change_journal.h"
#include "content_hash.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace tarvel {
namespace {

constexpr std::size_t kRandomPart = 6; // the XXXXXX of mkstemp
constexpr long kUsualNameLimit = 255;

std::string folderOrDot(const std::string& folder) {
    return folder.empty() ? std::string(".") : folder;
}

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// True when the open file still is the one at `path`: a cleaner that found
// its writer gone may have unlinked it between creation and locking.
bool stillNamed(int fd, const std::string& path) {
    struct stat opened {};
    struct stat named {};
    return ::fstat(fd, &opened) == 0 && opened.st_nlink > 0 && ::lstat(path.c_str(), &named) == 0 &&
           sameFile(opened, named);
}

bool isTemporaryName(const std::string& name) {
    const std::size_t mark = name.rfind(kTemporaryMark);
    return !name.empty() && name.front() == '.' && mark != std::string::npos && mark > 0 &&
           name.size() == mark + std::strlen(kTemporaryMark) + kRandomPart;
}

// The start of `text` in at most `bytes` bytes, not cutting a UTF-8 character.
std::string utf8Prefix(const std::string& text, std::size_t bytes) {
    if (text.size() <= bytes)
        return text;
    std::size_t end = bytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

} // namespace

std::string writeFailure(const char* what, int error) {
    return std::string(what) + ": " + std::strerror(error);
}

std::string writeAllTo(int fd, const void* data, std::size_t size) {
    const char* cursor = static_cast<const char*>(data);
    std::size_t left = size;
    while (left > 0) {
        ssize_t written = ::write(fd, cursor, left);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return writeFailure("write failed", errno);
        }
        cursor += written;
        left -= static_cast<std::size_t>(written);
    }
    return {};
}

std::string copyDataExtents(int source, int target, std::uint64_t offset, std::uint64_t length) {
    const auto end = static_cast<off_t>(offset + length);
    off_t position = static_cast<off_t>(offset);
    bool kernelCopy = true;
    std::vector<char> buffer;
    while (position < end) {
        off_t data = ::lseek(source, position, SEEK_DATA);
        if (data < 0) {
            if (errno == ENXIO)
                break;       // the rest is a hole
            data = position; // no hole information: copy everything
        }
        if (data >= end)
            break;
        off_t hole = ::lseek(source, data, SEEK_HOLE);
        if (hole < 0 || hole > end)
            hole = end;
        off_t in = data;
        off_t out = data;
        while (in < hole) {
            const auto chunk = static_cast<std::size_t>(hole - in);
            ssize_t copied = -1;
            if (kernelCopy) {
                copied = ::copy_file_range(source, &in, target, &out, chunk, 0);
                if (copied < 0 && errno != EINTR && errno != ENOSPC && errno != EDQUOT &&
                    errno != EIO) {
                    kernelCopy = false; // another file system or an old kernel
                    continue;
                }
            } else {
                buffer.resize(std::min<std::size_t>(chunk, 1 << 20));
                copied = ::pread(source, buffer.data(), buffer.size(), in);
                if (copied > 0) {
                    ssize_t written =
                        ::pwrite(target, buffer.data(), static_cast<std::size_t>(copied), out);
                    if (written != copied)
                        return writeFailure("write failed", written < 0 ? errno : ENOSPC);
                    in += copied;
                    out += copied;
                }
            }
            if (copied < 0) {
                if (errno == EINTR)
                    continue;
                return writeFailure("copying the bytes after the last point failed", errno);
            }
            if (copied == 0)
                return "the file became shorter while it was copied";
        }
        position = hole;
    }
    if (::ftruncate(target, end) != 0)
        return writeFailure("write failed", errno);
    return {};
}

std::string temporaryNameFor(const std::string& folder, const std::string& target) {
    long limit = ::pathconf(folderOrDot(folder).c_str(), _PC_NAME_MAX);
    if (limit <= 0)
        limit = kUsualNameLimit;
    const std::string tail = std::string(kTemporaryMark) + std::string(kRandomPart, 'X');
    std::string name = "." + target + tail;
    if (name.size() <= static_cast<std::size_t>(limit))
        return name;
    // A digest of the whole name keeps temporaries of two long names that
    // share their start apart.
    char digest[18];
    std::snprintf(digest, sizeof digest, "~%016llx",
                  static_cast<unsigned long long>(contentHash(target.data(), target.size())));
    const std::size_t room = static_cast<std::size_t>(limit) - 1 - tail.size() - 17;
    return "." + utf8Prefix(target, room) + digest + tail;
}

LockedTemporary::~LockedTemporary() {
    discard();
}

LockedTemporary::LockedTemporary(LockedTemporary&& other) noexcept
    : path_(std::move(other.path_)), fd_(std::exchange(other.fd_, -1)) {
    other.path_.clear();
}

LockedTemporary& LockedTemporary::operator=(LockedTemporary&& other) noexcept {
    if (this != &other) {
        discard();
        path_ = std::move(other.path_);
        other.path_.clear();
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

std::string LockedTemporary::create(const std::string& folder, const std::string& target) {
    discard();
    const std::string pattern = folder + temporaryNameFor(folder, target);
    for (int attempt = 0; attempt < 8; ++attempt) {
        std::string path = pattern;
        int fd = ::mkostemp(path.data(), O_CLOEXEC);
        if (fd < 0)
            return writeFailure("cannot create a temporary file", errno);
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && stillNamed(fd, path)) {
            path_ = std::move(path);
            fd_ = fd;
            return {};
        }
        ::close(fd); // a cleaner took it for a dead writer's: make another
    }
    return "cannot create a temporary file: it was removed as soon as it was made";
}

std::string LockedTemporary::commit(const std::string& destination) {
    std::string error;
    if (fd_ >= 0 && ::fsync(fd_) != 0)
        error = writeFailure("write failed", errno);
    if (error.empty() && std::rename(path_.c_str(), destination.c_str()) != 0)
        error = writeFailure("cannot replace the file", errno);
    if (!error.empty()) {
        discard();
        return error;
    }
    forget();
    return {};
}

std::string LockedTemporary::relock() {
    if (fd_ >= 0 && stillNamed(fd_, path_))
        return {}; // still the file this object locked
    const int fd = ::open(path_.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return writeFailure("cannot reopen the temporary file", errno);
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return "the temporary file is held by another program";
    }
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = fd;
    return {};
}

void LockedTemporary::forget() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    path_.clear();
}

void LockedTemporary::discard() {
    if (!path_.empty())
        ::unlink(path_.c_str());
    forget();
}

int removeStaleTemporaries(const std::string& folder) {
    if (hasPendingChange(folder))
        return 0;
    DIR* listing = ::opendir(folderOrDot(folder).c_str());
    if (!listing)
        return 0;
    int removed = 0;
    while (const dirent* entry = ::readdir(listing)) {
        const std::string name = entry->d_name;
        if (!isTemporaryName(name))
            continue;
        const std::string path = folder + name;
        int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat info {};
        // A free lock means the writer is gone; its half-made file is no use.
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0 && stillNamed(fd, path) &&
            ::unlink(path.c_str()) == 0)
            ++removed;
        ::close(fd);
    }
    ::closedir(listing);
    return removed;
}

} // namespace tarvel
