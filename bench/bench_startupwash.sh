#!/usr/bin/env bash
# The whole start-up wash as a user meets it, log on, against its floor: three contenders, each
# started from the shell as a new process on an identical freshly made tree of FILES files of 64
# bytes (100 a folder; 100,000 files in 1,000 folders by default):
#   - `wine varnolt.exe` with one wash item ("*.*" with subfolders) and "wash at start", timed
#     until the log's block is closed (and the time of its first deletion, seen by inotify);
#   - the floor: bench_deletefloor.exe, a bare program that lists the tree (FindFirstFileExW,
#     large fetch) and calls DeleteFileW on each file;
#   - Wine's `cmd /c del /s /q`;
#   - the guarded floor: bench_deletefloor.exe deleting each file the least way that never goes
#     through a link Wine follows by itself (a host symlink shows as a plain file there, and
#     DeleteFileW on it deletes its target): four calls to Wine's server a file where DeleteFileW
#     makes two. Varnolt deletes so.
# The four alternate run by run; the ratios are the medians of each run's ratios.
#   bench/bench_startupwash.sh BUILD [FILES]      (RUNS=3 by default; FILES=5000 for a quick run)
set -euo pipefail
build=$(cd "$1" && pwd)
files=${2:-100000}
wine="$build/wine-run"
floor="$build/bench/bench_deletefloor.exe"
work="$build/bench/startupwash"
tree="$work/tree"
runs=${RUNS:-3}
command -v inotifywait >/dev/null || { echo "missing inotifywait: run scripts/install-deps.sh" >&2; exit 1; }
[ -x "$floor" ] || { echo "missing $floor: build the target benchmarks first" >&2; exit 1; }
winpath() { printf 'Z:%s' "${1//\//\\}"; }
now() { date +%s.%N; }

rm -rf "$work/prog"; mkdir -p "$work"
cp -r "$build/stage/varnolt" "$work/prog"
prog="$work/prog"
printf '[Common]\r\nTotal=1\r\nItem0=Tree\r\n[Tree]\r\nIsActive=1\r\nIsSpecial=0\r\ntFolder.Total=1\r\ntFolder0.ChildItemName=All files\r\ntFolder0.isactive=1\r\ntFolder0.bycategory=1\r\ntFolder0.deletepath=%s\\*.*\r\ntFolder0.IsIncludeSubfolder=1\r\ntRegister.Total=0\r\n' \
  "$(winpath "$tree")" >"$prog/const/system.txt"
: >"$prog/const/user.txt"
printf '[Run]\r\nAuto Run=1\r\n[Schedule]\r\nSchedule Option=byStart \r\n[Delete Option]\r\nprompt Before=1\r\n[Log]\r\nWrite to Log=1\r\n' >"$prog/wildcard.ini"

# FILES files in folders of 100: up to 20 top folders, each holding the rest as subfolders.
make_tree() {
  rm -rf "$tree" "$prog/order.ini" "$prog/log.htm"
  python3 - "$tree" "$files" <<'PY'
import os, sys
root, files, data = sys.argv[1], int(sys.argv[2]), b"x" * 63 + b"\n"
folders = max(1, (files + 99) // 100)
tops = min(20, folders)
made = 0
for f in range(folders):
    t, s = f % tops, f // tops
    folder = os.path.join(root, "d%02d" % t, *(["s%02d" % s] if s else []))
    os.makedirs(folder, exist_ok=True)
    for n in range(min(100, files - made)):
        with open(os.path.join(folder, "file%03d.tmp" % n), "wb") as out:
            out.write(data)
    made += min(100, files - made)
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
# until then and until the first deletion.
"$wine" --display >/dev/null
ours() {
  local start end pid watcher first
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
  python3 -c "import sys; s,e,f=map(float,sys.argv[1:]); print('%.2f %.2f' % (e-s, f-s))" "$start" "$end" "$first"
}
timed() { local s e; s=$(now); eval "$1" >/dev/null 2>&1 || true; e=$(now); echo "$e - $s" | bc; }
floorcmd="'$wine' '$floor' '$(winpath "$tree")' 1"
del="'$wine' cmd /c del /s /q '$(winpath "$tree")\\*.*'"
guarded="'$wine' '$floor' '$(winpath "$tree")' 1 guarded"

results=()
for i in $(seq "$runs"); do
  make_tree; read -r a first < <(ours); ours_left=$(left)
  rows=$(grep -c '^<tr>' "$prog/log.htm" || true)
  make_tree; b=$(timed "$floorcmd"); floor_left=$(left)
  make_tree; c=$(timed "$del"); del_left=$(left)
  make_tree; d=$(timed "$guarded"); guarded_left=$(left)
  echo "run $i: start-up wash $a s (first deletion after $first s, $ours_left files left, $rows log rows);" \
    "floor $b s ($floor_left left); del /s /q $c s ($del_left left); guarded floor $d s ($guarded_left left);" \
    "load $(cut -d' ' -f1-3 /proc/loadavg)"
  results+=("$a $b $c $first $d")
done
python3 - "$files" "${results[@]}" <<'PY'
import sys, statistics
files = int(sys.argv[1])
runs = [tuple(map(float, x.split())) for x in sys.argv[2:]]
med = lambda i: statistics.median(r[i] for r in runs)
ratio = lambda i, j: statistics.median(r[i] / r[j] for r in runs)
print("%d files, medians: start-up wash %.2f s, floor %.2f s, del /s /q %.2f s, guarded floor %.2f s; "
      "first deletion after %.2f s" % (files, med(0), med(1), med(2), med(4), med(3)))
print("wash / floor: %.2f (goal <= 1.05) %s" % (ratio(0, 1), "met" if ratio(0, 1) <= 1.05 else "NOT met"))
print("wash / del:   %.2f" % ratio(0, 2))
print("floor / del:  %.2f" % ratio(1, 2))
print("wash / guarded floor: %.2f; guarded floor / floor: %.2f" % (ratio(0, 4), ratio(4, 1)))
print("first deletion: %.2f s (goal <= 0.5) %s" % (med(3), "met" if med(3) <= 0.5 else "NOT met"))
PY
rm -rf "$tree"
