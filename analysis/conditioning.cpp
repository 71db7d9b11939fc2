#include "conditioning.h"

#include "marking.h"
#include "results.h"
#include "spectral_filter.h"

#include <cmath>

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

void convertSamples(NamePipeFile& file) {
    const double fullScale = file.header.fullScale;
    const double sensitivity = file.header.sensitivity;
    for (MeasurePoint& point : file.points) {
        point.accel.resize(point.raw.size());
        for (std::size_t k = 0; k < point.raw.size(); ++k)
            point.accel[k] = countsToAccel(point.raw[k], fullScale, sensitivity);
    }
}

void invertAndFilter(NamePipeFile& file) {
    for (MeasurePoint& point : file.points) {
        if (point.isDeleted() || point.header.params.polarity == 1)
            continue;
        for (double& value : point.accel)
            value = -value;
    }

    const int64_t fs = samplingRate(file.header.sampleInterval);
    for (MeasurePoint& point : file.points) {
        const ProcessingParams& params = point.header.params;
        FilterMode mode = filterModeOf(params.filterType);
        if (point.isDeleted() || mode == FilterMode::None)
            continue;
        // An empty band leaves this point unfiltered; later points still are.
        if (mode == FilterMode::BandPass && params.filterF2 <= params.filterF1)
            continue;
        const int n = static_cast<int>(point.accel.size());
        filterSamples(point.accel.data(), n,
                      passBand(mode, n, fs, params.filterF1, params.filterF2));
    }

    for (MeasurePoint& point : file.points) {
        if (!point.isDeleted() && point.header.params.ampZoom == -100)
            point.header.params.ampZoom = -99;
    }
}

void markImpacts(NamePipeFile& file) {
    const std::size_t n = isSupportedSampleCount(file.sampleCount())
                              ? static_cast<std::size_t>(file.sampleCount())
                              : 0;
    const double dt = file.header.sampleInterval;
    file.timeAxis.resize(n);
    for (std::size_t k = 0; k < n; ++k)
        file.timeAxis[k] = k * dt / 1000;

    for (MeasurePoint& point : file.points) {
        if (!point.isDeleted())
            markPoint(point, file.header);
        updatePointResults(point, file.header);
    }
}

void conditionFile(NamePipeFile& file) {
    convertSamples(file);
    invertAndFilter(file);
    computeTicks(file);
    markImpacts(file);
}

} // namespace tarvel
