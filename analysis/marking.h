// Marking the start, end and peak of the ball's contact in one point.
#pragma once

#include "data/measure_point.h"
#include "data/records.h"

namespace tarvel {

// The start threshold sits this far above the baseline: three samples in a
// row strictly above it start the contact.
inline constexpr double kStartThreshold = 0.005;

// Resets the point's derived marks, sets its y range and marks it (automatic
// or by its stored marks, as its autoMark says). Needs accel filled.
void markPoint(MeasurePoint& point, const PipHeader& header);

} // namespace tarvel
