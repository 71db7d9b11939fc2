#include "xlsx_writer.h"

#include "data/clean_text.h"
#include "temporary_file.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <vector>

namespace tarvel::scrivet {
namespace {

// The formats of one sheet: its style with or without borders, as text or
// in each number format the sheet's numbers use. Made once each, looked up
// by index for every cell; the library owns them.
class SheetFormats {
public:
    SheetFormats(lxw_workbook* book, const Worksheet& sheet)
        : book_(book), sheet_(sheet), formats_(2 * (sheet.numberFormatCount() + 1), nullptr) {}

    // The format of a text cell, or of an empty one.
    lxw_format* text(bool bordered) { return get(bordered, nullptr); }
    lxw_format* of(const CellText& cell, bool bordered) {
        return get(bordered, cell.isNumber() ? &cell : nullptr);
    }

private:
    lxw_format* get(bool bordered, const CellText* number) {
        const std::size_t slot =
            2 * (number ? static_cast<std::size_t>(number->numberFormat) + 1 : 0) + bordered;
        lxw_format*& format = formats_.at(slot);
        if (format == nullptr)
            format = make(bordered, number ? sheet_.numberFormat(*number) : std::string());
        return format;
    }

    lxw_format* make(bool bordered, const std::string& numberFormat) const {
        const CellStyle& style = sheet_.style();
        lxw_format* format = workbook_add_format(book_);
        format_set_font_name(format, style.fontName.c_str());
        format_set_font_size(format, style.fontSize);
        // The library reads a colour of 0 as "none set"; black has its own value.
        format_set_font_color(format, style.fontColour == 0x000000
                                          ? static_cast<lxw_color_t>(LXW_COLOR_BLACK)
                                          : style.fontColour);
        if (style.centred) {
            format_set_align(format, LXW_ALIGN_CENTER);
            format_set_align(format, LXW_ALIGN_VERTICAL_CENTER);
        }
        if (!numberFormat.empty())
            format_set_num_format(format, numberFormat.c_str());
        else if (style.textNumberFormat)
            format_set_num_format(format, "@");
        if (bordered) {
            format_set_border(format, LXW_BORDER_THIN);
            format_set_border_color(format, LXW_COLOR_BLACK);
        }
        return format;
    }

