#!/usr/bin/env bash
# The Windows cross builds. The 32-bit shipping build links and passes a static check of
# its imports (wine32 is not installable on Debian amd64, and wine64 given a 32-bit
# program exits 0 without running it, so it is never run). The 64-bit build's tests run
# under wine64 in a throw-away prefix on a virtual display, then the real Tachora.exe end
# to end (tests/e2e/run-wine-e2e.sh, which wants the native build in build/).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
for tool in "$wine" "$wineserver"; do
  [ -x "$tool" ] || { echo "test-windows: $tool is missing (run scripts/setup.sh)" >&2; exit 1; }
done

# A fresh prefix, so no state of an earlier run leaks in; it is ended and deleted on exit.
work=$(mktemp -d "${TMPDIR:-/tmp}/tachora-wine.XXXXXX")
export WINEPREFIX=$work/prefix WINEDEBUG=-all
# No Mono or Gecko: the tests need neither, and wine would offer to download them.
export WINEDLLOVERRIDES="mscoree,mshtml="
boot_pid=
end_wine() {
  [ -z "$boot_pid" ] || wait "$boot_pid" 2>/dev/null || true
  "$wineserver" -k 2>/dev/null || true
  "$wineserver" -w 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap end_wine EXIT

elapsed() { printf '   %s: %d s\n' "$1" $((SECONDS - $2)); }

# The prefix initialises (about 15 s, mostly waiting) while the compilers run.
(
  boot_start=$(date +%s)
  "$wine" wineboot --init >"$work/boot.log" 2>&1
  scripts/wine-fonts.sh "$WINEPREFIX"
  # The boot's wineserver and desktop have no display: the tests need fresh ones.
  "$wineserver" -w
  echo $(($(date +%s) - boot_start)) >"$work/boot.seconds"
) &
boot_pid=$!

start=$SECONDS
scripts/build.sh build-win32 -DCMAKE_BUILD_TYPE=Release -DTACHORA_TESTS=OFF \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-w64-mingw32.cmake"
elapsed "32-bit build" "$start"

start=$SECONDS
tests/e2e/check-windows-exe.sh build-win32/app/Tachora.exe i386
tests/e2e/check-windows-exe.sh build-win32/tools/tachora-info.exe i386
elapsed "32-bit static check" "$start"

start=$SECONDS
scripts/build.sh build-win64 -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64-w64-mingw32.cmake"
tests/e2e/check-windows-exe.sh build-win64/app/Tachora.exe x86-64
elapsed "64-bit build" "$start"
ls -l build-win32/app/Tachora.exe build-win32/tools/tachora-info.exe \
  build-win64/app/Tachora.exe build-win64/tools/tachora-info.exe | awk '{print "   " $5, $9}'

start=$SECONDS
if ! wait "$boot_pid"; then
  boot_pid=
  echo "test-windows: the wine prefix did not initialise:" >&2
  cat "$work/boot.log" >&2
  exit 1
fi
boot_pid=
printf '   wine prefix: %s s (%d s waited for it after the builds)\n' \
  "$(cat "$work/boot.seconds")" $((SECONDS - start))

# The window backend's tests need a desktop: a virtual display with a window manager.
out=$work/desktop
mkdir -p "$out"
TACHORA_E2E_DISPLAYS=$(seq 120 139) . tests/e2e/desktop.sh
trap 'cleanup; end_wine' EXIT

start=$SECONDS
ctest --test-dir build-win64 --output-on-failure -j"$(nproc)"
elapsed "64-bit tests under wine64" "$start"
"$wine" build-win64/bench/win32/present_figure.exe | sed 's/^/   /'
cleanup  # the end to end run starts a desktop of its own

start=$SECONDS
tests/e2e/run-wine-e2e.sh build-win64 build
elapsed "64-bit Tachora.exe end to end under wine64" "$start"
