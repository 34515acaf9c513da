#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds both velmora.exe (scripts/windows.sh) and the Windows downloads made from them,
# with SHA256SUMS beside them, into build/windows/downloads, and prints their paths:
#   velmora-<version>-setup.exe  the setup program (NSIS's 32-bit stub, which runs on every
#                                Windows): the 64-bit program on a 64-bit Windows, the
#                                32-bit one on a 32-bit Windows; Chinese or English pages
#   velmora-<version>-win64.zip  the 64-bit velmora.exe, LICENSE.txt and README.txt
#   velmora-<version>-win32.zip  the same with the 32-bit velmora.exe, for any Windows
# The version is the project's own, as CMake has it.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

# One date for everything built: the last commit's.
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || date +%s)}
built=$(scripts/windows.sh)
mapfile -t exes < <(tail -n 2 <<<"$built")
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/windows-x64/CMakeCache.txt)
setup=velmora-$version-setup.exe
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

# The exception, as Debian's copyright file of GCC for MinGW-w64 gives it.
runtime_exception() {
  sed -n '/^GCC RUNTIME LIBRARY EXCEPTION$/,/copyleft$/p' /usr/share/doc/gcc-mingw-w64-base/copyright |
    sed '$a requirements of the license of GCC.'
}
{
  cat LICENSE windows/notices.txt
  licence_section "MinGW-w64 runtime: Debian's copyright file" \
    /usr/share/doc/mingw-w64-common/copyright
  licence_section "GCC Runtime Library Exception, version 3.1" <(runtime_exception)
  licence_section "GNU General Public License, version 3" /usr/share/common-licenses/GPL-3
} | windows_text >"$stage/LICENSE.txt"
mkdir "$stage/x64" "$stage/x86"
cp "${exes[0]}" "$stage/x64/velmora.exe"
cp "${exes[1]}" "$stage/x86/velmora.exe"
# The welcome page's picture: the program's icon on the window's own pink.
rsvg-convert -w 128 -h 128 resources/icons/velmora.svg -o "$stage/icon.png"
convert -size 164x314 'xc:rgb(255,192,192)' "$stage/icon.png" -geometry +18+56 -composite \
  -type TrueColor "BMP3:$stage/welcome.bmp"

# NSIS and zip store each file's time.
touch -d "@$SOURCE_DATE_EPOCH" "$stage"/* "$stage"/*/*
makensis -V2 -INPUTCHARSET UTF8 \
  -DVERSION_FILE="$root/build/windows-x64/installer-version.nsh" \
  -DEXE64="$stage/x64/velmora.exe" -DEXE32="$stage/x86/velmora.exe" \
  -DLICENSE="$stage/LICENSE.txt" -DICON="$root/windows/velmora.ico" \
  -DBITMAP="$stage/welcome.bmp" -DOUTFILE="$out/$setup" windows/installer.nsi >&2 ||
  { echo "package-windows: FAILED: makensis" >&2; exit 1; }

zips=()
readme() {
  local zh en
  if [[ $1 == 64 ]]; then
    zh="适用于 64 位的 Windows 7、8、8.1、10 和 11。32 位的 Windows 请用 win32 版。"
    en="For 64-bit Windows 7, 8, 8.1, 10 and 11. On a 32-bit Windows, take the win32 one."
  else
    zh="适用于 Windows 7、8、8.1、10 和 11，32 位和 64 位都可以，也包括 ARM 处理器的 Windows。"
    en="For Windows 7, 8, 8.1, 10 and 11, 32-bit and 64-bit, Windows on Arm included."
  fi
  sed "s/@VERSION@/$version/g; s/@BITS@/$1/g; s/@WINDOWS_ZH@/$zh/; s/@WINDOWS_EN@/$en/" \
    windows/readme.txt | windows_text
}
for arch in 64:x64 32:x86; do
  zip=velmora-$version-win${arch%%:*}.zip
  cp "$stage/${arch#*:}/velmora.exe" "$stage/velmora.exe"
  readme "${arch%%:*}" >"$stage/README.txt"
  touch -d "@$SOURCE_DATE_EPOCH" "$stage/velmora.exe" "$stage/README.txt"
  (cd "$stage" && zip -q -9 -X "$out/$zip" velmora.exe LICENSE.txt README.txt)
  zips+=("$zip")
done

(cd "$out" && sha256sum "$setup" "${zips[@]}" >SHA256SUMS)
ls "$out/$setup" "${zips[@]/#/$out/}" "$out/SHA256SUMS"
