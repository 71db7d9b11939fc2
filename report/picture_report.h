// The wave-picture report: title, project table, then the wave pictures of
// one area, two on the first page and three on every further page.
#pragma once

#include "report_inputs.h"
#include "word_document.h"

#include <string>

namespace tarvel::scrivet {

// Every file in the inputs' picture folder named "<area fileName>-<n>.png"
// counts as one picture; picture n (from 1) is read from that name, so k
// such files must be numbered 1 to k. Every page carries the report number
// and its number of the pages. Throws std::runtime_error when the folder
// or a picture cannot be read.
WordDocument buildPictureReport(const ProjectInfo& project, const NamePipeFile& area,
                                const ReportInputs& inputs);

} // namespace tarvel::scrivet
