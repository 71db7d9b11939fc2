// "tarvel-cli report": the project's reports in batch.
#pragma once

#include <string>
#include <vector>

namespace tarvel {

class ReportPainter;

// args: everything after "report". `painter` draws the maps and wave
// pictures the reports show; without one they come only from --maps and
// --pictures. Returns 0 when every requested document was written, 1 for
// bad usage (the usage is printed), 2 when the input cannot be read or a
// document cannot be written (one line on stderr).
int runReportCommand(const std::vector<std::string>& args, ReportPainter* painter);

// As above with the painter of this build.
int runReportCommand(const std::vector<std::string>& args);

} // namespace tarvel
