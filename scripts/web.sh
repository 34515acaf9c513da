#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing and builds the browser edition with Emscripten into build/web/:
# index.html (the program, WebAssembly included, written into it), the web app manifest with
# its icons and the service worker, all static, for any web server; and the same files as
# build/web/velmora-<version>-web.zip. Prints the folder's path.
set -euo pipefail
cd "$(dirname "$0")/.."
version=$(scripts/emscripten-build.sh web)
out=build/web
rm -rf "$out"
mkdir -p "$out"
# The stylesheet and the form's markup, from the same design, written on this machine: the
# page shows its boxes and takes keys before the program has arrived.
page_writer=$(scripts/page-writer.sh)
"$page_writer" --style >build/web-style.css
"$page_writer" --form >build/web-form.html
# The program and its WebAssembly go into the page itself: one request on a first visit,
# where every round trip on a slow network costs half a second.
scripts/wasm-literal.py build/web-build/velmora.wasm >build/web-wasm.js
awk -v wasm=build/web-wasm.js -v program=build/web-build/velmora.js -v style=build/web-style.css \
  -v form=build/web-form.html '
  function copy(file, line) { while ((getline line < file) > 0) print line }
  /^<style><\/style>$/ { printf "<style>"; copy(style); print "</style>"; next }
  /^<main id="Form1"><\/main>$/ { copy(form); print ""; next }
  /<script src="velmora.js"><\/script>/ {
    print "<script id=\"velmora-program\">"; copy(wasm); copy(program); print "</script>"; next }
  { print }' web/index.html >"$out/index.html"
grep -qE '<script src="velmora.js">|<style></style>|<main id="Form1"></main>' "$out/index.html" &&
  { echo "web: FAILED: the program, style or form was not written into the page" >&2; exit 1; }
cp web/manifest.webmanifest "$out"/
# 192 and 512 for the manifest (Android, desktops), 180 for an iPhone's home screen.
for size in 180 192 512; do
  rsvg-convert -w "$size" -h "$size" resources/icons/velmora.svg -o "$out/icon-$size.png"
done
contents=$(cat "$out"/* | sha256sum | cut -c 1-16)
sed "s/@CONTENTS@/$contents/" web/sw.js >"$out/sw.js"
# One date for every file, the last commit's, so the zip can be built again byte for byte.
touch -d "@${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}" "$out"/*
(cd "$out" && TZ=UTC zip -q -X -D "velmora-$version-web.zip" -- *)
realpath "$out"
