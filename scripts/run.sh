#!/usr/bin/env bash
# Starts the staged program under Wine. Without a display it runs under Xvfb and saves a
# screenshot of the screen to <build>/screenshot.png.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
stage="$build/stage/varnolt"
if [ -n "${DISPLAY:-}" ]; then
  exec "$build/wine-run" "$stage/varnolt.exe"
fi
display=$("$build/wine-run" --display)
echo "No display is set: running Varnolt under Xvfb on $display."
"$build/wine-run" "$stage/varnolt.exe" &
pid=$!
sleep 6
if DISPLAY=$display import -window root "$build/screenshot.png" 2>/dev/null; then
  echo "Screenshot of the window: $build/screenshot.png"
fi
echo "Varnolt is running (pid $pid); press Ctrl+C to stop it."
trap '"$build/wine-run" wineboot --end-session >/dev/null 2>&1; kill $pid 2>/dev/null; exit 0' INT TERM
wait $pid
