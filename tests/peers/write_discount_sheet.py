# Writes a discount sheet as people keep them, and every other kind of cell
# besides: whole and fractional factors, a percentage typed as text, a blank
# formatted cell, a truth value, an error, a row of numbers xlwt writes as one
# MULRK; with --formulas, a formula too.
#  write_discount_sheet.py BOOK [--formulas]
import sys, xlwt

book = xlwt.Workbook(encoding="utf-8")
s = book.add_sheet("Round")
s.write(0, 0, "Discount")
for r in range(1, 6):
    for c in range(1, 8):
        s.write(r, c, [0.95, 1, 0.9, 97, -0.5, 1e-7, 123456789.25][c - 1])
s.write(6, 1, "10 %")
s.write(6, 2, "", xlwt.easyxf("font: bold on"))
s.write(6, 3, True)
s.write(6, 4, xlwt.ErrorCode("#N/A") if hasattr(xlwt, "ErrorCode") else 7)
s.write(8, 9, 0.5)
if "--formulas" in sys.argv:
    s.write(7, 1, xlwt.Formula("B2*2"))
book.save(sys.argv[1])
