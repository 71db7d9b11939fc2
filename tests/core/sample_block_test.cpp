// A file's samples in one block: points lend their samples by address, merged
// waves go in the reserved room, copies own what they copy, and a record read
// again reuses its room without keeping anything of the file before.
#include "analysis/area_loader.h"
#include "analysis/project_loader.h"
#include "data/project_file.h"
#include "fixtures.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tarvel::test {
namespace {

NamePipeFile loadedArea(const TempDir& dir, const std::string& name, NamePipeFile area) {
    EXPECT_EQ(writeAreaFile(area, dir.file(name)), "");
    NamePipeFile loaded;
    EXPECT_TRUE(loadAreaFile(dir.file(name), loaded).ok());
    return loaded;
}

TEST(SampleBlock, MergedWavesUseTheReservedRoomAndNoSamplesMove) {
    TempDir dir;
    NamePipeFile loaded = loadedArea(dir, "a.pip", makeArea(2));
    const double* accel = loaded.points[1].accel.data();
    const uint16_t* raw = loaded.points[1].raw.data();
    for (int i = 0; i < kMaxMergedWaves; ++i) {
        const auto index = static_cast<std::size_t>(newMergedPoint(loaded));
        const MeasurePoint& merged = loaded.points[index];
        EXPECT_EQ(merged.raw.data(), loaded.samples.raw(index));
        EXPECT_EQ(merged.accel.data(), loaded.samples.accel(index));
        for (uint16_t sample : merged.raw)
            ASSERT_EQ(sample, 0x8000); // silence until the merge writes it
    }
    EXPECT_EQ(loaded.points[1].accel.data(), accel);
    EXPECT_EQ(loaded.points[1].raw.data(), raw);
}

TEST(SampleBlock, ACopiedPointKeepsItsSamplesAfterTheFileIsReleased) {
    TempDir dir;
    NamePipeFile loaded = loadedArea(dir, "a.pip", makeArea(2));
    const MeasurePoint copy = loaded.points[0];
    const std::vector<double> accel(copy.accel.begin(), copy.accel.end());
    EXPECT_NE(copy.accel.data(), loaded.points[0].accel.data());
    releaseAreaRecord(loaded);
    EXPECT_EQ(std::vector<double>(copy.accel.begin(), copy.accel.end()), accel);
}

TEST(SampleBlock, ARecordReadAgainReusesItsRoomAndKeepsNothingOfTheFileBefore) {
    TempDir dir;
    NamePipeFile second = makeArea(2);
    for (MeasurePoint& point : second.points)
        for (std::size_t k = 0; k < 200; ++k)
            point.raw[k] = static_cast<uint16_t>(32768 - 3 * k);
    ASSERT_EQ(writeAreaFile(second, dir.file("b.pip")), "");
    NamePipeFile fresh;
    ASSERT_TRUE(loadAreaFile(dir.file("b.pip"), fresh).ok());

    NamePipeFile record = loadedArea(dir, "a.pip", makeArea(3));
    const double* room = record.samples.accel(0);
    ASSERT_TRUE(loadAreaFile(dir.file("b.pip"), record).ok());
    EXPECT_EQ(record.samples.accel(0), room);
    ASSERT_EQ(record.points.size(), fresh.points.size());
    for (std::size_t p = 0; p < fresh.points.size(); ++p) {
        const MeasurePoint& got = record.points[p];
        const MeasurePoint& want = fresh.points[p];
        EXPECT_TRUE(
            std::equal(got.accel.begin(), got.accel.end(), want.accel.begin(), want.accel.end()));
        EXPECT_EQ(got.startMarkMs, want.startMarkMs);
        EXPECT_EQ(got.peakValue, want.peakValue);
        EXPECT_EQ(got.peakTime, want.peakTime);
        EXPECT_EQ(got.yMax, want.yMax);
    }
}

TEST(SampleBlock, AnAreaLoadedForItsResultsMarksAsAFullLoadAndKeepsOnlyRawSamples) {
    TempDir dir;
    NamePipeFile area = makeArea(4);
    for (MeasurePoint& point : area.points) {
        point.header.params.filterType = 4; // band-pass, so the transform's buffer is used
        point.header.params.filterF1 = 20;
        point.header.params.filterF2 = 9000;
    }
    ASSERT_EQ(writeAreaFile(area, dir.file("a.pip")), "");
    NamePipeFile full;
    ASSERT_TRUE(loadAreaFile(dir.file("a.pip"), full).ok());

    // One record through both kinds of load and back: each lays out its
    // room afresh.
    NamePipeFile record;
    ConditioningWorkspace workspace;
    ASSERT_TRUE(loadAreaFile(dir.file("a.pip"), record, workspace).ok());
    ASSERT_TRUE(loadAreaResults(dir.file("a.pip"), record, workspace).ok());
    EXPECT_EQ(record.samples.accel(0), nullptr);
    ASSERT_EQ(record.points.size(), full.points.size());
    for (std::size_t p = 0; p < full.points.size(); ++p) {
        const MeasurePoint& got = record.points[p];
        const MeasurePoint& want = full.points[p];
        EXPECT_TRUE(got.accel.empty());
        EXPECT_TRUE(std::equal(got.raw.begin(), got.raw.end(), want.raw.begin(), want.raw.end()));
        EXPECT_EQ(got.startMarkMs, want.startMarkMs);
        EXPECT_EQ(got.endMarkMs, want.endMarkMs);
        EXPECT_EQ(got.peakValue, want.peakValue);
        EXPECT_EQ(got.yMax, want.yMax);
        EXPECT_EQ(got.results.deformationModulus, want.results.deformationModulus);
        EXPECT_EQ(got.results.flags.bits, want.results.flags.bits);
    }

    ASSERT_TRUE(loadAreaFile(dir.file("a.pip"), record).ok());
    for (std::size_t p = 0; p < full.points.size(); ++p) {
        const MeasurePoint& got = record.points[p];
        const MeasurePoint& want = full.points[p];
        EXPECT_EQ(got.accel.data(), record.samples.accel(p));
        EXPECT_TRUE(
            std::equal(got.accel.begin(), got.accel.end(), want.accel.begin(), want.accel.end()));
        EXPECT_TRUE(std::equal(got.raw.begin(), got.raw.end(), want.raw.begin(), want.raw.end()));
    }
}

TEST(SampleBlock, AProjectLoadedForItsResultsKeepsThemAndHoldsNoSamples) {
    TempDir dir;
    ASSERT_EQ(writeProjectFile(dir.file("p.Prj"), ProjectInfo{}), "");
    for (int area = 1; area <= 3; ++area) {
        NamePipeFile file = makeArea(area + 1);
        for (MeasurePoint& point : file.points)
            for (std::size_t k = 0; k < point.raw.size(); ++k)
                point.raw[k] = static_cast<uint16_t>(32768 + (k * (7 + area)) % 900);
        ASSERT_EQ(writeAreaFile(file, dir.file("area-" + std::to_string(area) + ".pip")), "");
    }
    const ProjectLoad whole = loadProject(dir.file("p.Prj"));
    const ProjectLoad results = loadProjectResults(dir.file("p.Prj"));
    ASSERT_TRUE(results.fileErrors.empty());
    ASSERT_EQ(results.files.size(), whole.files.size());
    for (std::size_t f = 0; f < whole.files.size(); ++f) {
        const NamePipeFile& kept = *results.files[f];
        EXPECT_EQ(kept.samples.bytes(), 0u) << kept.fileName;
        EXPECT_TRUE(kept.timeAxis.empty());
        ASSERT_EQ(kept.points.size(), whole.files[f]->points.size());
        for (std::size_t p = 0; p < kept.points.size(); ++p) {
            const MeasurePoint& point = kept.points[p];
            const MeasurePoint& full = whole.files[f]->points[p];
            EXPECT_TRUE(point.raw.empty() && point.accel.empty());
            EXPECT_EQ(point.header.startMark, full.header.startMark);
            EXPECT_EQ(point.results.flags.bits, full.results.flags.bits);
            for (auto value : {&PointResults::deformationModulus, &PointResults::deflection}) {
                const double a = point.results.*value;
                const double b = full.results.*value;
                EXPECT_TRUE(a == b || (std::isnan(a) && std::isnan(b))) << a << " " << b;
            }
        }
    }
}

} // namespace
} // namespace tarvel::test
