#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Start-up, memory and idle cost of the real program under a virtual X server, side by side
# with the floor (the same window without the program's logic), over RUNS interleaved runs
# (default 10) after one warm-up each; then the click-to-repaint time.
#   bench/startup.sh [RUNS] [IDLE_SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-10}
idle=${2:-10}

scripts/build.sh >/dev/null
bin=build/release
source scripts/virtual-display.sh
results=$(mktemp -d)
trap 'stop_virtual_display; rm -rf "$results"' EXIT
start_virtual_display 1280x1024

measure() { "$bin/bench/map_timer" "$idle" "$2" >>"$results/$1"; }
measure warmup "$bin/velmora"
measure warmup "$bin/bench/velmora_floor"
for run in $(seq "$runs"); do
  echo "run $run of $runs" >&2
  measure velmora "$bin/velmora"
  measure floor "$bin/bench/velmora_floor"
done

# min / median / max of one field over a results file.
stats() {
  sed -n "s/.*$2=\([0-9.]*\).*/\1/p" "$results/$1" | sort -g |
    awk '{v[NR]=$1} END {m = NR%2 ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2; printf "%.2f %.2f %.2f", v[1], m, v[NR]}'
}

echo "Velmora against the floor, $runs runs each, idle over $idle s with the first box focused"
printf '%-14s %28s %28s %8s\n' "" "velmora min/median/max" "floor min/median/max" "ratio"
for field in map_ms rss_kib pss_kib idle_cpu_ms idle_wakeups; do
  read -r vmin vmed vmax <<<"$(stats velmora "$field")"
  read -r fmin fmed fmax <<<"$(stats floor "$field")"
  ratio=$(awk -v a="$vmed" -v b="$fmed" 'BEGIN { printf (b > 0 ? "%.3f" : "-"), a / b }')
  printf '%-14s %28s %28s %8s\n' "$field" "$vmin / $vmed / $vmax" "$fmin / $fmed / $fmax" "$ratio"
done
QT_QPA_PLATFORM=xcb "$bin/bench/click_benchmark"
