#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A minimal Debian 13 ("trixie") root, built once per machine in a cache folder and reused:
# the 32-bit Wine that runs the 32-bit Windows programs (Debian's wine32:i386, with its
# loader run by qemu-i386 where this processor cannot execute 32-bit code), and Debian 13's
# compiler and Qt, on which the Linux program is built. Nothing of it reaches the host: no
# i386 architecture, no Debian 13 package.
#   scripts/debian13.sh ensure        builds the root if it is missing or its recipe changed,
#                                     and prints its path
#   scripts/debian13.sh run CMD [ARG…] runs CMD in the root, in the current folder, with this
#                                     environment; the root sees this repository, /tmp (the
#                                     X displays' sockets) and /dev at the host's paths, in
#                                     a mount namespace of its own, so every mount ends with it
#   scripts/debian13.sh scratch-run CMD [ARG…]  the same in a throwaway copy of the root (an
#                                     overlay): what CMD installs or changes goes with it
# The root is debian13/ in the machine's cache folder VELMORA_CACHE, /var/cache/velmora by
# default: one for every clone and user, whatever HOME a check gives its programs. Needs
# root for debootstrap and chroot (through sudo otherwise).
set -euo pipefail
project=$(cd "$(dirname "$0")/.." && pwd)
cache=${VELMORA_CACHE:-/var/cache/velmora}
root=$cache/debian13

# The Linux program's conventional build and its suites, from the list of what a build by
# hand needs, which brings the fonts Wine's prefixes map Windows' faces to as well.
mapfile -t kByHand < <("$project/scripts/by-hand-packages.sh")
readonly kPackages=(
  # 32-bit and 64-bit Wine, Windows' fonts, the locales Wine turns into a Chinese and a
  # German Windows, and qemu for the 32-bit loader.
  wine wine64 wine32:i386 fonts-wine locales qemu-user
  "${kByHand[@]}"
)

sudo_if_needed() {
  if [[ $(id -u) -eq 0 ]]; then "$@"; else sudo --preserve-env "$@"; fi
}

# Runs "$@" chrooted into $1 with /proc, /dev, /tmp and the repository mounted; the mounts
# belong to a private mount namespace and vanish with its last process. With overlay set
# to a folder, the root is seen through an overlay kept there, which nothing changes. With
# replace_shell set, the command takes this shell's process, so its caller's PID is the
# command's.
in_root() {
  local target=$1 runner=()
  shift
  [[ $(id -u) -eq 0 ]] || runner=(sudo --preserve-env)
  local command=("${runner[@]}" unshare --mount --propagation private -- /bin/bash -c '
    set -e
    target=$1 project=$2 overlay=$3
    shift 3
    if [[ -n $overlay ]]; then
      mkdir -p "$overlay/upper" "$overlay/work" "$overlay/root"
      mount -t overlay overlay \
        -o "lowerdir=$target,upperdir=$overlay/upper,workdir=$overlay/work" "$overlay/root"
      target=$overlay/root
    fi
    mount -t proc proc "$target/proc"
    mount --rbind /dev "$target/dev"
    mount --bind /tmp "$target/tmp"
    mkdir -p "$target$project"
    mount --bind "$project" "$target$project"
    exec chroot "$target" /usr/bin/env -C "$PWD" "$@"' _ "$target" "$project" "${overlay:-}" "$@")
  if [[ -n ${replace_shell:-} ]]; then exec "${command[@]}"; fi
  "${command[@]}"
}

# The recipe: what a change of it, seen through its hash, rebuilds.
build_root() {
  local target=$1 mirror
  source "$project/scripts/apt-sources.sh"
  # Debian 13 from the same archive as this machine's Debian 12.
  mirror=$(apt_debian_mirror bookworm)
  debootstrap --variant=minbase --keyring=/usr/share/keyrings/debian-archive-keyring.gpg \
    trixie "$target" "$mirror" >/dev/null
  cp /etc/resolv.conf "$target/etc/resolv.conf"
  in_root "$target" /bin/bash -c '
    set -e
    export DEBIAN_FRONTEND=noninteractive
    dpkg --add-architecture i386
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "$@" >/dev/null
    for name in zh_CN de_DE; do localedef -i "$name" -c -f UTF-8 "$name.UTF-8"; done
    apt-get clean' _ "${kPackages[@]}"
  # Where this processor executes no 32-bit program, qemu runs Wine's 32-bit loader, and
  # with it every 32-bit process that Wine starts. qemu would put Debian's loader where
  # Windows programs that cannot move must go, so a loader of the project's, linked high,
  # stands in for it (scripts/wine32-loader.c, built with the host's cross compiler).
  if ! in_root "$target" /usr/lib/wine/wine --version >/dev/null 2>&1; then
    in_root "$target" dpkg-divert --local --divert /usr/lib/wine/wine.i386 --no-rename \
      --add /usr/lib/wine/wine >/dev/null
    mv "$target/usr/lib/wine/wine" "$target/usr/lib/wine/wine.i386"
    i686-linux-gnu-gcc -O2 -no-pie -Wl,-Ttext-segment=0x7d400000 \
      -DWINE_NTDLL='"/usr/lib/i386-linux-gnu/wine/i386-unix/ntdll.so"' \
      -o "$target/usr/lib/wine/wine-qemu" "$project/scripts/wine32-loader.c"
    printf '#!/bin/sh\nexec /usr/bin/qemu-i386 -0 /usr/lib/wine/wine /usr/lib/wine/wine-qemu "$@"\n' \
      >"$target/usr/lib/wine/wine"
    chmod +x "$target/usr/lib/wine/wine"
  fi
}

recipe_hash() {
  { declare -f build_root; declare -p kPackages; cat "$project/scripts/wine32-loader.c"; } |
    sha256sum | cut -c 1-16
}

ensure() {
  local stamp=$root/etc/velmora-recipe want
  want=$(recipe_hash)
  [[ -f $stamp && $(<"$stamp") == "$want" ]] && return 0
  sudo_if_needed mkdir -p "$cache"
  # One builder at a time; whoever waited finds it built.
  exec 8>"$cache/debian13.lock"
  flock 8
  [[ -f $stamp && $(<"$stamp") == "$want" ]] && return 0
  command -v debootstrap >/dev/null ||
    sudo_if_needed env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap
  echo "debian13: building the Debian 13 root in $root (a few minutes, once)" >&2
  local started=$SECONDS
  sudo_if_needed rm -rf "$root.new"
  build_root "$root.new"
  echo "$want" | sudo_if_needed tee "$root.new/etc/velmora-recipe" >/dev/null
  sudo_if_needed rm -rf "$root"
  sudo_if_needed mv "$root.new" "$root"
  echo "debian13: built in $((SECONDS - started)) s, $(du -sh "$root" | cut -f 1)" >&2
  flock -u 8
}

case ${1:-} in
  ensure) ensure && echo "$root" ;;
  run)
    shift
    ensure
    replace_shell=yes in_root "$root" "$@"
    ;;
  scratch-run)
    shift
    ensure
    overlay=$(mktemp -d "$cache/scratch.XXXXXX")
    status=0
    overlay=$overlay in_root "$root" "$@" || status=$?
    sudo_if_needed rm -rf "$overlay"
    exit "$status"
    ;;
  *)
    echo "usage: scripts/debian13.sh ensure | run | scratch-run COMMAND [ARGUMENT…]" >&2
    exit 2
    ;;
esac
