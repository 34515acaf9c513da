#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs every check that drives real windows N times (default 20), first alone, then with
# two busy processes beside it, and prints how many runs of each passed. A check that
# fails now and then shows here long before it fails a test run. Not part of the test
# command: it takes about two minutes per round. The failures' output stays in
# build/soak/<check>-<load>-<run>.log.
#   scripts/soak-checks.sh [N] [CHECK...]   (checks: packaging input-method screenshot
#                                            windows windows-downloads)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-20}
shift || true
checks=("$@")
((${#checks[@]})) || checks=(packaging input-method screenshot windows windows-downloads)

# What the checks use, built once up front so every round only checks.
scripts/build.sh >/dev/null
cmake -B build/plain -DCMAKE_BUILD_TYPE=Release >/dev/null &&
  cmake --build build/plain --parallel "$(nproc)" >/dev/null
if [[ " ${checks[*]} " == *" windows"* ]]; then scripts/package-windows.sh >/dev/null; fi

run_check() {
  case $1 in
    packaging) packaging/check.sh ;;
    input-method) scripts/input-method-check.sh build/plain/velmora build/plain/tests/window/qt/input_method_control ;;
    screenshot) scripts/screenshot.sh build/soak/screenshot.png ;;
    windows) scripts/windows-check.sh build/soak ;;
    windows-downloads) scripts/windows-downloads-check.sh build/windows/downloads build/soak/setup.png ;;
    *) echo "soak: no check named $1" >&2; return 2 ;;
  esac
}

busy=()
stop_busy() { if ((${#busy[@]})); then kill "${busy[@]}" 2>/dev/null || true; fi; busy=(); }
trap stop_busy EXIT
mkdir -p build/soak
declare -A passed
for load in idle busy; do
  if [[ $load == busy ]]; then
    yes >/dev/null &
    busy+=($!)
    yes >/dev/null &
    busy+=($!)
  fi
  for run in $(seq "$runs"); do
    for check in "${checks[@]}"; do
      log=build/soak/$check-$load-$run.log
      if run_check "$check" >"$log" 2>&1; then
        passed[$check-$load]=$((${passed[$check-$load]:-0} + 1))
        rm "$log"
      else
        echo "soak: $check failed ($load, run $run): $(grep -m 1 FAILED "$log" || tail -n 1 "$log")"
      fi
    done
    echo "soak: round $run of $runs ($load) done" >&2
  done
  stop_busy
done
printf '%-20s %12s %12s\n' check alone "two busy"
for check in "${checks[@]}"; do
  printf '%-20s %12s %12s\n' "$check" "${passed[$check-idle]:-0}/$runs" "${passed[$check-busy]:-0}/$runs"
done
