#!/usr/bin/env bash
# run-wine-e2e.sh WINDOWS_BUILD_DIR [LINUX_BUILD_DIR]: the real Tachora.exe of a 32-bit or
# 64-bit build under the wine of its kind (the 32-bit one through scripts/setup-wine32.sh's
# set-up), Xvfb and openbox (without a window manager every window hide costs wine 2 s),
# driven by xdotool:
# 1. its 670 x 611 window appears centred on the screen; screenshots of the welcome and
#    CPU details pages match the Linux program's outside the text areas (text comes from
#    GDI here, from FreeType there);
# 2. "Test CPU Speed" runs to the result dialog; "Submit My Score" reaches a fake
#    xdg-open on PATH (where wine's browser launch ends) with the submission address;
# 3. closing shows the promotion dialog, and the program exits with status 0.
# Uses WINEPREFIX when set (scripts/test-windows.sh prepares one), else makes its own.
# Screenshots and figures go to WINDOWS_BUILD_DIR/e2e/.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:?usage: run-wine-e2e.sh WINDOWS_BUILD_DIR [LINUX_BUILD_DIR]}" && pwd)
linux=$(cd "${2:-$root/build}" && pwd)
program="$build/app/Tachora.exe"
out="$build/e2e"
rm -rf "$out" && mkdir -p "$out/bin"
[ -f "$program" ] || { echo "no program at $program" >&2; exit 1; }
[ -x "$linux/app/tachora" ] || { echo "no Linux program at $linux/app/tachora" >&2; exit 1; }
# shellcheck source=wine.sh
source "$root/tests/e2e/wine.sh"
elapsed_ms() { echo $((($(date +%s%N) - $1) / 1000000)); }

# A warm wineserver, as a user's desktop has one (after one still ending has ended), with
# its session's services running: the first program of a session waits for wine to
# start them, which would otherwise count in the start-up figure below.
"$wineserver" -w
"$wineserver" -p
"$wine" cmd /c exit >/dev/null 2>&1 || true

# Wine takes a little longer than SDL to see the pointer arrive.
click() {  # window id, client x, client y
  xdotool mousemove --window "$1" "$2" "$3" sleep 0.2 click 1
}
park_pointer() { xdotool mousemove 1270 1010; }
# Screenshot of one window's client area.
shoot() {  # window id, file
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$1")"
  import -window root -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage "$2"
}
# The same once a page has settled: two shots half a second apart are alike (a page
# change under QEMU's emulation takes far longer than natively).
shoot_settled() {  # window id, file
  local previous=$2.previous.png
  shoot "$1" "$previous"
  for _ in $(seq 120); do
    sleep 0.5
    shoot "$1" "$2"
    [ "$(compare -metric AE "$previous" "$2" null: 2>&1 || true)" = 0 ] && break
    mv "$2" "$previous"
  done
  rm -f "$previous"
}

echo "== the Linux program's welcome and CPU details pages, for comparison"
"$linux/app/tachora" >"$out/linux.log" 2>&1 &
linux_app=$!
track "$linux_app"
sleep 0.2
linux_main=$(wait_window Tachora 15) || fail "the Linux program's window did not show"
park_pointer
shoot_settled "$linux_main" "$out/welcome-linux.png"
click "$linux_main" 99 130  # "Show CPU Details"
park_pointer
sleep 1
shoot_settled "$linux_main" "$out/details-linux.png"
click "$linux_main" 99 90  # "Test CPU Speed"
linux_result=$(wait_window "Your Tachora Score" 30) || fail "the Linux program's run did not end"
xdotool key Escape
wait_gone "$linux_result" || fail "Escape did not close the Linux program's result dialog"
park_pointer
sleep 1
shoot "$linux_main" "$out/test-linux.png"
kill "$linux_app"
wait "$linux_app" 2>/dev/null || true
sleep 0.5

# Pixels outside the text areas (captions, labels, links) match the Linux program's.
# The buttons' captions and the status line are on every page.
common_text=(30,42,170,58 30,82,170,98 30,122,170,138 30,162,170,178 30,202,170,218
  30,242,170,258 30,282,170,298 5,336,200,353 5,593,200,611 650,4,665,18
  215,30,350,65 215,278,460,330)
