#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian packages Velmora needs to build, test and run. Idempotent: it
# only asks apt for what is missing, and refreshes the package lists only then.
set -euo pipefail

# What a build by hand needs, from its one list, then what the test command adds.
mapfile -t kByHand < <("$(dirname "$0")/by-hand-packages.sh")
readonly kPackages=(
  "${kByHand[@]}"
  clang clang-format libclang-rt-14-dev
  locales
  xvfb xdotool imagemagick librsvg2-bin
  dpkg-dev file lintian desktop-file-utils appstream icoutils
  binutils-mingw-w64-x86-64 binutils-mingw-w64-i686 g++-mingw-w64-x86-64-win32
  g++-mingw-w64-i686-win32 ninja-build xz-utils googletest wine wine64 xclip
  fcitx5 fcitx5-pinyin fcitx5-frontend-qt6 dbus-daemon dbus-bin x11-utils
  nsis zip unzip debootstrap
  g++-i686-linux-gnu gcc-i686-linux-gnu qemu-user-static
  emscripten chromium chromium-driver python3-selenium webkit2gtk-driver
)

# A locale with a decimal comma, so tests can prove numbers ignore the user's locale, and
# Chinese, which Wine turns into a Chinese Windows for the setup program's checks.
readonly kTestLocales=(de_DE zh_CN)

# A script that ran this already exports VELMORA_SETUP_DONE for the scripts it calls.
[[ -n ${VELMORA_SETUP_DONE:-} ]] && exit 0

sudo_if_needed() {
  if [[ $(id -u) -eq 0 ]]; then "$@"; else sudo "$@"; fi
}

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

# A mirror caught mid-sync fails one list or another for a while: asked again, it mostly
# answers. Whatever lists did arrive are used even when one did not.
lists_refreshed=
refresh_lists() {
  [[ -n $lists_refreshed ]] && return 0
  lists_refreshed=yes
  local attempt
  for attempt in 1 2 3; do
    sudo_if_needed apt-get update -qq && return 0
    echo "setup: the package lists did not all arrive (attempt $attempt of 3)" >&2
    sleep 10
  done
  return 1
}
apt_install() {
  sudo_if_needed env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --no-install-recommends "$@"
}

missing=()
for package in "${kPackages[@]}"; do
  installed "$package" || missing+=("$package")
done
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  refresh_lists || true
  apt_install "${missing[@]}"
fi

# WeChat's compilers and component framework for the mini program's tests, pinned by the
# lockfile, with the machine's Node.js (Debian's where there is none).
if ! command -v npm >/dev/null; then
  echo "setup: installing nodejs npm"
  refresh_lists || true
  apt_install nodejs npm
fi
readonly kWeixinTests=$(dirname "$0")/../tests/window/weixin
if ! cmp -s "$kWeixinTests/package-lock.json" "$kWeixinTests/node_modules/.velmora-lock"; then
  echo "setup: installing the WeChat tools (npm ci)"
  (cd "$kWeixinTests" && npm ci --no-audit --no-fund --loglevel=error &&
    cp package-lock.json node_modules/.velmora-lock)
fi
# The package ships WeChat's compilers without their run bit.
chmod +x "$kWeixinTests"/node_modules/miniprogram-compiler/bin/linux/*

for test_locale in "${kTestLocales[@]}"; do
  if ! locale -a 2>/dev/null | grep -qix "$test_locale.utf8"; then
    echo "setup: generating locale $test_locale.UTF-8"
    sudo_if_needed localedef -i "$test_locale" -c -f UTF-8 "$test_locale.UTF-8"
  fi
done
