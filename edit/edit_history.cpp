#include "edit_history.h"

#include <utility>

namespace tarvel {

namespace {

std::optional<EditRecord> takeLast(std::deque<EditRecord>& stack) {
    if (stack.empty())
        return std::nullopt;
    EditRecord record = std::move(stack.back());
    stack.pop_back();
    return record;
}

} // namespace

void EditHistory::push(EditRecord record) {
    undo_.push_back(std::move(record));
}

void EditHistory::pushRedo(EditRecord record) {
    redo_.push_back(std::move(record));
}

void EditHistory::clear() {
    undo_.clear();
    redo_.clear();
}

std::optional<EditRecord> EditHistory::takeUndo() {
    return takeLast(undo_);
}

std::optional<EditRecord> EditHistory::takeRedo() {
    return takeLast(redo_);
}

} // namespace tarvel
