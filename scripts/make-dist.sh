#!/usr/bin/env bash
# make-dist.sh STAGE_X64 STAGE_X86 ICON VERSION DIST_DIR NSI WXS MSI_VERSION
# Builds varnolt-<version>-setup.exe (both programs; it installs the one the system runs natively),
# the Windows Installer packages varnolt-<version>-x64.msi and -x86.msi, and
# varnolt-<version>-win64-portable.zip and -win32-portable.zip from the staged program folders;
# files the program writes at run time (settings, order, log) are left out. MSI_VERSION is the
# version as Windows Installer compares it (major.minor.build).
set -euo pipefail
x64=$(realpath "$1") x86=$(realpath "$2") icon=$(realpath "$3") version=$4 dist=$(realpath -m "$5")
nsi=$(realpath "$6") wxs=$(realpath "$7") msiversion=$8
here=$(cd "$(dirname "$0")" && pwd)
work="$dist/files"
rm -rf "$work"

# folder ARCH STAGE: the program folder of one build, help and plug-ins from the 64-bit stage.
folder() {
  local dir="$work/$1/varnolt"
  mkdir -p "$dir/const" "$dir/plugin"
  cp "$2/varnolt.exe" "$dir/"
  cp "$x64/const/system.txt" "$x64/const/user.txt" "$dir/const/"
  if [ -f "$x64/help.chm" ]; then cp "$x64/help.chm" "$dir/"; fi
  for plugin in "$x64"/plugin/*.txt; do
    if [ -f "$plugin" ]; then cp "$plugin" "$dir/plugin/"; fi
  done
}
folder win64 "$x64"
folder win32 "$x86"

makensis -V2 -DVERSION="$version" -DSOURCE="$work/win64/varnolt" -DSOURCE_X86="$work/win32/varnolt" \
  -DICON="$icon" -DOUTFILE="$dist/varnolt-$version-setup.exe" "$nsi" >/dev/null
# The packages' custom action, one 32-bit DLL for both (a 64-bit system runs it under WOW64).
i686-w64-mingw32-gcc -O2 -s -shared -static-libgcc -Wall -Wextra -Werror -o "$work/actions.dll" \
  "$(dirname "$wxs")/msiactions.c" -Wl,--kill-at -lmsi
"$here/make-msi.sh" x64 "$work/win64/varnolt" "$msiversion" "$version" "$work/actions.dll" "$wxs" \
  "$dist/varnolt-$version-x64.msi"
"$here/make-msi.sh" x86 "$work/win32/varnolt" "$msiversion" "$version" "$work/actions.dll" "$wxs" \
  "$dist/varnolt-$version-x86.msi"
for arch in win64 win32; do
  rm -f "$dist/varnolt-$version-$arch-portable.zip"
  (cd "$work/$arch" && zip -q -r -X "$dist/varnolt-$version-$arch-portable.zip" varnolt)
done
