# Writes a template as users make them: a bold heading, a number format, a
# wide column, a merged range, a formula, a formatted column, a tall row and a
# second sheet.
#  write_template.py BOOK
import sys, xlwt

book = xlwt.Workbook(encoding="utf-8")
s = book.add_sheet("Round")
s.write(0, 0, "Heading", xlwt.easyxf("font: bold on"))
s.write(1, 1, 1.5, xlwt.easyxf(num_format_str="0.00"))
s.write(1, 3, xlwt.Formula("B2*2"))
s.write_merge(3, 3, 0, 2, "merged")
s.col(1).width = 5000
s.col(4).set_style(xlwt.easyxf(num_format_str="0.000"))
s.col(4).width = 3000
s.row(6).height_mismatch = True
s.row(6).height = 600
book.add_sheet("Pear").write(0, 0, "untouched")
book.save(sys.argv[1])
