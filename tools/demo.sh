#!/usr/bin/env bash
# A scripted tour of the real Zorla.exe in a virtual display: one PNG per view,
# a blink frame and a hover frame, under BUILD/demo.
set -euo pipefail
build=$(realpath -m "${1:-build}")
top=$(cd "$(dirname "$0")/.." && pwd)
. "$top/tools/wine-env.sh"
title="Zorla 1.0"

in_virtual_display "$0" "$@"

wine_env "$build"
wine_up
trap wine_down EXIT
demo=$build/demo
rm -rf "$demo"; mkdir -p "$demo"
cp "$build/bin/Zorla.exe" "$demo/ZorlaDemo.exe"
wine reg delete 'HKCU\Software\Velloran Software\ZorlaDemo' /f </dev/null >/dev/null 2>&1 || true

# Three notes, one of them German, and two reminders on the desktop (the files
# are Windows-1252; the reminders fall due long after the tour).
declaration='<?xml version="1.0" encoding="ISO-8859-1"?>\r\n'
printf '%b' "$declaration<DATABASE>"\
'<ENTRY _id_="1" date="12/05/2026 09:12:00" text="Call the vet_BR_about Pippa'"'"'s check-up" wndX="40" wndY="40"/>'\
'<ENTRY _id_="2" date="12/06/2026 18:40:00" text="Einkaufen:_BR_\xC4pfel, Br\xF6tchen_BR_K\xE4se f\xFCr Sonntag" wndX="270" wndY="70"/>'\
'<ENTRY _id_="3" date="12/07/2026 08:05:00" text="Book the train_BR_to the coast" wndX="40" wndY="300"/>'\
'</DATABASE>' > "$demo/Zorla_Notes"
printf '%b' "$declaration<DATABASE>"\
'<ENTRY _id_="1" date="12/24/2036 18:00:00" notify="0" text="Presents under the tree" wndX="520" wndY="50"/>'\
'<ENTRY _id_="2" date="01/15/2037 09:30:00" notify="0" text="Dentist, Dr. Weber" wndX="520" wndY="230"/>'\
"<ENTRY _id_=\"3\" date=\"$(date +'%m/%d/%Y %H:%M'):00\" notify=\"0\" text=\"Tea is ready!\" wndX=\"40\" wndY=\"600\"/>"\
'</DATABASE>' > "$demo/Zorla_Timer"

drive() { wine "$build/bin/ZorlaDriver.exe" "$@" </dev/null; }
shot() {
  local rect
  rect=$(drive rect "$title" 0 | tr -d '\r')
  set -- $rect
  sleep 0.3
  /usr/bin/import -window root -crop "${3}x${4}+${1}+${2}" +repage "$demo/$name.png"
  echo "demo: $demo/$name.png"
}

# The About box, through the program's own command; its close button ends it.
about_shot() {
  drive command "$title" 134
  drive wait ">$title" 5000 || { echo "demo: the About box did not appear" >&2; exit 1; }
  name=$1 title=">$title" shot
  drive press ">$title" 1007
}

# The command menu at the figure, on the whole screen (it may reach past the
# window), then closed again.
menu_shot() {
  drive rclick "$title" 60 250
  sleep 0.5
  /usr/bin/import -window root "$demo/$1.png"; echo "demo: $demo/$1.png"
  drive escape vlsMenuClass 0 || true
}

