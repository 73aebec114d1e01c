#!/usr/bin/env bash
# The floor of a wash under Wine: DeleteFileW alone on every file of a tree of 20,000 files of 64
# bytes in 200 folders (listed before the clock starts), from 1 and from 2 threads, against native
# `unlink` of the same files (`find -type f -delete`, listing included), on identical fresh trees,
# alternating. Prints the seconds a file and the ratio to native; the start-up wash cannot be
# faster than the DeleteFileW line. The wineserver's CPU time is shown beside it: it does every
# deletion itself, one at a time.
#   bench/bench_deletefloor.sh BUILD      (RUNS=3 by default)
set -euo pipefail
build=$(cd "$1" && pwd)
exe="$build/bench/bench_deletefloor.exe"
work="$build/bench/deletefloor"
tree="$work/tree"
runs=${RUNS:-3}
[ -x "$exe" ] || { echo "missing $exe: build first" >&2; exit 1; }
winpath() { printf 'Z:%s' "${1//\//\\}"; }
make_tree() {
  rm -rf "$tree"
  python3 - "$tree" <<'PY'
import os, sys
root, data = sys.argv[1], b"x" * 63 + b"\n"
for d in range(200):
    folder = os.path.join(root, "d%03d" % d)
    os.makedirs(folder)
    for f in range(100):
        with open(os.path.join(folder, "file%03d.tmp" % f), "wb") as out:
            out.write(data)
PY
  sync
}
server_ticks() { local p; p=$(pgrep -n wineserver || true); [ -n "$p" ] && awk '{print $14 + $15}' "/proc/$p/stat" || echo 0; }
mkdir -p "$work"
"$build/wine-run" "$exe" "$(winpath "$work/none")" 1 >/dev/null 2>&1 || true  # starts the server
results=()
for i in $(seq "$runs"); do
  make_tree; s=$(date +%s.%N); find "$tree" -type f -delete; e=$(date +%s.%N); native=$(echo "$e - $s" | bc)
  line=()
  for threads in 1 2; do
    make_tree; t0=$(server_ticks)
    read -r n secs < <("$build/wine-run" "$exe" "$(winpath "$tree")" "$threads")
    t1=$(server_ticks)
    line+=("$secs" "$(( (t1 - t0) * 10 ))")
  done
  echo "run $i: native unlink $native s; DeleteFileW ${line[0]} s (server CPU ${line[1]} ms), 2 threads ${line[2]} s (server CPU ${line[3]} ms)"
  results+=("$native ${line[0]} ${line[2]}")
done
python3 - "${results[@]}" <<'PY'
import sys, statistics
runs = [tuple(map(float, x.split())) for x in sys.argv[1:]]
files = 20000
med = lambda i: statistics.median(r[i] for r in runs)
print("per file: native unlink %.3f ms, DeleteFileW %.3f ms, 2 threads %.3f ms"
      % (1000 * med(0) / files, 1000 * med(1) / files, 1000 * med(2) / files))
print("DeleteFileW / native: %.2f (1 thread), %.2f (2 threads)"
      % (statistics.median(r[1] / r[0] for r in runs), statistics.median(r[2] / r[0] for r in runs)))
PY
rm -rf "$tree"
