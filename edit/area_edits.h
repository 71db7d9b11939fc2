// Every edit a user makes to an area file, as plain functions over the file
// record. `apply` checks the edit against the rules, changes the record and
// returns what to undo it with; `exchange` undoes or redoes a record.
#pragma once

#include "data/area_file.h"
#include "edit_record.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace tarvel {

// Bytes to store at an offset of the file header or of a point's
// processing parameters.
struct BytePatch {
    int32_t offset = 0;
    std::vector<unsigned char> bytes;
};

BytePatch floatPatch(int32_t offset, float value);
BytePatch int32Patch(int32_t offset, int32_t value);

struct SetStartMark {
    int point;
    double ms;
};
struct SetEndMark {
    int point;
    double ms;
};
struct SetPrintMark {
    int point;
    bool marked;
};
struct DeletePoint {
    int point;
};
struct MergePoints {
    std::vector<int> points;
};
// Marks found again: the one point, or every point that is not deleted.
struct RefindStartMarks {
    int point;
    bool onlyThisPoint;
};
// Area parameters: offsets into the file header.
struct SetHeaderFields {
    std::vector<BytePatch> patches;
};
// Processing parameters: offsets into ProcessingParams, for one point or,
// with point -1, every point that is not deleted.
struct SetProcessingParams {
    int point;
    std::vector<BytePatch> patches;
};
struct AddDefect {
    int point;
    float position; // m
    std::string typeText;
    std::string gradeText;
};
struct ClearDefects {
    int point;
};

using Edit =
    std::variant<SetStartMark, SetEndMark, SetPrintMark, DeletePoint, MergePoints, RefindStartMarks,
                 SetHeaderFields, SetProcessingParams, AddDefect, ClearDefects>;

// What has to follow a change so that every derived value is right again.
enum class Refresh {
    Redraw,  // nothing derived changed: draw again
    Results, // a formula input changed: results and means again
    Chain,   // samples or marks changed: condition the file again
};

struct Applied {
    EditRecord record;
    Refresh refresh = Refresh::Redraw;
};

struct ApplyOutcome {
    std::optional<Applied> applied; // empty: refused, or nothing would change
    std::string refusal;            // why it was refused (a message for the user)
};

ApplyOutcome apply(NamePipeFile& file, const Edit& edit);

// Puts the record's bytes back and keeps in it the bytes they replaced, so
// the same record moves between the two stacks. Returns nothing, changing
// nothing, when the record does not fit the file (another file, a point
// outside it, a deletion that already stands).
std::optional<Refresh> exchange(NamePipeFile& file, EditRecord& record);

// The number of deleted points, from their flags.
int32_t countDeleted(const NamePipeFile& file);

} // namespace tarvel
