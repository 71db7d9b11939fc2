// Where the contact starts, ends and peaks: the automatic rule and stored marks.
#include "analysis/conditioning.h"
#include "analysis/marking.h"
#include "fixtures.h"

#include <cmath>
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

TEST(AutomaticMarking, ShortRunsAboveInEveryPositionDoNotHideTheFirstStart) {
    // Runs of one and two samples above the threshold, then the first run of
    // three at every offset: the start is one sample before that run.
    const std::vector<std::vector<double>> leads = {
        {}, {0}, {0, 0}, {4, 0}, {4, 4, 0}, {0, 4, 0, 4, 4, 0}, {4, 4, 0, 4, 0, 0}};
    for (const std::vector<double>& lead : leads) {
        std::vector<double> wave = {0};
        wave.insert(wave.end(), lead.begin(), lead.end());
        const std::size_t first = wave.size();
        wave.insert(wave.end(), {5, 6, 7, 0});
        MeasurePoint p = marked(wave);
        EXPECT_FLOAT_EQ(p.header.startMark, static_cast<float>((first - 1) * 0.01))
            << "run of three at " << first;
        EXPECT_DOUBLE_EQ(p.peakValue, 7);
    }
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

// A wave of zeros with an impact of `height` over samples 100..119.
std::vector<double> impactAt100(double height) {
    std::vector<double> wave(200, 0.0);
    for (int k = 100; k < 120; ++k)
        wave[static_cast<std::size_t>(k)] = height;
    return wave;
}

TEST(NoiseSkipping, OneCountBlipBeforeTheImpactIsPassedOver) {
    // The threshold sits far below one converter count, so the rule alone
    // would start the mark at the blip.
    std::vector<double> wave = impactAt100(500);
    wave[20] = wave[21] = wave[22] = 1;
    MeasurePoint p = marked(wave);
    EXPECT_FLOAT_EQ(p.header.startMark, 0.99f);
    EXPECT_FLOAT_EQ(p.header.endMark, 1.19f);
    EXPECT_DOUBLE_EQ(p.peakTime, 1.19);
    EXPECT_DOUBLE_EQ(p.peakValue, 500);
    EXPECT_EQ(p.marking.noisePulsesSkipped, 0); // counted from 5 % of the impact
}

TEST(NoiseSkipping, ThreeCountBlipThenTheImpact) {
    std::vector<double> wave = impactAt100(500);
    wave[40] = 1;
    wave[41] = 3;
    wave[42] = 2;
    MeasurePoint p = marked(wave);
    EXPECT_FLOAT_EQ(p.header.startMark, 0.99f);
    EXPECT_EQ(p.marking.noisePulsesSkipped, 0);

    wave[41] = 30; // 6 % of the impact: worth a note
    EXPECT_EQ(marked(wave).marking.noisePulsesSkipped, 1);
}

TEST(NoiseSkipping, PulseOfExactlyHalfTheHeightIsTheImpact) {
    std::vector<double> wave = impactAt100(500);
    wave[40] = wave[41] = wave[42] = 250;
    MeasurePoint p = marked(wave);
    EXPECT_FLOAT_EQ(p.header.startMark, 0.39f);
    EXPECT_FLOAT_EQ(p.header.endMark, 0.42f);
    EXPECT_EQ(p.marking.noisePulsesSkipped, 0);

    // Half the height is measured above the baseline.
    std::vector<double> raised(200, 100.0);
    for (int k = 40; k < 43; ++k)
        raised[static_cast<std::size_t>(k)] = 349; // 249 above a baseline of 100
    for (int k = 100; k < 120; ++k)
        raised[static_cast<std::size_t>(k)] = 600; // 500 above it
    EXPECT_FLOAT_EQ(marked(raised, 1, 0, 0, 100).header.startMark, 0.99f);
}

TEST(NoiseSkipping, OneCountOfNoiseEverywhereBeforeTheImpact) {
    std::vector<double> wave = impactAt100(500);
    for (int k = 1; k < 96; ++k) // runs of three or four counts, then a zero
        wave[static_cast<std::size_t>(k)] = k % 5 == 0 ? 0 : 1;
    MeasurePoint p = marked(wave);
    EXPECT_FLOAT_EQ(p.header.startMark, 0.99f);
    EXPECT_DOUBLE_EQ(p.peakValue, 500);
    EXPECT_EQ(p.marking.noisePulsesSkipped, 0);
}

TEST(NoiseSkipping, WhenNoPulseIsHighEnoughTheFirstStands) {
    // The largest sample is a two-sample spike, which is no pulse at all.
    std::vector<double> wave(200, 0.0);
    wave[10] = wave[11] = wave[12] = 4;
    wave[50] = wave[51] = wave[52] = 6;
    wave[100] = wave[101] = 1000;
    MeasurePoint p = marked(wave);
    EXPECT_FLOAT_EQ(p.header.startMark, 0.09f);
    EXPECT_FLOAT_EQ(p.header.endMark, 0.12f);
    EXPECT_DOUBLE_EQ(p.peakValue, 4);
    EXPECT_EQ(p.marking.noisePulsesSkipped, 0);
}

TEST(NoiseSkipping, ImpactThatNeverReturnsKeepsTheStoredEnd) {
    std::vector<double> wave(1024, 0.0);
    wave[20] = wave[21] = wave[22] = 2;
    for (std::size_t k = 100; k < wave.size(); ++k)
        wave[k] = 300;
    MeasurePoint p = marked(wave, 1, 0, 3.25f);
    EXPECT_FLOAT_EQ(p.header.startMark, 0.99f);
    EXPECT_FLOAT_EQ(p.header.endMark, 3.25f);
    EXPECT_DOUBLE_EQ(p.peakTime, 10.23); // the last of equal maxima
    EXPECT_TRUE(p.marking.impactFound);
    EXPECT_FALSE(p.marking.impactReturned);
}

TEST(StoredMarks, LastOfEqualMaximaBetweenTheMarksAsAutomaticMarkingFindsIt) {
    // Samples 1..4 lie between 0.015 ms and 0.045 ms; the 9s lie beyond.
    MeasurePoint p = marked({0, 1, 8, 3, 8, 9, 9, 0}, 2, 0.015f, 0.045f);
    EXPECT_DOUBLE_EQ(p.peakValue, 8);
    EXPECT_DOUBLE_EQ(p.peakTime, 0.04);
    EXPECT_FLOAT_EQ(p.header.startMark, 0.015f);
    EXPECT_DOUBLE_EQ(p.startMarkMs, static_cast<double>(0.015f));
}

TEST(StoredMarks, HandMarkingAFlatTopKeepsWhatAutomaticMarkingFound) {
    const std::vector<double> wave = {0, 0, 3, 9, 9, 9, 2, 1, 0, 0};
    const MeasurePoint automatic = marked(wave);
    const MeasurePoint byHand =
        marked(wave, 0, automatic.header.startMark, automatic.header.endMark);
    EXPECT_DOUBLE_EQ(byHand.peakTime, automatic.peakTime);
    EXPECT_DOUBLE_EQ(byHand.peakValue, automatic.peakValue);
    EXPECT_DOUBLE_EQ(byHand.startMarkMs, automatic.startMarkMs);
    EXPECT_DOUBLE_EQ(byHand.endMarkMs, automatic.endMarkMs);
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

TEST(YRange, LargestSampleWhereverItLies) {
    // The record is 1024 samples long; the peak sits at every offset from
    // the start and at the very end.
    for (int at : {0, 1, 2, 3, 4, 5, 6, 7, 1021, 1022, 1023}) {
        std::vector<double> wave(1024, 0.0);
        wave[static_cast<std::size_t>((at + 512) % 1024)] = 30;
        wave[static_cast<std::size_t>(at)] = 70;
        MeasurePoint p = marked(wave);
        EXPECT_DOUBLE_EQ(p.yMax, 84) << "peak at " << at;
    }
    // A record below zero throughout: conditioning would take its level for
    // an offset and remove it, so the rule is tried on the samples as they are.
    MeasurePoint sinking;
    sinking.accel.assign(1024, -2.0);
    sinking.accel[1023] = -1;
    markPoint(sinking, makeHeader());
    EXPECT_DOUBLE_EQ(sinking.yMax, -1.2);
}

TEST(YRange, SamplesThatAreNotNumbersKeepTheirPlaceInTheScan) {
    // A zero sensitivity turns mid-scale into 0/0 and every other count into
    // an infinity: the scan keeps whatever it met first.
    auto yMaxAtZeroSensitivity = [](const std::vector<double>& wave) {
        NamePipeFile area;
        area.header = makeHeader();
        area.header.sensitivity = 0;
        area.points.push_back(makePoint(area.header, wave));
        area.header.pointCount = 1;
        conditionFile(area);
        return area.points[0].yMax;
    };
    EXPECT_TRUE(std::isnan(yMaxAtZeroSensitivity({-5, 0, 40})));
    EXPECT_EQ(yMaxAtZeroSensitivity({5, 0, 40}), std::numeric_limits<double>::infinity());
}

} // namespace
} // namespace tarvel::test
