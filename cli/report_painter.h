// Draws the pictures a report shows, as the desktop and `render` draw them.
// The command works without one (a build without the desktop program):
// the pictures must then come from folders.
#pragma once

#include "analysis/area_map.h"
#include "data/area_file.h"

#include <memory>
#include <optional>
#include <string>

namespace tarvel {

class ReportPainter {
public:
    virtual ~ReportPainter() = default;

    // Each writes a PNG to `path` and returns an empty string, or why not.

    // The area's distribution map on `scale`, the cells below `requiredMpa`
    // outlined.
    virtual std::string drawMap(const NamePipeFile& area, const MapScale& scale,
                                std::optional<double> requiredMpa, const std::string& path) = 0;
    // The wave of point `pointIndex` (the area's samples loaded).
    virtual std::string drawWave(NamePipeFile& area, int pointIndex, const std::string& path) = 0;
};

// The painter of this build, drawing in English when asked; null when the
// build has no desktop program to draw with.
std::unique_ptr<ReportPainter> makeReportPainter(bool english);

} // namespace tarvel
