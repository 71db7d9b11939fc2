// The one conditioning chain every area file goes through after a load or a
// change: convert, invert and filter, ticks, mark (with each point's results).
// It always starts again from the raw samples.
#pragma once

#include "data/area_file.h"

#include <cstdint>

namespace tarvel {

// One stored sample in acceleration units, before any inversion.
double countsToAccel(uint16_t raw, double fullScale, double sensitivity);

// The steps of the chain for one point. Each reads only that point and the
// file header, so conditionFile runs them point by point.

// accel[k] = (32768 - raw[k]) * fullScale / 32768 / sensitivity, deleted
// points included; then, unless the point is deleted, its polarity, spectral
// filter and the ampZoom guard.
void conditionSamples(const PipHeader& header, MeasurePoint& point);

// Marks, peak, y range and results, unless the point is deleted.
void markImpacts(const PipHeader& header, MeasurePoint& point);

// The file's ticks and time axis, then both steps on every point.
void conditionFile(NamePipeFile& file);

// conditionFile for a caller that needs only marks and results: each point's
// conditioned samples are made in one buffer, which stays in the cache, and
// no point holds any afterwards.
void conditionFileForResults(NamePipeFile& file);

// Whole samples per second for a sample interval in microseconds, truncated.
int64_t samplingRate(float sampleIntervalUs);

} // namespace tarvel
