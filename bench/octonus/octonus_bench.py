"""Times the whole Octonus conversion through tarnwick-cli against xlrd
merely opening the same price workbook and reading every cell, then the
conversion of a workbook of 8 sheets as long as a sheet goes.

usage: octonus_bench.py --cli PATH --make-workbook PATH --work FOLDER
"""

import argparse
import os
import resource
import subprocess
import sys
import tempfile
import time

import xlrd

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_inputs import make_inputs  # noqa: E402

RUNS = 3


def own_cpu_seconds():
    own = resource.getrusage(resource.RUSAGE_SELF)
    return own.ru_utime + own.ru_stime


def xlrd_read_all(path):
    """Wall and CPU seconds of xlrd reading every cell, in this process."""
    wall, cpu = time.perf_counter(), own_cpu_seconds()
    book = xlrd.open_workbook(path)
    cells = 0
    for sheet in book.sheets():
        for row in range(sheet.nrows):
            for value in sheet.row_values(row):
                cells += value is not None
    return (time.perf_counter() - wall, own_cpu_seconds() - cpu,
            resource.getrusage(resource.RUSAGE_SELF).ru_maxrss)


def convert(cli, folder, level, config):
    """Wall seconds, CPU seconds (user + system) and peak memory (KiB) of
    one tarnwick-cli run, from the rusage of that process alone."""
    env = dict(os.environ, XDG_CONFIG_HOME=config)
    wall = time.perf_counter()
    child = subprocess.Popen(
        [cli, "--app-folder", folder, "--yes", "convert", "--disc",
         str(level), "--space", "12", "--round", "2"],
        env=env, stdout=subprocess.DEVNULL)
    _, status, usage = os.wait4(child.pid, 0)
    wall = time.perf_counter() - wall
    child.returncode = os.waitstatus_to_exitcode(status)
    if child.returncode != 0:
        raise SystemExit("tarnwick-cli convert failed: %d" % child.returncode)
    return wall, usage.ru_utime + usage.ru_stime, usage.ru_maxrss


def best_of(fn):
    """The best wall, CPU and peak memory of RUNS runs."""
    results = [fn() for _ in range(RUNS)]
    return tuple(min(r[i] for r in results) for i in range(3))


def report(title, rows, reference=None):
    print(title + " (best of %d runs)" % RUNS)
    print("  %-42s %8s %8s %9s %9s" % ("", "wall", "CPU", "peak MiB",
                                         "CPU ratio"))
    for name, (wall, cpu, rss) in rows:
        ratio = "%8.1fx" % (reference / cpu) if reference else ""
        print("  %-42s %7.3fs %7.3fs %9.0f %9s"
              % (name, wall, cpu, rss / 1024, ratio))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", required=True)
    parser.add_argument("--make-workbook", required=True)
    parser.add_argument("--work", required=True)
    args = parser.parse_args()

    wide = os.path.join(args.work, "50-sheets")
    tall = os.path.join(args.work, "8-long-sheets")
    make_inputs(wide, args.make_workbook)
    make_inputs(tall, args.make_workbook, sheets=8, tables=2184)
    # The conversions run first: a process started from this one counts
    # this one's memory in its own peak, and xlrd's workbook is big.
    with tempfile.TemporaryDirectory() as config:
        level0 = best_of(lambda: convert(args.cli, wide, 0, config))
        level5 = best_of(lambda: convert(args.cli, wide, 5, config))
        tall5 = best_of(lambda: convert(args.cli, tall, 5, config))
    xlrd_time = best_of(lambda: xlrd_read_all(os.path.join(wide, "Price.xls")))

    report("Octonus conversion, 50 sheets x 24 tables of 10 x 11",
           [("xlrd: open Price.xls and read every cell", xlrd_time),
            ("tarnwick-cli convert, 0 discount levels", level0),
            ("tarnwick-cli convert, 5 discount levels", level5)],
           reference=xlrd_time[1])
    ratio = xlrd_time[1] / level5[1]
    print("  goal: 5 levels at least 5x less CPU than the xlrd read: %s"
          % ("met" if ratio >= 5 else "not met"))
    print("  (xlrd's peak memory is the Python process's own)")
    print()
    report("Octonus conversion, 8 sheets x 2,184 tables (32,762 rows)",
           [("tarnwick-cli convert, 5 discount levels", tall5)])
    print("  goal: peak memory at most 150 MiB: %s"
          % ("met" if tall5[2] <= 150 * 1024 else "not met"))


if __name__ == "__main__":
    main()
