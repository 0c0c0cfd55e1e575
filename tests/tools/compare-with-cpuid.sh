#!/usr/bin/env bash
# compare-with-cpuid.sh TACHORA_INFO [DUMP...]: compares what tachora-info decodes from
# each recorded dump (all under tests/data/cpuid-dumps when none is named) and from this
# machine with what Debian's cpuid decodes from the same leaves: the flags present, the
# caches, the code name and the topology. Prints one line per difference; a difference
# listed as explained below is marked so, any other fails the run.
set -euo pipefail
info=$1; shift
root=$(cd "$(dirname "$0")/../.." && pwd)
if ! command -v cpuid >/dev/null; then
  echo "compare-with-cpuid: Debian's cpuid is not installed; nothing compared"
  exit 0
fi
dumps=("$@")
if [ ${#dumps[@]} -eq 0 ]; then
  mapfile -t dumps < <(find "$root/tests/data/cpuid-dumps" -name '*.cpuid' | sort)
  dumps+=(live)
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for dump in "${dumps[@]}"; do
  name=$(basename "$dump" .cpuid)
  if [ "$dump" = live ]; then
    "$info" --dump >"$work/$name.cpuid"
    dump=$work/$name.cpuid
  fi
  "$info" --json --no-speed --cpuid-dump "$dump" >"$work/$name.json"
  python3 "$root/tests/tools/compare_with_cpuid.py" raw "$dump" >"$work/$name.raw"
  cpuid -1 -f "$work/$name.raw" >"$work/$name.txt" 2>/dev/null || true
  echo "$name"
done >"$work/names"
python3 "$root/tests/tools/compare_with_cpuid.py" compare "$work"
