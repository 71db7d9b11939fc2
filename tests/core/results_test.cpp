// Results of a point and of an area, and how they read on screen.
#include "analysis/conditioning.h"
#include "analysis/results.h"
#include "fixtures.h"

#include <cmath>
#include <gtest/gtest.h>

namespace tarvel::test {
namespace {

TEST(SettlementIntegral, SumsFromTheStartMarkUpToThePeak) {
    PipHeader h = makeHeader();
    h.gain = 2;
    MeasurePoint p;
    p.accel.assign(1024, 0.0);
    for (std::size_t k = 10; k < 60; ++k)
        p.accel[k] = 4;  // 2 m/s2 once divided by the gain
    p.startMarkMs = 0.1; // sample 10
    p.peakTime = 0.5;    // sample 50
    const double dt = 10e-6;
    // sum over i = 10..49 of (50 - i) * 2 * dt^2 = 2 dt^2 * (40 * 41 / 2)
    EXPECT_NEAR(settlementIntegral(p, resultParametersOf(h)), 2 * dt * dt * 820, 1e-15);

    p.peakTime = 0.055; // iP = 5.5, before the start: nothing to sum
    EXPECT_EQ(settlementIntegral(p, resultParametersOf(h)), 0.0);
}

TEST(PointResults, ImpossibleHeaderValuesReadAsNoNumber) {
    NamePipeFile area = makeArea(1);
    area.header.gain = 0;
    conditionFile(area);
    const PointResults& r = area.points[0].results;
    EXPECT_TRUE(r.flags.has(QualityFlag::InvalidParameters));
    EXPECT_STREQ(r.flags.invalidParameter, "gain");
    std::array<std::string, 12> lines = resultLines(r);
    EXPECT_EQ(lines[2], "最大冲击力 (kN): nan");
    EXPECT_EQ(fitResultLine(r), "拟合 Ed / Er (MPa): -- / --");
}

TEST(PointResults, LinesUseTheirFixedDecimals) {
    PointResults r;
    r.tc = 13.66;
    r.settlement = 0.01454;
    r.impactForce = 16.8488;
    r.deformationModulus = 19.932;
    r.relativeDensity = 0.671;
    std::array<std::string, 12> lines = resultLines(r);
    EXPECT_EQ(lines[0], "测试 Tc (ms): 13.660");
    EXPECT_EQ(lines[1], "最大沉降量 (m): 0.015");
    EXPECT_EQ(lines[2], "最大冲击力 (kN): 16.85");
    EXPECT_EQ(lines[4], "变形模量 (MPa): 19.93");
    EXPECT_EQ(lines[11], "相对密度: 0.67");
    EXPECT_EQ(formatFixed(std::nan(""), 2), "nan");
    EXPECT_EQ(formatFixed(-INFINITY, 2), "-inf");
}

TEST(PointResults, DryDensityDividesByLnOfTheTruncatedE) {
    MeasurePoint p;
    p.accel.assign(1024, 0.0);
    p.peakTime = 5;
    p.endMarkMs = 10;
    PipHeader h = makeHeader();
    h.densityA = 1;
    h.densityB = 0;
    h.slopeCoef = 0;
    h.constTerm = 1000; // Ed = 1000 whatever the marks
    PointResults r = computePointResults(p, resultParametersOf(h));
    EXPECT_EQ(r.deformationModulus, 1000.0);
    // ln(1000) / ln(2.71828) = 6.90776...e0 * 1.00000067, kept in single precision.
    EXPECT_EQ(r.dryDensity, static_cast<float>(std::log(1000.0) / std::log(2.71828)));
    EXPECT_NE(static_cast<float>(r.dryDensity), static_cast<float>(std::log(1000.0)));
}

class AreaMeansTest : public ::testing::Test {
protected:
    void SetUp() override {
        area = makeArea(3);
        conditionFile(area);
        for (std::size_t i = 0; i < 3; ++i) {
            area.points[i].results.deformationModulus = moduli[i];
            area.points[i].results.resilientModulus = 2 * moduli[i];
        }
    }
    NamePipeFile area;
    const double moduli[3] = {50, 100, 200};
};

TEST_F(AreaMeansTest, HarmonicMeanOverPointsNotDeleted) {
    AreaMeans all = computeAreaMeans(area);
    ASSERT_TRUE(all.valid);
    EXPECT_DOUBLE_EQ(all.deformationModulus, 3 / (1 / 50.0 + 1 / 100.0 + 1 / 200.0));
    EXPECT_DOUBLE_EQ(all.resilientModulus, 2 * all.deformationModulus);

    area.points[2].header.deleted = 1;
    area.points[2].results.deformationModulus = 0; // a deleted wave must not move the mean
    AreaMeans kept = computeAreaMeans(area);
    EXPECT_EQ(kept.pointCount, 2);
    EXPECT_DOUBLE_EQ(kept.deformationModulus, 2 / (1 / 50.0 + 1 / 100.0));
}

TEST_F(AreaMeansTest, ZeroModulusMakesItsMeanZeroAndNoPointsNoMean) {
    area.points[1].results.resilientModulus = 0;
    AreaMeans means = computeAreaMeans(area);
    EXPECT_EQ(means.resilientModulus, 0.0);
    EXPECT_GT(means.deformationModulus, 0.0);

    area.points.resize(1);
    EXPECT_DOUBLE_EQ(computeAreaMeans(area).deformationModulus, 50.0);

    area.points.clear();
    EXPECT_FALSE(computeAreaMeans(area).valid);
}

} // namespace
} // namespace tarvel::test
