#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds velmora.exe (scripts/windows.sh) and the two Windows downloads made from it, with
# SHA256SUMS beside them, into build/windows/downloads, and prints their paths:
#   velmora-<version>-setup.exe  the setup program (NSIS), Chinese or English pages
#   velmora-<version>-win64.zip  velmora.exe, LICENSE.txt and README.txt, to run from anywhere
# The version is the project's own, as CMake has it.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

# One date for everything built: the last commit's.
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || date +%s)}
exe=$(scripts/windows.sh | tail -n 1)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/windows/CMakeCache.txt)
qt_version=$(dpkg-query -W -f='${Version}' libqt6core6)
setup=velmora-$version-setup.exe
zip=velmora-$version-win64.zip
out=$root/build/windows/downloads
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
rm -rf "$out"
mkdir -p "$out"

# Notepad of every Windows 10 reads UTF-8 with a byte order mark and CRLF line ends.
windows_text() {
  printf '\xef\xbb\xbf'
  sed 's/\r*$/\r/'
}
licence_section() {
  printf '\n\n%s\n%s\n\n' "$1" "${1//?/=}"
  cat "$2"
}

{
  cat LICENSE
  sed "s/@QT_DEBIAN_VERSION@/$qt_version/g" windows/notices.txt
  licence_section "Qt 6 and the libraries it includes: Debian's copyright file of qt6-base" \
    /usr/share/doc/libqt6core6/copyright
  licence_section "MinGW-w64 runtime and winpthreads: Debian's copyright file" \
    /usr/share/doc/mingw-w64-common/copyright
  licence_section "GNU Lesser General Public License, version 3" /usr/share/common-licenses/LGPL-3
  licence_section "GNU General Public License, version 3" /usr/share/common-licenses/GPL-3
} | windows_text >"$stage/LICENSE.txt"
sed "s/@VERSION@/$version/g" windows/readme.txt | windows_text >"$stage/README.txt"
cp "$exe" "$stage/velmora.exe"
# The welcome page's picture: the program's icon on the window's own pink.
rsvg-convert -w 128 -h 128 resources/icons/velmora.svg -o "$stage/icon.png"
convert -size 164x314 'xc:rgb(255,192,192)' "$stage/icon.png" -geometry +18+56 -composite \
  -type TrueColor "BMP3:$stage/welcome.bmp"

# NSIS and zip store each file's time.
touch -d "@$SOURCE_DATE_EPOCH" "$stage"/*
makensis -V2 -INPUTCHARSET UTF8 -DVERSION_FILE="$root/build/windows/installer-version.nsh" \
  -DEXE="$stage/velmora.exe" -DLICENSE="$stage/LICENSE.txt" -DICON="$root/windows/velmora.ico" \
  -DBITMAP="$stage/welcome.bmp" -DOUTFILE="$out/$setup" windows/installer.nsi >&2 ||
  { echo "package-windows: FAILED: makensis" >&2; exit 1; }

(cd "$stage" && zip -q -9 -X "$out/$zip" velmora.exe LICENSE.txt README.txt)

(cd "$out" && sha256sum "$setup" "$zip" >SHA256SUMS)
ls "$out/$setup" "$out/$zip" "$out/SHA256SUMS"
