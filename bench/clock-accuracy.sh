#!/usr/bin/env bash
# clock-accuracy.sh [-n RUNS] [-l "LOADS"] [-u "USERS"] [-a "ARGS"] [TACHORA_INFO]: runs
# `tachora-info --clock --load` (or ARGS) RUNS times (default 100) for each load (idle,
# stress-ng --cpu 2, stress-ng --cpu 8) as root and as an ordinary user (uid 65534), and
# prints
#  - the start-up measurement's error in ppm against the kernel's counter rate: median,
#    worst run, and how many runs were beyond 10 ppm (the library's 200 ms measurement,
#    whole MHz, beside it);
#  - the core clocks: per processor the median, its spread against the same processor's
#    median idle as root and against root at the same load, and the lowest reading
#    over that median.
# A figure printed, not a test passed: the machine's other work shows in it. Needs root
# (for the ordinary user's runs, setpriv) and stress-ng. TACHORA_INFO defaults to
# build/tools/tachora-info; set WINE to run a Windows build through it (then as root only).
set -euo pipefail
runs=100
loads="idle 2 8"
users="root nobody"
args="--clock --load"
while getopts n:l:u:a: option; do
  case $option in
    n) runs=$OPTARG ;;
    l) loads=$OPTARG ;;
    u) users=$OPTARG ;;
    a) args=$OPTARG ;;
    *) exit 2 ;;
  esac
done
shift $((OPTIND - 1))
root=$(cd "$(dirname "$0")/.." && pwd)
binary=${1:-$root/build/tools/tachora-info}

# The ordinary user cannot enter a root-owned build folder: run a copy it may read.
work=$(mktemp -d /tmp/clock-accuracy.XXXXXX)
chmod 755 "$work"
cp "$binary" "$work/"
program=$work/$(basename "$binary")
chmod 755 "$program"
stress=
cleanup() {
  if [ -n "$stress" ]; then kill "$stress" 2>/dev/null || true; wait "$stress" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

# The counter's rate as the kernel knows it: exact when the hypervisor or firmware told
# it (tsc_known_freq), else its refined calibration; else a long measurement of our own.
reference=
if grep -m1 '^flags' /proc/cpuinfo | grep -qw tsc_known_freq; then
  reference=$(awk -F: '/^cpu MHz/ {gsub(/ /, "", $2); print $2; exit}' /proc/cpuinfo)
  source="/proc/cpuinfo cpu MHz (tsc_known_freq)"
elif line=$(dmesg 2>/dev/null | grep -m1 'Refined TSC clocksource calibration'); then
  reference=$(sed -E 's/.*calibration: ([0-9.]+) MHz.*/\1/' <<<"$line")
  source="the kernel's refined TSC calibration"
fi

run_as() {
  local user=$1
  shift
  if [ "$user" = root ]; then
    ${WINE:-} "$@"
  else
    setpriv --reuid=65534 --regid=65534 --clear-groups ${WINE:-} "$@"
  fi
}

# One line a run: start-up MHz, library raw MHz, then each processor's core clock.
measure() {
  local user=$1 out
  for ((i = 0; i < runs; i++)); do
    # shellcheck disable=SC2086
    out=$(cd "$work" && run_as "$user" "$program" $args 2>"$work/err" | tr -d '\r') || true
    if ! grep -q '^Start-up measurement' <<<"$out"; then
      echo "run $i as $user gave no figure: $(head -c 300 "$work/err")" >&2
    fi
    awk '/^Start-up measurement/ {s = $3} /^Library measurement/ {l = $3}
         /^cpu [0-9]+:/ {c = c " " $3} END {print s, l c}' <<<"$out"
  done
}

declare -A results loadavg
for load in $loads; do
  if [ "$load" != idle ]; then
    stress-ng --cpu "$load" --quiet >/dev/null 2>&1 &
    stress=$!
    sleep 2
  fi
  for user in $users; do
    loadavg[$load.$user]=$(cut -d' ' -f1 /proc/loadavg)
    results[$load.$user]=$(measure "$user")
    echo "measured: load $load, $user" >&2
  done
  if [ -n "$stress" ]; then
    kill "$stress"
    wait "$stress" 2>/dev/null || true
    stress=
    sleep 2
  fi
done

if [ -z "$reference" ]; then
  reference=$(awk '{print $1}' <<<"${results[idle.root]:-${results[idle.nobody]}}" | sort -g |
    awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}')
  source="the median idle run (no kernel figure)"
fi

echo "Counter rate: $reference MHz, from $source; $runs runs per line."
echo
echo "(loadavg: the machine's 1-minute load average as the line's runs began; others' work shows in it)"
printf '%-12s %-7s %8s %12s %12s %10s   %s\n' load user loadavg "median ppm" "worst ppm" ">10 ppm" \
  "library MHz x runs"
for load in $loads; do
  for user in $users; do
    # Errors sorted, so that the median is the middle line.
    awk -v ref="$reference" '$1 > 0 {printf "%.3f %s\n", ($1 - ref) / ref * 1e6, $2; next} {print "nan", $2}' \
      <<<"${results[$load.$user]}" | sort -g |
      awk -v load="$load" -v user="$user" -v avg="${loadavg[$load.$user]}" '
        function abs(x) { return x < 0 ? -x : x }
        $1 == "nan" { failed++; next }
        {
          e[++n] = $1
          if (abs($1) > abs(worst)) worst = $1
          if (abs($1) > 10) beyond++
          lib[$2]++
        }
        END {
          median = n % 2 ? e[(n + 1) / 2] : (e[n / 2] + e[n / 2 + 1]) / 2
          for (m in lib) libs = libs (libs ? "," : "") m "x" lib[m]
          printf "%-12s %-7s %8s %12.1f %12.1f %10d   %s%s\n", (load == "idle" ? "idle" : "cpu " load),
                 user, avg, median, worst, beyond, libs, (failed ? "  (" failed " runs without a figure)" : "")
        }'
  done
done

echo
echo "Core clocks ($args): median MHz per processor; vs idle root, vs root at the"
echo "same load; lowest reading / median."
core_medians() {
  awk '{for (c = 3; c <= NF; c++) print c - 3, $c}' <<<"$1" | sort -k1,1n -k2,2g |
    awk '{v[$1, ++k[$1]] = $2; if ($1 > last) last = $1}
         END {for (c = 0; c <= last; c++) { n = k[c]
              m = n % 2 ? v[c, (n + 1) / 2] : (v[c, n / 2] + v[c, n / 2 + 1]) / 2
              printf "%d %.1f %.1f\n", c, m, v[c, 1] }}'
}
first_user=${users%% *}
for load in $loads; do
  for user in $users; do
    idle=$(core_medians "${results[idle.$first_user]:-}")
    same=$(core_medians "${results[$load.$first_user]}")
    mine=$(core_medians "${results[$load.$user]}")
    printf '%-12s %-7s' "$([ "$load" = idle ] && echo idle || echo "cpu $load")" "$user"
    while read -r cpu median lowest; do
      base=$(awk -v c="$cpu" '$1 == c {print $2}' <<<"$idle")
      peer=$(awk -v c="$cpu" '$1 == c {print $2}' <<<"$same")
      awk -v c="$cpu" -v m="$median" -v l="$lowest" -v b="${base:-0}" -v p="${peer:-0}" 'BEGIN {
        printf "  cpu %d %7.1f (%+5.1f %%, %+5.1f %%, low %.2f)", c, m,
               (b > 0 ? (m - b) / b * 100 : 0), (p > 0 ? (m - p) / p * 100 : 0), (m > 0 ? l / m : 0) }'
    done <<<"$mine"
    echo
  done
done
