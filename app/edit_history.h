// The two stacks of the edit history. Edits are recorded here before they
// change the data; undoing and redoing them is built on top of these stacks.
#pragma once

#include "views/edit_record.h"

#include <deque>

namespace tarvel {

class EditHistory {
public:
    // Records an edit on the undo stack.
    void push(const EditRecord& record);
    void clear();

    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    const std::deque<EditRecord>& undoStack() const { return undo_; }
    const std::deque<EditRecord>& redoStack() const { return redo_; }

private:
    std::deque<EditRecord> undo_;
    std::deque<EditRecord> redo_;
};

} // namespace tarvel
