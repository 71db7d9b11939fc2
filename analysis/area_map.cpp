#include "area_map.h"

#include "results.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tarvel {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// In the command line's words; the desktop says it in its own language.
std::string unusableGrid(const PipHeader& h) {
    return "no usable grid: " + std::to_string(h.pointTotal) + " rows, " +
           std::to_string(h.gridColumns) + " columns, row spacing " +
           formatFixed(h.pointSpacing, 2) + " m, column spacing " +
           formatFixed(h.columnSpacing, 2) + " m";
}

bool usableSide(int32_t count) {
    return count >= 1 && count <= kMaxMapSide;
}

bool usableSpacing(float spacing) {
    return std::isfinite(spacing) && spacing > 0;
}

} // namespace

AreaMap::AreaMap() : minValue(kNaN), maxValue(kNaN) {}

bool AreaMap::hasValues() const {
    return !std::isnan(minValue);
}

double AreaMap::value(int row, int column) const {
    if (row < 0 || row >= rows || column < 0 || column >= columns)
        return kNaN;
    return values[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns) +
                  static_cast<std::size_t>(column)];
}

int AreaMap::pointAt(int row, int column) const {
    if (row < 0 || row >= rows || column < 0 || column >= columns)
        return -1;
    return pointIndex[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns) +
                      static_cast<std::size_t>(column)];
}

AreaMap buildAreaMap(const NamePipeFile& file) {
    const PipHeader& h = file.header;
    const ResultParameters parameters = resultParametersOf(h);
    AreaMap map;
    const long long cells = static_cast<long long>(h.pointTotal) * h.gridColumns;
    if (!usableSide(h.pointTotal) || !usableSide(h.gridColumns) || cells > kMaxMapCells ||
        !usableSpacing(h.pointSpacing) || !usableSpacing(h.columnSpacing)) {
        map.unusable = unusableGrid(h);
        return map;
    }
    map.rows = h.pointTotal;
    map.columns = h.gridColumns;
    map.rowSpacing = h.pointSpacing;
    map.columnSpacing = h.columnSpacing;
    map.values.assign(static_cast<std::size_t>(cells), kNaN);
    map.pointIndex.assign(static_cast<std::size_t>(cells), -1);

    // In index order, so a later point on the same cell (a re-test) wins.
    for (std::size_t i = 0; i < file.points.size(); ++i) {
        const MeasurePoint& point = file.points[i];
        const int32_t row = point.header.pointNo;
        const int32_t column = point.header.pointColumn;
        // Merged waves carry row -1: they have no place of their own.
        if (point.isDeleted() || row < 0 || row >= map.rows || column < 0 || column >= map.columns)
            continue;
        const std::size_t cell = static_cast<std::size_t>(row) * map.columns + column;
        map.values[cell] = uncorrectedDeformationModulus(point, parameters);
        map.pointIndex[cell] = static_cast<int>(i);
    }

    for (double& value : map.values) {
        if (!std::isfinite(value)) {
            value = kNaN; // an infinite modulus has no colour either
            continue;
        }
        map.minValue = std::isnan(map.minValue) ? value : std::min(map.minValue, value);
        map.maxValue = std::isnan(map.maxValue) ? value : std::max(map.maxValue, value);
    }
    return map;
}

namespace {

// Number of steps of `step` from the multiple at or below `lower` to the one
// at or above `upper`; a hair of tolerance keeps 0.3 / 0.1 from reading 3.0001.
double stepCount(double lower, double upper, double step) {
    constexpr double kTolerance = 1e-9;
    return std::ceil(upper / step - kTolerance) - std::floor(lower / step + kTolerance);
}

MapScale evenScale(double lower, double upper, int steps) {
    MapScale scale;
    scale.lower = lower;
    scale.upper = upper;
    scale.step = upper / steps - lower / steps; // no overflow at the ends of double
    for (int i = 0; i <= steps; ++i)
        scale.levels.push_back(i == steps ? upper : lower + i * scale.step);
    return scale;
}

} // namespace

MapScale mapScale(double minValue, double maxValue) {
    if (!std::isfinite(minValue) || !std::isfinite(maxValue) || minValue > maxValue)
        return evenScale(0, 1, 5);
    if (minValue == maxValue) {
        // One value still needs a band of colour around it.
        const double pad = std::max(std::abs(minValue) * 0.1, 1.0);
        minValue -= pad;
        maxValue += pad;
    }
    const double span = maxValue - minValue;
    if (!std::isfinite(span) || !std::isfinite(minValue) || !std::isfinite(maxValue))
        return evenScale(minValue, maxValue, 5);

    // From a step wider than the span downwards; each candidate at most
    // halves the step, so the first with five steps has no more than ten.
    constexpr double kMultipliers[] = {5, 2.5, 2, 1};
    double decade = std::pow(10.0, std::ceil(std::log10(span)));
    for (int tries = 0; tries < 8 && std::isnormal(decade); ++tries, decade /= 10) {
        for (const double multiplier : kMultipliers) {
            const double step = decade * multiplier;
            const double steps = stepCount(minValue, maxValue, step);
            if (steps < 5)
                continue;
            MapScale scale;
            scale.step = step;
            const double first = std::floor(minValue / step + 1e-9);
            scale.lower = first * step;
            scale.upper = (first + steps) * step;
            for (int i = 0; i <= steps; ++i)
                scale.levels.push_back((first + i) * step);
            return scale;
        }
    }
    return evenScale(minValue, maxValue, 5);
}

} // namespace tarvel
