#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds windows/velmora.ico from the icon's PNG renders: 48, 32 and 16 pixels,
# each at 16 colours, 256 colours and 32-bit colour. Run after scripts/render-icons.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

sizes=(48 32 16)
for size in "${sizes[@]}"; do
  png=resources/icons/velmora-$size.png
  # Palette images keep a one-bit mask for transparency, and one palette entry for it.
  convert "$png" -channel A -threshold 50% +channel +dither -colors 15 "PNG8:$work/$size-4.png"
  convert "$png" -channel A -threshold 50% +channel +dither -colors 255 "PNG8:$work/$size-8.png"
  cp "$png" "$work/$size-32.png"
done
args=()
for depth in 4 8 32; do
  args+=(--bit-depth="$depth")
  for size in "${sizes[@]}"; do args+=("$work/$size-$depth.png"); done
done
icotool --create --output=windows/velmora.ico "${args[@]}"
icotool --list windows/velmora.ico
