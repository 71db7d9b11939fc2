// Zero-phase spectral filtering of one point's samples.
#pragma once

#include <cstdint>

namespace tarvel {

enum class FilterMode { None, LowPass, HighPass, BandPass };

// Which half-spectrum bins (0..N/2) survive a filter.
struct PassBand {
    int first = 0; // first kept bin
    int last = 0;  // last kept bin; last < first keeps nothing
    bool all = false;
};

FilterMode filterModeOf(int32_t filterType);

// fs is the sampling rate in whole samples per second. Edges come from the
// instrument's integer arithmetic: bin = N * f / fs, truncated.
PassBand passBand(FilterMode mode, int n, int64_t fs, int32_t f1, int32_t f2);

// Filters `samples` (length n, a power of two) in place: the bins outside the
// pass band and their conjugate mirrors are removed and the real inverse is
// written back, so the wave keeps its sign and its phase.
void filterSamples(double* samples, int n, const PassBand& band);

// The transform's own buffer for length n, kept for the whole run. A caller
// that produces samples anyway writes them here and calls filterBufferInto,
// so they go through the cache once instead of being stored, read back and
// stored again. Valid until the next filter call of the same length.
double* filterBuffer(int n);

// Filters the n samples in filterBuffer(n) as filterSamples does and writes
// the result to `out`; the buffer's contents are lost.
void filterBufferInto(double* out, int n, const PassBand& band);

} // namespace tarvel
