#!/usr/bin/env bash
# Sets up, builds and starts Tachora.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build"
if [ -x "$root/build/app/tachora" ]; then
  exec "$root/build/app/tachora" "$@"
fi
exec "$root/build/tools/tachora-info" "$@"
