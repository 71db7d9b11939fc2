#include "temporary_file.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvel::scrivet {

TemporaryFile::TemporaryFile(std::string pattern) : path_(std::move(pattern)) {
    fd_ = mkstemp(path_.data());
    if (fd_ < 0)
        throw std::runtime_error("cannot create a file in " +
                                 std::filesystem::path(path_).parent_path().string() + ": " +
                                 std::strerror(errno));
}

TemporaryFile::~TemporaryFile() {
    if (fd_ >= 0)
        close(fd_);
    if (!committed_)
        std::remove(path_.c_str());
}

void TemporaryFile::commitAs(const std::string& destination) {
    // mkstemp makes the file private; a document gets the usual permissions.
    const mode_t mask = umask(0);
    umask(mask);
    chmod(path_.c_str(), 0666 & ~mask);
    if (std::rename(path_.c_str(), destination.c_str()) != 0)
        throw std::runtime_error(std::string("cannot replace the file: ") + std::strerror(errno));
    committed_ = true;
}

TemporaryFile temporaryFileBeside(const std::string& destination) {
    return TemporaryFile(destination + ".XXXXXX");
}

} // namespace tarvel::scrivet
