#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs a cross-built Qt Test suite under Wine (scripts/wine.sh) and prints its report. Under
# Wine a Qt Test suite's report never reaches the standard output, so it goes to a file.
set -euo pipefail
report=$(mktemp)
trap 'rm -f "$report"' EXIT
status=0
"$(dirname "$0")/wine.sh" "$@" -o "Z:$report,txt" || status=$?
cat "$report"
exit "$status"
