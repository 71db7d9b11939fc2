#include "word_table.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace tarvel::scrivet {
namespace {

void setTwips(pugi::xml_node node, const char* attribute, double points) {
    node.append_attribute(attribute) = std::to_string(std::lround(points * kTwipsPerPoint)).c_str();
}

void setWidth(pugi::xml_node node, long value, const char* type) {
    node.remove_attributes();
    node.append_attribute("w:w") = std::to_string(value).c_str();
    node.append_attribute("w:type") = type;
}

// Replaces the child `name` of `parent` by an empty element of that name,
// keeping its place, or adds it in front of `before` (or at the end).
pugi::xml_node freshChild(pugi::xml_node parent, const char* name, const char* before) {
    pugi::xml_node old = parent.child(name);
    pugi::xml_node anchor = old ? old : parent.child(before);
    pugi::xml_node fresh =
        anchor ? parent.insert_child_before(name, anchor) : parent.append_child(name);
    if (old)
        parent.remove_child(old);
    return fresh;
}

void setMargins(pugi::xml_node margins, double top, double bottom, double left, double right) {
    const std::pair<const char*, double> sides[] = {
        {"w:top", top}, {"w:left", left}, {"w:bottom", bottom}, {"w:right", right}};
    for (const auto& [side, points] : sides) {
        pugi::xml_node node = margins.append_child(side);
        setTwips(node, "w:w", points);
        node.append_attribute("w:type") = "dxa";
    }
}

} // namespace

WordTable WordTable::insertBefore(pugi::xml_node paragraph, int rows, int columns, int widthTwips) {
    if (rows < 1 || columns < 1)
        throw std::invalid_argument("a table needs at least one row and one column");
    pugi::xml_node table = paragraph.parent().insert_child_before("w:tbl", paragraph);
    pugi::xml_node properties = table.append_child("w:tblPr");
    setWidth(properties.append_child("w:tblW"), widthTwips, "dxa");
    properties.append_child("w:tblBorders");
    properties.append_child("w:tblLayout").append_attribute("w:type") = "fixed";
    setMargins(properties.append_child("w:tblCellMar"), 0, 0, 5.4, 5.4);
    properties.append_child("w:tblLook").append_attribute("w:val") = "04A0";

    pugi::xml_node grid = table.append_child("w:tblGrid");
    for (int c = 0; c < columns; ++c)
        grid.append_child("w:gridCol");
    for (int r = 0; r < rows; ++r) {
        pugi::xml_node rowNode = table.append_child("w:tr");
        for (int c = 0; c < columns; ++c) {
            pugi::xml_node cellNode = rowNode.append_child("w:tc");
            cellNode.append_child("w:tcPr").append_child("w:tcW");
            cellNode.append_child("w:p");
        }
    }
    WordTable result(table, rows, columns, widthTwips);
    result.setBorders(true);
    result.setColumnWidthsPercent({});
    return result;
}

WordTable WordTable::attach(pugi::xml_node table) {
    int rows = 0;
    int columns = 0;
    int width = 0;
    for (pugi::xml_node row = table.child("w:tr"); row; row = row.next_sibling("w:tr"))
        ++rows;
    for (pugi::xml_node column : table.child("w:tblGrid").children("w:gridCol")) {
        ++columns;
        width += column.attribute("w:w").as_int();
    }
    return WordTable(table, rows, columns, width);
}

pugi::xml_node WordTable::row(int row) const {
    if (row < 1 || row > rows_)
        throw std::out_of_range("no table row " + std::to_string(row));
    pugi::xml_node node = table_.child("w:tr");
    for (int i = 1; i < row; ++i)
        node = node.next_sibling("w:tr");
    return node;
}

pugi::xml_node WordTable::cell(int rowNo, int column) const {
    pugi::xml_node node = row(rowNo).child("w:tc");
    for (int i = 1; i < column && node; ++i)
        node = node.next_sibling("w:tc");
    if (!node || column < 1)
        throw std::out_of_range("no table cell (" + std::to_string(rowNo) + ", " +
                                std::to_string(column) + ")");
    return node;
}

pugi::xml_node WordTable::cellParagraph(int rowNo, int column) const {
    return cell(rowNo, column).child("w:p");
}

void WordTable::setBorders(bool visible) {
    pugi::xml_node borders = table_.child("w:tblPr").child("w:tblBorders");
    borders.remove_children();
    for (const char* side : {"w:top", "w:left", "w:bottom", "w:right", "w:insideH", "w:insideV"}) {
        pugi::xml_node border = borders.append_child(side);
        border.append_attribute("w:val") = visible ? "single" : "nil";
        if (visible) {
            border.append_attribute("w:sz") = "4";
            border.append_attribute("w:space") = "0";
            border.append_attribute("w:color") = "000000";
        }
    }
}

