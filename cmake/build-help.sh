#!/usr/bin/env bash
# Compiles help.chm: build-help.sh SOURCE_DIR WORK_DIR STAGE_DIR.
# chmcmd runs inside a copy of the sources, so it writes nothing into the source tree and
# resolves every topic from its working folder.
set -euo pipefail
src=$1 work=$2 stage=$3
rm -rf "$work"
mkdir -p "$work" "$stage"
cp "$src"/* "$work"/
cd "$work"
if ! chmcmd --no-html-scan varnolt.hhp >chmcmd.log 2>&1 || [ ! -s help.chm ]; then
  cat chmcmd.log >&2
  exit 1
fi
cp help.chm "$stage/help.chm"
