#include "edit_history.h"

namespace tarvel {

void EditHistory::push(const EditRecord& record) {
    undo_.push_back(record);
}

void EditHistory::clear() {
    undo_.clear();
    redo_.clear();
}

} // namespace tarvel
