#!/usr/bin/env bash
# run-e2e.sh BUILD_DIR: the real tachora under Xvfb with openbox, driven by xdotool.
# 1. A run; a click on the main window while the result dialog is open leaves the dialog
#    on top (the window manager's stacking order) and changes nothing; Escape closes it;
#    a second run's dialog submits with Return; closing shows the promotion dialog: the
#    opener recorded the submission and no ranking page.
# 2. Start and close with "Exit": the opener recorded "/ranking.php?ns=1".
# 3. Alt+F4 before any run: the promotion dialog, Escape closes it and the program.
# 4. "X" within a second of "Test CPU Speed": the promotion dialog, no result dialog; the
#    program ends when the promotion dialog is closed.
# 5. SIGTERM during a run: the program ends at once, with no dialog and no web page.
# 6. Start with a font configuration that has no fonts: one warning names the missing
#    face, and the captions are drawn with a face that exists.
# Dragging by the caption and letting go at once after the last move leaves the window
# (the main window in 2, the result dialog in 1) exactly where the pointer took it.
# Every run must end with status 0. A fake xdg-open records the addresses. Screenshots and
# figures go to BUILD_DIR/e2e/.
set -euo pipefail
build=$(cd "${1:?usage: run-e2e.sh BUILD_DIR}" && pwd)
program="$build/app/tachora"
out="$build/e2e"
rm -rf "$out" && mkdir -p "$out"
[ -x "$program" ] || { echo "no program at $program" >&2; exit 1; }

. "$(dirname "$0")/desktop.sh"

