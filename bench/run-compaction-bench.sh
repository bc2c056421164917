#!/usr/bin/env bash
# Builds the compaction benchmark optimised and runs it. The fragmented test
# databases are built once into the cache folder (about 1.2 GiB) and reused.
#   bench/run-compaction-bench.sh [--cache FOLDER] [--sizes 100,1024] [--runs 3]
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARNEX_BUILD_GUI=OFF \
  -DTARNEX_BUILD_TESTS=OFF -DTARNEX_BUILD_BENCH=ON >/dev/null
cmake --build "$build" --target compaction_bench -j"${JOBS:-1}"
exec "$build/bench/compaction_bench" "$@"
