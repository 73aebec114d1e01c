#!/usr/bin/env bash
# The log of a 100,000-row wash (one block, buffered, every write checked) against writing
# the same bytes in the same Wine prefix: `cmd /c copy /b` of the finished log, and a copy
# with one checked write per line (a log without a buffer).
set -euo pipefail
build=$(cd "$1" && pwd)
wine="$build/wine-run"
exe="$build/bench/bench_wash.exe"
work="$build/bench/washlog"
runs=${RUNS:-10}
rows=100000
[ -x "$exe" ] || { echo "missing $exe: build first" >&2; exit 1; }
winpath() { printf 'Z:%s' "${1//\//\\}"; }

mkdir -p "$work/prog"
"$wine" "$exe" log "$(winpath "$work/prog")" "$rows"
cp "$work/prog/log.htm" "$work/reference.htm"
echo "log: $(stat -c %s "$work/reference.htm") bytes, $(grep -c '^<tr>' "$work/reference.htm") table rows"

json="$work/result.json"
hyperfine -N --warmup 2 --runs "$runs" --export-json "$json" \
  -n "wash log" "'$wine' '$exe' log '$(winpath "$work/prog")' $rows" \
  -n "copy /b" "'$wine' cmd /c copy /b /y '$(winpath "$work/reference.htm")' '$(winpath "$work/copy.htm")'" \
  -n "line by line" "'$wine' '$exe' lines '$(winpath "$work/reference.htm")' '$(winpath "$work/lines.htm")'"
cmp "$work/reference.htm" "$work/copy.htm"
cmp "$work/reference.htm" "$work/lines.htm"
python3 - "$json" <<'PY'
import json, sys
r = {x["command"]: x["median"] for x in json.load(open(sys.argv[1]))["results"]}
ours = r["wash log"]
for peer in ("copy /b", "line by line"):
    print("wash log %.3f s, %s %.3f s: ratio %.2f" % (ours, peer, r[peer], ours / r[peer]))
PY
rm -f "$work/prog/log.htm" "$work/reference.htm" "$work/copy.htm" "$work/lines.htm"
