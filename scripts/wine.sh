#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs a Windows program under Wine in the project's own Wine prefix (build/wine, made on
# first use), so no Wine set-up of the user's is read or changed. Its exit status is the
# program's. Used as the cross-built tests' emulator and by the Windows smoke test.
# `scripts/wine.sh --stop` ends every Wine process of the prefix, Wine's own helpers (its
# desktop, its services) included, before the display they draw on goes away.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX=${VELMORA_WINEPREFIX:-$root/build/wine} WINEDEBUG=${WINEDEBUG:--all}
# Wine's first start would offer to install Mono and Gecko; the program needs neither. Its
# menu builder would copy every Start-menu shortcut into this machine's own desktop menus.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}
command -v wine >/dev/null || { echo "wine: Wine is not installed (Debian: wine, wine64)" >&2; exit 1; }
if [[ ${1:-} == --stop ]]; then
  wineserver --kill 2>/dev/null || true
  exit 0
fi
if [[ ! -f $WINEPREFIX/system.reg ]]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  # A lock, since CTest starts several suites at once on a fresh prefix.
  exec 9>"$WINEPREFIX.lock"
  flock 9
  if [[ ! -f $WINEPREFIX/system.reg ]]; then
    wine wineboot --init >/dev/null 2>&1
    wineserver --wait
  fi
  flock -u 9
fi
exec wine "$@"
