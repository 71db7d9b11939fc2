// The pictures of a report, gathered into one folder the report reads:
// each taken from a folder of the user's when it holds a file of that name,
// drawn otherwise. Names count from 1, as `render` and the desktop count.
#pragma once

#include "report_painter.h"

#include "analysis/project_loader.h"
#include "data/acceptance_file.h"

#include <string>

namespace tarvel {

// Where the pictures come from; `painter` and `overrides` may each be
// missing (null, empty), not both for pictures a report needs.
struct PictureSources {
    ReportPainter* painter = nullptr;
    std::string overrides; // a folder of the user's
};

// "dengzhi<n>.png" of area n (from 1), for every area with a usable grid,
// drawn on the project's one colour scale with the cells below the area's
// required deformation modulus outlined. Returns an empty string, or a
// line naming the map that could be neither found nor drawn.
std::string gatherMaps(const AreaFileList& areas, const AcceptanceCriteria* criteria,
                       const PictureSources& sources, const std::string& folder);

// "<file name>-<k>.png" of the k-th wave (from 1) marked for printing in
// area `area`, whose samples are read again from the project's folder.
// An area without such a wave is an error.
std::string gatherAreaWaves(const ProjectLoad& project, std::size_t area,
                            const PictureSources& sources, const std::string& folder);

// "<file name>-<point number>.png" of every wave marked for printing in
// every pile that takes part, as the pile picture report reads them.
std::string gatherPileWaves(const ProjectLoad& project, const PictureSources& sources,
                            const std::string& folder);

} // namespace tarvel
