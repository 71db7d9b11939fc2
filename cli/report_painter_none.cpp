// A build without the desktop program has nothing to draw pictures with.
#include "report_painter.h"

namespace tarvel {

std::unique_ptr<ReportPainter> makeReportPainter(bool) {
    return nullptr;
}

} // namespace tarvel
