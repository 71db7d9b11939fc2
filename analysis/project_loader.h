// Opening a whole project: its record, then every area file of its folder.
#pragma once

#include "data/area_file.h"
#include "data/project_file.h"
#include "data/project_info.h"

#include <string>
#include <vector>

namespace tarvel {

struct ProjectLoad {
    ProjectInfo info{};
    std::string projectDir;              // ends in a separator, or empty
    std::string projectFileName;         // name with extension
    AreaFileList files;                  // in natural order of file names, loaded and conditioned
    std::string projectError;            // why the project record could not be read whole
    std::string folderError;             // why the folder could not be listed whole
    std::vector<SkippedEntry> skipped;   // entries named like areas that are none
    std::vector<std::string> fileErrors; // "<path>: <reason>" for each area that failed
};

ProjectLoad loadProject(const std::string& projectPath);

// As loadProject, but each area's samples are released as soon as its
// results are computed: for callers that need only the results, memory then
// follows the few areas conditioned at once, not the project.
ProjectLoad loadProjectResults(const std::string& projectPath);

// As loadProject, but the area records are only named, not loaded: a caller
// that needs one area at a time loads each (loadAreaFile) and releases it
// (releaseAreaRecord) before the next. fileErrors stays empty.
ProjectLoad listProject(const std::string& projectPath);

} // namespace tarvel
