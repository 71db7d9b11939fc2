// The distribution map as numbers: where each point lands, what a cell
// holds, when a grid is refused, the colour scale and the contour lines.
#include "analysis/area_map.h"
#include "analysis/conditioning.h"
#include "analysis/map_contours.h"
#include "analysis/results.h"
#include "analysis/synthetic.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>

namespace tarvel::test {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A conditioned 3 x 4 area, a different modulus in every cell.
NamePipeFile makeGridArea() {
    SyntheticArea spec;
    spec.rows = 3;
    spec.columns = 4;
    spec.sampleCount = 1024;
    spec.moduliMPa = modulusPattern("gradient:40:160", spec.rows, spec.columns, 1);
    for (std::size_t i = 0; i < spec.moduliMPa.size(); ++i)
        spec.moduliMPa[i] += 3.0 * static_cast<double>(i % 4);
    NamePipeFile area = makeSyntheticArea(spec, "test");
    conditionFile(area);
    return area;
}

void expectCell(const NamePipeFile& area, const AreaMap& map, int row, int column, int point) {
    SCOPED_TRACE("cell " + std::to_string(row) + "," + std::to_string(column));
    EXPECT_EQ(map.pointAt(row, column), point);
    if (point < 0)
        EXPECT_TRUE(std::isnan(map.value(row, column)));
    else
        EXPECT_EQ(map.value(row, column),
                  uncorrectedDeformationModulus(area.points[static_cast<std::size_t>(point)],
                                                resultParametersOf(area.header)));
}

TEST(AreaMapPlacement, EveryPointLandsOnItsGridCellWhateverTheStorageOrder) {
    NamePipeFile area = makeGridArea();
    const AreaMap ordered = buildAreaMap(area);
    ASSERT_EQ(ordered.rows * ordered.columns, 12);
    for (int i = 0; i < 12; ++i)
        expectCell(area, ordered, i / 4, i % 4, i);

    std::mt19937 random(7);
    std::shuffle(area.points.begin(), area.points.end(), random);
    const AreaMap shuffled = buildAreaMap(area);
    for (std::size_t cell = 0; cell < ordered.values.size(); ++cell) {
        EXPECT_EQ(shuffled.values[cell], ordered.values[cell]) << cell;
        const MeasurePoint& shown =
            area.points[static_cast<std::size_t>(shuffled.pointIndex[cell])];
        EXPECT_EQ(shown.header.pointNo * 4 + shown.header.pointColumn, static_cast<int>(cell));
    }
    EXPECT_EQ(shuffled.minValue, ordered.minValue);
    EXPECT_EQ(shuffled.maxValue, ordered.maxValue);
}

TEST(AreaMapPlacement, DeletedMergedAndOutsidePointsAreNotDrawnAndARetestWins) {
    NamePipeFile area = makeGridArea();
    area.points[1].header.deleted = 1;     // (0, 1)
    area.points[2].header.pointNo = -1;    // a merged wave
    area.points[3].header.pointColumn = 4; // one column beyond the grid
    area.points[4].header.pointNo = 3;     // one row beyond the grid
    area.points[5].header.pointColumn = -1;
    area.points[6].peakTime = area.points[6].startMarkMs; // no finite modulus: empty, pickable
    // A re-test of cell (2, 3), stored after the first test, and a deleted
    // re-test of cell (2, 2) that must not hide the first.
    area.points.push_back(area.points[0]);
    area.points.back().header.pointNo = 2;
    area.points.back().header.pointColumn = 3;
    area.points.back().peakTime += 0.02;
    area.points.push_back(area.points[0]);
    area.points.back().header.pointNo = 2;
    area.points.back().header.pointColumn = 2;
    area.points.back().header.deleted = 1;

    const AreaMap map = buildAreaMap(area);
    for (const auto& [row, column] : {std::pair{0, 1}, {0, 2}, {0, 3}, {1, 0}, {1, 1}})
        expectCell(area, map, row, column, -1);
    expectCell(area, map, 0, 0, 0);
    EXPECT_EQ(map.pointAt(1, 2), 6);
    EXPECT_TRUE(std::isnan(map.value(1, 2)));
    expectCell(area, map, 2, 3, 12);
    expectCell(area, map, 2, 2, 10);
    EXPECT_NE(map.value(2, 3),
              uncorrectedDeformationModulus(area.points[11], resultParametersOf(area.header)));
}

TEST(AreaMapValues, CellsHoldTheModulusBeforeTheAreaCorrection) {
    NamePipeFile area = makeGridArea();
    area.header.slopeCoef = 2;
    area.header.constTerm = 10;
    conditionFile(area);
    const AreaMap map = buildAreaMap(area);
    for (int i = 0; i < 12; ++i) {
        const double corrected =
            area.points[static_cast<std::size_t>(i)].results.deformationModulus;
        EXPECT_NEAR(map.value(i / 4, i % 4), (corrected - 10) / 2, 1e-9 * corrected);
    }
    EXPECT_LT(map.minValue, map.maxValue);
    EXPECT_EQ(map.minValue, *std::min_element(map.values.begin(), map.values.end()));
}

struct HostileGrid {
    int32_t rows;
    int32_t columns;
    float rowSpacing;
    float columnSpacing;
};

class AreaMapGrid : public ::testing::TestWithParam<HostileGrid> {};

TEST_P(AreaMapGrid, IsRefusedWithOneLineBeforeAnythingIsSized) {
    NamePipeFile area = makeGridArea();
    area.header.pointTotal = GetParam().rows;
    area.header.gridColumns = GetParam().columns;
    area.header.pointSpacing = GetParam().rowSpacing;
    area.header.columnSpacing = GetParam().columnSpacing;
    const AreaMap map = buildAreaMap(area);
    EXPECT_FALSE(map.usable());
    EXPECT_EQ(map.unusable.find('\n'), std::string::npos);
    EXPECT_NE(map.unusable.find("no usable grid"), std::string::npos) << map.unusable;
    EXPECT_EQ(map.values.capacity(), 0u);
    EXPECT_EQ(map.pointIndex.capacity(), 0u);
    EXPECT_EQ(map.rows * map.columns, 0);
    EXPECT_TRUE(contourSegments(map, 50).empty());
}

const float kNaNf = std::numeric_limits<float>::quiet_NaN();
const float kInf = std::numeric_limits<float>::infinity();

INSTANTIATE_TEST_SUITE_P(Hostile, AreaMapGrid,
                         ::testing::Values(HostileGrid{INT_MAX, 0, 1, 1},
                                           HostileGrid{INT_MAX, INT_MAX, 1, 1},
                                           HostileGrid{3, INT_MIN, 1, 1}, HostileGrid{0, 4, 1, 1},
                                           HostileGrid{1001, 1, 1, 1}, HostileGrid{1, 1001, 1, 1},
                                           HostileGrid{3, 4, kNaNf, 1}, HostileGrid{3, 4, 1, -1},
                                           HostileGrid{3, 4, 0, 1}, HostileGrid{3, 4, 1, kInf}));

TEST(AreaMapGridLimits, TheLargestGridIsDrawn) {
    NamePipeFile area = makeGridArea();
    area.header.pointTotal = 1000;
    area.header.gridColumns = 1000;
    const AreaMap map = buildAreaMap(area);
    ASSERT_TRUE(map.usable());
    EXPECT_EQ(map.values.size(), 1000000u);
    expectCell(area, map, 2, 3, 11);
}

void expectRoundScale(const MapScale& scale, double minValue, double maxValue) {
    SCOPED_TRACE(std::to_string(minValue) + " .. " + std::to_string(maxValue));
    EXPECT_LE(scale.lower, minValue);
    EXPECT_GE(scale.upper, maxValue);
    const std::size_t steps = scale.levels.size() - 1;
    EXPECT_GE(steps, 5u);
    EXPECT_LE(steps, 10u);
    EXPECT_DOUBLE_EQ(scale.levels.front(), scale.lower);
    EXPECT_DOUBLE_EQ(scale.levels.back(), scale.upper);
    // One of 1, 2, 2.5, 5 times a power of ten.
    const double mantissa = scale.step / std::pow(10.0, std::floor(std::log10(scale.step)));
    EXPECT_TRUE(std::abs(mantissa - 1) < 1e-9 || std::abs(mantissa - 2) < 1e-9 ||
                std::abs(mantissa - 2.5) < 1e-9 || std::abs(mantissa - 5) < 1e-9)
        << mantissa;
    // Round levels: whole multiples of the step.
    EXPECT_NEAR(scale.lower / scale.step, std::round(scale.lower / scale.step), 1e-6);
}

TEST(MapScale, FiveToTenRoundStepsSpanTheMeasuredValues) {
    for (const auto& [low, high] :
         {std::pair{43.7, 151.2}, {1.0, 19.0}, {0.31, 0.33}, {-12.0, 7.0}})
        expectRoundScale(mapScale(low, high), low, high);
    std::mt19937 random(3);
    std::uniform_real_distribution<double> exponent(-3, 5);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int i = 0; i < 2000; ++i) {
        const double low = std::pow(10.0, exponent(random)) * unit(random);
        const double high = low + std::pow(10.0, exponent(random)) * unit(random);
        if (high > low)
            expectRoundScale(mapScale(low, high), low, high);
    }
}

