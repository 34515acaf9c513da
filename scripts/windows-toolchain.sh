#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds, once, the static Qt for Windows that velmora.exe links: qtbase from Debian's own
# source package (the version of the Qt host tools installed here, so moc, rcc and uic match
# it), cross-compiled with Debian's MinGW-w64, into a cache outside the clone. The cache is
# keyed by the Qt version, the source's checksum and the build options; a folder without a
# complete, intact install is removed and built again, never used.
# Prints the Qt prefix on its last line.
set -euo pipefail
cd "$(dirname "$0")/.."

readonly kQtVersion=6.4.2
readonly kOrigTarball=qt6-base_${kQtVersion}+dfsg.orig.tar.xz
kOrigSha256=$(cut -d ' ' -f 1 windows/qtbase.sha256)
readonly kOrigSha256
readonly kCacheRoot=${XDG_CACHE_HOME:-$HOME/.cache}/velmora
readonly kInputs=(windows/qtbase-options.cmake windows/mingw-w64.cmake)
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
readonly multiarch

fail() { echo "windows-toolchain: FAILED: $*" >&2; exit 1; }
log() { echo "windows-toolchain: $*" >&2; }

key=$( { echo "$kQtVersion $kOrigSha256"; x86_64-w64-mingw32-g++-posix --version | head -n 1
  cat "${kInputs[@]}"; } | sha256sum | cut -c 1-16)
readonly prefix=$kCacheRoot/qt-$kQtVersion-win64-$key

# A cached Qt counts only if its manifest, written last, still matches every file.
cache_intact() {
  [[ -f $prefix/.velmora-manifest ]] &&
    (cd "$prefix" && sha256sum --check --quiet --strict .velmora-manifest >/dev/null 2>&1)
}

if cache_intact; then
  echo "$prefix"
  exit 0
fi
[[ -e $prefix ]] && log "discarding the incomplete or damaged Qt in $prefix"
rm -rf "$prefix"

work=$kCacheRoot/work-$key
rm -rf "$work"
mkdir -p "$work/apt/lists/partial" "$work/apt/cache/archives/partial" "$work/source"
trap 'rm -rf "$work"' EXIT

# The machine's own Debian archive, as source entries in a private apt configuration: the
# machine's apt setup is left exactly as it was.
source scripts/apt-sources.sh
apt_archive_entries | grep -E '^[^ ]+/debian/? ' |
  sed -E 's/^([^ ]+) ([^ ]+) ([^[]*[^[ ])( \[(.*)\])?$/deb-src [\5] \1 \2 \3/; s/^deb-src \[\] /deb-src /' \
    >"$work/apt/sources.list" || true
[[ -s $work/apt/sources.list ]] || fail "no Debian archive in this machine's apt sources"

apt_options=(-o "Dir::Etc::SourceList=$work/apt/sources.list"
  -o "Dir::Etc::SourceParts=$work/apt/none" -o "Dir::State::Lists=$work/apt/lists"
  -o "Dir::Cache=$work/apt/cache" -o "APT::Sandbox::User=$(id -un)")
source_version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev-tools)
[[ $source_version == "$kQtVersion"* ]] ||
  fail "Debian's Qt host tools are $source_version, not $kQtVersion"
log "downloading qt6-base $source_version from Debian's archive"
apt-get "${apt_options[@]}" -qq update || fail "apt-get update of the source lists"
(cd "$work/source" && apt-get "${apt_options[@]}" -qq source --download-only \
  "qt6-base=$source_version") || fail "apt-get source qt6-base=$source_version"
echo "$kOrigSha256  $work/source/$kOrigTarball" | sha256sum --check --quiet ||
  fail "$kOrigTarball does not match windows/qtbase.sha256"
(cd "$work/source" && dpkg-source --no-check -x qt6-base_*.dsc qtbase >"$work/unpack.log" 2>&1) ||
  fail "unpacking qt6-base with Debian's patches"

mkdir -p "$prefix"
# Qt's installed toolchain file loads this one by its path, so it lives with the Qt.
cp windows/mingw-w64.cmake "$prefix/velmora-mingw-w64.cmake"
log "configuring qtbase for x86_64-w64-mingw32"
started=$(date +%s)
cmake -G Ninja -S "$work/source/qtbase" -B "$work/build" -C windows/qtbase-options.cmake \
  -DCMAKE_TOOLCHAIN_FILE="$prefix/velmora-mingw-w64.cmake" -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$multiarch/cmake" \
  >"$work/configure.log" 2>&1 || { tail -n 40 "$work/configure.log" >&2; fail "configuring Qt"; }
log "building qtbase (about half an hour on two cores)"
nice -n 10 cmake --build "$work/build" --parallel "$(nproc)" >"$work/build.log" 2>&1 ||
  { tail -n 40 "$work/build.log" >&2; fail "building Qt"; }
cmake --install "$work/build" >/dev/null || fail "installing Qt"
(cd "$prefix" && find . -type f ! -name .velmora-manifest -print0 | sort -z |
  xargs -0 sha256sum >.velmora-manifest)
log "Qt built in $(($(date +%s) - started)) s, $(du -sh "$prefix" | cut -f 1) in $prefix"
echo "$prefix"
