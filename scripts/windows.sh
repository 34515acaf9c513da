#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing and cross-builds velmora.exe and its test suites with Debian's
# MinGW-w64, for 64-bit Windows into build/windows-x64 and for 32-bit Windows into
# build/windows-x86. Prints the paths of the two programs on its last two lines.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
for preset in windows-x64 windows-x86; do
  cmake --preset "$preset" >/dev/null ||
    { echo "windows: FAILED: configuring the $preset cross-build" >&2; exit 1; }
  cmake --build --preset "$preset" --parallel "$(nproc)" ||
    { echo "windows: FAILED: cross-building $preset" >&2; exit 1; }
done
echo "$PWD/build/windows-x64/velmora.exe"
echo "$PWD/build/windows-x86/velmora.exe"
