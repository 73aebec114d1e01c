#!/usr/bin/env bash
# Stops the wineservers (and with them every Wine process) and the Xvfb servers that wine-run
# started for a build tree: its first lane and every other (wineprefix-<lane>).
build=$(cd "${1:-build}" && pwd)
for prefix in "$build/wineprefix" "$build"/wineprefix-*; do
  [ -d "$prefix" ] || continue
  case "$prefix" in *.part) continue ;; esac
  name=${prefix#"$build/wineprefix"}
  WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
  rm -f "$build/.wineserver$name.pid"
  pid=$(cat "$build/.xvfb$name.pid" 2>/dev/null) || pid=
  if [ -n "$pid" ] && grep -qa Xvfb "/proc/$pid/cmdline" 2>/dev/null; then kill "$pid" 2>/dev/null; fi
  rm -f "$build/.xvfb$name.pid"
done
exit 0
