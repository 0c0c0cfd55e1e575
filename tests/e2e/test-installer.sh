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
# wine64 given a 32-bit program exits 0 without running it: each kind has its own loader.
case $(x86_64-w64-mingw32-objdump -f "$build/app/Tachora.exe" | sed -n 's/.*file format //p') in
  pei-i386) wine=/usr/lib/wine/wine bits=32; export QEMU_RESERVED_VA=0xf7000000 ;;
  pei-x86-64) wine=/usr/lib/wine/wine64 bits=64 ;;
  *) echo "$build/app/Tachora.exe is no Windows x86 program" >&2; exit 1 ;;
esac
wineserver=/usr/lib/wine/wineserver
rm -rf "$out" && mkdir -p "$out"

# The package target brings the programs and the setup program up to date first.
cmake --build "$build" --target package >"$out/package.log" 2>&1 ||
  { cat "$out/package.log" >&2; exit 1; }
setup=$(ls -t "$build"/Tachora-*-win$bits-setup.exe 2>/dev/null | head -1 || true)
[ -n "$setup" ] || { echo "no setup program in $build (is nsis installed?)" >&2; exit 1; }
version=$(basename "$setup" | sed "s/^Tachora-\\(.*\\)-win$bits-setup\\.exe\$/\\1/")

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export TACHORA_E2E_DISPLAYS=${TACHORA_E2E_DISPLAYS:-$(seq 150 169)}
own_prefix=
# shellcheck source=desktop.sh
source "$root/tests/e2e/desktop.sh"
end_wine() {
  "$wineserver" -k 2>/dev/null || true
  [ -z "$own_prefix" ] || rm -rf "$own_prefix"
}
trap 'cleanup; end_wine' EXIT
if [ -z "${WINEPREFIX:-}" ]; then
  own_prefix=$(mktemp -d "${TMPDIR:-/tmp}/tachora-installer.XXXXXX")
  export WINEPREFIX=$own_prefix/prefix
  /usr/lib/wine/wine64 wineboot --init >"$out/wineboot.log" 2>&1
  "$root/scripts/wine-fonts.sh" "$WINEPREFIX"
fi

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
main=""
for _ in $(seq 6000); do
  main=$(xdotool search --onlyvisible --name '^Tachora$' 2>/dev/null | head -1 || true)
  [ -n "$main" ] && break
  sleep 0.05
done
[ -n "$main" ] || fail "the installed program's window did not show"
sleep 1
import -window root "$out/installed.png"
xdotool mousemove --window "$main" 97 292 sleep 0.2 click 1  # "Exit"
promo=""
for _ in $(seq 2400); do
  promo=$(xdotool search --onlyvisible --name '^Linkora' 2>/dev/null | head -1 || true)
  [ -n "$promo" ] && break
  sleep 0.05
done
[ -n "$promo" ] || fail "the promotion dialog did not show"
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
