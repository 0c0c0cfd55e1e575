#!/usr/bin/env bash
# The Windows cross builds, both run under wine: the 32-bit shipping build under the
# 32-bit wine (natively where the kernel runs 32-bit programs, else under QEMU's
# user-mode emulator, set up by scripts/setup-wine32.sh) and the 64-bit one under wine64.
# Each build's tests run in one WoW64 prefix on a virtual display, then each real
# Tachora.exe end to end (tests/e2e/run-wine-e2e.sh, against the native build in build/,
# which it builds when missing; the 64-bit one also tests/e2e/test-wine-hover.sh) and its
# setup program (tests/e2e/test-installer.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/setup-wine32.sh
# Wine under QEMU needs the low 4 GiB reserved for it; natively the variable is unused.
export QEMU_RESERVED_VA=0xf7000000
wine64=/usr/lib/wine/wine64
wine32=/usr/lib/wine/wine
wineserver=/usr/lib/wine/wineserver
for tool in "$wine64" "$wine32" "$wineserver"; do
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

# The WoW64 prefix, which runs both builds, initialises while the compilers run.
(
  boot_start=$(date +%s)
  DISPLAY= "$wine64" wineboot --init >"$work/boot.log" 2>&1
  scripts/wine-fonts.sh "$WINEPREFIX"
  # The boot's desktop has no display, and a program started while it lives would see
  # its 1024 x 768 screen: the tests need a fresh wineserver and desktop.
  "$wineserver" -w
  echo $(($(date +%s) - boot_start)) >"$work/boot.seconds"
) &
boot_pid=$!

start=$SECONDS
scripts/build.sh build-win32 -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-w64-mingw32.cmake"
tests/e2e/check-windows-exe.sh build-win32/app/Tachora.exe i386
tests/e2e/check-windows-exe.sh build-win32/tools/tachora-info.exe i386
elapsed "32-bit build and static check" "$start"

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

# wine64 given a 32-bit program exits 0 without running it: a suite counts only when
# GoogleTest's own summary says its tests passed.
run_suites() {  # build folder, label
  local start=$SECONDS log=$work/ctest-$2.log
  ctest --test-dir "$1" --output-on-failure -j"$(nproc)" -V >"$log" 2>&1 ||
    { grep -v '^[0-9]*: \[ \(RUN\|  *OK\) ' "$log" >&2; exit 1; }
  local ran suites summaries
  ran=$(sed -n 's/^[0-9]*: \[  PASSED  \] \([0-9]*\) tests\?\..*/\1/p' "$log" | paste -sd+ | bc)
  suites=$(grep -c '^ *[0-9]*/[0-9]* Test *#[0-9]*: .* Passed' "$log")
  summaries=$(grep -c '^[0-9]*: \[  PASSED  \]' "$log")
  [ "$suites" -gt 0 ] && [ "$summaries" -eq "$suites" ] ||
    { echo "test-windows: $suites $2 suites passed, $summaries said so themselves" >&2; exit 1; }
  elapsed "$2 tests under wine: $suites suites, $ran tests passed" "$start"
}
run_suites build-win32 32-bit
run_suites build-win64 64-bit
"$wine64" build-win64/bench/win32/present_figure.exe | sed 's/^/   64-bit: /'
"$wine32" build-win32/bench/win32/present_figure.exe | sed 's/^/   32-bit: /'
cleanup  # the end to end runs start desktops of their own

[ -x build/app/tachora ] || scripts/build.sh build
for bits in 32 64; do
  start=$SECONDS
  tests/e2e/run-wine-e2e.sh "build-win$bits" build
  elapsed "$bits-bit Tachora.exe end to end" "$start"
  if [ "$bits" = 64 ]; then
    start=$SECONDS
    tests/e2e/test-wine-hover.sh build-win64
    elapsed "64-bit Tachora.exe: buttons lose their hover look" "$start"
  fi
  start=$SECONDS
  tests/e2e/test-installer.sh "build-win$bits"
  elapsed "$bits-bit setup program: install, start, uninstall" "$start"
done
