# Prints every cell of a workbook as xlrd reads it: "row,col=type:value"
# under a "[sheet]" line.
#  xlrd_cells.py BOOK
import sys, xlrd
book = xlrd.open_workbook(sys.argv[1])
for s in book.sheets():
    print("[%s]" % s.name)
    for r in range(s.nrows):
        for c in range(s.ncols):
            cell = s.cell(r, c)
            if cell.ctype != xlrd.XL_CELL_EMPTY:
                print("%d,%d=%d:%r" % (r + 1, c + 1, cell.ctype, cell.value))
