#!/usr/bin/env bash
# build.sh DIR [cmake options...]: configures (once) and builds the project in DIR.
set -euo pipefail
dir=$1; shift
root=$(cd "$(dirname "$0")/.." && pwd)
if [ ! -f "$dir/CMakeCache.txt" ]; then
  # A developer's ccache speeds up rebuilds in fresh folders; CI has none and is unaffected.
  launcher=()
  if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  fi
  cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" "$@" >/dev/null
fi
cmake --build "$dir" -- -j"$(nproc)" | grep -v '^\[' || true
test "${PIPESTATUS[0]}" -eq 0
