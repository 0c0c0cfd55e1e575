#!/usr/bin/env bash
# Fails when a production C++ source (anything tracked outside tests/) is longer than
# 400 lines: a file that long holds more than one job and wants splitting along its seam.
set -euo pipefail
cd "$(dirname "$0")/.."
limit=400
status=0
while IFS= read -r file; do
  lines=$(wc -l <"$file")
  ((lines > limit)) || continue
  echo "$file: $lines lines, more than $limit" >&2
  status=1
done < <(git ls-files '*.h' '*.hpp' '*.c' '*.cc' '*.cpp' ':!:tests/')
exit $status
