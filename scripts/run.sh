#!/usr/bin/env bash
# Sets up, builds and starts Tachora: installs only what the programs need
# (scripts/setup.sh --run) and builds only them. A new build folder leaves the tests out,
# since their libraries are not installed; scripts/test.sh turns them on.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" --run
options=()
[ -f "$root/build/CMakeCache.txt" ] || options=(-DTACHORA_TESTS=OFF)
TARGETS="tachora tachora-info" "$root/scripts/build.sh" "$root/build" "${options[@]}"
if [ -x "$root/build/app/tachora" ]; then
  exec "$root/build/app/tachora" "$@"
fi
exec "$root/build/tools/tachora-info" "$@"