TEST(MapScale, OneValueIsPaddedAndNoValueGivesAPlainScale) {
    const MapScale single = mapScale(120, 120);
    EXPECT_LT(single.lower, 120);
    EXPECT_GT(single.upper, 120);
    expectRoundScale(single, 120, 120);
    expectRoundScale(mapScale(0, 0), 0, 0);
    const MapScale none = mapScale(kNaN, kNaN);
    EXPECT_EQ(none.levels.size(), 6u);
    EXPECT_EQ(none.levels.back(), 1);
    EXPECT_TRUE(std::isfinite(mapScale(-1e308, 1e308).step));
}

AreaMap squareMap(std::vector<double> values, int rows, int columns) {
    AreaMap map;
    map.rows = rows;
    map.columns = columns;
    map.rowSpacing = 2;
    map.columnSpacing = 1;
    map.values = std::move(values);
    map.pointIndex.assign(map.values.size(), 0);
    return map;
}

TEST(MapContours, ALevelIsCutBetweenCellCentresByLinearInterpolation) {
    // Rising from left to right: the level 15 runs up the middle column of
    // centres, x = 0.5 + 0.5, from the lowest centre row to the highest.
    const AreaMap map = squareMap({10, 20, 10, 20}, 2, 2);
    const std::vector<ContourSegment> segments = contourSegments(map, 15);
    ASSERT_EQ(segments.size(), 1u);
    const ContourSegment& s = segments[0];
    EXPECT_DOUBLE_EQ(s.x1, 1.0);
    EXPECT_DOUBLE_EQ(s.x2, 1.0);
    EXPECT_DOUBLE_EQ(std::min(s.y1, s.y2), 1.0);
    EXPECT_DOUBLE_EQ(std::max(s.y1, s.y2), 3.0);
    EXPECT_TRUE(contourSegments(map, 25).empty());
}

TEST(MapContours, EmptyCellsCarryNoLine) {
    // Only the left square has four measured corners.
    const AreaMap map = squareMap({10, 20, 10, 10, 20, kNaN}, 2, 3);
    const std::vector<ContourSegment> segments = contourSegments(map, 15);
    ASSERT_EQ(segments.size(), 1u);
    EXPECT_LE(std::max(segments[0].x1, segments[0].x2), 1.5);
}

} // namespace
} // namespace tarvel::test
