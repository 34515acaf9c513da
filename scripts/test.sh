#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, checks the formatting, then builds and runs every test suite
# twice, plain and under AddressSanitizer + UndefinedBehaviorSanitizer, runs each fuzz
# target for a while (FUZZ_SECONDS, default 30), checks the installed files and the Debian
# package, and types into a box through a real Chinese input method. Then the Windows
# program: builds (once) the static Qt for Windows, cross-builds velmora.exe and the
# suites, runs the suites under Wine and checks the program; builds the setup program and
# the zip, and installs, upgrades and uninstalls under Wine.
# Any failure stops it with a non-zero status.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
echo "== format"
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
passed=1
for preset in ci asan; do
  echo "== $preset build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --parallel "$(nproc)"
  ctest --preset "$preset" --parallel "$(nproc)"
  passed=$((passed + $(ctest --preset "$preset" -N | sed -n 's/^Total Tests: //p')))
done
echo "== fuzzing"
scripts/fuzz.sh "${FUZZ_SECONDS:-30}" | tee build/fuzz.log
passed=$((passed + $(grep -c '^fuzz: .* executions' build/fuzz.log)))
echo "== packaging"
packaging/check.sh | tee build/packaging.log
passed=$((passed + $(grep -c '^packaging: ok' build/packaging.log)))
echo "== input method"
scripts/input-method-check.sh build/ci/velmora build/ci/tests/window/qt/input_method_control |
  tee build/input-method.log
passed=$((passed + $(grep -c '^input method: ok' build/input-method.log)))
echo "== windows"
windows_started=$(date +%s)
scripts/windows.sh
source scripts/virtual-display.sh
trap stop_virtual_display EXIT
start_virtual_display 1024x768
ctest --preset windows
passed=$((passed + $(ctest --preset windows -N | sed -n 's/^Total Tests: //p')))
scripts/wine.sh --stop
stop_virtual_display
scripts/windows-check.sh | tee build/windows.log
passed=$((passed + $(grep -c '^windows: ok' build/windows.log)))
echo "windows: $(($(date +%s) - windows_started)) s"
echo "== windows downloads"
scripts/package-windows.sh
scripts/windows-downloads-check.sh | tee build/windows-downloads.log
passed=$((passed + $(grep -c '^windows downloads: ok' build/windows-downloads.log)))
echo "all: $passed passed, 0 failed"