welcome_text=(20,370,290,583 410,378,660,582)
test_text=(515,380,650,428)  # the result, which blinks
details_text=(28,376,300,395 28,400,132,561 140,400,390,561 398,400,482,443 488,400,632,443)
# JPEG artwork (the test page's medal) is decoded by libjpeg there and stb_image here,
# which differ by up to 2 levels; everything else is drawn by the program's own code and
# must match exactly.
compare_page() {  # page name, allowed difference (0 or 1%), text areas...
  local page=$1 fuzz=$2 side picture masks=() r differing
  shift 2
  for r in "${common_text[@]}" "$@"; do masks+=(-draw "rectangle ${r//,/ }"); done
  for side in linux windows; do
    picture=$out/$page.png
    [ "$side" = windows ] || picture=$out/$page-linux.png
    convert "$picture" -fill black "${masks[@]}" "$out/$page-$side-masked.png"
  done
  differing=$(compare -metric AE -fuzz "$fuzz" "$out/$page-linux-masked.png" \
    "$out/$page-windows-masked.png" "$out/$page-difference.png" 2>&1 || true)
  echo "$page page pixels differing from Linux outside text: $differing" |
    tee -a "$out/figures.txt"
  [ "$differing" = 0 ] || fail "the $page page differs from the Linux one in $differing pixels"
}

echo "== Tachora.exe: start, its pages, a run, a submission, closing"
start=$(date +%s%N)
"$wine" "$program" >"$out/tachora.log" 2>&1 &
app=$!
track "$app"
main=$(wait_window Tachora 300) || fail "the main window did not show"
echo "start-up to the window shown (warm wineserver): $(elapsed_ms "$start") ms" |
  tee "$out/figures.txt"
eval "$(xdotool getwindowgeometry --shell "$main")"
[ "${WIDTH}x$HEIGHT" = 670x611 ] || fail "the main window is ${WIDTH}x$HEIGHT, not 670x611"
screen=$(xdotool getdisplaygeometry)
centre_x=$(((${screen% *} - WIDTH) / 2))
centre_y=$(((${screen#* } - HEIGHT) / 2))
echo "main window at ($X, $Y) on a ${screen/ / x } screen" | tee -a "$out/figures.txt"
[ "$X,$Y" = "$centre_x,$centre_y" ] || fail "the main window is not centred at ($centre_x, $centre_y)"
park_pointer
shoot_settled "$main" "$out/welcome.png"
compare_page welcome 0 "${welcome_text[@]}"
# Idle on the welcome page: processor time over 5 s.
idle_cpu "$app" 5 | tee -a "$out/figures.txt"
click "$main" 99 130  # "Show CPU Details"
park_pointer
sleep 1
shoot_settled "$main" "$out/details.png"
compare_page details 0 "${details_text[@]}"

click "$main" 99 90  # "Test CPU Speed"
result=$(wait_window "Your Tachora Score" 300) || fail "the result dialog did not show"
park_pointer
sleep 1
shoot "$result" "$out/result.png"
import -window root "$out/result-screen.png"
click "$result" 307 217  # "Submit My Score"
for _ in $(seq 600); do [ -s "$out/opened.txt" ] && break; sleep 0.1; done
[ -s "$out/opened.txt" ] || fail "the submission did not reach the browser"
grep -q '/proint/proaddscore.php?macaddress=' "$out/opened.txt" || fail "no submission opened"
grep -q '&ver=3.0.3.3$' "$out/opened.txt" || fail "the submission address is incomplete"
# The Windows identity (a network adapter's address through a time-based UUID) and facts.
grep -Eq 'macaddress=[0-9A-F]{12}&' "$out/opened.txt" || fail "the submission has no machine identity"
grep -Eq '&cpudesc=[^&]+&vendor=[^&]+&speedpub=[^&]*&family=[^&]+&' "$out/opened.txt" ||
  fail "the submission lacks the machine facts"
speed=$(sed -n 's/.*[?&]speed=\([0-9]*\).*/\1/p' "$out/opened.txt" | head -1)
[ "${speed:-0}" -gt 0 ] || fail "the submission carries no measured speed"
echo "measured and submitted: $speed MHz" | tee -a "$out/figures.txt"
wait_gone "$result" || fail "the result dialog stayed after the submission"
park_pointer
sleep 1
shoot "$main" "$out/test.png"
compare_page test 1% "${test_text[@]}"

click "$main" 658 11  # "X"
promo=$(wait_window Linkora 120) || fail "the promotion dialog did not show"
park_pointer
sleep 0.5
shoot "$promo" "$out/promo.png"
click "$promo" 553 413  # "Close"
wait_exit "$app" 120 || fail "the program did not end with status 0 after the promotion dialog"
if grep -q 'ranking.php' "$out/opened.txt"; then fail "a ranking page opened after a submission"; fi

echo "wine e2e passed; screenshots in $out"
