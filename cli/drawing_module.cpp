// The drawing module's one exported symbol.
#include "drawing_module.h"

#include "render_command.h"

namespace {

tarvel::ReportPainter* newReportPainter(bool english) {
    return tarvel::cli::makeQtReportPainter(english).release();
}

} // namespace

extern "C" __attribute__((visibility("default"))) const tarvel::cli::DrawingEntryPoints*
tarvel_drawing_entry_points() {
    static const tarvel::cli::DrawingEntryPoints entryPoints{&tarvel::runRenderCommand,
                                                             &newReportPainter};
    return &entryPoints;
}
