# SPDX-License-Identifier: MIT
# How the 32-bit x86 program computes, shared by its toolchain and by the Linux build that
# proves its arithmetic under an emulator. SSE2 rounds every double operation to a double,
# as x64 does; the x87 default would keep 80-bit intermediates with a wider exponent and
# show other last digits, or no overflow where x64 has one. Windows calls back into the
# program (window procedures, hooks) on a stack aligned to 4 bytes only, which the compiler
# is told, so it realigns where SSE needs more.
string(APPEND CMAKE_C_FLAGS_INIT " -msse2 -mfpmath=sse -mincoming-stack-boundary=2")
string(APPEND CMAKE_CXX_FLAGS_INIT " -msse2 -mfpmath=sse -mincoming-stack-boundary=2")
