#!/usr/bin/env bash
# test-wine-hover.sh WIN64_BUILD_DIR: the real 64-bit Tachora.exe under wine64, Xvfb and
# openbox: a navigation button clicked and left by the pointer in one move at once loses
# its hover look. "Tachora Online" (its click opens the browser through the shell) is
# clicked once on an idle program, and four times while the online page's rankings step
# holds the program for a second: the program then finds the click queued behind the
# pointer's leave. Each round is judged once the program has taken all its input.
# Uses WINEPREFIX when set, else makes its own. Screenshots go to WIN64_BUILD_DIR/hover/.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:?usage: test-wine-hover.sh WIN64_BUILD_DIR}" && pwd)
program="$build/app/Tachora.exe"
out="$build/hover"
rm -rf "$out" && mkdir -p "$out"
[ -f "$program" ] || { echo "no program at $program" >&2; exit 1; }

# shellcheck source=wine.sh
source "$root/tests/e2e/wine.sh"

"$wine" "$program" >"$out/tachora.log" 2>&1 &
app=$!
track $app
main=$(wait_window Tachora 30) || fail "the window did not show"
sleep 1
eval "$(xdotool getwindowgeometry --shell "$main")"

ranking=170 online=250  # client rows of "View Online CPU Scores" and "Tachora Online"
# A click where the pointer is, and at once out of the window.
click_and_leave() { xdotool click 1 sleep 0.05 mousemove $((X - 40)) $((Y + 200)); }
ticks() { awk '{print $14 + $15}' "/proc/$app/stat"; }
# Waits until the program has used no processor time for 1.5 s, longer than the rankings
# step's pause, which uses none either (at most 20 s); prints how long that took.
settle() {
  local start=$SECONDS before after idle=0
  before=$(ticks)
  for _ in $(seq 80); do
    sleep 0.25
    after=$(ticks)
    if [ "$after" = "$before" ]; then
      idle=$((idle + 1))
      [ "$idle" -lt 6 ] || { echo $((SECONDS - start)); return 0; }
    else
      idle=0 before=$after
    fi
  done
  return 1
}

kept=0
for round in 1 2 3 4 5; do
  if [ "$round" -gt 1 ]; then
    # The page's transition, map slide and continents take about 2.2 s (a little more
    # when the map slides out first), then the rankings step pauses for a second. The
    # pointer waits on "Tachora Online" meanwhile.
    xdotool mousemove --window "$main" 99 $ranking sleep 0.3 click 1 sleep 0.05 \
      mousemove --window "$main" 99 $online sleep 2.5
  else
    xdotool mousemove --window "$main" 99 $online sleep 0.3
  fi
  click_and_leave
  sleep 1.2
  waited=$(settle) || fail "round $round: the program did not settle"
  import -window root -crop "200x300+$X+$((Y + 21))" +repage "$out/nav-$round.png"
  # The hover look: the upper half of a button of the left column turns red.
  red=$(convert "$out/nav-$round.png" -fx '(r > 0.5 && g < 0.3) ? 1 : 0' -format '%[fx:round(mean*w*h)]' info:)
  echo "round $round: settled after ${waited} s more, $red red pixels in the left column"
  [ "$red" -lt 50 ] || { kept=$((kept + 1)); echo "round $round: a button kept its hover look"; }
done
[ "$kept" = 0 ] || fail "in $kept of 5 rounds a button kept its hover look after the pointer left"
echo "hover test passed"
