"""Times Tarnwick's .xlsx and .ods readers beside Python peers reading the
same workbook, and the Octonus conversion of the benchmark workbook (see
bench/octonus) saved as .xlsx and as .ods beside the .xls one.

usage: package_bench.py --cli PATH --make-workbook PATH --resave PATH
                        --work FOLDER
"""

import argparse
import os
import resource
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                "..", "octonus"))
from make_inputs import make_inputs  # noqa: E402

RUNS = 3
SHEETS, ROWS, COLUMNS = 20, 500, 13


def cpu_seconds():
    own = resource.getrusage(resource.RUSAGE_SELF)
    children = resource.getrusage(resource.RUSAGE_CHILDREN)
    return (own.ru_utime + own.ru_stime +
            children.ru_utime + children.ru_stime)


def best_of(fn):
    """The best wall-clock and CPU times of RUNS runs."""
    walls, cpus = [], []
    for _ in range(RUNS):
        wall, cpu = time.perf_counter(), cpu_seconds()
        fn()
        walls.append(time.perf_counter() - wall)
        cpus.append(cpu_seconds() - cpu)
    return min(walls), min(cpus)


def value(sheet, row, column):
    if column == 0:
        return "Row %d" % row
    if column % 4 == 3:
        return "Grade %d" % ((row * column) % 37)
    return round((sheet + 1) * 1000.0 / (row + column + 1), 4)


def make_workbooks(folder):
    xlsx = os.path.join(folder, "book.xlsx")
    ods = os.path.join(folder, "book.ods")
    if not os.path.exists(xlsx):
        import openpyxl
        book = openpyxl.Workbook(write_only=True)
        for s in range(SHEETS):
            sheet = book.create_sheet("Sheet %d" % (s + 1))
            for r in range(ROWS):
                sheet.append([value(s, r, c) for c in range(COLUMNS)])
        book.save(xlsx)
    if not os.path.exists(ods):
        from odf.opendocument import OpenDocumentSpreadsheet
        from odf.table import Table, TableCell, TableRow
        from odf.text import P
        book = OpenDocumentSpreadsheet()
        for s in range(SHEETS):
            table = Table(name="Sheet %d" % (s + 1))
            for r in range(ROWS):
                tr = TableRow()
                for c in range(COLUMNS):
                    v = value(s, r, c)
                    if isinstance(v, str):
                        cell = TableCell(valuetype="string")
                    else:
                        cell = TableCell(valuetype="float", value=repr(v))
                    cell.addElement(P(text=str(v)))
                    tr.addElement(cell)
                table.addElement(tr)
            book.spreadsheet.addElement(table)
        book.save(ods)
    return xlsx, ods


def openpyxl_read(path):
    import openpyxl
    book = openpyxl.load_workbook(path, read_only=True, data_only=True)
    cells = 0
    for sheet in book.worksheets:
        for row in sheet.iter_rows(values_only=True):
            cells += sum(v is not None for v in row)
    book.close()
    return cells


def odf_read(path):
    from odf.opendocument import load
    from odf.table import Table, TableCell, TableRow
    from odf import teletype
    cells = 0
    for table in load(path).spreadsheet.getElementsByType(Table):
        for row in table.getElementsByType(TableRow):
            for cell in row.getElementsByType(TableCell):
                cells += bool(cell.getAttribute("value") or
                              teletype.extractText(cell))
    return cells


def dump(cli, path):
    subprocess.run([cli, "dump", path], check=True, stdout=subprocess.DEVNULL)


def convert(cli, folder, config):
    env = dict(os.environ, XDG_CONFIG_HOME=config)
    subprocess.run([cli, "--app-folder", folder, "--yes", "convert",
                    "--disc", "5", "--space", "12", "--round", "2"],
                   check=True, env=env, stdout=subprocess.DEVNULL)


def report(title, rows, goal):
    print(title + " (best of %d runs)" % RUNS)
    print("  %-48s %8s %8s" % ("", "wall", "CPU"))
    for name, (wall, cpu) in rows:
        print("  %-48s %7.3fs %7.3fs" % (name, wall, cpu))
    print("  " + goal)


def main():
    parser = argparse.ArgumentParser()
    for option in ("--cli", "--make-workbook", "--resave", "--work"):
        parser.add_argument(option, required=True)
    args = parser.parse_args()
    os.makedirs(args.work, exist_ok=True)
    xlsx, ods = make_workbooks(args.work)

    peer_xlsx = best_of(lambda: openpyxl_read(xlsx))
    own_xlsx = best_of(lambda: dump(args.cli, xlsx))
    ratio = peer_xlsx[1] / own_xlsx[1]
    report("Reading %d sheets x %d rows x %d columns, .xlsx"
           % (SHEETS, ROWS, COLUMNS),
           [("python3-openpyxl, read-only, every cell", peer_xlsx),
            ("tarnwick-cli dump", own_xlsx)],
           "CPU ratio %.1fx; goal at least 10x: %s"
           % (ratio, "met" if ratio >= 10 else "not met"))

    peer_ods = best_of(lambda: odf_read(ods))
    own_ods = best_of(lambda: dump(args.cli, ods))
    report("Reading the same workbook, .ods",
           [("python3-odf, every cell", peer_ods),
            ("tarnwick-cli dump", own_ods)],
           "CPU ratio %.1fx" % (peer_ods[1] / own_ods[1]))

    # The conversion benchmark's workbooks, and the same saved as .xlsx and
    # as .ods.
    xls_folder = os.path.join(args.work, "xls")
    make_inputs(xls_folder, args.make_workbook)
    folders = {}
    for suffix in ("xlsx", "ods"):
        folders[suffix] = os.path.join(args.work, suffix)
        os.makedirs(folders[suffix], exist_ok=True)
        for book in ["Price"] + ["Discount%d" % k for k in range(1, 6)]:
            target = os.path.join(folders[suffix], book + "." + suffix)
            if not os.path.exists(target):
                subprocess.run([sys.executable, args.resave,
                                os.path.join(xls_folder, book + ".xls"),
                                target], check=True)
    with tempfile.TemporaryDirectory() as config:
        from_xls = best_of(lambda: convert(args.cli, xls_folder, config))
        times = {suffix: best_of(lambda: convert(args.cli, folder, config))
                 for suffix, folder in folders.items()}
    ratios = {suffix: times[suffix][1] / from_xls[1] for suffix in times}
    report("Conversion of 50 sheets, 5 discount levels",
           [("tarnwick-cli convert, .xls workbooks", from_xls)] +
           [("tarnwick-cli convert, .%s workbooks" % suffix, times[suffix])
            for suffix in times],
           ".xlsx/.xls CPU %.2fx (goal at most 3x: %s); .ods/.xls CPU %.2fx"
           % (ratios["xlsx"], "met" if ratios["xlsx"] <= 3 else "not met",
              ratios["ods"]))
    for name in sorted(os.listdir(xls_folder)):
        if name.endswith(".txt"):
            with open(os.path.join(xls_folder, name), "rb") as a:
                expected = a.read()
            for suffix, folder in folders.items():
                with open(os.path.join(folder, name), "rb") as b:
                    if b.read() != expected:
                        sys.exit("tables differ: %s from .%s" % (name, suffix))


if __name__ == "__main__":
    main()
