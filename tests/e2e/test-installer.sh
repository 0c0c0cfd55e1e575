#!/usr/bin/env bash
# test-installer.sh WINDOWS_BUILD_DIR: the setup program of a 32-bit or 64-bit build
# (made first with the build's package target) under the wine of its kind, on Xvfb with
# openbox:
# 1. a silent install for the current user (/S /CurrentUser) puts Tachora.exe and the
#    uninstaller into %LOCALAPPDATA%\Programs\Tachora, a Start-menu shortcut, and the
#    uninstall entry of "Apps and features" with icon, publisher, version and size;
# 2. the installed program starts: its window shows, and it ends with status 0 after
#    "Exit" and the promotion dialog;
# 3. a silent uninstall leaves nothing behind: no folder, shortcut or registry entry.
# Uses WINEPREFIX when set, else makes its own. Logs go to WINDOWS_BUILD_DIR/installer/.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:?usage: test-installer.sh WINDOWS_BUILD_DIR}" && pwd)
out="$build/installer"
program="$build/app/Tachora.exe"
rm -rf "$out" && mkdir -p "$out"

export TACHORA_E2E_DISPLAYS=${TACHORA_E2E_DISPLAYS:-$(seq 150 169)}
# shellcheck source=wine.sh
source "$root/tests/e2e/wine.sh"

# The package target brings the programs and the setup program up to date first.
cmake --build "$build" --target package >"$out/package.log" 2>&1 ||
  { cat "$out/package.log" >&2; exit 1; }
setup=$(ls -t "$build"/Tachora-*-win$bits-setup.exe 2>/dev/null | head -1 || true)
[ -n "$setup" ] || { echo "no setup program in $build (is nsis installed?)" >&2; exit 1; }
version=$(basename "$setup" | sed "s/^Tachora-\\(.*\\)-win$bits-setup\\.exe\$/\\1/")

user_dir=$(ls -d "$WINEPREFIX/drive_c/users/$(whoami)" 2>/dev/null ||
  ls -d "$WINEPREFIX"/drive_c/users/*/AppData/.. | grep -v /Public/ | head -1)
folder="$user_dir/AppData/Local/Programs/Tachora"
shortcut="$user_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Tachora.lnk"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tachora'
# A value of the uninstall entry, as reg prints it ("" when missing).
value() {
  "$wine" reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' |
    sed -n "s/^ *$1 *REG_[A-Z_]* *//p"
}

echo "== silent install for the current user"
"$wine" "$setup" /S /CurrentUser >"$out/install.log" 2>&1 || fail "the setup program failed"
for file in Tachora.exe tachora-info.exe README.txt Uninstall.exe; do
  [ -f "$folder/$file" ] || fail "no $file in $folder"
done
[ -f "$shortcut" ] || fail "no Start-menu shortcut"
[ "$(value DisplayName)" = "Tachora" ] || fail "no uninstall entry named Tachora"
[ "$(value DisplayVersion)" = "$version" ] || fail "the entry's version is not $version"
[ "$(value Publisher)" = "Quillon Software" ] || fail "the entry names no publisher"
value DisplayIcon | grep -q 'Tachora\.exe' || fail "the entry has no icon"
value UninstallString | grep -q 'Uninstall\.exe' || fail "the entry has no uninstaller"
size=$(value EstimatedSize)
[ -n "$size" ] && [ $((size)) -gt 100 ] || fail "the entry's size is '$size'"
echo "installed: $folder, $((size)) KiB"

echo "== the installed program starts"
"$wine" "$folder/Tachora.exe" >"$out/tachora.log" 2>&1 &
app=$!
track $app
main=$(wait_window Tachora 300) || fail "the installed program's window did not show"
sleep 1
import -window root "$out/installed.png"
xdotool mousemove --window "$main" 97 292 sleep 0.2 click 1  # "Exit"
promo=$(wait_window Linkora 120) || fail "the promotion dialog did not show"
xdotool mousemove --window "$promo" 553 413 sleep 0.2 click 1  # "Close"
wait_exit "$app" 120 || fail "the installed program did not end with status 0"

echo "== silent uninstall"
# The uninstaller runs on from a copy of itself, so that it can delete its own file.
"$wine" "$folder/Uninstall.exe" /S >"$out/uninstall.log" 2>&1 || fail "the uninstaller failed"
for _ in $(seq 300); do
  if [ ! -e "$folder" ] && ! "$wine" reg query "$key" >/dev/null 2>&1; then break; fi
  sleep 0.2
done
[ ! -e "$folder" ] || fail "left behind: $(find "$folder" | tr '\n' ' ')"
[ ! -e "$shortcut" ] || fail "the shortcut is left behind"
if "$wine" reg query "$key" >/dev/null 2>&1; then fail "the uninstall entry is left behind"; fi
echo "installer test passed"
