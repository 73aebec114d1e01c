#!/usr/bin/env bash
# Starts the staged program under Wine, from a copy in <build>/run. Without a display it runs under Xvfb and saves a
# screenshot of the screen to <build>/screenshot.png.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
stage="$build/stage/varnolt"
# The program runs from a copy: what it writes (settings, order, log) stays out of the staged
# folder the tests copy, and from one run to the next.
run="$build/run/varnolt"
mkdir -p "$run/const" "$run/plugin"
cp "$stage/varnolt.exe" "$run/"
cp "$stage/const/system.txt" "$run/const/"
if [ -f "$stage/help.chm" ]; then cp "$stage/help.chm" "$run/"; fi
if [ ! -f "$run/const/user.txt" ]; then cp "$stage/const/user.txt" "$run/const/"; fi
if [ -n "${DISPLAY:-}" ]; then
  exec "$build/wine-run" "$run/varnolt.exe"
fi
display=$("$build/wine-run" --display)
echo "No display is set: running Varnolt under Xvfb on $display."
"$build/wine-run" "$run/varnolt.exe" &
pid=$!
sleep 6
if DISPLAY=$display import -window root "$build/screenshot.png" 2>/dev/null; then
  echo "Screenshot of the window: $build/screenshot.png"
fi
echo "Varnolt is running (pid $pid); press Ctrl+C to stop it."
trap '"$build/wine-run" wineboot --end-session >/dev/null 2>&1; kill $pid 2>/dev/null; exit 0' INT TERM
wait $pid
