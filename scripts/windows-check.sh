#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks both cross-built programs (build/windows-x64/velmora.exe and
# build/windows-x86/velmora.exe) as Windows will meet them: a stripped GUI program of its
# architecture, at most 768 KiB, importing exactly the functions its list in windows/
# names (all of them in Windows 7), carrying its icon, version record and manifest, and the
# 32-bit one's sheet computing with SSE2, as the 64-bit one does; then
# runs each under its own Wine (64-bit, and 32-bit in a 32-bit prefix) on a virtual X
# display, types the worked example as a user would, calculates, and reads every result
# back through the clipboard. Leaves each window's screenshot in build/windows/ (or in the
# folder $1) as smoke-x64.png and smoke-x86.png.
set -euo pipefail
cd "$(dirname "$0")/.."
shots=$(realpath -m "${1:-build/windows}")
readonly kMaxBytes=$((768 * 1024))

source scripts/check-session.sh windows wine
mkdir -p "$shots"

# The imports as "dll!function", one a line, in the order of the lists in windows/.
imports() {
  "$1" -p "$2" | awk '/^\tDLL Name:/ { dll = tolower($3); next } /^\tvma:/ { next }
    /^$/ { dll = ""; next } dll != "" && NF >= 3 { print dll "!" $3 }' | LC_ALL=C sort -u
}

check_file() {
  local arch=$1 exe=$2 objdump=$3 format=$4 manifest_arch=$5 headers list
  [[ -f $exe ]] || fail "$exe was not built"
  [[ $($objdump -f "$exe") == *"file format $format"* ]] || fail "$exe is not a $format program"
  headers=$($objdump -p "$exe")
  grep -qE '^Subsystem[[:space:]]+0*2[[:space:]]' <<<"$headers" ||
    fail "$exe is not a GUI program (it would open a console window)"
  [[ $($objdump -h "$exe" | grep -c '\.debug_') == 0 ]] || fail "$exe carries debug sections"
  [[ $($objdump --syms "$exe" | grep -c '^\[') == 0 ]] || fail "$exe keeps its symbol table"
  (($(stat -c %s "$exe") <= kMaxBytes)) ||
    fail "$exe is $(stat -c %s "$exe") bytes, over 768 KiB"
  pass "$arch: GUI program ($format), stripped, $(stat -c %s "$exe") bytes"

  # Every import is one Windows 7 has, and a new one is a deliberate change of the list.
  list=windows/imports-$arch.txt
  imports "$objdump" "$exe" >"$scratch/imports-$arch.txt"
  diff -u "$list" "$scratch/imports-$arch.txt" >"$scratch/imports.diff" ||
    fail "$exe imports other functions than $list lists: $(grep '^[-+][^-+]' "$scratch/imports.diff" | tr '\n' ' ')"
  if grep -qiE '^(api-ms-win-|ext-ms-|shcore|ucrtbase|vcruntime|msvcp|libgcc|libstdc|libwinpthread)' \
    "$scratch/imports-$arch.txt"; then
    fail "$exe imports a DLL that Windows 7 lacks or a MinGW DLL"
  fi
  pass "$arch: imports the $(wc -l <"$list") functions of $list, from $(cut -d '!' -f 1 "$list" | sort -u | tr '\n' ' ')"

  wrestool --extract --raw --type=version "$exe" >"$scratch/version.res" ||
    fail "no version record in $exe"
  # Its texts are UTF-16; the binary fields between them decode to nothing.
  local version want
  version=$(iconv -c -f UTF-16LE -t UTF-8 <"$scratch/version.res" | tr -d '\0')
  for want in 080404B0 FileVersion1.00 ProductVersion1.00 InternalNameVelmora \
    "Velmora 锯材计算器"; do
    grep -qaF "$want" <<<"$version" || fail "the version record of $exe lacks $want"
  done
  wrestool --extract --type=group_icon "$exe" >"$scratch/velmora.ico" || fail "no icon in $exe"
  [[ $(icotool --list "$scratch/velmora.ico" | wc -l) == 9 ]] ||
    fail "the icon of $exe holds not nine images"
  wrestool --extract --raw --type=24 "$exe" >"$scratch/manifest.xml" || fail "no manifest in $exe"
  # Windows 7, 8, 8.1 and 10/11; per-monitor DPI (8.1 on), system DPI before; the native
  # controls' look; no elevation.
  for want in 35138b9a-5d96-4fbd-8e2d-a2440225f93a 4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38 \
    1f676c76-80e1-4239-95bb-83d0f6d0da78 8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a \
    '>true/pm<' '>PerMonitorV2<' Microsoft.Windows.Common-Controls 'level="asInvoker"' \
    "processorArchitecture=\"$manifest_arch\""; do
    grep -qF -- "$want" "$scratch/manifest.xml" || fail "the manifest of $exe lacks $want"
  done
  pass "$arch: version record 1.00 (Chinese, PRC), nine-image icon, manifest for Windows 7 to 11, DPI-aware"
}

