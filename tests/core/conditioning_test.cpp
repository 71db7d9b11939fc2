// Conversion, polarity and the spectral filter.
#include "analysis/conditioning.h"
#include "analysis/spectral_filter.h"
#include "fixtures.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace tarvel::test {
namespace {

constexpr double kPi = 3.14159265358979323846;

TEST(Conversion, StoredCountsMapAroundMidScale) {
    NamePipeFile area = makeArea(1);
    area.header.fullScale = 5000;
    area.header.sensitivity = 2;
    MeasurePoint& point = area.points[0];
    point.header.params.polarity = 1; // keep the sign to see the bare conversion
    point.raw[0] = 0x8000;
    point.raw[1] = 0x0000;
    point.raw[2] = 0xFFFF;
    conditionFile(area);
    EXPECT_EQ(point.accel[0], 0.0);
    EXPECT_EQ(point.accel[1], 2500.0);
    EXPECT_LT(point.accel[2], 0.0);
    EXPECT_GT(point.accel[2], -2500.0);
    EXPECT_DOUBLE_EQ(point.accel[2], -32767 * 5000 / 32768.0 / 2);
}

TEST(Conversion, DefaultBlockInvertsAndDeletedPointsAreOnlyConverted) {
    NamePipeFile area = makeArea(2);
    area.points[0].raw[5] = 32768 + 100;
    area.points[1].raw[5] = 32768 + 100;
    area.points[1].header.deleted = 1;
    area.points[1].header.params.ampZoom = -100;
    conditionFile(area);
    EXPECT_EQ(area.points[0].accel[5], 100.0);
    EXPECT_EQ(area.points[1].accel[5], -100.0);
    EXPECT_EQ(area.points[1].header.params.ampZoom, -100);
    EXPECT_FALSE(area.points[1].hasResults);
}

TEST(Conversion, NoFilterLeavesSamplesExact) {
    NamePipeFile area = makeArea(1);
    area.points[0].header.params.filterType = 0;
    conditionFile(area);
    for (std::size_t k = 0; k < area.points[0].raw.size(); ++k)
        ASSERT_EQ(area.points[0].accel[k], area.points[0].raw[k] - 32768.0);
}

// A slow and a fast sine in one 1024-sample record at 10 us (fs = 100 kHz).
std::vector<double> twoTones(double slowHz, double fastHz) {
    std::vector<double> wave(1024);
    for (std::size_t k = 0; k < wave.size(); ++k)
        wave[k] = 1000 * std::sin(2 * kPi * slowHz * k * 1e-5) +
                  500 * std::sin(2 * kPi * fastHz * k * 1e-5);
    return wave;
}

template <class Samples> double rmsDifference(const Samples& a, const std::vector<double>& b) {
    double sum = 0;
    for (std::size_t k = 0; k < a.size(); ++k)
        sum += (a[k] - b[k]) * (a[k] - b[k]);
    return std::sqrt(sum / a.size());
}

std::vector<double> sine(double hz, double amplitude) {
    std::vector<double> wave(1024);
    for (std::size_t k = 0; k < wave.size(); ++k)
        wave[k] = amplitude * std::sin(2 * kPi * hz * k * 1e-5);
    return wave;
}

// Bin-centred tones (multiples of fs/N = 97.65625 Hz) make the filters exact.
constexpr double kBin = 100000.0 / 1024;

TEST(SpectralFilter, LowPassKeepsTheSignAndThePhase) {
    std::vector<double> wave = twoTones(5 * kBin, 200 * kBin);
    SpectralFilter filter(1024);
    filter.filter(wave.data(), passBand(FilterMode::LowPass, 1024, 100000, 0, 5000));
    EXPECT_LT(rmsDifference(wave, sine(5 * kBin, 1000)), 1e-9);
    EXPECT_LT(*std::min_element(wave.begin(), wave.end()), -999.0);
}

TEST(SpectralFilter, HighAndBandPassRemoveTheirBands) {
    std::vector<double> wave = twoTones(5 * kBin, 200 * kBin);
    SpectralFilter filter(1024);
    filter.filter(wave.data(), passBand(FilterMode::HighPass, 1024, 100000, 5000, 0));
    EXPECT_LT(rmsDifference(wave, sine(200 * kBin, 500)), 1e-9);

    std::vector<double> band = twoTones(5 * kBin, 200 * kBin);
    filter.filter(band.data(), passBand(FilterMode::BandPass, 1024, 100000, 100, 1000));
    EXPECT_LT(rmsDifference(band, sine(5 * kBin, 1000)), 1e-9);
}

TEST(SpectralFilter, BandEdgesFollowIntegerArithmetic) {
    // t = 1024 * 5000 / 100000 = 51: bins 0..50 survive.
    PassBand low = passBand(FilterMode::LowPass, 1024, 100000, 0, 5000);
    EXPECT_EQ(low.first, 0);
    EXPECT_EQ(low.last, 50);
    // A cut-off beyond fs/2 removes nothing.
    EXPECT_TRUE(passBand(FilterMode::LowPass, 1024, 100000, 0, 60000).all);
    PassBand high = passBand(FilterMode::HighPass, 1024, 100000, 5000, 0);
    EXPECT_EQ(high.first, 52);
    EXPECT_EQ(high.last, 512);
    // Band edges are clamped to N/2; kHigh itself is removed.
    PassBand band = passBand(FilterMode::BandPass, 1024, 100000, 1000, 90000);
    EXPECT_EQ(band.first, 11);
    EXPECT_EQ(band.last, 511);
    // Huge frequencies must not overflow the bin arithmetic.
    PassBand huge = passBand(FilterMode::HighPass, 4096, 50000, 2000000000, 0);
    EXPECT_GT(huge.first, huge.last);
}

TEST(SpectralFilter, EmptyBandSkipsOnlyThatPoint) {
    NamePipeFile area = makeArea(3);
    const std::vector<double> tones = twoTones(5 * kBin, 200 * kBin);
    for (MeasurePoint& point : area.points) {
        point.header.params.filterType = 4;
        point.header.params.filterF1 = 100;
        point.header.params.filterF2 = 2000;
        for (std::size_t k = 0; k < 1024; ++k)
            point.raw[k] = static_cast<uint16_t>(32768 + std::lround(tones[k]));
    }
    area.points[1].header.params.filterF2 = 100;
    conditionFile(area);
    std::vector<double> slow = sine(5 * kBin, 1000);
    EXPECT_LT(rmsDifference(area.points[0].accel, slow), 1.0);
    EXPECT_GT(rmsDifference(area.points[1].accel, slow), 100.0);
    EXPECT_LT(rmsDifference(area.points[2].accel, slow), 1.0);
}

} // namespace
} // namespace tarvel::test
