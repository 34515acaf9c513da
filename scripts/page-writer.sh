#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the page writer (src/main_page.cpp) on this machine, without the Qt build: what the
# browser page and the WeChat mini program show before their program runs, written from the
# same design. Prints the program's path.
set -euo pipefail
cd "$(dirname "$0")/.."
mkdir -p build
c++ -std=c++20 -O1 -Wall -Wextra -Wpedantic -Werror -Isrc -o build/page-writer src/main_page.cpp \
  src/window/web/markup.cpp src/window/web/style.cpp \
  src/window/weixin/markup.cpp src/window/weixin/style.cpp src/window/weixin/app_config.cpp \
  src/window/layout.cpp src/window/page_text.cpp src/sheet/cell_sheet.cpp
realpath build/page-writer
