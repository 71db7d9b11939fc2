#!/usr/bin/env python3
"""Reads an .xlsx or .docx back with independent readers (openpyxl,
python-docx) and prints what the tests check, one fact per line, fields
separated by tabs; tabs and line breaks inside texts are escaped."""

import re
import sys
import zipfile

import docx
import openpyxl
from lxml import etree as lxml_etree

W = "{http://schemas.openxmlformats.org/wordprocessingml/2006/main}"
A = "{http://schemas.openxmlformats.org/drawingml/2006/main}"


def emit(*fields):
    text = "\t".join(str(f).replace("\\", "\\\\").replace("\t", "\\t").replace("\n", "\\n")
                     for f in fields)
    sys.stdout.write(text + "\n")


def shown(cell):
    """The cell as a client sees it: a number in its number format."""
    if cell.data_type != "n":
        return cell.value
    match = re.fullmatch(r'0(?:\.(0+))?(?:"(.*)")?', cell.number_format)
    if match is None:
        return cell.value
    decimals = len(match.group(1) or "")
    return "%.*f%s" % (decimals, cell.value, match.group(2) or "")


def sheet_dimensions(path):
    """The <dimension> each worksheet part declares, as written."""
    refs = []
    with zipfile.ZipFile(path) as archive:
        names = sorted((n for n in archive.namelist()
                        if re.fullmatch(r"xl/worksheets/sheet\d+\.xml", n)),
                       key=lambda n: int(re.search(r"\d+", n).group()))
        for name in names:
            found = re.search(rb'<dimension ref="([^"]*)"', archive.read(name))
            refs.append(found.group(1).decode() if found else "")
    return refs


def read_xlsx(path):
    book = openpyxl.load_workbook(path)
    emit("title", book.properties.title)
    emit("creator", book.properties.creator)
    for sheet, dimension in zip(book.worksheets, sheet_dimensions(path)):
        name = sheet.title
        emit("sheet", name)
        emit("dimension", name, dimension)
        setup = sheet.page_setup
        emit("orientation", name, setup.orientation)
        emit("paper", name, setup.paperSize)
        emit("fit-width", name, setup.fitToWidth, setup.fitToHeight)
        emit("print-titles", name, sheet.print_title_rows)
        emit("footer", name, sheet.oddFooter.center.text)
        emit("footer-right", name, sheet.oddFooter.right.text)
        emit("frozen", name, sheet.freeze_panes)
        for brk in sheet.row_breaks.brk:
            # The row after the break: the first row of a new page, from 1.
            emit("break", name, brk.id + 1)
        for merged in sorted(sheet.merged_cells.ranges, key=lambda r: (r.min_row, r.min_col)):
            emit("merge", name, merged.coord)
        for letter, dimension in sorted(sheet.column_dimensions.items()):
            if dimension.width is not None and dimension.min is not None:
                for column in range(dimension.min, min(dimension.max, 16) + 1):
                    emit("width", name, openpyxl.utils.get_column_letter(column),
                         "%.4f" % dimension.width)
        emit("default-height", name, sheet.sheet_format.defaultRowHeight)
        setup = sheet.sheet_properties.pageSetUpPr
        emit("fit-to-page", name, bool(setup is not None and setup.fitToPage))
        for row in sheet.iter_rows():
            for cell in row:
                if cell.value is not None:
                    emit("cell", name, cell.coordinate, shown(cell))
                    if cell.data_type == "n":
                        emit("number", name, cell.coordinate, repr(cell.value))
                    emit("style", name, cell.coordinate, cell.number_format, cell.font.name,
                         cell.font.sz, cell.font.color.rgb if cell.font.color else None,
                         cell.alignment.horizontal, cell.alignment.vertical,
                         cell.border.left.style)
        for index, dimension in sorted(sheet.row_dimensions.items()):
            if dimension.height is not None:
                emit("height", name, index, dimension.height)


def cell_text(cell):
    return "\n".join(p.text for p in cell.paragraphs)


