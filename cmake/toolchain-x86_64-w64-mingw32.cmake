# Cross-compiles for 64-bit Windows with Debian's mingw-w64.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TACHORA_MINGW x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

# The 64-bit build runs its tests under wine64.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
