#!/bin/sh
# Builds a tiny Windows program holding res/art.rc and loads every art resource
# through the platform under Wine (regions, bitmaps, icon sizes, waves).
# Needs the MinGW-w64 toolchain and Wine; uses its own prefix in build-art/.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
work=$root/build-art/check
mkdir -p "$work"
printf '#include "art.rc"\n' > "$work/check.rc"
x86_64-w64-mingw32-windres -I "$root/res" -i "$work/check.rc" -o "$work/check-res.o" -O coff
x86_64-w64-mingw32-gcc -O1 -Wall -o "$work/check.exe" "$here/check_resources.c" "$work/check-res.o" -lgdi32 -luser32

export WINEPREFIX=$work/wineprefix WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
export HOME=$work/home
mkdir -p "$HOME" "$WINEPREFIX"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i </dev/null >/dev/null 2>&1 || true
    wineserver -w </dev/null >/dev/null 2>&1 || true
fi
# Wine's helpers inherit the streams of whoever starts them: keep them off ours.
wineserver -p </dev/null >/dev/null 2>&1 || true
status=0
wine "$work/check.exe" </dev/null >"$work/check.log" 2>/dev/null || status=$?
tr -d '\r' < "$work/check.log"
wineserver -k >/dev/null 2>&1 || true
exit $status
