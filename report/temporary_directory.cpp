#include "temporary_directory.h"

#include <cstdlib>
#include <filesystem>

namespace tarvel {

TemporaryDirectory::TemporaryDirectory(std::string pattern) : path_(std::move(pattern)) {
    if (mkdtemp(path_.data()) == nullptr)
        path_.clear();
}

TemporaryDirectory::~TemporaryDirectory() {
    std::error_code ec;
    if (!path_.empty())
        std::filesystem::remove_all(path_, ec);
}

std::string temporaryPattern(const std::string& prefix) {
    std::error_code ec;
    std::filesystem::path folder = std::filesystem::temp_directory_path(ec);
    if (ec)
        folder = "/tmp";
    return (folder / (prefix + "XXXXXX")).string();
}

} // namespace tarvel
