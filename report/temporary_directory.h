// A directory made under a unique name and removed with its content.
#pragma once

#include <string>

namespace tarvel {

class TemporaryDirectory {
public:
    // `pattern` ends in "XXXXXX"; ok() is false when it could not be made.
    explicit TemporaryDirectory(std::string pattern);
    ~TemporaryDirectory();
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

    bool ok() const { return !path_.empty(); }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// "<system temporary folder>/<prefix>XXXXXX".
std::string temporaryPattern(const std::string& prefix);

} // namespace tarvel
