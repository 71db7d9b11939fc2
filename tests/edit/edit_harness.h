// Runs edits, undo and redo on an area the way the session does: a record
// moves between the two stacks, and a change of marks or samples conditions
// the file again.
#pragma once

#include "analysis/conditioning.h"
#include "edit/area_edits.h"
#include "edit/edit_history.h"
#include "tests/core/fixtures.h"

#include <vector>

namespace tarvel::test {

// The stored bytes of a file or point header.
template <class Record> std::vector<unsigned char> bytesOf(const Record& record) {
    const auto* from = reinterpret_cast<const unsigned char*>(&record);
    return {from, from + sizeof record};
}

struct EditHarness {
    explicit EditHarness(int points) : file(makeArea(points)) {
        conditionFile(file);
        file.currentPoint = 1;
    }

    // The record when the edit changed something, else nullptr.
    const EditRecord* run(const Edit& edit) {
        ApplyOutcome outcome = apply(file, edit);
        if (!outcome.applied)
            return nullptr;
        follow(outcome.applied->refresh);
        history.push(std::move(outcome.applied->record));
        return &history.undoStack().back();
    }

    // Whether a record was exchanged; one that no longer fits is dropped.
    bool step(bool undoing) {
        std::optional<EditRecord> record = undoing ? history.takeUndo() : history.takeRedo();
        if (!record)
            return false;
        const std::optional<Refresh> refresh = exchange(file, *record);
        if (!refresh)
            return false;
        follow(*refresh);
        undoing ? history.pushRedo(std::move(*record)) : history.push(std::move(*record));
        return true;
    }

    void follow(Refresh refresh) {
        if (refresh == Refresh::Chain)
            conditionFile(file);
    }

    NamePipeFile file;
    EditHistory history;
};

} // namespace tarvel::test
