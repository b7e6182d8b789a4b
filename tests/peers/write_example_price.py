# Writes the example price sheet as xlwt writes it: numbers as numbers,
# texts as texts, End Price last.
#  write_example_price.py BOOK NAME...   one sheet for every name
import sys, xlwt
book = xlwt.Workbook()
for name in sys.argv[2:]:
    sheet = book.add_sheet(name)
    rows = [["TABLES:", 1], ["FORMAT:", 3, 2], ["MASS:", 0.3, 0.39],
            ["MAGNIFY:", 1], [None, "X1", "X2", "X3"],
            ["R1", 12500, 11000, 9800], ["R2", 11000, 9900, 8800],
            ["End Price"]]
    for r, row in enumerate(rows):
        for c, value in enumerate(row):
            if value is not None:
                sheet.write(r, c, value)
book.save(sys.argv[1])
