// Quality flags: one record per flag, and none on a good record.
#include "analysis/conditioning.h"
#include "fixtures.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <set>
#include <string>

namespace tarvel::test {
namespace {

// 10 us per sample: a Hertz impact of `height` counts over samples
// first..last, 3 ms long by default.
std::vector<double> impact(double height, int first = 100, int last = 400) {
    return hertzImpact(height, first, last - first + 1);
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

// Normal noise of `sigma` counts, rounded, the same on every run.
void addNoise(std::vector<double>& wave, double sigma) {
    std::mt19937 random(7);
    std::normal_distribution<double> normal(0.0, sigma);
    for (double& value : wave)
        value = std::round(value + normal(random));
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
    // The flat top moves the marked peak; the fit, which leaves the clipped
    // samples out, says by how much.
    std::vector<double> wave = impact(40000);
    for (double& value : wave)
        value = std::min(value, 32767.0); // raw 65535
    const QualityFlags clipped = flagsOf(wave);
    EXPECT_EQ(keys(clipped), (std::vector<std::string>{"clipped", "fitDisagrees"}));
    EXPECT_FALSE(clipped.hasError());

    std::vector<double> touching = impact(32767, 100, 401); // one sample reaches the limit
    EXPECT_FALSE(flagsOf(touching).has(QualityFlag::Clipped));

    std::vector<double> low = impact(1000);
    low[300] = low[301] = -32768; // raw 0, the other limit, inside marks set by hand
    EXPECT_TRUE(flagsOf(low, 2, 0.99f, 4.0f).has(QualityFlag::Clipped));
}

TEST(QualityFlags, ClippedBeyondWhatTheFitCanReadIsAnError) {
    std::vector<double> wave = impact(400000);
    for (double& value : wave)
        value = std::min(value, 32767.0);
    const QualityFlags flags = flagsOf(wave);
    EXPECT_TRUE(flags.has(QualityFlag::Clipped));
    EXPECT_EQ(flags.severityOf(QualityFlag::Clipped), FlagSeverity::Error);
    EXPECT_TRUE(flags.hasError());
}

TEST(QualityFlags, NoisyBaselineAboveTwoPercentOfTheHeight) {
    std::vector<double> noisy = impact(1000);
    std::vector<double> quiet = impact(1000);
    addNoise(noisy, 25);
    addNoise(quiet, 15);
    EXPECT_TRUE(flagsOf(noisy).has(QualityFlag::NoisyBaseline));
    EXPECT_FALSE(flagsOf(quiet).has(QualityFlag::NoisyBaseline));
}

TEST(QualityFlags, NoisePulsesSkippedFromFivePercentOfTheImpact) {
    std::vector<double> wave = impact(1000);
    wave[20] = wave[21] = wave[22] = 3; // ordinary noise: passed over, not counted
    wave[40] = wave[41] = wave[42] = 60;
    wave[60] = wave[61] = wave[62] = 80;
    QualityFlags flags = flagsOf(wave);
    EXPECT_EQ(keys(flags), std::vector<std::string>{"noiseSkipped"});
    EXPECT_EQ(flags.noisePulsesSkipped, 2);
}

TEST(QualityFlags, ReboundOfAtLeastHalfTheHeight) {
    std::vector<double> rebound = impact(1000);
    std::vector<double> small = impact(1000);
    const std::vector<double> second = impact(500, 600, 700);
    const std::vector<double> lower = impact(498, 600, 700);
    for (std::size_t k = 600; k <= 700; ++k) {
        rebound[k] = second[k];
        small[k] = lower[k];
    }
    EXPECT_EQ(keys(flagsOf(rebound)), std::vector<std::string>{"secondImpact"});
    EXPECT_FALSE(flagsOf(small).any()) << testing::PrintToString(keys(flagsOf(small)));
}

TEST(QualityFlags, RecordThatStartsInsideTheContact) {
    std::vector<double> late = impact(1000, 100, 400);
    late.erase(late.begin(), late.begin() + 130); // the first 130 samples of the contact
    late.resize(1024, 0.0);
    QualityFlags flags = flagsOf(late);
    EXPECT_TRUE(flags.has(QualityFlag::LateTrigger));
    EXPECT_TRUE(flags.hasError());

    std::vector<double> early = impact(1000, 4, 304); // a handful of samples before it
    EXPECT_TRUE(flagsOf(early).has(QualityFlag::LateTrigger));
}

TEST(QualityFlags, RemovedOffsetIsNotedAndChangesNothing) {
    std::vector<double> raised = impact(1000);
    for (double& value : raised)
        value += 5;
    NamePipeFile clean;
    clean.header = makeHeader();
    clean.points.push_back(makePoint(clean.header, impact(1000)));
    clean.points.push_back(makePoint(clean.header, raised));
    clean.header.pointCount = 2;
    conditionFile(clean);
    const PointResults& before = clean.points[0].results;
    const PointResults& after = clean.points[1].results;
    EXPECT_EQ(keys(after.flags), std::vector<std::string>{"interference"});
    EXPECT_EQ(after.deformationModulus, before.deformationModulus);
    EXPECT_EQ(after.resilientModulus, before.resilientModulus);
    EXPECT_EQ(clean.points[1].recordBaseline.offset, 5);
}

TEST(QualityFlags, HandMarksFarFromTheFitDisagree) {
    // Marks set a millisecond too early make the contact look longer.
    const QualityFlags flags = flagsOf(impact(1000), 2, 0.0f, 4.0f);
    EXPECT_TRUE(flags.has(QualityFlag::FitDisagrees));
    EXPECT_FALSE(flags.hasError());
}

TEST(QualityFlags, ImpossibleHeaderValuesLeaveNoResults) {
    for (auto spoil : std::vector<void (*)(PipHeader&)>{
             [](PipHeader& h) { h.gain = 0; },
             [](PipHeader& h) { h.ballMass = std::numeric_limits<float>::quiet_NaN(); },
             [](PipHeader& h) { h.sensitivity = 0; },
             [](PipHeader& h) { h.materialPoisson = 0.7f; },
             [](PipHeader& h) { h.dropHeight = -0.5f; },
         }) {
        NamePipeFile area = makeArea(2);
        spoil(area.header);
        conditionFile(area);
        const PointResults& r = area.points[0].results;
        EXPECT_EQ(keys(r.flags), std::vector<std::string>{"invalidParameters"});
        EXPECT_NE(r.flags.invalidParameter, nullptr);
        EXPECT_TRUE(r.flags.hasError());
        EXPECT_TRUE(std::isnan(r.deformationModulus));
        EXPECT_TRUE(std::isnan(r.impactForce));
        EXPECT_TRUE(std::isnan(r.fitDeformationModulus));
    }
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
    EXPECT_EQ(keys(all),
              (std::vector<std::string>{"noImpact", "noReturn", "contactTime", "invalidParameters",
                                        "lateTrigger", "clipped", "modelMismatch", "fitDisagrees",
                                        "noisyBaseline", "noiseSkipped", "secondImpact",
                                        "interference", "manual"}));
    QualityFlags warningsOnly;
    warningsOnly.set(QualityFlag::Clipped);
    warningsOnly.set(QualityFlag::NoisyBaseline);
    EXPECT_FALSE(warningsOnly.hasError());
    FlagSeverity level = FlagSeverity::Info;
    EXPECT_TRUE(warningsOnly.level(level));
    EXPECT_EQ(level, FlagSeverity::Warning);
    EXPECT_FALSE(QualityFlags{}.level(level));
}

} // namespace
} // namespace tarvel::test
