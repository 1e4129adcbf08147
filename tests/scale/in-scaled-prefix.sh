#!/bin/sh
# Runs a test executable in a Wine prefix of its own whose display scale is
# ZORLA_TEST_DPI (Wine takes it from LogPixels, read by each new process), so a
# scaled screen never reaches the other tests. The prefix is a copy of theirs.
set -e
base=$WINEPREFIX
export WINEPREFIX="$base-scaled"
if [ ! -f "$WINEPREFIX/.zorla-scaled" ]; then
  rm -rf "$WINEPREFIX"
  cp -a "$base" "$WINEPREFIX"
  touch "$WINEPREFIX/.zorla-scaled"
fi
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "${ZORLA_TEST_DPI:-144}" /f \
  </dev/null >/dev/null 2>&1
exec wine "$@"
