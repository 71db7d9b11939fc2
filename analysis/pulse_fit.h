// The whole-pulse fit: a two-sided Hertz pulse fitted by least squares to
// every sample of an impact, as a second opinion beside the marks.
//
// The marks read the contact from three samples (start, peak, end), so the
// sample grid, a soft start, ringing or a clipped top move them. The fit reads
// the shape from all samples of the contact, between the samples, and says by
// its residual how well the impact looks like a Hertz impact at all.
#pragma once

#include "data/impact_fits.h"
#include "hertz_pulse.h"

#include <cstdint>

namespace tarvel {

struct PulseFitInput {
    const double* samples = nullptr; // the record with its baseline removed, accel units
    const uint16_t* raw = nullptr;   // as stored, to leave clipped samples out
    int sampleCount = 0;
    double sampleIntervalMs = 0;
    double noise = 0;  // the record's noise, accel units
    int peakHint = -1; // where the record's largest sample was found already, or -1
};

// Fits the largest pulse of the record. Starting values come from where the
// pulse crosses half its height, so they do not depend on the marks.
PulseFit fitHertzPulse(const PulseFitInput& input);

} // namespace tarvel
