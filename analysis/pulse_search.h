// The start rule of automatic marking as a search for pulses, shared by the
// marking and by the quality checks that look for pulses beside the impact.
#pragma once

#include "data/impact_fits.h"
#include "data/sample_buffer.h"

#include <optional>

namespace tarvel {

// The written start threshold sits this far above the baseline: three
// samples in a row strictly above it start the contact.
inline constexpr double kStartThreshold = 0.005;

// On a noisy record the start threshold rises to this many standard
// deviations of the record's own noise: three samples in a row above three
// deviations happen by chance about once in 10^5 records of 4096 samples,
// and a higher threshold would only start a soft ground's contact later.
inline constexpr double kNoiseDeviations = 3;

// One pulse as the start rule sees it, in sample indices.
struct Pulse {
    int start = 0;        // one sample before the first of the three
    int peak = 0;         // the last of equal maxima
    double peakValue = 0; // accel units
    bool returned = false;
    int end = 0; // the last sample above the baseline; only when returned
};

// Heights above the baseline that start and end a pulse.
struct PulseLevels {
    double start = kStartThreshold; // three samples strictly above it start a pulse
    double end = 0;                 // a sample at or below it ends one
};

// The first pulse whose three samples begin at index `from` or later: three
// samples strictly above baseline + start level start it, it ends where a
// sample falls to baseline + end level, and its peak is searched to the end
// of the record when it never does.
std::optional<Pulse> findPulse(const SampleBuffer<double>& accel, double baseline,
                               const PulseLevels& levels, int from);

// The levels for a record after its baseline fit: the start threshold rises
// with the record's noise; a pulse ends within the rounding the removed fit
// leaves.
PulseLevels pulseLevels(const RecordBaseline& baseline);

} // namespace tarvel
