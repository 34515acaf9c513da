#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Renders the real window under a virtual X server into a PNG (default docs/screenshot.png):
# four rows typed as a user would, then a click on the background to calculate.
set -euo pipefail
cd "$(dirname "$0")/.."
output=$(realpath -m "${1:-docs/screenshot.png}")

scripts/build.sh >/dev/null
mkdir -p "$(dirname "$output")"

source scripts/virtual-display.sh
velmora_pid=
cleanup() {
  [[ -n $velmora_pid ]] && kill "$velmora_pid" 2>/dev/null
  stop_virtual_display
  wait 2>/dev/null || true
}
trap cleanup EXIT
start_virtual_display 1024x768

build/release/velmora &
velmora_pid=$!
window=$(wait_for_window '^Velmora$' 60)
# Without a window manager the keyboard follows the pointer: rest it on the background.
xdotool mousemove --window "$window" 5 5
sleep 0.3

type_worked_example
xdotool click 1
sleep 0.5
import -window "$window" "$output"
echo "screenshot: $output"
