// The record's own baseline: offset, drift and mains hum fitted outside the
// impact and removed before marking; records that sit at one level keep
// their samples to the last bit.
#include "analysis/conditioning.h"
#include "analysis/synthetic.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>

namespace tarvel::test {
namespace {

NamePipeFile simulated(RecordArtifacts artifacts, double noiseCounts = 0, float dtUs = 20) {
    SyntheticArea area;
    area.rows = 1;
    area.columns = 5;
    area.moduliMPa = {15, 40, 90, 200, 450};
    area.sampleCount = 4096;
    area.sampleIntervalUs = dtUs;
    area.baselineNoiseCounts = area.contactNoiseCounts = noiseCounts;
    area.artifacts = artifacts;
    area.seed = 3;
    NamePipeFile file = makeSyntheticArea(area, "baseline");
    conditionFile(file);
    return file;
}

bool sameBits(const SampleBuffer<double>& a, const SampleBuffer<double>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

TEST(RecordBaseline, EachKindOfInterferenceIsFoundAndRemoved) {
    const NamePipeFile clean = simulated({});
    struct Case {
        const char* name;
        RecordArtifacts artifacts;
        double RecordBaseline::*found;
        double size;
    };
    RecordArtifacts offset, drift, hum50, hum60;
    offset.offsetCounts = -12;
    drift.driftCounts = 180;
    hum50.hum50Counts = 30;
    hum60.hum60Counts = 8;
    for (const Case& c : {Case{"offset", offset, &RecordBaseline::offset, -12},
                          Case{"drift", drift, &RecordBaseline::drift, 180},
                          Case{"50 Hz", hum50, &RecordBaseline::hum50, 30},
                          Case{"60 Hz", hum60, &RecordBaseline::hum60, 8}}) {
        const NamePipeFile file = simulated(c.artifacts);
        for (std::size_t i = 0; i < file.points.size(); ++i) {
            const MeasurePoint& point = file.points[i];
            EXPECT_TRUE(point.recordBaseline.removed) << c.name;
            EXPECT_NEAR(point.recordBaseline.*c.found, c.size, 0.5) << c.name;
            EXPECT_LT(point.recordBaseline.noise, 0.5) << c.name; // what is left is rounding
            EXPECT_TRUE(point.results.flags.has(QualityFlag::Interference)) << c.name;
            // The marks may move by a sample (a few per cent on the stiffest
            // ground); the fit reads between the samples.
            const PointResults& before = clean.points[i].results;
            const PointResults& after = point.results;
            EXPECT_NEAR(after.deformationModulus / before.deformationModulus, 1, 0.04) << c.name;
            EXPECT_NEAR(after.resilientModulus / before.resilientModulus, 1, 0.04) << c.name;
            EXPECT_NEAR(after.fitDeformationModulus / before.fitDeformationModulus, 1, 0.002)
                << c.name;
        }
    }
}

TEST(RecordBaseline, AFlatPretriggerKeepsEverySampleAsItWas) {
    // The demo's kind of record: noise only while the ball is in contact.
    SyntheticArea area;
    area.rows = 2;
    area.columns = 3;
    area.contactNoiseCounts = 1;
    NamePipeFile file = makeSyntheticArea(area, "flat");
    conditionFile(file);
    for (const MeasurePoint& point : file.points) {
        // Converted and inverted by hand, as the chain does without a fit.
        SampleBuffer<double> expected;
        expected.assign(point.raw.size(), 0.0);
        for (std::size_t k = 0; k < point.raw.size(); ++k)
            expected[k] =
                -countsToAccel(point.raw[k], file.header.fullScale, file.header.sensitivity);
        EXPECT_FALSE(point.recordBaseline.removed);
        EXPECT_EQ(point.recordBaseline.noise, 0);
        EXPECT_TRUE(sameBits(point.accel, expected));
    }
}

TEST(RecordBaseline, NoiseAloneIsLeftInPlace) {
    const NamePipeFile noisy = simulated({}, 3);
    for (const MeasurePoint& point : noisy.points) {
        EXPECT_FALSE(point.recordBaseline.removed);
        EXPECT_NEAR(point.recordBaseline.noise, 3, 0.4);
        EXPECT_FALSE(point.results.flags.has(QualityFlag::Interference));
    }
}

TEST(RecordBaseline, HumFittedOnBothSidesOfAShortRecord) {
    // 2048 samples of 20 us: two periods of 50 Hz around a contact of up to
    // 12 ms, with 5 ms before it.
    SyntheticArea area;
    area.rows = 1;
    area.columns = 4;
    area.moduliMPa = {15, 40, 90, 200};
    area.sampleCount = 2048;
    area.sampleIntervalUs = 20;
    area.artifacts.hum50Counts = 4;
    area.artifacts.offsetCounts = 2;
    NamePipeFile file = makeSyntheticArea(area, "short");
    conditionFile(file);
    for (std::size_t i = 0; i < file.points.size(); ++i) {
        const PointResults& r = file.points[i].results;
        EXPECT_NEAR(r.deformationModulus / area.moduliMPa[i], 1, 0.05) << i;
        EXPECT_NEAR(r.resilientModulus / area.moduliMPa[i], 1, 0.05) << i;
        EXPECT_FALSE(r.flags.has(QualityFlag::FitDisagrees)) << i;
    }
}

TEST(RecordBaseline, StartThresholdRisesWithTheRecordsNoise) {
    const NamePipeFile quiet = simulated({});
    const NamePipeFile noisy = simulated({}, 10);
    const double count = countsToAccel(32767, noisy.header.fullScale, noisy.header.sensitivity);
    EXPECT_EQ(quiet.points[0].marking.startLevel, 0.005);
    EXPECT_NEAR(noisy.points[0].marking.startLevel / count, 30, 3); // three deviations
    // Ten counts of noise never start a contact by chance.
    for (const MeasurePoint& point : noisy.points)
        EXPECT_EQ(point.marking.noisePulsesSkipped, 0);
}

} // namespace
} // namespace tarvel::test
