#include "project_file.h"

#include "atomic_file.h"
#include "input_file.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>

namespace tarvel {
namespace {

// The suffix after the last dot is "pip", without regard to case.
bool hasAreaSuffix(const std::string& name) {
    std::size_t dot = name.find_last_of('.');
    if (dot == std::string::npos)
        return false;
    std::string suffix = name.substr(dot + 1);
    std::transform(suffix.begin(), suffix.end(), suffix.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return suffix == "pip";
}

} // namespace

std::string readProjectFile(const std::string& path, ProjectInfo& record) {
    record = ProjectInfo{};
    InputFile file;
    std::string error = file.open(path);
    if (!error.empty())
        return error;
    // Reads straight into the record: an empty file has no bytes to copy, and
    // a huge one is never read beyond the record.
    std::size_t got = 0;
    error = file.readAt(0, &record, sizeof record, got);
    if (!error.empty()) {
        record = ProjectInfo{};
        return error;
    }
    if (got < sizeof record)
        return "the project file is incomplete: " + std::to_string(got) + " of " +
               std::to_string(sizeof record) + " bytes";
    return {};
}

std::string writeProjectFile(const std::string& path, const ProjectInfo& record) {
    return writeFileAtomically(path, &record, sizeof record);
}

namespace {

// Why an entry named like an area is not read as one; empty for a regular
// file or a link to one, which is read (and saved) through the link.
std::string whyNotAnArea(const std::filesystem::directory_entry& entry, std::error_code& ec) {
    namespace fs = std::filesystem;
    const fs::file_status own = entry.symlink_status(ec);
    if (ec)
        return {};
    if (fs::is_regular_file(own))
        return {};
    std::error_code followEc;
    const fs::file_status target = fs::is_symlink(own) ? entry.status(followEc) : own;
    if (fs::is_symlink(own) && (followEc || !fs::exists(target)))
        return "a link to nothing";
    if (fs::is_regular_file(target))
        return {};
    if (fs::is_directory(target))
        return "a folder, not an area file";
    if (fs::is_fifo(target))
        return "a FIFO, not an area file";
    if (fs::is_character_file(target) || fs::is_block_file(target))
        return "a device, not an area file";
    return "not a regular file";
}

} // namespace

std::string scanProjectDirectory(const std::string& dir, AreaFileList& files,
                                 std::vector<SkippedEntry>* skipped) {
    namespace fs = std::filesystem;
    const fs::path folder = dir.empty() ? fs::path(".") : fs::path(dir);
    std::error_code ec;
    if (!fs::exists(folder, ec) && !ec)
        return {};
    // A folder that cannot be listed is not an empty project: say why.
    auto listingError = [&folder](const std::error_code& error) {
        return folder.string() + ": cannot list the folder: " + error.message();
    };
    fs::directory_iterator it(folder, ec);
    if (ec)
        return listingError(ec);
    std::string prefix = dir;
    if (!prefix.empty() && prefix.back() != '/')
        prefix.push_back('/');
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec)
            return listingError(ec);
        const fs::directory_entry& entry = *it;
        std::string name = entry.path().filename().string();
        if (!hasAreaSuffix(name))
            continue;
        const std::string reason = whyNotAnArea(entry, ec);
        if (ec)
            return entry.path().string() + ": cannot examine the file: " + ec.message();
        if (!reason.empty()) {
            if (skipped)
                skipped->push_back({prefix + name, reason});
            continue;
        }
        auto record = std::make_unique<NamePipeFile>();
        record->fileName = name;
        record->dirPath = prefix;
        files.push_back(std::move(record));
    }
    if (ec)
        return listingError(ec);
    return {};
}

void splitPath(const std::string& path, std::string& dir, std::string& name) {
    std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        dir.clear();
        name = path;
    } else {
        dir = path.substr(0, slash + 1);
        name = path.substr(slash + 1);
    }
}

} // namespace tarvel