void WordTable::setRowHeightExact(int rowNo, double points) {
    setRowHeight(rowNo, points, "exact");
}

void WordTable::setRowHeightAtLeast(int rowNo, double points) {
    setRowHeight(rowNo, points, "atLeast");
}

void WordTable::setRowHeight(int rowNo, double points, const char* rule) {
    pugi::xml_node properties = rowProperties(rowNo);
    properties.remove_child("w:trHeight");
    pugi::xml_node height = properties.append_child("w:trHeight");
    setTwips(height, "w:val", points);
    height.append_attribute("w:hRule") = rule;
}

pugi::xml_node WordTable::rowProperties(int rowNo) const {
    pugi::xml_node rowNode = row(rowNo);
    pugi::xml_node properties = rowNode.child("w:trPr");
    return properties ? properties : rowNode.insert_child_before("w:trPr", rowNode.child("w:tc"));
}

void WordTable::keepRowWhole(int rowNo) {
    pugi::xml_node properties = rowProperties(rowNo);
    if (!properties.child("w:cantSplit"))
        properties.append_child("w:cantSplit");
}

void WordTable::repeatAsHeader(int rowNo) {
    pugi::xml_node properties = rowProperties(rowNo);
    if (!properties.child("w:tblHeader"))
        properties.append_child("w:tblHeader");
}

int WordTable::columnWidthTwips(int column) const {
    pugi::xml_node gridCol = table_.child("w:tblGrid").child("w:gridCol");
    for (int i = 1; i < column; ++i)
        gridCol = gridCol.next_sibling("w:gridCol");
    return gridCol.attribute("w:w").as_int();
}

void WordTable::setColumnWidthsPercent(const std::vector<double>& percents) {
    if (static_cast<int>(percents.size()) > columns_)
        throw std::invalid_argument("more column widths than columns");
    double given = 0;
    for (double percent : percents)
        given += percent;
    const int rest = columns_ - static_cast<int>(percents.size());
    std::vector<double> all = percents;
    for (int i = 0; i < rest; ++i)
        all.push_back((100 - given) / rest);

    // The grid holds the resolved widths; cells keep the percentages, in
    // fiftieths of a percent.
    pugi::xml_node gridCol = table_.child("w:tblGrid").child("w:gridCol");
    for (double percent : all) {
        gridCol.remove_attributes();
        gridCol.append_attribute("w:w") =
            std::to_string(std::lround(width_ * percent / 100)).c_str();
        gridCol = gridCol.next_sibling("w:gridCol");
    }
    for (pugi::xml_node rowNode : table_.children("w:tr")) {
        int column = 0;
        for (pugi::xml_node cellNode : rowNode.children("w:tc")) {
            const long span = std::max(
                1, cellNode.child("w:tcPr").child("w:gridSpan").attribute("w:val").as_int());
            double percent = 0;
            for (long i = 0; i < span && column < columns_; ++i)
                percent += all[static_cast<std::size_t>(column++)];
            setWidth(cellNode.child("w:tcPr").child("w:tcW"), std::lround(percent * 50), "pct");
        }
    }
}

void WordTable::setCellPaddings(double top, double bottom, double left, double right) {
    pugi::xml_node properties = table_.child("w:tblPr");
    pugi::xml_node margins = freshChild(properties, "w:tblCellMar", "w:tblLook");
    setMargins(margins, top, bottom, left, right);
    paddingLeft_ = left;
    paddingRight_ = right;
}

void WordTable::setCellSpacing(double points) {
    pugi::xml_node properties = table_.child("w:tblPr");
    pugi::xml_node spacing = freshChild(properties, "w:tblCellSpacing", "w:tblBorders");
    setTwips(spacing, "w:w", points);
    spacing.append_attribute("w:type") = "dxa";
}

void WordTable::setCellPaddings(int rowNo, int column, double top, double bottom, double left,
                                double right) {
    pugi::xml_node properties = cell(rowNo, column).child("w:tcPr");
    pugi::xml_node margins = freshChild(properties, "w:tcMar", "w:vAlign");
    setMargins(margins, top, bottom, left, right);
}

