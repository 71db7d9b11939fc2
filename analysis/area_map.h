// The distribution map of one measurement area as numbers: the grid of
// cells, the value measured in each, and the round steps of its colour scale.
#pragma once

#include "data/area_file.h"

#include <string>
#include <vector>

namespace tarvel {

inline constexpr int kMaxMapSide = 1000;
inline constexpr long long kMaxMapCells = 1000000;

struct AreaMap {
    int rows = 0;             // grid rows, along y from the bottom
    int columns = 0;          // grid columns, along x
    double rowSpacing = 0;    // m
    double columnSpacing = 0; // m
    // Row-major, row 0 first: the uncorrected deformation modulus in MPa,
    // NaN where no point was measured (or its modulus is not a number).
    std::vector<double> values;
    // The index of the point shown in each cell, -1 for none.
    std::vector<int> pointIndex;
    // Over the finite values only; both NaN when there is none.
    double minValue;
    double maxValue;
    // Empty when the grid is usable; otherwise the one line that says why
    // there is no map (and rows, columns and the vectors are then empty).
    std::string unusable;

    AreaMap();
    bool usable() const { return unusable.empty(); }
    bool hasValues() const;
    double value(int row, int column) const;
    int pointAt(int row, int column) const;
    double width() const { return columns * columnSpacing; }
    double height() const { return rows * rowSpacing; }
};

// The map of `file`: each point that is not deleted goes to the cell of its
// grid position (pointNo, pointColumn); merged waves and points outside the
// grid are left out, and of two points on one cell the later (a re-test)
// is shown. The grid read from the header is checked before anything is
// sized from it.
AreaMap buildAreaMap(const NamePipeFile& file);

struct MapScale {
    double lower = 0;
    double upper = 1;
    double step = 0.2;
    std::vector<double> levels; // lower, lower + step, ..., upper
};

// Five to ten round steps (1, 2, 2.5 or 5 times a power of ten) spanning
// [minValue, maxValue]; a single value is padded on both sides.
MapScale mapScale(double minValue, double maxValue);
inline MapScale mapScale(const AreaMap& map) {
    return mapScale(map.minValue, map.maxValue);
}

} // namespace tarvel
