#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, then builds and runs every test suite twice, plain and under
# AddressSanitizer + UndefinedBehaviorSanitizer, runs each fuzz target for a while
# (FUZZ_SECONDS, default 30), and checks the installed files and the Debian package.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
for preset in ci asan; do
  echo "== $preset build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --parallel "$(nproc)"
  ctest --preset "$preset" --parallel "$(nproc)"
done
echo "== fuzzing"
scripts/fuzz.sh "${FUZZ_SECONDS:-30}"
echo "== packaging"
packaging/check.sh
