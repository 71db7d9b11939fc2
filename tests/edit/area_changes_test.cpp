// The record of hand interventions: what differs from the kept original,
// found from the files alone, and as `tarvel-cli diff` prints it.
#include "data/original_copy.h"
#include "edit/area_changes.h"
#include "edit_harness.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace tarvel::test {
namespace {

std::string runDiff(const std::string& path, int& exitCode) {
    FILE* pipe = popen((std::string(TARVEL_CLI_PATH) + " diff '" + path + "' 2>&1").c_str(), "r");
    std::string out;
    char buffer[4096];
    for (std::size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, got);
    const int status = pclose(pipe);
    exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return out;
}

// An area saved after a parameter change, a deletion, hand marks, a merge
// and a print flag, as the desktop saves it: deleted blocks stay flagged.
class EditedArea : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(writeAreaFile(h.file, path), "");
        ASSERT_EQ(keepOriginal(path, path), "");
        h.file.dirPath = dir.path();
        h.file.fileName = "area-1.pip";
        ASSERT_TRUE(h.run(SetHeaderFields{{floatPatch(offsetof(PipHeader, dropHeight), 0.6f)}}));
        ASSERT_TRUE(h.run(DeletePoint{2}));
        ASSERT_TRUE(
            h.run(SetProcessingParams{1, {int32Patch(offsetof(ProcessingParams, autoMark), 0)}}));
        ASSERT_TRUE(h.run(SetStartMark{1, h.file.points[1].startMarkMs - 0.1}));
        ASSERT_TRUE(h.run(MergePoints{{3, 4}}));
        ASSERT_TRUE(h.run(SetPrintMark{0, true}));
        ASSERT_EQ(writeAreaFile(h.file, path), "");
    }

    TempDir dir;
    const std::string path = dir.file("area-1.pip");
    EditHarness h{6};
};

TEST_F(EditedArea, ListsEveryInterventionByTheOriginalsPointNumbers) {
    NamePipeFile saved;
    ASSERT_TRUE(readAreaFile(path, saved, SlotContents::RawOnly).ok());
    AreaChanges changes;
    ASSERT_EQ(changesSinceOriginal(path, saved, changes), "");
    EXPECT_TRUE(changes.originalFound);
    ASSERT_EQ(changes.header.size(), 1u);
    EXPECT_EQ(changes.header[0].key, "dropHeight");
    EXPECT_EQ(changes.header[0].before + " " + changes.header[0].after, "0.50 0.60");
    EXPECT_EQ(changes.deletedPoints, std::vector<int>{3});
    // Five points kept, the merged wave after them.
    EXPECT_EQ(changes.restoredWaves, std::vector<int>{6});
    ASSERT_EQ(changes.marks.size(), 1u);
    EXPECT_EQ(changes.marks[0].point, 2);
    EXPECT_FALSE(changes.marks[0].manualBefore);
    EXPECT_TRUE(changes.marks[0].manualAfter);
    EXPECT_LT(changes.marks[0].startAfter, changes.marks[0].startBefore);
    ASSERT_EQ(changes.printFlags.size(), 1u);
    EXPECT_EQ(changes.printFlags[0].point, 1);
    EXPECT_TRUE(changes.printFlags[0].markedAfter);

    // The record in memory, deleted point still flagged, says the same.
    AreaChanges inMemory;
    ASSERT_EQ(changesSinceOriginal(path, h.file, inMemory), "");
    EXPECT_EQ(inMemory.deletedPoints, changes.deletedPoints);
    EXPECT_EQ(inMemory.restoredWaves, changes.restoredWaves);
    EXPECT_EQ(inMemory.marks.size(), 1u);
}

TEST_F(EditedArea, DiffPrintsTheListAndAnUntouchedAreaSaysSo) {
    int exitCode = -1;
    const std::string out = runDiff(path, exitCode);
    EXPECT_EQ(exitCode, 0);
    for (const char* line :
         {"area-1.pip: changed since the original ", "  dropHeight: 0.50 -> 0.60\n",
          "  deleted points: 3\n", "  restored (merged) waves: 6\n", "  point 2 marks: start ",
          "automatic -> by hand\n", "  point 1 print flag: not marked -> marked\n"})
        EXPECT_NE(out.find(line), std::string::npos) << line << "\n" << out;

    const std::string untouched = dir.file("other.pip");
    ASSERT_EQ(writeAreaFile(makeArea(2), untouched), "");
    EXPECT_EQ(runDiff(untouched, exitCode),
              "other.pip: unchanged (no original kept in 原始数据)\n");
    EXPECT_EQ(exitCode, 0);
    runDiff(dir.file("missing.pip"), exitCode);
    EXPECT_EQ(exitCode, 2);
}

TEST(AreaChanges, AutomaticMarksFoundAgainAreNoIntervention) {
    const NamePipeFile original = makeArea(3);
    NamePipeFile current = makeArea(3);
    for (MeasurePoint& point : current.points)
        point.header.startMark += 0.5f; // what marking at load writes
    EXPECT_TRUE(compareAreas(original, current).empty());
}

} // namespace
} // namespace tarvel::test
