// One case per edit rule that a random sequence would seldom pin down.
#include "edit_harness.h"

#include <gtest/gtest.h>

namespace tarvel::test {
namespace {

BytePatch manualMarking() {
    return int32Patch(offsetof(ProcessingParams, autoMark), 0);
}

TEST(EditRules, DeletingTheLastShownPointLeavesNoneCurrent) {
    EditHarness h(2);
    ASSERT_TRUE(h.run(DeletePoint{0}));
    EXPECT_EQ(h.file.currentPoint, 2);
    ASSERT_TRUE(h.run(DeletePoint{1}));
    EXPECT_EQ(h.file.currentPoint, 0);
    EXPECT_EQ(h.file.deletedCount, 2);
}

TEST(EditRules, AStaleRedoOfADeleteDoesNothing) {
    EditHarness h(3);
    ASSERT_TRUE(h.run(DeletePoint{1}));
    ASSERT_TRUE(h.step(true));
    ASSERT_TRUE(h.run(DeletePoint{1}));
    const std::vector<unsigned char> before = bytesOf(h.file.points[1].header);
    const int32_t current = h.file.currentPoint;
    EXPECT_FALSE(h.step(false));
    EXPECT_FALSE(h.history.canRedo());
    EXPECT_EQ(bytesOf(h.file.points[1].header), before);
    EXPECT_EQ(h.file.currentPoint, current);
    EXPECT_EQ(h.file.deletedCount, 1);
}

TEST(EditRules, RedoingADeleteLeavesLaterDeletionsAndShowsAWaveLeft) {
    EditHarness h(4);
    h.file.currentPoint = 2;
    ASSERT_TRUE(h.run(DeletePoint{1}));
    ASSERT_TRUE(h.step(true));
    ASSERT_TRUE(h.run(DeletePoint{0}));
    ASSERT_TRUE(h.step(false));
    EXPECT_TRUE(h.file.points[0].isDeleted());
    EXPECT_TRUE(h.file.points[1].isDeleted());
    EXPECT_EQ(h.file.deletedCount, 2);
    EXPECT_EQ(h.file.currentPoint, 3);
}

TEST(EditRules, AMergedWaveTakesTheMeanEndAndTheTruncatedMeanOfItsSamples) {
    NamePipeFile file = makeArea(3);
    file.points[0].header.endMark = 1.0f;
    file.points[1].header.endMark = 2.5f;
    file.points[0].raw[7] = 0xFFFF;
    file.points[1].raw[7] = 0xFFFE;
    ASSERT_TRUE(apply(file, MergePoints{{0, 1}}).applied);
    const MeasurePoint& merged = file.points[3];
    EXPECT_EQ(merged.header.endMark, 1.75f);
    EXPECT_EQ(merged.raw[7], 0xFFFE); // 131069 / 2: the sum did not wrap at 16 bits
    EXPECT_EQ(merged.raw[0], 0x8000);
    EXPECT_FALSE(merged.isDeleted());
}

TEST(EditRules, ACommitThatChangesNoByteMakesNoRecord) {
    EditHarness h(3);
    const Edit unchanged[] = {
        SetHeaderFields{{floatPatch(offsetof(PipHeader, dropHeight), h.file.header.dropHeight)}},
        SetProcessingParams{-1, {int32Patch(offsetof(ProcessingParams, filterType), 1)}},
        SetProcessingParams{0, {int32Patch(offsetof(ProcessingParams, autoMark), 1)}},
        SetPrintMark{0, false},
    };
    for (const Edit& edit : unchanged) {
        const ApplyOutcome outcome = apply(h.file, edit);
        EXPECT_FALSE(outcome.applied);
        EXPECT_EQ(outcome.refusal, "");
    }
}

TEST(EditRules, UndoingCorrectionAndAutomaticMarkingRestoresHandMarks) {
    EditHarness h(3);
    ASSERT_TRUE(h.run(SetProcessingParams{1, {manualMarking()}}));
    ASSERT_TRUE(h.run(SetStartMark{1, 0.5}));
    ASSERT_TRUE(h.run(SetEndMark{1, 3.25}));
    const std::vector<unsigned char> hand = bytesOf(h.file.points[1].header);
    const std::vector<unsigned char> automatic = bytesOf(h.file.points[0].header);

    // Marking the area automatically overwrites the hand marks; the
    // correction then moves every automatic mark.
    ASSERT_TRUE(h.run(SetProcessingParams{-1, {int32Patch(0, 1)}}));
    ASSERT_TRUE(h.run(SetHeaderFields{{floatPatch(offsetof(PipHeader, accelCorrection), 600)}}));
    EXPECT_NE(bytesOf(h.file.points[1].header), hand);
    EXPECT_NE(bytesOf(h.file.points[0].header), automatic);
    ASSERT_TRUE(h.step(true));
    EXPECT_EQ(bytesOf(h.file.points[0].header), automatic);
    ASSERT_TRUE(h.step(true));
    EXPECT_EQ(bytesOf(h.file.points[1].header), hand);
    EXPECT_EQ(bytesOf(h.file.points[0].header), automatic);
}

} // namespace
} // namespace tarvel::test
