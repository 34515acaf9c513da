#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Renders the icon's PNG sizes from resources/icons/velmora.svg; run after editing the SVG.
set -euo pipefail
cd "$(dirname "$0")/../resources/icons"
for size in 16 32 48; do
  rsvg-convert --width "$size" --height "$size" velmora.svg --output "velmora-$size.png"
done
