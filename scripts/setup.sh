#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the artwork script need.
# Idempotent and quiet: packages already present are skipped.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang-format
  # The second compiler, its sanitizer runtime and the symbolizer for sanitizer reports.
  clang libclang-rt-dev llvm
  libgtest-dev libgmock-dev libbenchmark-dev
  libsdl2-dev libfreetype-dev libfontconfig1-dev fonts-liberation fonts-wine
  libjpeg-dev libpng-dev zlib1g-dev uuid-dev libstb-dev
  mingw-w64 g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix wine64 googletest
  # The Windows setup programs (CPack's NSIS generator).
  nsis
  xvfb openbox xdotool imagemagick x11-utils x11-xserver-utils xdg-utils stress-ng
  python3-pil
  # An independent CPUID decoder the modern decoders are compared with.
  cpuid
  time
  desktop-file-utils appstream lintian groff-base unzip
)

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
