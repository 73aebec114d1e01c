#!/usr/bin/env bash
# Wiping free space on a real small file system: an ext4 image of a few MB, loop-mounted and
# mapped to a drive letter of the test prefix. A file holding a marker is deleted the ordinary
# way, varnolt.exe /wipe runs, and the image's bytes no longer hold the marker; the free space is
# what it was. Then the tests that need such a volume (WipeVolume*.*, WipeDialog.*) run on it.
# Needs root and a loop device; exits 77 (skipped) on a machine without them.
set -euo pipefail
build=$(cd "$1" && pwd)
if [ "$(id -u)" != 0 ] || ! losetup -f >/dev/null 2>&1; then
  echo "SKIPPED: this machine has no free loop device (or the test does not run as root)"
  exit 77
fi
# The prefix of the lane the test runs in (see wine-run).
prefix="$build/wineprefix${VARNOLT_WINE_LANE:+-$VARNOLT_WINE_LANE}/dosdevices"
work=$(mktemp -d "$build/wipe-test.XXXXXX")
img="$work/volume.img"
mnt="$work/mnt"
letter=
for l in w v u t s r q p; do
  if [ ! -e "$prefix/$l:" ] && [ ! -L "$prefix/$l:" ]; then letter=$l; break; fi
done
[ -n "$letter" ] || { echo "no free drive letter in $prefix"; exit 1; }
cleanup() {
  rm -f "$prefix/$letter:"
  mountpoint -q "$mnt" && umount "$mnt"
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAILED: $*"; exit 1; }

marker="VARNOLT-DELETED-MARKER-$$-$RANDOM"
truncate -s 8M "$img"
mkfs.ext4 -q -F "$img"
mkdir -p "$mnt"
mount -o loop "$img" "$mnt"
for i in $(seq 300); do echo "$marker line $i of a file the user deleted"; done >"$mnt/secret.txt"
sync
rm "$mnt/secret.txt"
sync
umount "$mnt"
grep -qa "$marker" "$img" || fail "the marker was not in the free space before the wipe"

mount -o loop "$img" "$mnt"
ln -s "$mnt" "$prefix/$letter:"
free_before=$(stat -f -c '%f' "$mnt")
set +e
"$build/wine-run" "$build/stage/varnolt/varnolt.exe" /wipe "$letter:" >"$work/out.txt" 2>&1
code=$?
set -e
cat "$work/out.txt"
[ "$code" = 0 ] || fail "/wipe exited $code"
grep -q "TRIM is the drive's business" "$work/out.txt" || fail "/wipe says nothing of solid-state drives"
[ ! -e "$mnt/VarnoltWipe" ] || fail "VarnoltWipe left on the volume"
free_after=$(stat -f -c '%f' "$mnt")
[ "$free_after" = "$free_before" ] || fail "free blocks $free_before before the wipe, $free_after after"
umount "$mnt"
if grep -qa "$marker" "$img"; then fail "the deleted file's marker is still in the image"; fi
echo "marker gone from the image; free blocks $free_after as before"

mount -o loop "$img" "$mnt"
for exe in test_e2e test_dialogs; do
  filter=$([ $exe = test_e2e ] && echo 'WipeVolume*.*' || echo 'WipeDialog.*')
  set +e
  VARNOLT_WIPE_DRIVE="${letter^^}:" "$build/wine-run" "$build/$exe.exe" --gtest_filter="$filter" >"$work/gtest.txt" 2>&1
  code=$?
  set -e
  cat "$work/gtest.txt"
  [ "$code" = 0 ] || fail "$exe $filter"
  if grep -q "SKIPPED" "$work/gtest.txt"; then fail "$exe skipped a test on the wipe volume"; fi
done
[ ! -e "$mnt/VarnoltWipe" ] || fail "VarnoltWipe left on the volume by the tests"
echo "wipe tests passed"
