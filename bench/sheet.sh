#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds and runs the calculation sheet's benchmarks: nanoseconds per operation, medians of
# five repetitions, with heap allocations per calculation pass.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh >/dev/null
build/release/bench/sheet_benchmark --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true --benchmark_display_aggregates_only=true "$@"
