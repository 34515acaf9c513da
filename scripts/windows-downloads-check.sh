#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks the Windows downloads (default build/windows/downloads, from
# scripts/package-windows.sh) as Windows users meet them, under Wine in a fresh Wine prefix
# and home folder: the setup program speaks Chinese on a Chinese Windows and English on
# another; installed silently it leaves the program, its Start-menu shortcut and its
# "Apps & features" entry, and the shortcut starts the program; while it runs, upgrading
# and uninstalling fail and change nothing; a second silent install upgrades in place; the
# registered silent uninstall removes it all; on a 32-bit Windows (a 32-bit Wine prefix) the
# silent install puts the 32-bit program in place and it starts from its shortcut; each
# zip holds exactly its three files, with the program of its architecture. Leaves the
# Chinese first page's screenshot in build/windows/setup.png (or $2).
set -euo pipefail
cd "$(dirname "$0")/.."
downloads=${1:-build/windows/downloads}
screenshot=$(realpath -m "${2:-build/windows/setup.png}")
started=$(date +%s)

source scripts/check-session.sh "windows downloads" wine

# Nothing from an earlier run, and nothing of this machine's user: Wine links the prefix's
# desktop and documents folders into HOME. The setup program is a 32-bit program, which
# Wine runs only with its 32-bit half, even on a 64-bit Windows: Debian 13's Wine runs
# every prefix of this check (scripts/wine.sh).
export VELMORA_WINEPREFIX=$scratch/wine HOME=$scratch/home VELMORA_WINEARCH=win64
export VELMORA_WINE_ROOT=yes
mkdir -p "$HOME"
# As on a Chinese Windows (scripts/wine.sh's own default); Wine's console tools then
# write GBK.
export VELMORA_WINE_LANG=zh_CN.UTF-8
wine() { scripts/wine.sh "$@"; }
unix_path() { wine winepath -u "$1" 2>/dev/null; }
windows_variable() { wine cmd /c echo "%$1%" | tr -d '\r'; }
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmora'
registry_value() {
  wine reg query "$uninstall_key" /v "$1" 2>/dev/null | iconv -f GBK -t UTF-8 |
    sed -n "s/^ *$1 *REG_[A-Z_]* *//p" | tr -d '\r'
}

