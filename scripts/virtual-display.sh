# SPDX-License-Identifier: MIT
# Sourced by the scripts that show the window without a desktop.
# start_virtual_display SIZE starts Xvfb (SIZE like 1024x768) on a display number the server
# picks itself, so it never clashes with one already running, returns once it accepts
# clients, and exports DISPLAY and a private XDG_RUNTIME_DIR (Qt warns without one).
# stop_virtual_display, from the caller's EXIT trap, ends it and the xclip processes that
# served its clipboard, and removes the folder.
# type_worked_example types the README's four rows from the focused box on, as a user would.
# copy_focused_text prints what the focused field holds, copied as a user would: select all,
# copy, read the clipboard once the copy has replaced what it held (empty if it never does).
# wait_for_focused_text TEXT SECONDS copies the focused field's text until it is TEXT, or
# SECONDS have passed, and prints the last copy.
# wait_until SECONDS COMMAND... runs COMMAND until it succeeds; fails after SECONDS.
# wait_for_typing SECONDS types a 0 into the focused box until the box shows it, then
# empties the box: keys typed before a program takes keys are lost.
# capture_window WINDOW FILE SECONDS [BEFORE REGION] saves the window's picture once it has
# been painted and has settled, and its REGION (WxH+X+Y) differs from BEFORE, what
# `window_pixels WINDOW REGION` gave before an action. A blinking caret never settles a
# whole window's difference, so REGION names the part the action changes.
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
  scratch_picture=$virtual_runtime_dir/window.png
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
  # A text of its own in the clipboard first: the copy replaces it, so the first read that
  # differs is the field's. An empty field copies nothing, which only the time limit tells.
  local sentinel="velmora clipboard $RANDOM$RANDOM" text deadline=$((SECONDS + ${COPY_SECONDS:-5}))
  # xclip stays behind to serve the clipboard: it must not hold the caller's output.
  printf '%s' "$sentinel" | xclip -selection clipboard >/dev/null 2>&1
  xdotool key ctrl+a ctrl+c
  while ((SECONDS < deadline)); do
    # An owner that never answers (Wine's clipboard, once, with both cores loaded) would
    # hold a bare read forever: each read gets a second, and the loop asks again.
    text=$(timeout 1 xclip -out -selection clipboard 2>/dev/null) || true
    if [[ $text != "$sentinel" ]]; then
      printf '%s\n' "$text"
      return 0
    fi
    sleep 0.05
  done
  echo
}

wait_for_focused_text() {
  local deadline=$((SECONDS + $2)) text
  while :; do
    text=$(copy_focused_text)
    if [[ $text == "$1" ]] || ((SECONDS >= deadline)); then break; fi
    sleep 0.2
  done
  printf '%s\n' "$text"
}

wait_for_typing() {
  local deadline=$((SECONDS + $1))
  while ((SECONDS < deadline)); do
    xdotool key 0
    if [[ $(COPY_SECONDS=1 copy_focused_text) == *0* ]]; then
      xdotool key ctrl+a BackSpace
      return 0
    fi
  done
  return 1
}

wait_until() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.1
  done
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

# The hash of a picture's pixels, or of those in REGION (WxH+X+Y).
picture_pixels() {
  convert "$1" ${2:+-crop "$2" +repage} rgb:- | md5sum | cut -d ' ' -f 1
}

window_pixels() {
  import -window "$1" "$scratch_picture" 2>/dev/null && picture_pixels "$scratch_picture" "${2:-}"
}

capture_window() {
  local deadline=$((SECONDS + $3)) previous= current region
  while ((SECONDS < deadline)); do
    if import -window "$1" "$2.capture.png" 2>/dev/null; then
      current=$(picture_pixels "$2.capture.png")
      region=$(picture_pixels "$2.capture.png" "${5:-}")
      # Painted (an unpainted window is one flat colour), the same twice in a row, and
      # changed where the caller's action shows.
      if (($(identify -format %k "$2.capture.png") > 3)) && [[ $current == "$previous" &&
        $region != "${4:-}" ]]; then
        mv "$2.capture.png" "$2"
        return 0
      fi
      previous=$current
    fi
    sleep 0.1
  done
  rm -f "$2.capture.png"
  return 1
}
