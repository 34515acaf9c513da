#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing and builds the program alone, optimised, into build/release.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release --parallel "$(nproc)"
