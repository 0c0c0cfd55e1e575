#!/usr/bin/env bash
# test-packages.sh: what a user installs. From the Release build in build/:
# 1. `cmake --install` into a temporary prefix installs exactly the expected files; the
#    desktop entry, the AppStream metadata, the manual pages and the icons are valid.
# 2. The Debian package builds, lintian finds no error, and its unpacked programs run:
#    tachora-info prints the version, tachora opens its window under Xvfb.
# 3. The Windows release archives hold exactly the programs their cross build made.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=$root/build

work=$(mktemp -d "${TMPDIR:-/tmp}/tachora-packages.XXXXXX")
# The desktop the unpacked program opens its window on (Xvfb, openbox, a recording
# xdg-open), stopped with everything it tracks when the script ends.
out=$work/desktop
mkdir -p "$out"
. "$root/tests/e2e/desktop.sh"
trap 'cleanup; rm -rf "$work"' EXIT

fail() { echo "test-packages: $*" >&2; exit 1; }
elapsed() { printf '   %s: %d s\n' "$1" $((SECONDS - $2)); }
# same_list NAME EXPECTED ACTUAL: both sorted, one entry a line.
same_list() {
  if [ "$2" != "$3" ]; then
    diff <(echo "$2") <(echo "$3") >&2 || true
    fail "$1 differs from the expected list (< expected, > found)"
  fi
}

start=$SECONDS
scripts/build.sh "$build"
# Read once the build has configured the folder: a fresh clone has no cache before.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
same_list "the installed files" "$(
  cat <<'EOF'
bin/tachora
bin/tachora-info
share/applications/net.tachora.Tachora.desktop
share/icons/hicolor/128x128/apps/net.tachora.Tachora.png
share/icons/hicolor/16x16/apps/net.tachora.Tachora.png
share/icons/hicolor/256x256/apps/net.tachora.Tachora.png
share/icons/hicolor/32x32/apps/net.tachora.Tachora.png
share/icons/hicolor/48x48/apps/net.tachora.Tachora.png
share/icons/hicolor/64x64/apps/net.tachora.Tachora.png
share/icons/hicolor/scalable/apps/net.tachora.Tachora.svg
share/man/man1/tachora-info.1
share/man/man1/tachora.1
share/metainfo/net.tachora.Tachora.metainfo.xml
EOF
)" "$(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort)"

desktop-file-validate "$prefix/share/applications/net.tachora.Tachora.desktop"
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/net.tachora.Tachora.metainfo.xml" \
  >"$work/appstream.log" || { cat "$work/appstream.log" >&2; fail "the AppStream metadata is not valid"; }
grep -q '<release version="'"$version"'"' "$prefix/share/metainfo/net.tachora.Tachora.metainfo.xml" ||
  fail "the AppStream metadata has no release $version"
for png in "$prefix"/share/icons/hicolor/*/apps/*.png; do
  size=$(basename "$(dirname "$(dirname "$png")")")
  [ "$(identify -format '%wx%h' "$png")" = "$size" ] || fail "$png is not $size"
done
for page in "$prefix"/share/man/man1/*.1; do
  warnings=$(LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -z "$page" 2>&1)
  [ -z "$warnings" ] || fail "groff warns about $(basename "$page"): $warnings"
done
# Every option a program's help lists is in its manual page.
for program in tachora tachora-info; do
  for option in $("$prefix/bin/$program" --help | grep -o -- '--[a-z-]*' | sort -u); do
    grep -qF -- "${option//-/\\-}" "$prefix/share/man/man1/$program.1" ||
      fail "$program.1 does not describe $option"
  done
done
elapsed "install and validation" "$start"

start=$SECONDS
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/deb" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; fail "cpack failed"; }
deb=$work/deb/tachora_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no package at $deb"
printf '   %s: %d KB\n' "$(basename "$deb")" $(($(stat -c %s "$deb") / 1024))
for field in Package:tachora Version:"$version" Section:utils; do
  [ "$(dpkg-deb -f "$deb" "${field%%:*}")" = "${field#*:}" ] || fail "the package's ${field%%:*} is not ${field#*:}"
done
# The library dependencies come from dpkg-shlibdeps, with their versions.
dpkg-deb -f "$deb" Depends | grep -q 'libsdl2-2.0-0 (>= ' || fail "the package does not depend on SDL2"
lintian "$deb" >"$work/lintian.log" 2>&1 || true
sed -e '/running with root privileges/d' -e 's/^/   lintian: /' "$work/lintian.log"
if grep -q '^E: ' "$work/lintian.log"; then fail "lintian found errors"; fi
dpkg-deb -x "$deb" "$work/root"
for program in tachora tachora-info; do
  [ "$("$work/root/usr/bin/$program" --version)" = "$version" ] ||
    fail "the unpacked $program does not print $version"
done
gzip -t "$work/root/usr/share/man/man1/tachora.1.gz" "$work/root/usr/share/doc/tachora/changelog.gz"

"$work/root/usr/bin/tachora" >"$out/tachora.log" 2>&1 &
app=$!
track $app
window=$(wait_window Tachora 10) || { cat "$out/tachora.log" >&2; fail "the unpacked tachora showed no window"; }
[ "$(readlink "/proc/$app/exe")" = "$work/root/usr/bin/tachora" ] || fail "another tachora answered"
sleep 0.5
import -window "$window" "$out/window.png"
# The welcome page is drawn: its artwork and texts, not a black or empty frame.
[ "$(convert "$out/window.png" -format '%[fx:standard_deviation > 0.1]' info:)" = 1 ] ||
  fail "the unpacked tachora's window is blank"
kill "$app"
elapsed "Debian package" "$start"

start=$SECONDS
for archive in $(scripts/package-windows.sh | grep '\.zip$'); do
  expected=$(printf '%s\n' README.txt Tachora.exe tachora-info.exe)
  same_list "$(basename "$archive")" "$(echo "$expected" | LC_ALL=C sort)" \
    "$(unzip -Z1 "$archive" | LC_ALL=C sort)"
  unzip -p "$archive" README.txt | grep -q $'^Tachora '"$version"$' for .*Windows\r$' ||
    fail "$(basename "$archive") has no read-me for Windows in CRLF lines"
  printf '   %s: %d KB\n' "$(basename "$archive")" $(($(stat -c %s "$archive") / 1024))
done
elapsed "Windows archives" "$start"
echo "packages passed"
