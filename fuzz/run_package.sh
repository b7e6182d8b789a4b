#!/usr/bin/env bash
# Builds the fuzz target of the .xlsx or the .ods reader with clang
# (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer) and runs it on
# one core at the lowest priority; "scanner" runs the worksheet scanner
# beside libxml2 on the .xlsx reader's seeds.
#   fuzz/run_package.sh xlsx|ods|scanner [SECONDS]   (default 600)
# Seeds are the workbooks under tests/data/<format> and the XML parts inside
# them; findings land in fuzz/findings/<target>/ (copy them to
# tests/data/<format>/fuzz/, or tests/data/xlsx/scanner/, which CTest
# replays).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
target="$1"
seconds="${2:-600}"
format="$target" fuzzer="read_${target}_fuzzer"
if [ "$target" = scanner ]; then format=xlsx fuzzer=worksheet_scanner_fuzzer; fi
out="${FUZZ_BUILD:-$root/build-engine/fuzz}/$target"
findings="$root/fuzz/findings/$target"
mkdir -p "$out/corpus" "$findings"

sources=("$root"/src/core/utf8.cpp "$root"/src/core/letter_case.cpp
  "$root"/src/spreadsheet/xls/*.cpp "$root"/src/spreadsheet/package/*.cpp
  "$root"/src/spreadsheet/"$format"/*.cpp)
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined \
  -fno-sanitize-recover=undefined -I"$root/src" -I"$root" \
  $(pkg-config --cflags libgsf-1 libxml-2.0) \
  "$root/fuzz/$fuzzer.cpp" "${sources[@]}" \
  $(pkg-config --libs libgsf-1 libxml-2.0) -o "$out/$fuzzer"

# Seeds: whole workbooks, and the XML parts the target packs itself.
for f in "$root"/tests/data/"$format"/*."$format" "$root"/tests/data/"$format"/fuzz/* \
  "$root"/tests/data/xlsx/scanner/*; do
  [ -f "$f" ] || continue
  cp "$f" "$out/corpus/"
  /usr/bin/python3 - "$f" "$out/corpus/$(basename "$f")" "$format" <<'PY' || true
import sys, zipfile
path, prefix, fmt = sys.argv[1:4]
if not zipfile.is_zipfile(path):
    sys.exit(0)
z = zipfile.ZipFile(path)
names = z.namelist()
if fmt == "ods" and "content.xml" in names:
    open(prefix + ".content", "wb").write(z.read("content.xml"))
if fmt == "xlsx":
    strings = z.read("xl/sharedStrings.xml") if "xl/sharedStrings.xml" in names else b"<sst/>"
    for n in names:
        if n.startswith("xl/worksheets/sheet") and n.endswith(".xml"):
            open(prefix + "." + n.split("/")[-1], "wb").write(z.read(n) + b"\0" + strings)
PY
done

# libgsf leaks a few bytes on some damaged archives (inside g_malloc, out of
# Tarnwick's reach), so leak detection is off.
cd "$findings"
ASAN_OPTIONS=detect_leaks=0 nice -n 19 "$out/$fuzzer" -max_total_time="$seconds" \
  -timeout=30 -detect_leaks=0 -rss_limit_mb=2048 -max_len=65536 -print_final_stats=1 \
  -artifact_prefix="$findings/" $([ "$target" = scanner ] && echo -dict="$root/fuzz/xml.dict") \
  "$out/corpus"
