// The whole-pulse fit against impacts simulated from physics: the Hertz
// shape itself, durations and moduli of both halves at any phase of the
// sample grid, clipped tops, and the peak the instrument should have seen.
#include "analysis/conditioning.h"
#include "analysis/hertz_pulse.h"
#include "analysis/results.h"
#include "analysis/synthetic.h"

#include <cmath>
#include <gtest/gtest.h>

namespace tarvel::test {
namespace {

// One area of the given moduli simulated and conditioned.
NamePipeFile simulated(const std::vector<double>& moduli, float dtUs, double unloadingRatio = 1,
                       RecordArtifacts artifacts = {}) {
    SyntheticArea area;
    area.rows = 1;
    area.columns = static_cast<int>(moduli.size());
    area.moduliMPa = moduli;
    area.sampleCount = 4096;
    area.sampleIntervalUs = dtUs;
    area.preTriggerSamples = static_cast<int>(5000 / dtUs);
    area.unloadingRatio = unloadingRatio;
    area.artifacts = artifacts;
    area.seed = 5;
    NamePipeFile file = makeSyntheticArea(area, "fit");
    conditionFile(file);
    return file;
}

TEST(HertzShape, RiseRunsFromZeroToThePeakWithTheKnownHalfHeight) {
    EXPECT_EQ(hertzRise(0).value, 0);
    EXPECT_EQ(hertzRise(1).value, 1);
    EXPECT_NEAR(hertzRise(1 - 1e-9).slope, 0, 1e-3); // flat at the deepest point
    // u^1.5 = 1/2 at u = 0.63; the time to get there follows from the energy.
    EXPECT_NEAR(hertzHalfHeightTime(), 0.4505, 5e-4);
    double previous = 0;
    for (double tau = 0.01; tau < 1; tau += 0.01) {
        const ShapePoint here = hertzRise(tau);
        EXPECT_GT(here.value, previous);
        EXPECT_NEAR(here.slope, (hertzRise(tau + 1e-6).value - hertzRise(tau - 1e-6).value) / 2e-6,
                    5e-3);
        previous = here.value;
    }
}

TEST(HertzShape, PeakDecelerationFollowsFromSpeedAndLoadingTime) {
    ImpactParameters impact;
    impact.loadingModulusMPa = impact.unloadingModulusMPa = 80;
    const ContactDurations contact = hertzContactDurations(impact);
    // The simulation sampled finely near its peak.
    const std::vector<double> wave = simulateImpact(impact, 20000, 1, 0);
    double peak = 0;
    for (double a : wave)
        peak = std::max(peak, a);
    const double speed = std::sqrt(19.6 * impact.ball.dropHeight);
    EXPECT_NEAR(hertzPeakDeceleration(speed, contact.loading * 1e-6) / peak, 1, 1e-4);
}

TEST(PulseFit, RecoversBothHalvesAtAnyPhaseOfTheGrid) {
    const std::vector<double> moduli = {6, 15, 40, 100, 250, 480};
    for (double ratio : {1.0, 1.4})
        for (float dt : {10.0f, 20.0f, 50.0f}) {
            const NamePipeFile file = simulated(moduli, dt, ratio);
            for (std::size_t i = 0; i < moduli.size(); ++i) {
                const MeasurePoint& point = file.points[i];
                ImpactParameters impact;
                impact.loadingModulusMPa = moduli[i];
                impact.unloadingModulusMPa = moduli[i] * ratio;
                const ContactDurations truth = hertzContactDurations(impact);
                const PulseFit& fit = point.pulseFit;
                ASSERT_TRUE(fit.converged) << moduli[i] << " MPa at " << dt << " us";
                EXPECT_NEAR(fit.loading * 1000 / truth.loading, 1, 1e-3) << moduli[i];
                EXPECT_NEAR(fit.unloading * 1000 / truth.unloading, 1, 1e-3) << moduli[i];
                // The contact starts between samples; the fit finds where.
                const double start = (5000 / dt + 0.0) * dt / 1000;
                EXPECT_GT(fit.start, start - 1e-3);
                EXPECT_LT(fit.start, start + dt / 1000 + 1e-3);
                if (ratio == 1) {
                    EXPECT_NEAR(point.results.fitDeformationModulus / moduli[i], 1, 0.01);
                    EXPECT_NEAR(point.results.fitResilientModulus / moduli[i], 1, 0.01);
                }
                EXPECT_FALSE(point.results.flags.any()) << moduli[i];
            }
        }
}

TEST(PulseFit, ClippedTopsAreFittedFromTheirSides) {
    RecordArtifacts clipped;
    clipped.overRange = 0.5;
    const NamePipeFile file = simulated({30, 60, 120}, 20, 1, clipped);
    // The largest peak goes half over the converter's range; the others stay in it.
    const MeasurePoint& top = file.points[2];
    EXPECT_GT(top.pulseFit.clippedSamples, 0);
    EXPECT_NEAR(top.results.fitDeformationModulus / 120, 1, 0.01);
    EXPECT_NEAR(top.results.fitResilientModulus / 120, 1, 0.01);
    EXPECT_TRUE(top.results.flags.has(QualityFlag::Clipped));
    EXPECT_EQ(top.results.flags.severityOf(QualityFlag::Clipped), FlagSeverity::Warning);
    // The flat top moved the marked peak, and the fit says so.
    EXPECT_TRUE(top.results.flags.has(QualityFlag::FitDisagrees));
}

TEST(PulseFit, WavesThatAreNoHertzImpactAreFlagged) {
    RecordArtifacts softStart;
    softStart.precursorShare = 0.3;
    softStart.precursorMs = 1.5;
    for (const MeasurePoint& point : simulated({20, 80, 300}, 20, 1, softStart).points)
        EXPECT_TRUE(point.results.flags.has(QualityFlag::ModelMismatch));

    // Ringing after the contact keeps the wave from its baseline: the marked
    // end comes late. The fit reads the contact's shape and stays right, and
    // a marked modulus more than 10 % from it is flagged.
    RecordArtifacts ringing;
    ringing.ringingShare = 0.08;
    const std::vector<double> moduli = {30, 60, 120, 250};
    const NamePipeFile rung = simulated(moduli, 20, 1, ringing);
    int flagged = 0;
    for (std::size_t i = 0; i < moduli.size(); ++i) {
        const PointResults& r = rung.points[i].results;
        EXPECT_NEAR(r.fitResilientModulus / moduli[i], 1, 0.01);
        const double off = std::abs(r.resilientModulus / r.fitResilientModulus - 1);
        EXPECT_EQ(r.flags.has(QualityFlag::FitDisagrees), off > 0.1) << moduli[i];
        flagged += off > 0.1;
    }
    EXPECT_GT(flagged, 0);
}

TEST(PulseFit, IntervalsWidenWithNoiseAndStayAroundTheTruth) {
    SyntheticArea area;
    area.rows = 1;
    area.columns = 8;
    area.moduliMPa = {60};
    area.sampleCount = 4096;
    area.sampleIntervalUs = 20;
    area.baselineNoiseCounts = area.contactNoiseCounts = 30;
    NamePipeFile noisy = makeSyntheticArea(area, "fit");
    conditionFile(noisy);
    int inside = 0;
    for (const MeasurePoint& point : noisy.points) {
        const PointResults& r = point.results;
        EXPECT_GT(r.fitDeformationInterval, 0.01);
        inside += std::abs(r.fitDeformationModulus - 60) < 3 * r.fitDeformationInterval;
    }
    EXPECT_GE(inside, 7);
}

TEST(Calibration, MeasuredPeaksMatchHertzUnlessTheHeaderIsWrong) {
    NamePipeFile file = simulated({20, 60, 150, 400}, 20);
    const AreaCalibration right = computeAreaCalibration(file);
    EXPECT_NEAR(right.ratio, 1, 0.005);
    EXPECT_FALSE(right.suspect);

    // The ball fell from 0.5 m, the header says 0.8 m: the peaks are those of
    // a slower ball, sqrt(0.5 / 0.8) of what the header predicts.
    file.header.dropHeight = 0.8f;
    conditionFile(file);
    const AreaCalibration wrong = computeAreaCalibration(file);
    EXPECT_NEAR(wrong.ratio, std::sqrt(0.5 / 0.8), 0.005);
    EXPECT_TRUE(wrong.suspect);

    // A gain set twice too high halves what the samples say in m/s2.
    file.header.dropHeight = 0.5f;
    file.header.gain *= 2;
    conditionFile(file);
    EXPECT_NEAR(computeAreaCalibration(file).ratio, 0.5, 0.005);
}

} // namespace
} // namespace tarvel::test
