#include "conditioning.h"

#include "display_scale.h"
#include "marking.h"
#include "pulse_fit.h"
#include "results.h"

#include <cmath>
#include <memory>
#include <vector>

namespace tarvel {

int64_t samplingRate(float sampleIntervalUs) {
    double rate = 1000000.0 / sampleIntervalUs;
    if (!(rate >= 1))
        return 0;
    if (rate > 1e15)
        rate = 1e15;
    return static_cast<int64_t>(rate);
}

double countsToAccel(uint16_t raw, double fullScale, double sensitivity) {
    // Kept in this order: count times full scale times 2^-15 is exact in a
    // double, so each sample is rounded once, by the division.
    const int counts = 32768 - static_cast<int>(raw);
    return counts * fullScale * 3.0517578125e-05 / sensitivity;
}

namespace {

// Stores the converted samples at `out`, negated when `invert`.
void convertInto(const uint16_t* raw, std::size_t n, const double* table, bool invert,
                 double* out) {
    if (invert)
        for (std::size_t k = 0; k < n; ++k)
            out[k] = -table[raw[k]];
    else
        for (std::size_t k = 0; k < n; ++k)
            out[k] = table[raw[k]];
}

bool inverts(const MeasurePoint& point) {
    return point.header.params.polarity != 1;
}

// One converter count in accel units.
double countUnit(const PipHeader& header) {
    return std::abs(countsToAccel(32767, header.fullScale, header.sensitivity));
}

// The point's pass band; `all` when it keeps its samples as they are.
PassBand passBandOf(const PipHeader& header, const MeasurePoint& point, std::size_t n) {
    const ProcessingParams& params = point.header.params;
    const FilterMode mode = filterModeOf(params.filterType);
    // An empty band leaves this point unfiltered; later points still are.
    const bool emptyBand = mode == FilterMode::BandPass && params.filterF2 <= params.filterF1;
    PassBand band;
    band.all = true;
    if (mode != FilterMode::None && !emptyBand && n >= 2)
        band = passBand(mode, static_cast<int>(n), samplingRate(header.sampleInterval),
                        params.filterF1, params.filterF2);
    return band;
}

// The record as the fit reads it: converted, its interference removed, not
// filtered (a filter that reshapes the impact should show as a disagreement,
// not hide in both opinions), relative to the marking's baseline.
PulseFit fitImpact(const PipHeader& header, const MeasurePoint& point, const double* record,
                   ConditioningWorkspace& workspace) {
    const int n = static_cast<int>(point.raw.size());
    PulseFitInput input;
    input.samples = record;
    if (point.baseline != 0) {
        double* shifted = workspace.scratch(n);
        for (int k = 0; k < n; ++k)
            shifted[k] = record[k] - point.baseline;
        input.samples = shifted;
    }
    input.raw = point.raw.data();
    input.sampleCount = n;
    input.sampleIntervalMs = header.sampleInterval / 1000.0;
    input.noise = point.recordBaseline.noiseLevel;
    input.peakHint = point.recordBaseline.impactPeak;
    return fitHertzPulse(input);
}

// The whole chain for one point, which reads only that point and the file
// header: accel[k] = (32768 - raw[k]) * fullScale / 32768 / sensitivity,
// deleted points included; then, unless the point is deleted, its polarity,
// the interference fitted on its baseline removed, its spectral filter, the
// ampZoom guard, the marks, the fitted pulse and the results.
void conditionPoint(const PipHeader& header, const ResultParameters& parameters,
                    MeasurePoint& point, ConditioningWorkspace& workspace) {
    const double* table = workspace.countTable(header.fullScale, header.sensitivity);
    const std::size_t n = point.raw.size();
    point.accel.resize(n);
    point.recordBaseline = {};
    point.pulseFit = {};
    if (point.isDeleted()) {
        convertInto(point.raw.data(), n, table, false, point.accel.data());
        updatePointResults(point, parameters);
        return;
    }
    // An unfiltered point is its own record. A filtered one is converted
    // into the transform's buffer, which keeps it for the fit, and reaches
    // its own samples once, already filtered.
    const PassBand band = passBandOf(header, point, n);
    SpectralFilter* filter = band.all ? nullptr : &workspace.filter(static_cast<int>(n));
    double* record = filter ? filter->buffer() : point.accel.data();
    convertInto(point.raw.data(), n, table, inverts(point), record);
    if (std::isfinite(header.sampleInterval) && header.sampleInterval > 0) {
        const BaselineBasis& basis =
            workspace.baselineBasis(static_cast<int>(n), header.sampleInterval);
        point.recordBaseline = fitInterference(record, basis, countUnit(header));
        removeInterference(record, basis, point.recordBaseline, countUnit(header));
    }
    if (filter)
        filter->filterBufferInto(point.accel.data(), band);

    ProcessingParams& params = point.header.params;
    if (params.ampZoom == -100)
        params.ampZoom = -99;

    markPoint(point, header);
    // A header that makes every sample meaningless has nothing to fit.
    if (!parameters.invalidField)
        point.pulseFit = fitImpact(header, point, record, workspace);
    updatePointResults(point, parameters);
}

} // namespace

namespace {

void prepareTimeAxis(NamePipeFile& file) {
    computeTicks(file);
    const std::size_t n = isSupportedSampleCount(file.sampleCount())
                              ? static_cast<std::size_t>(file.sampleCount())
                              : 0;
    const double dt = file.header.sampleInterval;
    file.timeAxis.resize(n);
    for (std::size_t k = 0; k < n; ++k)
        file.timeAxis[k] = k * dt / 1000;
}

} // namespace

void conditionFile(NamePipeFile& file, ConditioningWorkspace& workspace) {
    prepareTimeAxis(file);
    // Every step of a point reads only that point and the file header, so
    // one point goes through the whole chain while its samples are still in
    // the cache, instead of each step streaming the whole file through it.
    const ResultParameters parameters = resultParametersOf(file.header);
    for (MeasurePoint& point : file.points)
        conditionPoint(file.header, parameters, point, workspace);
}

void conditionFile(NamePipeFile& file) {
    ConditioningWorkspace workspace;
    conditionFile(file, workspace);
}

void conditionFileForResults(NamePipeFile& file, ConditioningWorkspace& workspace) {
    prepareTimeAxis(file);
    // On a cache line like the block's slots, so the inverse transform can
    // write into it directly.
    constexpr std::size_t kLine = 64 / sizeof(double);
    std::vector<double> room;
    const ResultParameters parameters = resultParametersOf(file.header);
    for (MeasurePoint& point : file.points) {
        room.resize(point.raw.size() + kLine);
        void* start = room.data();
        std::size_t space = room.size() * sizeof(double);
        std::align(64, point.raw.size() * sizeof(double), start, space);
        point.accel.borrow(static_cast<double*>(start), point.raw.size());
        conditionPoint(file.header, parameters, point, workspace);
        point.accel = {};
    }
}

} // namespace tarvel
