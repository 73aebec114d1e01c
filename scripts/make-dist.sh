#!/usr/bin/env bash
# make-dist.sh STAGE_DIR ICON VERSION DIST_DIR NSI
# Builds varnolt-<version>-setup.exe and varnolt-<version>-portable.zip from the staged program
# folder; files the program writes at run time (settings, order, log) are left out.
set -euo pipefail
stage=$(realpath "$1") icon=$(realpath "$2") version=$3 dist=$(realpath -m "$4") nsi=$(realpath "$5")
work="$dist/files"
rm -rf "$work"
mkdir -p "$work/varnolt/const" "$work/varnolt/plugin"
cp "$stage/varnolt.exe" "$work/varnolt/"
cp "$stage/const/system.txt" "$stage/const/user.txt" "$work/varnolt/const/"
if [ -f "$stage/help.chm" ]; then cp "$stage/help.chm" "$work/varnolt/"; fi
for plugin in "$stage"/plugin/*.txt; do
  if [ -f "$plugin" ]; then cp "$plugin" "$work/varnolt/plugin/"; fi
done
makensis -V2 -DVERSION="$version" -DSOURCE="$work/varnolt" -DICON="$icon" \
  -DOUTFILE="$dist/varnolt-$version-setup.exe" "$nsi" >/dev/null
rm -f "$dist/varnolt-$version-portable.zip"
(cd "$work" && zip -q -r -X "$dist/varnolt-$version-portable.zip" varnolt)
