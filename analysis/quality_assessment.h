// The quality flags of one marked point: a pure judgement of its marks,
// samples, fits and results, stored with its results.
#pragma once

#include "data/measure_point.h"
#include "result_parameters.h"

namespace tarvel {

// Contact times outside this span (ms) cannot come from a 20 kg ball dropped
// on soil from up to 1 m, which lies near 3 to 25 ms.
inline constexpr double kMinContactTimeMs = 1;
inline constexpr double kMaxContactTimeMs = 40;

// The record's noise counts as high above this share of the impact's height.
inline constexpr double kNoisyBaselineShare = 0.02;

// A contact starting within this many samples of the record's first one has
// no baseline of its own to start from: the trigger came late.
inline constexpr int kLeastPretriggerSamples = 8;

// Interference above this many counts is worth a note that it was removed.
inline constexpr double kReportedInterferenceCounts = 1;

// What of the fit's RMS residual the record's noise does not explain, as a
// share of the peak, above which the wave is not a Hertz impact: clean and
// noisy Hertz impacts stay far below it, a soft start merged into the
// impact, ringing over the contact or a ground that is not elastic reach it.
inline constexpr double kModelMismatchResidual = 0.02;

// A marked modulus further from the fitted one than the fit's 95 % interval,
// and never closer than this share, disagrees with the fit.
inline constexpr double kFitAgreementShare = 0.10;

// The flags of a point marked and fitted in this conditioning run, with the
// results computed from them.
QualityFlags assessQuality(const MeasurePoint& point, const ResultParameters& parameters,
                           const PointResults& results);

} // namespace tarvel
