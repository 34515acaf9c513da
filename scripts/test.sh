#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, checks the formatting and the README's list of what a build by
# hand needs, then builds and runs every test suite
# twice, built plainly by hand (no preset, Release) and under AddressSanitizer +
# UndefinedBehaviorSanitizer, and the sheet's suite
# as the 32-bit Windows program computes (a static i686 build under qemu), runs each fuzz
# target for a while (FUZZ_SECONDS, default 30), checks the installed files and the Debian
# package, proves the plain build and the package on Debian 13 (in a root of its own),
# types into a box through a real Chinese input method, and types bursts and clicks with a
# moving mouse into the window with real X input. Then the browser edition, in
# headless Chromium and in WebKitGTK; the WeChat mini program through WeChat's own compilers
# and component framework, and rendered in Chromium. Then the Windows
# program: cross-builds both velmora.exe (64-bit and 32-bit) and their suites, runs the
# suites under Wine (64-bit, and 32-bit in a Debian 13 root, under qemu where this
# processor executes no 32-bit code) and checks both programs; builds the setup program
# and the two zips, and installs, upgrades and uninstalls under Wine.
# Any failure stops it with a non-zero status.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
export VELMORA_SETUP_DONE=1
echo "== format"
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
# The README lists the packages a build by hand needs as their one list has them.
scripts/by-hand-packages.sh --check-readme
passed=1
echo "== plain build"
# As anyone builds it by hand, with no preset; warnings are errors here.
cmake -B build/plain -DCMAKE_BUILD_TYPE=Release -DVELMORA_WERROR=ON >/dev/null
cmake --build build/plain --parallel "$(nproc)"
ctest --test-dir build/plain --parallel "$(nproc)" --output-on-failure
passed=$((passed + $(ctest --test-dir build/plain -N | sed -n 's/^Total Tests: //p')))
echo "== asan build"
cmake --preset asan >/dev/null
cmake --build --preset asan --parallel "$(nproc)"
ctest --preset asan --parallel "$(nproc)"
passed=$((passed + $(ctest --preset asan -N | sed -n 's/^Total Tests: //p')))
echo "== x86 arithmetic"
# The sheet suite compiled as the 32-bit Windows program computes, run under qemu.
cmake --preset x86-sheet >/dev/null
cmake --build --preset x86-sheet --parallel "$(nproc)"
ctest --preset x86-sheet
passed=$((passed + $(ctest --preset x86-sheet -N | sed -n 's/^Total Tests: //p')))
echo "== fuzzing"
scripts/fuzz.sh "${FUZZ_SECONDS:-30}" | tee build/fuzz.log
passed=$((passed + $(grep -c '^fuzz: .* executions' build/fuzz.log)))
echo "== packaging"
packaging/check.sh | tee build/packaging.log
passed=$((passed + $(grep -c '^packaging: ok' build/packaging.log)))
echo "== debian 13"
scripts/debian13-check.sh | tee build/debian13.log
passed=$((passed + $(grep -c '^debian 13: ok' build/debian13.log)))
echo "== input method"
scripts/input-method-check.sh build/plain/velmora build/plain/tests/window/qt/input_method_control |
  tee build/input-method.log
passed=$((passed + $(grep -c '^input method: ok' build/input-method.log)))
echo "== typing"
scripts/typing-check.sh linux build/plain/velmora | tee build/typing.log
passed=$((passed + $(grep -c '^typing linux: ok' build/typing.log)))
echo "== web"
scripts/web.sh >/dev/null
/usr/bin/python3 tests/window/web/page_test.py build/web build/plain/tests/window/web/sheet_texts \
  build/web-shots 2>&1 | tee build/web.log
passed=$((passed + $(grep -cE '^test_.* \.\.\. ok$' build/web.log)))
echo "== weixin"
scripts/weixin.sh >/dev/null
node --disallow-code-generation-from-strings tests/window/weixin/page_test.js build/weixin \
  build/plain/tests/window/web/sheet_texts 2>&1 | tee build/weixin.log
passed=$((passed + $(grep -c '^ok ' build/weixin.log)))
/usr/bin/python3 tests/window/weixin/render_test.py build/weixin build/weixin-shots 2>&1 |
  tee build/weixin-render.log
passed=$((passed + $(grep -cE '^test_.* \.\.\. ok$' build/weixin-render.log)))
echo "== windows"
windows_started=$(date +%s)
scripts/windows.sh
# The 32-bit programs run in Debian 13's 32-bit Wine, in the root the Debian 13 step built.
source scripts/virtual-display.sh
trap stop_virtual_display EXIT
start_virtual_display 1024x768
# One suite at a time: each drives real windows on the one display.
for arch in x64:win64 x86:win32; do
  preset=windows-${arch%%:*}
  export VELMORA_WINEARCH=${arch#*:}
  ctest --preset "$preset"
  passed=$((passed + $(ctest --preset "$preset" -N | sed -n 's/^Total Tests: //p')))
  scripts/wine.sh --stop
done
unset VELMORA_WINEARCH
stop_virtual_display
scripts/typing-check.sh x64 scripts/wine.sh build/windows-x64/velmora.exe | tee build/typing-x64.log
passed=$((passed + $(grep -c '^typing x64: ok' build/typing-x64.log)))
scripts/windows-check.sh | tee build/windows.log
passed=$((passed + $(grep -c '^windows: ok' build/windows.log)))
echo "windows: $(($(date +%s) - windows_started)) s"
echo "== windows downloads"
scripts/package-windows.sh
scripts/windows-downloads-check.sh | tee build/windows-downloads.log
passed=$((passed + $(grep -c '^windows downloads: ok' build/windows-downloads.log)))
echo "all: $passed passed, 0 failed"
