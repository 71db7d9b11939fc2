// The one conditioning chain every area file goes through after a load or a
// change: convert, invert and filter, ticks, mark (with each point's results).
// It always starts again from the raw samples.
#pragma once

#include "data/area_file.h"

#include <cstdint>

namespace tarvel {

// One stored sample in acceleration units, before any inversion.
double countsToAccel(uint16_t raw, double fullScale, double sensitivity);

// accel[k] = (32768 - raw[k]) * fullScale / 32768 / sensitivity, every point.
void convertSamples(NamePipeFile& file);

// Polarity, spectral filter and the ampZoom guard, for points not deleted.
void invertAndFilter(NamePipeFile& file);

// Time axis, marks, peak, y range and the results of every point not deleted.
void markImpacts(NamePipeFile& file);

void conditionFile(NamePipeFile& file);

// Whole samples per second for a sample interval in microseconds, truncated.
int64_t samplingRate(float sampleIntervalUs);

} // namespace tarvel
