# Prints what xlrd reads from a workbook, one line per sheet and per
# non-empty cell, fields separated by TAB:
#  sheet <index> <name>
#  <row> <column> <kind n|s|b|e> <value>
# Numbers that are whole print without a point, others with repr(); texts
# escape backslash, TAB, CR and LF. With --formatting, cells also print their
# font's boldness and number format (texts in rich text the start and
# boldness of each run), and each sheet its merged ranges and column widths
# and the heights of rows that have their own.
#  xlrd_dump.py [--formatting] BOOK
import sys, xlrd


def escape(text):
    return (text.replace("\\", "\\\\").replace("\t", "\\t")
            .replace("\r", "\\r").replace("\n", "\\n"))


def number(value):
    whole = value == int(value) and abs(value) < 1e15
    return str(int(value)) if whole else repr(float(value))


if __name__ == "__main__":
    path, formatting = sys.argv[-1], "--formatting" in sys.argv
    shown = {xlrd.XL_CELL_NUMBER: ("n", number), xlrd.XL_CELL_TEXT: ("s", escape),
             xlrd.XL_CELL_BOOLEAN: ("b", lambda v: "TRUE" if v else "FALSE"),
             xlrd.XL_CELL_ERROR: ("e", lambda v: xlrd.error_text_from_code[v])}
    book = xlrd.open_workbook(path, formatting_info=formatting)
    out = []
    for index, sheet in enumerate(book.sheets(), 1):
        out.append("sheet\t%d\t%s" % (index, escape(sheet.name)))
        if formatting:
            out += ["merged\t%d\t%d\t%d\t%d" % (rlo + 1, rhi, clo + 1, chi)
                    for rlo, rhi, clo, chi in sheet.merged_cells]
            out += ["width\t%d\t%d" % (col + 1, info.width)
                    for col, info in sorted(sheet.colinfo_map.items())]
            out += ["height\t%d\t%d" % (row + 1, info.height)
                    for row, info in sorted(sheet.rowinfo_map.items())
                    if info.height_mismatch]
        for r in range(sheet.nrows):
            for c in range(sheet.ncols):
                cell = sheet.cell(r, c)
                if cell.ctype in shown:
                    kind, show = shown[cell.ctype]
                    line = "%d\t%d\t%s\t%s" % (r + 1, c + 1, kind, show(cell.value))
                elif formatting and cell.ctype == xlrd.XL_CELL_BLANK:
                    line = "%d\t%d\tblank" % (r + 1, c + 1)
                else:
                    continue
                if formatting:
                    xf = book.xf_list[cell.xf_index]
                    line += "\tbold=%d\tformat=%s" % (
                        book.font_list[xf.font_index].bold,
                        book.format_map[xf.format_key].format_str)
                for start, font in sheet.rich_text_runlist_map.get((r, c), []):
                    line += "\trun=%d:%d" % (start, book.font_list[font].bold)
                out.append(line)
    sys.stdout.write("\n".join(out) + "\n")
