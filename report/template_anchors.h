// The places of a report template that a report fills: paragraphs found by
// the label they start with, empty ones marked by a bookmark, and tables
// found by a label in their first column.
#pragma once

#include "word_table.h"

#include <pugixml.hpp>

#include <string>
#include <string_view>

namespace tarvel::scrivet {

// The first body paragraph from `from` on whose text starts with `label`;
// throws std::runtime_error naming the label when there is none.
pugi::xml_node findParagraph(pugi::xml_node from, std::string_view label);

// Marks the paragraph with the bookmark `name` (ids must differ per document).
void addBookmark(pugi::xml_node paragraph, const char* name, int id);

// The end of the bookmark `name`, where its text goes; throws
// std::runtime_error naming the bookmark when the body has none.
pugi::xml_node findBookmarkEnd(pugi::xml_node body, const char* name);

// The paragraph holding the bookmark `name`.
inline pugi::xml_node findBookmarkParagraph(pugi::xml_node body, const char* name) {
    return findBookmarkEnd(body, name).parent();
}

// Types `text` right after the bookmark, formatted like the text before it.
void typeAtBookmark(pugi::xml_node body, const char* name, const std::string& text);

// The first table of the body whose first column holds `label` in some row
// (compared without spaces); throws std::runtime_error naming the label.
WordTable findTableWithLabel(pugi::xml_node body, std::string_view label);

// Types `value` into the second cell of the table's row labelled `label`,
// like the cell's own format; a label the table lacks throws. Nothing is
// typed for an empty value.
void fillLabelledRow(const WordTable& table, std::string_view label, const std::string& value,
                     int column = 2);

} // namespace tarvel::scrivet
