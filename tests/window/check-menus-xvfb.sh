#!/usr/bin/env bash
# check-menus-xvfb.sh GAME
#
# The real game in a real X window (Xvfb, Mesa's software OpenGL), driven by key presses the
# window system delivers (xdotool) and read back as screenshots of the screen (ImageMagick's
# import): O on the title opens the options screen and Escape closes it; Enter starts the
# battle; P holds the battle's picture still until P again.
#
# Exit status 0 when every check holds, 1 when one fails, 77 (skipped) without Xvfb, xdotool
# or ImageMagick. HOSHIKAGE_KEEP_SHOTS=DIR keeps the screenshots there.
set -uo pipefail

game="$1"
for tool in Xvfb xdotool import compare; do
  if ! command -v "$tool" >/dev/null; then
    echo "skipped: $tool is not installed"
    exit 77
  fi
done

work="$(mktemp -d)"
display=":$((90 + RANDOM % 400))"
cleanup() {
  [ -n "${game_pid:-}" ] && kill "$game_pid" 2>/dev/null
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb "$display" -screen 0 1280x720x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY="$display"
for _ in $(seq 50); do
  xdpyinfo >/dev/null 2>&1 && break
  # xdpyinfo may be missing: xdotool answers once the server is up, too.
  xdotool getmouselocation >/dev/null 2>&1 && break
  sleep 0.1
done

# A settings file of its own (windowed, fixed picture) so the player's is never touched.
cat >"$work/settings.ini" <<'EOF'
fullscreen = false
antialias = off
render_scale = 100
EOF
(cd "$(dirname "$game")" && SDL_VIDEODRIVER=x11 ALSOFT_DRIVERS=null HOSHIKAGE_NO_MESSAGE_BOX=1 \
  exec "$game" --settings "$work/settings.ini") >"$work/game.log" 2>&1 &
game_pid=$!

window=""
for _ in $(seq 200); do
  window="$(xdotool search --onlyvisible --pid "$game_pid" 2>/dev/null | head -n1)"
  [ -n "$window" ] && break
  sleep 0.1
done
if [ -z "$window" ]; then
  echo "FAIL: the game's window did not appear"
  cat "$work/game.log"
  exit 1
fi
# No window manager: give the window the keyboard's focus directly.
xdotool windowfocus --sync "$window"
sleep 3  # the title comes up (its assets load, the first pictures are drawn)

failed=0
shot() { import -window root "$work/$1.png"; }
# How many pixels of the picture differ between two screenshots.
differ() { compare -metric AE -fuzz 2% "$work/$1.png" "$work/$2.png" null: 2>&1 | cut -d' ' -f1; }
check() { # NAME CONDITION-TEXT RESULT
  if [ "$3" = 0 ]; then echo "ok   $1"; else echo "FAIL $1 ($2)"; failed=1; fi
}
# A key held for a moment, through the X server's test extension as a keyboard would: the
# game reads some keys as held at the start of a pass, which a press and release in one
# event batch would never be.
key() {
  xdotool keydown "$1"
  sleep 0.25
  xdotool keyup "$1"
  sleep "${2:-0.6}"
}

shot title
key o 1
shot options
changed="$(differ title options)"
# The options panel covers a good part of the picture, and the title behind it is dimmed.
check "O on the title opens the options screen" "$changed pixels changed" \
  "$([ "$changed" -gt 200000 ] && echo 0 || echo 1)"
key Escape 1
kill -0 "$game_pid" 2>/dev/null
check "Escape in the options goes back instead of quitting" "the game ended" "$?"
shot title-again
back="$(differ title title-again)"
# The title moves (its robot flies), but far less than a panel changes it.
check "Escape closes the options" "$back pixels still differ from the title" \
  "$([ "$back" -lt "$changed" ] && echo 0 || echo 1)"

key Return 8  # the title fades out and the battle is built
key p 1
shot paused-1
sleep 2
shot paused-2
held="$(differ paused-1 paused-2)"
check "P holds the battle's picture still" "$held pixels changed in 2 s" \
  "$([ "$held" -lt 100 ] && echo 0 || echo 1)"
key p 2
shot running-1
sleep 1
shot running-2
moving="$(differ running-1 running-2)"
check "P again lets the battle go on" "only $moving pixels changed in 1 s" \
  "$([ "$moving" -gt 1000 ] && echo 0 || echo 1)"

key Escape 1
for _ in $(seq 50); do
  kill -0 "$game_pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$game_pid" 2>/dev/null
check "Escape in the battle still quits" "the game is still running" "$([ $? -ne 0 ] && echo 0 || echo 1)"
if [ -n "${HOSHIKAGE_KEEP_SHOTS:-}" ]; then cp "$work"/*.png "$HOSHIKAGE_KEEP_SHOTS"/; fi
if [ "$failed" != 0 ]; then
  echo "--- the game's output:"
  cat "$work/game.log"
fi
exit "$failed"
