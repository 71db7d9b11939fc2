#include "quality_assessment.h"

#include "pulse_search.h"

#include <algorithm>
#include <cmath>

namespace tarvel {
namespace {

constexpr uint16_t kConverterMax = 65535;

// The sample nearest to a mark, inside the record; -1 for a mark that is not
// a number.
int sampleAt(double ms, double dt, int n) {
    const double index = std::round(ms * 1000 / dt);
    if (std::isnan(index) || n == 0)
        return -1;
    return static_cast<int>(std::clamp(index, 0.0, static_cast<double>(n - 1)));
}

bool clippedBetween(const SampleBuffer<uint16_t>& raw, int first, int last) {
    for (int k = std::max(first, 0); k < last && k + 1 < static_cast<int>(raw.size()); ++k) {
        const uint16_t here = raw[static_cast<std::size_t>(k)];
        if ((here == 0 || here == kConverterMax) && raw[static_cast<std::size_t>(k) + 1] == here)
            return true;
    }
    return false;
}

double rmsAbout(const SampleBuffer<double>& a, int count, double baseline) {
    double sum = 0;
    for (int k = 0; k < count; ++k)
        sum += (a[static_cast<std::size_t>(k)] - baseline) *
               (a[static_cast<std::size_t>(k)] - baseline);
    return std::sqrt(sum / count);
}

bool pulseAfter(const SampleBuffer<double>& a, double baseline, int from, double height) {
    for (std::optional<Pulse> pulse = findPulse(a, baseline, from); pulse;
         pulse = findPulse(a, baseline, pulse->end + 1)) {
        if (pulse->peakValue - baseline >= 0.5 * height)
            return true;
        if (!pulse->returned)
            return false;
    }
    return false;
}

} // namespace

QualityFlags assessQuality(const MeasurePoint& point, const PipHeader& header) {
    QualityFlags flags;
    const MarkingOutcome& marking = point.marking;
    if (!marking.automatic)
        flags.set(QualityFlag::Manual);
    if (marking.automatic && !marking.impactFound)
        flags.set(QualityFlag::NoImpact);
    if (marking.automatic && marking.impactFound && !marking.impactReturned)
        flags.set(QualityFlag::NoReturn);
    if (marking.noisePulsesSkipped > 0) {
        flags.set(QualityFlag::NoiseSkipped);
        flags.noisePulsesSkipped = marking.noisePulsesSkipped;
    }

    const double tc = point.endMarkMs - point.startMarkMs;
    if (!(tc >= kMinContactTimeMs && tc <= kMaxContactTimeMs))
        flags.set(QualityFlag::ContactTime);

    const SampleBuffer<double>& a = point.accel;
    const int n = static_cast<int>(a.size());
    const double dt = header.sampleInterval;
    const int start = sampleAt(point.startMarkMs, dt, n);
    const bool endIsStored = flags.has(QualityFlag::NoImpact) || flags.has(QualityFlag::NoReturn);
    // An impact that never returns runs to the end of the record.
    const int end = flags.has(QualityFlag::NoReturn) ? n - 1 : sampleAt(point.endMarkMs, dt, n);
    if (start >= 0 && end >= 0 && clippedBetween(point.raw, start, end))
        flags.set(QualityFlag::Clipped);

    const double height = point.peakValue - point.baseline;
    if (!(height > 0) || start < 0)
        return flags;
    if (start > 0 && rmsAbout(a, start, point.baseline) > kNoisyBaselineShare * height)
        flags.set(QualityFlag::NoisyBaseline);
    if (!endIsStored && end >= 0 && pulseAfter(a, point.baseline, end + 1, height))
        flags.set(QualityFlag::SecondImpact);
    return flags;
}

} // namespace tarvel
