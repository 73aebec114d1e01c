#!/usr/bin/env bash
# Builds the parser fuzz targets natively with clang (libFuzzer, address and undefined-behaviour
# checks) and runs each one for a bounded time from its seed corpus in fuzz/corpus/<name>.
#   fuzz/run.sh <work dir> [seconds per target, default 10; "build" builds the targets only]
# A failure leaves the crashing input in <work dir>/crashes; make it a regular test.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
work=$(mkdir -p "$1" && cd "$1" && pwd)
seconds=${2:-10}
cxx=${FUZZ_CXX:-clang++}
command -v "$cxx" >/dev/null || { echo "missing $cxx: run scripts/install-deps.sh" >&2; exit 1; }

# The pure parser sources each target needs.
declare -A sources=(
  [exclusion]="catalogue/ExclusionMask.cpp platform/Text.cpp"
  [registryrow]="engine/RegistryRow.cpp"
  [macro]="catalogue/MacroText.cpp platform/Text.cpp"
  [integer]="platform/Text.cpp"
  [rowkey]="catalogue/RowKey.cpp"
  [browserprofiles]="catalogue/BrowserProfileText.cpp platform/Text.cpp"
)
flags=(-std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -I"$root")
mkdir -p "$work/crashes"
status=0
for name in "${!sources[@]}"; do
  exe="$work/fuzz_$name"
  inputs=("$here/fuzz_$name.cpp" "$here/FuzzInput.h")
  for s in ${sources[$name]}; do inputs+=("$root/$s" "$root/${s%.cpp}.h"); done
  stale=0
  [ -x "$exe" ] || stale=1
  for f in "${inputs[@]}"; do [ "$stale" = 1 ] || [ "$f" -nt "$exe" ] && stale=1; done
  if [ "$stale" = 1 ]; then
    srcs=("$here/fuzz_$name.cpp"); for s in ${sources[$name]}; do srcs+=("$root/$s"); done
    "$cxx" "${flags[@]}" "${srcs[@]}" -o "$exe"
  fi
  [ "$seconds" = build ] && continue
  # New inputs go to a scratch corpus; the seeds in the repo stay as they are.
  scratch="$work/corpus_$name"; mkdir -p "$scratch"
  if "$exe" -seed=1 -max_total_time="$seconds" -max_len=512 -timeout=10 -rss_limit_mb=1024 \
       -artifact_prefix="$work/crashes/${name}-" "$scratch" "$here/corpus/$name" >"$work/$name.log" 2>&1; then
    echo "fuzz $name: $(grep -o 'Done [0-9]* runs' "$work/$name.log" || echo done)"
  else
    echo "fuzz $name: FAILED"; tail -30 "$work/$name.log"; status=1
  fi
done
exit $status
