#!/usr/bin/env bash
# windows-startup.sh BUILD_DIR [RUNS]: how long Tachora.exe of a Windows build (32-bit or
# 64-bit, under the wine of its kind) takes from exec to its main window mapped, RUNS
# times (10 unless given), on Xvfb with openbox and a warm wineserver; beside it the same
# for the Linux program (LINUX_BUILD_DIR/app/tachora, build/ unless set) and for a trivial
# Win32 program of the same kind that only opens a window, built here with mingw-w64: what
# wine itself costs to start any program. Every figure includes the start-up clock
# measurement's 510 ms where the program makes it. An X event wait times each run: the
# window counts as shown when it, or the frame the window manager put it in, is mapped.
# Two states of wine are timed: a later start, with the session's services running, and
# the first start after the wineserver was started (as tests/e2e/run-wine-e2e.sh times
# it), whose process first waits for wine to start the session's services.
# Uses WINEPREFIX when set, else makes its own. Prints figures only; nothing here passes
# or fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:?usage: windows-startup.sh BUILD_DIR [RUNS]}" && pwd)
runs=${2:-10}
linux=${LINUX_BUILD_DIR:-$root/build}
program=$build/app/Tachora.exe
[ -f "$program" ] || { echo "no program at $program" >&2; exit 1; }
out=$(mktemp -d "${TMPDIR:-/tmp}/windows-startup.XXXXXX")
trap 'rm -rf "$out"' EXIT
if [ -z "${WINEPREFIX:-}" ]; then
  # A WoW64 prefix of its own, booted without a display (whose desktop would outlive the
  # boot), deleted with $out.
  export WINEPREFIX=$out/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  DISPLAY='' /usr/lib/wine/wine64 wineboot --init >"$out/wineboot.log" 2>&1
  "$root/scripts/wine-fonts.sh" "$WINEPREFIX"
  /usr/lib/wine/wineserver -w
fi
# shellcheck source=../tests/e2e/wine.sh
source "$root/tests/e2e/wine.sh"
trap 'cleanup; end_wine; rm -rf "$out"' EXIT

# The timer: starts the command, waits for the map of a window of that name, prints the
# milliseconds since the start and ends the command's process group.
cat >"$out/mapwait.c" <<'C'
#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static Display *d;
static Atom net_wm_name;

