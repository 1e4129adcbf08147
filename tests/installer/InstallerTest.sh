#!/usr/bin/env bash
# The setup program in a fresh Wine prefix of its own, as a user would meet it:
#  1. a silent install puts the program, its uninstaller, the uninstall list, the
#     Start menu shortcut and the uninstall entry in place;
#  2. Zorla started from the Start menu shortcut registers its autostart shortcut
#     in the list (its working directory is the program's folder);
#  3. a silent uninstall while Zorla runs ends it, removes every file the list's
#     [Files] section names and everything installed, and keeps the user's notes
#     and settings;
#  4. installing again keeps those notes; Zorla started elsewhere makes an
#     autostart shortcut the list does not know; an uninstall through its window
#     whose question is answered "Yes" removes that shortcut, the notes, the
#     settings and the folder;
#  5. a folder named in Cyrillic, Polish and CJK letters installs and uninstalls
#     like any other.
#
# The list is UTF-16LE with a byte order mark, so paths in any script survive.
#
# usage: InstallerTest.sh SETUP_EXE DRIVER_EXE WORK_DIR
set -uo pipefail
setup=$(realpath "$1")
driver=$(realpath "$2")
work=$(realpath -m "$3")
top=$(cd "$(dirname "$0")/../.." && pwd)
. "$top/tools/wine-env.sh"
in_virtual_display "$0" "$@"

# tools/test.sh tells a test that ran from one that never started by this line.
echo "[ RUN      ] Installer.InstallRunUninstall"

failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}
check() {
  local what=$1
  shift
  if "$@"; then echo "ok: $what"; else fail "$what"; fi
}
# Stops the test at a failure that leaves nothing sensible to check.
require() {
  local what=$1
  shift
  if "$@"; then
    echo "ok: $what"
  else
    fail "$what"
    finish
  fi
}

rm -rf "$work"
mkdir -p "$work"
wine_env "$work"
finish() {
  wine_down
  if [ "$failures" = 0 ]; then
    rm -rf "$work"
    echo "[       OK ] Installer.InstallRunUninstall"
    exit 0
  fi
  echo "[  FAILED  ] Installer.InstallRunUninstall: $failures failed; the prefix is kept in $work"
  exit 1
}

# No persistent wineserver and no desktop process of our own: "wineserver -w" then
# returns once every program of this prefix has ended, the uninstaller's copy of
# itself and an ended Zorla included.
mkdir -p "$WINEPREFIX"
wineboot -i </dev/null >/dev/null 2>&1
wineserver -w
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
wineserver -w

run() { wine "$@" </dev/null 2>/dev/null | tr -d '\r'; }
# A path or folder name asked of Wine. On a busy machine a Wine process now and
# then ends at start without a word (see tools/test.sh); an empty answer taken
# as a path would make the checks below look at the wrong files, and a listed
# "\listed.txt" is rightly skipped by the uninstaller as not a full path. So the
# question is asked again, and no answer at all stops the test (unknown).
ask() {
  local answer tries=3
  while [ "$tries" -gt 0 ]; do
    answer=$(run "$@")
    [ -n "$answer" ] && { printf '%s\n' "$answer"; return 0; }
    tries=$((tries - 1))
  done
  return 1
}
unknown() {
  fail "Wine tells $1"
  finish
}
unix_path() { ask winepath -u "$1"; }
win_path() { ask winepath -w "$1"; }
all_ended() { timeout 120 wineserver -w; }

local_appdata=$(ask cmd /c 'echo %LOCALAPPDATA%') || unknown "%LOCALAPPDATA%"
appdata=$(ask cmd /c 'echo %APPDATA%') || unknown "%APPDATA%"
instdir_win="$local_appdata\\Programs\\Zorla"
instdir=$(unix_path "$instdir_win") || unknown "the program folder's path"
menu_shortcut_win="$appdata\\Microsoft\\Windows\\Start Menu\\Programs\\Zorla.lnk"
menu_shortcut=$(unix_path "$menu_shortcut_win") || unknown "the Start menu shortcut's path"
startup_shortcut_win="$appdata\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp\\Zorla.lnk"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zorla'
settings_key='HKCU\Software\Velloran Software\Zorla'
title="Zorla 1.0"
list="$instdir/!sfxunst.ini"
note_text="Feed the quokka at noon"

