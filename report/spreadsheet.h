// A small workbook model: just what the summary workbook needs. Sheets hold
// text cells (a single cell or a merged range), one style for every cell,
// borders, one row height and column widths. xlsx_writer.h turns it into a
// file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tarvel::scrivet {

// A rectangle of cells, 0-based and inclusive.
struct CellRange {
    int firstRow = 0;
    int firstColumn = 0;
    int lastRow = 0;
    int lastColumn = 0;

    // "C3" or "A1:K9"; throws std::invalid_argument for anything else.
    static CellRange parse(std::string_view a1);
    static CellRange cell(int row, int column) { return {row, column, row, column}; }

    bool isSingleCell() const { return firstRow == lastRow && firstColumn == lastColumn; }
    bool contains(int row, int column) const {
        return row >= firstRow && row <= lastRow && column >= firstColumn && column <= lastColumn;
    }
};

struct CellStyle {
    std::string fontName = "宋体";
    double fontSize = 11;
    uint32_t fontColour = 0x000000; // RGB
    bool centred = true;            // both ways
    bool textNumberFormat = true;   // number format "@": values stay as typed
};

struct CellText {
    CellRange range; // merged when it spans more than one cell
    std::string text;
    // A number is stored as a number and shown in its sheet's number format
    // of this index ("0.00"); text, with no format, is stored as text.
    double number = 0;
    int numberFormat = -1;

    bool isNumber() const { return numberFormat >= 0; }
};

// How a sheet prints.
struct PageSetup {
    bool landscape = false;
    bool fitToWidth = false; // one page wide, as many pages high as needed
    int titleFirstRow = -1;  // rows repeated at the top of every page, 0-based
    int titleLastRow = -1;
    std::string footer;         // Excel header/footer codes, "&C第 &P 页"
    int frozenRows = 0;         // rows kept in view while scrolling
    std::vector<int> rowBreaks; // 0-based rows that begin a new printed page
};

// A column of `characters` on screen and paper: whole pixels of the default
// font's digit (7 pixels at 96 dpi) plus padding.
int columnWidthPixels(double characters);

class Worksheet {
public:
    explicit Worksheet(std::string name) : name_(std::move(name)) {}

    const std::string& name() const { return name_; }
    void setName(std::string name) { name_ = std::move(name); }

    // Every row of the sheet, written or not.
    void setRowHeight(double points) { rowHeight_ = points; }
    double rowHeight() const { return rowHeight_; }

    void setColumnWidth(int column, double characters) { columnWidths_[column] = characters; }
    const std::map<int, double>& columnWidths() const { return columnWidths_; }

    // The style of every cell of the sheet.
    void setStyle(CellStyle style) { style_ = std::move(style); }
    const CellStyle& style() const { return style_; }

    // Thin black borders round every cell of the range, or of the whole sheet.
    void addBorders(const CellRange& range) { borderedRanges_.push_back(range); }
    void setBordersEverywhere(bool on) { bordersEverywhere_ = on; }
    bool hasBorder(int row, int column) const;
    bool bordersEverywhere() const { return bordersEverywhere_; }
    const std::vector<CellRange>& borderedRanges() const { return borderedRanges_; }
    // The last column holding a cell or a border, or -1.
    int lastUsedColumn() const;

    // Writes text into the range, merging it when it spans several cells.
    void write(const CellRange& range, std::string text);
    void write(std::string_view a1, std::string text) {
        write(CellRange::parse(a1), std::move(text));
    }
    // Writes a number rounded to `decimals` decimals, shown with them and an
    // optional unit ("0.00\" MPa\""); a value that is not finite is written
    // as the text "--" instead.
    void writeNumber(const CellRange& range, double value, int decimals,
                     const std::string& unit = "");
    const std::vector<CellText>& cells() const { return cells_; }
    // Room for `count` cells, so a large sheet is not copied as it grows.
    void reserveCells(std::size_t count) { cells_.reserve(count); }
    // The number format of a number cell, "0.00\" MPa\"".
    const std::string& numberFormat(const CellText& cell) const {
        return numberFormats_.at(static_cast<std::size_t>(cell.numberFormat)).code;
    }
    std::size_t numberFormatCount() const { return numberFormats_.size(); }

    void setPageSetup(PageSetup setup) { pageSetup_ = std::move(setup); }
    const PageSetup& pageSetup() const { return pageSetup_; }

private:
    std::string name_;
    double rowHeight_ = 15;
    std::map<int, double> columnWidths_;
    CellStyle style_;
    bool bordersEverywhere_ = false;
    std::vector<CellRange> borderedRanges_;
    int numberFormatIndex(int decimals, const std::string& unit);

    std::vector<CellText> cells_;
    // Each format once: a sheet of numbers uses only a few.
    struct NumberFormat {
        int decimals;
        std::string unit;
        std::string code;
    };
    std::vector<NumberFormat> numberFormats_;
    PageSetup pageSetup_;
};

class Workbook {
public:
    // The document properties: title and author.
    void setProperties(std::string title, std::string author) {
        title_ = std::move(title);
        author_ = std::move(author);
    }
    const std::string& title() const { return title_; }
    const std::string& author() const { return author_; }

    // Inserts a new sheet at `index` (0 is the first tab) and returns it.
    Worksheet& insertSheet(std::size_t index, std::string name);
    void deleteSheet(std::size_t index);

    std::size_t sheetCount() const { return sheets_.size(); }
    const Worksheet& sheet(std::size_t index) const { return sheets_.at(index); }
    Worksheet& sheet(std::size_t index) { return sheets_.at(index); }

private:
    std::vector<Worksheet> sheets_;
    std::string title_;
    std::string author_;
};

} // namespace tarvel::scrivet
