#include "project_file.h"

#include "app_state.h"
#include "atomic_file.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>

namespace tarvel {

std::string readProjectFile(const std::string& path, ProjectInfo& record) {
    record = ProjectInfo{};
    std::vector<unsigned char> bytes;
    std::string error = readWholeFile(path, bytes);
    if (!error.empty())
        return error;
    std::memcpy(&record, bytes.data(), std::min(bytes.size(), sizeof record));
    if (bytes.size() < sizeof record)
        return "the project file is incomplete: " + std::to_string(bytes.size()) + " of " +
               std::to_string(sizeof record) + " bytes";
    return {};
}

std::string writeProjectFile(const std::string& path, const ProjectInfo& record) {
    return writeFileAtomically(path, &record, sizeof record);
}

void scanProjectDirectory(const std::string& dir, AreaFileList& files) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::directory_iterator it(dir.empty() ? fs::path(".") : fs::path(dir), ec);
    if (ec)
        return;
    std::string prefix = dir;
    if (!prefix.empty() && prefix.back() != '/')
        prefix.push_back('/');
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec)
            break;
        const fs::directory_entry& entry = *it;
        if (entry.is_symlink(ec) || !entry.is_regular_file(ec))
            continue;
        std::string name = entry.path().filename().string();
        std::size_t dot = name.find_last_of('.');
        if (dot == std::string::npos)
            continue;
        std::string suffix = name.substr(dot + 1);
        std::transform(suffix.begin(), suffix.end(), suffix.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (suffix != "pip")
            continue;
        auto record = std::make_unique<NamePipeFile>();
        record->fileName = name;
        record->dirPath = prefix;
        files.push_back(std::move(record));
    }
}

std::vector<SaveFailure> saveProjectData(AppState& state, const std::string& projectDir,
                                         const std::string& projectFileName) {
    std::vector<SaveFailure> failures;
    if (state.projectModified) {
        std::string path = projectDir + projectFileName;
        std::string error = writeProjectFile(path, state.project);
        if (error.empty())
            state.projectModified = false;
        else
            failures.push_back({path, error});
    }
    for (auto& file : state.files) {
        bool outside = state.mode == kProjectOpen && file->dirPath != projectDir;
        if (!file->modified && !outside)
            continue;
        if (outside)
            file->dirPath = projectDir;
        std::string error = writeAreaFile(*file, file->path());
        if (error.empty()) {
            file->modified = false;
        } else {
            // A moved file that failed to land must be tried again next time.
            file->modified = true;
            failures.push_back({file->path(), error});
        }
    }
    return failures;
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
