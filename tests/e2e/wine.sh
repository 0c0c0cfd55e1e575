# wine.sh: sourced by the end-to-end scripts that run a Windows program (they set $root,
# $out and $program first). Chooses the wine of the program's kind, starts the desktop
# (desktop.sh), and uses WINEPREFIX when set, else makes a WoW64 prefix of its own, ended
# and deleted on exit with the desktop.

# wine64 given a 32-bit program exits 0 without running it: each kind has its own loader.
case $(x86_64-w64-mingw32-objdump -f "$program" | sed -n 's/.*file format //p') in
  pei-i386) wine=/usr/lib/wine/wine bits=32; export QEMU_RESERVED_VA=0xf7000000 ;;
  pei-x86-64) wine=/usr/lib/wine/wine64 bits=64 ;;
  *) echo "$program is no Windows x86 program" >&2; exit 1 ;;
esac
wineserver=/usr/lib/wine/wineserver

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
own_prefix=
# shellcheck source=desktop.sh
source "$root/tests/e2e/desktop.sh"
end_wine() {
  "$wineserver" -k 2>/dev/null || true
  [ -z "$own_prefix" ] || rm -rf "$own_prefix"
}
trap 'cleanup; end_wine' EXIT
if [ -z "${WINEPREFIX:-}" ]; then
  own_prefix=$(mktemp -d "${TMPDIR:-/tmp}/tachora-wine.XXXXXX")
  export WINEPREFIX=$own_prefix/prefix
  # A WoW64 prefix, as both kinds of program find on 64-bit Windows.
  /usr/lib/wine/wine64 wineboot --init >"$out/wineboot.log" 2>&1
  "$root/scripts/wine-fonts.sh" "$WINEPREFIX"
fi
