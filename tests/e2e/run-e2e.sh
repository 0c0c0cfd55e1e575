#!/usr/bin/env bash
# run-e2e.sh BUILD_DIR: the real tachora under Xvfb with openbox, driven by xdotool.
# 1. Start, click "Test CPU Speed", wait for the run, screenshot the result dialog, submit,
#    close the window, screenshot the promotion dialog, close it: the opener recorded the
#    submission and no ranking page.
# 2. Start and close at once: the opener recorded "/ranking.php?ns=1".
# 3. Start with a font configuration that has no fonts: one warning names the missing
#    face, and the captions are drawn with a face that exists.
# Every run must end with status 0. A fake xdg-open records the addresses. Screenshots and
# figures go to BUILD_DIR/e2e/.
set -euo pipefail
build=$(cd "${1:?usage: run-e2e.sh BUILD_DIR}" && pwd)
program="$build/app/tachora"
out="$build/e2e"
rm -rf "$out" && mkdir -p "$out"
[ -x "$program" ] || { echo "no program at $program" >&2; exit 1; }

. "$(dirname "$0")/desktop.sh"

echo "== scenario 1: a run, a submission, closing"
start=$(date +%s%N)
"$program" >"$out/tachora.log" 2>&1 &
app=$!
track $app
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
track $app
main=$(wait_window Tachora 10) || fail "the main window did not show"
sleep 0.5
click "$main" 97 292  # "Exit"
promo=$(wait_window Linkora 10) || fail "the promotion dialog did not show"
[ "$(cat "$out/opened.txt")" = "https://www.tachora.net/ranking.php?ns=1" ] ||
  fail "closing without a submission did not open the ranking page"
click "$promo" 553 413
wait_exit "$app" || fail "the program did not end"

echo "== scenario 3: no fonts in the font configuration"
printf '<?xml version="1.0"?>\n<fontconfig></fontconfig>\n' >"$out/no-fonts.conf"
FONTCONFIG_FILE="$out/no-fonts.conf" "$program" >"$out/no-fonts.log" 2>&1 &
app=$!
track $app
main=$(wait_window Tachora 10) || fail "the main window did not show without fonts"
sleep 1
import -window root "$out/no-fonts.png"
[ "$(grep -c 'not found; using' "$out/no-fonts.log")" = 1 ] ||
  fail "not one warning about the missing face: $(cat "$out/no-fonts.log")"
grep -q '^tachora: font "Arial" (Liberation Sans) not found; using Tahoma instead$' \
  "$out/no-fonts.log" || fail "the warning does not name the missing face"
click "$main" 97 292  # "Exit"
promo=$(wait_window Linkora 10) || fail "the promotion dialog did not show"
click "$promo" 553 413
wait_exit "$app" || fail "the program did not end"

echo "e2e passed; screenshots in $out"
