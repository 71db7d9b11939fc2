#include "result_columns.h"

#include <stdexcept>
#include <string>

namespace tarvel {

const ResultField& resultField(std::string_view key) {
    for (const ResultField& field : kResultFields)
        if (key == field.key)
            return field;
    throw std::out_of_range("no result field \"" + std::string(key) + "\"");
}

const std::vector<const ResultField*>& pointTableFields() {
    static const std::vector<const ResultField*> fields = [] {
        std::vector<const ResultField*> list;
        for (const char* key : kPointTableColumns)
            list.push_back(&resultField(key));
        return list;
    }();
    return fields;
}

} // namespace tarvel
