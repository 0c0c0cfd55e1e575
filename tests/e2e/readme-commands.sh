#!/usr/bin/env bash
# readme-commands.sh: every command the README shows works as written. Run by
# scripts/test.sh at its end, on CI's fresh clone, after the steps that built the folders
# the commands use. Each command line of the README (its indented lines) must have a row
# below: run here as written (the programs that open a window are started on a virtual
# desktop and closed), run as written by an earlier step of scripts/test.sh, or run here in
# a stated shorter form. A README command with no row fails the check, so a new one cannot
# go untested.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"

work=$(mktemp -d "${TMPDIR:-/tmp}/tachora-readme.XXXXXX")
out=$work/desktop
mkdir -p "$out"
# shellcheck source=desktop.sh
. "$root/tests/e2e/desktop.sh"
trap 'cleanup; rm -rf "$work"' EXIT

# The command lines, without the comments beside them.
mapfile -t commands < <(sed -n 's/^    \([^ #].*\)$/\1/p' README.md | sed 's/ \{2,\}#.*//')

# A program that opens its window: started as the README starts it, its main window must
# show within $2 seconds, and its "X" and the promotion dialog's "Close" must end it with
# status 0. Clicks, not keys: a key sent before the window manager gives the window the
# focus is lost.
run_window() {
  local command=$1 limit=$2 main promo pid status=0
  bash -c "$command" >"$work/window.log" 2>&1 &
  pid=$!
  track $pid
  main=$(wait_window Tachora "$limit") || { cat "$work/window.log" >&2; fail "$command: no window"; }
  sleep 1
  click "$main" 658 11 # "X"
  promo=$(wait_window Linkora 20) || fail "$command: no promotion dialog on closing"
  sleep 0.5
  click "$promo" 553 413 # "Close"
  for _ in $(seq 400); do kill -0 $pid 2>/dev/null || break; sleep 0.05; done
  kill -0 $pid 2>/dev/null && fail "$command: did not end"
  wait $pid || status=$?
  [ "$status" = 0 ] || { cat "$work/window.log" >&2; fail "$command: ended with status $status"; }
}

# The scripts earlier steps of scripts/test.sh run (as written or with a build folder).
ran_by_test_sh() {
  grep -qF "$1" scripts/test.sh scripts/test-windows.sh ||
    fail "the README shows $1, which scripts/test.sh does not run"
}

wine_setup=()  # the README's wine session, run as one shell
for command in "${commands[@]}"; do
  case "$command" in
    "scripts/run.sh")
      run_window "$command" 300 ;;
    "scripts/test.sh") ;;  # the run this check is part of
    scripts/test-e2e.sh* | scripts/test-fuzz.sh* | scripts/test-monkey.sh* | \
      tests/e2e/closes.sh* | tests/e2e/scaling.sh* | tests/e2e/test-installer.sh* | \
      tests/e2e/test-wine-hover.sh*)
      ran_by_test_sh "${command%% *}" ;;
    scripts/build.sh\ build-win*)
      bash -c "$command" ;;
    scripts/setup-wine32.sh | "export WINEPREFIX="* | *" wineboot "* | scripts/wine-fonts.sh*)
      wine_setup+=("$command") ;;
    /usr/lib/wine/wine*" build-win"*/app/Tachora.exe)
      # The prefix goes where the README puts it, made anew for this run.
      [ ${#wine_setup[@]} -eq 4 ] || fail "the README's wine session changed: ${wine_setup[*]}"
      if [ -z "${WINEPREFIX:-}" ]; then
        eval "${wine_setup[1]}"
        rm -rf "$WINEPREFIX"
        (unset DISPLAY; bash -c "${wine_setup[0]} >/dev/null && ${wine_setup[2]} && ${wine_setup[3]}")
        export WINEDEBUG=-all
      fi
      run_window "$command" 120 ;;
    "cmake --build build --target package" | build/tools/tachora-info* | \
      build/gallery/transition-gallery | "TARGETS="*)
      bash -c "$command" >/dev/null ;;
    "sudo apt install ./build/"*.deb)
      # As root on CI, where sudo may be missing; the package is removed again after.
      if [ "$(id -u)" = 0 ] && ! command -v sudo >/dev/null; then
        bash -c "${command#sudo }" >/dev/null 2>&1
      else
        bash -c "$command" >/dev/null 2>&1
      fi
      [ -x /usr/bin/tachora-info ] && /usr/bin/tachora-info --version >/dev/null ||
        fail "$command did not install a working tachora-info"
      apt-get remove -y tachora >/dev/null 2>&1 ;;
    "cmake --install build --prefix ~/.local")
      HOME=$work/home bash -c "$command" >/dev/null
      [ -x "$work/home/.local/bin/tachora" ] || fail "$command installed no program" ;;
    build/bench/transition_styles_bench)
      # Every style once, briefly: the figures themselves are for people to read.
      "$command" --benchmark_min_time=0.001 >/dev/null ;;
    bench/clock-accuracy.sh*)
      # Two runs each instead of a hundred: that the script works, not its figures.
      bash -c "${command/clock-accuracy.sh/clock-accuracy.sh -n 2}" >/dev/null ;;
    *) fail "the README shows a command this check does not know: $command" ;;
  esac
done
# The sheet the gallery drew is the one in the repository.
git diff --quiet -- docs/transition-styles.png ||
  fail "docs/transition-styles.png is not what build/gallery/transition-gallery draws"
[ -z "${WINEPREFIX:-}" ] || { /usr/lib/wine/wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX"; }
echo "every README command works as written (${#commands[@]} lines)"
