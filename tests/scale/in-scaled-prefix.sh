#!/bin/sh
# Runs a test executable in a Wine prefix of its own whose display scale is
# ZORLA_TEST_DPI (Wine takes it from LogPixels, read by each new process), so a
# scaled screen never reaches the other tests. The prefix is a copy of theirs.
set -e
base=$WINEPREFIX
export WINEPREFIX="$base-scaled"
export LC_ALL=C.UTF-8
if [ ! -f "$WINEPREFIX/.zorla-scaled" ]; then
  rm -rf "$WINEPREFIX"
  cp -a "$base" "$WINEPREFIX"
  touch "$WINEPREFIX/.zorla-scaled"
fi
dpi=${ZORLA_TEST_DPI:-144}
# A running server keeps the scale its first process found: a new scale needs a new server.
if ! wine reg query 'HKCU\Control Panel\Desktop' /v LogPixels </dev/null 2>/dev/null | tr -d '\r' |
     grep -q "0x$(printf '%x' "$dpi")\$"; then
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f </dev/null >/dev/null 2>&1
  wineserver -k </dev/null >/dev/null 2>&1 || true
  wineserver -w </dev/null >/dev/null 2>&1 || true
fi
exec wine "$@"
