// One entry of the edit history: what an edit is about to overwrite, so that
// it can be undone.
#pragma once

#include "data/records.h"

#include <array>
#include <cstdint>
#include <map>
#include <vector>

namespace tarvel {

enum EditKind : int32_t {
    kEditPileLength = 0,
    kEditAccelCorrection = 1,
    kEditPointDeleted = 2,
    kEditPointAdded = 3,
    kEditStartMark = 4,
    kEditEndMark = 5,
    kEditDefects = 6,
    kEditPrintMarkSet = 7,
    kEditPrintMarkCleared = 8,
    kEditProcessingParams = 12,
    kEditStartMarksRefound = 13,
    kEditPeakList = 14,
};

// A legend entry as the history keeps it: its position converted to time.
struct LegendCopy {
    int index = 0; // entry of the file's legend
    char codeA[5] = {};
    char codeB[5] = {};
    float timeMs = 0;
    int32_t legendPoint = 0;
};

struct EditRecord {
    int32_t pointIndex = -1; // -1: the edit concerns the whole file
    int32_t kind = 0;
    float valueA = 0;
    float valueB = 0;
    bool lockFlag = false;
    float savedMark = 0; // ms
    std::vector<LegendCopy> legendCopy;
    std::array<int32_t, 2> savedInts{};
    std::map<int, float> startMarks;
    std::map<int, int32_t> printMarks;
    std::map<int, ProcessingParams> params;
    std::map<int, std::array<double, 5>> peakLists;
    double savedDouble = 0;
};

} // namespace tarvel
