// Contour lines of a distribution map, drawn between the centres of
// measured cells only: an empty cell has no value to draw a line through.
#pragma once

#include "area_map.h"

#include <vector>

namespace tarvel {

struct ContourSegment {
    double x1, y1, x2, y2; // m, in the map's plane
};

// The pieces of the line where the map crosses `level`, interpolated
// linearly between cell centres; a square of four centres with an empty
// corner has none.
std::vector<ContourSegment> contourSegments(const AreaMap& map, double level);

} // namespace tarvel
