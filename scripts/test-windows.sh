#!/usr/bin/env bash
# The Windows cross builds: the 32-bit shipping build must compile and link; the 64-bit
# build's tests run under wine64 (Debian cannot install wine32) in a throw-away prefix.
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
cleanup() {
  [ -z "$boot_pid" ] || wait "$boot_pid" 2>/dev/null || true
  "$wineserver" -k 2>/dev/null || true
  "$wineserver" -w 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

elapsed() { printf '   %s: %d s\n' "$1" $((SECONDS - $2)); }

# The prefix initialises (about 15 s, mostly waiting) while the compilers run.
(
  boot_start=$(date +%s)
  "$wine" wineboot --init >"$work/boot.log" 2>&1
  echo $(($(date +%s) - boot_start)) >"$work/boot.seconds"
) &
boot_pid=$!

start=$SECONDS
scripts/build.sh build-win32 -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-w64-mingw32.cmake"
elapsed "32-bit build" "$start"

start=$SECONDS
scripts/build.sh build-win64 -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64-w64-mingw32.cmake"
elapsed "64-bit build" "$start"

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

start=$SECONDS
ctest --test-dir build-win64 --output-on-failure -j"$(nproc)"
elapsed "64-bit tests under wine64" "$start"
