#include "template_anchors.h"

#include "word_paragraph.h"

#include <stdexcept>

namespace tarvel::scrivet {
namespace {

std::string withoutSpaces(std::string_view text) {
    std::string out;
    for (char c : text)
        if (c != ' ')
            out += c;
    return out;
}

int rowOfLabel(const WordTable& table, std::string_view label) {
    const std::string wanted = withoutSpaces(label);
    for (int row = 1; row <= table.rowCount(); ++row)
        if (withoutSpaces(paragraphText(table.cellParagraph(row, 1))) == wanted)
            return row;
    return 0;
}

} // namespace

pugi::xml_node findParagraph(pugi::xml_node from, std::string_view label) {
    for (pugi::xml_node node = from; node; node = node.next_sibling())
        if (std::string_view(node.name()) == "w:p" &&
            std::string_view(paragraphText(node)).substr(0, label.size()) == label)
            return node;
    throw std::runtime_error("the template has no paragraph \"" + std::string(label) + "\"");
}

void addBookmark(pugi::xml_node paragraph, const char* name, int id) {
    pugi::xml_node start = paragraph.append_child("w:bookmarkStart");
    start.append_attribute("w:id") = id;
    start.append_attribute("w:name") = name;
    paragraph.append_child("w:bookmarkEnd").append_attribute("w:id") = id;
}

pugi::xml_node findBookmarkEnd(pugi::xml_node body, const char* name) {
    pugi::xml_node start = body.find_node([name](pugi::xml_node node) {
        return std::string_view(node.name()) == "w:bookmarkStart" &&
               std::string_view(node.attribute("w:name").value()) == name;
    });
    if (!start)
        throw std::runtime_error(std::string("the template has no bookmark \"") + name + "\"");
    const std::string_view id = start.attribute("w:id").value();
    for (pugi::xml_node node = start; node; node = node.next_sibling())
        if (std::string_view(node.name()) == "w:bookmarkEnd" &&
            std::string_view(node.attribute("w:id").value()) == id)
            return node;
    return start;
}

void typeAtBookmark(pugi::xml_node body, const char* name, const std::string& text) {
    pugi::xml_node end = findBookmarkEnd(body, name);
    pugi::xml_node paragraph = end.parent();
    pugi::xml_node run = appendRunLikeLast(paragraph, text);
    // appendRunLikeLast adds at the paragraph's end; move it to the bookmark.
    paragraph.insert_move_after(run, end);
}

WordTable findTableWithLabel(pugi::xml_node body, std::string_view label) {
    for (pugi::xml_node node : body.children("w:tbl")) {
        WordTable table = WordTable::attach(node);
        if (table.rowCount() > 0 && rowOfLabel(table, label) > 0)
            return table;
    }
    throw std::runtime_error("the template has no table with the row \"" + std::string(label) +
                             "\"");
}

void fillLabelledRow(const WordTable& table, std::string_view label, const std::string& value,
                     int column) {
    const int row = rowOfLabel(table, label);
    if (row == 0)
        throw std::runtime_error("the template's table has no row \"" + std::string(label) + "\"");
    if (!value.empty())
        appendRunLikeLast(table.cellParagraph(row, column), value);
}

} // namespace tarvel::scrivet
