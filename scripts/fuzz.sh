#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the libFuzzer targets (clang, with address and undefined-behaviour sanitizers) and
# runs each for SECONDS (default 30), starting from its seed corpus in fuzz/corpus/.
# The growing corpus stays in build/fuzz/corpus/, crashes land in build/fuzz/crashes/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}

scripts/setup.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --parallel "$(nproc)"

status=0
# number_text_own: the number checks over the conversions of our own, as WebAssembly has them.
for target in number_text number_text_own sheet; do
  corpus=build/fuzz/corpus/$target
  crashes=build/fuzz/crashes/$target
  mkdir -p "$corpus" "$crashes"
  cp -n fuzz/corpus/"${target%_own}"/* "$corpus"/
  log=build/fuzz/$target.log
  if ! "build/fuzz/fuzz/${target}_fuzzer" -max_total_time="$seconds" -print_final_stats=1 \
      -timeout=10 -rss_limit_mb=2048 -artifact_prefix="$crashes/" "$corpus" >"$log" 2>&1; then
    status=1
    echo "fuzz: $target FAILED; the input is in $crashes/, the log in $log" >&2
    grep -E 'invariant broken|ERROR|SUMMARY' "$log" | head -n 5 >&2
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  echo "fuzz: $target: ${runs:-?} executions in ${seconds} s (${speed:-?} per second)"
done
exit "$status"