def read_table(label, table):
    rows = table._tbl.tr_lst
    columns = len(table._tbl.tblGrid.gridCol_lst)
    emit("table", label, len(rows), columns)
    for r, row in enumerate(rows):
        cells = row.tc_lst
        emit("row-cells", label, r + 1, len(cells))
        height = row.trPr.find(W + "trHeight") if row.trPr is not None else None
        if height is not None:
            emit("row-height", label, r + 1, height.get(W + "val"), height.get(W + "hRule"))
        if row.trPr is not None and row.trPr.find(W + "cantSplit") is not None:
            emit("row-whole", label, r + 1)
        if row.trPr is not None and row.trPr.find(W + "tblHeader") is not None:
            emit("row-header", label, r + 1)
        for c, tc in enumerate(cells):
            cell = docx.table._Cell(tc, table)
            emit("cell", label, r + 1, c + 1, cell_text(cell))
            if any(p._p.find(W + "pPr/" + W + "keepNext") is not None for p in cell.paragraphs):
                emit("keep-next", label, r + 1, c + 1)
            for p in cell.paragraphs:
                for run in p.runs:
                    if run.font.superscript:
                        emit("superscript", label, r + 1, c + 1, run.text)
            bold = any(run.bold for p in cell.paragraphs for run in p.runs)
            if bold:
                emit("bold", label, r + 1, c + 1)
            typed = [p for p in cell.paragraphs if p.runs]
            if typed:
                size = typed[0].runs[0].font.size
                emit("cell-format", label, r + 1, c + 1, typed[0].alignment,
                     size.pt if size is not None else None)
            for n, nested in enumerate(cell.tables):
                read_table("%s.%d.%d.%d" % (label, r + 1, c + 1, n + 1), nested)
    for n, col in enumerate(table._tbl.tblGrid.gridCol_lst):
        emit("grid", label, n + 1, col.get(W + "w"))


def read_docx(path):
    document = docx.Document(path)
    body = document.element.body
    tables = iter(document.tables)
    paragraphs = iter(document.paragraphs)
    section = 1
    pictures = 0
    table_no = 0
    for child in body.iterchildren():
        if child.tag == W + "p":
            paragraph = next(paragraphs)
            emit("paragraph", paragraph.text)
            before = paragraph.paragraph_format.space_before
            if before:
                emit("space-before", paragraph.text, before.pt)
            pictures += len(child.findall(".//" + A + "blip"))
            if child.find(W + "pPr/" + W + "sectPr") is not None:
                emit("section-pictures", section, pictures)
                section += 1
                pictures = 0
        elif child.tag == W + "tbl":
            table_no += 1
            emit("body-table", table_no)
            read_table(str(table_no), next(tables))
            pictures += len(child.findall(".//" + A + "blip"))
    emit("section-pictures", section, pictures)
    for number, sect in enumerate(document.sections):
        footer = sect.footer
        emit("footer", number + 1, "".join(p.text for p in footer.paragraphs),
             footer.is_linked_to_previous)
        for field in footer._element.iter(W + "fldSimple"):
            emit("footer-field", number + 1, field.get(W + "instr").strip())
        for paragraph in footer.paragraphs:
            emit("footer-alignment", number + 1, paragraph.alignment)
        if not sect.header.is_linked_to_previous:
            emit("header", number + 1, "".join(p.text for p in sect.header.paragraphs))
    core = document.core_properties
    emit("title", core.title)
    emit("creator", core.author)
    emit("created", core.created.isoformat() if core.created else None)
    with zipfile.ZipFile(path) as archive:
        names = archive.namelist()
        if "docProps/app.xml" in names:
            found = re.search(rb"<Application>([^<]*)</Application>",
                              archive.read("docProps/app.xml"))
            emit("application", found.group(1).decode() if found else "")
        if "word/fontTable.xml" in names:
            fonts = lxml_etree.fromstring(archive.read("word/fontTable.xml"))
            for font in fonts.iter(W + "font"):
                alt = font.find(W + "altName")
                emit("font", font.get(W + "name"),
                     alt.get(W + "val") if alt is not None else "")


def main():
    kind, path = sys.argv[1], sys.argv[2]
    {"xlsx": read_xlsx, "docx": read_docx}[kind](path)


if __name__ == "__main__":
    main()
