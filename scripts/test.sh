#!/usr/bin/env bash
# Runs every test under Wine, then stops the build tree's wineserver and Xvfb.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-build}" && pwd)
cd "$build"
ctest --output-on-failure -j "$(nproc)" --timeout 300
rc=$?
"$here/stop-wine.sh" "$build"
exit $rc
