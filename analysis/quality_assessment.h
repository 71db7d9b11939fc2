// The quality flags of one marked point: a pure judgement of its marks and
// samples, stored with its results.
#pragma once

#include "data/measure_point.h"
#include "data/records.h"

namespace tarvel {

// Contact times outside this span (ms) cannot come from a 20 kg ball dropped
// on soil from up to 1 m, which lies near 3 to 25 ms.
inline constexpr double kMinContactTimeMs = 1;
inline constexpr double kMaxContactTimeMs = 40;

// Noise before the impact counts as high above this share of its height.
inline constexpr double kNoisyBaselineShare = 0.02;

// The flags of a point marked in this conditioning run (its `marking`, marks,
// peak, raw and conditioned samples).
QualityFlags assessQuality(const MeasurePoint& point, const PipHeader& header);

} // namespace tarvel
