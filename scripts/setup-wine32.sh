#!/usr/bin/env bash
# Makes 32-bit Windows programs runnable here: Debian's wine32 (i386 multiarch) and, when
# the kernel refuses 32-bit ELF programs, QEMU's user-mode emulator registered for them
# with binfmt_misc. Idempotent. Source it (or export QEMU_RESERVED_VA yourself): wine
# under QEMU cannot map its shared user data without a reserved address space.
set -euo pipefail

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
  "${sudo_cmd[@]}" apt-get update -qq >/dev/null
fi
missing=()
for p in wine32:i386 qemu-user-static; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq >/dev/null
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# A 32-bit ELF program that runs natively needs no emulator.
probe=/usr/lib/wine/wine
if "$probe" --version >/dev/null 2>&1; then
  exit 0
fi
binfmt=/proc/sys/fs/binfmt_misc
[ -e "$binfmt/register" ] || "${sudo_cmd[@]}" mount -t binfmt_misc binfmt_misc "$binfmt"
if [ ! -e "$binfmt/qemu-i386" ]; then
  # The standard i386 ELF magic and mask; F opens the interpreter now, so it works in any
  # mount namespace or chroot later.
  magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  printf ':qemu-i386:M::%s:%s:/usr/bin/qemu-i386-static:F' "$magic" "$mask" |
    "${sudo_cmd[@]}" tee "$binfmt/register" >/dev/null
fi
QEMU_RESERVED_VA=0xf7000000 "$probe" --version >/dev/null ||
  { echo "setup-wine32: 32-bit wine does not start, even under qemu-i386-static" >&2; exit 1; }