(cd "$downloads" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match"
setup=$(realpath "$(ls "$downloads"/velmora-*-setup.exe)")
zip64=$(realpath "$(ls "$downloads"/velmora-*-win64.zip)")
zip32=$(realpath "$(ls "$downloads"/velmora-*-win32.zip)")
version=$(basename "$setup" -setup.exe)
version=${version#velmora-}
[[ $(wc -l <"$downloads/SHA256SUMS") == 3 ]] || fail "SHA256SUMS lists not the three downloads"
pass "SHA256SUMS matches $(basename "$setup"), $(basename "$zip64") and $(basename "$zip32")"
unzip -q "$zip64" -d "$scratch/zip64"
unzip -q "$zip32" -d "$scratch/zip32"
[[ $(file -b "$scratch/zip64/velmora.exe") == *x86-64* ]] || fail "the win64 zip's program is not 64-bit"
[[ $(file -b "$scratch/zip32/velmora.exe") == *80386* ]] || fail "the win32 zip's program is not 32-bit"
# What the setup program must install on a 64-bit Windows.
expected_exe=$scratch/zip64/velmora.exe

# The setup program's own resources.
wrestool --extract --raw --type=version "$setup" >"$scratch/version.res" ||
  fail "no version record in the setup program"
record=$(iconv -c -f UTF-16LE -t UTF-8 <"$scratch/version.res" | tr -d '\0')
# NSIS names the block by the language's ANSI code page: 0804 03a8, Chinese (PRC), GBK.
grep -qaE 'StringFileInfo.*0804' <<<"$record" ||
  fail "the setup program's version record is not Chinese (PRC)"
for want in ProductNameVelmora "ProductVersion$version" "FileVersion$version"; do
  grep -qaF "$want" <<<"$record" || fail "the setup program's version record lacks $want"
done
# Image by image: the icon file NSIS rebuilds from them is laid out differently.
mkdir "$scratch/setup" "$scratch/setup-images" "$scratch/program-images"
wrestool --extract --type=group_icon "$setup" >"$scratch/setup/velmora.ico" ||
  fail "no icon in the setup program"
icotool --extract -o "$scratch/setup-images" "$scratch/setup/velmora.ico"
icotool --extract -o "$scratch/program-images" windows/velmora.ico
diff -r "$scratch/setup-images" "$scratch/program-images" >/dev/null ||
  fail "the setup program's icon is not the program's"
pass "setup program: version record $version (Chinese, PRC), the program's icon"

for zip in "$zip64" "$zip32"; do
  [[ $(unzip -Z1 "$zip" | LC_ALL=C sort | tr '\n' ' ') == "LICENSE.txt README.txt velmora.exe " ]] ||
    fail "$(basename "$zip") holds: $(unzip -Z1 "$zip" | tr '\n' ' ')"
done
pass "each zip holds velmora.exe of its architecture (the win64 one is the installed one), LICENSE.txt and README.txt"

start_virtual_display 1024x768
# Its pages' language, from the title of its first page; the page's picture goes to $2.
setup_title() {
  VELMORA_WINE_LANG=$1 wine "$setup" >/dev/null 2>&1 &
  local pid=$! window
  window=$(wait_for_window '^Velmora' 60) ||
    fail "the setup program showed no window within 60 s (LANG=$1)"
  xdotool getwindowname "$window"
  if [[ -n ${2:-} ]]; then
    capture_window "$window" "$2" 60 || fail "the setup program's first page did not settle within 60 s"
  fi
  kill "$pid"
  scripts/wine.sh --stop
}
mkdir -p "$(dirname "$screenshot")"
title=$(setup_title zh_CN.UTF-8 "$screenshot")
[[ $title == "Velmora 锯材计算器 安装" ]] || fail "on a Chinese Windows the setup is titled '$title'"
title=$(setup_title de_DE.UTF-8)
[[ $title == "Velmora Setup" ]] || fail "on a German Windows the setup is titled '$title'"
pass "the setup program speaks Chinese on a Chinese Windows, English on a German one"

# Where the setup program puts things in the current prefix, as Windows names them and
# as this machine reaches them.
locate_install() {
  install_dir=$(windows_variable LOCALAPPDATA)'\Programs\Velmora'
  install_unix=$(unix_path "$install_dir")
  shortcut=$(windows_variable APPDATA)'\Microsoft\Windows\Start Menu\Programs\Velmora 锯材计算器.lnk'
  shortcut_unix=$(unix_path "$shortcut")
  desktop_unix=$(unix_path "$(windows_variable USERPROFILE)\\Desktop")
}
wine "$setup" /S || fail "the silent install failed"
locate_install

check_installed() {
  local files
  files=$(find "$install_unix" -mindepth 1 -printf '%f\n' | LC_ALL=C sort | tr '\n' ' ')
  [[ $files == "LICENSE.txt uninstall.exe velmora.exe " ]] || fail "$install_dir holds: $files"
  cmp -s "$install_unix/velmora.exe" "$expected_exe" ||
    fail "the installed velmora.exe is not $(basename "$(dirname "$expected_exe")")'s"
  [[ -f $shortcut_unix ]] || fail "no Start-menu shortcut $shortcut"
  [[ ! -e "$desktop_unix/Velmora 锯材计算器.lnk" ]] || fail "a desktop shortcut was made unasked"
  local size name value
  size=$(du -b --apparent-size -c "$install_unix"/* | tail -n 1 | cut -f 1)
  local -A want=(
    [DisplayName]="Velmora 锯材计算器" [DisplayVersion]=$version [Publisher]=Velmora
    [DisplayIcon]="$install_dir\\velmora.exe,0" [InstallLocation]=$install_dir
    [UninstallString]="\"$install_dir\\uninstall.exe\""
    [QuietUninstallString]="\"$install_dir\\uninstall.exe\" /S"
    [EstimatedSize]=$(printf '0x%x' $((size / 1024))))
  for name in "${!want[@]}"; do
    value=$(registry_value "$name")
    [[ $value == "${want[$name]}" ]] || fail "$name is '$value', not '${want[$name]}'"
  done
  [[ $(wine reg query "${uninstall_key%\\*}" /s | grep -c 'DisplayName.*Velmora') == 1 ]] ||
    fail "Apps & features lists Velmora more than once"
}
# Started as a user would, from the Start menu, until its window shows.
start_from_shortcut() {
  wine start "$shortcut" || fail "the Start-menu shortcut does not start"
  local window
  window=$(wait_for_window '^Velmora$' 60) ||
    fail "velmora.exe, started from its shortcut, showed no window titled Velmora within 60 s"
  velmora_pid=$(xdotool getwindowpid "$window")
  pids+=("$velmora_pid")
  tr '\0' ' ' <"/proc/$velmora_pid/cmdline" | grep -qiF "$install_dir\velmora.exe" ||
    fail "the shortcut started $(tr '\0' ' ' <"/proc/$velmora_pid/cmdline")"
}
stop_program() {
  kill "$velmora_pid"
  scripts/wine.sh --stop
}
# As Windows runs the registered command line: a quoted program, then its arguments.
quiet_uninstall() {
  [[ $(registry_value QuietUninstallString) =~ ^\"([^\"]+)\"\ (.*)$ ]] ||
    fail "the silent uninstall command is $(registry_value QuietUninstallString)"
  local arguments
  read -ra arguments <<<"${BASH_REMATCH[2]}"
  wine "${BASH_REMATCH[1]}" "${arguments[@]}"
}
uninstalled() {
  [[ ! -e $install_unix && ! -e $shortcut_unix ]] &&
    ! wine reg query "$uninstall_key" >/dev/null 2>&1
}

check_installed
start_from_shortcut
stop_program
pass "silent install on a 64-bit Windows, the 64-bit program: $install_dir, the Start-menu shortcut, the uninstall entry; it starts"

# Windows can neither replace nor delete a running program: both must fail rather than
# skip it, and leave the installed copy whole.
start_from_shortcut
if wine "$setup" /S; then fail "a silent upgrade over the running program reported success"; fi
# "_?=" keeps the uninstaller in place, rather than going on from a copy in the temporary
# folder, so its exit status is the uninstall's.
if wine "$install_dir\uninstall.exe" /S "_?=$install_dir"; then
  fail "a silent uninstall of the running program reported success"
fi
check_installed
stop_program
pass "with the program running, a silent upgrade and a silent uninstall fail and change nothing"

touch -d '2000-01-01' "$install_unix/velmora.exe"
wine "$setup" /S || fail "the silent upgrade failed"
[[ $(stat -c %Y "$install_unix/velmora.exe") -gt 946684800 ]] ||
  fail "the upgrade did not replace velmora.exe"
check_installed
start_from_shortcut
stop_program
pass "silent upgrade over it: in place, one entry, it starts"

quiet_uninstall || fail "the silent uninstall failed"
wait_until 60 uninstalled || fail "60 s after the silent uninstall, still there:" \
  "$(ls -d "$install_unix" "$shortcut_unix" 2>/dev/null) $(registry_value DisplayName)"
pass "silent uninstall: files, shortcut and entry are gone"

# On a 32-bit Windows: a prefix of its own, the 32-bit program in place, started as a
# user starts it.
scripts/wine.sh --stop
export VELMORA_WINEPREFIX=$scratch/wine32 VELMORA_WINEARCH=win32
expected_exe=$scratch/zip32/velmora.exe
wine "$setup" /S || fail "the silent install on a 32-bit Windows failed"
locate_install
check_installed
start_from_shortcut
stop_program
pass "on a 32-bit Windows the silent install puts the 32-bit program in place; it starts"

echo "windows downloads: $(($(date +%s) - started)) s"