# The weather comes from a local server acting as WinInet's proxy, so the
# program's own weather host need not be changed.
feed=$(winepath -w "$top/res/demo/weather-feed.xml" 2>/dev/null)
wine "$build/bin/FeedServer.exe" "$feed" 80 </dev/null >/dev/null 2>&1 &
feedserver=$!
trap 'kill $feedserver 2>/dev/null || true; wine_down' EXIT
# The Simple MAPI test double stands in for a mail client: it takes the mail
# and holds it for a few seconds, so the progress window can be seen.
cp "$build/bin/MAPI32.DLL" "$demo/"
mail_env=(WINEDLLOVERRIDES="$WINEDLLOVERRIDES;mapi32=n,b" ZORLA_MAPI_HOLD_MS=6000)
http_proxy=http://127.0.0.1:80 env "${mail_env[@]}" wine "$demo/ZorlaDemo.exe" </dev/null >/dev/null 2>&1 &
zorla=$!
drive wait "$title" 30000 || { echo "demo: the main window did not appear" >&2; exit 1; }
sleep 1
name=home; shot
menu_shot menu-home
sleep 0.3
# Two blink steps: the first restores the eyes, the second closes them.
drive timer "$title" 10; drive timer "$title" 10
name=blink; shot
drive timer "$title" 10
drive move "$title" 410 271
name=hover; shot
drive move "$title" 250 20
drive click "$title" 270 300
# The refresh arrow forces an update even while the program may not connect.
drive click "$title" 302 226
for i in $(seq 50); do
  sleep 0.2
  [ -s "$demo/Zorla_Weather" ] && break
done
sleep 0.5
name=weather; shot
menu_shot menu-weather
sleep 0.3
drive click "$title" 60 250
drive click "$title" 236 160
name=note-editor; shot
drive click "$title" 60 250
drive click "$title" 230 228
name=timer-editor; shot
drive click "$title" 60 250
about_shot about
# The desktop with the notes and reminders, then a note's close button asks.
sleep 0.3
/usr/bin/import -window root "$demo/desktop.png"; echo "demo: $demo/desktop.png"
# The close button sends the window to the tray; the icon's double click
# (command 106 again) brings it back.
drive click "$title" 410 270
sleep 1
/usr/bin/import -window root "$demo/tray.png"; echo "demo: $demo/tray.png"
drive command "$title" 106
sleep 0.5
drive press "Zorla 1.0NID:3" 1007
sleep 0.5
/usr/bin/import -window root "$demo/delete-question.png"
echo "demo: $demo/delete-question.png"
drive answer ZorlaDemo 7 || { echo "demo: the question did not appear" >&2; exit 1; }
# The reminder that was due at the start: shaken, now blinking; its close
# button asks the due dialog, which is cancelled (the alert goes on).
reminder="Zorla 1.0TID:3"
sleep 3
crop_shot() {
  local rect
  rect=$(drive rect "$1" 0 | tr -d '\r')
  set -- $rect
  /usr/bin/import -window root -crop "${3}x${4}+${1}+${2}" +repage "$demo/$name.png"
}
# The red bell at the top-right corner tells the blink frame: one of two
# steps of the blink shows it.
red_corner() { /usr/bin/convert "$demo/$name.png" -gravity NorthEast -crop 20x20+14+14 -format '%[fx:mean.r-mean.b>0.2]' info:; }
name=alert
for i in 1 2; do
  drive timer "$reminder" 17
  crop_shot "$reminder"
  [ "$(red_corner)" = 1 ] && break
done
echo "demo: $demo/$name.png"
drive press "$reminder" 1007
sleep 0.5
name=due-dialog; /usr/bin/import -window root "$demo/$name.png"; echo "demo: $demo/$name.png"
drive answer "$title" 1014 || { echo "demo: the due dialog did not appear" >&2; exit 1; }
# Send me to a friend: the dialog filled in, then the progress window while the
# mail goes.
send_title="Send me to a friend..."
drive command "$title" 133
drive wait "$send_title" 10000 || { echo "demo: the send dialog did not appear" >&2; exit 1; }
drive text "$send_title" 1012 "anna@example.com; ben@example.org"
drive text "$send_title" 1017 "Hi Anna, hi Ben,
this little quokka keeps my notes and knows the weather. Have a look!"
sleep 0.5
name=send; crop_shot "$send_title"; echo "demo: $demo/$name.png"
drive press "$send_title" 1
progress_title="Send Quokka [80%]"
drive wait "$progress_title" 30000 || { echo "demo: the progress window did not appear" >&2; exit 1; }
sleep 0.5
name=send-progress; crop_shot "$progress_title"; echo "demo: $demo/$name.png"
for i in $(seq 100); do
  drive rect "$progress_title" 0 >/dev/null || drive rect "Send Quokka [100%]" 0 >/dev/null || break
  sleep 0.2
