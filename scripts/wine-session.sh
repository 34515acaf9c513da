# SPDX-License-Identifier: MIT
# Sourced by the checks that run Windows programs under Wine on a virtual display. Gives
# them `scratch`, a folder of their own, and `velmora_pid`, the program they started; on
# exit it stops that program, then Wine, then the display, and removes the folder.
source scripts/virtual-display.sh
scratch=$(mktemp -d)
velmora_pid=
end_wine_session() {
  [[ -n $velmora_pid ]] && kill "$velmora_pid" 2>/dev/null
  scripts/wine.sh --stop
  stop_virtual_display
  wait 2>/dev/null || true
  rm -rf "$scratch"
}
trap end_wine_session EXIT
