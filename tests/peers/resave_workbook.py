# Saves an .xls workbook again as .xlsx (python3-openpyxl) or .ods
# (python3-odf), cell by cell, as a user re-saving it in another format:
# the same sheets, numbers as numbers, texts as texts, truth values.
#    resave_workbook.py IN.xls OUT.xlsx|OUT.ods
import sys

import xlrd


def cells(sheet):
    for r in range(sheet.nrows):
        yield [bool(c.value) if c.ctype == xlrd.XL_CELL_BOOLEAN else
               c.value if c.ctype in (xlrd.XL_CELL_NUMBER, xlrd.XL_CELL_TEXT)
               else None for c in sheet.row(r)]


def save_xlsx(book, path):
    import openpyxl
    out = openpyxl.Workbook()
    out.remove(out.active)
    for sheet in book.sheets():
        target = out.create_sheet(sheet.name)
        for row in cells(sheet):
            target.append(row)
    out.save(path)


def ods_cell(value):
    from odf.table import TableCell
    from odf.teletype import addTextToElement
    from odf.text import P
    if value is None:
        return TableCell()
    if isinstance(value, bool):
        return TableCell(valuetype="boolean", booleanvalue=str(value).lower())
    if isinstance(value, float):
        cell = TableCell(valuetype="float", value=repr(value))
        cell.addElement(P(text=repr(value)))
        return cell
    cell, p = TableCell(valuetype="string"), P()
    addTextToElement(p, value)
    cell.addElement(p)
    return cell


def save_ods(book, path):
    from odf.opendocument import OpenDocumentSpreadsheet
    from odf.table import Table, TableRow
    out = OpenDocumentSpreadsheet()
    for sheet in book.sheets():
        table = Table(name=sheet.name)
        for row in cells(sheet):
            tr = TableRow()
            for value in row:
                tr.addElement(ods_cell(value))
            table.addElement(tr)
        out.spreadsheet.addElement(table)
    out.save(path)


book = xlrd.open_workbook(sys.argv[1])
(save_ods if sys.argv[2].endswith(".ods") else save_xlsx)(book, sys.argv[2])
