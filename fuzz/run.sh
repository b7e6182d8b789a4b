#!/usr/bin/env bash
# Builds a fuzz target with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) through the project's own options and runs it
# on one core at the lowest priority.
#   fuzz/run.sh TARGET [SECONDS]   TARGET: read_workbook or value_grid;
#                                  SECONDS defaults to 600
# The kept inputs under tests/data/xls seed the run; findings land in
# fuzz/findings/ (copy them beside the kept inputs, where CTest replays them).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
target="${1:?read_workbook or value_grid}"
seconds="${2:-600}"
build="${FUZZ_BUILD:-$root/build-fuzz}"
case "$target" in
  read_workbook) kept="$root/tests/data/xls/fuzz" ;;
  value_grid) kept="$root/tests/data/xls/value_grid" ;;
  *) echo "unknown target $target" >&2; exit 2 ;;
esac

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DTARNWICK_FUZZ=ON -DTARNWICK_SANITIZE=address,undefined \
  -DTARNWICK_BUILD_TESTS=OFF -DTARNWICK_BUILD_GUI=OFF >/dev/null
cmake --build "$build" --target "${target}_fuzzer"

corpus="$build/corpus/$target"
mkdir -p "$corpus" "$root/fuzz/findings"
cp "$kept"/* "$corpus/"
if [ "$target" = read_workbook ]; then
  # The reader's seeds also include the test workbooks and their Workbook
  # streams alone, which reach the record parsing far more often than
  # random compound files would.
  for f in "$root"/tests/data/xls/*.xls; do
    cp "$f" "$corpus/"
    /usr/bin/python3 - "$f" "$corpus/$(basename "$f").stream" <<'PY' || true
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
fi

# libgsf leaks a few bytes on some damaged directories (inside g_malloc,
# out of Tarnwick's reach), so leak detection is off; memory errors and
# undefined behaviour still stop the run.
ASAN_OPTIONS=detect_leaks=0 nice -n 19 "$build/fuzz/${target}_fuzzer" \
  -max_total_time="$seconds" -timeout=30 -detect_leaks=0 -rss_limit_mb=2048 \
  -max_len=65536 -artifact_prefix="$root/fuzz/findings/" "$corpus"