    lxw_workbook* book_;
    const Worksheet& sheet_;
    std::vector<lxw_format*> formats_; // text, then each number format; plain, bordered
};

// The used columns carry the sheet's style, so their empty cells look like
// the written ones; columns beyond get only their width. A formatted column
// counts as used, and readers would size the sheet by it.
lxw_error formatColumns(lxw_worksheet* sheet, const Worksheet& model, SheetFormats& formats) {
    lxw_format* columnFormat = formats.text(model.bordersEverywhere());
    const int lastUsed = model.lastUsedColumn();
    for (const auto& [column, width] : model.columnWidths()) {
        lxw_error error = worksheet_set_column(sheet, static_cast<lxw_col_t>(column),
                                               static_cast<lxw_col_t>(column), width,
                                               column <= lastUsed ? columnFormat : nullptr);
        if (error != LXW_NO_ERROR)
            return error;
    }
    return LXW_NO_ERROR;
}

lxw_error writeCell(lxw_worksheet* sheet, const CellText& cell, lxw_format* format) {
    const CellRange& r = cell.range;
    const auto row = static_cast<lxw_row_t>(r.firstRow);
    const auto column = static_cast<lxw_col_t>(r.firstColumn);
    const std::string text = cell.isNumber() ? std::string() : cleanText(cell.text);
    if (!r.isSingleCell()) {
        // The merge writes the text; a number goes into its first cell after.
        lxw_error error =
            worksheet_merge_range(sheet, row, column, static_cast<lxw_row_t>(r.lastRow),
                                  static_cast<lxw_col_t>(r.lastColumn), text.c_str(), format);
        if (error != LXW_NO_ERROR || !cell.isNumber())
            return error;
    }
    return cell.isNumber() ? worksheet_write_number(sheet, row, column, cell.number, format)
                           : worksheet_write_string(sheet, row, column, text.c_str(), format);
}

// One write as the library receives it: a cell of the model, or a blank
// that only carries a border.
struct PendingWrite {
    int row = 0;
    int column = 0;
    const CellText* cell = nullptr; // null for a bordered blank
};

// The writes of a sheet in row order, the model's order within a row, so a
// later write still wins over an earlier one in the same cell. Blanks of
// bordered ranges come first: text written there replaces them.
std::vector<PendingWrite> writesInRowOrder(const Worksheet& model) {
    std::vector<PendingWrite> writes;
    writes.reserve(model.cells().size());
    for (const CellRange& range : model.borderedRanges())
        for (int row = range.firstRow; row <= range.lastRow; ++row)
            for (int column = range.firstColumn; column <= range.lastColumn; ++column)
                writes.push_back({row, column, nullptr});
    for (const CellText& cell : model.cells())
        writes.push_back({cell.range.firstRow, cell.range.firstColumn, &cell});
    std::stable_sort(writes.begin(), writes.end(),
                     [](const PendingWrite& a, const PendingWrite& b) { return a.row < b.row; });
    return writes;
}

lxw_error writeCells(lxw_worksheet* sheet, const Worksheet& model, SheetFormats& formats) {
    for (const PendingWrite& write : writesInRowOrder(model)) {
        const auto row = static_cast<lxw_row_t>(write.row);
        const auto column = static_cast<lxw_col_t>(write.column);
        lxw_error error =
            write.cell == nullptr
                ? worksheet_write_blank(sheet, row, column, formats.text(true))
                : writeCell(sheet, *write.cell,
                            formats.of(*write.cell, model.hasBorder(write.row, write.column)));
        if (error != LXW_NO_ERROR)
            return error;
    }
    return LXW_NO_ERROR;
}

// What the library accepts without pictures: at most 255 characters and no
// picture code ("&G", or "&[Picture]", found even after an escaping "&").
bool footerIsWritable(const std::string& footer) {
    const auto characters = std::count_if(footer.begin(), footer.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    });
    return characters <= LXW_HEADER_FOOTER_MAX && footer.find("&G") == std::string::npos &&
           footer.find("&[Picture]") == std::string::npos;
}

lxw_error applyPageSetup(lxw_worksheet* sheet, const PageSetup& setup) {
    constexpr uint8_t kPaperA4 = 9;
    worksheet_set_paper(sheet, kPaperA4);
    if (setup.landscape)
        worksheet_set_landscape(sheet);
    if (setup.fitToWidth)
        worksheet_fit_to_pages(sheet, 1, 0);
    if (setup.frozenRows > 0)
        worksheet_freeze_panes(sheet, static_cast<lxw_row_t>(setup.frozenRows), 0);
    if (setup.titleFirstRow >= 0) {
        lxw_error error = worksheet_repeat_rows(sheet, static_cast<lxw_row_t>(setup.titleFirstRow),
                                                static_cast<lxw_row_t>(setup.titleLastRow));
        if (error != LXW_NO_ERROR)
            return error;
    }
    if (!setup.rowBreaks.empty()) {
        // The library reads the list up to a terminating 0 (row 0 never
        // begins a page of its own).
        std::vector<lxw_row_t> breaks(setup.rowBreaks.begin(), setup.rowBreaks.end());
        breaks.push_back(0);
        lxw_error error = worksheet_set_h_pagebreaks(sheet, breaks.data());
        if (error != LXW_NO_ERROR)
            return error;
    }
    if (setup.footer.empty())
        return LXW_NO_ERROR;
    // Footers are XML too: the same clean text as the cells.
    const std::string footer = cleanText(setup.footer);
    // The library frees a footer it refuses and frees it again when the
    // workbook closes: it must never see one it would refuse.
    if (!footerIsWritable(footer))
        return LXW_ERROR_PARAMETER_VALIDATION;
    return worksheet_set_footer(sheet, footer.c_str());
}

lxw_error writeSheet(lxw_workbook* book, const Worksheet& model) {
    lxw_worksheet* sheet = workbook_add_worksheet(book, model.name().c_str());
    if (sheet == nullptr)
        return LXW_ERROR_PARAMETER_VALIDATION;
    SheetFormats formats(book, model);
    worksheet_set_default_row(sheet, model.rowHeight(), LXW_FALSE);
    lxw_error error = formatColumns(sheet, model, formats);
    if (error == LXW_NO_ERROR)
        error = applyPageSetup(sheet, model.pageSetup());
    if (error == LXW_NO_ERROR)
        error = writeCells(sheet, model, formats);
    return error;
}

// With every merged range inside one row the writes come strictly in row
// order, and the library can keep just the current row in memory and write
// it out when the next begins (texts then stay in their cells instead of a
// shared table). A range merged over rows writes blanks into rows ahead of
// the ones still to come, so such a workbook is kept whole until closed.
bool writableRowByRow(const Workbook& workbook) {
    for (std::size_t i = 0; i < workbook.sheetCount(); ++i)
        for (const CellText& cell : workbook.sheet(i).cells())
            if (cell.range.lastRow != cell.range.firstRow)
                return false;
    return true;
}

struct WorkbookCloser {
    void operator()(lxw_workbook* book) const { workbook_close(book); }
};

} // namespace

void writeXlsx(const Workbook& workbook, const std::string& path) {
    TemporaryFile file = temporaryFileBeside(path);
    lxw_workbook_options options{};
    options.constant_memory = writableRowByRow(workbook) ? LXW_TRUE : LXW_FALSE;
    std::unique_ptr<lxw_workbook, WorkbookCloser> book(
        workbook_new_opt(file.path().c_str(), &options));
    if (!book)
        throw std::runtime_error("cannot create the workbook");
    // Document properties are XML too: the same clean text as the cells.
    std::string title = cleanText(workbook.title());
    std::string author = cleanText(workbook.author());
    lxw_doc_properties properties{};
    properties.title = title.data();
    properties.author = author.data();
    workbook_set_properties(book.get(), &properties);
    for (std::size_t i = 0; i < workbook.sheetCount(); ++i) {
        lxw_error error = writeSheet(book.get(), workbook.sheet(i));
        if (error != LXW_NO_ERROR)
            throw std::runtime_error(writeFailureText(
                "sheet \"" + workbook.sheet(i).name() + "\": " + lxw_strerror(error), path));
    }
    lxw_error error = workbook_close(book.release());
    if (error != LXW_NO_ERROR)
        throw std::runtime_error(writeFailureText(lxw_strerror(error), path));
    file.commitAs(path);
}

} // namespace tarvel::scrivet
