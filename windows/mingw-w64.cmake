# SPDX-License-Identifier: MIT
# What both toolchain files share, once they have set VELMORA_MINGW_TRIPLET: Debian's
# MinGW-w64 in its win32-thread flavour (the program needs no threads, so no winpthreads
# is linked in), whose C runtime is msvcrt, which every Windows has.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${VELMORA_MINGW_TRIPLET}-gcc-win32)
set(CMAKE_CXX_COMPILER ${VELMORA_MINGW_TRIPLET}-g++-win32)
set(CMAKE_RC_COMPILER ${VELMORA_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VELMORA_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Every program links the C++ runtime and libgcc in, so it needs no DLL beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# Each function and datum in a section of its own, so the linker drops whatever is unused.
set(CMAKE_C_FLAGS_INIT "-ffunction-sections -fdata-sections")
set(CMAKE_CXX_FLAGS_INIT "-ffunction-sections -fdata-sections")
