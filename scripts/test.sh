#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, then builds and runs every test suite twice, plain and under
# AddressSanitizer + UndefinedBehaviorSanitizer, and runs each fuzz target for a while
# (FUZZ_SECONDS, default 30).
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