# The window manager's stacking order of its windows, bottom to top, in decimal.
stacking() {
  local id
  for id in $(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,/ /g'); do
    printf '%d\n' "$id"
  done
}
above() {  # window id, window id: the first is stacked above the second
  local order
  order=$(stacking)
  [ "$(grep -n -x "$1" <<<"$order" | cut -d: -f1)" -gt "$(grep -n -x "$2" <<<"$order" | cut -d: -f1)" ]
}
# Presses the caption at a client point, moves by dx, dy in ten quick steps and lets go
# at once: the window must have moved by exactly that much.
drag_by() {  # window id, client x, client y, dx, dy
  local X Y WIDTH HEIGHT SCREEN WINDOW x0 y0
  eval "$(xdotool getwindowgeometry --shell "$1")"
  x0=$X y0=$Y
  xdotool mousemove --window "$1" "$2" "$3" sleep 0.2 mousedown 1 sleep 0.1
  for _ in $(seq 10); do xdotool mousemove_relative -- $(($4 / 10)) $(($5 / 10)); done
  xdotool mouseup 1
  sleep 0.4
  eval "$(xdotool getwindowgeometry --shell "$1")"
  [ $((X - x0)) = "$4" ] && [ $((Y - y0)) = "$5" ] ||
    fail "a drag by $4,$5 moved the window by $((X - x0)),$((Y - y0))"
}
start_program() {
  "$program" >>"$out/tachora.log" 2>&1 &
  app=$!
  track $app
}

echo "== scenario 1: a run, a click on the main window under its dialog, Escape, a submission"
start=$(date +%s%N)
start_program
main=$(wait_window Tachora 10) || fail "the main window did not show"
shown=$(date +%s%N)
echo "start-up to first frame: $(((shown - start) / 1000000)) ms" | tee "$out/figures.txt"
sleep 1
import -window root "$out/welcome.png"

# Idle on the welcome page: processor time over 5 s, then resident memory.
idle=$(idle_cpu "$app" 5)
rss=$(awk '/VmRSS/ {print $2}' "/proc/$app/status")
echo "resident memory on the welcome page: $((rss / 1024)) MB" | tee -a "$out/figures.txt"
echo "$idle" | tee -a "$out/figures.txt"

click "$main" 99 90  # "Test CPU Speed"
result=$(wait_window "Your Tachora Score" 30) || fail "the result dialog did not show"
sleep 1
import -window root "$out/result.png"
[ "$(xprop -id "$result" WM_TRANSIENT_FOR | sed 's/.*# //')" = "$(printf '0x%x' "$main")" ] ||
  fail "the result dialog is not transient for the main window"
drag_by "$result" 200 10 -60 40
drag_by "$result" 200 10 60 -40
click "$main" 60 210  # "About Tachora", beside the dialog
sleep 0.5
import -window root "$out/result-after-click.png"
above "$result" "$main" || fail "a click on the main window put it above the result dialog"
xdotool key Escape
wait_gone "$result" || fail "Escape did not close the result dialog"
sleep 0.3
import -window root "$out/after-escape.png"
[ ! -e "$out/opened.txt" ] || fail "something opened before any submission: $(cat "$out/opened.txt")"

click "$main" 295 456  # "Click here to test again", still on the test page
result=$(wait_window "Your Tachora Score" 30) || fail "the second result dialog did not show"
sleep 0.5
xdotool key Return  # the default button, "Submit My Score"
wait_gone "$result" || fail "Return did not close the result dialog"
click "$main" 658 11  # "X"
promo=$(wait_window Linkora 10) || fail "the promotion dialog did not show"
sleep 0.5
import -window root "$out/promo.png"
click "$promo" 553 413  # "Close"
wait_exit "$app" || fail "the program did not end after the promotion dialog"

grep -q '/proint/proaddscore.php?macaddress=' "$out/opened.txt" || fail "no submission opened"
grep -q '&ver=3.0.3.3$' "$out/opened.txt" || fail "the submission address is incomplete"
if grep -q 'ranking.php' "$out/opened.txt"; then fail "a ranking page opened after a submission"; fi
mv "$out/opened.txt" "$out/opened-1.txt"

echo "== scenario 2: dragging by the caption, closing without a submission"
start_program
main=$(wait_window Tachora 10) || fail "the main window did not show"
sleep 0.5
for _ in 1 2 3 4 5; do
  drag_by "$main" 300 10 -80 60
  drag_by "$main" 300 10 80 -60
done
click "$main" 97 292  # "Exit"
promo=$(wait_window Linkora 10) || fail "the promotion dialog did not show"
[ "$(cat "$out/opened.txt")" = "https://www.tachora.net/ranking.php?ns=1" ] ||
  fail "closing without a submission did not open the ranking page"
click "$promo" 553 413
wait_exit "$app" || fail "the program did not end"
rm "$out/opened.txt"

echo "== scenario 3: Alt+F4 before any run"
start_program
main=$(wait_window Tachora 10) || fail "the main window did not show"
sleep 0.5
xdotool windowactivate --sync "$main" key alt+F4
promo=$(wait_window Linkora 10) || fail "Alt+F4 did not show the promotion dialog"
sleep 0.5
import -window root "$out/promo-after-alt-f4.png"
[ "$(cat "$out/opened.txt")" = "https://www.tachora.net/ranking.php?ns=1" ] ||
  fail "Alt+F4 did not open the ranking page"
xdotool key Escape
wait_exit "$app" || fail "Escape on the promotion dialog did not end the program"
rm "$out/opened.txt"

echo "== scenario 4: closing within a second of \"Test CPU Speed\""
start_program
main=$(wait_window Tachora 10) || fail "the main window did not show"
sleep 0.5
click "$main" 99 90
sleep 0.5
click "$main" 658 11
promo=$(wait_window Linkora 10) || fail "the promotion dialog did not show"
sleep 3  # longer than the ramp's wait: a run going on would be climbing now
import -window root "$out/promo-during-run.png"
if wait_window "Your Tachora Score" 1 >/dev/null; then fail "a result dialog opened"; fi
click "$promo" 553 413
wait_exit "$app" 2 || fail "the program did not end when the promotion dialog closed"
rm "$out/opened.txt"

echo "== scenario 5: SIGTERM during a run"
start_program
main=$(wait_window Tachora 10) || fail "the main window did not show"
sleep 0.5
click "$main" 99 90
sleep 3
term=$(date +%s%N)
kill -TERM "$app"
wait_exit "$app" 2 || fail "the program did not end on SIGTERM"
echo "SIGTERM during a run to the end of the program: $((($(date +%s%N) - term) / 1000000)) ms" |
  tee -a "$out/figures.txt"
[ ! -e "$out/opened.txt" ] || fail "SIGTERM opened $(cat "$out/opened.txt")"

echo "== scenario 6: no fonts in the font configuration"
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
