# Sourced by the run and test scripts: a project-local Wine set-up under $BUILD.
#   wine_env BUILD   exports the environment
#   wine_up          creates the prefix on first use, starts a persistent wineserver
#   wine_down        stops this prefix's wineserver
wine_env() {
  local build
  build=$(realpath -m "$1")
  export WINEPREFIX=$build/wineprefix
  export HOME=$build/home
  export WINEARCH=win64
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
  mkdir -p "$HOME"
  # A null sound device, so DirectSound and PlaySound work without hardware.
  [ -f "$HOME/.asoundrc" ] || printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' > "$HOME/.asoundrc"
}

# True when this prefix's desktop process runs (other prefixes may have their own).
desktop_running() {
  local pid
  for pid in $(pgrep -f 'explorer.exe /desktop'); do
    tr '\0' '\n' < "/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && return 0
  done
  return 1
}

wine_up() {
  if [ ! -f "$WINEPREFIX/.zorla-ready" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i </dev/null >/dev/null 2>&1
    wineserver -w
    # Without a window manager every hide or destroy of a top-level window would block.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.zorla-ready"
  fi
  # The program asks for "Georgia" (its interface font) and "Times New Roman".
  # Neither is on a Debian machine, and Wine would take whatever serif or sans
  # font comes first for the family the LOGFONT names, so the text would look
  # different from machine to machine. Liberation Serif (tools/setup.sh) has the
  # metrics of Times New Roman; Debian has no Georgia look-alike, so it stands in
  # for both. A separate stamp, so that older prefixes get the mapping too.
  if [ ! -f "$WINEPREFIX/.zorla-fonts" ]; then
    local face
    for face in "Georgia" "Times New Roman"; do
      wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d "Liberation Serif" /f \
        </dev/null >/dev/null 2>&1
    done
    wineserver -w
    touch "$WINEPREFIX/.zorla-fonts"
  fi
  # Helper processes inherit the streams of whoever starts them: keep them off ours.
  # A server left running for this prefix refuses to start again; it serves.
  wineserver -p </dev/null >/dev/null 2>&1 || true
  # Starts the service processes with our streams closed, and waits for them.
  wine reg query 'HKCU\Software\Wine' </dev/null >/dev/null 2>&1 || true
  if [ -n "${DISPLAY:-}" ] && ! desktop_running; then
    (wine explorer.exe /desktop </dev/null >/dev/null 2>&1 &)
    local i
    for i in $(seq 50); do
      desktop_running && break
      sleep 0.1
    done
    sleep 1
  fi
}

# Moves this environment into a copy of its prefix whose display scale is DPI
# (Wine takes it from LogPixels), so a scaled screen never reaches the prefix
# the other tests share. A running server keeps the scale its first process
# found, so a new scale gets a new server.
#   wine_scaled DPI
wine_scaled() {
  local dpi=$1 base=${WINEPREFIX%-scaled}
  export WINEPREFIX=$base-scaled
  if [ ! -f "$WINEPREFIX/.zorla-scaled" ]; then
    rm -rf "$WINEPREFIX"
    cp -a "$base" "$WINEPREFIX"
    touch "$WINEPREFIX/.zorla-scaled"
  fi
  if ! wine reg query 'HKCU\Control Panel\Desktop' /v LogPixels </dev/null 2>/dev/null | tr -d '\r' |
       grep -q "0x$(printf '%x' "$dpi")\$"; then
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f </dev/null >/dev/null 2>&1
    wineserver -k </dev/null >/dev/null 2>&1 || true
    wineserver -w </dev/null >/dev/null 2>&1 || true
  fi
}

# Re-runs the calling script inside a virtual X display, once.
#   in_virtual_display "$0" "$@"
in_virtual_display() {
  if [ -z "${ZORLA_IN_XVFB:-}" ]; then
    export ZORLA_IN_XVFB=1
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$@"
  fi
}

wine_down() {
  wineserver -k </dev/null >/dev/null 2>&1 || true
}
