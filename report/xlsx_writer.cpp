#include "xlsx_writer.h"

#include "data/clean_text.h"
#include "temporary_file.h"

#include <xlsxwriter.h>

#include <memory>
#include <stdexcept>

namespace tarvel::scrivet {
namespace {

constexpr int kLastColumn = LXW_COL_MAX - 1;

struct SheetFormats {
    lxw_format* plain = nullptr;
    lxw_format* bordered = nullptr;
};

lxw_format* makeFormat(lxw_workbook* book, const CellStyle& style, bool border) {
    lxw_format* format = workbook_add_format(book);
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
    if (style.textNumberFormat)
        format_set_num_format(format, "@");
    if (border) {
        format_set_border(format, LXW_BORDER_THIN);
        format_set_border_color(format, LXW_COLOR_BLACK);
    }
    return format;
}

// Every column carries the sheet's style, so empty cells look like the
// written ones; columns without a width of their own keep the default.
lxw_error formatColumns(lxw_worksheet* sheet, const Worksheet& model, const SheetFormats& formats) {
    lxw_format* columnFormat = model.bordersEverywhere() ? formats.bordered : formats.plain;
    int next = 0;
    for (const auto& [column, width] : model.columnWidths()) {
        if (column > next) {
            lxw_error error = worksheet_set_column(sheet, static_cast<lxw_col_t>(next),
                                                   static_cast<lxw_col_t>(column - 1),
                                                   LXW_DEF_COL_WIDTH, columnFormat);
            if (error != LXW_NO_ERROR)
                return error;
        }
        lxw_error error = worksheet_set_column(sheet, static_cast<lxw_col_t>(column),
                                               static_cast<lxw_col_t>(column), width, columnFormat);
        if (error != LXW_NO_ERROR)
            return error;
        next = column + 1;
    }
    return worksheet_set_column(sheet, static_cast<lxw_col_t>(next), kLastColumn, LXW_DEF_COL_WIDTH,
                                columnFormat);
}

// Cells of a bordered range that hold no text still need their borders.
lxw_error writeBorderedBlanks(lxw_worksheet* sheet, const Worksheet& model,
                              const SheetFormats& formats) {
    for (const CellRange& range : model.borderedRanges())
        for (int row = range.firstRow; row <= range.lastRow; ++row)
            for (int column = range.firstColumn; column <= range.lastColumn; ++column) {
                lxw_error error =
                    worksheet_write_blank(sheet, static_cast<lxw_row_t>(row),
                                          static_cast<lxw_col_t>(column), formats.bordered);
                if (error != LXW_NO_ERROR)
                    return error;
            }
    return LXW_NO_ERROR;
}

lxw_error writeCells(lxw_worksheet* sheet, const Worksheet& model, const SheetFormats& formats) {
    for (const CellText& cell : model.cells()) {
        const CellRange& r = cell.range;
        lxw_format* format =
            model.hasBorder(r.firstRow, r.firstColumn) ? formats.bordered : formats.plain;
        const std::string text = cleanText(cell.text);
        lxw_error error =
            r.isSingleCell()
                ? worksheet_write_string(sheet, static_cast<lxw_row_t>(r.firstRow),
                                         static_cast<lxw_col_t>(r.firstColumn), text.c_str(),
                                         format)
                : worksheet_merge_range(sheet, static_cast<lxw_row_t>(r.firstRow),
                                        static_cast<lxw_col_t>(r.firstColumn),
                                        static_cast<lxw_row_t>(r.lastRow),
                                        static_cast<lxw_col_t>(r.lastColumn), text.c_str(), format);
        if (error != LXW_NO_ERROR)
            return error;
    }
    return LXW_NO_ERROR;
}

lxw_error writeSheet(lxw_workbook* book, const Worksheet& model) {
    lxw_worksheet* sheet = workbook_add_worksheet(book, model.name().c_str());
    if (sheet == nullptr)
        return LXW_ERROR_PARAMETER_VALIDATION;
    SheetFormats formats{makeFormat(book, model.style(), false),
                         makeFormat(book, model.style(), true)};
    worksheet_set_default_row(sheet, model.rowHeight(), LXW_FALSE);
    lxw_error error = formatColumns(sheet, model, formats);
    if (error == LXW_NO_ERROR)
        error = writeBorderedBlanks(sheet, model, formats);
    if (error == LXW_NO_ERROR)
        error = writeCells(sheet, model, formats);
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
