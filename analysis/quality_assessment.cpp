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

bool pulseAfter(const SampleBuffer<double>& a, double baseline, const PulseLevels& levels, int from,
                double height) {
    for (std::optional<Pulse> pulse = findPulse(a, baseline, levels, from); pulse;
         pulse = findPulse(a, baseline, levels, pulse->end + 1)) {
        if (pulse->peakValue - baseline >= 0.5 * height)
            return true;
        if (!pulse->returned)
            return false;
    }
    return false;
}

// The record begins inside a pulse: its first three samples stand above the
// start threshold.
bool beginsAboveStart(const SampleBuffer<double>& a, double threshold) {
    if (a.size() < 3)
        return false;
    return a[0] > threshold && a[1] > threshold && a[2] > threshold;
}

bool interferenceWorthNoting(const RecordBaseline& b) {
    return b.removed &&
           (std::abs(b.offset) > kReportedInterferenceCounts ||
            std::abs(b.drift) > kReportedInterferenceCounts ||
            b.hum50 > kReportedInterferenceCounts || b.hum60 > kReportedInterferenceCounts);
}

bool disagrees(double marked, double fitted, double interval) {
    const double allowed = std::max(interval, kFitAgreementShare * std::abs(fitted));
    return !(std::abs(marked - fitted) <= allowed);
}

} // namespace

QualityFlags assessQuality(const MeasurePoint& point, const ResultParameters& p,
                           const PointResults& results) {
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
    if (interferenceWorthNoting(point.recordBaseline))
        flags.set(QualityFlag::Interference);

    const double tc = point.endMarkMs - point.startMarkMs;
    if (!(tc >= kMinContactTimeMs && tc <= kMaxContactTimeMs))
        flags.set(QualityFlag::ContactTime);

    const SampleBuffer<double>& a = point.accel;
    const int n = static_cast<int>(a.size());
    const double dt = p.sampleIntervalUs;
    const int start = sampleAt(point.startMarkMs, dt, n);
    const bool impactMarked = !flags.has(QualityFlag::NoImpact);
    if (beginsAboveStart(a, point.baseline + marking.startLevel) ||
        (marking.automatic && impactMarked && start >= 0 && start < kLeastPretriggerSamples))
        flags.set(QualityFlag::LateTrigger);

    const bool endIsStored = flags.has(QualityFlag::NoImpact) || flags.has(QualityFlag::NoReturn);
    // An impact that never returns runs to the end of the record.
    const int end = flags.has(QualityFlag::NoReturn) ? n - 1 : sampleAt(point.endMarkMs, dt, n);
    const PulseFit& fit = point.pulseFit;
    if ((start >= 0 && end >= 0 && clippedBetween(point.raw, start, end)) || fit.tooFewUnclipped) {
        flags.set(QualityFlag::Clipped);
        flags.clippedBeyondFit = fit.tooFewUnclipped;
    }

    // The fit reads the same contact only where the marks found all of it.
    if (impactMarked && !flags.has(QualityFlag::NoReturn)) {
        if (fit.converged ? !(fit.excessResidual <= kModelMismatchResidual) : !fit.tooFewUnclipped)
            flags.set(QualityFlag::ModelMismatch);
        if (fit.converged && (disagrees(results.deformationModulus, results.fitDeformationModulus,
                                        results.fitDeformationInterval) ||
                              disagrees(results.resilientModulus, results.fitResilientModulus,
                                        results.fitResilientInterval)))
            flags.set(QualityFlag::FitDisagrees);
    }

    const double height = point.peakValue - point.baseline;
    if (!(height > 0) || start < 0)
        return flags;
    if (point.recordBaseline.noiseLevel > kNoisyBaselineShare * height)
        flags.set(QualityFlag::NoisyBaseline);
    if (!endIsStored && end >= 0 &&
        pulseAfter(a, point.baseline, {marking.startLevel, marking.endLevel}, end + 1, height))
        flags.set(QualityFlag::SecondImpact);
    return flags;
}

} // namespace tarvel
