# Cross-compiles for 64-bit Windows with Debian's mingw-w64. The -posix compilers come with
# winpthreads, which std::thread and std::mutex need.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TACHORA_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TACHORA_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TACHORA_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${TACHORA_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TACHORA_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The 64-bit build runs its tests under wine64 (wine32 is not installable on Debian amd64).
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
