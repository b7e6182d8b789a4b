# Prints what xlrd reads from a workbook, one line per sheet and per
# non-empty cell, fields separated by TAB:
#  sheet <index> <name>
#  <row> <column> <kind n|s|b|e> <value>
# Numbers that are whole print without a point, others with repr(); texts
# escape backslash, TAB, CR and LF. With --formatting, cells also print their
# font's boldness and number format (texts in rich text the start and
# boldness of each run), and each sheet its merged ranges and column widths
# and the heights of rows that have their own.
import sys

import xlrd


def escape(text):
    return (text.replace("\\", "\\\\").replace("\t", "\\t")
            .replace("\r", "\\r").replace("\n", "\\n"))


def number(value):
    if value == int(value) and abs(value) < 1e15:
        return str(int(value))
    return repr(float(value))


SHOWN = {
    xlrd.XL_CELL_NUMBER: ("n", number),
    xlrd.XL_CELL_TEXT: ("s", escape),
    xlrd.XL_CELL_BOOLEAN: ("b", lambda v: "TRUE" if v else "FALSE"),
    xlrd.XL_CELL_ERROR: ("e", lambda v: xlrd.error_text_from_code[v]),
}


def main():
    formatting = "--formatting" in sys.argv
    path = [a for a in sys.argv[1:] if not a.startswith("--")][0]
    book = xlrd.open_workbook(path, formatting_info=formatting)
    out = []
    for index, sheet in enumerate(book.sheets(), 1):
        out.append("sheet\t%d\t%s" % (index, escape(sheet.name)))
        if formatting:
            for rlo, rhi, clo, chi in sheet.merged_cells:
                out.append("merged\t%d\t%d\t%d\t%d" % (rlo + 1, rhi, clo + 1, chi))
            for col, info in sorted(sheet.colinfo_map.items()):
                out.append("width\t%d\t%d" % (col + 1, info.width))
            for row, info in sorted(sheet.rowinfo_map.items()):
                if info.height_mismatch:
                    out.append("height\t%d\t%d" % (row + 1, info.height))
        for r in range(sheet.nrows):
            for c in range(sheet.ncols):
                cell = sheet.cell(r, c)
                line = "%d\t%d\t" % (r + 1, c + 1)
                if cell.ctype in SHOWN:
                    kind, show = SHOWN[cell.ctype]
                    line += kind + "\t" + show(cell.value)
                elif formatting and cell.ctype == xlrd.XL_CELL_BLANK:
                    line += "blank"
                else:
                    continue
                if formatting:
                    xf = book.xf_list[cell.xf_index]
                    font = book.font_list[xf.font_index]
                    fmt = book.format_map[xf.format_key].format_str
                    line += "\tbold=%d\tformat=%s" % (font.bold, fmt)
                for start, font_index in sheet.rich_text_runlist_map.get((r, c), []):
                    line += "\trun=%d:%d" % (start, book.font_list[font_index].bold)
                out.append(line)
    sys.stdout.write("\n".join(out) + "\n")


if __name__ == "__main__":
    main()
