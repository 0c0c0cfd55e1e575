# Cross-compiles for 32-bit Windows, the shipping target, with Debian's mingw-w64.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TACHORA_MINGW i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

# The 32-bit build runs its tests under the 32-bit wine (scripts/setup-wine32.sh makes it
# runnable, under QEMU where the kernel refuses 32-bit programs); the programs pass it
# QEMU_RESERVED_VA themselves only through the environment, so the scripts export it.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine)
