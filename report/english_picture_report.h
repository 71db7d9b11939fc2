// The English pile picture report: title, project table, then the wave
// pictures of every included pile, two on the first page and three on each
// further page, the first picture of each pile headed by the pile's data.
#pragma once

#include "word_document.h"

#include "data/area_file.h"
#include "data/project_info.h"

#include <string>

namespace tarvel::scrivet {

// The pictures are the points not deleted whose print mark is above 1, read
// from "<pictureDir>/<fileName>-<point number>.png". Throws
// std::runtime_error naming a picture that cannot be read.
WordDocument buildPilePictureReport(const std::string& pictureDir, const ProjectInfo& project,
                                    const AreaFileList& areas);

} // namespace tarvel::scrivet
