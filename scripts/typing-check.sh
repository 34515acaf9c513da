#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Types into the real window with real X input, as fast as a barcode scanner, and clicks as
# real hands do, then reads back what the boxes hold: `scripts/typing-check.sh NAME PROGRAM
# [ARGUMENT…]` (NAME "linux" or "x64"; PROGRAM build/plain/velmora, or scripts/wine.sh and the
# .exe). ROUNDS (default 5) rounds, alone and again beside two busy processes, each typing all
# eight rows in one burst (length Tab width Tab thickness Tab pieces Tab price Tab …) over
# rows that already hold other numbers, then calculating and reading the totals. Then clicks
# whose mouse moves 2, 3 (and on Linux 6) pixels between press and release, into another
# column, each followed by typing.
set -euo pipefail
cd "$(dirname "$0")/.."
name=$1
shift
rounds=${ROUNDS:-5}

source scripts/check-session.sh "typing $name" "$([[ $1 == *wine.sh ]] && echo wine)"
start_virtual_display 1024x768
"$@" &
pids+=($!)
window=$(wait_for_window '^Velmora$' 60) || fail "no window titled Velmora within 60 s"

# Pixel positions in the window: the layout's twips divided by 15.
readonly kColumnCentres=(60 108 156 204 0 316)  # Text1-Text4, Text6 (Text5 unused)
row_y() { echo $((80 + 24 * $1 + 12)); }
click_at() { xdotool mousemove --window "$window" "$1" "$2" click 1; }
click_at 60 "$(row_y 0)"
wait_for_typing 60 || fail "60 s after the window showed, typing still reached no box"

# Values, each followed by Tab, as one burst of keys with no delay between them.
type_burst() {
  local keys=() value
  for value in "$@"; do
    keys+=($(grep -o . <<<"$value") Tab)
  done
  xdotool key --delay 0 "${keys[@]}"
}

read_box() {
  click_at "$1" "$2"
  copy_focused_text
}

# Every row typed in one burst, then the totals read back; rounds alternate two sets of values
# so each burst replaces different numbers.
burst_rounds() {
  local round row values want_volume want_amount got
  for ((round = 1; round <= rounds; round++)); do
    if ((round % 2)); then
      values=(4 200 50 10 1500) want_volume=3.2000 want_amount=4800.0000
    else
      values=(3 150 40 20 1200) want_volume=2.8800 want_amount=3456.0000
    fi
    # Tab goes from a row's price to the next row's length.
    click_at 60 "$(row_y 0)"
    type_burst "${values[@]}" "${values[@]}" "${values[@]}" "${values[@]}" \
      "${values[@]}" "${values[@]}" "${values[@]}" "${values[@]}"
    click_at 8 300  # the background, left of the grid
    got=$(read_box 250 292)
    [[ $got == "$want_volume" ]] ||
      fail "$1, round $round: the total volume is '$got', not $want_volume: a burst lost or changed a key"
    got=$(read_box 360 292)
    [[ $got == "$want_amount" ]] ||
      fail "$1, round $round: the total amount is '$got', not $want_amount"
  done
}

burst_rounds alone
pass "$rounds rounds of eight rows typed in one burst over other numbers, every key kept"
busy=()
for _ in 1 2; do
  yes >/dev/null &
  busy+=($!)
  pids+=($!)
done
burst_rounds "beside two busy processes"
kill "${busy[@]}"
pass "the same $rounds rounds beside two busy processes"

# The width box of row 1 holds 200; the focus is in its length box. A press, a small move
# and a release into the width box, then 150 typed, must leave 150.
click_at 108 "$(row_y 1)"
xdotool key ctrl+a
xdotool type --delay 20 200
# Moves within the platform's drag distance: Qt's is 10 px, Windows' 4.
moves=(2 3 6)
[[ $name == linux ]] || moves=(2 3)
for move in "${moves[@]}"; do
  click_at 60 "$(row_y 1)"
  xdotool mousemove --window "$window" 100 "$(row_y 1)" mousedown 1 \
    mousemove_relative "$move" 0 mouseup 1
  xdotool type --delay 20 150
  got=$(copy_focused_text)
  [[ $got == 150 ]] || fail "a click moving $move px into the width box, then 150 typed, left '$got'"
  xdotool key ctrl+a
  xdotool type --delay 20 200
done
pass "clicks moving ${moves[*]} px into another column select its text: typing replaces it"
