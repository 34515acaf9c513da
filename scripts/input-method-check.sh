#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Types into a number box through a real Chinese input method: fcitx5 with pinyin switched
# on, started privately (its own D-Bus session and profile) on a virtual X display. The keys
# n, i, space, 1, ., 5 must reach the box as plain ASCII with no candidate window, while a
# plain Qt field typed the same way shows the input method at work ("你1。5").
# Arguments: the program and the control field (defaults: the ci build's).
set -euo pipefail
cd "$(dirname "$0")/.."
velmora=${1:-build/ci/velmora}
control=${2:-build/ci/tests/window/input_method_control}
readonly kKeys=(n i space 1 period 5)

source scripts/check-session.sh "input method"
started=$(date +%s)

start_virtual_display 800x600
dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$scratch/bus" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do [[ -s $scratch/bus ]] && break; sleep 0.05; done
[[ -s $scratch/bus ]] || fail "the private D-Bus session did not start"
DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$scratch/bus")
export DBUS_SESSION_BUS_ADDRESS XDG_CONFIG_HOME=$scratch/config XDG_DATA_HOME=$scratch/data
export XDG_CACHE_HOME=$scratch/cache QT_IM_MODULE=fcitx

# A profile with pinyin on from the start, and a "." after a digit left to pinyin, which
# would otherwise keep it half-width and spare it the input method.
mkdir -p "$XDG_CONFIG_HOME/fcitx5/conf"
cat >"$XDG_CONFIG_HOME/fcitx5/profile" <<'EOF'
[Groups/0]
Name=Default
Default Layout=us
DefaultIM=pinyin

[Groups/0/Items/0]
Name=keyboard-us
Layout=

[Groups/0/Items/1]
Name=pinyin
Layout=

[GroupOrder]
0=Default
EOF
cat >"$XDG_CONFIG_HOME/fcitx5/config" <<'EOF'
[Behavior]
ActiveByDefault=True
ShareInputState=All
EOF
cat >"$XDG_CONFIG_HOME/fcitx5/conf/punctuation.conf" <<'EOF'
HalfWidthPuncAfterLetterOrNumber=False
EOF
fcitx5 --disable=all --enable=dbus,dbusfrontend,xcb,classicui,pinyin,punctuation,keyboard \
  >"$scratch/fcitx5.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do fcitx5-remote >/dev/null 2>&1 && break; sleep 0.1; done
fcitx5-remote >/dev/null 2>&1 || fail "fcitx5 did not start: $(tail -n 5 "$scratch/fcitx5.log")"

candidate_window_shown() {
  xdotool search --onlyvisible --classname 'fcitx' >/dev/null 2>&1
}

# Starts $1, whose window is titled $2, and sets `window` to that window.
start_window() {
  "$1" >"$scratch/$2.log" 2>&1 &
  pids+=($!)
  window=$(wait_for_window "^$2\$" 20) ||
    fail "$1 showed no window"
}

# Clicks at $1,$2 in `window`, types the keys and prints what the field then holds, after
# "candidates" on a line of its own if the input method's candidate window opened meanwhile.
type_keys() {
  xdotool mousemove --window "$window" "$1" "$2" click 1
  sleep 0.5
  local candidates=
  for key in "${kKeys[@]}"; do
    xdotool key "$key"
    sleep 0.2
    if candidate_window_shown; then candidates=yes; fi
  done
  if [[ -n $candidates ]]; then echo candidates; fi
  copy_focused_text
}

start_window "$control" Control
control_text=$(type_keys 20 20)
[[ $control_text == $'candidates\n你1。5' ]] ||
  fail "the input method did not work in the plain field, which holds '$control_text'"
pass "a plain Qt field gets '你1。5' through pinyin, with its candidate window"

start_window "$velmora" Velmora
box_text=$(type_keys 60 92)
[[ $box_text == "ni 1.5" ]] ||
  fail "the first length box holds '$box_text', not the plain keys 'ni 1.5'"
pass "the first length box gets the plain keys 'ni 1.5', no candidate window ($(($(date +%s) - started)) s)"