reg_value() { run reg query "$1" /v "$2" | sed -n "s/^    $2    REG_[A-Z_]*    //p"; }
key_exists() { wine reg query "$1" </dev/null >/dev/null 2>&1; }
key_gone() { ! key_exists "$1"; }
value_is() { [ "$(reg_value "$uninstall_key" "$1")" = "$2" ] || { echo "  $1: '$(reg_value "$uninstall_key" "$1")'"; false; }; }
list_text() { iconv -f UTF-16 -t UTF-8 "$list" 2>/dev/null; }
has_mark() { [ "$(head -c 2 "$list" 2>/dev/null | od -An -tx1 | tr -d ' ')" = "fffe" ]; }
list_is() { has_mark && [ "$(list_text)" = "$1" ] || { echo "  list: $(od -c "$list" 2>&1 | head -5)"; false; }; }
append_to_list() { printf '%s\r\n' "$@" | iconv -f UTF-8 -t UTF-16LE >> "$list"; }
# The list's line for the autostart shortcut, in the Startup folder of this user.
has_autostart_line() { list_text | grep -qixF "$startup_shortcut_win=<new>"$'\r'; }
folder_holds_only() {
  local found
  found=$(cd "$instdir" 2>/dev/null && ls -A | sort | tr '\n' ' ')
  [ "$found" = "$1" ] || { echo "  folder holds: '$found'"; false; }
}
poll() {
  local tries=$1
  shift
  while [ "$tries" -gt 0 ]; do
    "$@" && return 0
    sleep 0.2
    tries=$((tries - 1))
  done
  return 1
}

# ---- 1. silent install ------------------------------------------------------------
start=$(date +%s%N)
require "silent install succeeds" wine "$setup" /S </dev/null
end=$(date +%s%N)
echo "install time: $(((end - start) / 1000000)) ms, installer size: $(stat -c %s "$setup") bytes"
built_exe="$(dirname "$driver")/Zorla.exe"
check "the program is installed" cmp -s "$built_exe" "$instdir/Zorla.exe"
check "the uninstaller is installed" test -f "$instdir/Uninstall.exe"
check "the uninstall list has its [Files] section and nothing else" list_is $'[Files]\r'
check "the Start menu shortcut exists" test -f "$menu_shortcut"
check "uninstall entry: DisplayName" value_is DisplayName "Zorla 1.0"
check "uninstall entry: Publisher" value_is Publisher "Velloran Software"
check "uninstall entry: DisplayVersion" value_is DisplayVersion "1.0"
check "uninstall entry: DisplayIcon" value_is DisplayIcon "$instdir_win\\Zorla.exe,0"
check "uninstall entry: UninstallString" value_is UninstallString "\"$instdir_win\\Uninstall.exe\""
check "uninstall entry: QuietUninstallString" value_is QuietUninstallString "\"$instdir_win\\Uninstall.exe\" /S"
check "uninstall entry: NoModify" value_is NoModify 0x1
check "uninstall entry: NoRepair" value_is NoRepair 0x1
size=$(($(reg_value "$uninstall_key" EstimatedSize)))
exe_kb=$(($(stat -c %s "$instdir/Zorla.exe") / 1024))
check "uninstall entry: EstimatedSize ($size KB) covers the program ($exe_kb KB)" test "$size" -ge "$exe_kb"

# A note the user wrote in an earlier run.
printf '<?xml version="1.0" encoding="ISO-8859-1"?>\r\n<DATABASE><ENTRY _id_="1" date="12/06/2026 10:00:00" text="%s" wndX="40" wndY="40"/></DATABASE>\r\n' \
  "$note_text" > "$instdir/Zorla_Notes"

# ---- 2. started from the Start menu, autostart on ---------------------------------
# From another working directory: only the shortcut's own makes the list found.
(cd / && wine start "$menu_shortcut_win" </dev/null >/dev/null 2>&1)
require "Zorla starts from the Start menu shortcut" wine "$driver" wait "$title" 30000 </dev/null
check "the autostart command is taken" wine "$driver" command "$title" 109 </dev/null
check "the autostart shortcut is entered into the uninstall list" poll 50 has_autostart_line
startup_shortcut=$(unix_path "$startup_shortcut_win") || unknown "the autostart shortcut's path"
# The list is written before the shortcut is saved.
check "the autostart shortcut exists" poll 50 test -f "$startup_shortcut"

# Whatever else the list's [Files] section names goes as well; a name with a
# wildcard, or one in another section, does not.
files=$work/files
mkdir -p "$files"
files_win=$(win_path "$files") || unknown "the Windows path of the listed files"
other_script="app-Жора Łódź 日本"
mkdir -p "$files/$other_script"
touch "$files/listed.txt" "$files/wildcard-kept.txt" "$files/other-section.txt" "$files/$other_script/listed.txt"
append_to_list "$files_win\\listed.txt=<new>" "$files_win\\wildcard-*.txt=<new>" \
  "$files_win\\$other_script\\listed.txt=<new>" "[Other]" "$files_win\\other-section.txt=<new>"

