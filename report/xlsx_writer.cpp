#include "xlsx_writer.h"

#include "data/clean_text.h"
#include "temporary_file.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <map>
#include <memory>
#include <stdexcept>

namespace tarvel::scrivet {
namespace {

// The formats of one sheet: its style with or without borders, in each
// number format the sheet's cells use. The library owns them.
class SheetFormats {
public:
    SheetFormats(lxw_workbook* book, const CellStyle& style) : book_(book), style_(style) {}

    lxw_format* get(bool bordered, const std::string& numberFormat = {}) {
        lxw_format*& format = formats_[{bordered, numberFormat}];
        if (format == nullptr)
            format = make(bordered, numberFormat);
        return format;
    }

private:
    lxw_format* make(bool bordered, const std::string& numberFormat) const {
        lxw_format* format = workbook_add_format(book_);
        format_set_font_name(format, style_.fontName.c_str());
        format_set_font_size(format, style_.fontSize);
        // The library reads a colour of 0 as "none set"; black has its own value.
        format_set_font_color(format, style_.fontColour == 0x000000
                                          ? static_cast<lxw_color_t>(LXW_COLOR_BLACK)
                                          : style_.fontColour);
        if (style_.centred) {
            format_set_align(format, LXW_ALIGN_CENTER);
            format_set_align(format, LXW_ALIGN_VERTICAL_CENTER);
        }
        if (!numberFormat.empty())
            format_set_num_format(format, numberFormat.c_str());
        else if (style_.textNumberFormat)
            format_set_num_format(format, "@");
        if (bordered) {
            format_set_border(format, LXW_BORDER_THIN);
            format_set_border_color(format, LXW_COLOR_BLACK);
        }
        return format;
    }

    lxw_workbook* book_;
    const CellStyle& style_;
    std::map<std::pair<bool, std::string>, lxw_format*> formats_;
};

// The used columns carry the sheet's style, so their empty cells look like
// the written ones; columns beyond get only their width. A formatted column
// counts as used, and readers would size the sheet by it.
lxw_error formatColumns(lxw_worksheet* sheet, const Worksheet& model, SheetFormats& formats) {
    lxw_format* columnFormat = formats.get(model.bordersEverywhere());
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

// Cells of a bordered range that hold no text still need their borders.
lxw_error writeBorderedBlanks(lxw_worksheet* sheet, const Worksheet& model, SheetFormats& formats) {
    for (const CellRange& range : model.borderedRanges())
        for (int row = range.firstRow; row <= range.lastRow; ++row)
            for (int column = range.firstColumn; column <= range.lastColumn; ++column) {
                lxw_error error =
                    worksheet_write_blank(sheet, static_cast<lxw_row_t>(row),
                                          static_cast<lxw_col_t>(column), formats.get(true));
                if (error != LXW_NO_ERROR)
                    return error;
            }
    return LXW_NO_ERROR;
}

lxw_error writeCell(lxw_worksheet* sheet, const CellText& cell, lxw_format* format) {
    const CellRange& r = cell.range;
    const auto row = static_cast<lxw_row_t>(r.firstRow);
    const auto column = static_cast<lxw_col_t>(r.firstColumn);
    const std::string text = cleanText(cell.text);
    if (!r.isSingleCell()) {
        // The merge writes the text; a number goes into its first cell after.
        lxw_error error = worksheet_merge_range(
            sheet, row, column, static_cast<lxw_row_t>(r.lastRow),
            static_cast<lxw_col_t>(r.lastColumn), cell.number ? "" : text.c_str(), format);
        if (error != LXW_NO_ERROR || !cell.number)
            return error;
    }
    return cell.number ? worksheet_write_number(sheet, row, column, *cell.number, format)
                       : worksheet_write_string(sheet, row, column, text.c_str(), format);
}

lxw_error writeCells(lxw_worksheet* sheet, const Worksheet& model, SheetFormats& formats) {
    for (const CellText& cell : model.cells()) {
        const bool bordered = model.hasBorder(cell.range.firstRow, cell.range.firstColumn);
        lxw_error error = writeCell(sheet, cell, formats.get(bordered, cell.numberFormat));
        if (error != LXW_NO_ERROR)
            return error;
    }
    return LXW_NO_ERROR;
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
    return setup.footer.empty() ? LXW_NO_ERROR : worksheet_set_footer(sheet, setup.footer.c_str());
}

lxw_error writeSheet(lxw_workbook* book, const Worksheet& model) {
    lxw_worksheet* sheet = workbook_add_worksheet(book, model.name().c_str());
    if (sheet == nullptr)
        return LXW_ERROR_PARAMETER_VALIDATION;
    SheetFormats formats(book, model.style());
    worksheet_set_default_row(sheet, model.rowHeight(), LXW_FALSE);
    lxw_error error = formatColumns(sheet, model, formats);
    if (error == LXW_NO_ERROR)
        error = writeBorderedBlanks(sheet, model, formats);
    if (error == LXW_NO_ERROR)
        error = writeCells(sheet, model, formats);
    if (error == LXW_NO_ERROR)
        error = applyPageSetup(sheet, model.pageSetup());
    return error;
}

struct WorkbookCloser {
    void operator()(lxw_workbook* book) const { workbook_close(book); }
};

} // namespace

void writeXlsx(const Workbook& workbook, const std::string& path) {
    TemporaryFile file = temporaryFileBeside(path);
    std::unique_ptr<lxw_workbook, WorkbookCloser> book(workbook_new(file.path().c_str()));
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
            throw std::runtime_error("sheet \"" + workbook.sheet(i).name() +
                                     "\": " + lxw_strerror(error));
    }
    lxw_error error = workbook_close(book.release());
    if (error != LXW_NO_ERROR)
        throw std::runtime_error(lxw_strerror(error));
    file.commitAs(path);
}

} // namespace tarvel::scrivet
