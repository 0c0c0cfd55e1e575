#!/usr/bin/env bash
# scaling.sh BUILD_DIR: the real tachora on a dense screen, under Xvfb (2560 x 1600) with
# openbox, driven by xdotool:
# 1. with the X resource Xft.dpi 192 the main window is 1340 x 1222, twice its design;
#    "Test CPU Speed" clicked at screen coordinates twice the design's runs a test whose
#    result dialog is 928 x 532; Escape closes it;
# 2. TACHORA_SCALE=1.5 gives 1005 x 917, and TACHORA_SCALE=1 the design's 670 x 611
#    whatever the screen says;
# 3. the caption drags the 2x window by the pointer's motion.
# Every run ends with status 0. Screenshots go to BUILD_DIR/e2e-scaling/: look at them.
set -euo pipefail
build=$(cd "${1:?usage: scaling.sh BUILD_DIR}" && pwd)
program="$build/app/tachora"
out="$build/e2e-scaling"
rm -rf "$out" && mkdir -p "$out"
[ -x "$program" ] || { echo "no program at $program" >&2; exit 1; }
export TACHORA_E2E_SCREEN=2560x1600
. "$(dirname "$0")/desktop.sh"
echo "Xft.dpi: 192" | xrdb -merge

size_of() {  # window id: "WIDTHxHEIGHT"
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$1")"
  echo "${WIDTH}x$HEIGHT"
}
shoot() {  # window id, file: the window's pixels
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$1")"
  import -window root -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage "$2"
}
close_program() {  # main window id, scale in percent
  xdotool mousemove --window "$1" $((97 * $2 / 100)) $((292 * $2 / 100)) sleep 0.2 click 1
  local promo
  promo=$(wait_window Linkora 10) || fail "the promotion dialog did not show"
  xdotool windowactivate --sync "$promo" key Escape
  wait_exit "$app" || fail "the program did not end with status 0"
}

echo "== Xft.dpi 192: twice the design"
"$program" >"$out/tachora-2x.log" 2>&1 &
app=$!
track $app
main=$(wait_window Tachora 10) || fail "the main window did not show"
sleep 1
[ "$(size_of "$main")" = 1340x1222 ] || fail "the 2x window is $(size_of "$main")"
shoot "$main" "$out/welcome-2x.png"
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool mousemove $((X + 600)) $((Y + 20)) mousedown 1 sleep 0.1 mousemove $((X + 500)) $((Y + 60)) \
  sleep 0.1 mouseup 1
sleep 0.5
before_x=$X before_y=$Y
eval "$(xdotool getwindowgeometry --shell "$main")"
[ $((before_x - X)) = 100 ] && [ $((Y - before_y)) = 40 ] ||
  fail "a drag by -100,40 moved the window by $((X - before_x)),$((Y - before_y))"
xdotool mousemove --window "$main" 198 180 sleep 0.2 click 1  # "Test CPU Speed" at (99, 90)
result=$(wait_window "Your Tachora Score" 30) || fail "the result dialog did not show"
sleep 1
[ "$(size_of "$result")" = 928x532 ] || fail "the 2x result dialog is $(size_of "$result")"
shoot "$result" "$out/result-2x.png"
shoot "$main" "$out/test-2x.png"
xdotool key Escape
sleep 0.5
close_program "$main" 200

echo "== TACHORA_SCALE=1.5 and TACHORA_SCALE=1"
for scale in 1.5:150:1005x917 1:100:670x611; do
  IFS=: read -r setting percent size <<<"$scale"
  TACHORA_SCALE=$setting "$program" >"$out/tachora-$percent.log" 2>&1 &
  app=$!
  track $app
  main=$(wait_window Tachora 10) || fail "the main window did not show at $setting"
  sleep 1
  [ "$(size_of "$main")" = "$size" ] || fail "at $setting the window is $(size_of "$main")"
  shoot "$main" "$out/welcome-$percent.png"
  close_program "$main" "$percent"
done
echo "scaling e2e passed; screenshots in $out"
