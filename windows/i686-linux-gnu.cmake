# SPDX-License-Identifier: MIT
# The sheet and its suite as a static 32-bit Linux program, compiled as the 32-bit Windows
# program is, so its arithmetic can be run here under qemu-i386-static: these machines
# execute no 32-bit x86 program natively, and Wine's 32-bit loader does not run under qemu.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER i686-linux-gnu-g++)
set(CMAKE_FIND_ROOT_PATH /usr/i686-linux-gnu)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
include(${CMAKE_CURRENT_LIST_DIR}/x86-arithmetic.cmake)
