#!/usr/bin/env bash
# Installs the built game into a scratch prefix and checks what a desktop and a player meet
# there: the layout, the menu entry and metainfo (by the freedesktop validators), the icon
# sizes, and the launcher starting the game in its data folder from anywhere.
#   check-install.sh BUILD_DIR APP_ID
set -euo pipefail
build="$1"
id="$2"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" > /dev/null

fail() { echo "FAIL: $*" >&2; exit 1; }
for file in games/hoshikage games/hoshikage-bin \
            share/games/hoshikage/Data/stone/stoneData.dat \
            share/games/hoshikage/Data/title/title4.png \
            share/games/hoshikage/Data/Font/glyphs.png share/games/hoshikage/Data/Font/glyphs.txt \
            "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml"; do
  [ -f "$prefix/$file" ] || fail "$file is not installed"
done
[ -x "$prefix/games/hoshikage" ] && [ -x "$prefix/games/hoshikage-bin" ] || fail "not executable"
[ ! -e "$prefix/share/games/hoshikage/Data/.assetgen.stamp" ] || fail "build stamp installed"

# Each icon is a PNG of its folder's size (width and height are bytes 16..23 of the file).
for size in 64 128 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png"
  [ -f "$icon" ] || fail "no ${size}px icon"
  dims="$(od -An -tu1 -j16 -N8 "$icon" | tr -s ' ' | sed 's/^ //')"
  expected="0 0 $((size / 256)) $((size % 256)) 0 0 $((size / 256)) $((size % 256))"
  [ "$dims" = "$expected" ] || fail "${size}px icon measures $dims"
done

desktop-file-validate "$prefix/share/applications/$id.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"
grep -q "^Exec=hoshikage$" "$prefix/share/applications/$id.desktop" || fail "menu command"

# The launcher from an unrelated folder: the game finds its data (every model loads) and
# keeps running until stopped.
out="$(cd / && SDL_VIDEODRIVER=offscreen ALSOFT_DRIVERS=null \
       timeout 10 "$prefix/games/hoshikage" --no-settings 2>&1)" && status=0 || status=$?
[ "$status" -eq 124 ] || fail "the installed game stopped with status $status: $out"
# Here-strings, not pipes: grep -q stops reading at the first match, and with pipefail
# the echo that then writes into a closed pipe would fail the check.
grep -q "Reading ASCII glTF" <<< "$out" || fail "no model was read: $out"
if grep -qi "fail" <<< "$out"; then fail "the installed game reported: $out"; fi

# A start-up failure through the launcher still reaches the caller as a failure.
(cd / && SDL_VIDEODRIVER=no-such-driver "$prefix/games/hoshikage" --no-settings 2>/dev/null) &&
  fail "a start-up failure exited with status 0"
# And a moved data folder is reported, not met with a black screen.
mv "$prefix/share/games/hoshikage" "$prefix/share/games/elsewhere"
(cd / && "$prefix/games/hoshikage" --version 2>/dev/null) && fail "ran without its data folder"
echo "install layout, desktop entry, metainfo, icons and launcher: OK"
