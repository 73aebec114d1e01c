#!/usr/bin/env bash
# A whole start-up wash seen from outside, log on: the real program started with one wash item
# ("*.*" with subfolders over 100,000 files in 1,000 folders) and "wash at start", from program
# start until the log's last row, against `cmd /c del /s /q` over an identical tree in the same
# Wine prefix. Every run starts from a freshly made tree; the runs of the two alternate.
set -euo pipefail
build=$(cd "$1" && pwd)
wine="$build/wine-run"
exe="$build/bench/bench_startup.exe"
work="$build/bench/startupwash"
tree="$work/tree"
runs=${RUNS:-5}
[ -x "$exe" ] || { echo "missing $exe: build first" >&2; exit 1; }
winpath() { printf 'Z:%s' "${1//\//\\}"; }

rm -rf "$work/prog"; mkdir -p "$work"
cp -r "$build/stage/varnolt" "$work/prog"
prog="$work/prog"
printf '[Common]\r\nTotal=1\r\nItem0=Tree\r\n[Tree]\r\nIsActive=1\r\nIsSpecial=0\r\ntFolder.Total=1\r\ntFolder0.ChildItemName=All files\r\ntFolder0.isactive=1\r\ntFolder0.bycategory=1\r\ntFolder0.deletepath=%s\\*.*\r\ntFolder0.IsIncludeSubfolder=1\r\ntRegister.Total=0\r\n' \
  "$(winpath "$tree")" >"$prog/const/system.txt"
: >"$prog/const/user.txt"
printf '[Run]\r\nAuto Run=1\r\n[Schedule]\r\nSchedule Option=byStart \r\n[Delete Option]\r\nprompt Before=1\r\n[Log]\r\nWrite to Log=1\r\n' >"$prog/wildcard.ini"

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
make_tree="rm -f '$prog/order.ini'; python3 '$work/maketree.py' '$tree' && sync"
ours="'$wine' '$exe' wash '$(winpath "$prog")\\varnolt.exe' '$(winpath "$prog")\\log.htm'"
del="'$wine' cmd /c del /s /q '$(winpath "$tree")\\*.*'"

check() {
  eval "$make_tree"
  eval "$2" >/dev/null
  echo "$1: $(find "$tree" -type f | wc -l) files, $(find "$tree" -mindepth 1 -type d | wc -l) folders left"
}
check "start-up wash" "$ours"
echo "log: $(grep -c '^<tr>' "$prog/log.htm" || true) table rows"
check "del /s /q" "$del"

# The two alternate run by run, each on a fresh tree, so a busy machine weighs on both alike.
timed() { local s e; eval "$make_tree"; s=$(date +%s.%N); eval "$1" >/dev/null; e=$(date +%s.%N); echo "$e - $s" | bc; }
results=()
for i in $(seq "$runs"); do
  a=$(timed "$ours"); b=$(timed "$del")
  echo "run $i: start-up wash $a s, del /s /q $b s"
  results+=("$a $b")
done
python3 - "${results[@]}" <<'PY'
import sys, statistics
pairs = [tuple(map(float, x.split())) for x in sys.argv[1:]]
ours = statistics.median(p[0] for p in pairs); peer = statistics.median(p[1] for p in pairs)
ratio = statistics.median(p[0] / p[1] for p in pairs)
print("start-up wash median %.3f s, del /s /q median %.3f s, median ratio of the pairs %.2f (goal <= 1.10)"
      % (ours, peer, ratio))
PY
rm -rf "$tree"
