#include "project_loader.h"

#include "area_loader.h"
#include "area_order.h"
#include "data/project_file.h"

namespace tarvel {

ProjectLoad listProject(const std::string& projectPath) {
    ProjectLoad load;
    splitPath(projectPath, load.projectDir, load.projectFileName);
    load.projectError = readProjectFile(projectPath, load.info);
    load.folderError = scanProjectDirectory(load.projectDir, load.files, &load.skipped);
    sortAreasByFileName(load.files);
    return load;
}

namespace {

ProjectLoad loadEveryArea(const std::string& projectPath, bool keepSamples) {
    ProjectLoad load = listProject(projectPath);
    ConditioningWorkspace workspace;
    for (auto& file : load.files) {
        LoadResult result = keepSamples ? loadAreaFile(file->path(), *file, workspace)
                                        : loadAreaResults(file->path(), *file, workspace);
        if (!result.ok())
            load.fileErrors.push_back(file->path() + ": " + result.message);
        if (!keepSamples)
            releaseAreaSamples(*file);
    }
    return load;
}

} // namespace

ProjectLoad loadProject(const std::string& projectPath) {
    return loadEveryArea(projectPath, true);
}

ProjectLoad loadProjectResults(const std::string& projectPath) {
    return loadEveryArea(projectPath, false);
}

} // namespace tarvel
