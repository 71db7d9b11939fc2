#include "pulse_search.h"

#include <algorithm>

namespace tarvel {

PulseLevels pulseLevels(const RecordBaseline& baseline) {
    return {std::max(kStartThreshold, kNoiseDeviations * baseline.noiseLevel),
            baseline.roundingLevel};
}

std::optional<Pulse> findPulse(const SampleBuffer<double>& a, double baseline,
                               const PulseLevels& levels, int from) {
    const int n = static_cast<int>(a.size());
    const double threshold = baseline + levels.start;
    const double floor = baseline + levels.end;
    for (int k = std::max(from, 1); k + 2 <= n - 1;) {
        // A sample at or below the threshold rules out every start whose
        // three samples include it, so the last of the three is tried first
        // and a quiet record is passed over three samples at a time.
        if (!(a[k + 2] > threshold)) {
            k += 3;
            continue;
        }
        if (!(a[k + 1] > threshold)) {
            k += 2;
            continue;
        }
        if (!(a[k] > threshold)) {
            k += 1;
            continue;
        }
        Pulse pulse;
        pulse.start = k - 1;
        pulse.peak = k;
        pulse.peakValue = a[k];
        for (int j = k + 1; j < n; ++j) {
            if (pulse.peakValue <= a[j]) { // a later equal sample wins
                pulse.peak = j;
                pulse.peakValue = a[j];
            }
            if (a[j - 1] > floor && a[j] <= floor) {
                pulse.returned = true;
                pulse.end = j - 1;
                return pulse;
            }
        }
        return pulse;
    }
    return std::nullopt;
}

} // namespace tarvel
