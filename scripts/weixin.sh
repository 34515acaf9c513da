#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing and builds the WeChat mini program into build/weixin/: a complete
# project that WeChat's developer tools import as it stands (project.config.json, app.json,
# app.js, the calculator's page, and the program: velmora.js with velmora.wasm, built with
# Emscripten). Writes the same files as build/velmora-<version>-weixin.zip, and prints the
# folder's path last. VELMORA_WEIXIN_APPID puts the owner's AppID in place of the tourist one.
set -euo pipefail
cd "$(dirname "$0")/.."
version=$(scripts/emscripten-build.sh weixin)
out=build/weixin
rm -rf "$out"
mkdir -p "$out/pages/index"
cp weixin/app.js weixin/sitemap.json "$out"/
cp weixin/pages/index/index.js weixin/pages/index/index.json "$out/pages/index"/
sed "s/@APPID@/${VELMORA_WEIXIN_APPID:-touristappid}/" weixin/project.config.json \
  >"$out/project.config.json"
# The page and app.json, written from the same design as every other front-end.
page_writer=$(scripts/page-writer.sh)
"$page_writer" --app-json >"$out/app.json"
"$page_writer" --wxml >"$out/pages/index/index.wxml"
"$page_writer" --wxss >"$out/pages/index/index.wxss"
cp build/weixin-build/velmora.js build/weixin-build/velmora.wasm "$out"/
# One date and one mode for every file, the last commit's date, so the zip can be built
# again byte for byte.
find "$out" -type f -exec chmod 644 {} +
find "$out" -exec touch -d "@${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}" {} +
zip_file=$(realpath build)/velmora-$version-weixin.zip
rm -f "$zip_file"
(cd "$out" && find . -type f | LC_ALL=C sort | TZ=UTC zip -q -X -D "$zip_file" -@)
realpath "$out"
