// tarvel-cli draws maps and waves with the desktop's own widgets. They bring
// the whole widget stack, and mapping and linking it costs every start of the
// program about eight milliseconds, more than analysing an area; so the
// drawing lives in a module of its own that only the drawing commands load.
#pragma once

#include "report_painter.h"

#include <memory>
#include <string>
#include <vector>

namespace tarvel::cli {

// What the module offers. Both sides are built from one tree by one
// compiler, so C++ types cross; the module stays loaded until exit, so what
// it made may live as long as the program.
struct DrawingEntryPoints {
    int (*render)(const std::vector<std::string>& args);
    ReportPainter* (*newReportPainter)(bool english);
};

inline constexpr char kDrawingModuleFile[] = "tarvel-cli-drawing.so";
inline constexpr char kDrawingEntrySymbol[] = "tarvel_drawing_entry_points";

// Loads the module once, from beside the program (a build tree) or from where
// it is installed; null, with the reason in `why`, when it cannot be loaded.
const DrawingEntryPoints* loadDrawingModule(std::string& why);

// The report's painter from the module's side.
std::unique_ptr<ReportPainter> makeQtReportPainter(bool english);

} // namespace tarvel::cli

extern "C" const tarvel::cli::DrawingEntryPoints* tarvel_drawing_entry_points();
