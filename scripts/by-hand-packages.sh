#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Prints the Debian packages a build by hand needs, one per line, from their one list
# (packaging/by-hand-packages.txt): those for WHAT ("build", "test" or "font"), or all.
# With "--readme", writes them into the README's list instead (between its two markers);
# with "--check-readme", fails when that list is not what "--readme" would write.
# Usage: scripts/by-hand-packages.sh [build|test|font|--readme|--check-readme]
set -euo pipefail
list=$(dirname "$0")/../packaging/by-hand-packages.txt
readme_file=$(dirname "$0")/../README.md
readonly kBegin='<!-- the packages a build by hand needs: scripts/by-hand-packages.sh --readme -->'
readonly kEnd='<!-- end of the packages a build by hand needs -->'

packages() {
  case $1 in
    font) sed -n 's/^font: .* = //p' "$list" ;;
    *) sed -n "s/^$1: //p" "$list" | tr ' ' '\n' ;;
  esac
}

readme() {
  local faces
  faces=$(sed -n 's/^font: \(.*\) = \(.*\)/`\2` (\1)/p' "$list" | paste -sd ',' | sed 's/,/, /g')
  echo "- to build: \`$(packages build | paste -sd ' ')\`"
  echo "- to build and run the tests and benchmarks: \`$(packages test | paste -sd ' ')\`"
  echo "- to run, and for the window's tests: the fonts the window draws in, $faces"
}

# The README with its list as the one list has it.
written_readme() {
  awk -v begin="$kBegin" -v end="$kEnd" -v list="$(readme)" '
    $0 == end { skipping = 0 }
    !skipping { print }
    $0 == begin { print list; skipping = 1 }' "$readme_file"
}

case ${1:-all} in
  all) for what in build test font; do packages "$what"; done ;;
  --readme)
    written=$(written_readme)
    printf '%s\n' "$written" >"$readme_file"
    ;;
  --check-readme)
    grep -qxF "$kBegin" "$readme_file" || { echo "README: no list of the by-hand packages" >&2; exit 1; }
    diff <(written_readme) "$readme_file" >&2 ||
      { echo "README: its by-hand packages differ from $list: run $0 --readme" >&2; exit 1; }
    ;;
  *) packages "$1" ;;
esac
