"""Times the whole Octonus conversion through tarnwick-cli against xlrd
merely opening the same price workbook and reading every cell.

usage: octonus_bench.py --cli PATH --make-workbook PATH --work FOLDER
"""

import argparse
import os
import subprocess
import sys
import tempfile
import time

import xlrd

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_inputs import make_inputs  # noqa: E402

RUNS = 3


def best_of(fn):
    times = []
    for _ in range(RUNS):
        start = time.perf_counter()
        fn()
        times.append(time.perf_counter() - start)
    return min(times)


def xlrd_read_all(path):
    book = xlrd.open_workbook(path)
    cells = 0
    for sheet in book.sheets():
        for row in range(sheet.nrows):
            for value in sheet.row_values(row):
                cells += value is not None
    return cells


def convert(cli, folder, level, config):
    env = dict(os.environ, XDG_CONFIG_HOME=config)
    subprocess.run([cli, "--app-folder", folder, "--yes", "convert",
                    "--disc", str(level), "--space", "12", "--round", "2"],
                   check=True, env=env, stdout=subprocess.DEVNULL)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", required=True)
    parser.add_argument("--make-workbook", required=True)
    parser.add_argument("--work", required=True)
    args = parser.parse_args()

    make_inputs(args.work, args.make_workbook)
    price = os.path.join(args.work, "Price.xls")
    with tempfile.TemporaryDirectory() as config:
        xlrd_time = best_of(lambda: xlrd_read_all(price))
        level0 = best_of(lambda: convert(args.cli, args.work, 0, config))
        level5 = best_of(lambda: convert(args.cli, args.work, 5, config))

    print("Octonus conversion, 50 sheets x 24 tables of 10 x 11 "
          "(best of %d runs)" % RUNS)
    print("  xlrd: open Price.xls and read every cell  %8.3f s" % xlrd_time)
    print("  tarnwick-cli convert, 0 discount levels   %8.3f s  (%.1fx)"
          % (level0, xlrd_time / level0))
    print("  tarnwick-cli convert, 5 discount levels   %8.3f s  (%.1fx)"
          % (level5, xlrd_time / level5))
    print("  goal: 5 levels at least 5x faster than the xlrd read: %s"
          % ("met" if xlrd_time / level5 >= 5 else "NOT met"))


if __name__ == "__main__":
    main()
