#!/usr/bin/env bash
# package-windows.sh: the Windows release archives, build-win32/Tachora-VERSION-win32.zip
# and build-win64/Tachora-VERSION-win64.zip, from the mingw cross builds (configured as
# scripts/test-windows.sh does and built first where needed). Prints each archive's path.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

pack() {  # build folder, configure options
  local dir=$1
  shift
  scripts/build.sh "$dir" -DCMAKE_BUILD_TYPE=Release "$@"
  cmake --build "$dir" --target package >"$dir/package.log" || { cat "$dir/package.log" >&2; exit 1; }
  sed -n 's/^CPack: - package: \(.*\) generated\.$/\1/p' "$dir/package.log"
}

pack build-win32 -DTACHORA_TESTS=OFF -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-w64-mingw32.cmake"
pack build-win64 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64-w64-mingw32.cmake"
