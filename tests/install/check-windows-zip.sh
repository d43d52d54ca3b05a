#!/usr/bin/env bash
# check-windows-zip.sh ZIP OUT_DIR
#
# Plays the Windows zip as a player would, under Wine on the current DISPLAY (Xvfb): unpacks
# it into a folder named in Japanese with a space, starts hoshikage.exe there, waits for the
# title, presses Enter, waits for the battle, presses Escape, and expects exit status 0 and
# the settings file in %APPDATA%\hoshikage. Screenshots of the title and the battle are left
# in OUT_DIR (title.png, battle.png) for a person to look at; each must show a picture, and
# the two must differ.
#
# Needs wine, xdotool and ImageMagick; WINEPREFIX and DISPLAY set, the wineserver running.
set -euo pipefail
zip="$1"
out="$2"
mkdir -p "$out"
folder="$out/ほしかげ ゲーム"
rm -rf "$folder"
mkdir -p "$folder"
(cd "$folder" && unzip -q "$zip")
game="$(find "$folder" -name hoshikage.exe | head -n1)"
[ -n "$game" ] || { echo "no hoshikage.exe in $zip" >&2; exit 1; }
for f in OpenAL32.dll Data/stone/stoneData.dat Data/Font/glyphs.txt Readme.txt licenses/openal-soft/COPYING; do
  [ -e "$(dirname "$game")/$f" ] || { echo "missing from the zip: $f" >&2; exit 1; }
done
appdata="$(find "$WINEPREFIX/drive_c/users" -maxdepth 3 -type d -name Roaming | head -n1)"
rm -rf "$appdata/hoshikage"

# Started from another folder, as a shortcut may: the game finds its Data/ itself.
(cd "$out" && ALSOFT_DRIVERS=null SDL_VIDEODRIVER=windows wine "$game" >"$out/game.log" 2>&1) &
runner=$!

window=""
for _ in $(seq 1 60); do
  window="$(xdotool search --name "ver1.0.5" 2>/dev/null | head -n1 || true)"
  [ -n "$window" ] && break
  sleep 1
done
[ -n "$window" ] || { echo "no game window appeared" >&2; cat "$out/game.log" >&2; exit 1; }
shot() { # NAME: the whole screen, checked for a picture
  import -window root "$out/$1.png"
  local mean
  mean="$(convert "$out/$1.png" -colorspace Gray -format '%[fx:mean]' info:)"
  echo "$1.png: mean brightness $mean"
  awk -v m="$mean" 'BEGIN { exit !(m > 0.02) }' || { echo "$1.png is black" >&2; exit 1; }
}
# Through the X server's test extension, as a keyboard would (events sent to a window are
# marked as synthetic and ignored), and held for a few passes: the game polls its keys once
# a pass (16 ms), so a press shorter than that may never be seen.
press() {
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  xdotool keydown "$1"
  sleep 0.3
  xdotool keyup "$1"
}
sleep 6
shot title
press Return
sleep 12
shot battle
difference="$(compare -metric RMSE "$out/title.png" "$out/battle.png" null: 2>&1 |
  sed 's/.*(\(.*\))/\1/' || true)"
echo "title against battle: RMSE $difference"
awk -v d="$difference" 'BEGIN { exit !(d > 0.05) }' ||
  { echo "the battle did not start: the screen did not change" >&2; exit 1; }
press Escape
status=0
wait "$runner" || status=$?
echo "exit status $status"
[ "$status" -eq 0 ] || { cat "$out/game.log" >&2; exit 1; }
[ -f "$appdata/hoshikage/settings.ini" ] ||
  { echo "no settings.ini in %APPDATA%\\hoshikage" >&2; exit 1; }
echo "settings: ${appdata#"$WINEPREFIX/"}/hoshikage/settings.ini"
