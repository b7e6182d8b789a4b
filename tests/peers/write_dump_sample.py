# Writes cells of every kind for tarnwick-cli dump: texts with TAB, CR, LF
# and a backslash, numbers, a truth value, a formula without a result, a
# blank formatted cell, a cell in the last column, an empty second sheet.
#  write_dump_sample.py BOOK
import sys, xlwt

book = xlwt.Workbook(encoding="utf-8")
s = book.add_sheet("Round")
s.write(0, 0, "Price\tlist\\ 1\r\n")
s.write(0, 2, 1234.5)
s.write(0, 1, 0.1 + 0.2)
s.write(2, 0, True)
s.write(2, 1, xlwt.Formula("1/0"))
s.write(3, 3, "", xlwt.easyxf("font: bold on"))
s.write(4, 255, -7)
book.add_sheet("\u041e\u0432\u0430\u043b")
book.save(sys.argv[1])
