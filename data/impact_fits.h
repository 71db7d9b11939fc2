// What the conditioning chain fits to a point's record: the interference on
// its baseline and a Hertz pulse to its impact. Derived data, never stored;
// the fits themselves live in analysis/.
#pragma once

#include <array>
#include <limits>

namespace tarvel {

// The offset, drift and mains hum fitted on the samples outside the impact.
struct RecordBaseline {
    // Offset, a ramp from -1 at the first sample to +1 at the last, and the
    // cosine and sine of 50 and 60 Hz, in the conditioned samples' unit.
    std::array<double, 6> coefficients{};
    // The same in converter counts, as the outputs report it.
    double offset = 0;
    double drift = 0; // from the first to the last sample
    double hum50 = 0; // amplitude
    double hum60 = 0;
    double noise = 0;      // robust standard deviation of what is left, counts
    double noiseLevel = 0; // the same in the conditioned samples' unit
    bool fitted = false;   // enough samples outside the impact to fit them
    bool removed = false;  // the fit was subtracted from the samples
    // Half a count once the fit was removed: the samples then differ from
    // the fitted baseline by their rounding to whole counts, which stays on
    // one side for long runs where the baseline moves slowly.
    double roundingLevel = 0;
    // The record's largest sample before the fit was removed, the impact's
    // rough place; -1 when the record was not looked at.
    int impactPeak = -1;
};

// A two-sided Hertz pulse fitted to the impact: a rise of `loading` ms from
// `start`, a fall of `unloading` ms, `amplitude` above the marking baseline.
struct PulseFit {
    bool converged = false;
    double start = 0;     // ms
    double loading = 0;   // ms
    double unloading = 0; // ms
    double amplitude = 0; // conditioned samples' unit
    // From the fit's covariance, scaled by its residual (ms and ms^2).
    double loadingDeviation = 0;
    double unloadingDeviation = 0;
    double loadingUnloadingCovariance = 0;
    // RMS residual as a share of the amplitude, and what of it the record's
    // noise does not explain.
    double residual = std::numeric_limits<double>::quiet_NaN();
    double excessResidual = std::numeric_limits<double>::quiet_NaN();
    int samplesUsed = 0;
    int clippedSamples = 0;       // of those looked at, left out at the converter's limit
    bool tooFewUnclipped = false; // so many samples clipped that no fit was tried
};

} // namespace tarvel