done
drive exit "$title" 15000 || { echo "demo: Zorla did not end" >&2; exit 1; }
wait "$zorla" || true

# Once more in German: the reminder is still due and asks again.
LC_ALL=de_DE.UTF-8 env "${mail_env[@]}" wine "$demo/ZorlaDemo.exe" </dev/null >/dev/null 2>&1 &
zorla=$!
drive wait "$title" 30000 || { echo "demo: the German main window did not appear" >&2; exit 1; }
sleep 2
menu_shot menu-home-de
sleep 0.3
drive click "$title" 270 300
sleep 0.5
menu_shot menu-weather-de
drive click "$title" 60 250
sleep 0.3
about_shot about-de
drive press "$reminder" 1007
sleep 0.5
name=due-dialog-de; /usr/bin/import -window root "$demo/$name.png"; echo "demo: $demo/$name.png"
drive answer "$title" 1014 || { echo "demo: the German due dialog did not appear" >&2; exit 1; }
send_title="Sende mich an einen Freund..."
drive command "$title" 133
drive wait "$send_title" 10000 || { echo "demo: the German send dialog did not appear" >&2; exit 1; }
drive text "$send_title" 1012 "anna@example.com; ben@example.org"
drive text "$send_title" 1017 "Hallo Anna, hallo Ben,
dieser kleine Quokka merkt sich meine Notizen und kennt das Wetter. Schaut mal!"
sleep 0.5
name=send-de; crop_shot "$send_title"; echo "demo: $demo/$name.png"
drive press "$send_title" 2
drive exit "$title" 15000 || { echo "demo: Zorla did not end" >&2; exit 1; }
wait "$zorla" || true

# The main views, the menu and the desktop once more on screens at 150 % and
# 200 %: the program draws them crisp at that scale (a prefix of its own, whose
# server the tour ends).
trap 'kill $feedserver 2>/dev/null || true; WINEPREFIX=$build/wineprefix wine_down; WINEPREFIX=$build/wineprefix-scaled wine_down' EXIT
for dpi in 144 192; do
  wine_scaled "$dpi"
  percent=$((dpi * 100 / 96))
  at() { echo "$(($1 * dpi / 96)) $(($2 * dpi / 96))"; }
  http_proxy=http://127.0.0.1:80 env "${mail_env[@]}" wine "$demo/ZorlaDemo.exe" </dev/null >/dev/null 2>&1 &
  zorla=$!
  drive wait "$title" 30000 || { echo "demo: the main window at $percent % did not appear" >&2; exit 1; }
  sleep 2
  name=home-$percent; shot
  menu_shot "menu-$percent"
  /usr/bin/import -window root "$demo/desktop-$percent.png"; echo "demo: $demo/desktop-$percent.png"
  drive click "$title" $(at 270 300)
  sleep 0.5
  name=weather-$percent; shot
  drive click "$title" $(at 60 250)
  drive click "$title" $(at 230 228)
  name=timer-editor-$percent; shot
  drive click "$title" $(at 60 250)
  # The reminder still due: its close button asks the due dialog, cancelled again.
  drive press "$reminder" 1007
  sleep 0.5
  name=due-dialog-$percent; /usr/bin/import -window root "$demo/$name.png"; echo "demo: $demo/$name.png"
  drive answer "$title" 1014 || { echo "demo: the due dialog at $percent % did not appear" >&2; exit 1; }
  drive exit "$title" 15000 || { echo "demo: Zorla at $percent % did not end" >&2; exit 1; }
  wait "$zorla" || true
done
