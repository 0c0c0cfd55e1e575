# desktop.sh: sourced by the end-to-end scripts (which set $out, a folder for logs). Starts
# Xvfb with openbox (a window manager: focus clicks and stacking as on a desktop) on a
# free display, puts a fake xdg-open first on PATH that records the addresses it is given
# in $out/opened.txt, and stops all it started, the programs passed to track included,
# when the script exits. TACHORA_E2E_DISPLAYS lists the display numbers to choose from,
# TACHORA_E2E_SCREEN the screen's size (1280x1024 when not given).

display=""
for n in ${TACHORA_E2E_DISPLAYS:-$(seq 91 120)}; do
  if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "no free display" >&2; exit 1; }
export DISPLAY=$display

pids=()
track() { pids+=("$@"); }
# Ends what was tracked, the last started first (the window manager before its display,
# so it does not complain about a vanished one). Called early, it ends the desktop then.
cleanup() {
  local i
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  wait 2>/dev/null || true
  pids=()
}
trap cleanup EXIT

Xvfb "$display" -screen 0 "${TACHORA_E2E_SCREEN:-1280x1024}x24" -nolisten tcp >"$out/xvfb.log" 2>&1 &
track $!
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >"$out/openbox.log" 2>&1 &
track $!
sleep 0.5

mkdir -p "$out/bin"
cat >"$out/bin/xdg-open" <<SCRIPT
#!/bin/sh
printf '%s\n' "\$*" >> "$out/opened.txt"
SCRIPT
chmod +x "$out/bin/xdg-open"
export PATH="$out/bin:$PATH"

fail() { echo "e2e: $*" >&2; exit 1; }

# The visible windows of the program, by class: this xdotool's --name search misses
# SDL's windows.
program_windows() { xdotool search --onlyvisible --classname tachora 2>/dev/null || true; }

# The id of the visible window with this exact name, waiting up to $2 seconds.
wait_window() {
  local name=$1 limit=$2 id
  for _ in $(seq $((limit * 20))); do
    for id in $(program_windows); do
      [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$name" ] && { echo "$id"; return 0; }
    done
    sleep 0.05
  done
  return 1
}
wait_gone() {  # window id: until it is no longer shown
  for _ in $(seq 100); do
    xwininfo -id "$1" 2>/dev/null | grep -q 'IsViewable' || return 0
    sleep 0.05
  done
  return 1
}
click() {  # window id, client x, client y
  xdotool mousemove --window "$1" "$2" "$3" sleep 0.1 click 1
}
# Waits up to $2 seconds (5 if not given) for a program to end; its exit status must be 0.
wait_exit() {
  local status=0
  for _ in $(seq $((${2:-5} * 20))); do
    if ! kill -0 "$1" 2>/dev/null; then
      wait "$1" || status=$?
      [ "$status" -eq 0 ] || { echo "e2e: the program ended with status $status" >&2; return 1; }
      return 0
    fi
    sleep 0.05
  done
  return 1
}
# idle_cpu PID SECONDS: prints the processor time PID takes over SECONDS on the welcome
# page, as a share of one core.
idle_cpu() {
  local before after
  before=$(awk '{print $14 + $15}' "/proc/$1/stat")
  sleep "$2"
  after=$(awk '{print $14 + $15}' "/proc/$1/stat")
  awk -v t=$((after - before)) -v hz="$(getconf CLK_TCK)" -v s="$2" \
    'BEGIN {printf "processor use idle on the welcome page: %.2f %% of a core\n", 100 * t / hz / s}'
}
