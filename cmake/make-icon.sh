#!/usr/bin/env bash
# make-icon.sh THEME_DIR IMAGE OUT.ico [EXTRA_SIZE...]
# One .ico with every size the display scalings ask for: the theme's hand-drawn images where it
# has them (16, 22, 24, 32), the others rendered from its scalable source. Extra sizes (the
# program icon's 256) are rendered too; the .ico stores a 256 px image as PNG.
set -euo pipefail
theme=$1 image=$2 out=$3
shift 3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
files=()
for size in 16 20 22 24 28 32 40 44 48 64 "$@"; do
  png="$theme/${size}x${size}/$image.png"
  if [ ! -f "$png" ]; then
    png="$tmp/$size.png"
    rsvg-convert -w "$size" -h "$size" "$theme/scalable/$image.svg" -o "$png"
  fi
  files+=("$png")
done
convert "${files[@]}" "$out"
