#include "result_columns.h"

#include <stdexcept>
#include <string>

namespace tarvel {

const ResultField& resultField(std::string_view key) {
    for (const ResultField& field : kResultFields)
        if (key == field.key)
            return field;
    for (const ResultField& field : kFitResultFields)
        if (key == field.key)
            return field;
    throw std::out_of_range("no result field \"" + std::string(key) + "\"");
}

namespace {

template <std::size_t N> std::vector<const ResultField*> fieldsOf(const char* const (&keys)[N]) {
    std::vector<const ResultField*> list;
    for (const char* key : keys)
        list.push_back(&resultField(key));
    return list;
}

} // namespace

const std::vector<const ResultField*>& pointTableFields() {
    static const std::vector<const ResultField*> fields = fieldsOf(kPointTableColumns);
    return fields;
}

const std::vector<const ResultField*>& fittedColumnFields() {
    static const std::vector<const ResultField*> fields = fieldsOf(kFittedColumns);
    return fields;
}

} // namespace tarvel