# The 32-bit program computes on SSE2, as the 64-bit one does: no x87 arithmetic in the
# sheet (loads, stores and sign changes carry a double's value unchanged, and the calling
# convention returns doubles on the x87 stack).
check_x86_arithmetic() {
  local library=build/windows-x86/src/sheet/libvelmora_sheet.a found
  found=$(i686-w64-mingw32-objdump -d --no-show-raw-insn "$library" | awk '{ print $2 }' |
    grep -E '^(fi?(add|sub|subr|mul|div|divr)|f(sqrt|prem1?|rndint|scale|ist|istp|isttp))[psl]*$' |
    sort | uniq -c | tr -s ' \n' ' ' || true)
  [[ -z $found ]] || fail "x86: the sheet computes with x87 instructions:$found"
  pass "x86: the sheet computes with SSE2 only, no x87 arithmetic"
}

# The program under its Wine, used as a user would.
check_use() {
  local arch=$1 exe=$2 window
  export VELMORA_WINEARCH=$3
  scripts/wine.sh "$exe" &
  pids+=($!)
  window=$(wait_for_window '^Velmora$' 60) ||
    fail "$arch: velmora.exe showed no window titled Velmora under Wine within 60 s"

  # Pixel positions in the window of the boxes read back: the layout's twips divided by 15.
  click_box() { xdotool mousemove --window "$window" "$1" "$2" click 1; }
  click_box 40 92  # the first length box
  wait_for_typing 60 || fail "$arch: 60 s after its window showed, typing still reached no box"
  type_worked_example
  # The background, left of the grid; the picture once the total amount's box has changed.
  local total_box=65x25+336+280 typed case x y want got
  typed=$(window_pixels "$window" "$total_box")
  xdotool mousemove --window "$window" 8 300 click 1
  capture_window "$window" "$shots/smoke-$arch.png" 60 "$typed" "$total_box" ||
    fail "$arch: the click on the background did not repaint the totals within 60 s"
  local expected=("250 92 0.4000" "360 92 600.00" "250 116 0.0630" "360 116 63.00"
    "250 140 0.9000" "360 140 1242.00" "250 164 0.3000" "360 164 375.00"
    "250 188 " "250 292 1.6630" "360 292 2280.0000")
  for case in "${expected[@]}"; do
    read -r x y want <<<"$case"
    click_box "$x" "$y"
    got=$(copy_focused_text)
    [[ $got == "${want:-}" ]] || fail "$arch: the box at $x,$y shows '$got', not '${want:-}'"
  done
  scripts/wine.sh --stop
  pass "$arch: the worked example computes under Wine: 1.6630 m³, 2280.0000 元 ($shots/smoke-$arch.png)"
}

start_virtual_display 1024x768
check_file x64 build/windows-x64/velmora.exe x86_64-w64-mingw32-objdump pei-x86-64 amd64
check_file x86 build/windows-x86/velmora.exe i686-w64-mingw32-objdump pei-i386 x86
check_x86_arithmetic
check_use x64 build/windows-x64/velmora.exe win64
check_use x86 build/windows-x86/velmora.exe win32
