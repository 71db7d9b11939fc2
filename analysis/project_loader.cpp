#include "project_loader.h"

#include "area_loader.h"
#include "area_order.h"
#include "data/project_file.h"
#include "ordered_work.h"

#include <vector>

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
    const int workers = workerCount();
    std::vector<ConditioningWorkspace> workspaces(static_cast<std::size_t>(workers));
    std::vector<std::string> errors(load.files.size());
    runInOrder(
        load.files.size(), workers,
        [&](std::size_t item, int worker) {
            NamePipeFile& file = *load.files[item];
            ConditioningWorkspace& workspace = workspaces[static_cast<std::size_t>(worker)];
            LoadResult result = keepSamples ? loadAreaFile(file.path(), file, workspace)
                                            : loadAreaResults(file.path(), file, workspace);
            if (!result.ok())
                errors[item] = file.path() + ": " + result.message;
            if (!keepSamples)
                releaseAreaSamples(file);
        },
        [&](std::size_t item, int) {
            if (!errors[item].empty())
                load.fileErrors.push_back(std::move(errors[item]));
        });
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
