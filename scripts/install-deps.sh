#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the run command need.
# Idempotent and quiet when everything is already there.
set -euo pipefail

need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

# fonts-wqy-microhei: Chinese, Japanese and Korean glyphs for the windows in those languages.
# xz-utils: unpacks the compressed browser fixtures into the build tree.
pkgs=(cmake make ninja-build g++-mingw-w64-i686 binutils-mingw-w64-i686 g++-mingw-w64-x86-64
      binutils-mingw-w64-x86-64 wine wine64 wine32:i386 ccache
      xvfb xauth x11-utils imagemagick librsvg2-bin tango-icon-theme googletest hyperfine inotify-tools
      nsis zip fp-utils clang libclang-rt-14-dev msitools wixl libxml2-utils
      fonts-wqy-microhei xz-utils)
for p in "${pkgs[@]}"; do have "$p" || need+=("$p"); done
[ ${#need[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "installing: ${need[*]}" >&2
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq >/dev/null
$SUDO apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
