"""The peers' side of the spreadsheet benchmark; prints seconds taken.
  peers_bench.py write OUT.xls SHEETS ROWS   xlwt writes the cells
  peers_bench.py read FILE.xls               xlrd reads every cell
The cells are those of spreadsheet_bench.cpp: column 1 a text, column 2 a
text from a short list, columns 3-13 numbers (whole and fractional)."""
import sys
import time

GRADES = ["IF", "VVS1", "VVS2", "VS1", "VS2", "SI1", "SI2", "I1"]


def cell(r, c):
    if c == 0:
        return "Row %d" % r
    if c == 1:
        return GRADES[r % len(GRADES)]
    if c % 2:
        return float(r * 13 + c)
    return (r * 13 + c) * 1.1


def write(path, sheets, rows):
    import xlwt
    start = time.perf_counter()
    book = xlwt.Workbook(encoding="utf-8")
    for s in range(sheets):
        sheet = book.add_sheet("Sheet %d" % (s + 1))
        for r in range(rows):
            for c in range(13):
                sheet.write(r, c, cell(r, c))
    book.save(path)
    return time.perf_counter() - start


def read(path):
    import xlrd
    start = time.perf_counter()
    book = xlrd.open_workbook(path)
    count = 0
    for sheet in book.sheets():
        for r in range(sheet.nrows):
            for value in sheet.row_values(r):
                if value != "":
                    count += 1
    return time.perf_counter() - start


if sys.argv[1] == "write":
    print("%.6f" % write(sys.argv[2], int(sys.argv[3]), int(sys.argv[4])))
else:
    print("%.6f" % read(sys.argv[2]))
