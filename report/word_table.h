// A table of the Word-like model, over its w:tbl element.
#pragma once

#include <pugixml.hpp>

#include <vector>

namespace tarvel::scrivet {

inline constexpr int kTwipsPerPoint = 20;

class WordTable {
public:
    // Inserts a rows x columns table in front of `paragraph` (so the
    // paragraph follows the table, as when Word adds a table at an empty
    // paragraph): single borders, fixed layout, equal columns sharing
    // widthTwips, Word's default cell paddings.
    static WordTable insertBefore(pugi::xml_node paragraph, int rows, int columns, int widthTwips);

    // A table already in a document (rows and columns from its grid).
    static WordTable attach(pugi::xml_node table);

    // Rows and columns count from 1, as Word counts them.
    int rowCount() const { return rows_; }
    int columnCount() const { return columns_; }
    int widthTwips() const { return width_; }
    pugi::xml_node element() const { return table_; }

    // The (first) paragraph of a cell; after mergeRow, row `row` has one cell.
    pugi::xml_node cellParagraph(int row, int column) const;
    pugi::xml_node cell(int row, int column) const;

    void setBorders(bool visible);
    void setRowHeightExact(int row, double points);
    void setRowHeightAtLeast(int row, double points);
    // A row that does not fit at the foot of a page moves whole to the next.
    void keepRowWhole(int row);
    // The row (one of the first rows) is printed again at the top of every
    // page the table continues on.
    void repeatAsHeader(int row);
    // Preferred widths in percent of the table for the first columns; the
    // other columns share what is left equally.
    void setColumnWidthsPercent(const std::vector<double>& percents);
    // Default paddings of every cell, and the spacing between cells.
    void setCellPaddings(double top, double bottom, double left, double right);
    void setCellSpacing(double points);
    // Paddings of one cell.
    void setCellPaddings(int row, int column, double top, double bottom, double left, double right);
    // Joins the cells of a row into one cell spanning the table.
    void mergeRow(int row);
    // Joins the cells `first` to `last` of a row into the first; later
    // cells of the row then count from it (the row has fewer cells).
    void mergeCells(int row, int first, int last);
    // Joins the cell with the one below it (a title spanning two rows).
    void mergeDown(int row, int column);
    // Text in the middle of every cell's height.
    void centreVertically();
    // A single line under the cell, as on a form.
    void underlineCell(int row, int column);
    // Width of the text area inside a cell, in twips.
    int cellContentWidthTwips(int row, int column) const;

private:
    WordTable(pugi::xml_node table, int rows, int columns, int width)
        : table_(table), rows_(rows), columns_(columns), width_(width) {}

    pugi::xml_node row(int row) const;
    pugi::xml_node rowProperties(int row) const;
    void setRowHeight(int row, double points, const char* rule);
    int columnWidthTwips(int column) const;

    pugi::xml_node table_;
    int rows_ = 0;
    int columns_ = 0;
    int width_ = 0;
    double paddingLeft_ = 5.4; // points, Word's default
    double paddingRight_ = 5.4;
};

} // namespace tarvel::scrivet
