#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Proves the README's test command on a fresh Debian 12: bootstraps a minimal bookworm into
# build/fresh-debian (root only, needs debootstrap), clones this repository's HEAD into it,
# and runs .ci/run there, installing everything from scratch. Takes a few minutes.
set -euo pipefail
cd "$(dirname "$0")/.."
[[ $(id -u) -eq 0 ]] || { echo "fresh-debian: run as root (debootstrap and chroot)" >&2; exit 1; }
command -v debootstrap >/dev/null || apt-get install -y -qq debootstrap

root=$PWD/build/fresh-debian
rm -rf "$root"
debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian >/dev/null
cp /etc/resolv.conf "$root/etc/resolv.conf"
mount -t proc proc "$root/proc"
mount --rbind /dev "$root/dev"
trap 'umount -R "$root/dev"; umount "$root/proc"' EXIT
git clone -q . "$root/root/velmora"
chroot "$root" /bin/bash -c '
  set -e
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq && apt-get install -y -qq git >/dev/null
  git config --global --add safe.directory /root/velmora
  cd /root/velmora && CI=true bash .ci/run'
