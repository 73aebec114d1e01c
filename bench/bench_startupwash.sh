#!/usr/bin/env bash
# The whole start-up wash as a user meets it, log on: `wine varnolt.exe` started from the shell
# as a new process, with one wash item ("*.*" with subfolders) over 100,000 files of 64 bytes in
# 1,000 folders and "wash at start", timed until the log's block is closed. Beside it, started
# the same way on an identical freshly made tree: `wine cmd /c del /s /q` and native `rm -rf`.
# The three alternate run by run; the goals are on the medians of each run's ratios.
#   bench/bench_startupwash.sh BUILD      (RUNS=3 by default)
set -euo pipefail
build=$(cd "$1" && pwd)
wine="$build/wine-run"
work="$build/bench/startupwash"
tree="$work/tree"
runs=${RUNS:-3}
command -v inotifywait >/dev/null || { echo "missing inotifywait: run scripts/install-deps.sh" >&2; exit 1; }
winpath() { printf 'Z:%s' "${1//\//\\}"; }
now() { date +%s.%N; }

rm -rf "$work/prog"; mkdir -p "$work"
cp -r "$build/stage/varnolt" "$work/prog"
prog="$work/prog"
printf '[Common]\r\nTotal=1\r\nItem0=Tree\r\n[Tree]\r\nIsActive=1\r\nIsSpecial=0\r\ntFolder.Total=1\r\ntFolder0.ChildItemName=All files\r\ntFolder0.isactive=1\r\ntFolder0.bycategory=1\r\ntFolder0.deletepath=%s\\*.*\r\ntFolder0.IsIncludeSubfolder=1\r\ntRegister.Total=0\r\n' \
  "$(winpath "$tree")" >"$prog/const/system.txt"
: >"$prog/const/user.txt"
printf '[Run]\r\nAuto Run=1\r\n[Schedule]\r\nSchedule Option=byStart \r\n[Delete Option]\r\nprompt Before=1\r\n[Log]\r\nWrite to Log=1\r\n' >"$prog/wildcard.ini"

make_tree() {
  rm -rf "$tree" "$prog/order.ini" "$prog/log.htm"
  python3 - "$tree" <<'PY'
import os, sys
root, data = sys.argv[1], b"x" * 63 + b"\n"
for t in range(20):
    for s in range(50):
        folder = os.path.join(root, "d%02d" % t, *(["s%02d" % s] if s else []))
        os.makedirs(folder, exist_ok=True)
        for f in range(100):
            with open(os.path.join(folder, "file%03d.tmp" % f), "wb") as out:
                out.write(data)
PY
  sync
}
left() { find "$tree" -type f | wc -l; }

# Watches the tree until its first deletion: writes "ready" once every folder is watched, then
# the wall-clock time of the first deletion. It ends there, so that it takes no time from the wash.
cat >"$work/watch.py" <<'PY'
import subprocess, sys, time
tree, ready, out = sys.argv[1:4]
proc = subprocess.Popen(["inotifywait", "-r", "-e", "delete", "--format", "%f", tree],
                        stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
for line in proc.stderr:
    if "Watches established" in line:
        break
open(ready, "w").write("ready")
proc.stdout.readline()
open(out, "w").write("%.3f\n" % time.time())
PY

# Starts the program, waits until the log's block is closed, then ends it. Prints the seconds
# until then, until the first deletion, and the deletions a second from the first deletion to the
# closed log (the log's rows).
"$wine" --display >/dev/null
ours() {
  local start end pid watcher
  rm -f "$work/ready" "$work/deletions"
  python3 "$work/watch.py" "$tree" "$work/ready" "$work/deletions" &
  watcher=$!
  until [ -f "$work/ready" ]; do sleep 0.05; done
  start=$(now)
  "$wine" "$(winpath "$prog")\\varnolt.exe" </dev/null >/dev/null 2>&1 &
  pid=$!
  # The block ends with "</table>" and a summary line (the log is new each run: no earlier block).
  until [ -f "$prog/log.htm" ] && tail -c 400 "$prog/log.htm" | grep -q '</table>'; do sleep 0.02; done
  end=$(now)
  kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true
  wait "$watcher" 2>/dev/null || true
  read -r first <"$work/deletions"
  count=$(grep -c '^<tr>' "$prog/log.htm" || true)
  python3 -c "import sys; s,e,f,n=map(float,sys.argv[1:]); print('%.2f %.2f %.0f' % (e-s, f-s, n/max(e-f,1e-3)))" \
    "$start" "$end" "$first" "$count"
}
timed() { local s e; s=$(now); eval "$1" >/dev/null 2>&1; e=$(now); echo "$e - $s" | bc; }
del="'$wine' cmd /c del /s /q '$(winpath "$tree")\\*.*'"
native="rm -rf '$tree'"

results=()
for i in $(seq "$runs"); do
  make_tree; read -r a first rate < <(ours); ours_left=$(left)
  rows=$(grep -c '^<tr>' "$prog/log.htm" || true); bytes=$(stat -c %s "$prog/log.htm")
  make_tree; b=$(timed "$del"); del_left=$(left)
  make_tree; c=$(timed "$native")
  echo "run $i: start-up wash $a s (first deletion after $first s, $rate deletions/s, $ours_left files left," \
    "$rows log rows, $((bytes / (rows > 0 ? rows : 1))) log bytes a row); del /s /q $b s ($del_left left); rm -rf $c s"
  results+=("$a $b $c")
done
python3 - "${results[@]}" <<'PY'
import sys, statistics
runs = [tuple(map(float, x.split())) for x in sys.argv[1:]]
med = lambda i: statistics.median(r[i] for r in runs)
to_del = statistics.median(r[0] / r[1] for r in runs)
to_rm = statistics.median(r[0] / r[2] for r in runs)
print("medians: start-up wash %.2f s, del /s /q %.2f s, rm -rf %.2f s" % (med(0), med(1), med(2)))
print("wash / del: %.2f (goal <= 0.70) %s" % (to_del, "met" if to_del <= 0.70 else "NOT met"))
print("wash / rm:  %.2f (goal <= 1.50) %s" % (to_rm, "met" if to_rm <= 1.50 else "NOT met"))
PY
rm -rf "$tree"
