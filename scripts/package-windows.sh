#!/usr/bin/env bash
# package-windows.sh: the Windows release archives, build-win32/Tachora-VERSION-win32.zip
# and build-win64/Tachora-VERSION-win64.zip, from the mingw cross builds (configured and
# built first where needed). Prints the path of each archive.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

for target in win32:i686-w64-mingw32 win64:x86_64-w64-mingw32; do
  dir=build-${target%%:*}
  scripts/build.sh "$dir" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-${target#*:}.cmake"
  cmake --build "$dir" --target package >"$dir/package.log" ||
    { cat "$dir/package.log" >&2; exit 1; }
  sed -n 's/^CPack: - package: \(.*\) generated\.$/\1/p' "$dir/package.log"
done
