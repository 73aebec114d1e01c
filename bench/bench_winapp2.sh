#!/usr/bin/env bash
# Main window start-up with a generated winapp2.ini of 4,000 entries (about 1.5 MB, a few
# hundred of them detected on this prefix) beside the program, against the same program
# directory without it, in the same Wine prefix and display. Goal: at most 1.5 times as long.
set -euo pipefail
build=$(cd "$1" && pwd)
wine="$build/wine-run"
exe="$build/bench/bench_windowstartup.exe"
work="$build/bench/winapp2"
runs=${RUNS:-10}
[ -x "$exe" ] || { echo "missing $exe: build first" >&2; exit 1; }
winpath() { printf 'Z:%s\\' "${1//\//\\}"; }

rm -rf "$work"
mkdir -p "$work"
for variant in plain rules; do cp -r "$build/stage/varnolt" "$work/$variant"; done
python3 - "$work/rules/winapp2.ini" <<'PY'
import random, sys
random.seed(7)
groups = [3021, 3022, 3023, 3024, 3025, 3026, 3029, 3006]
variables = ["%AppData%", "%LocalAppData%", "%ProgramFiles%", "%CommonAppData%", "%UserProfile%",
             "%LocalLowAppData%", "%Documents%", "%CommonProgramFiles%"]
out = ["; Generated for the start-up benchmark", ""]
for i in range(4000):
    vendor, app = "Vendor%03d" % (i % 700), "Application %d" % i
    out.append("[%s %s *]" % (app, ["Cache", "Logs", "History", "MRU"][i % 4]))
    out.append("LangSecRef=%d" % groups[i % len(groups)])
    if i % 20 == 0:
        out.append("Detect=HKCU\\Software\\Wine")                         # detected
    else:
        out.append("Detect=HKCU\\Software\\%s\\%s" % (vendor, app))
        out.append("DetectFile=%s\\%s\\%s*" % (random.choice(variables), vendor, app))
    if i % 7 == 0:
        out.append("Warning=This removes the saved settings of %s." % app)
    for k in range(1, 3):
        flag = random.choice(["", "", "|RECURSE", "|REMOVESELF"])
        out.append("FileKey%d=%s\\%s\\%s*\\Profile %d\\Cache|*.tmp;*.log;*.dat%s"
                   % (k, random.choice(variables), vendor, app, k, flag))
    out.append("RegKey1=HKCU\\Software\\%s\\%s\\Recent Files" % (vendor, app))
    out.append("RegKey2=HKCU\\Software\\%s\\%s|LastFolder" % (vendor, app))
    if i % 5 == 0:
        out.append("ExcludeKey1=FILE|%%AppData%%\\%s\\%s\\|settings.dat" % (vendor, app))
    out.append("")
open(sys.argv[1], "w", newline="\r\n").write("\n".join(out))
PY
echo "winapp2.ini: $(wc -c <"$work/rules/winapp2.ini") bytes, $(grep -c '^\[' "$work/rules/winapp2.ini") entries"

declare -A times rows
for variant in plain rules; do times[$variant]=""; done
for _ in $(seq "$runs"); do
  for variant in plain rules; do
    rm -f "$work/$variant/order.ini"
    line=$("$wine" "$exe" "$(winpath "$work/$variant")" | tr -d '\r')
    times[$variant]+="${line%% ms*} "
    rows[$variant]=${line##* ms }
  done
done
python3 - "${times[plain]}" "${times[rules]}" "${rows[plain]}" "${rows[rules]}" <<'PY'
import statistics, sys
plain = [float(x) for x in sys.argv[1].split()]
rules = [float(x) for x in sys.argv[2].split()]
p, r = statistics.median(plain), statistics.median(rules)
print("without winapp2.ini: median %.1f ms (%s)" % (p, sys.argv[3]))
print("with winapp2.ini:    median %.1f ms (%s)" % (r, sys.argv[4]))
print("ratio %.2f (goal <= 1.50)" % (r / p))
PY
