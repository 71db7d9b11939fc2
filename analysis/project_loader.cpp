#include "project_loader.h"

#include "area_loader.h"
#include "area_order.h"
#include "data/project_file.h"

namespace tarvel {

ProjectLoad listProject(const std::string& projectPath) {
    ProjectLoad load;
    splitPath(projectPath, load.projectDir, load.projectFileName);
    load.projectError = readProjectFile(projectPath, load.info);
    load.folderError = scanProjectDirectory(load.projectDir, load.files);
    sortAreasByFileName(load.files);
    return load;
}

ProjectLoad loadProject(const std::string& projectPath) {
    ProjectLoad load = listProject(projectPath);
    for (auto& file : load.files) {
        LoadResult result = loadAreaFile(file->path(), *file);
        if (!result.ok())
            load.fileErrors.push_back(file->path() + ": " + result.message);
    }
    return load;
}

} // namespace tarvel
