#!/usr/bin/env bash
# History washed inside browser databases: a places.sqlite and a History of 100,000 visits each
# (the fixtures' own databases with rows added by bench/places-data.sql and history-data.sql),
# washed by bench_historywash.exe (the engine of "Firefox History" and "Google Chrome History",
# started as a new process under Wine) against the sqlite3 shell running the same statements
# (bench/places-wash.sql, bench/history-wash.sql) on a copy:
#   floor (the goal): sqlite3.exe, the shell this script builds from SQLite's source package and
#     the amalgamation our build compiles, run under Wine as ours is; ours <= 1.2 times its time
#     (the median of the runs' ratios).
#   shown only: Debian's sqlite3 on Linux.
# Each run copies the database afresh for each side, the order alternating run by run.
#   bench/bench_historywash.sh BUILD      (RUNS=5 by default)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
src=$(cd "$here/.." && pwd)
build=$(cd "$1" && pwd)
wine="$build/wine-run"
exe="$build/bench/bench_historywash.exe"
work="$build/bench/historywash"
runs=${RUNS:-5}
[ -x "$exe" ] || { echo "missing $exe: build first" >&2; exit 1; }
mkdir -p "$work"

amalgamation="$src/.deps/sqlite3-amalgamation"
shell="$work/sqlite3.exe"
if [ ! -x "$shell" ]; then
  (cd "$src/.deps/sqlite3" && tclsh tool/mkshellc.tcl) >"$work/shell.c"
  # The flags cmake/sqlite.cmake compiles our SQLite with.
  x86_64-w64-mingw32-gcc -O2 -DSQLITE_THREADSAFE=1 -DSQLITE_DEFAULT_MEMSTATUS=0 -DSQLITE_OMIT_LOAD_EXTENSION \
    -I"$amalgamation" "$work/shell.c" "$amalgamation/sqlite3.c" -static -o "$shell"
fi

fixtures="$src/tests/fixtures/browsers"
base="$work/base"
if [ ! -f "$base/.made" ]; then
  rm -rf "$base"
  mkdir -p "$base/chromium" "$base/firefox"
  xz -dc "$fixtures/chromium/Default/History.xz" >"$base/chromium/History"
  xz -dc "$fixtures/firefox/places.sqlite.xz" >"$base/firefox/places.sqlite"
  sqlite3 "$base/chromium/History" <"$here/history-data.sql"
  sqlite3 "$base/firefox/places.sqlite" <"$here/places-data.sql"
  touch "$base/.made"
fi

winpath() { printf 'Z:%s' "${1//\//\\}"; }
now() { date +%s.%N; }
timed() {
  local s e
  s=$(now)
  eval "$1" >"$work/out.txt" 2>&1 || { cat "$work/out.txt" >&2; return 1; }
  e=$(now)
  echo "$e - $s" | bc
}
run="$work/run"
# A fresh copy, on the disk before the clock starts.
fresh() { rm -rf "$run" && mkdir -p "$run" && cp "$base/$1/$2" "$run/" && sync; }
# What a wash left: the visits and the size in bytes.
left() { echo "$(sqlite3 "$run/$2" "SELECT count(*) FROM $1") visits, $(stat -c %s "$run/$2") bytes"; }

for kind in firefox:places.sqlite:places-wash.sql:moz_historyvisits chromium:History:history-wash.sql:visits; do
  IFS=: read -r browser file sql visits <<<"$kind"
  ours="'$wine' '$exe' $browser '$(winpath "$run")'"
  floor="'$wine' '$shell' '$(winpath "$run/$file")' <'$here/$sql'"
  linux="sqlite3 '$run/$file' <'$here/$sql'"
  echo "-- $browser $file: $(sqlite3 "$base/$browser/$file" "SELECT count(*) FROM $visits") visits," \
    "$(stat -c %s "$base/$browser/$file") bytes"
  fresh "$browser" "$file" && eval "$ours" >/dev/null  # warms the prefix and the cache
  results=()
  for i in $(seq "$runs"); do
    if [ $((i % 2)) = 1 ]; then
      fresh "$browser" "$file"; a=$(timed "$ours"); la=$(left "$visits" "$file")
      fresh "$browser" "$file"; b=$(timed "$floor"); lb=$(left "$visits" "$file")
    else
      fresh "$browser" "$file"; b=$(timed "$floor"); lb=$(left "$visits" "$file")
      fresh "$browser" "$file"; a=$(timed "$ours"); la=$(left "$visits" "$file")
    fi
    fresh "$browser" "$file"; c=$(timed "$linux")
    echo "run $i: ours $a s ($la left); sqlite3.exe under Wine $b s ($lb left); Linux sqlite3 $c s;" \
      "load $(cut -d' ' -f1-3 /proc/loadavg)"
    results+=("$a $b $c")
  done
  python3 - "${results[@]}" <<'PY'
import sys, statistics
runs = [tuple(map(float, x.split())) for x in sys.argv[1:]]
med = lambda i: statistics.median(r[i] for r in runs)
ratio = statistics.median(r[0] / r[1] for r in runs)
print("medians: ours %.2f s, sqlite3.exe under Wine %.2f s, Linux sqlite3 %.2f s" % (med(0), med(1), med(2)))
print("time / sqlite3.exe under Wine: %.2f (goal <= 1.20) %s" % (ratio, "met" if ratio <= 1.2 else "NOT met"))
print("time / Linux sqlite3: %.2f (shown only)" % statistics.median(r[0] / r[2] for r in runs))
PY
done
rm -rf "$run"
