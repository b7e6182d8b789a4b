"""The CSV import end to end through tarnwick-cli, beside Python's csv module
merely reading the same files.

Cases: 200 price lists of 2,000 records each, imported in one run; 200 and
2,000 lists of 200 records, to show that a file costs the same however many
there are; and one
list of 200,000 records in full tables of 26 colours x 11 clarities, so that
it fits one sheet, with smaller cuts of it to show how the time grows.
"""

import argparse
import csv
import os
import resource
import shutil
import subprocess
import time

CLARITIES = "IF VVS1 VVS2 VS1 VS2 SI1 SI2 SI3 I1 I2 I3".split()
# 26 colours: one full grid of a table.
COLOURS = [chr(c) for c in range(ord("A"), ord("Z") + 1)]


def write_list(path, records):
    """`records` records in tables of 286, each with its own mass range."""
    with open(path, "w", newline="") as f:
        n = 0
        table = 0
        while n < records:
            low = 0.01 * (table + 1)
            for colour in COLOURS:
                for i, clarity in enumerate(CLARITIES):
                    if n == records:
                        break
                    price = 1000 + (n * 37) % 90000
                    f.write("BR,%s,%s,%.2f,%.2f,%d,USD\r\n" %
                            (clarity, colour, low, low + 0.009, price))
                    n += 1
            table += 1


def make_app_folder(app, built_app):
    os.makedirs(os.path.join(app, "System"), exist_ok=True)
    shutil.copy(os.path.join(built_app, "System", "CSVTemplate.xls"),
                os.path.join(app, "System", "CSVTemplate.xls"))
    with open(os.path.join(app, "System", "Color.txt"), "w", newline="") as f:
        f.write("".join(c + "\r\n" for c in COLOURS))
    with open(os.path.join(app, "System", "Clarity.txt"), "w", newline="") as f:
        f.write("".join(c + "\r\n" for c in CLARITIES))


# Each measure gives (wall seconds, processor seconds): the machine may be
# shared, and the processor time shows the work itself.
def python_read(folder):
    start, cpu = time.perf_counter(), time.process_time()
    rows = 0
    for name in sorted(os.listdir(folder)):
        with open(os.path.join(folder, name), newline="",
                  encoding="cp1252") as f:
            for _ in csv.reader(f):
                rows += 1
    return time.perf_counter() - start, time.process_time() - cpu


def import_time(cli, app, folder):
    price = os.path.join(app, "Price.xls")
    if os.path.exists(price):
        os.remove(price)
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    result = subprocess.run([cli, "--app-folder", app, "--no", "import-csv",
                             folder], capture_output=True, text=True)
    elapsed = time.perf_counter() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    if result.returncode != 0 or not os.path.exists(price):
        raise SystemExit("import failed: %s" % result.stderr)
    cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    return elapsed, cpu


def best_of(runs, fn):
    results = [fn() for _ in range(runs)]
    return min(r[0] for r in results), min(r[1] for r in results)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", required=True)
    parser.add_argument("--app", required=True, help="the built Tarnwick folder")
    parser.add_argument("--work", required=True)
    parser.add_argument("--runs", type=int, default=3)
    args = parser.parse_args()

    shutil.rmtree(args.work, ignore_errors=True)
    app = os.path.join(args.work, "app")
    make_app_folder(app, args.app)

    many = os.path.join(args.work, "many")
    os.makedirs(many)
    for i in range(200):
        write_list(os.path.join(many, "L%03d.csv" % i), 2000)

    print("best of %d runs; wall seconds, and processor seconds in brackets"
          % args.runs)
    print("case                   records        import          csv read"
          "      ratio (cpu)")

    def report(label, folder, records):
        imp = best_of(args.runs, lambda: import_time(args.cli, app, folder))
        read = best_of(args.runs, lambda: python_read(folder))
        print("%-20s %9d %7.3f (%5.3f) %7.3f (%5.3f) %5.2f (%4.2f)" %
              (label, records, imp[0], imp[1], read[0], read[1],
               imp[0] / read[0], imp[1] / read[1]))
        return imp, read

    report("200 files x 2,000", many, 400000)
    # The cost of a file must not grow with the number of files (sheets).
    per_file = []
    for count in (200, 2000):
        folder = os.path.join(args.work, "files-%d" % count)
        os.makedirs(folder)
        for i in range(count):
            write_list(os.path.join(folder, "L%04d.csv" % i), 200)
        imp, read = report("%d files x 200" % count, folder, 200 * count)
        per_file.append((count, imp))
    print("cost of a file (200 records), milliseconds")
    for count, (wall, cpu) in per_file:
        print("  %5d files: %5.3f wall, %5.3f processor"
              % (count, 1e3 * wall / count, 1e3 * cpu / count))
    growth = (per_file[1][1][1] / 2000) / (per_file[0][1][1] / 200)
    print("  processor cost of a file at 2,000 files / at 200: %.2f "
          "(goal: at most 1.2)" % growth)
    print("csv read / import processor time at 2,000 files: %.2f "
          "(goal: at least 1.5)" % (read[1] / imp[1]))
    sizes = [25000, 50000, 100000, 200000]
    results = []
    for size in sizes:
        folder = os.path.join(args.work, "one-%d" % size)
        os.makedirs(folder)
        write_list(os.path.join(folder, "Big.csv"), size)
        results.append(report("1 file x %d" % size, folder, size)[0])
    print("growth: microseconds per record of the one-file import")
    for size, (wall, cpu) in zip(sizes, results):
        print("  %7d records: %5.2f wall, %5.2f processor" %
              (size, 1e6 * wall / size, 1e6 * cpu / size))

if __name__ == "__main__":
    main()
