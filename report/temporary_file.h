// A file made under a unique name and removed again unless it is kept:
// documents are built beside their destination and renamed over it, so a
// failed write never leaves half a file.
#pragma once

#include <string>

namespace tarvel::scrivet {

class TemporaryFile {
public:
    // `pattern` ends in "XXXXXX"; throws std::runtime_error with the reason.
    explicit TemporaryFile(std::string pattern);
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::string& path() const { return path_; }
    int descriptor() const { return fd_; }

    // Renames the file to `destination` with the usual permissions of a new
    // file; throws std::runtime_error with the reason.
    void commitAs(const std::string& destination);

private:
    std::string path_;
    int fd_ = -1;
    bool committed_ = false;
};

// A temporary file in the folder of `destination`.
TemporaryFile temporaryFileBeside(const std::string& destination);

} // namespace tarvel::scrivet
