// The English pile picture report: title, project table, then the wave
// pictures of every included pile, two on the first page and three on each
// further page, the first picture of each pile headed by the pile's data.
#pragma once

#include "report_inputs.h"
#include "word_document.h"

namespace tarvel::scrivet {

// The pictures are the points not deleted whose print mark is above 1, read
// from "<picture folder>/<fileName>-<point number>.png". Throws
// std::runtime_error naming a picture that cannot be read.
WordDocument buildPilePictureReport(const ProjectInfo& project, const AreaFileList& areas,
                                    const ReportInputs& inputs);

} // namespace tarvel::scrivet
