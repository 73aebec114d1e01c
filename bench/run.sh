#!/usr/bin/env bash
# Runs every benchmark script bench/bench_*.sh against a build tree (default: build).
# Each script prints its own side-by-side results; pass a name to run one: bench/run.sh build findfile
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-build}" && pwd)
only=${2:-}
for script in "$here"/bench_*.sh; do
  name=$(basename "$script" .sh); name=${name#bench_}
  [ -n "$only" ] && [ "$only" != "$name" ] && continue
  echo "== $name"
  bash "$script" "$build"
done
"$here/../scripts/stop-wine.sh" "$build"
