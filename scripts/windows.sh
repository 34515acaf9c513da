#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds (once) the static Qt for Windows, and cross-builds
# velmora.exe and the test suites for 64-bit Windows into build/windows. Prints the path of
# velmora.exe on its last line.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
# Reproducible: Qt's resource compiler dates the files it builds in by this, not by when
# they were checked out.
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || date +%s)}
VELMORA_QT_WINDOWS=$(scripts/windows-toolchain.sh | tail -n 1)
export VELMORA_QT_WINDOWS
# A build tree made against another Qt (an older cache key) starts afresh.
fresh=()
grep -qxF "Qt6_DIR:PATH=$VELMORA_QT_WINDOWS/lib/cmake/Qt6" build/windows/CMakeCache.txt 2>/dev/null ||
  fresh=(--fresh)
cmake --preset windows "${fresh[@]}" >/dev/null || { echo "windows: FAILED: configuring the cross-build" >&2; exit 1; }
cmake --build --preset windows --parallel "$(nproc)" ||
  { echo "windows: FAILED: cross-building velmora.exe" >&2; exit 1; }
echo "$PWD/build/windows/velmora.exe"
