#!/usr/bin/env bash
# run-e2e.sh BUILD_DIR: the real tachora under Xvfb with openbox, driven by xdotool.
# 1. Start, click "Test CPU Speed", wait for the run, screenshot the result dialog, submit,
#    close the window, screenshot the promotion dialog, close it: the opener recorded the
#    submission and no ranking page.
# 2. Start and close at once: the opener recorded "/ranking.php?ns=1".
# A fake xdg-open first on PATH records the addresses. Screenshots and figures go to
# BUILD_DIR/e2e/.
set -euo pipefail
build=$(cd "${1:?usage: run-e2e.sh BUILD_DIR}" && pwd)
program="$build/app/tachora"
out="$build/e2e"
rm -rf "$out" && mkdir -p "$out/bin"
[ -x "$program" ] || { echo "no program at $program" >&2; exit 1; }

# TACHORA_E2E_DISPLAY picks the display; otherwise the first free one from :91.
display=${TACHORA_E2E_DISPLAY:-}
for n in $(seq 91 120); do
  [ -n "$display" ] && break
  if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then display=":$n"; fi
done
[ -n "$display" ] || { echo "no free display" >&2; exit 1; }
export DISPLAY=$display

pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
}
trap cleanup EXIT

Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >"$out/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >"$out/openbox.log" 2>&1 &
pids+=($!)
sleep 0.5

cat >"$out/bin/xdg-open" <<SCRIPT
#!/bin/sh
printf '%s\n' "\$*" >> "$out/opened.txt"
SCRIPT
chmod +x "$out/bin/xdg-open"
export PATH="$out/bin:$PATH"

fail() { echo "e2e: $*" >&2; exit 1; }

# The id of the visible window with this exact name, waiting up to $2 seconds.
wait_window() {
  local name=$1 limit=$2 id
  for _ in $(seq $((limit * 20))); do
    # Matched by class, then by name: this xdotool's --name search misses SDL's windows.
    for id in $(xdotool search --onlyvisible --classname tachora 2>/dev/null || true); do
      [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$name" ] && { echo "$id"; return 0; }
    done
    sleep 0.05
  done
  return 1
}
click() {  # window id, client x, client y
  xdotool mousemove --window "$1" "$2" "$3" sleep 0.1 click 1
}
wait_exit() {
  for _ in $(seq 100); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.05; done
  return 1
}

echo "== scenario 1: a run, a submission, closing"
start=$(date +%s%N)
"$program" >"$out/tachora.log" 2>&1 &
app=$!
pids+=($app)
main=$(wait_window Tachora 10) || fail "the main window did not show"
shown=$(date +%s%N)
echo "start-up to first frame: $(((shown - start) / 1000000)) ms" | tee "$out/figures.txt"
sleep 1
import -window root "$out/welcome.png"

# Idle on the welcome page: resident memory and processor time over 5 s.
ticks=$(getconf CLK_TCK)
cpu_time() { awk '{print $14 + $15}' "/proc/$app/stat"; }
before=$(cpu_time)
sleep 5
after=$(cpu_time)
rss=$(awk '/VmRSS/ {print $2}' "/proc/$app/status")
echo "resident memory on the welcome page: $((rss / 1024)) MB" | tee -a "$out/figures.txt"
awk -v t=$((after - before)) -v hz="$ticks" \
  'BEGIN {printf "processor use idle on the welcome page: %.2f %% of a core\n", 100 * t / hz / 5}' |
  tee -a "$out/figures.txt"

click "$main" 99 90  # "Test CPU Speed"
result=$(wait_window "Your Tachora Score" 30) || fail "the result dialog did not show"
sleep 1
import -window root "$out/result.png"
click "$result" 307 217  # "Submit My Score"
sleep 0.5
click "$main" 658 11  # "X"
promo=$(wait_window Linkora 10) || fail "the promotion dialog did not show"
sleep 0.5
import -window root "$out/promo.png"
click "$promo" 553 413  # "Close"
wait_exit "$app" || fail "the program did not end after the promotion dialog"

grep -q '/proint/proaddscore.php?macaddress=' "$out/opened.txt" || fail "no submission opened"
grep -q '&ver=3.0.3.3$' "$out/opened.txt" || fail "the submission address is incomplete"
if grep -q 'ranking.php' "$out/opened.txt"; then fail "a ranking page opened after a submission"; fi
cp "$out/opened.txt" "$out/opened-1.txt" && rm "$out/opened.txt"

echo "== scenario 2: closing without a submission"
"$program" >>"$out/tachora.log" 2>&1 &
app=$!
pids+=($app)
main=$(wait_window Tachora 10) || fail "the main window did not show"
sleep 0.5
click "$main" 97 292  # "Exit"
promo=$(wait_window Linkora 10) || fail "the promotion dialog did not show"
[ "$(cat "$out/opened.txt")" = "https://www.tachora.net/ranking.php?ns=1" ] ||
  fail "closing without a submission did not open the ranking page"
click "$promo" 553 413
wait_exit "$app" || fail "the program did not end"

echo "e2e passed; screenshots in $out"
