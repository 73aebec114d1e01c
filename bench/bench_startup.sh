#!/usr/bin/env bash
# Start-up with a large catalogue, seen from outside: program start until the main window shows
# with its wash item list filled. The staged program with the supplied catalogue, with a
# const\user.txt of 200 and of 2,000 items (one entry each), and a minimal Win32 window.
# Reports 2,000 items against the supplied catalogue, and the cost of 2,000 items against 200
# (cost: time above the minimal window).
set -euo pipefail
build=$(cd "$1" && pwd)
wine="$build/wine-run"
exe="$build/bench/bench_startup.exe"
work="$build/bench/startup"
runs=${RUNS:-9}
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
minimal=$("$wine" "$exe" self "$runs")
declare -A t
for n in supplied 200 2000; do t[$n]=$("$wine" "$exe" "$(winpath "$work/$n/varnolt.exe")" "$runs"); done
python3 - "$minimal" "${t[supplied]}" "${t[200]}" "${t[2000]}" <<'PY'
import sys
(m, s, a, b) = [list(map(float, x.split())) for x in sys.argv[1:]]
for i, what in ((0, "fastest run"), (1, "median run")):
    print("%s: minimal window %.3f s, supplied catalogue %.3f s, 200 items %.3f s, 2,000 items %.3f s"
          % (what, m[i], s[i], a[i], b[i]))
    print("  2,000 items / supplied catalogue: ratio %.2f (goal <= 2)" % (b[i] / s[i]))
    print("  cost of 2,000 items / cost of 200: ratio %.2f (goal <= 12)" % ((b[i] - m[i]) / max(a[i] - m[i], 1e-3)))
PY
