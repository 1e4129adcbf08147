#!/usr/bin/env bash
# Runs Zorla.exe under Wine. With a DISPLAY it runs there until the user ends it.
# Without one it runs in a virtual display, saves a screenshot once the main window
# has drawn, and after RUN_SECONDS ends the program through its Exit command.
set -euo pipefail
build=$(realpath -m "${1:-build}")
top=$(cd "$(dirname "$0")/.." && pwd)
. "$top/tools/wine-env.sh"
title="Zorla 1.0"

if [ -n "${DISPLAY:-}" ] && [ -z "${ZORLA_IN_XVFB:-}" ]; then
  wine_env "$build"
  wine_up
  exec wine "$build/bin/Zorla.exe"
fi

in_virtual_display "$0" "$@"

wine_env "$build"
wine_up
trap wine_down EXIT
shots=$build/screenshots
mkdir -p "$shots"
wine "$build/bin/Zorla.exe" </dev/null >/dev/null 2>&1 &
zorla=$!
if ! wine "$build/bin/ZorlaDriver.exe" wait "$title" 30000 </dev/null; then
  echo "run: the main window did not appear" >&2
  kill "$zorla" 2>/dev/null || true
  exit 1
fi
sleep 1
/usr/bin/import -window root "$shots/run.png"
echo "run: screenshot saved to $shots/run.png"
sleep "${RUN_SECONDS:-20}"
wine "$build/bin/ZorlaDriver.exe" exit "$title" 15000 </dev/null || { echo "run: Zorla did not end" >&2; exit 1; }
wait "$zorla" || true
echo "run: Zorla ended"
