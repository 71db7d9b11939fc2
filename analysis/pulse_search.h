// The start rule of automatic marking as a search for pulses, shared by the
// marking and by the quality checks that look for pulses beside the impact.
#pragma once

#include "data/sample_buffer.h"

#include <optional>

namespace tarvel {

// The start threshold sits this far above the baseline: three samples in a
// row strictly above it start the contact.
inline constexpr double kStartThreshold = 0.005;

// One pulse as the start rule sees it, in sample indices.
struct Pulse {
    int start = 0;        // one sample before the first of the three
    int peak = 0;         // the last of equal maxima
    double peakValue = 0; // accel units
    bool returned = false;
    int end = 0; // the last sample above the baseline; only when returned
};

// The first pulse whose three samples begin at index `from` or later: three
// samples strictly above baseline + kStartThreshold start it, it ends where a
// sample falls to the bare baseline, and its peak is searched to the end of
// the record when it never does.
std::optional<Pulse> findPulse(const SampleBuffer<double>& accel, double baseline, int from);

} // namespace tarvel
