#include "input_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvel {
namespace {

std::string systemError(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

} // namespace

InputFile::~InputFile() {
    if (fd_ >= 0)
        ::close(fd_);
}

std::string InputFile::open(const std::string& path) {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    // Looking before opening keeps open() itself from waiting for a writer;
    // O_NONBLOCK covers a FIFO swapped in between the two calls.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return systemError("cannot open");
    if (!S_ISREG(info.st_mode))
        return "not a regular file";
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return systemError("cannot open");
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return "not a regular file";
    }
    fd_ = fd;
    size_ = static_cast<std::uint64_t>(info.st_size);
    return {};
}

std::string InputFile::readAt(std::uint64_t offset, void* into, std::size_t count,
                              std::size_t& got) const {
    got = 0;
    char* cursor = static_cast<char*>(into);
    while (got < count) {
        ssize_t n = ::pread(fd_, cursor + got, count - got, static_cast<off_t>(offset + got));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return systemError("read error");
        }
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    return {};
}

std::string checkReadableFile(const std::string& path) {
    InputFile file;
    return file.open(path);
}

std::string readWholeFile(const std::string& path, std::vector<unsigned char>& bytes) {
    bytes.clear();
    InputFile file;
    std::string error = file.open(path);
    if (!error.empty())
        return error;
    bytes.resize(static_cast<std::size_t>(file.size()));
    std::size_t got = 0;
    error = file.readAt(0, bytes.data(), bytes.size(), got);
    bytes.resize(error.empty() ? got : 0);
    return error;
}

} // namespace tarvel
