#include "atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvel {
namespace {

std::string systemError(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

std::string directoryOf(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

} // namespace

std::string readWholeFile(const std::string& path, std::vector<unsigned char>& bytes) {
    bytes.clear();
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return systemError("cannot open");
    struct stat info {};
    if (fstat(fileno(file), &info) != 0 || !S_ISREG(info.st_mode)) {
        std::fclose(file);
        return "not a regular file";
    }
    bytes.resize(static_cast<std::size_t>(info.st_size));
    std::size_t got = bytes.empty() ? 0 : std::fread(bytes.data(), 1, bytes.size(), file);
    bool failed = std::ferror(file) != 0;
    std::fclose(file);
    bytes.resize(got);
    if (failed) {
        bytes.clear();
        return "read error";
    }
    return {};
}

std::string writeTemporaryFor(const std::string& path, const void* data, std::size_t size,
                              std::string& temporaryPath) {
    temporaryPath.clear();
    std::string pattern = directoryOf(path) + ".tarvel-save-XXXXXX";
    int fd = mkstemp(pattern.data());
    if (fd < 0)
        return systemError("cannot create a temporary file");

    // Keep the permissions of the file being replaced; a new file gets the
    // usual 0666 less the umask rather than mkstemp's 0600.
    struct stat existing {};
    mode_t mode;
    if (stat(path.c_str(), &existing) == 0) {
        mode = existing.st_mode & 07777;
    } else {
        mode_t mask = umask(0);
        umask(mask);
        mode = 0666 & ~mask;
    }
    fchmod(fd, mode);

    const char* cursor = static_cast<const char*>(data);
    std::size_t left = size;
    std::string error;
    while (left > 0) {
        ssize_t written = ::write(fd, cursor, left);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            error = systemError("write failed");
            break;
        }
        cursor += written;
        left -= static_cast<std::size_t>(written);
    }
    if (error.empty() && fsync(fd) != 0)
        error = systemError("write failed");
    if (::close(fd) != 0 && error.empty())
        error = systemError("write failed");
    if (!error.empty()) {
        ::unlink(pattern.c_str());
        return error;
    }
    temporaryPath = pattern;
    return {};
}

std::string replaceWithTemporary(const std::string& temporaryPath, const std::string& path) {
    if (std::rename(temporaryPath.c_str(), path.c_str()) == 0)
        return {};
    std::string error = systemError("cannot replace the file");
    ::unlink(temporaryPath.c_str());
    return error;
}

std::string writeFileAtomically(const std::string& path, const void* data, std::size_t size) {
    std::string temporary;
    std::string error = writeTemporaryFor(path, data, size, temporary);
    return error.empty() ? replaceWithTemporary(temporary, path) : error;
}

} // namespace tarvel
