// Clean Hertz impacts must give back the modulus they were made with: the
// generator and the result formulas check each other.
#include "analysis/conditioning.h"
#include "analysis/synthetic.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace tarvel {
namespace {

constexpr double kModuli[] = {20, 50, 100, 200};

NamePipeFile cleanArea(double unloadingRatio) {
    SyntheticArea spec;
    spec.rows = 1;
    spec.columns = 4;
    spec.moduliMPa.assign(std::begin(kModuli), std::end(kModuli));
    spec.unloadingRatio = unloadingRatio;
    spec.sampleCount = 4096;
    spec.sampleIntervalUs = 10;
    NamePipeFile area = makeSyntheticArea(spec, "test");
    conditionFile(area);
    return area;
}

// Closed-form Hertz contact time of the ball on a half-space of modulus e2.
double hertzContactTimeMs(const PipHeader& h, double e2) {
    double v0 = std::sqrt(19.6 * h.dropHeight);
    double inverse = (1 - h.ballPoisson * h.ballPoisson) / h.ballModulus +
                     (1 - h.materialPoisson * h.materialPoisson) / e2;
    double xMax =
        std::pow(15 * h.ballMass * v0 * v0 / (16 / inverse * std::sqrt(h.ballRadius)), 0.4);
    return 2.94 * xMax / v0 * 1000;
}

TEST(HertzCheck, ModuliComeBackWithinOnePercent) {
    NamePipeFile area = cleanArea(1.0);
    ASSERT_EQ(area.pointCount(), 4);
    for (std::size_t i = 0; i < 4; ++i) {
        const PointResults& r = area.points[i].results;
        SCOPED_TRACE(kModuli[i]);
        EXPECT_NEAR(r.deformationModulus / kModuli[i], 1.0, 0.015);
        EXPECT_NEAR(r.resilientModulus / kModuli[i], 1.0, 0.015);
        EXPECT_NEAR(r.tc / hertzContactTimeMs(area.header, kModuli[i] * 1e6), 1.0, 0.01);
        // At the peak the ball is at its deepest: the settlement is x_max.
        double v0 = std::sqrt(19.6 * area.header.dropHeight);
        EXPECT_NEAR(r.settlement / (r.tc / 2.94 * v0 / 1000), 1.0, 0.02);
    }
}

TEST(HertzCheck, StifferUnloadingRaisesOnlyTheResilientModulus) {
    NamePipeFile area = cleanArea(1.5);
    for (std::size_t i = 0; i < 4; ++i) {
        const PointResults& r = area.points[i].results;
        SCOPED_TRACE(kModuli[i]);
        EXPECT_NEAR(r.deformationModulus / kModuli[i], 1.0, 0.015);
        EXPECT_GT(r.resilientModulus, 1.15 * r.deformationModulus);
    }
}

std::vector<double> deformationModuli(double modulus, double baselineNoise, uint32_t seed) {
    SyntheticArea spec;
    spec.moduliMPa = {modulus};
    spec.baselineNoiseCounts = baselineNoise;
    spec.seed = seed;
    NamePipeFile area = makeSyntheticArea(spec, "test");
    conditionFile(area);
    std::vector<double> moduli;
    for (const MeasurePoint& point : area.points)
        moduli.push_back(point.results.deformationModulus);
    return moduli;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

TEST(HertzCheck, BaselineNoiseBarelyMovesTheModuli) {
    // The same impacts with and without noise before and after the contact.
    for (double noise : {1.0, 3.0, 10.0})
        for (double modulus : {20.0, 80.0, 200.0}) {
            SCOPED_TRACE(testing::Message() << noise << " counts, " << modulus << " MPa");
            std::vector<double> clean = deformationModuli(modulus, 0, 3);
            std::vector<double> noisy = deformationModuli(modulus, noise, 3);
            ASSERT_EQ(clean.size(), 25u);
            EXPECT_NEAR(median(noisy) / median(clean), 1.0, 0.02);
            for (std::size_t i = 0; i < clean.size(); ++i)
                EXPECT_NEAR(noisy[i] / clean[i], 1.0, 0.10) << "point " << i;
        }
}

TEST(Synthetic, RawSamplesGiveBackTheAccelerationTimesGain) {
    SyntheticArea spec;
    spec.rows = 1;
    spec.columns = 1;
    spec.moduliMPa = {80};
    spec.gain = 3;
    NamePipeFile area = makeSyntheticArea(spec, "test");
    conditionFile(area);
    const PipHeader& h = area.header;
    const MeasurePoint& point = area.points[0];

    // Peak of a Hertz impact: k x_max^1.5 / m, read as accel = a * gain.
    BallParameters ball{h.ballRadius, h.ballMass, h.ballModulus, h.ballPoisson, h.dropHeight};
    double k = hertzStiffness(ball, 80e6, h.materialPoisson);
    double v0 = std::sqrt(19.6 * h.dropHeight);
    double xMax = std::pow(1.25 * h.ballMass * v0 * v0 / k, 0.4);
    double peak = k * std::pow(xMax, 1.5) / h.ballMass;
    EXPECT_NEAR(point.peakValue / h.gain / peak, 1.0, 0.002);
    EXPECT_GT(point.peakValue, 0.7 * h.fullScale / h.sensitivity); // most of the range

    // Quiet before the impact, so the start rule finds the impact itself.
    for (int k0 = 0; k0 < spec.preTriggerSamples; ++k0)
        ASSERT_EQ(point.accel[static_cast<std::size_t>(k0)], 0.0);
}

TEST(Synthetic, PatternsFillTheGrid) {
    EXPECT_EQ(modulusPattern("uniform:80", 2, 3, 1), std::vector<double>(6, 80.0));
    std::vector<double> gradient = modulusPattern("gradient:40:120", 3, 2, 1);
    EXPECT_EQ(gradient, (std::vector<double>{40, 40, 80, 80, 120, 120}));
    EXPECT_EQ(modulusPattern("20,50", 1, 3, 1), (std::vector<double>{20, 50, 20}));
    EXPECT_TRUE(modulusPattern("gradient:40", 3, 2, 1).empty());
    EXPECT_TRUE(modulusPattern("uniform:-5", 3, 2, 1).empty());
    EXPECT_TRUE(modulusPattern("20,x", 3, 2, 1).empty());
}

} // namespace
} // namespace tarvel
