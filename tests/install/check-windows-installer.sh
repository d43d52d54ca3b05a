#!/usr/bin/env bash
# check-windows-installer.sh INSTALLER
#
# Runs the Windows installer under Wine as a user without administrator rights would, silently:
# the game goes to %LOCALAPPDATA%\Programs\Hoshikage with its Start-menu shortcut and an
# uninstaller registered for the user; the uninstaller then removes all of it.
#
# Needs wine; WINEPREFIX set, the wineserver running.
set -euo pipefail
installer="$1"
users="$WINEPREFIX/drive_c/users"
user_dir="$(find "$users" -mindepth 1 -maxdepth 1 -type d ! -name Public | head -n1)"
target="$user_dir/AppData/Local/Programs/Hoshikage"
menu="$user_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Hoshikage"
rm -rf "$target" "$menu"

fail() {
  echo "installer: $*" >&2
  exit 1
}
wine "$installer" /S >/dev/null 2>&1 || fail "the installer failed"
# The silent installer may return before its last files land.
for _ in $(seq 1 30); do
  [ -f "$target/Uninstall.exe" ] && break
  sleep 1
done
for f in hoshikage.exe OpenAL32.dll Data/stone/stoneData.dat Readme.txt Uninstall.exe; do
  [ -e "$target/$f" ] || fail "missing after installing: $f"
done
[ -f "$menu/Hoshikage.lnk" ] || fail "no Start-menu shortcut in ${menu#"$WINEPREFIX/"}"
wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Hoshikage' \
  /v UninstallString >/dev/null 2>&1 || fail "no uninstaller registered for the user"
echo "installed into ${target#"$WINEPREFIX/"}, shortcut in the user's Start menu"

wine "$target/Uninstall.exe" /S >/dev/null 2>&1 || fail "the uninstaller failed"
# It works on from a copy of itself after returning.
for _ in $(seq 1 30); do
  [ ! -e "$target/hoshikage.exe" ] && [ ! -e "$menu/Hoshikage.lnk" ] && break
  sleep 1
done
[ ! -e "$target/hoshikage.exe" ] || fail "the uninstaller left the game"
[ ! -e "$menu/Hoshikage.lnk" ] || fail "the uninstaller left the shortcut"
echo "uninstalled"
