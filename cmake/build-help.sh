#!/usr/bin/env bash
# Compiles help.chm: build-help.sh SOURCE_DIR WORK_DIR STAGE_DIR.
# chmcmd stores the topics of context ids as absolute paths of the compiling machine. It runs
# here with its project at "/" of a private mount namespace (the system folders bound in
# read-only), so the file names every topic by its own name.
set -euo pipefail
src=$1 work=$2 stage=$3
rm -rf --one-file-system "$work"
mkdir -p "$work/root" "$stage"
cp "$src"/* "$work/root/"
flags=-m
[ "$(id -u)" -eq 0 ] || flags=-rm
unshare $flags --propagation private bash -euo pipefail -c '
  root=$1
  for d in usr lib lib32 lib64 libx32 bin etc; do
    if [ -L "/$d" ]; then ln -s "$(readlink "/$d")" "$root/$d"
    elif [ -d "/$d" ]; then mkdir "$root/$d"; mount --rbind -o ro "/$d" "$root/$d"
    fi
  done
  cd "$root"
  chroot "$root" /usr/bin/chmcmd --no-html-scan varnolt.hhp >"$root/chmcmd.log" 2>&1 || true
' build-help "$work/root"
if [ ! -s "$work/root/help.chm" ]; then
  cat "$work/root/chmcmd.log" >&2
  exit 1
fi
cp "$work/root/help.chm" "$stage/help.chm"
