# What both mingw-w64 toolchains share; each sets TACHORA_MINGW and CMAKE_SYSTEM_PROCESSOR
# first. The -posix compilers come with winpthreads, which std::thread and std::mutex need.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${TACHORA_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TACHORA_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${TACHORA_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TACHORA_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
