# Writes a price-list-like workbook with xlwt: 300 rows of twelve numbers
# that fit RK records, runs of blank cells with a format of their own, and a
# heading in rich text (two fonts in one cell). LibreOffice saves it again as
# libreoffice-numbers.xls, with MULRK and MULBLANK records and the rich text in
# its shared string table.
import sys, xlwt

book = xlwt.Workbook()
sheet = book.add_sheet("Numbers")
bold = xlwt.Font()
bold.bold = True
sheet.write_rich_text(0, 0, ("Price ", ("list", bold), " 2026"))
shaded = xlwt.easyxf("pattern: pattern solid, fore_colour yellow")
for r in range(1, 301):
    for c in range(12):
        sheet.write(r, c, (r * 37 + c * 11) % 5000 + (c % 2) * 0.25)
    for c in range(12, 18):
        sheet.write(r, c, None, shaded)
book.save(sys.argv[1])
