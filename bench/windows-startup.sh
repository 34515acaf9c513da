#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Exec-to-window time and memory of Windows programs under Wine on a virtual X server,
# over RUNS interleaved runs (default 10) after one warm-up each, with Wine's own server
# kept running between them as on a Windows whose services are up. Memory is read from the
# program's process 2 s after its window shows: resident set and proportional set (PSS).
#   bench/windows-startup.sh [RUNS] [EXE...]   (default: both cross-built velmora.exe)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-10}
shift || true
exes=("$@")
((${#exes[@]})) || exes=(build/windows-x64/velmora.exe build/windows-x86/velmora.exe)

source scripts/virtual-display.sh
results=$(mktemp -d)
trap 'scripts/wine.sh --stop; stop_virtual_display; rm -rf "$results"' EXIT
start_virtual_display 1280x1024
# Wine's services up before the first measurement, as Windows' are.
scripts/wine.sh cmd /c exit >/dev/null 2>&1 || true

# Prints "map_ms=… rss_kib=… pss_kib=…" for one start of $1.
measure() {
  local started window pid map_ms
  started=$(date +%s%N)
  VELMORA_WINEARCH=$2 scripts/wine.sh "$1" >/dev/null 2>&1 &
  until window=$(xdotool search --onlyvisible --name '^Velmora$' 2>/dev/null | head -n 1) &&
    [[ -n $window ]]; do
    sleep 0.01
    (($(date +%s%N) - started < 60000000000)) || { echo "bench: $1 showed no window" >&2; exit 1; }
  done
  map_ms=$((($(date +%s%N) - started) / 1000000))
  pid=$(xdotool getwindowpid "$window")
  sleep 2
  echo "map_ms=$map_ms rss_kib=$(awk '/^VmRSS/ { print $2 }' "/proc/$pid/status")" \
    "pss_kib=$(awk '/^Pss:/ { print $2 }' "/proc/$pid/smaps_rollup")"
  kill "$pid"
  while kill -0 "$pid" 2>/dev/null; do sleep 0.05; done
}

arch_of() { [[ $(file -b "$1") == *x86-64* ]] && echo win64 || echo win32; }
for exe in "${exes[@]}"; do
  VELMORA_WINEARCH=$(arch_of "$exe") scripts/wine.sh --can-run ||
    { echo "bench: no Wine here runs $exe" >&2; exit 1; }
  measure "$exe" "$(arch_of "$exe")" >/dev/null  # warm-up
done
for run in $(seq "$runs"); do
  echo "run $run of $runs" >&2
  for index in "${!exes[@]}"; do
    measure "${exes[$index]}" "$(arch_of "${exes[$index]}")" >>"$results/$index"
  done
done

stats() {
  sed -n "s/.*$2=\([0-9.]*\).*/\1/p" "$results/$1" | sort -g |
    awk '{v[NR]=$1} END {m = NR%2 ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2; printf "%d / %d / %d", v[1], m, v[NR]}'
}
echo "Under Wine, $runs interleaved runs each: min / median / max"
printf '%-44s %10s %22s %22s %22s\n' program bytes "exec to window, ms" "RSS, KiB" "PSS, KiB"
for index in "${!exes[@]}"; do
  printf '%-44s %10s %22s %22s %22s\n' "${exes[$index]}" "$(stat -c %s "${exes[$index]}")" \
    "$(stats "$index" map_ms)" "$(stats "$index" rss_kib)" "$(stats "$index" pss_kib)"
done
