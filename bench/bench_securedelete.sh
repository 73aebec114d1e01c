#!/usr/bin/env bash
# Secure delete of 1,000 files of 1 MiB (each overwritten with 11 whole chunks of 102,400 bytes,
# 1,126,400,000 bytes in all, flushed to the disk, emptied, renamed and deleted) against one dd
# stream writing the same bytes and then removed:
#   peer (the goal): dd if=/dev/zero bs=102400 count=11000 conv=fsync, then rm. The secure delete
#     must really put its overwrite on the disk before it empties a file, so the honest peer
#     syncs too (conv=fsync: dd flushes the file before it exits).
#   shown only: the same dd without conv=fsync (its bytes may still be in the cache when it ends);
#     and the floor under any Win32 program here, bench/securefloor.c: the same steps for each file
#     done natively by 8 threads, first each in its own thread, then with the truncate, rename,
#     unlink and open through one lock, as Wine's single-threaded server does them.
# Ours is bench_wash.exe started as a new process under Wine: it lists the tree ("*.*" with
# subfolders) and washes it with secure delete, as a wash does. The files are sparse, so the tree
# takes no disk space until it is written. bench_wash also prints the wash's own time, shown beside
# (the same run without Wine's start of a process). Each run makes a fresh tree and times ours and the peers,
# the order alternating run by run; the goal is on the median of the runs' ratios.
#   bench/bench_securedelete.sh BUILD      (RUNS=5 by default)
set -euo pipefail
build=$(cd "$1" && pwd)
wine="$build/wine-run"
exe="$build/bench/bench_wash.exe"
work="$build/bench/securedelete"
tree="$work/tree"
stream="$work/stream.bin"
runs=${RUNS:-5}
[ -x "$exe" ] || { echo "missing $exe: build first" >&2; exit 1; }
floor="$work/securefloor"
mkdir -p "$work"
# clang comes with the build's packages (the fuzzers); any C compiler will do.
"$(command -v cc || command -v clang)" -O2 -pthread -o "$floor" "$(dirname "$0")/securefloor.c"
winpath() { printf 'Z:%s' "${1//\//\\}"; }
now() { date +%s.%N; }

mkdir -p "$work/prog"
: >"$work/prog/wildcard.ini"
make_tree() {  # 10 folders of 100 sparse files of 1 MiB
  rm -rf "$tree" "$stream"
  for d in 0 1 2 3 4 5 6 7 8 9; do
    mkdir -p "$tree/d$d"
    (cd "$tree/d$d" && truncate -s 1M $(printf 'file%03d.bin ' $(seq 0 99)))
  done
  sync
}
ours="'$wine' '$exe' secure '$(winpath "$work/prog")' '$(winpath "$tree")'"
ddsync="dd if=/dev/zero of='$stream' bs=102400 count=11000 conv=fsync status=none && rm -f '$stream'"
ddcache="dd if=/dev/zero of='$stream' bs=102400 count=11000 status=none && rm -f '$stream'"
timed() { local s e; s=$(now); eval "$1" >"$work/out.txt" || return 1; e=$(now); echo "$e - $s" | bc; }
# The wash's own time, as bench_wash prints it: the run without Wine's start of a process.
own() { sed -n 's/.*washing took \([0-9.]*\) s.*/\1/p' "$work/out.txt"; }

make_tree; eval "$ours" >/dev/null  # warms the prefix
results=()
for i in $(seq "$runs"); do
  make_tree
  if [ $((i % 2)) = 1 ]; then
    a=$(timed "$ours"); w=$(own); left=$(find "$tree" -type f | wc -l); sync; b=$(timed "$ddsync"); sync; c=$(timed "$ddcache")
  else
    b=$(timed "$ddsync"); sync; c=$(timed "$ddcache"); sync; a=$(timed "$ours"); w=$(own); left=$(find "$tree" -type f | wc -l)
  fi
  make_tree; read -r nat _ < <("$floor" "$tree" free)
  make_tree; read -r ser _ < <("$floor" "$tree" server)
  echo "run $i: secure delete $a s (the wash alone $w s; $left files left); dd conv=fsync + rm $b s; dd without sync + rm $c s;" \
    "native $nat s, native with Wine's server steps serialized $ser s; load $(cut -d' ' -f1-3 /proc/loadavg)"
  results+=("$a $b $c $nat $ser $w")
done
python3 - "${results[@]}" <<'PY'
import sys, statistics
runs = [tuple(map(float, x.split())) for x in sys.argv[1:]]
mb = 1000 * 11 * 102400 / 1e6
med = lambda i: statistics.median(r[i] for r in runs)
print("medians: secure delete %.2f s (%.0f MB/s), dd conv=fsync + rm %.2f s (%.0f MB/s), dd without sync + rm %.2f s"
      % (med(0), mb / med(0), med(1), mb / med(1), med(2)))
synced = statistics.median(r[1] / r[0] for r in runs)
cached = statistics.median(r[2] / r[0] for r in runs)
print("speed / dd conv=fsync: %.2f (goal >= 0.80) %s" % (synced, "met" if synced >= 0.80 else "NOT met"))
print("speed / dd without sync: %.2f (shown only: that dd leaves its bytes in the cache)" % cached)
for i, what in ((5, "the wash alone, without Wine's start of a process"), (3, "native, the same steps"),
                (4, "native, Wine's server steps serialized")):
    print("%s: %.2f s, speed / dd conv=fsync %.2f (shown only)" % (what, med(i), statistics.median(r[1] / r[i] for r in runs)))
PY
rm -rf "$tree" "$stream"
