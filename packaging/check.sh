#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks what Velmora ships: the installed desktop files, the Windows icon and version
# record, and the Debian package, which must pass lintian, unpack, and start from its
# desktop entry into a window titled Velmora. Leaves a screenshot of that window in
# build/release/installed.png.
set -euo pipefail
cd "$(dirname "$0")/.."
app_id=org.velmora.Velmora

source scripts/check-session.sh packaging

deb=$(scripts/package.sh 2>/dev/null | tail -n 1)

# Installed files.
cmake --install build/release --prefix "$scratch/install/usr" >/dev/null
desktop=$scratch/install/usr/share/applications/$app_id.desktop
metainfo=$scratch/install/usr/share/metainfo/$app_id.metainfo.xml
report=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop entry: $report"
[[ -z $report ]] || fail "desktop entry: $report"
pass "desktop-file-validate"
report=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "metainfo: $report"
if grep -qE '^[EW]:' <<<"$report"; then fail "metainfo: $report"; fi
pass "appstreamcli validate"
for icon in 16x16/apps/$app_id.png 32x32/apps/$app_id.png 48x48/apps/$app_id.png \
  scalable/apps/$app_id.svg; do
  [[ -f $scratch/install/usr/share/icons/hicolor/$icon ]] || fail "icon $icon not installed"
done
pass "hicolor icons"

# The Windows icon: 48, 32 and 16 pixels at 16 colours, 256 colours and 32-bit colour.
expected_icons=$(for depth in 4 8 32; do for size in 48 32 16; do
  echo "${size}x${size}@${depth}"; done; done | sort)
actual_icons=$(icotool --list windows/velmora.ico |
  sed -E 's/.*--width=([0-9]+) --height=([0-9]+) --bit-depth=([0-9]+).*/\1x\2@\3/' | sort)
[[ $actual_icons == "$expected_icons" ]] || fail "velmora.ico holds: $actual_icons"
pass "velmora.ico holds the nine images"

# The Windows version record, compiled with the version the build defines and read back.
(cd windows && x86_64-w64-mingw32-windres --preprocessor=cpp \
  --preprocessor-arg=-DRC_INVOKED -DVELMORA_VERSION_TEXT=1.00 -DVELMORA_VERSION_MAJOR=1 \
  -DVELMORA_VERSION_MINOR=0 velmora.rc -O res -o "$scratch/velmora.res")
record=$(x86_64-w64-mingw32-windres -i "$scratch/velmora.res" -O rc)
for want in 'FILEVERSION 1, 0, 0, 0' 'PRODUCTVERSION 1, 0, 0, 0' 'BLOCK "080404B0"' \
  'VALUE "FileVersion", "1.00"' 'VALUE "ProductVersion", "1.00"' \
  'VALUE "InternalName", "Velmora"' 'VALUE "Translation", 0x804, 1200' 'LANGUAGE 4, 2' \
  'RT_GROUP_ICON'; do
  grep -qF "$want" <<<"$record" || fail "version record lacks: $want"
done
[[ $(grep -c 'RT_ICON \*/' <<<"$record") == 9 ]] || fail "the resources hold not nine icons"
pass "resource script compiles, version record 1.00, Chinese (PRC), internal name Velmora"

# The Debian package.
lintian --fail-on error,warning "$deb" 2>/dev/null || fail "lintian on $deb"
pass "lintian $(basename "$deb")"
depends=$(dpkg-deb --field "$deb" Depends)
for package in fonts-arphic-uming libqt6widgets6; do
  grep -q "$package" <<<"$depends" || fail "the package does not depend on $package"
done
pass "depends on $depends"

# Unpacked into a scratch root, started as its desktop entry says, it shows its window.
dpkg-deb --extract "$deb" "$scratch/root"
exec_line=$(sed -n 's/^Exec=//p' "$scratch/root/usr/share/applications/$app_id.desktop")
start_virtual_display 1024x768
PATH=$scratch/root/usr/bin:$PATH $exec_line &
velmora_pid=$!
pids+=("$velmora_pid")
window=$(wait_for_window '^Velmora$' 30) ||
  fail "the installed program showed no window within 30 s"
[[ $(xdotool getwindowpid "$window" 2>/dev/null || echo "$velmora_pid") == "$velmora_pid" ]] ||
  fail "the window is not the installed program's"
capture_window "$window" build/release/installed.png 30 ||
  fail "the installed program's window did not settle into a painted picture within 30 s"
kill "$velmora_pid"
wait "$velmora_pid" 2>/dev/null || true
pass "installed program started from its desktop entry and showed Form1 (build/release/installed.png)"
