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
        for r, row in enumerate(cells(sheet), 1):
            for c, value in enumerate(row, 1):
                if value is not None:
                    target.cell(row=r, column=c, value=value)
    out.save(path)


def save_ods(book, path):
    from odf.opendocument import OpenDocumentSpreadsheet
    from odf.table import Table, TableCell, TableRow
    from odf.teletype import addTextToElement
    from odf.text import P
    out = OpenDocumentSpreadsheet()
    for sheet in book.sheets():
        table = Table(name=sheet.name)
        for row in cells(sheet):
            tr = TableRow()
            for value in row:
                if value is None:
                    tr.addElement(TableCell())
                elif isinstance(value, bool):
                    tr.addElement(TableCell(valuetype="boolean",
                                            booleanvalue=str(value).lower()))
                elif isinstance(value, float):
                    cell = TableCell(valuetype="float", value=repr(value))
                    cell.addElement(P(text=repr(value)))
                    tr.addElement(cell)
                else:
                    cell = TableCell(valuetype="string")
                    p = P()
                    addTextToElement(p, value)
                    cell.addElement(p)
                    tr.addElement(cell)
            table.addElement(tr)
        out.spreadsheet.addElement(table)
    out.save(path)


book = xlrd.open_workbook(sys.argv[1])
(save_ods if sys.argv[2].endswith(".ods") else save_xlsx)(book, sys.argv[2])
