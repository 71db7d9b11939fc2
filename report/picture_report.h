// The wave-picture report: title, project table, then the wave pictures of
// one area, two on the first page and three on every further page.
#pragma once

#include "word_document.h"

#include "data/area_file.h"
#include "data/project_info.h"

#include <string>

namespace tarvel::scrivet {

// Every file in pictureDir named "<area fileName>-<n>.png" counts as one
// picture; picture n (from 1) is read from that name, so k such files must
// be numbered 1 to k. Throws
// std::runtime_error when the directory or a picture cannot be read.
WordDocument buildPictureReport(const std::string& pictureDir, const ProjectInfo& project,
                                const NamePipeFile& area);

} // namespace tarvel::scrivet
