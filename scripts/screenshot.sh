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
window=$(wait_for_window '^Velmora$' 60) ||
  { echo "screenshot: FAILED: velmora showed no window within 60 s" >&2; exit 1; }
# Without a window manager the keyboard follows the pointer: rest it on the background.
xdotool mousemove --window "$window" 5 5
type_worked_example
# The total amount's box, in pixels: the layout's twips divided by 15.
total_box=65x25+336+280
typed=$(window_pixels "$window" "$total_box")
xdotool click 1
capture_window "$window" "$output" 30 "$typed" "$total_box" ||
  { echo "screenshot: FAILED: the click did not repaint the window within 30 s" >&2; exit 1; }
echo "screenshot: $output"
