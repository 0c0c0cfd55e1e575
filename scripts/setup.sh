#!/usr/bin/env bash
# setup.sh [--run]: installs the Debian packages Tachora needs. With --run only those that
# build and run the Linux programs; without, everything the tests, the Windows builds,
# the packages and the artwork script need as well. Idempotent and quiet: packages
# already present are skipped.
set -euo pipefail

# Building and running tachora and tachora-info.
run_packages=(
  build-essential cmake ninja-build pkg-config
  libsdl2-dev libfreetype-dev libfontconfig1-dev fonts-liberation fonts-wine
  libjpeg-dev libpng-dev zlib1g-dev uuid-dev libstb-dev
  # The program opens web addresses with xdg-open.
  xdg-utils
)

# The tests, the benchmarks, the Windows builds and the packages.
test_packages=(
  clang-format
  # The second compiler, its sanitizer runtime and the symbolizer for sanitizer reports.
  clang libclang-rt-dev llvm
  libgtest-dev libgmock-dev libbenchmark-dev
  mingw-w64 g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix wine64 googletest
  # The Windows setup programs (CPack's NSIS generator).
  nsis
  xvfb openbox xdotool imagemagick x11-utils x11-xserver-utils stress-ng
  python3-pil
  # An independent CPUID decoder the modern decoders are compared with.
  cpuid
  time
  desktop-file-utils appstream lintian groff-base unzip
)

case "${1:-}" in
  --run) packages=("${run_packages[@]}") ;;
  "") packages=("${run_packages[@]}" "${test_packages[@]}") ;;
  *) echo "usage: setup.sh [--run]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq >/dev/null
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