# ---- 3. silent uninstall while Zorla runs -----------------------------------------
check "silent uninstall starts" wine "$instdir/Uninstall.exe" /S </dev/null
check "the uninstaller and Zorla end" all_ended
check "the autostart shortcut is removed" test ! -e "$startup_shortcut"
check "another file the list names is removed" test ! -e "$files/listed.txt"
check "a listed file in a folder named in other scripts is removed" test ! -e "$files/$other_script/listed.txt"
check "a listed name with a wildcard removes nothing" test -e "$files/wildcard-kept.txt"
check "a file named in another section is kept" test -e "$files/other-section.txt"
check "the Start menu shortcut is removed" test ! -e "$menu_shortcut"
check "the uninstall entry is removed" key_gone "$uninstall_key"
check "only the notes and reminders are left, kept by default" folder_holds_only "Zorla_Notes Zorla_Timer "
check "the note survives Zorla's exit and the uninstall" grep -qF "text=\"$note_text\"" "$instdir/Zorla_Notes"
check "the settings are kept with the notes" key_exists "$settings_key\\CZorlaApp"

# ---- 4. again, and an uninstall that deletes the notes ----------------------------
require "installing again over the kept notes succeeds" wine "$setup" /S </dev/null
check "the kept note is still there" grep -qF "text=\"$note_text\"" "$instdir/Zorla_Notes"
check "the new uninstall list starts empty" list_is $'[Files]\r'

# Started elsewhere than in its folder (as by its own autostart shortcut at
# logon), Zorla makes the autostart shortcut without entering it into the list.
(cd / && wine "$instdir_win\\Zorla.exe" </dev/null >/dev/null 2>&1 &)
require "Zorla starts from another working directory" wine "$driver" wait "$title" 30000 </dev/null
check "the autostart command is taken" wine "$driver" command "$title" 109 </dev/null
check "the unlisted autostart shortcut exists" poll 50 test -f "$startup_shortcut"
check "the list stays without it" list_is $'[Files]\r'

# Notes the user deleted are the user's data too.
printf '<?xml version="1.0" encoding="ISO-8859-1"?>\r\n<DATABASE><ENTRY _id_="1" date="12/06/2026 10:00:00" text="old" wndX="40" wndY="40"/></DATABASE>\r\n' \
  > "$instdir/Zorla_Deleted"
wine "$instdir/Uninstall.exe" </dev/null >/dev/null 2>&1
# The uninstaller's window carries the page's subtitle, a blank; its boxes do not.
uninstall_title="Zorla 1.0 Uninstall "
box_title="Zorla 1.0 Uninstall"
# The driver looks for a box for up to 5 s at a time; the first start of the
# uninstaller's window may take longer on a busy machine.
answer() { poll 6 wine "$driver" answer "$1" "$2" </dev/null; }
check "the uninstaller's confirmation is answered" answer "$uninstall_title" 1
check "the question about the notes is answered Yes" answer "$box_title" 6
check "the folder goes with the notes" poll 300 test ! -e "$instdir"
check "the finished uninstaller is closed" answer "$uninstall_title" 1
check "the unlisted autostart shortcut to the program is removed too" test ! -e "$startup_shortcut"
check "the uninstaller ends" all_ended
check "the settings are removed" key_gone "$settings_key"
check "the company key, now empty, is removed" key_gone 'HKCU\Software\Velloran Software'
check "the uninstall entry is removed" key_gone "$uninstall_key"

# ---- 5. a folder named in other scripts ---------------------------------------------
# Without blanks: /D= takes no quotes, and Wine would quote an argument with blanks.
other_folder="app-Жора-Łódź-日本"
instdir_win="$local_appdata\\Programs\\$other_folder"
# Asked of Wine without the letters: its console answers in the OEM code page.
programs=$(unix_path "$local_appdata\\Programs") || unknown "the programs folder's path"
instdir="$programs/$other_folder"
list="$instdir/!sfxunst.ini"
require "a silent install into $other_folder succeeds" wine "$setup" /S "/D=$instdir_win" </dev/null
check "the program is installed there" cmp -s "$built_exe" "$instdir/Zorla.exe"
check "its uninstall list has its [Files] section" list_is $'[Files]\r'
check "the silent uninstall starts" wine "$instdir/Uninstall.exe" /S </dev/null
check "the uninstaller ends" all_ended
check "the folder goes" test ! -e "$instdir"
check "the uninstall entry is removed" key_gone "$uninstall_key"

finish
