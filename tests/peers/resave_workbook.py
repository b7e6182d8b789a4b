# Saves an .xls workbook again as .xlsx (python3-openpyxl) or .ods
# (python3-odf), cell by cell, as a user re-saving it in another format:
# the same sheets, numbers as numbers, texts as texts, truth values.
#    resave_workbook.py IN.xls OUT.xlsx|OUT.ods
import sys

import openpyxl, xlrd
from odf.opendocument import OpenDocumentSpreadsheet
from odf.table import Table, TableCell, TableRow
from odf.teletype import addTextToElement
from odf.text import P


def rows(sheet):
    for r in range(sheet.nrows):
        yield [bool(c.value) if c.ctype == xlrd.XL_CELL_BOOLEAN else
               c.value if c.ctype in (xlrd.XL_CELL_NUMBER, xlrd.XL_CELL_TEXT)
               else None for c in sheet.row(r)]


def ods_cell(value):
    if value is None:
        return TableCell()
    if isinstance(value, bool):
        return TableCell(valuetype="boolean", booleanvalue=str(value).lower())
    if isinstance(value, float):
        cell, value = TableCell(valuetype="float", value=repr(value)), repr(value)
    else:
        cell = TableCell(valuetype="string")
    p = P()
    addTextToElement(p, value)
    cell.addElement(p)
    return cell


book, path = xlrd.open_workbook(sys.argv[1]), sys.argv[2]
if path.endswith(".ods"):
    out = OpenDocumentSpreadsheet()
    for sheet in book.sheets():
        table = Table(name=sheet.name)
        for row in rows(sheet):
            table.addElement(tr := TableRow())
            for value in row:
                tr.addElement(ods_cell(value))
        out.spreadsheet.addElement(table)
else:
    out = openpyxl.Workbook()
    out.remove(out.active)
    for sheet in book.sheets():
        target = out.create_sheet(sheet.name)
        for row in rows(sheet):
            target.append(row)
out.save(path)
