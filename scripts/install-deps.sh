#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the run command need.
# Idempotent and quiet when everything is already there.
set -euo pipefail

need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

# fonts-wqy-microhei: Chinese, Japanese and Korean glyphs for the windows in those languages.
# tcl, dpkg-dev: SQLite's amalgamation is made from Debian's source package (see the end).
# xz-utils: unpacks the compressed browser fixtures into the build tree.
pkgs=(cmake make ninja-build g++-mingw-w64-i686 binutils-mingw-w64-i686 g++-mingw-w64-x86-64
      binutils-mingw-w64-x86-64 wine wine64 wine32:i386 ccache
      xvfb xauth x11-utils imagemagick librsvg2-bin tango-icon-theme googletest hyperfine inotify-tools
      nsis zip fp-utils clang libclang-rt-14-dev msitools wixl libxml2-utils
      fonts-wqy-microhei tcl dpkg-dev xz-utils)
for p in "${pkgs[@]}"; do have "$p" || need+=("$p"); done

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
if [ ${#need[@]} -gt 0 ]; then
  echo "installing: ${need[*]}" >&2
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
  fi
  $SUDO apt-get update -qq >/dev/null
  $SUDO apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi

# SQLite: Debian's source package, unpacked into .deps/sqlite3 of this checkout; the build
# makes the amalgamation from it (cmake/sqlite.cmake). Source packages come from a sources
# file of our own, for the release this machine runs.
root="$(cd "$(dirname "$0")/.." && pwd)"
sqlite_dir="$root/.deps/sqlite3"
[ -f "$sqlite_dir/.complete" ] && exit 0
src_list=/etc/apt/sources.list.d/varnolt-src.sources
if [ ! -f "$src_list" ]; then
  codename="$(. /etc/os-release && echo "$VERSION_CODENAME")"
  printf '%s\n' "Types: deb-src" "URIs: http://deb.debian.org/debian" \
    "Suites: $codename $codename-updates" "Components: main" \
    "Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg" "" \
    "Types: deb-src" "URIs: http://deb.debian.org/debian-security" \
    "Suites: $codename-security" "Components: main" \
    "Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg" | $SUDO tee "$src_list" >/dev/null
  $SUDO apt-get update -qq >/dev/null
fi
echo "fetching SQLite's source package" >&2
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
(cd "$work" && apt-get source -qq sqlite3 >/dev/null 2>&1) || {
  $SUDO apt-get update -qq >/dev/null
  (cd "$work" && apt-get source -qq sqlite3 >/dev/null)
}
unpacked="$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'sqlite3-*' | head -n1)"
[ -f "$unpacked/configure" ] || { echo "SQLite's source package did not unpack" >&2; exit 1; }
dpkg-parsechangelog -l "$unpacked/debian/changelog" -S Version >"$unpacked/.debian-version"
rm -rf "$sqlite_dir" && mkdir -p "$root/.deps" && mv "$unpacked" "$sqlite_dir"
touch "$sqlite_dir/.complete"
