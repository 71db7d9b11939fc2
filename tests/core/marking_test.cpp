// Where the contact starts, ends and peaks: the automatic rule and stored marks.
#include "analysis/conditioning.h"
#include "fixtures.h"

#include <gtest/gtest.h>
#include <limits>

namespace tarvel::test {
namespace {

// One point of the given conditioned samples (10 us per sample), conditioned.
MeasurePoint marked(const std::vector<double>& wave, int autoMark = 1, float start = 0,
                    float end = 0, float baseline = 0) {
    NamePipeFile area;
    area.header = makeHeader();
    area.header.accelCorrection = baseline;
    area.points.push_back(makePoint(area.header, wave));
    area.header.pointCount = 1;
    MeasurePoint& point = area.points[0];
    point.header.params.autoMark = autoMark;
    point.header.startMark = start;
    point.header.endMark = end;
    conditionFile(area);
    return area.points[0];
}

TEST(AutomaticMarking, StartsOneSampleBeforeThreeAboveThreshold) {
    MeasurePoint p = marked({0, 5, 6, 7, 3, 0});
    EXPECT_FLOAT_EQ(p.header.startMark, 0.0f);
    EXPECT_DOUBLE_EQ(p.peakTime, 0.03);
    EXPECT_DOUBLE_EQ(p.peakValue, 7);
    EXPECT_FLOAT_EQ(p.header.endMark, 0.04f);
    EXPECT_DOUBLE_EQ(p.endMarkMs - p.startMarkMs, static_cast<double>(0.04f) - 0.0);
}

TEST(AutomaticMarking, TwoSamplesAboveDoNotStartAndOldMarksStay) {
    MeasurePoint p = marked({0, 0, 5, 5, 0, 0, 4, 0}, 1, 1.5f, 2.5f);
    EXPECT_FLOAT_EQ(p.header.startMark, 1.5f);
    EXPECT_FLOAT_EQ(p.header.endMark, 2.5f);
    EXPECT_EQ(p.peakTime, 0.0);
    EXPECT_EQ(p.peakValue, 0.0);
}

TEST(AutomaticMarking, SampleZeroCannotStartTheContact) {
    MeasurePoint p = marked({5, 5, 5, 5, 0});
    EXPECT_FLOAT_EQ(p.header.startMark, 0.0f); // k = 1 is the first candidate
    EXPECT_DOUBLE_EQ(p.peakValue, 5);
}

TEST(AutomaticMarking, LastOfEqualMaximaWinsAndBaselineEndsTheContact) {
    MeasurePoint p = marked({0, 0, 3, 9, 9, 2, 1, 1, 0}, 1, 0, 0, 1);
    EXPECT_FLOAT_EQ(p.header.startMark, 0.01f);
    EXPECT_DOUBLE_EQ(p.peakTime, 0.04);
    // Falling to exactly the baseline (1) ends the contact there.
    EXPECT_FLOAT_EQ(p.header.endMark, 0.05f);
}

TEST(AutomaticMarking, WaveThatNeverFallsBackKeepsTheOldEnd) {
    std::vector<double> wave(1024, 0.0);
    for (std::size_t k = 10; k < wave.size(); ++k)
        wave[k] = 100 + (k == 700 ? 50 : 0);
    MeasurePoint p = marked(wave, 1, 0, 3.25f);
    EXPECT_FLOAT_EQ(p.header.startMark, 0.09f);
    EXPECT_FLOAT_EQ(p.header.endMark, 3.25f);
    EXPECT_DOUBLE_EQ(p.peakTime, 7.0);
}

TEST(AutomaticMarking, OneCountOfNoiseBeforeTheImpactStartsTheMark) {
    // The threshold sits far below one converter count: this is the
    // instrument's rule, and why quiet data matters.
    std::vector<double> wave(200, 0.0);
    wave[20] = wave[21] = wave[22] = 1;
    for (int k = 100; k < 120; ++k)
        wave[static_cast<std::size_t>(k)] = 500;
    MeasurePoint p = marked(wave);
    EXPECT_FLOAT_EQ(p.header.startMark, 0.19f);
}

TEST(StoredMarks, FirstOfEqualMaximaBetweenTheMarks) {
    // Samples 1..4 lie between 0.015 ms and 0.045 ms; the 9s lie beyond.
    MeasurePoint p = marked({0, 1, 8, 3, 8, 9, 9, 0}, 2, 0.015f, 0.045f);
    EXPECT_DOUBLE_EQ(p.peakValue, 8);
    EXPECT_DOUBLE_EQ(p.peakTime, 0.02);
    EXPECT_FLOAT_EQ(p.header.startMark, 0.015f);
    EXPECT_DOUBLE_EQ(p.startMarkMs, static_cast<double>(0.015f));
}

TEST(StoredMarks, WaveAtOrBelowZeroLeavesNoPeak) {
    MeasurePoint p = marked({0, -1, -2, 0, -3}, 2, 0.0f, 0.04f);
    EXPECT_EQ(p.peakValue, 0.0);
    EXPECT_EQ(p.peakTime, 0.0);
}

TEST(StoredMarks, HostileMarksStayInsideTheRecord) {
    for (float start : {-1e30f, 1e30f, std::numeric_limits<float>::quiet_NaN()})
        for (float end : {-1e30f, 1e30f, std::numeric_limits<float>::infinity()}) {
            MeasurePoint p = marked({0, 4, 5, 0}, 2, start, end);
            EXPECT_TRUE(p.peakValue == 0.0 || p.peakValue == 5.0);
        }
}

TEST(YRange, FollowsTheLargestSample) {
    MeasurePoint p = marked({0, 10, 40, 20, 0});
    EXPECT_DOUBLE_EQ(p.yMax, 48);
    EXPECT_DOUBLE_EQ(p.yMin, -24);
    MeasurePoint flat = marked({0, -5, -3});
    EXPECT_DOUBLE_EQ(flat.yMax, 0.0); // the last sample when nothing rises above 1e-6
}

} // namespace
} // namespace tarvel::test
