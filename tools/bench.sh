#!/usr/bin/env bash
# Runs the benchmarks: the XML layer natively (optimised), then every Windows
# benchmark executable (bin/*_bench.exe) under Wine in a virtual display.
set -euo pipefail
build=$(realpath -m "${1:-build}")
top=$(cd "$(dirname "$0")/.." && pwd)
. "$top/tools/wine-env.sh"

if [ -z "${ZORLA_IN_XVFB:-}" ]; then
  cmake -S "$top/tests/native" -B "$build/native" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
  cmake --build "$build/native" --target xml_bench -j2 >/dev/null
  echo "== xml_bench (native)"
  "$build/native/xml_bench"
fi
in_virtual_display "$0" "$@"

wine_env "$build"
wine_up
trap wine_down EXIT
for bench in "$build"/bin/*_bench.exe; do
  [ -e "$bench" ] || continue
  echo "== $(basename "$bench" .exe) (Wine)"
  (cd "$build/bin" && wine "$bench" </dev/null | tr -d '\r')
done
