#include "cli_common.h"

#include "analysis/area_loader.h"
#include "data/clean_text.h"
#include "data/project_file.h"

#include <algorithm>
#include <cctype>
#include <iostream>

namespace tarvel::cli {

InputKind inputKindOf(const std::string& path) {
    std::size_t dot = path.find_last_of('.');
    std::size_t slash = path.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return InputKind::Unknown;
    std::string suffix = path.substr(dot + 1);
    std::transform(suffix.begin(), suffix.end(), suffix.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (suffix == "pip")
        return InputKind::AreaFile;
    if (suffix == "prj")
        return InputKind::ProjectFile;
    return InputKind::Unknown;
}

std::unique_ptr<NamePipeFile> loadAreaOrThrow(const std::string& path, bool resultsOnly) {
    auto file = std::make_unique<NamePipeFile>();
    splitPath(path, file->dirPath, file->fileName);
    ConditioningWorkspace workspace;
    LoadResult result = resultsOnly ? loadAreaResults(path, *file, workspace)
                                    : loadAreaFile(path, *file, workspace);
    if (!result.ok())
        throw InputError{path + ": " + result.message};
    if (!result.note.empty())
        std::cerr << "tarvel-cli: " << cleanText(path) << ": " << result.note << '\n';
    return file;
}

ProjectLoad listProjectOrThrow(const std::string& path) {
    ProjectLoad load = listProject(path);
    if (!load.projectError.empty())
        throw InputError{path + ": " + load.projectError};
    if (!load.folderError.empty())
        throw InputError{load.folderError};
    // Nothing named like an area is left out without a word.
    for (const SkippedEntry& entry : load.skipped)
        std::cerr << "tarvel-cli: " << cleanText(entry.path) << ": skipped: " << entry.reason
                  << '\n';
    return load;
}

void loadProjectAreaResultsOrThrow(NamePipeFile& file, ConditioningWorkspace& workspace) {
    LoadResult result = loadAreaResults(file.path(), file, workspace);
    if (!result.ok())
        throw InputError{file.path() + ": " + result.message};
}

} // namespace tarvel::cli
