#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian packages Velmora needs to build, test and run. Idempotent: it
# only asks apt for what is missing, and refreshes the package lists only then.
set -euo pipefail

readonly kPackages=(
  cmake g++ make pkg-config
  clang clang-format libclang-rt-14-dev
  libgtest-dev libbenchmark-dev libxcb1-dev
  qt6-base-dev
  fonts-arphic-uming fonts-wqy-microhei
  locales
  xvfb xdotool imagemagick librsvg2-bin
  dpkg-dev file lintian desktop-file-utils appstream icoutils
  binutils-mingw-w64-x86-64 binutils-mingw-w64-i686 g++-mingw-w64-x86-64-win32
  g++-mingw-w64-i686-win32 ninja-build xz-utils googletest wine wine64 wine32:i386 xclip
  fcitx5 fcitx5-pinyin fcitx5-frontend-qt6 dbus-daemon dbus-bin x11-utils qt6-translations-l10n
  nsis zip unzip
)

# A locale with a decimal comma, so tests can prove numbers ignore the user's locale, and
# Chinese, which Wine turns into a Chinese Windows for the setup program's checks.
readonly kTestLocales=(de_DE zh_CN)

sudo_if_needed() {
  if [[ $(id -u) -eq 0 ]]; then "$@"; else sudo "$@"; fi
}

# 32-bit Windows programs run on Wine's 32-bit half, which Debian builds for i386.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  echo "setup: adding the i386 architecture (for wine32)"
  sudo_if_needed dpkg --add-architecture i386
  sudo_if_needed apt-get update -qq
fi

missing=()
for package in "${kPackages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  sudo_if_needed apt-get update -qq
  sudo_if_needed env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

for test_locale in "${kTestLocales[@]}"; do
  if ! locale -a 2>/dev/null | grep -qix "$test_locale.utf8"; then
    echo "setup: generating locale $test_locale.UTF-8"
    sudo_if_needed localedef -i "$test_locale" -c -f UTF-8 "$test_locale.UTF-8"
  fi
done
