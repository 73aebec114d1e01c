#!/usr/bin/env bash
# Stops the wineserver (and with it every Wine process) and the Xvfb of a build tree.
build=$(cd "${1:-build}" && pwd)
WINEPREFIX="$build/wineprefix" wineserver -k 2>/dev/null || true
if [ -z "${DISPLAY:-}" ] && [ -x "$build/wine-run" ]; then
  display=$(env -u DISPLAY "$build/wine-run" --display 2>/dev/null | tail -n 1)
  [ -n "$display" ] && pkill -f "Xvfb $display " 2>/dev/null
fi
rm -f "$build/.wineserver.pid"
exit 0
