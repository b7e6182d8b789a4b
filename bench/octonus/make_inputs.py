"""Writes the benchmark's price workbook and five discount workbooks.

By default 50 sheets, each with 24 price tables of 10 colours x 11
clarities, as readable .sheets sources, turned into .xls by
tarnwick-make-workbook; the large case has 8 sheets of 2,184 tables
(32,762 rows, about the most a sheet holds).
"""

import os
import subprocess

SHEETS = 50
TABLES = 24
COLOURS = ["D", "E", "F", "G", "H", "I", "J", "K", "L", "M"]
CLARITIES = ["IF", "VVS1", "VVS2", "VS1", "VS2", "SI1", "SI2", "SI3",
             "I1", "I2", "I3"]
LEVEL_FACTORS = ["0.95", "0.98", "0.9", "0.97", "0.99"]


def price_rows(sheet, tables):
    rows = ["Tables:\t%d" % tables]
    for table in range(tables):
        # Masses repeat every 24 tables, so that prices keep to the width.
        low = 0.3 + 0.1 * (table % TABLES)
        rows.append("")
        rows.append("FORMAT:\t%d\t%d" % (len(CLARITIES), len(COLOURS)))
        rows.append("MASS:\t%.2f\t%.2f" % (low, low + 0.09))
        rows.append("MAGNIFY:\t1")
        rows.append("\t" + "\t".join(CLARITIES))
        for ci, colour in enumerate(COLOURS):
            prices = []
            for ki in range(len(CLARITIES)):
                p = (2600 + 9000 * low * low) * (1 - 0.06 * ci) * \
                    (1 - 0.07 * ki) * (1 + 0.001 * sheet)
                prices.append("%.1f" % p)
            rows.append(colour + "\t" + "\t".join(prices))
    rows.append("End Price")
    return rows


def discount_rows(factor, tables):
    rows = []
    for table in range(tables):
        rows += ["", "", "", "", ""]
        for _ in COLOURS:
            rows.append("\t" + "\t".join([factor] * len(CLARITIES)))
    # Price rows start one row lower: the Tables: row comes first.
    return [""] + rows


def write_source(path, sheets):
    with open(path, "w", encoding="utf-8") as out:
        for name, rows in sheets:
            out.write("[%s]\n" % name)
            out.write("\n".join(rows) + "\n")


def make_inputs(folder, make_workbook, sheets=SHEETS, tables=TABLES):
    """Makes Price.xls and Discount1..5.xls in `folder` unless present."""
    os.makedirs(folder, exist_ok=True)
    names = ["Sheet %02d" % (i + 1) for i in range(sheets)]
    books = {"Price": [(n, price_rows(i, tables))
                       for i, n in enumerate(names)]}
    for level, factor in enumerate(LEVEL_FACTORS, start=1):
        rows = discount_rows(factor, tables)
        books["Discount%d" % level] = [(n, rows) for n in names]
    for book, sheets in books.items():
        target = os.path.join(folder, book + ".xls")
        if os.path.exists(target):
            continue
        source = os.path.join(folder, book + ".sheets")
        write_source(source, sheets)
        subprocess.run([make_workbook, source, target], check=True)
