#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Proves the Linux program on Debian 13, in the root of scripts/debian13.sh: the conventional
# build by hand (no preset, Release, warnings as errors, so that the next compiler's or
# Qt's deprecation is caught here first) of the program and its suites, and ctest; then
# the Debian 12 package ($1, by default build/release/velmora_*_amd64.deb from
# scripts/package.sh), installed with that root's own apt into a throwaway copy of the root,
# as `sudo apt install ./velmora_….deb` would, and started from its desktop entry's Exec
# line on a virtual X display until its window titled Velmora shows.
set -euo pipefail
cd "$(dirname "$0")/.."
deb=${1:-$(ls build/release/velmora_*_amd64.deb)}
source scripts/check-session.sh "debian 13"

scripts/debian13.sh ensure >/dev/null || fail "the Debian 13 root could not be built"
in_root() { scripts/debian13.sh run "$@"; }
versions="GCC $(in_root g++ -dumpfullversion), Qt $(in_root dpkg-query -W -f='${Version}' qt6-base-dev)"
started=$SECONDS
in_root cmake -B build/debian13 -DCMAKE_BUILD_TYPE=Release -DVELMORA_WERROR=ON \
  >"$scratch/configure.log" 2>&1 || { cat "$scratch/configure.log" >&2; fail "cmake could not configure"; }
in_root cmake --build build/debian13 --parallel "$(nproc)" >"$scratch/build.log" 2>&1 ||
  { grep -E -A3 'error|warning' "$scratch/build.log" | head -n 40 >&2; fail "the build failed ($versions)"; }
in_root ctest --test-dir build/debian13 --parallel "$(nproc)" --output-on-failure \
  >"$scratch/ctest.log" 2>&1 || { tail -n 40 "$scratch/ctest.log" >&2; fail "ctest failed ($versions)"; }
pass "$versions: the plain build with warnings as errors, and its" \
  "$(sed -n 's/.* tests passed, 0 tests failed out of //p' "$scratch/ctest.log") suites pass" \
  "($((SECONDS - started)) s)"

start_virtual_display 1024x768
app_id=org.velmora.Velmora
scripts/debian13.sh scratch-run /bin/bash -c '
  set -e
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y --no-install-recommends "./$1"
  exec $(sed -n "s/^Exec=//p" "/usr/share/applications/$2.desktop" | sed "s/ %[fFuU]//g")' \
  _ "$deb" "$app_id" >"$scratch/install.log" 2>&1 &
installer=$!
window=$(wait_for_window '^Velmora$' 300) || {
  tail -n 20 "$scratch/install.log" >&2
  fail "the package, installed with Debian 13's apt, showed no window within 300 s"
}
kill "$(xdotool getwindowpid "$window")"
wait "$installer" || true
pass "the Debian 12 package installs with Debian 13's apt" \
  "($(grep -oE '[0-9]+ newly installed' "$scratch/install.log")) and starts from its desktop entry"
