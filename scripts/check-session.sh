# SPDX-License-Identifier: MIT
# Sourced by the check scripts as `source scripts/check-session.sh NAME [wine]`. Gives them
# `scratch`, a folder of their own; `pids`, to which they add the programs they start; and
# fail and pass, which print their verdicts as "NAME: FAILED: …" and "NAME: ok: …". On exit
# it stops those programs, then, for a check that runs Windows programs, Wine (before the
# display it draws on goes), then the virtual display, and removes the folder.
source scripts/virtual-display.sh
check_name=$1
check_uses_wine=${2:-}
scratch=$(mktemp -d)
pids=()
fail() { echo "$check_name: FAILED: $*" >&2; exit 1; }
pass() { echo "$check_name: ok: $*"; }
end_check_session() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  if [[ -n $check_uses_wine ]]; then scripts/wine.sh --stop; fi
  stop_virtual_display
  wait 2>/dev/null || true
  rm -rf "$scratch"
}
trap end_check_session EXIT
