#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks the cross-built velmora.exe (default build/windows/velmora.exe) as Windows will
# meet it: one stripped GUI program that imports only Windows' own DLLs and carries its
# icon, version record and manifest; then runs it under Wine on a virtual X display, types
# the worked example as a user would, calculates, and reads every result back through the
# clipboard. Leaves the window's screenshot in build/windows/smoke.png (or $1).
set -euo pipefail
cd "$(dirname "$0")/.."
exe=${VELMORA_EXE:-build/windows/velmora.exe}
screenshot=$(realpath -m "${1:-build/windows/smoke.png}")

source scripts/check-session.sh windows wine

[[ -f $exe ]] || fail "$exe was not built"

# The file itself.
headers=$(x86_64-w64-mingw32-objdump -p "$exe")
imports=$(sed -n 's/^\tDLL Name: //p' <<<"$headers" | tr 'A-Z' 'a-z' | sort -u)
# Windows' own libraries only: nothing that a user would have to install beside the program.
system_dlls='^(advapi32|comdlg32|d3d9|d3d11|d3d12|dwmapi|dwrite|dxgi|gdi32|imm32|kernel32|msvcrt|netapi32|ole32|oleaut32|setupapi|shell32|shcore|shlwapi|user32|userenv|uxtheme|version|winmm|ws2_32|wtsapi32|authz|cfgmgr32|api-ms-win-[a-z0-9-]+)\.dll$'
while read -r dll; do
  [[ $dll =~ $system_dlls ]] || fail "velmora.exe imports $dll, which Windows does not have"
done <<<"$imports"
pass "imports only Windows system DLLs: $(tr '\n' ' ' <<<"$imports")"
grep -qE '^Subsystem[[:space:]]+0*2[[:space:]]' <<<"$headers" ||
  fail "velmora.exe is not a GUI program (it would open a console window)"
[[ $(x86_64-w64-mingw32-objdump -h "$exe" | grep -c '\.debug_') == 0 ]] ||
  fail "velmora.exe carries debug sections"
[[ $(x86_64-w64-mingw32-objdump --syms "$exe" | grep -c '^\[') == 0 ]] ||
  fail "velmora.exe keeps its symbol table"
pass "GUI subsystem, stripped, $(stat -c %s "$exe") bytes"

# Its resources, read back from the program file.
wrestool --extract --raw --type=version "$exe" >"$scratch/version.res" ||
  fail "no version record in velmora.exe"
# Its texts are UTF-16; the binary fields between them decode to nothing.
version=$(iconv -c -f UTF-16LE -t UTF-8 <"$scratch/version.res" | tr -d '\0')
for want in 080404B0 FileVersion1.00 ProductVersion1.00 InternalNameVelmora \
  "Velmora 锯材计算器"; do
  grep -qaF "$want" <<<"$version" || fail "the version record lacks $want"
done
wrestool --extract --type=group_icon "$exe" >"$scratch/velmora.ico" ||
  fail "no icon in velmora.exe"
[[ $(icotool --list "$scratch/velmora.ico" | wc -l) == 9 ]] ||
  fail "the program's icon holds not nine images"
wrestool --extract --raw --type=24 "$exe" >"$scratch/manifest.xml" ||
  fail "no manifest in velmora.exe"
for want in 8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a PerMonitorV2 Microsoft.Windows.Common-Controls; do
  grep -qF "$want" "$scratch/manifest.xml" || fail "the manifest lacks $want"
done
pass "version record 1.00 (Chinese, PRC), nine-image icon, manifest for Windows 10/11, per-monitor DPI"

# The program under Wine, used as a user would.
start_virtual_display 1024x768
scripts/wine.sh "$exe" &
pids+=($!)
window=$(wait_for_window '^Velmora$' 60) ||
  fail "velmora.exe showed no window titled Velmora under Wine"
pass "velmora.exe shows its window under Wine"

# Pixel positions in the window of the boxes read back: the layout's twips divided by 15.
# The copy's keys follow the click in the window's queue, so nothing need be waited for.
click_box() { xdotool mousemove --window "$window" "$1" "$2" click 1; }
read_box() {
  click_box "$1" "$2"
  copy_focused_text
}

click_box 60 92  # the first length box
type_worked_example
# The background, left of the grid; the picture once the total amount's box has changed.
total_box=65x25+336+280
typed=$(window_pixels "$window" "$total_box")
xdotool mousemove --window "$window" 8 300 click 1
mkdir -p "$(dirname "$screenshot")"
capture_window "$window" "$screenshot" 60 "$typed" "$total_box" ||
  fail "the click on the background did not repaint the totals within 60 s"

expected=("256 92 0.4000" "368 92 600.00" "256 116 0.0630" "368 116 63.00"
  "256 140 0.9000" "368 140 1242.00" "256 164 0.3000" "368 164 375.00"
  "256 188 " "256 292 1.6630" "368 292 2280.0000")
for case in "${expected[@]}"; do
  read -r x y want <<<"$case"
  got=$(read_box "$x" "$y")
  [[ $got == "${want:-}" ]] || fail "the box at $x,$y shows '$got', not '${want:-}'"
done
pass "the worked example computes under Wine: 1.6630 m³, 2280.0000 元 (screenshot $screenshot)"
