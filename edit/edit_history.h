// The two stacks of the edit history. The last record pushed is the first
// taken; pushing a new edit leaves the redo stack as it is.
#pragma once

#include "edit_record.h"

#include <deque>
#include <optional>

namespace tarvel {

class EditHistory {
public:
    void push(EditRecord record);
    void clear();

    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    const std::deque<EditRecord>& undoStack() const { return undo_; }
    const std::deque<EditRecord>& redoStack() const { return redo_; }

    std::optional<EditRecord> takeUndo();
    std::optional<EditRecord> takeRedo();
    void pushRedo(EditRecord record);

private:
    std::deque<EditRecord> undo_;
    std::deque<EditRecord> redo_;
};

} // namespace tarvel