void WordTable::mergeRow(int rowNo) {
    pugi::xml_node first = cell(rowNo, 1);
    pugi::xml_node properties = first.child("w:tcPr");
    double percent = 0;
    for (pugi::xml_node next = first.next_sibling("w:tc"); next;) {
        pugi::xml_node after = next.next_sibling("w:tc");
        percent += next.child("w:tcPr").child("w:tcW").attribute("w:w").as_double();
        // A merged cell keeps the text of every cell it absorbs.
        for (pugi::xml_node paragraph : next.children("w:p"))
            if (paragraph.first_child())
                first.append_copy(paragraph);
        next.parent().remove_child(next);
        next = after;
    }
    pugi::xml_node width = properties.child("w:tcW");
    const double total = width.attribute("w:w").as_double() + percent;
    setWidth(width, std::lround(total), "pct");
    properties.insert_child_after("w:gridSpan", width).append_attribute("w:val") =
        std::to_string(columns_).c_str();
}

void WordTable::mergeCells(int rowNo, int first, int last) {
    if (last <= first)
        return;
    pugi::xml_node firstCell = cell(rowNo, first);
    pugi::xml_node properties = firstCell.child("w:tcPr");
    double percent = properties.child("w:tcW").attribute("w:w").as_double();
    long span = std::max(1, properties.child("w:gridSpan").attribute("w:val").as_int());
    for (int i = first + 1; i <= last; ++i) {
        pugi::xml_node next = firstCell.next_sibling("w:tc");
        if (!next)
            throw std::out_of_range("no table cell (" + std::to_string(rowNo) + ", " +
                                    std::to_string(i) + ")");
        pugi::xml_node nextProperties = next.child("w:tcPr");
        percent += nextProperties.child("w:tcW").attribute("w:w").as_double();
        span += std::max(1, nextProperties.child("w:gridSpan").attribute("w:val").as_int());
        // Text it absorbs is kept; an empty paragraph would add a line.
        for (pugi::xml_node paragraph : next.children("w:p"))
            if (paragraph.child("w:r"))
                firstCell.append_copy(paragraph);
        firstCell.parent().remove_child(next);
    }
    pugi::xml_node width = properties.child("w:tcW");
    setWidth(width, std::lround(percent), "pct");
    properties.remove_child("w:gridSpan");
    properties.insert_child_after("w:gridSpan", width).append_attribute("w:val") =
        std::to_string(span).c_str();
}

void WordTable::mergeDown(int rowNo, int column) {
    for (int r = rowNo; r <= rowNo + 1; ++r) {
        pugi::xml_node properties = cell(r, column).child("w:tcPr");
        pugi::xml_node anchor = properties.child("w:gridSpan") ? properties.child("w:gridSpan")
                                                               : properties.child("w:tcW");
        pugi::xml_node merge = properties.insert_child_after("w:vMerge", anchor);
        if (r == rowNo)
            merge.append_attribute("w:val") = "restart";
    }
}

void WordTable::centreVertically() {
    for (pugi::xml_node rowNode : table_.children("w:tr"))
        for (pugi::xml_node cellNode : rowNode.children("w:tc")) {
            pugi::xml_node properties = cellNode.child("w:tcPr");
            properties.remove_child("w:vAlign");
            // The last of the properties we set; w:hideMark would follow it.
            properties.append_child("w:vAlign").append_attribute("w:val") = "center";
        }
}

void WordTable::underlineCell(int rowNo, int column) {
    pugi::xml_node properties = cell(rowNo, column).child("w:tcPr");
    pugi::xml_node borders = freshChild(properties, "w:tcBorders", "w:tcMar");
    pugi::xml_node bottom = borders.append_child("w:bottom");
    bottom.append_attribute("w:val") = "single";
    bottom.append_attribute("w:sz") = "4";
    bottom.append_attribute("w:space") = "0";
    bottom.append_attribute("w:color") = "000000";
}

int WordTable::cellContentWidthTwips(int rowNo, int column) const {
    pugi::xml_node properties = cell(rowNo, column).child("w:tcPr");
    const long span = std::max(1, properties.child("w:gridSpan").attribute("w:val").as_int());
    int width = 0;
    for (long i = 0; i < span; ++i)
        width += columnWidthTwips(column + static_cast<int>(i));
    double left = paddingLeft_;
    double right = paddingRight_;
    if (pugi::xml_node margins = properties.child("w:tcMar")) {
        left = margins.child("w:left").attribute("w:w").as_double() / kTwipsPerPoint;
        right = margins.child("w:right").attribute("w:w").as_double() / kTwipsPerPoint;
    }
    return width - static_cast<int>(std::lround((left + right) * kTwipsPerPoint));
}

} // namespace tarvel::scrivet
