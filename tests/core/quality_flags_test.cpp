// Quality flags: one record per flag, and none on a good record.
#include "analysis/conditioning.h"
#include "fixtures.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <set>
#include <string>

namespace tarvel::test {
namespace {

// 10 us per sample: a triangle of `height` over samples first..last, 3 ms long by default.
std::vector<double> impact(double height, int first = 100, int last = 400) {
    std::vector<double> wave(1024, 0.0);
    const double middle = (first + last) / 2.0;
    for (int k = first; k <= last; ++k)
        wave[static_cast<std::size_t>(k)] =
            std::round(height * (1 - std::abs(k - middle) / (middle - first + 1)));
    return wave;
}

QualityFlags flagsOf(const std::vector<double>& wave, int autoMark = 1, float start = 1.0f,
                     float end = 5.0f) {
    NamePipeFile area;
    area.header = makeHeader();
    area.points.push_back(makePoint(area.header, wave));
    area.header.pointCount = 1;
    area.points[0].header.params.autoMark = autoMark;
    area.points[0].header.startMark = start;
    area.points[0].header.endMark = end;
    conditionFile(area);
    return area.points[0].results.flags;
}

std::vector<std::string> keys(const QualityFlags& flags) {
    std::vector<std::string> result;
    for (QualityFlag flag : flags.list())
        result.push_back(labelOf(flag).key);
    return result;
}

TEST(QualityFlags, GoodImpactCarriesNone) {
    QualityFlags flags = flagsOf(impact(1000));
    EXPECT_FALSE(flags.any()) << testing::PrintToString(keys(flags));
}

TEST(QualityFlags, MarksSetByHand) {
    QualityFlags flags = flagsOf(impact(1000), 2, 0.99f, 4.0f);
    EXPECT_EQ(keys(flags), std::vector<std::string>{"manual"});
    EXPECT_FALSE(flags.hasError());
}

TEST(QualityFlags, NoImpactFoundUsesTheStoredMarks) {
    QualityFlags flags = flagsOf(std::vector<double>(1024, 0.0));
    EXPECT_EQ(keys(flags), std::vector<std::string>{"noImpact"});
    EXPECT_TRUE(flags.hasError());
}

TEST(QualityFlags, ImpactThatNeverReturns) {
    std::vector<double> wave = impact(1000);
    for (std::size_t k = 250; k < wave.size(); ++k)
        wave[k] = 700;
    EXPECT_TRUE(flagsOf(wave).has(QualityFlag::NoReturn));
}

TEST(QualityFlags, ContactTimeOutsideOneToFortyMilliseconds) {
    EXPECT_EQ(keys(flagsOf(impact(1000, 100, 180))), std::vector<std::string>{"contactTime"});
    EXPECT_FALSE(flagsOf(impact(1000, 100, 200)).has(QualityFlag::ContactTime)); // 1.0 ms
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_TRUE(flagsOf(impact(1000), 2, nan, 4.0f).has(QualityFlag::ContactTime));
    EXPECT_TRUE(flagsOf(impact(1000), 2, 4.0f, 1.0f).has(QualityFlag::ContactTime));
    EXPECT_TRUE(flagsOf(impact(1000), 2, 0.0f, 41.0f).has(QualityFlag::ContactTime));
}

TEST(QualityFlags, ClippedPeakNeedsTwoSamplesAtTheLimit) {
    std::vector<double> wave = impact(40000);
    for (double& value : wave)
        value = std::min(value, 32767.0); // raw 65535
    EXPECT_EQ(keys(flagsOf(wave)), std::vector<std::string>{"clipped"});

    std::vector<double> touching = impact(32767, 100, 401); // one sample reaches the limit
    EXPECT_FALSE(flagsOf(touching).has(QualityFlag::Clipped));

    std::vector<double> low = impact(1000);
    low[300] = low[301] = -32768; // raw 0, the other limit, inside marks set by hand
    EXPECT_TRUE(flagsOf(low, 2, 0.99f, 4.0f).has(QualityFlag::Clipped));
}

TEST(QualityFlags, NoisyBaselineAboveTwoPercentOfTheHeight) {
    std::vector<double> noisy = impact(1000);
    std::vector<double> quiet = impact(1000);
    for (std::size_t k = 0; k < 99; ++k) { // never three samples in a row above the threshold
        noisy[k] = k % 2 ? 25 : -25;
        quiet[k] = k % 2 ? 15 : -15;
    }
    EXPECT_EQ(keys(flagsOf(noisy)), std::vector<std::string>{"noisyBaseline"});
    EXPECT_FALSE(flagsOf(quiet).any());
}

TEST(QualityFlags, NoisePulsesSkippedWithTheirCount) {
    std::vector<double> wave = impact(1000);
    wave[20] = wave[21] = wave[22] = 1;
    wave[50] = wave[51] = wave[52] = 3;
    QualityFlags flags = flagsOf(wave);
    EXPECT_EQ(keys(flags), std::vector<std::string>{"noiseSkipped"});
    EXPECT_EQ(flags.noisePulsesSkipped, 2);
}

TEST(QualityFlags, ReboundOfAtLeastHalfTheHeight) {
    std::vector<double> rebound = impact(1000);
    std::vector<double> small = impact(1000);
    for (int k = 600; k < 700; ++k) {
        rebound[static_cast<std::size_t>(k)] = 500;
        small[static_cast<std::size_t>(k)] = 499;
    }
    EXPECT_EQ(keys(flagsOf(rebound)), std::vector<std::string>{"secondImpact"});
    EXPECT_FALSE(flagsOf(small).any());
}

TEST(QualityFlags, LabelsAreCompleteAndListedInOrder) {
    std::set<std::string> seen;
    QualityFlags all;
    for (int i = 0; i < kQualityFlagCount; ++i) {
        const QualityFlagLabel& label = labelOf(static_cast<QualityFlag>(i));
        EXPECT_TRUE(seen.insert(label.key).second);
        EXPECT_STRNE(label.chinese, "");
        EXPECT_STRNE(label.english, "");
        all.set(static_cast<QualityFlag>(i));
    }
    EXPECT_EQ(keys(all), (std::vector<std::string>{"noImpact", "noReturn", "contactTime", "clipped",
                                                   "noisyBaseline", "noiseSkipped", "secondImpact",
                                                   "manual"}));
    QualityFlags warningsOnly;
    warningsOnly.set(QualityFlag::Clipped);
    warningsOnly.set(QualityFlag::NoisyBaseline);
    EXPECT_FALSE(warningsOnly.hasError());
}

} // namespace
} // namespace tarvel::test
