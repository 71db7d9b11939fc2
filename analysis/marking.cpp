#include "marking.h"

#include "pulse_search.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace tarvel {
namespace {

// The largest sample as a running `<` comparison finds it, in one pass.
// Four running maxima instead of one let the comparisons overlap; a sample
// that is not a number ends the shortcut, since such a comparison depends on
// where the sample lies.
struct RecordMax {
    double value = 0;
    bool exact = false; // false: some sample is not a number
};

double above(double high, double value) {
    return high < value ? value : high;
}

RecordMax recordMax(const SampleBuffer<double>& a) {
    const std::size_t n = a.size();
    if (n == 0)
        return {0, false};
    double high0 = a[0], high1 = a[0], high2 = a[0], high3 = a[0];
    bool unordered = false;
    std::size_t k = 0;
    for (; k + 4 <= n; k += 4) {
        unordered |= std::isnan(a[k]);
        unordered |= std::isnan(a[k + 1]);
        unordered |= std::isnan(a[k + 2]);
        unordered |= std::isnan(a[k + 3]);
        high0 = above(high0, a[k]);
        high1 = above(high1, a[k + 1]);
        high2 = above(high2, a[k + 2]);
        high3 = above(high3, a[k + 3]);
    }
    for (; k < n; ++k) {
        unordered |= std::isnan(a[k]);
        high0 = above(high0, a[k]);
    }
    return {above(above(high0, high1), above(high2, high3)), !unordered};
}

void setYRange(MeasurePoint& point, const RecordMax& largest) {
    double m = 0;
    if (largest.exact && !point.accel.empty()) {
        // Once a sample rises above 1e-6 the loop below keeps the maximum,
        // which lies at or after it; until then it holds the last sample.
        m = largest.value > 1e-6 ? largest.value : point.accel[point.accel.size() - 1];
    } else {
        for (double value : point.accel) {
            if (m <= 1e-6)
                m = value;
            if (value > m)
                m = value;
        }
    }
    point.yMax = 1.2 * m;
    point.yMin = -0.5 * point.yMax;
}

// A pulse less than half as high above the baseline as the record's largest
// sample is instrument noise, not the ball: real accelerometers always carry a
// count or more, far above the start threshold.
bool isImpactHigh(const Pulse& pulse, double baseline, double recordMax) {
    return !(pulse.peakValue - baseline < 0.5 * (recordMax - baseline));
}

// A skipped pulse counts as noise worth reporting from this share of the
// impact's height: smaller ones are the record's ordinary noise.
constexpr double kReportedNoiseShare = 0.05;

// The start rule, skipping pulses that are noise. When no pulse is high
// enough, the first one found stands.
MarkingOutcome markAutomatically(MeasurePoint& point, double dt, const PulseLevels& levels,
                                 const RecordMax& largest) {
    const SampleBuffer<double>& a = point.accel;
    const double baseline = point.baseline;
    MarkingOutcome outcome;
    outcome.automatic = true;
    const std::optional<Pulse> first = findPulse(a, baseline, levels, 0);
    if (!first)
        return outcome;
    const double recordMax = largest.exact ? largest.value : *std::max_element(a.begin(), a.end());

    Pulse impact = *first;
    std::vector<double> skippedHeights;
    for (Pulse pulse = *first;;) {
        if (isImpactHigh(pulse, baseline, recordMax)) {
            impact = pulse;
            break;
        }
        skippedHeights.push_back(pulse.peakValue - baseline);
        std::optional<Pulse> next =
            pulse.returned ? findPulse(a, baseline, levels, pulse.end + 1) : std::nullopt;
        if (!next) {
            skippedHeights.clear();
            break;
        }
        pulse = *next;
    }

    outcome.impactFound = true;
    outcome.impactReturned = impact.returned;
    const double impactHeight = impact.peakValue - baseline;
    for (double height : skippedHeights)
        if (height >= kReportedNoiseShare * impactHeight)
            ++outcome.noisePulsesSkipped;
    point.header.startMark = static_cast<float>(impact.start * dt / 1000);
    point.peakTime = impact.peak * dt / 1000;
    point.peakValue = impact.peakValue;
    if (impact.returned)
        point.header.endMark = static_cast<float>(impact.end * dt / 1000);
    return outcome;
}

void markByStoredMarks(MeasurePoint& point, double dt) {
    const SampleBuffer<double>& a = point.accel;
    const double n = static_cast<double>(a.size());
    // Hostile files may hold any float here: bound before converting.
    double first = std::trunc(point.header.startMark * 1000.0 / dt);
    double end = point.header.endMark * 1000.0 / dt;
    if (!(first >= 0))
        first = 0;
    if (first > n)
        first = n;
    if (!(end <= n))
        end = n;
    // The last of equal maxima, as automatic marking takes it: a point put
    // to hand marking keeps its marks, and so its peak and results. A wave
    // at or below zero between the marks has no peak.
    for (int k = static_cast<int>(first); k < end; ++k) {
        const double value = a[static_cast<std::size_t>(k)];
        if (value > 0 && value >= point.peakValue) {
            point.peakTime = k * dt / 1000;
            point.peakValue = value;
        }
    }
}

} // namespace

void markPoint(MeasurePoint& point, const PipHeader& header) {
    point.pickTime = 0;
    point.startMarkMs = 0;
    point.peakTime = 0;
    point.yMax = 0;
    point.yMin = 0;
    point.baseline = header.accelCorrection;
    const RecordMax largest = recordMax(point.accel);
    setYRange(point, largest);
    point.peakValue = 0;

    const double dt = header.sampleInterval;
    const PulseLevels levels = pulseLevels(point.recordBaseline);
    if (point.header.params.autoMark == 1) {
        point.marking = markAutomatically(point, dt, levels, largest);
    } else {
        point.marking = MarkingOutcome{};
        markByStoredMarks(point, dt);
    }
    point.marking.startLevel = levels.start;
    point.marking.endLevel = levels.end;

    point.startMarkMs = point.header.startMark;
    point.endMarkMs = point.header.endMark;
}

} // namespace tarvel
