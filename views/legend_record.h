// Edit records of the edits that change the defect legend of a file.
#pragma once

#include "edit_record.h"

namespace tarvel {

struct NamePipeFile;

// True for a legend entry that holds a mark.
bool hasPosition(const DefectMark& mark);

// A record of `kind` for point `pointIndex` holding every marked legend entry
// (its position as a time) and every point's print mark, so that undoing can
// put the legend and the print marks back.
EditRecord legendEditRecord(const NamePipeFile& file, int32_t kind, int pointIndex);

} // namespace tarvel
