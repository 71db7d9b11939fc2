// Reading and writing area files: byte-exact round trips, deleted blocks,
// the defect legend and merged waves.
#include "analysis/area_loader.h"
#include "analysis/conditioning.h"
#include "analysis/display_scale.h"
#include "fixtures.h"

#include <cstring>
#include <gtest/gtest.h>

namespace tarvel::test {
namespace {

// Packed fields may sit at odd addresses: compare copies, never references.
template <typename T> T unpacked(T value) {
    return value;
}

TEST(AreaFileRoundTrip, ReproducesEveryByteIncludingReserved) {
    TempDir dir;
    NamePipeFile original = makeArea(3, 2048);
    fillReservedBytes(original);
    for (MeasurePoint& point : original.points)
        point.header.params.autoMark = 2; // stored marks are kept as they are
    original.points[1].header.startMark = 1.0f;
    original.points[1].header.endMark = 1.5f;
    original.header.defectLegend[0].position = 2.5f;
    std::string first = dir.file("a.pip");
    ASSERT_EQ(writeAreaFile(original, first), "");
    std::vector<unsigned char> bytes = readBytes(first);
    ASSERT_EQ(bytes.size(), 901u + 3 * (736 + 2 * 2048));

    NamePipeFile loaded;
    ASSERT_TRUE(loadAreaFile(first, loaded).ok());
    EXPECT_EQ(loaded.pointCount(), 3);
    std::string second = dir.file("b.pip");
    ASSERT_EQ(writeAreaFile(loaded, second), "");
    EXPECT_EQ(readBytes(second), bytes);
}

TEST(AreaFileRoundTrip, DeletedBlocksAreDroppedAndRenumbered) {
    TempDir dir;
    NamePipeFile area = makeArea(3);
    area.points[1].header.deleted = 1;
    ASSERT_EQ(writeAreaFile(area, dir.file("a.pip")), "");

    NamePipeFile loaded;
    ASSERT_TRUE(loadAreaFile(dir.file("a.pip"), loaded).ok());
    ASSERT_EQ(loaded.pointCount(), 2);
    EXPECT_EQ(loaded.points[0].header.pointNo, 0);
    EXPECT_EQ(loaded.points[1].header.pointNo, 2);

    ASSERT_EQ(writeAreaFile(loaded, dir.file("b.pip")), "");
    EXPECT_EQ(readBytes(dir.file("b.pip")).size(), 901u + 2 * (736 + 2048));
}

TEST(AreaFileRoundTrip, EmptyAreaWritesOnlyTheHeader) {
    TempDir dir;
    NamePipeFile area = makeArea(0);
    ASSERT_EQ(writeAreaFile(area, dir.file("a.pip")), "");
    NamePipeFile loaded;
    ASSERT_TRUE(loadAreaFile(dir.file("a.pip"), loaded).ok());
    EXPECT_EQ(loaded.pointCount(), 0);
    ASSERT_EQ(writeAreaFile(loaded, dir.file("b.pip")), "");
    EXPECT_EQ(readBytes(dir.file("b.pip")).size(), 901u);
}

TEST(AreaFileLegend, CloseMarksShareOneEntryAndZoomIsReset) {
    TempDir dir;
    NamePipeFile area = makeArea(2);
    area.header.legendBuilt = 0;
    area.header.defectLegend[4].position = 9.0f; // stale bytes from the instrument
    area.points[0].header.defects[0].position = 3.00f;
    std::memcpy(area.points[0].header.defects[0].codeA, "A1", 3);
    area.points[1].header.defects[2].position = 3.05f;
    std::memcpy(area.points[1].header.defects[2].codeA, "B2", 3);
    area.points[0].header.params.ampZoom = 40;
    area.points[1].header.params.ampZoom = -100;
    ASSERT_EQ(writeAreaFile(area, dir.file("a.pip")), "");

    NamePipeFile loaded;
    ASSERT_TRUE(loadAreaFile(dir.file("a.pip"), loaded).ok());
    const PipHeader& h = loaded.header;
    EXPECT_EQ(unpacked(h.legendBuilt), 1);
    EXPECT_FLOAT_EQ(unpacked(h.defectLegend[0].position), 3.05f);
    EXPECT_STREQ(h.defectLegend[0].codeA, "B2");
    EXPECT_EQ(unpacked(h.legendPoint[0]), 1);
    for (int entry = 1; entry < 10; ++entry)
        EXPECT_FLOAT_EQ(unpacked(h.defectLegend[entry].position), 0.0f) << entry;
    EXPECT_EQ(loaded.points[0].header.params.ampZoom, 0);
    EXPECT_EQ(loaded.points[1].header.params.ampZoom, 0);
}

TEST(AreaFileLegend, ElevenDistinctMarksFillTenEntries) {
    NamePipeFile area = makeArea(2);
    area.header.legendBuilt = 0;
    for (int i = 0; i < 10; ++i)
        area.points[0].header.defects[i].position = 1.0f + i;
    area.points[1].header.defects[0].position = 20.0f;
    std::vector<unsigned char> bytes = serializeAreaFile(area);
    NamePipeFile loaded;
    ASSERT_TRUE(parseAreaFile(bytes.data(), bytes.size(), loaded).ok());
    EXPECT_FLOAT_EQ(unpacked(loaded.header.defectLegend[9].position), 10.0f);
    for (const DefectMark& mark : loaded.header.defectLegend)
        EXPECT_NE(unpacked(mark.position), 20.0f);
}

TEST(AreaFileLegend, ZoomOfMinusHundredBecomesMinusNinetyNine) {
    NamePipeFile area = makeArea(3);
    area.points[0].header.params.ampZoom = -100;
    area.points[1].header.params.ampZoom = -50;
    area.points[2].header.params.ampZoom = 200;
    std::vector<unsigned char> bytes = serializeAreaFile(area);
    NamePipeFile loaded;
    parseAreaFile(bytes.data(), bytes.size(), loaded);
    conditionFile(loaded);
    EXPECT_EQ(loaded.points[0].header.params.ampZoom, -99);
    EXPECT_EQ(loaded.points[1].header.params.ampZoom, -50);
    EXPECT_EQ(loaded.points[2].header.params.ampZoom, 200);
}

TEST(MergedWaves, AtMostTwentyFiveAndPointersStayValid) {
    TempDir dir;
    NamePipeFile area = makeArea(2);
    ASSERT_EQ(writeAreaFile(area, dir.file("a.pip")), "");
    NamePipeFile loaded;
    loadAreaFile(dir.file("a.pip"), loaded);
    const MeasurePoint* first = &loaded.points[0];
    for (int i = 0; i < kMaxMergedWaves; ++i) {
        int index = newMergedPoint(loaded);
        ASSERT_EQ(index, 2 + i);
        EXPECT_EQ(loaded.points[static_cast<std::size_t>(index)].header.pointNo, -1);
        EXPECT_EQ(loaded.points[static_cast<std::size_t>(index)].raw.size(), 1024u);
    }
    EXPECT_EQ(newMergedPoint(loaded), -1);
    EXPECT_EQ(loaded.pointCount(), 2 + kMaxMergedWaves);
    EXPECT_EQ(&loaded.points[0], first) << "merging must not move the loaded points";
}

TEST(Ticks, FollowRecordLength) {
    NamePipeFile area = makeArea(0, 2048);
    area.header.sampleInterval = 20;
    area.header.waveSpeed = 4000;
    computeTicks(area);
    EXPECT_FLOAT_EQ(area.timeTick, 40.96f * 0.5f / 10);
    EXPECT_FLOAT_EQ(area.lengthTick, 4000 * 0.04096f * 0.25f / 10);
}

} // namespace
} // namespace tarvel::test
