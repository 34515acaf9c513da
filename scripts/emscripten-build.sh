#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing and builds a WebAssembly program with Debian's Emscripten by the
# CMake preset PRESET ("web" or "weixin"); prints the project's version.
set -euo pipefail
cd "$(dirname "$0")/.."
preset=$1
scripts/setup.sh
# Emscripten's optimiser needs Debian's own Node.js modules.
export NODE_PATH=/usr/share/nodejs
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --parallel "$(nproc)" >&2
sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "build/$preset-build/CMakeCache.txt"
