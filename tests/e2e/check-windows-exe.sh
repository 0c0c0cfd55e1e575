#!/usr/bin/env bash
# check-windows-exe.sh EXE ARCH: the static checks of a shipped Windows program, for the
# 32-bit build that cannot run here. ARCH is i386 or x86-64. The program must be of that
# architecture, stripped, need Windows Vista (6.0) at least and import only DLLs every
# Windows has; Tachora.exe is a GUI program with the version information, manifest and
# icon resources, and imports neither shell32 nor ole32 (it loads them when needed).
set -euo pipefail
exe=${1:?usage: check-windows-exe.sh EXE ARCH}
arch=${2:?usage: check-windows-exe.sh EXE ARCH}
objdump=x86_64-w64-mingw32-objdump  # reads both PE formats
fail() { echo "check-windows-exe: $exe: $*" >&2; exit 1; }
[ -f "$exe" ] || fail "missing"

headers=$("$objdump" -p "$exe")
format=$("$objdump" -f "$exe" | sed -n 's/.*file format //p')
[ "$format" = "pei-$arch" ] || fail "is $format, not pei-$arch"
"$objdump" -t "$exe" 2>&1 | grep -q 'no symbols' || fail "is not stripped"
grep -Eq '^MajorSubsystemVersion[[:space:]]+6$' <<<"$headers" &&
  grep -Eq '^MinorSubsystemVersion[[:space:]]+0$' <<<"$headers" ||
  fail "does not state Windows Vista (6.0) as its minimum"

# Only system DLLs: no runtime DLL of the compiler, nothing that needs an installer.
system_dlls='^(KERNEL32|USER32|GDI32|WINMM|SHELL32|ole32|ADVAPI32|msvcrt)\.dll$'
dlls=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers")
[ -n "$dlls" ] || fail "imports nothing"
shopt -s nocasematch  # DLL names are not case-sensitive
while read -r dll; do
  [[ $dll =~ $system_dlls ]] || fail "imports $dll, which is not a system DLL"
done <<<"$dlls"

if [ "$(basename "$exe")" = Tachora.exe ]; then
  grep -q 'Subsystem.*(Windows GUI)' <<<"$headers" || fail "is not a GUI program"
  # Loaded when the first web address opens: every start would pay for them and theirs.
  while read -r dll; do
    [[ $dll =~ ^(SHELL32|ole32)\.dll$ ]] && fail "imports $dll, which start-up does not need"
  done <<<"$dlls"
  # Resource strings are UTF-16: each ASCII character followed by a zero byte.
  for text in "Quillon Software" "3.0.3.3" "Tachora"; do
    pattern=$(printf '%s' "$text" | sed 's/[.]/\\./g; s/\(\\\.\|[^\\]\)/\1\\x00/g')
    LC_ALL=C grep -aPq "$pattern" "$exe" || fail "has no version information naming \"$text\""
  done
  grep -Fqa '8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a' "$exe" || fail "has no manifest"
  grep -Fqa 'PerMonitorV2' "$exe" || fail "has no DPI awareness in its manifest"
  sections=$("$objdump" -h "$exe")
  grep -q '\.rsrc' <<<"$sections" || fail "has no resources"
fi
echo "   $exe: $format, stripped, Vista or later, imports $(tr '\n' ' ' <<<"$dlls")"
