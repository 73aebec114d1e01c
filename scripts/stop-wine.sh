#!/usr/bin/env bash
# Stops the wineserver (and with it every Wine process) and the Xvfb of a build tree.
build=$(cd "${1:-build}" && pwd)
WINEPREFIX="$build/wineprefix" wineserver -k 2>/dev/null || true
num=$(( 40 + $(printf '%s' "$build" | cksum | cut -d' ' -f1) % 400 ))
pkill -f "Xvfb :$num " 2>/dev/null || true
rm -f "$build/.wineserver.pid"
exit 0
