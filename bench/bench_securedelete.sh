#!/usr/bin/env bash
# Secure delete of 1,000 files of 1 MiB (1,000 MiB; each overwritten with 11 whole chunks of
# 102,400 bytes, 1,126,400,000 bytes in all, then deleted) against dd writing the same bytes,
# in the same run: dd over the same files (one dd per file, then rm), and one dd stream of the
# same size, alone and followed by its rm (deleting written data costs time of its own), and synced
# (conv=fsync): secure delete flushes each file before it empties it, or the cache could drop the
# overwrite before it reached the disk.
# The files are sparse, so the tree takes no disk space until it is written.
set -euo pipefail
build=$(cd "$1" && pwd)
wine="$build/wine-run"
exe="$build/bench/bench_wash.exe"
work="$build/bench/securedelete"
tree="$work/tree"
runs=${RUNS:-5}
bytes=$((1000 * 11 * 102400))
[ -x "$exe" ] || { echo "missing $exe: build first" >&2; exit 1; }
winpath() { printf 'Z:%s' "${1//\//\\}"; }

mkdir -p "$work/prog"
: >"$work/prog/wildcard.ini"
cat >"$work/maketree.sh" <<'SH'
#!/usr/bin/env bash
# 10 folders of 100 sparse files of 1 MiB; removes a stream file left by dd.
set -e
rm -f "$2"
for d in 0 1 2 3 4 5 6 7 8 9; do
  mkdir -p "$1/d$d"
  (cd "$1/d$d" && truncate -s 1M $(printf 'file%03d.bin ' $(seq 0 99)))
done
SH
cat >"$work/ddfiles.sh" <<'SH'
#!/usr/bin/env bash
set -e
for f in "$1"/*/*; do
  dd if=/dev/zero of="$f" bs=102400 count=11 conv=notrunc status=none
  rm -f "$f"
done
SH
chmod +x "$work/maketree.sh" "$work/ddfiles.sh"
stream="$work/stream.bin"
make_tree="'$work/maketree.sh' '$tree' '$stream'"
ours="'$wine' '$exe' secure '$(winpath "$work/prog")' '$(winpath "$tree")'"
ddfiles="'$work/ddfiles.sh' '$tree'"
ddstream="dd if=/dev/zero of='$stream' bs=102400 count=11000 status=none"
ddstreamrm="$ddstream && rm -f '$stream'"
ddstreamsync="dd if=/dev/zero of='$stream' bs=102400 count=11000 conv=fsync status=none && rm -f '$stream'"

eval "$make_tree"
eval "$ours"
echo "files left after secure delete: $(find "$tree" -type f | wc -l)"

json="$work/result.json"
hyperfine --warmup 1 --runs "$runs" --prepare "$make_tree" --export-json "$json" \
  -n "secure delete" "$ours" -n "dd per file" "$ddfiles" -n "dd one stream" "$ddstream" -n "dd one stream + rm" "$ddstreamrm" \
  -n "dd one stream synced + rm" "$ddstreamsync"
python3 - "$json" "$bytes" <<'PY'
import json, sys
r = {x["command"]: x["median"] for x in json.load(open(sys.argv[1]))["results"]}
mb = int(sys.argv[2]) / 1e6
ours = r["secure delete"]
print("secure delete %.3f s (%.0f MB/s)" % (ours, mb / ours))
for peer in ("dd per file", "dd one stream", "dd one stream + rm", "dd one stream synced + rm"):
    print("%s %.3f s (%.0f MB/s): throughput ratio %.2f (goal >= 0.80)" % (peer, r[peer], mb / r[peer], r[peer] / ours))
PY
rm -rf "$tree" "$stream"
