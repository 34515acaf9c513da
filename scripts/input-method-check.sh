#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Types into a number box through a real Chinese input method: fcitx5 with pinyin switched
# on, started privately (its own D-Bus session and profile) on a virtual X display. The keys
# n, i, space, 1, ., 5 must reach the box as plain ASCII with no candidate window, while a
# plain Qt field typed the same way shows the input method at work ("你1。5").
# Every step waits for what it needs: keys go out only once the window holds the keyboard
# focus and fcitx5 has its input context (focused, for the plain field), and a watcher
# started before the first key sees every window shown meanwhile, so a candidate window is
# noticed however briefly or late it shows.
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
# and spare it the input method.
start_input_method() {
  local session=$scratch/session
  mkdir -p "$session/config/fcitx5/conf"
  write_bus_config "$session/bus.conf"
  dbus-daemon --config-file="$session/bus.conf" --nofork --nopidfile --print-address=3 \
    3>"$session/bus" 2>/dev/null &
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
  pids+=($!)
  wait_until "$kWaitSeconds" fcitx5_ready "$!" ||
    fail "fcitx5 was not ready on D-Bus within $kWaitSeconds s: $(tail -n 5 "$session/fcitx5.log")"
}

# A session bus that starts nothing on demand: the first question to fcitx5 on the usual
# bus starts a second fcitx5, with the user's own settings, which may win the bus name.
write_bus_config() {
  cat >"$1" <<'BUS'
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:tmpdir=/tmp</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
BUS
}

# fcitx5's own account of its input contexts, one line each with program and focus.
fcitx5_debug_info() {
  dbus-send --print-reply=literal --dest=org.fcitx.Fcitx5 /controller \
    org.fcitx.Fcitx.Controller1.DebugInfo 2>/dev/null
}

# True once the fcitx5 of process $1 owns fcitx5's name on the bus and has pinyin loaded.
# fcitx5 answers before it loads pinyin, which keys typed meanwhile would pass by; asking
# for pinyin's settings loads it before the answer.
fcitx5_ready() {
  local owner
  owner=$(dbus-send --print-reply=literal --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.GetConnectionUnixProcessID string:org.fcitx.Fcitx5 2>/dev/null) &&
    [[ $owner =~ uint32\ $1$ ]] &&
    dbus-send --print-reply --dest=org.fcitx.Fcitx5 /controller \
      org.fcitx.Fcitx.Controller1.GetConfig string:fcitx://config/addon/pinyin >/dev/null 2>&1
}

# True once fcitx5 has an input context of program $1 that holds the keyboard focus.
has_focused_input_context() {
  fcitx5_debug_info | grep -qE "program:$1 .*focus:1"
}

# True once window $2 holds the keyboard focus and program $1 has an input context with
# fcitx5. Velmora's boxes turn the input method away, so whether fcitx5 also marks that
# context focused depends on the order in which Qt's fcitx5 module hears of the focus.
has_focus_and_input_context() {
  [[ $(xdotool getwindowfocus 2>/dev/null) == "$2" ]] &&
    fcitx5_debug_info | grep -qE "program:$1 "
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

# Clicks at $2,$3 in window $1 until the command that follows succeeds. A click that comes
# before the window takes clicks is lost; and fcitx5 at times drops the focus Qt gives a
# new context (likely while it files the context under the display's group), which another
# click alone never restores. So the focus goes back to the desktop and the click is made
# again, as a user would.
click_until() {
  local window=$1 x=$2 y=$3 deadline=$((SECONDS + kWaitSeconds)) root
  shift 3
  root=$(xdotool search --maxdepth 0 --name '' 2>/dev/null)
  while ((SECONDS < deadline)); do
    xdotool mousemove --window "$window" "$x" "$y" click 1
    wait_until 2 "$@" && return 0
    xdotool windowfocus "$root"
    sleep 0.2
  done
  return 1
}

# Starts program $1 with window title $2, clicks at $3,$4 in it until `$5 PROGRAM WINDOW`
# succeeds, types the keys, and waits for the field to hold $6. Sets `typed` to what the
# field holds then, after "candidates + " if a candidate window was shown meanwhile.
# Fails the check, saying what it waited for, if the window never got ready.
type_into() {
  local program=$1 title=$2 x=$3 y=$4 ready=$5 want=$6 name window
  name=$(basename "$program")
  "$program" >"$scratch/$name.log" 2>&1 &
  pids+=($!)
  window=$(wait_for_window "^$title\$" "$kWaitSeconds") ||
    fail "$program showed no window within $kWaitSeconds s"
  click_until "$window" "$x" "$y" "$ready" "$name" "$window" ||
    fail "$name was not ready ($ready) within $kWaitSeconds s of clicks:" \
      "focus on window $(xdotool getwindowfocus 2>&1), not $window;" \
      "$(fcitx5_debug_info | tr -s ' \n' ' ')"
  start_window_watcher "$name"
  xdotool key --delay 100 "${kKeys[@]}"
  typed=$(wait_for_focused_text "$want" "$kWaitSeconds")
  kill "$watcher_pid"
  if candidate_window_shown; then typed="candidates + $typed"; fi
}

# The control field must show the input method at work.
start_input_method
type_into "$control" Control 20 20 has_focused_input_context '你1。5'
[[ $typed == 'candidates + 你1。5' ]] ||
  fail "no proof: the plain field holds '$typed', not a candidate window and '你1。5'"
pass "a plain Qt field gets '你1。5' through pinyin, with its candidate window"

type_into "$velmora" Velmora 60 92 has_focus_and_input_context 'ni 1.5'
[[ $typed == "ni 1.5" ]] ||
  fail "the first length box holds '$typed', not the plain keys 'ni 1.5' with no candidate window"
pass "the first length box gets the plain keys 'ni 1.5', no candidate window ($(($(date +%s) - started)) s)"
