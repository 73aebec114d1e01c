#!/usr/bin/env bash
# Start-up with a large catalogue, seen from outside: program start until the main window shows
# with its wash item list filled. The staged program with the supplied catalogue, with a
# const\user.txt of 200 and of 2,000 items (one entry each), and a minimal Win32 window.
# Reports the supplied catalogue against the minimal window (goal: at most 2.5 x, median of the
# ratios of RUNS pairs of starts, the two alternating start by start), 2,000 items against the
# supplied catalogue, and the cost of 2,000 items against 200 (cost: time above the minimal window).
# Beside them, a bare window with one list view of one row, the least a window showing a filled
# list costs: the supplied catalogue against it (goal: at most 1.4). And the program's own main
# window template made bare by the system's dialog manager (same controls, no program): the least
# a window of these controls costs here.
#   bench/bench_startup.sh BUILD      (RUNS=10 by default)
set -euo pipefail
build=$(cd "$1" && pwd)
wine="$build/wine-run"
exe="$build/bench/bench_startup.exe"
work="$build/bench/startup"
runs=${RUNS:-10}
[ -x "$exe" ] || { echo "missing $exe: build first" >&2; exit 1; }
winpath() { printf 'Z:%s' "${1//\//\\}"; }

user_file() {  # <count> <file>
  python3 - "$1" "$2" <<'PY'
import sys
n, path = int(sys.argv[1]), sys.argv[2]
out = ["[Common]", "Total=%d" % n] + ["Item%d=User item %d" % (i, i) for i in range(n)] + [""]
for i in range(n):
    out += ["[User item %d]" % i, "IsActive=%d" % (i % 2), "IsSpecial=0", "tFolder.Total=1",
            "tFolder0.ChildItemName=Files %d" % i, "tFolder0.isactive=1",
            "tFolder0.deletepath=C:\\Bench\\Folder%d\\*.tmp" % i, "tFolder0.RegisterName=",
            "tFolder0.RegisterValueofName=", "tFolder0.deletefilename=", "tFolder0.bycategory=1",
            "tFolder0.IsIncludeSubfolder=0", "tRegister.Total=0", ""]
open(path, "w", newline="\r\n").write("\n".join(out))
PY
}

rm -rf "$work"; mkdir -p "$work"
for n in supplied 200 2000; do
  cp -r "$build/stage/varnolt" "$work/$n"
  [ "$n" = supplied ] || user_file "$n" "$work/$n/const/user.txt"
done
"$wine" "$exe" self 1 >/dev/null  # warm the prefix
# One start at a time (the fastest of one run is that run), the four alternating.
pairs=()
for i in $(seq "$runs"); do
  m=$("$wine" "$exe" self 1 | cut -d' ' -f1)
  l=$("$wine" "$exe" listview 1 | cut -d' ' -f1)
  b=$("$wine" "$exe" template "$(winpath "$work/supplied/varnolt.exe")" 1 | cut -d' ' -f1)
  declare -A t
  for n in supplied 200 2000; do t[$n]=$("$wine" "$exe" "$(winpath "$work/$n/varnolt.exe")" 1 | cut -d' ' -f1); done
  echo "run $i: minimal window $m s, list view window $l s, supplied catalogue ${t[supplied]} s, 200 items ${t[200]} s, 2,000 items ${t[2000]} s, bare template $b s; load $(cut -d' ' -f1-3 /proc/loadavg)"
  pairs+=("$m ${t[supplied]} ${t[200]} ${t[2000]} $l $b")
done
python3 - "${pairs[@]}" <<'PY'
import sys, statistics
runs = [tuple(map(float, x.split())) for x in sys.argv[1:]]
med = lambda i: statistics.median(r[i] for r in runs)
print("medians: minimal window %.3f s, list view window %.3f s, supplied catalogue %.3f s, 200 items %.3f s, "
      "2,000 items %.3f s" % (med(0), med(4), med(1), med(2), med(3)))
goal = statistics.median(r[1] / r[0] for r in runs)
print("supplied catalogue / minimal window: %.2f (goal <= 2.5) %s" % (goal, "met" if goal <= 2.5 else "NOT met"))
bare = statistics.median(r[1] / r[4] for r in runs)
print("supplied catalogue / list view window: %.2f (goal <= 1.4) %s" % (bare, "met" if bare <= 1.4 else "NOT met"))
same = statistics.median(r[1] / r[5] for r in runs)
print("supplied catalogue / bare template: %.2f (bare template %.3f s; bare template / list view window %.2f)"
      % (same, med(5), statistics.median(r[5] / r[4] for r in runs)))
big = statistics.median(r[3] / r[1] for r in runs)
print("2,000 items / supplied catalogue: %.2f (goal <= 2) %s" % (big, "met" if big <= 2 else "NOT met"))
cost = statistics.median((r[3] - r[0]) / max(r[2] - r[0], 1e-3) for r in runs)
print("cost of 2,000 items / cost of 200: %.2f (goal <= 12) %s" % (cost, "met" if cost <= 12 else "NOT met"))
PY
