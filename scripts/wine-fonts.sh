#!/usr/bin/env bash
# wine-fonts.sh PREFIX: puts the Windows fonts the pages name (Tahoma, Small Fonts) from
# Debian's fonts-wine into a wine prefix's Fonts folder; Arial is served by Liberation
# Sans through the system's fonts.
set -euo pipefail
prefix=${1:?usage: wine-fonts.sh PREFIX}
fonts="$prefix/drive_c/windows/Fonts"
mkdir -p "$fonts"
for dir in /usr/share/wine/fonts /usr/share/fonts/truetype/wine; do
  [ -f "$dir/tahoma.ttf" ] || continue
  cp "$dir"/{tahoma.ttf,tahomabd.ttf,small_fonts.ttf,smalle.fon} "$fonts/"
  exit 0
done
echo "wine-fonts: fonts-wine's files are missing (run scripts/setup.sh)" >&2
exit 1
