#!/usr/bin/env bash
# Wiping free space against dd writing the same free space: a loop-mounted ext4 image of 1 GiB
# mapped to a drive letter of the build's prefix; "varnolt.exe /wipe" started as a new process
# (fill with zeros, flush, small files, delete) against one dd stream of zeros into a file on
# the same volume until it is full, synced (conv=fsync) and removed. Needs root and a loop device.
# Runs alternate (ours first in odd runs, dd first in even ones); the goal is on the median of
# the runs' ratios.
#   bench/bench_wipe.sh BUILD      (RUNS=7 by default)
# Why single runs vary so much (0.5 to 0.8 and back): the first ~45 % of either writer goes into
# the page cache at memory speed, the rest at the speed the shared disk of this machine gives at
# that moment (other builds write to it too), and the final flush waits for the disk as well.
# Timing all runs of one writer and then all of the other (as hyperfine does) puts any change in
# the disk's load on one side of the ratio. The image is made without lazy initialisation, so no
# kernel thread writes its inode tables in the background during the first runs.
set -euo pipefail
build=$(cd "$1" && pwd)
runs=${RUNS:-7}
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
mkfs.ext4 -q -F -E lazy_itable_init=0,lazy_journal_init=0 "$img"
mount -o loop "$img" "$mnt"
ln -s "$mnt" "$prefix/$letter:"
"$build/wine-run" "$exe" /wipe "$letter:" >/dev/null  # starts the prefix's server
free_bytes=$(( $(stat -f -c '%a' "$mnt") * $(stat -f -c '%S' "$mnt") ))

now() { date +%s.%N; }
timed() { local s e; s=$(now); eval "$1" >/dev/null 2>&1 || { echo "failed: $1" >&2; return 1; }; e=$(now); echo "$e - $s" | bc; }
ours="'$build/wine-run' '$exe' /wipe $letter:"
dd="dd if=/dev/zero of='$mnt/ddfill' bs=1M conv=fsync status=none; rm -f '$mnt/ddfill'"
results=()
for i in $(seq "$runs"); do
  if [ $((i % 2)) = 1 ]; then a=$(timed "$ours"); sync; b=$(timed "$dd"); else b=$(timed "$dd"); sync; a=$(timed "$ours"); fi
  sync
  [ ! -e "$mnt/VarnoltWipe" ] || { echo "VarnoltWipe left on the volume" >&2; exit 1; }
  echo "run $i: wipe free space $a s; dd to a file until full $b s; load $(cut -d' ' -f1-3 /proc/loadavg)"
  results+=("$a $b")
done
python3 - "$free_bytes" "${results[@]}" <<'PY'
import sys, statistics
mb = int(sys.argv[1]) / 1e6
runs = [tuple(map(float, x.split())) for x in sys.argv[2:]]
ours, dd = statistics.median(r[0] for r in runs), statistics.median(r[1] for r in runs)
ratio = statistics.median(r[1] / r[0] for r in runs)
print("free space %.0f MB" % mb)
print("medians: wipe free space %.2f s (%.0f MB/s), dd conv=fsync until full + rm %.2f s (%.0f MB/s)"
      % (ours, mb / ours, dd, mb / dd))
print("speed / dd: %.2f (goal >= 0.80) %s" % (ratio, "met" if ratio >= 0.80 else "NOT met"))
PY
