#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Proves Velmora on a fresh Debian 12 (as root; needs debootstrap; takes a while), from the
# Debian mirror of this machine's own apt sources:
#   tests    bootstraps a minimal bookworm into build/fresh-debian, clones this repository's
#            HEAD into it and runs .ci/run there, installing everything from scratch (its
#            first run builds the static Qt for Windows as well: about 45 minutes in all).
#   package  builds the .deb here, bootstraps a second minimal bookworm into
#            build/fresh-debian-deb, installs nothing but the .deb with apt (its own apt
#            resolving the dependencies, as `sudo apt install ./velmora_….deb` does), reports
#            what that pulled in, and starts the program from its desktop entry's Exec line
#            on a virtual X display shared from here, until its window titled Velmora shows.
# With no argument it does both.
set -euo pipefail
cd "$(dirname "$0")/.."
[[ $(id -u) -eq 0 ]] || { echo "fresh-debian: run as root (debootstrap and chroot)" >&2; exit 1; }
command -v debootstrap >/dev/null || apt-get install -y -qq debootstrap
source scripts/apt-sources.sh
mirror=$(apt_debian_mirror bookworm) || { echo "fresh-debian: FAILED: no mirror" >&2; exit 1; }
app_id=org.velmora.Velmora

mounted=()
velmora_pid=
cleanup() {
  [[ -n $velmora_pid ]] && kill "$velmora_pid" 2>/dev/null
  local mount
  for mount in "${mounted[@]}"; do umount -R "$mount" 2>/dev/null || true; done
  stop_virtual_display 2>/dev/null || true
  wait 2>/dev/null || true
}
trap cleanup EXIT

# A minimal bookworm in $1, with /proc and /dev, and more mounts (host path, root path)
# after it.
bootstrap() {
  local root=$1
  shift
  rm -rf "$root"
  debootstrap --variant=minbase bookworm "$root" "$mirror" >/dev/null
  cp /etc/resolv.conf "$root/etc/resolv.conf"
  mount -t proc proc "$root/proc" && mounted=("$root/proc" "${mounted[@]}")
  mount --rbind /dev "$root/dev" && mounted=("$root/dev" "${mounted[@]}")
  while (($#)); do
    mkdir -p "$root$2"
    mount --bind "$1" "$root$2" && mounted=("$root$2" "${mounted[@]}")
    shift 2
  done
}

prove_tests() {
  local root=$PWD/build/fresh-debian
  bootstrap "$root"
  git clone -q . "$root/root/velmora"
  chroot "$root" /bin/bash -c '
    set -e
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq && apt-get install -y -qq git >/dev/null
    git config --global --add safe.directory /root/velmora
    cd /root/velmora && CI=true bash .ci/run'
}

prove_package() {
  local root=$PWD/build/fresh-debian-deb deb
  deb=$(scripts/package.sh | tail -n 1)
  source scripts/virtual-display.sh
  start_virtual_display 1024x768
  bootstrap "$root" /tmp/.X11-unix /tmp/.X11-unix
  cp "$deb" "$root/tmp/"
  chroot "$root" dpkg-query -W -f='${Package}\n' | LC_ALL=C sort >"$root/tmp/before"
  chroot "$root" /bin/bash -c "
    set -e
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y ./tmp/$(basename "$deb")" | tee "$root/tmp/install.log" |
    grep -E 'newly installed|Need to get|After this operation' | sed 's/^/fresh-debian: /'
  echo "fresh-debian: largest packages it pulled in (installed size, KiB):"
  chroot "$root" dpkg-query -W -f='${Installed-Size}\t${Package}\n' | LC_ALL=C sort -k 2 |
    LC_ALL=C join -1 2 -2 1 -v 1 - "$root/tmp/before" | sort -k 2 -n -r | head -n 15 |
    awk '{ printf "fresh-debian:   %8d  %s\n", $2, $1 }'
  local exec_line
  exec_line=$(sed -n 's/^Exec=//p' "$root/usr/share/applications/$app_id.desktop" |
    sed 's/ %[fFuU]//g')
  chroot "$root" env DISPLAY="$DISPLAY" $exec_line >/dev/null 2>&1 &
  velmora_pid=$!
  wait_for_window '^Velmora$' 60 >/dev/null ||
    { echo "fresh-debian: FAILED: '$exec_line' showed no window within 60 s" >&2; exit 1; }
  echo "fresh-debian: ok: the installed package starts from its desktop entry ('$exec_line')"
}

case ${1:-all} in
  tests) prove_tests ;;
  package) prove_package ;;
  all) prove_package && prove_tests ;;
  *) echo "usage: scripts/fresh-debian.sh [tests|package]" >&2; exit 2 ;;
esac
