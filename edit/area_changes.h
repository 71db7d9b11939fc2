// What was changed in an area since the instrument recorded it: the header
// fields, the waves deleted and restored, the points marked by hand and the
// print flags, found by comparing the area with its kept original.
#pragma once

#include "data/area_file.h"

#include <string>
#include <vector>

namespace tarvel {

struct HeaderChange {
    std::string key;   // the field's name ("dropHeight")
    std::string label; // the panel's caption ("落球下落高度(m)")
    std::string before;
    std::string after;
};

// A point is named by its number in the original (from 1).
struct MarkChange {
    int point = 0;
    bool manualBefore = false; // marked by hand (autoMark not 1)
    bool manualAfter = false;
    double startBefore = 0, startAfter = 0; // ms
    double endBefore = 0, endAfter = 0;     // ms
};

struct PrintFlagChange {
    int point = 0;
    bool markedAfter = false;
};

struct AreaChanges {
    bool originalFound = false; // false: the area was never changed here
    std::vector<HeaderChange> header;
    std::vector<int> deletedPoints; // numbers in the original
    std::vector<int> restoredWaves; // numbers in the current area of waves made by merging
    std::vector<MarkChange> marks;
    std::vector<PrintFlagChange> printFlags;

    bool empty() const {
        return header.empty() && deletedPoints.empty() && restoredWaves.empty() && marks.empty() &&
               printFlags.empty();
    }
};

// Compares two loaded areas. Points are paired in order by their grid
// position (and by their samples where both still hold them): a point of the
// original without a partner was deleted, a current point without one was
// made by merging waves.
AreaChanges compareAreas(const NamePipeFile& original, const NamePipeFile& current);

// The changes of `current` against the original kept for the file at
// `areaPath` ("原始数据/<name>"). Without a kept original the file at
// `areaPath` stands for it, so edits not yet saved still show. Returns an
// empty string or why the original could not be read.
std::string changesSinceOriginal(const std::string& areaPath, const NamePipeFile& current,
                                 AreaChanges& changes);

} // namespace tarvel
