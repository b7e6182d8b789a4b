# With --write BOOK, writes a workbook whose first sheet has a formula
# reaching into the second. Otherwise prints the sheets that the formulas of
# BOOK reaching into other sheets name, as xlrd reads them: one line
# "first last" (0-based places) per reference.
#  sheet_references.py [--write] BOOK
import sys

if sys.argv[1] == "--write":
    import xlwt
    book = xlwt.Workbook()
    round_sheet = book.add_sheet("Round")
    book.add_sheet("Pear").write(0, 0, 21)
    round_sheet.write(0, 0, xlwt.Formula("Pear!A1*2"))
    book.save(sys.argv[2])
else:
    import xlrd
    for s, f, l in xlrd.open_workbook(sys.argv[1])._externsheet_info:
        print(f, l)
