# SPDX-License-Identifier: MIT
# Cross-compiles for 32-bit Windows (x86).
set(VELMORA_MINGW_TRIPLET i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR X86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/x86-arithmetic.cmake)
