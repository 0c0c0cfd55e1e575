#!/usr/bin/env bash
# test-wine-hover.sh WIN64_BUILD_DIR: the real 64-bit Tachora.exe under wine64, Xvfb and
# openbox: a navigation button clicked and left by the pointer in one move at once loses
# its hover look ("Tachora Online", whose click opens the browser through the shell, kept
# it in 3 of 4 tries), for "Show CPU Details" and "Tachora Online" four times each.
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
kept=0
for i in $(seq 8); do
  y=$((167 + (i % 2) * 69))  # "Show CPU Details", "Tachora Online"
  xdotool mousemove --window "$main" 99 "$y" sleep 0.3 click 1 sleep 0.05 \
    mousemove $((X - 40)) $((Y + 200))
  sleep 1.2
  import -window root -crop "200x300+$X+$((Y + 21))" +repage "$out/nav-$i.png"
  # The hover look: the upper half of a button of the left column turns red.
  red=$(convert "$out/nav-$i.png" -fx '(r > 0.5 && g < 0.3) ? 1 : 0' -format '%[fx:round(mean*w*h)]' info:)
  [ "$red" -lt 50 ] || { kept=$((kept + 1)); echo "try $i: the button kept its hover look"; }
done
[ "$kept" = 0 ] || fail "$kept of 8 buttons kept their hover look after the pointer left"
echo "hover test passed"
