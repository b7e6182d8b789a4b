#!/usr/bin/env bash
# Builds one of the import readers' fuzz targets with clang (libFuzzer,
# AddressSanitizer, UndefinedBehaviorSanitizer) and runs it on one core at
# a low priority.
#   fuzz/run_import.sh csv_items|dbf_table [SECONDS]   (default 600)
# Seeds are the import test data and the demo price lists; findings land in
# fuzz/findings/<target>/ (copy them to tests/data/<csv|dbf>/fuzz/, which
# CTest replays).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
target="${1:?csv_items or dbf_table}"
seconds="${2:-600}"
out="${FUZZ_BUILD:-$root/build-engine/fuzz}/$target"
findings="$root/fuzz/findings/$target"
mkdir -p "$out/corpus" "$findings"

common=("$root"/src/core/*.cpp)
case "$target" in
  csv_items)
    sources=("$root"/src/import/csv/{item_reader,load_dictionaries,lookup_grade,read_sample_colors}.cpp)
    libs=()
    seeds=("$root"/data/csv/*.txt "$root"/data/csv/demo/*/*.csv "$root"/data/csv/demo/*.csv "$root"/tests/data/csv/fuzz/*)
    # A list with both dictionaries after it reaches the grade look-ups.
    for f in "$root"/data/csv/demo/*.csv "$root"/data/csv/demo/*/*.csv; do
      [ -f "$f" ] || continue
      { head -c 2000 "$f"; printf '\0'; cat "$root/data/csv/Color.txt"; printf '\0'
        cat "$root/data/csv/Clarity.txt"; } > "$out/corpus/with-dictionaries-$(basename "$f")"
    done
    ;;
  dbf_table)
    sources=("$root"/src/import/dbf/{dbf_table,dbf_price_value}.cpp)
    libs=($(pkg-config --libs shapelib 2>/dev/null || echo -lshp))
    # The demo tables are made by the build.
    seeds=("$root"/build/Tarnwick/*/*.dbf "$root"/build/Tarnwick/*/*.DBF "$root"/tests/data/dbf/fuzz/*)
    # Small tables of each header version, numbers, texts, a date, a logical
    # and a deleted record, in case the demo tables are not made yet.
    /usr/bin/python3 - "$out/corpus" <<'PY'
import struct, sys
fields = [(b"P1", b"N", 10, 2), (b"P2", b"F", 8, 3), (b"NAME", b"C", 6, 0),
          (b"DAY", b"D", 8, 0), (b"OK", b"L", 1, 0)]
rows = [(b" ", [b"   1250.50", b"  -3.125", b"VVS1  ", b"20261206", b"T"]),
        (b"*", [b"      9.00", b"        ", b"      ", b"00000000", b"?"]),
        (b" ", [b"          ", b"*******", b"1e3   ", b"        ", b"F"])]
for version, backlink in ((0x03, 0), (0xF5, 0), (0x30, 263)):
    reclen = 1 + sum(f[2] for f in fields)
    head = struct.pack("<B3sIHH20x", version, b"\x7e\x0c\x06", len(rows),
                       32 + 32 * len(fields) + 1 + backlink, reclen)
    for name, kind, width, dec in fields:
        head += name.ljust(11, b"\0") + kind + b"\0" * 4 + bytes([width, dec]) + b"\0" * 14
    body = b"".join(flag + b"".join(v) for flag, v in rows)
    open(f"{sys.argv[1]}/seed-{version:02x}.dbf", "wb").write(
        head + b"\r" + b"\0" * backlink + body + b"\x1a")
PY
    ;;
  *) echo "unknown target $target" >&2; exit 2 ;;
esac
nice -n 10 clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined \
  -fno-sanitize-recover=undefined -I"$root/src" -I"$root/tests" -I"$root/fuzz" \
  "$root/fuzz/${target}_fuzzer.cpp" "${sources[@]}" "${common[@]}" "${libs[@]}" \
  -o "$out/${target}_fuzzer"

for f in "${seeds[@]}"; do
  [ -f "$f" ] && cp "$f" "$out/corpus/" || true
done

# Files the target writes go to a RAM disk where there is one.
[ -d /dev/shm ] && export TMPDIR=/dev/shm
cd "$findings"
nice -n 15 "$out/${target}_fuzzer" -max_total_time="$seconds" \
  -timeout=30 -rss_limit_mb=2048 -max_len=16384 \
  -artifact_prefix="$findings/" "$out/corpus"
