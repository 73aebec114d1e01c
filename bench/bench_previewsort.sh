#!/usr/bin/env bash
# Filling and sorting the file list of a preview of all checked wash items: 100,000 and
# 1,000,000 paths, the list's own work (median of RUNS runs), its cost ratio (goal <= 12, the
# n log n ratio) and memory per row; beside it the same rows sorted by one CompareStringA per
# comparison, and GNU sort -f over paths of the same shape as a peer's ratio.
set -euo pipefail
build=$(cd "$1" && pwd)
wine="$build/wine-run"
exe="$build/bench/bench_previewsort.exe"
work="$build/bench/previewsort"
runs=${RUNS:-5}
[ -x "$exe" ] || { echo "missing $exe: build first" >&2; exit 1; }
mkdir -p "$work"

median_run() {  # rows, extra arguments: prints the run with the median time
  local rows=$1; shift
  for _ in $(seq "$runs"); do "$wine" "$exe" "$rows" 4 "$@" | tr -d '\r'; done |
    sort -t' ' -k4,4n | sed -n "$(( (runs + 1) / 2 ))p"
}

small=$(median_run 100000)
large=$(median_run 1000000)
echo "list   $small"
echo "list   $large"
echo "merge  $(median_run 1000000 merge)"
echo "plain  $("$wine" "$exe" 100000 4 plain | tr -d '\r')"
python3 - "$small" "$large" <<'PY'
import sys
def field(line, name):
    parts = line.split()
    return float(parts[parts.index(name) + 1])
s, l = sys.argv[1], sys.argv[2]
print("list cost ratio 1,000,000 / 100,000: %.2f (goal <= 12)" % (field(l, "seconds") / field(s, "seconds")))
print("memory per row at 1,000,000: held %d bytes, peak %d bytes"
      % (field(l, "held_bytes_per_row"), field(l, "peak_bytes_per_row")))
PY

for n in 100000 1000000; do
  python3 - "$n" "$work/paths$n.txt" <<'PY'
import random, sys
n = int(sys.argv[1]); order = list(range(n)); random.Random(12345).shuffle(order)
exts = [".tmp", ".log", ".TMP", ".dat", ".htm"]
with open(sys.argv[2], "w") as f:
    for i in order:
        f.write("C:\\Documents and Settings\\User\\Local Settings\\Temp\\D%03d\\s%02d\\File%07d%s\n"
                % (i % 1000 // 50, i % 50, i, exts[i % 5]))
PY
done
peer() {
  local best=""
  for _ in 1 2 3; do
    local t0 t1
    t0=$(date +%s.%N); LC_ALL=C sort -f -S 1G "$1" >/dev/null; t1=$(date +%s.%N)
    best="$best $(echo "$t1 - $t0" | bc)"
  done
  echo "$best" | tr ' ' '\n' | sed '/^$/d' | sort -n | sed -n 2p
}
ps=$(peer "$work/paths100000.txt")
pl=$(peer "$work/paths1000000.txt")
echo "GNU sort -f: 100,000 in ${ps} s, 1,000,000 in ${pl} s, ratio $(echo "scale=2; $pl / $ps" | bc)"
