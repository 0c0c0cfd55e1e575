#!/usr/bin/env bash
# info-vs-cpuid.sh TACHORA_INFO [RUNS]: the processor time (user and system, from the
# kernel's accounting of each child) of `tachora-info --json --no-speed` and of Debian's
# `cpuid -1`, run in turn RUNS times (200 unless given) so both see the same machine; the
# one that goes first alternates, since the first of a pair is measured slower.
# Prints figures only; nothing here passes or fails.
set -euo pipefail
info=$1
runs=${2:-200}
command -v cpuid >/dev/null || { echo "info-vs-cpuid: Debian's cpuid is not installed"; exit 0; }
python3 - "$info" "$runs" <<'PY'
import resource, subprocess, sys, time

info, runs = sys.argv[1], int(sys.argv[2])
commands = {"tachora-info --json --no-speed": [info, "--json", "--no-speed"],
            "cpuid -1": ["cpuid", "-1"]}
totals = {name: [0.0, 0.0, 0.0] for name in commands}
for run in range(runs):
    order = list(commands.items())
    for name, argv in order if run % 2 == 0 else reversed(order):
        before = resource.getrusage(resource.RUSAGE_CHILDREN)
        start = time.perf_counter()
        subprocess.run(argv, stdout=subprocess.DEVNULL, check=True)
        wall = time.perf_counter() - start
        after = resource.getrusage(resource.RUSAGE_CHILDREN)
        totals[name][0] += after.ru_utime - before.ru_utime
        totals[name][1] += after.ru_stime - before.ru_stime
        totals[name][2] += wall
for name, (user, system, wall) in totals.items():
    print("%-32s processor %.2f ms a run (user %.2f, system %.2f), wall %.2f ms"
          % (name, (user + system) * 1000 / runs, user * 1000 / runs, system * 1000 / runs,
             wall * 1000 / runs))
PY
