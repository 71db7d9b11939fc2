#include "conditioning.h"

#include "marking.h"
#include "results.h"
#include "spectral_filter.h"

#include <cmath>
#include <cstring>
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

bool sameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// countsToAccel of every possible count for one full scale and sensitivity.
// A file converts hundreds of thousands of samples but holds at most 65536
// distinct counts, so each division is done once per count, not per sample;
// the table is kept while the next files share the two factors.
const double* countTable(double fullScale, double sensitivity) {
    static std::vector<double> table;
    static double tableFullScale = 0;
    static double tableSensitivity = 0;
    if (table.empty() || !sameBits(fullScale, tableFullScale) ||
        !sameBits(sensitivity, tableSensitivity)) {
        table.resize(65536);
        for (std::size_t count = 0; count < table.size(); ++count)
            table[count] = countsToAccel(static_cast<uint16_t>(count), fullScale, sensitivity);
        tableFullScale = fullScale;
        tableSensitivity = sensitivity;
    }
    return table.data();
}

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

} // namespace

void conditionSamples(const PipHeader& header, MeasurePoint& point) {
    const double* table = countTable(header.fullScale, header.sensitivity);
    const std::size_t n = point.raw.size();
    point.accel.resize(n);
    if (point.isDeleted()) {
        convertInto(point.raw.data(), n, table, false, point.accel.data());
        return;
    }
    ProcessingParams& params = point.header.params;
    const FilterMode mode = filterModeOf(params.filterType);
    // An empty band leaves this point unfiltered; later points still are.
    const bool emptyBand = mode == FilterMode::BandPass && params.filterF2 <= params.filterF1;
    PassBand band;
    band.all = true;
    if (mode != FilterMode::None && !emptyBand && n >= 2)
        band = passBand(mode, static_cast<int>(n), samplingRate(header.sampleInterval),
                        params.filterF1, params.filterF2);
    // A filtered point is converted into the transform's buffer and reaches
    // its own samples once, already filtered.
    const bool invert = params.polarity != 1;
    if (band.all) {
        convertInto(point.raw.data(), n, table, invert, point.accel.data());
    } else {
        convertInto(point.raw.data(), n, table, invert, filterBuffer(static_cast<int>(n)));
        filterBufferInto(point.accel.data(), static_cast<int>(n), band);
    }

    if (params.ampZoom == -100)
        params.ampZoom = -99;
}

void markImpacts(const PipHeader& header, MeasurePoint& point) {
    if (!point.isDeleted())
        markPoint(point, header);
    updatePointResults(point, header);
}

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

void conditionFile(NamePipeFile& file) {
    prepareTimeAxis(file);
    // Every step of a point reads only that point and the file header, so
    // one point goes through the whole chain while its samples are still in
    // the cache, instead of each step streaming the whole file through it.
    for (MeasurePoint& point : file.points) {
        conditionSamples(file.header, point);
        markImpacts(file.header, point);
    }
}

void conditionFileForResults(NamePipeFile& file) {
    prepareTimeAxis(file);
    // On a cache line like the block's slots, so the inverse transform can
    // write into it directly.
    constexpr std::size_t kLine = 64 / sizeof(double);
    std::vector<double> room;
    for (MeasurePoint& point : file.points) {
        room.resize(point.raw.size() + kLine);
        void* start = room.data();
        std::size_t space = room.size() * sizeof(double);
        std::align(64, point.raw.size() * sizeof(double), start, space);
        point.accel.borrow(static_cast<double*>(start), point.raw.size());
        conditionSamples(file.header, point);
        markImpacts(file.header, point);
        point.accel = {};
    }
}

} // namespace tarvel
