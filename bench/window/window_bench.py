"""Converts the same price workbook through the window (offscreen) and
through tarnwick-cli and sets their CPU and wall-clock times side by side.
The goal: the window takes at most 1.3 times the CPU of the command line.

usage: window_bench.py --cli PATH --window-bench PATH --make-workbook PATH
                       --work FOLDER
"""

import argparse
import os
import resource
import subprocess
import time

SHEETS = 320
TABLES = 4
COLOURS = ["D", "E", "F", "G", "H", "I", "J", "K", "L", "M"]
CLARITIES = ["IF", "VVS1", "VVS2", "VS1", "VS2", "SI1", "SI2", "SI3",
             "I1", "I2", "I3"]
RUNS = 3
SETTINGS = "[General]\nmSpace=12\ncRound=1\nrDecimalPoint=2\nDisc=0\n"


def children_cpu():
    used = resource.getrusage(resource.RUSAGE_CHILDREN)
    return used.ru_utime + used.ru_stime


def price_rows(sheet):
    rows = ["Tables:\t%d" % TABLES]
    for table in range(TABLES):
        low = 0.3 + 0.1 * table
        rows += ["FORMAT:\t%d\t%d" % (len(CLARITIES), len(COLOURS)),
                 "MASS:\t%.2f\t%.2f" % (low, low + 0.09), "MAGNIFY:\t1",
                 "\t" + "\t".join(CLARITIES)]
        for ci, colour in enumerate(COLOURS):
            prices = ["%.1f" % ((2600 + 9000 * low * low) * (1 - 0.06 * ci) *
                                (1 - 0.07 * ki) * (1 + 0.001 * sheet))
                      for ki in range(len(CLARITIES))]
            rows.append(colour + "\t" + "\t".join(prices))
    rows.append("End Price")
    return rows


def make_price(folder, make_workbook):
    price = os.path.join(folder, "Price.xls")
    if os.path.exists(price):
        return
    os.makedirs(folder, exist_ok=True)
    source = os.path.join(folder, "Price.sheets")
    with open(source, "w", encoding="utf-8") as out:
        for sheet in range(SHEETS):
            out.write("[Sheet %03d]\n" % (sheet + 1))
            out.write("\n".join(price_rows(sheet)) + "\n")
    subprocess.run([make_workbook, source, price], check=True)


def timed(command, env):
    """Wall and CPU seconds of the best of RUNS runs, and every output."""
    best_wall, best_cpu, outputs = None, None, []
    for _ in range(RUNS):
        wall, cpu = time.perf_counter(), children_cpu()
        outputs.append(subprocess.run(command, check=True, env=env,
                                      stdout=subprocess.PIPE,
                                      text=True).stdout)
        wall, cpu = time.perf_counter() - wall, children_cpu() - cpu
        best_wall = wall if best_wall is None else min(best_wall, wall)
        best_cpu = cpu if best_cpu is None else min(best_cpu, cpu)
    return best_wall, best_cpu, outputs


def main():
    parser = argparse.ArgumentParser()
    for option in ("--cli", "--window-bench", "--make-workbook", "--work"):
        parser.add_argument(option, required=True)
    args = parser.parse_args()

    make_price(args.work, args.make_workbook)
    config = os.path.join(args.work, "config")
    os.makedirs(os.path.join(config, "Tarnwick"), exist_ok=True)
    with open(os.path.join(config, "Tarnwick", "Settings.conf"), "w") as out:
        out.write(SETTINGS)
    env = dict(os.environ, XDG_CONFIG_HOME=config, QT_QPA_PLATFORM="offscreen")

    cli = timed([args.cli, "--app-folder", args.work, "convert"], env)
    window = timed([args.window_bench, args.work], env)
    # The window's own figures for its two clicks, without Qt's start-up:
    # the best of the runs, as for the whole processes.
    clicks = [output.split() for output in window[2]]
    sheets = clicks[0][0]
    click_wall = min(float(run[1]) for run in clicks)
    click_cpu = min(float(run[2]) for run in clicks)
    read_cpu = min((run[3] for run in clicks), key=float)

    print("Read Price File + Convert of %s sheets x %d tables of %d x %d "
          "(best of %d runs)" % (sheets, TABLES, len(COLOURS), len(CLARITIES),
                                 RUNS))
    print("  %-40s %8s %8s" % ("", "wall s", "CPU s"))
    for name, wall, cpu in (
            ("tarnwick-cli convert (whole process)", cli[0], cli[1]),
            ("window offscreen (whole process)", window[0], window[1]),
            ("window offscreen (the two clicks)", click_wall, click_cpu)):
        print("  %-40s %8.3f %8.3f" % (name, wall, cpu))
    print("  of which Read Price File in the window: CPU %s s" % read_cpu)
    print("  CPU of the window's clicks / CPU of tarnwick-cli: %.2f "
          "(goal: at most 1.3)" % (click_cpu / cli[1]))


if __name__ == "__main__":
    main()
