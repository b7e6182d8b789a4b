#!/usr/bin/env bash
# Builds the reader's fuzz target with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs it on one core at the lowest priority.
#   fuzz/run.sh [SECONDS]   (default 600)
# Seeds are the workbooks under tests/data/xls and their Workbook streams;
# findings land in fuzz/findings/ (copy them to tests/data/xls/fuzz/, where
# the tests read every one).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="${FUZZ_BUILD:-$root/build-engine/fuzz}"
seconds="${1:-600}"
mkdir -p "$out/corpus" "$root/fuzz/findings"

sources=("$root"/src/spreadsheet/xls/*.cpp "$root"/src/core/utf8.cpp
  "$root"/src/core/letter_case.cpp)
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined \
  -fno-sanitize-recover=undefined -I"$root/src" \
  $(pkg-config --cflags libgsf-1) \
  "$root/fuzz/read_workbook_fuzzer.cpp" "${sources[@]}" \
  $(pkg-config --libs libgsf-1) -o "$out/read_workbook_fuzzer"

# libgsf leaks a few bytes on some damaged directories (inside g_malloc,
# out of Tarnwick's reach), so leak detection is off; memory errors and
# undefined behaviour still stop the run.

# Seeds: whole files, and their Workbook streams alone.
for f in "$root"/tests/data/xls/*.xls "$root"/tests/data/xls/fuzz/*; do
  [ -f "$f" ] || continue
  cp "$f" "$out/corpus/"
  /usr/bin/python3 - "$f" "$out/corpus/$(basename "$f").stream" <<'PY' || true
import sys
from xlrd import compdoc
data = open(sys.argv[1], "rb").read()
if data[:8] == compdoc.SIGNATURE:
    doc = compdoc.CompDoc(data, logfile=open("/dev/null", "w"))
    stream = doc.get_named_stream("Workbook") or doc.get_named_stream("Book")
    if stream:
        open(sys.argv[2], "wb").write(stream)
PY
done

cd "$root/fuzz/findings"
ASAN_OPTIONS=detect_leaks=0 nice -n 19 "$out/read_workbook_fuzzer" -max_total_time="$seconds" \
  -timeout=30 -detect_leaks=0 -rss_limit_mb=2048 -max_len=65536 \
  -artifact_prefix="$root/fuzz/findings/" "$out/corpus"
