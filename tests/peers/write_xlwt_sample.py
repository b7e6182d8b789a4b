# Writes numbers that need RK and numbers that do not, shared strings over
# many CONTINUE records, wide and narrow texts, and a cell in the last row.
#  write_xlwt_sample.py BOOK
import sys, xlwt

book = xlwt.Workbook(encoding="utf-8")
s = book.add_sheet("\u00c9meraude \u5149")
numbers = [0, 1, -1, 536870911, -536870912, 536870912, 0.5, 12.34,
           1234567.89, 1e-300, 3.141592653589793, -0.001, 1e16, 2.5e-5]
for i, x in enumerate(numbers):
    s.write(i, 0, x)
for i in range(20000):
    s.write(i // 100, 1 + i % 100, "text %d \u20ac" % i if i % 2 else "t%d" % i)
s.write(300, 0, "\u0416" * 5000)
s.write(301, 0, "x" * 9000)
s.write(302, 0, False)
book.add_sheet("Second").write(65535, 0, "corner")
book.save(sys.argv[1])
