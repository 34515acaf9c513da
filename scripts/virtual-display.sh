# SPDX-License-Identifier: MIT
# Sourced by the scripts that show the window without a desktop.
# start_virtual_display SIZE starts Xvfb (SIZE like 1024x768) on a display number the server
# picks itself, so it never clashes with one already running, returns once it accepts
# clients, and exports DISPLAY and a private XDG_RUNTIME_DIR (Qt warns without one).
# stop_virtual_display, from the caller's EXIT trap, ends it and the xclip processes that
# served its clipboard, and removes the folder.
# type_worked_example types the README's four rows from the focused box on, as a user would.
# copy_focused_text prints what the focused field holds, copied as a user would: select all,
# copy, read the clipboard (emptied first, so a failed copy reads as empty).
# wait_for_window PATTERN SECONDS prints the first visible window whose name matches, once
# one shows, and fails after SECONDS.

start_virtual_display() {
  local ready
  ready=$(mktemp)
  # Xvfb writes the display number to fd 3 once it is ready for clients.
  Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp 3>"$ready" 2>/dev/null &
  xvfb_pid=$!
  for _ in $(seq 200); do
    [[ -s $ready ]] && break
    sleep 0.05
  done
  if [[ ! -s $ready ]]; then
    rm -f "$ready"
    echo "virtual display: Xvfb did not start" >&2
    return 1
  fi
  DISPLAY=:$(head -n 1 "$ready")
  rm -f "$ready"
  virtual_runtime_dir=$(mktemp -d)
  export DISPLAY XDG_RUNTIME_DIR=$virtual_runtime_dir
}

stop_virtual_display() {
  local pid
  for pid in $(pgrep -x xclip); do
    if { tr '\0' '\n' <"/proc/$pid/environ"; } 2>/dev/null | grep -qxF "DISPLAY=$DISPLAY"; then
      kill "$pid" 2>/dev/null
    fi
  done
  if [[ -n ${xvfb_pid:-} ]]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  if [[ -n ${virtual_runtime_dir:-} ]]; then rm -rf "$virtual_runtime_dir"; fi
  xvfb_pid=
  virtual_runtime_dir=
}

type_worked_example() {
  local row value
  for row in "4 200 50 10 1500" "2.5 120 30 7 1000" "6 150 40 25 1380" "3 100 20 50 1250"; do
    for value in $row; do
      xdotool type --delay 30 "$value"
      xdotool key Tab
    done
  done
}

copy_focused_text() {
  # xclip stays behind to serve the emptied clipboard: it must not hold the caller's output.
  printf '' | xclip -selection clipboard >/dev/null 2>&1
  xdotool key ctrl+a ctrl+c
  sleep 0.3
  xclip -out -selection clipboard 2>/dev/null || true
}

wait_for_window() {
  local deadline=$((SECONDS + $2)) window
  while ((SECONDS < deadline)); do
    # A window that vanishes while xdotool reads it (Wine makes and drops helper windows as
    # a program starts) ends xdotool's search with an X error: ask again.
    window=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) || true
    if [[ -n $window ]]; then
      echo "$window"
      return 0
    fi
    sleep 0.1
  done
  return 1
}
