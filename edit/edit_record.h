// One entry of the edit history. A record holds the bytes an edit is about
// to overwrite, by place, never a pointer: undoing exchanges them with the
// bytes that stand there now, so the same record, exchanged again, redoes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarvel {

enum EditKind : int32_t {
    kEditPileLength = 0,
    kEditHeaderFields = 1, // area parameters, the acceleration correction among them
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

// A run of bytes inside a record: the file header or one point header.
struct ByteRange {
    int32_t offset = 0;
    int32_t length = 0;
};

// The same ranges saved for several points, packed one point after another.
// An area-wide record on 400 points holds about 40 KB this way.
struct SavedPointBytes {
    std::vector<ByteRange> ranges;
    std::vector<int32_t> points;
    std::vector<unsigned char> bytes;
};

struct EditRecord {
    int32_t kind = 0;
    int32_t pointIndex = -1; // the point concerned; -1 for the whole file
    std::string filePath;    // the file the record belongs to
    std::vector<ByteRange> headerRanges;
    std::vector<unsigned char> headerBytes;
    SavedPointBytes pointBytes;
    // The current point (counted from 1) to return to; -1 when the edit
    // leaves it alone.
    int32_t currentPoint = -1;
};

} // namespace tarvel
