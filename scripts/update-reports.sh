#!/usr/bin/env bash
# update-reports.sh [BUILD_DIR]: writes every recorded dump's report, text and JSON, as
# the Linux tachora-info prints it, into tests/data/cpuid-reports, the expectations every
# build's tests (the Windows ones included) hold their reports to. Run it after changing
# what a report says, and read the diff.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
info=$build/tools/tachora-info
[ -x "$info" ] || { echo "update-reports: no $info (run scripts/build.sh build)" >&2; exit 1; }
out=$root/tests/data/cpuid-reports
rm -rf "$out"
cd "$root/tests/data/cpuid-dumps"
find . -name '*.cpuid' | sort | while read -r dump; do
  report=$out/${dump%.cpuid}
  mkdir -p "$(dirname "$report")"
  "$info" --cpuid-dump "$dump" >"$report.txt"
  "$info" --json --cpuid-dump "$dump" >"$report.json"
done
echo "update-reports: $(find "$out" -type f | wc -l) reports in $out"
