#!/usr/bin/env bash
# Expanding one "*.*" entry with subfolders over 100,000 files in 1,000 folders, against
# `cmd /c dir /s /b` over the same tree, in the same Wine prefix; then with 50 exclusion masks.
set -euo pipefail
build=$(cd "$1" && pwd)
wine="$build/wine-run"
exe="$build/bench/bench_findfile.exe"
work="$build/bench/findfile"
tree="$work/tree"
runs=${RUNS:-10}
[ -x "$exe" ] || { echo "missing $exe: build first" >&2; exit 1; }
winpath() { printf 'Z:%s' "${1//\//\\}"; }

# 20 folders of 49 subfolders each: 1,000 folders, 100 files in every one.
if [ ! -f "$work/tree.done" ]; then
  rm -rf "$tree"
  python3 - "$tree" <<'PY'
import os, sys
root = sys.argv[1]
exts = [".txt", ".tmp", ".log", ".dat", ".htm"]
folders = []
for t in range(20):
    top = os.path.join(root, "d%02d" % t)
    folders.append(top)
    folders += [os.path.join(top, "s%02d" % s) for s in range(49)]
for folder in folders:
    os.makedirs(folder, exist_ok=True)
    for f in range(100):
        open(os.path.join(folder, "file%03d%s" % (f, exts[f % len(exts)])), "w").close()
PY
  touch "$work/tree.done"
fi
echo "tree: $(find "$tree" -type f | wc -l) files in $(find "$tree" -mindepth 1 -type d | wc -l) folders"

# Settings without exclusions, and with 50 masks: names and folders, a few of them matching.
mkdir -p "$work/plain" "$work/masks"
: >"$work/plain/wildcard.ini"
{
  printf '[Exclude Files]\r\nCount=50\r\n'
  for i in $(seq 0 29); do printf 'Record%d=*.x%02d\r\n' "$i" "$i"; done
  for i in $(seq 30 44); do printf 'Record%d=C:\\Keep%02d\\*.*\r\n' "$i" "$i"; done
  printf 'Record45=file00?.log\r\nRecord46=*.bak\r\nRecord47=Z:\\d03\\s07\\*.*\r\n'
  printf 'Record48=?:\\s11\\file01*.tmp\r\nRecord49=~*.*\r\n'
} >"$work/masks/wildcard.ini"

treew=$(winpath "$tree")
"$wine" "$exe" "$(winpath "$work/plain")" "$treew"
"$wine" "$exe" "$(winpath "$work/masks")" "$treew"
echo "dir lines: $("$wine" cmd /c dir /s /b "$treew" | wc -l)"

compare() {
  local label=$1 settings=$2 json="$work/$1.json"
  hyperfine -N --warmup 2 --runs "$runs" --export-json "$json" \
    -n "expansion ($label)" "'$wine' '$exe' '$(winpath "$settings")' '$treew'" \
    -n "dir /s /b" "'$wine' cmd /c dir /s /b '$treew'"
  python3 - "$json" "$label" <<'PY'
import json, sys
r = {x["command"]: x for x in json.load(open(sys.argv[1]))["results"]}
exp = next(v for k, v in r.items() if k.startswith("expansion"))
dirr = r["dir /s /b"]
print("%s: expansion median %.3f s, dir median %.3f s, ratio %.2f (goal <= 1.20)"
      % (sys.argv[2], exp["median"], dirr["median"], exp["median"] / dirr["median"]))
PY
}
compare "no exclusions" "$work/plain"
compare "50 masks" "$work/masks"
