// The one conditioning chain every area file goes through after a load or a
// change: convert, remove the record's own baseline, invert and filter,
// ticks, mark and fit (with each point's results). It always starts again
// from the raw samples.
#pragma once

#include "conditioning_workspace.h"
#include "data/area_file.h"

#include <cstdint>

namespace tarvel {

// One stored sample in acceleration units, before any inversion.
double countsToAccel(uint16_t raw, double fullScale, double sensitivity);

// The file's ticks and time axis, then the chain on every point, one point
// at a time: each point reads only itself and the file header.
void conditionFile(NamePipeFile& file, ConditioningWorkspace& workspace);

// The same with a workspace of its own, for a caller that conditions one
// file now and then.
void conditionFile(NamePipeFile& file);

// conditionFile for a caller that needs only marks and results: each point's
// conditioned samples are made in one buffer, which stays in the cache, and
// no point holds any afterwards.
void conditionFileForResults(NamePipeFile& file, ConditioningWorkspace& workspace);

// Whole samples per second for a sample interval in microseconds, truncated.
int64_t samplingRate(float sampleIntervalUs);

} // namespace tarvel
