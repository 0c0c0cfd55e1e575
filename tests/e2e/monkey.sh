#!/usr/bin/env bash
# monkey.sh BUILD_DIR [SECONDS] [SEED]: random clicks, drags and keys over every window of
# the real tachora under Xvfb with openbox for SECONDS (75 by default). All keys are let
# go after each action. After each burst of actions the program must still be running, or
# have ended by itself (closing is one of the things a monkey does) with status 0, when
# it is started again; and its window must still repaint: moved mostly off the screen
# and back, it must show its picture again. A sanitizer report fails the run. The seed
# is printed; the same seed replays the same actions.
set -euo pipefail
build=$(cd "${1:?usage: monkey.sh BUILD_DIR [SECONDS] [SEED]}" && pwd)
seconds=${2:-75}
seed=${3:-$(($(date +%s%N) / 1000 % 1000000))}
program="$build/app/tachora"
out="$build/monkey"
rm -rf "$out" && mkdir -p "$out"
[ -x "$program" ] || { echo "no program at $program" >&2; exit 1; }

. "$(dirname "$0")/desktop.sh"

RANDOM=$seed
echo "monkey: seed $seed (replay: $0 $1 $seconds $seed)"
log="$out/tachora.log"
actions=0
starts=0

sanitizer_report() { grep -qE 'ERROR: (Address|Leak)Sanitizer|runtime error:' "$log"; }
monkey_fail() {
  echo "monkey: $* (seed $seed, after $actions actions; the last ones are in $out/actions.txt)" >&2
  tail -n 40 "$log" >&2
  exit 1
}

start_program() {
  "$program" >>"$log" 2>&1 &
  app=$!
  track $app
  starts=$((starts + 1))
  wait_window Tachora 20 >/dev/null || monkey_fail "the main window did not show"
}

# A random point inside a window, on the 1280 x 1024 screen: sets px and py.
random_point() {
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$1" 2>/dev/null)" || return 1
  px=$((X + RANDOM % WIDTH))
  py=$((Y + RANDOM % HEIGHT))
  # A drag can leave a window partly off the screen; xdotool takes no negative point.
  px=$((px < 0 ? 0 : px > 1279 ? 1279 : px))
  py=$((py < 0 ? 0 : py > 1023 ? 1023 : py))
}

# Keys a user may press; Alt+F4 closes a window through the window manager.
keys=(Escape Return Tab shift+Tab space Left Right Up Down BackSpace a x 1 F1 alt+F4)

act() {
  local windows id kind
  mapfile -t windows < <(program_windows)
  ((${#windows[@]})) || return 0
  id=${windows[RANDOM % ${#windows[@]}]}
  random_point "$id" || return 0
  kind=$((RANDOM % 10))
  if ((kind < 5)); then
    echo "click $px $py" >>"$out/actions.txt"
    xdotool mousemove "$px" "$py" click 1
  elif ((kind < 6)); then
    echo "double click $px $py" >>"$out/actions.txt"
    xdotool mousemove "$px" "$py" click --repeat 2 1
  elif ((kind < 7)); then
    echo "right click $px $py" >>"$out/actions.txt"
    xdotool mousemove "$px" "$py" click 3
  elif ((kind < 8)); then
    local fromX=$px fromY=$py
    random_point "$id" || return 0
    echo "drag $fromX $fromY to $px $py" >>"$out/actions.txt"
    xdotool mousemove "$fromX" "$fromY" mousedown 1 sleep 0.05 \
      mousemove $(((fromX + px) / 2)) $(((fromY + py) / 2)) sleep 0.05 \
      mousemove "$px" "$py" sleep 0.05 mouseup 1
  else
    local key=${keys[RANDOM % ${#keys[@]}]}
    echo "key $key over $px $py" >>"$out/actions.txt"
    xdotool mousemove "$px" "$py" key "$key"
  fi
  xdotool keyup Shift_L Shift_R Control_L Control_R Alt_L Alt_R 2>/dev/null || true
  actions=$((actions + 1))
}

# The main window (or the window left) moved mostly off the screen and back must show
# its picture again: what was off the screen is lost until the program repaints it.
check_repaint() {
  local id X Y WIDTH HEIGHT SCREEN WINDOW spread
  id=$(wait_window Tachora 1) || id=$(program_windows | head -n 1)
  [ -n "$id" ] || return 0
  eval "$(xdotool getwindowgeometry --shell "$id" 2>/dev/null)" || return 0
  xdotool windowmove "$id" $((40 - WIDTH)) 100 sleep 0.3 windowmove "$id" 100 100 || return 0
  # The left half was off the screen: a window that does not repaint shows it flat black.
  # Up to 3 s: the online page's rankings step pauses a second without painting, and the
  # sanitizer build is slow.
  for _ in 1 2 3; do
    sleep 1
    import -window "$id" "$out/repaint.png" 2>/dev/null || return 0
    spread=$(convert "$out/repaint.png" -crop "$((WIDTH / 2))x${HEIGHT}+0+0" \
      -format '%[fx:standard_deviation]' info:)
    awk -v s="$spread" 'BEGIN { exit !(s > 0.05) }' && return 0
  done
  monkey_fail "the window did not repaint (its picture is flat: $spread)"
}

start_program
end=$((SECONDS + seconds))
while ((SECONDS < end)); do
  for _ in $(seq 20); do act; done
  sleep 0.5
  sanitizer_report && monkey_fail "a sanitizer report"
  if ! kill -0 "$app" 2>/dev/null; then
    status=0
    wait "$app" || status=$?
    ((status == 0)) || monkey_fail "the program ended with status $status"
    start_program
    continue
  fi
  check_repaint
done
sanitizer_report && monkey_fail "a sanitizer report"
echo "monkey: $actions actions in $seconds s over $starts starts of the program, no fault"
