#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds the program and starts it on this desktop.
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} ]]; then
  echo "run: no graphical display here (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2
  echo "run: start it from a desktop session, or see the window with scripts/screenshot.sh," >&2
  echo "run: which renders it under a virtual X server into docs/screenshot.png." >&2
  exit 1
fi
scripts/build.sh
exec build/release/velmora
