// Random sequences of edits with undo and redo, checked against a model of
// the deleted and print flags, and undone and redone whole at the end.
#include "edit_harness.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>

namespace tarvel::test {
namespace {

constexpr int kPoints = 8;

// The flags each record will write when exchanged; deletions and merges
// refuse when their point already stands as they would leave it.
struct FlagModel {
    struct Entry {
        int point = -1; // -1: the record writes no flag
        bool guarded = false;
        int32_t deleted = -1; // -1: the record leaves it
        int32_t printMark = 0;
    };

    explicit FlagModel(const NamePipeFile& file) {
        for (const MeasurePoint& p : file.points) {
            deleted.push_back(p.header.deleted);
            printMark.push_back(p.header.printMark);
        }
    }

    void applied(const Edit& edit) {
        Entry entry;
        if (const auto* del = std::get_if<DeletePoint>(&edit)) {
            entry = {del->point, true, 0, printMark[del->point]};
            deleted[del->point] = 1;
        } else if (std::holds_alternative<MergePoints>(edit)) {
            entry = {static_cast<int>(deleted.size()), true, 1, 0};
            deleted.push_back(0);
            printMark.push_back(0);
        } else if (const auto* mark = std::get_if<SetPrintMark>(&edit)) {
            entry = {mark->point, false, -1, printMark[mark->point]};
            printMark[mark->point] = mark->marked ? 2 : 1;
        }
        undo.push_back(entry);
    }

    bool step(bool undoing) {
        std::vector<Entry>& from = undoing ? undo : redo;
        if (from.empty())
            return false;
        Entry entry = from.back();
        from.pop_back();
        if (entry.point >= 0) {
            const auto p = static_cast<std::size_t>(entry.point);
            if (entry.guarded && entry.deleted == deleted[p])
                return false;
            if (entry.deleted >= 0)
                std::swap(entry.deleted, deleted[p]);
            std::swap(entry.printMark, printMark[p]);
        }
        (undoing ? redo : undo).push_back(entry);
        return true;
    }

    std::vector<int32_t> deleted;
    std::vector<int32_t> printMark;
    std::vector<Entry> undo;
    std::vector<Entry> redo;
};

Edit randomEdit(std::mt19937& random, int points) {
    auto pick = [&](int low, int high) { return std::uniform_int_distribution(low, high)(random); };
    auto ms = [&] { return std::uniform_real_distribution(0.2, 9.0)(random); };
    const int point = pick(0, points - 1);
    const int scope = pick(0, 1) ? point : -1;
    switch (pick(0, 7)) {
    case 0:
        return SetProcessingParams{
            scope, {int32Patch(offsetof(ProcessingParams, autoMark), pick(0, 3) == 0 ? 1 : 0)}};
    case 1:
        return SetStartMark{point, ms()};
    case 2:
        return SetEndMark{point, ms()};
    case 3:
        return SetPrintMark{point, pick(0, 1) == 1};
    case 4:
        return DeletePoint{point};
    case 5:
        return MergePoints{{point, pick(0, points - 1), pick(0, points - 1)}};
    case 6:
        return SetProcessingParams{scope,
                                   {int32Patch(offsetof(ProcessingParams, filterType), pick(1, 4)),
                                    int32Patch(offsetof(ProcessingParams, filterF1), pick(0, 400)),
                                    int32Patch(offsetof(ProcessingParams, filterF2), 6000),
                                    int32Patch(offsetof(ProcessingParams, ampZoom), -100)}};
    default:
        return SetHeaderFields{
            {floatPatch(offsetof(PipHeader, dropHeight), static_cast<float>(pick(1, 9)) / 10),
             floatPatch(offsetof(PipHeader, accelCorrection), pick(0, 3) * 400.0f)}};
    }
}

void expectConsistent(const EditHarness& h, const FlagModel& model) {
    const NamePipeFile& file = h.file;
    const int count = static_cast<int>(file.points.size());
    std::vector<int32_t> deleted;
    std::vector<int32_t> printMark;
    for (const MeasurePoint& p : file.points) {
        deleted.push_back(p.header.deleted);
        printMark.push_back(p.header.printMark);
    }
    ASSERT_EQ(deleted, model.deleted);
    ASSERT_EQ(printMark, model.printMark);
    ASSERT_EQ(file.deletedCount, std::count(deleted.begin(), deleted.end(), 1));
    ASSERT_GE(file.currentPoint, 0);
    ASSERT_LE(file.currentPoint, count);
    ASSERT_TRUE(file.currentPoint == 0 || !file.points[file.currentPoint - 1].isDeleted());
    for (const auto* stack : {&h.history.undoStack(), &h.history.redoStack()}) {
        for (const EditRecord& record : *stack) {
            ASSERT_LT(record.pointIndex, count);
            ASSERT_LE(record.currentPoint, count);
            for (int32_t index : record.pointBytes.points)
                ASSERT_LT(index, count);
        }
    }
}

class EditSequence : public ::testing::TestWithParam<unsigned> {};

TEST_P(EditSequence, KeepsTheFlagsAndUndoesAndRedoesWhole) {
    EditHarness h(kPoints);
    FlagModel model(h.file);
    const std::vector<unsigned char> header = bytesOf(h.file.header);
    std::vector<std::vector<unsigned char>> points;
    for (const MeasurePoint& p : h.file.points)
        points.push_back(bytesOf(p.header));

    std::mt19937 random(GetParam());
    for (int step = 0; step < 150; ++step) {
        const int action = std::uniform_int_distribution(0, 9)(random);
        if (action >= 8) {
            ASSERT_EQ(h.step(action == 8), model.step(action == 8)) << "step " << step;
        } else {
            const Edit edit = randomEdit(random, static_cast<int>(h.file.points.size()));
            if (h.run(edit))
                model.applied(edit);
        }
        ASSERT_NO_FATAL_FAILURE(expectConsistent(h, model)) << "step " << step;
    }

    std::vector<std::vector<unsigned char>> edited;
    for (const MeasurePoint& p : h.file.points)
        edited.push_back(bytesOf(p.header));
    const std::vector<unsigned char> editedHeader = bytesOf(h.file.header);
    int undone = 0;
    while (h.history.canUndo()) {
        ASSERT_TRUE(h.step(true));
        ++undone;
    }
    // Merged points stay in the file, deleted: only the count may differ.
    std::vector<unsigned char> restored = bytesOf(h.file.header);
    constexpr std::size_t kCount = offsetof(PipHeader, pointCount);
    std::copy_n(header.begin() + kCount, 4, restored.begin() + kCount);
    EXPECT_EQ(restored, header);
    EXPECT_EQ(h.file.currentPoint, 1);
    for (std::size_t i = 0; i < h.file.points.size(); ++i) {
        if (i < points.size())
            EXPECT_EQ(bytesOf(h.file.points[i].header), points[i]) << "point " << i;
        else
            EXPECT_TRUE(h.file.points[i].isDeleted()) << "merged point " << i;
    }

    for (int i = 0; i < undone; ++i)
        ASSERT_TRUE(h.step(false));
    EXPECT_EQ(bytesOf(h.file.header), editedHeader);
    for (std::size_t i = 0; i < h.file.points.size(); ++i)
        EXPECT_EQ(bytesOf(h.file.points[i].header), edited[i]) << "point " << i;
}

INSTANTIATE_TEST_SUITE_P(FixedSeeds, EditSequence, ::testing::Range(1u, 21u));

} // namespace
} // namespace tarvel::test
