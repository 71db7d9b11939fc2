// The test report ("检测报告"): the cover with the lab, the project and its
// test basis, a summary of every area with the verdicts and a conclusion,
// each area's tables, the distribution maps and the signatures. Built from
// separate sections, so a further one (an appendix) is one call at the end.
#pragma once

#include "report_inputs.h"
#include "word_document.h"

namespace tarvel::scrivet {

// The report laid into `skeleton`: the Chinese template, or the skeleton of
// the language (report_skeleton.h). The map of area n (from 1) is
// "<pictureDir>/dengzhi<n>.png"; without a picture folder there is no map
// chapter. Throws std::runtime_error when the template lacks a place the
// report fills, or a map or the lab's logo cannot be read (naming it).
WordDocument buildModulusReport(WordDocument skeleton, const ProjectInfo& project,
                                const AreaFileList& areas, const ReportInputs& inputs);

} // namespace tarvel::scrivet
