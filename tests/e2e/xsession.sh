# Sourced by the scripts that run the real program: a private X server with a window
# manager, a browser opener that only records, and a wait for the program's windows.
# Everything started goes into `pids`; the caller runs stop_started when it exits.

pids=()
stop_started() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
}

# start_display DIR: Xvfb on the first free display from :91, then openbox; logs in DIR.
start_display() {
  local out=$1 n
  DISPLAY=""
  for n in $(seq 91 120); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then DISPLAY=":$n"; break; fi
  done
  [ -n "$DISPLAY" ] || { echo "no free display" >&2; return 1; }
  export DISPLAY
  Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >"$out/xvfb.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  openbox >"$out/openbox.log" 2>&1 &
  pids+=($!)
  sleep 0.5
}

# record_opener DIR: an xdg-open first on PATH that appends each address to DIR/opened.txt.
record_opener() {
  local out=$1
  mkdir -p "$out/bin"
  cat >"$out/bin/xdg-open" <<SCRIPT
#!/bin/sh
printf '%s\n' "\$*" >> "$out/opened.txt"
SCRIPT
  chmod +x "$out/bin/xdg-open"
  export PATH="$out/bin:$PATH"
}

# wait_window NAME SECONDS: prints the id of the program's visible window with this exact
# name, waiting up to SECONDS.
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
