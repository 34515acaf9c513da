# SPDX-License-Identifier: MIT
# Cross-compiles for 32-bit Windows with Debian's MinGW-w64, in its win32-thread flavour:
# the program needs no threads, so no winpthreads is linked in. The C runtime is msvcrt,
# which every Windows has.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR X86)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-win32)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Every program links the C++ runtime and libgcc in, so it needs no DLL beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# Each function and datum in a section of its own, so the linker drops whatever is unused.
set(CMAKE_C_FLAGS_INIT "-ffunction-sections -fdata-sections")
set(CMAKE_CXX_FLAGS_INIT "-ffunction-sections -fdata-sections")
