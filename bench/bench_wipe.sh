#!/usr/bin/env bash
# Wiping free space against dd writing the same free space, in the same run: a loop-mounted ext4
# image of 1 GiB mapped to a drive letter of the build's prefix; "varnolt.exe /wipe" (fill with
# zeros, flush, small files, delete) against one dd stream of zeros into a file on the same
# volume until it is full, synced and removed. Needs root and a loop device.
set -euo pipefail
build=$(cd "$1" && pwd)
runs=${RUNS:-5}
exe="$build/stage/varnolt/varnolt.exe"
[ -f "$exe" ] || { echo "missing $exe: build first" >&2; exit 1; }
if [ "$(id -u)" != 0 ] || ! losetup -f >/dev/null 2>&1; then
  echo "wipe benchmark skipped: needs root and a free loop device"
  exit 0
fi
work="$build/bench/wipe"
prefix="$build/wineprefix/dosdevices"
img="$work/volume.img"
mnt="$work/mnt"
mkdir -p "$work" "$mnt"
letter=
for l in p o n m l k; do
  if [ ! -e "$prefix/$l:" ] && [ ! -L "$prefix/$l:" ]; then letter=$l; break; fi
done
[ -n "$letter" ] || { echo "no free drive letter in $prefix" >&2; exit 1; }
cleanup() {
  rm -f "$prefix/$letter:"
  mountpoint -q "$mnt" && umount "$mnt"
  rm -f "$img"
}
trap cleanup EXIT
rm -f "$img"
truncate -s 1G "$img"
mkfs.ext4 -q -F "$img"
mount -o loop "$img" "$mnt"
ln -s "$mnt" "$prefix/$letter:"
"$build/wine-run" "$exe" /wipe "$letter:" >/dev/null  # starts the prefix's server
free_bytes=$(( $(stat -f -c '%a' "$mnt") * $(stat -f -c '%S' "$mnt") ))

json="$work/result.json"
ours="'$build/wine-run' '$exe' /wipe $letter:"
dd="dd if=/dev/zero of='$mnt/ddfill' bs=1M conv=fsync status=none 2>/dev/null; rm -f '$mnt/ddfill'"
hyperfine --warmup 1 --runs "$runs" -i --export-json "$json" -n "wipe free space" "$ours" -n "dd to a file until full" "$dd"
[ ! -e "$mnt/VarnoltWipe" ] || { echo "VarnoltWipe left on the volume" >&2; exit 1; }
python3 - "$json" "$free_bytes" <<'PY'
import json, sys
r = {x["command"]: x["median"] for x in json.load(open(sys.argv[1]))["results"]}
mb = int(sys.argv[2]) / 1e6
ours, dd = r["wipe free space"], r["dd to a file until full"]
print("free space %.0f MB" % mb)
print("wipe free space %.3f s (%.0f MB/s)" % (ours, mb / ours))
print("dd to a file until full %.3f s (%.0f MB/s): throughput ratio %.2f (goal >= 0.80)" % (dd, mb / dd, dd / ours))
PY
