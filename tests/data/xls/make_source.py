# Writes fixture-source.xls with xlwt: the workbook that LibreOffice and
# Gnumeric open and save again as their own fixtures (see README.md).
import sys, xlwt

book = xlwt.Workbook(encoding="utf-8")
bold = xlwt.easyxf("font: bold on")
money = xlwt.easyxf(num_format_str="0.00")
prices = book.add_sheet("Prices")
# Row, column, value and style, counting from 0.
for cell in [(0, 0, "Round", bold), (0, 1, "D"), (0, 2, "E"), (1, 0, "IF"),
             (1, 1, 1234.5, money), (1, 2, 17), (1, 3, xlwt.Formula("B2*2")),
             (2, 0, 0.1), (2, 1, -42), (2, 2, 123456789.25)]:
    prices.write(*cell)
prices.write_merge(3, 3, 0, 2, "merged across A4:C4")
prices.write(4, 0, True)
prices.write(4, 1, "Caf\u00e9 \u20ac \u041e\u0432\u0430\u043b")
prices.col(1).width = 5000
other = book.add_sheet("Ov\u00e1l \u00d8")
other.write(0, 0, "\u5149")
other.write(9, 4, 2.5)
book.save(sys.argv[1])
