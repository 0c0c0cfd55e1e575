#!/usr/bin/env bash
# build.sh DIR [cmake options...]: configures and builds the project in DIR with the
# compilers CC and CXX name (the system's default when unset). A new folder is configured
# with Ninja, a Release build and the options; a folder already configured keeps its
# settings and takes the options given on top of them. TARGETS lists the targets to build
# (all when unset).
set -euo pipefail
dir=$1; shift
root=$(cd "$(dirname "$0")/.." && pwd)
cache=$dir/CMakeCache.txt
# CMake keeps the compiler a folder was first configured with: a native folder made
# with another one than CXX names starts over (cross folders take theirs from the
# toolchain file).
if [ -f "$cache" ] && [ -n "${CXX:-}" ] && ! grep -q "^CMAKE_TOOLCHAIN_FILE:" "$cache" &&
   ! grep -qx "CMAKE_CXX_COMPILER:FILEPATH=$(command -v "$CXX")" "$cache"; then
  rm -rf "$dir"
fi
if [ ! -f "$cache" ]; then
  # A developer's ccache speeds up rebuilds in fresh folders; CI has none and is unaffected.
  launcher=()
  if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  fi
  cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" "$@" >/dev/null
elif (($#)); then
  cmake -S "$root" -B "$dir" "$@" >/dev/null
fi
read -ra targets <<<"${TARGETS:-all}"
# Progress lines hidden; a failed build fails the script (pipefail), a quiet one does not.
cmake --build "$dir" --target "${targets[@]}" -- -j"$(nproc)" | { grep -v '^\[' || true; }