static double now_ms(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

/* The name's bytes, whatever the encoding: ASCII names read alike in all of them. */
static int named(Window w, Atom property, const char *name) {
  XTextProperty text;
  if (!XGetTextProperty(d, w, &text, property)) return 0;
  int same = text.value && text.nitems == strlen(name) && !memcmp(text.value, name, text.nitems);
  if (text.value) XFree(text.value);
  return same;
}

/* A viewable window of that name in the subtree of w. */
static int shown(Window w, const char *name) {
  XWindowAttributes a;
  if (!XGetWindowAttributes(d, w, &a) || a.map_state != IsViewable) return 0;
  if (named(w, XA_WM_NAME, name) || named(w, net_wm_name, name)) return 1;
  Window root, parent, *children = NULL;
  unsigned n = 0;
  int found = 0;
  if (XQueryTree(d, w, &root, &parent, &children, &n))
    for (unsigned i = 0; i < n && !found; i++) found = shown(children[i], name);
  if (children) XFree(children);
  return found;
}

static int ignore(Display *dpy, XErrorEvent *e) { (void)dpy; (void)e; return 0; }

int main(int argc, char **argv) {
  if (argc < 4) return 2;
  const char *name = argv[1];
  double limit = atof(argv[2]) * 1e3;
  d = XOpenDisplay(NULL);
  if (!d) return 2;
  XSetErrorHandler(ignore); /* windows vanish while they are read */
  net_wm_name = XInternAtom(d, "_NET_WM_NAME", False);
  Window root = DefaultRootWindow(d);
  XSelectInput(d, root, SubstructureNotifyMask);
  XSync(d, False);
  double start = now_ms();
  pid_t child = fork();
  if (child == 0) {
    setpgid(0, 0);
    execvp(argv[3], argv + 3);
    _exit(127);
  }
  setpgid(child, child);
  double found = -1;
  int fd = ConnectionNumber(d);
  /* A map may come before the name, or the client inside a frame after the frame: each
     event, and every 5 ms, the top-level windows are looked through again. */
  while (found < 0 && now_ms() - start < limit) {
    while (XPending(d)) {
      XEvent e;
      XNextEvent(d, &e);
    }
    Window r, p, *tops = NULL;
    unsigned n = 0;
    if (XQueryTree(d, root, &r, &p, &tops, &n))
      for (unsigned i = 0; i < n && found < 0; i++)
        if (shown(tops[i], name)) found = now_ms() - start;
    if (tops) XFree(tops);
    if (found >= 0) break;
    fd_set set;
    FD_ZERO(&set);
    FD_SET(fd, &set);
    struct timeval wait = {0, 5000};
    select(fd + 1, &set, NULL, NULL, &wait);
  }
  kill(-child, SIGKILL);
  waitpid(child, NULL, 0);
  if (found < 0) {
    printf("none\n");
    return 1;
  }
  printf("%.0f\n", found);
  return 0;
}
C
cc -O2 -o "$out/mapwait" "$out/mapwait.c" -lX11

# The baseline: a window and its message loop, nothing else.
cat >"$out/hello.c" <<'C'
#include <windows.h>

static LRESULT CALLBACK proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(w, m, wp, lp);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR line, int show) {
  (void)previous; (void)line;
  WNDCLASSW c = {0};
  c.lpfnWndProc = proc;
  c.hInstance = instance;
  c.lpszClassName = L"hello";
  RegisterClassW(&c);
  HWND w = CreateWindowExW(0, L"hello", L"Hello", WS_POPUP, 100, 100, 670, 611, NULL, NULL,
                           instance, NULL);
  ShowWindow(w, show);
  MSG msg;
  while (GetMessageW(&msg, NULL, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}
C
compiler=x86_64-w64-mingw32-gcc
[ "$bits" = 32 ] && compiler=i686-w64-mingw32-gcc
"$compiler" -O2 -mwindows -o "$out/hello.exe" "$out/hello.c"

# A warm wineserver, as a user's desktop has one (after one still ending has ended).
"$wineserver" -w
"$wineserver" -p
# The first start in a prefix fills wine's caches: not counted.
"$out/mapwait" Hello 60 "$wine" "$out/hello.exe" >/dev/null 2>&1 || true

# Runs "label name command..." RUNS times; prints median, fastest and slowest. With
# fresh_session set, each run is the first of a new wineserver.
fresh_session=
measure() {
  local label=$1 name=$2 times=() ms
  shift 2
  for ((i = 0; i < runs; i++)); do
    if [ -n "$fresh_session" ]; then
      "$wineserver" -k 2>/dev/null || true
      "$wineserver" -w
      "$wineserver" -p
    fi
    ms=$("$out/mapwait" "$name" 60 "$@" 2>/dev/null) || ms=none
    [ "$ms" = none ] || times+=("$ms")
    sleep 0.5  # the wineserver tidies up the killed process
  done
  if [ ${#times[@]} -eq 0 ]; then
    printf '%-38s no window within 60 s\n' "$label"
    return
  fi
  printf '%s\n' "${times[@]}" | sort -n | awk -v label="$label" -v runs="$runs" '
    {v[NR] = $1}
    END {m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
         printf "%-38s median %5.0f ms  min %5.0f  max %5.0f  (%d of %d runs)\n",
                label, m, v[1], v[NR], NR, runs}'
}

echo "exec to the main window mapped, $runs runs each (Xvfb + openbox):"
echo "later starts (warm wineserver, its services running):"
measure "  Tachora.exe ($bits-bit, wine)" Tachora "$wine" "$program"
measure "  hello-world window ($bits-bit, wine)" Hello "$wine" "$out/hello.exe"
if [ -x "$linux/app/tachora" ]; then
  measure "  tachora (Linux)" Tachora "$linux/app/tachora"
else
  echo "  no Linux program at $linux/app/tachora"
fi
echo "first start after the wineserver started:"
fresh_session=1
measure "  Tachora.exe ($bits-bit, wine)" Tachora "$wine" "$program"
measure "  hello-world window ($bits-bit, wine)" Hello "$wine" "$out/hello.exe"
