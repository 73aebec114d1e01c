#!/usr/bin/env bash
# Quick delete of 100,000 files in 1,000 folders (one "*.*" entry with subfolders: expansion
# and deletion, as a wash runs it) against `cmd /c del /s /q` over an identical tree, in the
# same Wine prefix. Every run starts from a freshly made tree.
set -euo pipefail
build=$(cd "$1" && pwd)
wine="$build/wine-run"
exe="$build/bench/bench_wash.exe"
work="$build/bench/quickdelete"
tree="$work/tree"
runs=${RUNS:-5}
[ -x "$exe" ] || { echo "missing $exe: build first" >&2; exit 1; }
winpath() { printf 'Z:%s' "${1//\//\\}"; }

mkdir -p "$work/prog"
: >"$work/prog/wildcard.ini"
# 20 folders of 49 subfolders each: 1,000 folders, 100 empty files in every one.
cat >"$work/maketree.py" <<'PY'
import os, sys
root = sys.argv[1]
for t in range(20):
    for s in range(50):
        folder = os.path.join(root, "d%02d" % t, *(["s%02d" % s] if s else []))
        os.makedirs(folder, exist_ok=True)
        for f in range(100):
            open(os.path.join(folder, "file%03d.tmp" % f), "w").close()
PY
make_tree="python3 '$work/maketree.py' '$tree' && sync"
ours="'$wine' '$exe' quick '$(winpath "$work/prog")' '$(winpath "$tree")'"
del="'$wine' cmd /c del /s /q '$(winpath "$tree")\\*.*'"

# Both delete every file and leave every folder.
check() {
  eval "$make_tree"
  eval "$2" >/dev/null
  echo "$1: $(find "$tree" -type f | wc -l) files, $(find "$tree" -mindepth 1 -type d | wc -l) folders left"
}
check "quick delete" "$ours"
check "del /s /q" "$del"

json="$work/result.json"
hyperfine --warmup 1 --runs "$runs" --prepare "$make_tree" --export-json "$json" \
  -n "quick delete" "$ours" -n "del /s /q" "$del"
python3 - "$json" <<'PY'
import json, sys
r = {x["command"]: x for x in json.load(open(sys.argv[1]))["results"]}
ours, peer = r["quick delete"]["median"], r["del /s /q"]["median"]
print("quick delete median %.3f s, del /s /q median %.3f s, ratio %.2f (goal <= 1.20)" % (ours, peer, ours / peer))
PY
rm -rf "$tree"
