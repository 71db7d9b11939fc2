// Display arithmetic on values read from files, kept within sensible ranges
// so that a hostile value cannot overflow or turn an axis around.
#pragma once

#include "data/area_file.h"

#include <cstdint>

namespace tarvel {

// The smallest and largest ampZoom the views use: below -99 the divisor
// 100 + ampZoom would reach zero or turn negative; the slider stops at 200,
// and anything beyond 10000 would squeeze a record into a sliver.
inline constexpr int32_t kLeastAmpZoom = -99;
inline constexpr int32_t kMostAmpZoom = 10000;

// The time-axis stretch of a wave view: 100 / (100 + ampZoom), or 1 for an
// ampZoom of 0, with ampZoom clamped first. The stored value is not changed.
double ampZoomScale(int32_t ampZoom);

// The file's axis tick steps: a twentieth of the record in time, and the
// length ticks of the pile-test era from waveSpeed.
void computeTicks(NamePipeFile& record);

} // namespace tarvel
