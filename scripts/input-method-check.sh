#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Types into a number box through a real Chinese input method: fcitx5 with pinyin switched
# on, started privately (its own D-Bus session and profile) on a virtual X display. The keys
# n, i, space, 1, ., 5 must reach the box as plain ASCII with no candidate window, while a
# plain Qt field typed the same way shows the input method at work ("你1。5").
# Every step waits for what it needs: keys go out only once fcitx5 reports the window's
# focused input context, and a watcher started before the first key sees every window
# that is shown meanwhile, so a candidate window is noticed however briefly or late it shows.
# Arguments: the program and the control field (defaults: the ci build's).
set -euo pipefail
cd "$(dirname "$0")/.."
velmora=${1:-build/plain/velmora}
control=${2:-build/plain/tests/window/qt/input_method_control}
readonly kKeys=(n i space 1 period 5)
readonly kWaitSeconds=30

source scripts/check-session.sh "input method"
started=$(date +%s)
start_virtual_display 800x600

# The private D-Bus session and fcitx5 on it, with a profile that has pinyin on from the
# start, and a "." after a digit left to pinyin, which would otherwise keep it half-width
# and spare it the input method. Sets `session_pids`, which stop_input_method ends.
start_input_method() {
  local session=$scratch/session$1
  mkdir -p "$session/config/fcitx5/conf"
  dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$session/bus" 2>/dev/null &
  session_pids=($!)
  pids+=($!)
  wait_until "$kWaitSeconds" test -s "$session/bus" ||
    fail "the private D-Bus session did not start within $kWaitSeconds s"
  DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$session/bus")
  export DBUS_SESSION_BUS_ADDRESS XDG_CONFIG_HOME=$session/config
  export XDG_DATA_HOME=$session/data XDG_CACHE_HOME=$session/cache QT_IM_MODULE=fcitx
  cat >"$XDG_CONFIG_HOME/fcitx5/profile" <<'PROFILE'
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
PROFILE
  # No popup naming the input method: the only window fcitx5 shows is the candidate window.
  cat >"$XDG_CONFIG_HOME/fcitx5/config" <<'CONFIG'
[Behavior]
ActiveByDefault=True
ShareInputState=All
ShowInputMethodInformation=False
CONFIG
  echo 'HalfWidthPuncAfterLetterOrNumber=False' >"$XDG_CONFIG_HOME/fcitx5/conf/punctuation.conf"
  fcitx5 --disable=all --enable=dbus,dbusfrontend,xcb,classicui,pinyin,punctuation,keyboard \
    >"$session/fcitx5.log" 2>&1 &
  session_pids+=($!)
  pids+=($!)
  wait_until "$kWaitSeconds" fcitx5_answers ||
    fail "fcitx5 did not answer on D-Bus within $kWaitSeconds s: $(tail -n 5 "$session/fcitx5.log")"
}

stop_input_method() {
  kill "${session_pids[@]}" 2>/dev/null || true
  wait "${session_pids[@]}" 2>/dev/null || true
}

# fcitx5's own account of its input contexts, one line each with program and focus.
fcitx5_debug_info() {
  dbus-send --print-reply=literal --dest=org.fcitx.Fcitx5 /controller \
    org.fcitx.Fcitx.Controller1.DebugInfo 2>/dev/null
}

fcitx5_answers() { fcitx5_debug_info >/dev/null; }

# True once fcitx5 has an input context of program $1 that holds the keyboard focus.
has_focused_input_context() {
  fcitx5_debug_info | grep -qE "program:$1 .*focus:1"
}

# Logs every window mapped on the display from now on, returning once the log is live
# (it has seen a property change this shell made after it started).
start_window_watcher() {
  window_log=$scratch/mapped$1.log
  xev -root -event substructure -event property >"$window_log" 2>&1 &
  pids+=($!)
  watcher_pid=$!
  wait_until "$kWaitSeconds" watcher_is_live || fail "the window watcher did not start within $kWaitSeconds s"
}
watcher_is_live() {
  xprop -root -f _VELMORA_WATCH 8s -set _VELMORA_WATCH live
  grep -q _VELMORA_WATCH "$window_log"
}

# True if a window of fcitx5's was mapped since the watcher started.
candidate_window_shown() {
  local id
  for id in $(sed -n 's/^ *event 0x[0-9a-f]*, window \(0x[0-9a-f]*\), override.*/\1/p' \
    "$window_log" | sort -u); do
    xprop -id "$id" WM_CLASS 2>/dev/null | grep -q '"fcitx"' && return 0
  done
  return 1
}

# Clicks at $2,$3 in window $1 until fcitx5 reports a focused input context of program $4:
# a click that comes before the window takes clicks is lost, and is made again.
click_until_focused() {
  local deadline=$((SECONDS + kWaitSeconds))
  while ((SECONDS < deadline)); do
    xdotool mousemove --window "$1" "$2" "$3" click 1
    wait_until 2 has_focused_input_context "$4" && return 0
  done
  return 1
}

# Starts program $1 with window title $2, clicks at $3,$4 in it until fcitx5 has its focused
# input context, types the keys, and waits for the field to hold $5. Sets `typed` to what
# the field holds then, after "candidates + " if a candidate window was shown meanwhile.
# Returns 1, with `problem` saying what it waited for, if the window never got ready.
type_into() {
  local program=$1 title=$2 x=$3 y=$4 want=$5 name window text
  name=$(basename "$program")
  typed=
  "$program" >"$scratch/$name.log" 2>&1 &
  pids+=($!)
  session_pids+=($!)
  if ! window=$(wait_for_window "^$title\$" "$kWaitSeconds"); then
    problem="$program showed no window within $kWaitSeconds s"
    return 1
  fi
  if ! click_until_focused "$window" "$x" "$y" "$name"; then
    problem="fcitx5 reported no focused input context for $name within $kWaitSeconds s of"
    problem+=" clicks: $(fcitx5_debug_info | tr -s ' \n' ' ')"
    return 1
  fi
  start_window_watcher "$name"
  xdotool key --delay 100 "${kKeys[@]}"
  text=$(wait_for_focused_text "$want" "$kWaitSeconds")
  kill "$watcher_pid"
  typed=$text
  if candidate_window_shown; then typed="candidates + $text"; fi
}

# The control field must show the input method at work; a slow first start is given a
# second, fresh set-up before the check calls it unproven.
for attempt in 1 2; do
  start_input_method "$attempt"
  if type_into "$control" Control 20 20 '你1。5'; then
    [[ $typed == 'candidates + 你1。5' ]] && break
    problem="the plain field holds '$typed' after $kWaitSeconds s"
  fi
  echo "input method: $problem; setting fcitx5 up afresh" >&2
  stop_input_method
done
[[ $typed == 'candidates + 你1。5' ]] ||
  fail "no proof: the input method did not work in the plain field, even after a second" \
    "set-up (want a candidate window and '你1。5'): $problem"
pass "a plain Qt field gets '你1。5' through pinyin, with its candidate window"

type_into "$velmora" Velmora 60 92 'ni 1.5' || fail "$problem"
[[ $typed == "ni 1.5" ]] ||
  fail "the first length box holds '$typed', not the plain keys 'ni 1.5' with no candidate window"
pass "the first length box gets the plain keys 'ni 1.5', no candidate window ($(($(date +%s) - started)) s)"
