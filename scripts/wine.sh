#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs a Windows program under Wine in one of the project's own Wine prefixes, made on
# first use, so no Wine set-up of the user's is read or changed. VELMORA_WINEARCH picks a
# 64-bit Windows (win64, build/wine-win64, the default) or a 32-bit one (win32,
# build/wine-win32); VELMORA_WINEPREFIX another folder. Each models a Chinese Windows: a
# Chinese (PRC) locale (VELMORA_WINE_LANG changes it), and Windows' Chinese faces mapped to
# the Chinese faces this machine has. Its exit status and output are the program's. Used
# as the cross-built tests' emulator and by the Windows checks.
# 64-bit prefixes run with this machine's Wine. 32-bit programs need Wine's 32-bit half,
# which the host never gets (no i386 architecture here): 32-bit prefixes, and 64-bit ones
# with VELMORA_WINE_ROOT=yes (where a 32-bit program such as the setup program runs on a
# 64-bit Windows), run with Debian 13's Wine in the root of scripts/debian13.sh, on the
# same display, paths and files.
# `scripts/wine.sh --stop` ends every Wine process of the prefix, Wine's own helpers (its
# desktop, its services) included, before the display they draw on goes away.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export WINEARCH=${VELMORA_WINEARCH:-win64}
export WINEPREFIX=${VELMORA_WINEPREFIX:-$root/build/wine-$WINEARCH} WINEDEBUG=${WINEDEBUG:--all}
export LANG=${VELMORA_WINE_LANG:-zh_CN.UTF-8} LC_ALL=
# Wine's first start would offer to install Mono and Gecko; the program needs neither. Its
# menu builder would copy every Start-menu shortcut into this machine's own desktop menus.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}
# Each architecture's own loader, named directly: Debian's `wine` would pick the 32-bit one
# for every prefix once wine32 is installed.
if [[ $WINEARCH == win64 ]]; then loader=/usr/lib/wine/wine64; else loader=/usr/lib/wine/wine; fi
export WINELOADER=$loader
in_place=()
if [[ $WINEARCH == win32 || ${VELMORA_WINE_ROOT:-} == yes ]]; then
  in_place=("$root/scripts/debian13.sh" run)
  # The 64-bit server: the 32-bit one would itself need qemu.
  export WINESERVER=/usr/lib/wine/wineserver64
else
  [[ -x $loader ]] || { echo "wine: Wine is not installed (Debian: wine, wine64)" >&2; exit 1; }
fi
wine_loader() { "${in_place[@]}" "$loader" "$@"; }
wine_server() { "${in_place[@]}" "${WINESERVER:-wineserver}" "$@"; }
if [[ ${1:-} == --stop ]]; then
  wine_server --kill 2>/dev/null || true
  exit 0
fi

# SimSun (宋体) is a Song face, as AR PL UMing is; Microsoft YaHei (微软雅黑), Windows'
# Chinese interface face, is a sans face, as WenQuanYi Micro Hei is.
font_replacements() {
  local song='"AR PL UMing CN"' sans='"WenQuanYi Micro Hei"'
  printf 'Windows Registry Editor Version 5.00\r\n\r\n'
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
  printf '"宋体"=%s\r\n"SimSun"=%s\r\n"新宋体"=%s\r\n"NSimSun"=%s\r\n' "$song" "$song" "$song" "$song"
  printf '"微软雅黑"=%s\r\n"Microsoft YaHei"=%s\r\n"Microsoft YaHei UI"=%s\r\n' "$sans" "$sans" "$sans"
  # Chinese Windows' own interface font, Microsoft YaHei UI at 9 points, for messages,
  # menus, tooltips and captions (a LOGFONTW: height -12, weight 400, GB2312).
  local face logfont name
  face=$(printf 'Microsoft YaHei UI' | iconv -t UTF-16LE | od -An -tx1 -v | tr -s ' \n' ' ')
  logfont=$(printf '%s' "f4 ff ff ff 00 00 00 00 00 00 00 00 00 00 00 00 90 01 00 00 00 00 00 86 00 00 00 00 $face" |
    awk '{ for (i = 1; i <= 92; i++) printf "%s%s", (i > 1 ? "," : ""), (i <= NF ? $i : "00") }')
  printf '\r\n[HKEY_CURRENT_USER\\Control Panel\\Desktop\\WindowMetrics]\r\n'
  for name in MessageFont MenuFont StatusFont IconFont CaptionFont SmCaptionFont; do
    printf '"%s"=hex:%s\r\n' "$name" "$logfont"
  done
}

if [[ ! -f $WINEPREFIX/system.reg ]]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  # A lock, since CTest starts several suites at once on a fresh prefix.
  exec 9>"$WINEPREFIX.lock"
  flock 9
  if [[ ! -f $WINEPREFIX/system.reg ]]; then
    wine_loader wineboot --init >/dev/null 2>&1
    fonts=$(mktemp --suffix=.reg)
    font_replacements | iconv -f UTF-8 -t UTF-16 >"$fonts"
    wine_loader regedit /S "$(wine_loader winepath.exe -w "$fonts" 2>/dev/null)" >/dev/null 2>&1
    rm -f "$fonts"
    wine_server --wait
  fi
  flock -u 9
fi
exec "${in_place[@]}" "$loader" "$@"
