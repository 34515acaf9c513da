#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian package build/release/velmora_<version>_<arch>.deb and prints its path.
# Install it with: sudo apt install ./build/release/velmora_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/build.sh >/dev/null
(cd build/release && cpack -G DEB >/dev/null)
ls build/release/velmora_*.deb
