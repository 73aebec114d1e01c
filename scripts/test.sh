#!/usr/bin/env bash
# Runs every test under Wine, then stops the build tree's wineservers and Xvfb servers.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-build}" && pwd)
cd "$build"
# The window tests of the lanes mostly wait on Wine and X: at least four tests at once, so
# that the folders without windows and the fuzzers run beside both lanes.
jobs=$(nproc)
[ "$jobs" -ge 4 ] || jobs=4
ctest --output-on-failure -j "$jobs" --timeout 300
rc=$?
"$here/stop-wine.sh" "$build"
exit $rc
