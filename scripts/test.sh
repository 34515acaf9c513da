#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds everything and runs every test suite.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset ci
cmake --build --preset ci --parallel "$(nproc)"
ctest --preset ci --parallel "$(nproc)"
