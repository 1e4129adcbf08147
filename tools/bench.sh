#!/usr/bin/env bash
# Runs the benchmarks: the XML layer, the synced folder's merge, the merge of
# a note's text, the search of notes, the reading of a weather forecast and the
# search among the world's places natively (optimised), then every Windows
# benchmark executable (bin/*_bench.exe) under Wine in a virtual display, and
# ends with one table of every figure against its goal (bench/table.py), read
# from the benchmarks' output kept in BUILD/bench.log.
set -euo pipefail
build=$(realpath -m "${1:-build}")
top=$(cd "$(dirname "$0")/.." && pwd)
. "$top/tools/wine-env.sh"

# Set once, before the run moves into the virtual display.
if [ -z "${ZORLA_BENCH_LOG:-}" ]; then
  export ZORLA_BENCH_LOG=$build/bench.log
  : >"$ZORLA_BENCH_LOG"
fi

if [ -z "${ZORLA_IN_XVFB:-}" ]; then
  cmake -S "$top/tests/native" -B "$build/native" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
  cmake --build "$build/native" --target xml_bench sync_bench merge_bench find_bench forecast_bench city_bench -j2 >/dev/null
  for bench in xml_bench sync_bench merge_bench find_bench forecast_bench city_bench; do
    echo "== $bench (native)" | tee -a "$ZORLA_BENCH_LOG"
    "$build/native/$bench" | tee -a "$ZORLA_BENCH_LOG" || echo "$bench failed" | tee -a "$ZORLA_BENCH_LOG"
  done
fi
in_virtual_display "$0" "$@"

# The program's size, against its size before it knew the world's weather.
if [ -f "$build/bin/Zorla.exe" ]; then
  echo "ROW zorla_exe_bytes $(stat -c %s "$build/bin/Zorla.exe") bytes Zorla.exe as built" | tee -a "$ZORLA_BENCH_LOG"
fi

wine_env "$build"
# What Info-ZIP's zip -9 makes of the program, for mail_bench to set its archive
# beside: as it comes, and with -X, without the extra fields (Unix times and
# owner) that the mail's archive does not have either.
if command -v zip >/dev/null; then
  zip9=$(mktemp -d)
  (cd "$build/bin" && zip -q -9 "$zip9/plain.zip" Zorla.exe && zip -q -9 -X "$zip9/bare.zip" Zorla.exe)
  ZORLA_ZIP9_BYTES="$(stat -c %s "$zip9/plain.zip") $(stat -c %s "$zip9/bare.zip")"
  export ZORLA_ZIP9_BYTES
  rm -rf "$zip9"
fi
wine_up
trap wine_down EXIT
for bench in "$build"/bin/*_bench.exe; do
  [ -e "$bench" ] || continue
  name=$(basename "$bench" .exe)
  echo "== $name (Wine)" | tee -a "$ZORLA_BENCH_LOG"
  # A failing benchmark leaves its figures out of the table; the others still run.
  (cd "$build/bin" && wine "$bench" </dev/null | tr -d '\r') | tee -a "$ZORLA_BENCH_LOG" ||
    echo "$name failed" | tee -a "$ZORLA_BENCH_LOG"
done
# The window benchmarks once more with the screen at 150 %, in a prefix of its own.
wine_down
wine_scaled 144
for name in mainwnd_bench notes_bench; do
  echo "== $name (Wine, 150 %)" | tee -a "$ZORLA_BENCH_LOG"
  (cd "$build/bin" && ZORLA_BENCH_SCALE=150 wine "$name.exe" </dev/null | tr -d '\r') | tee -a "$ZORLA_BENCH_LOG" ||
    echo "$name at 150 % failed" | tee -a "$ZORLA_BENCH_LOG"
done
wineserver -k </dev/null >/dev/null 2>&1 || true
echo
python3 "$top/bench/table.py" "$ZORLA_BENCH_LOG"
