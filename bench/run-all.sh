#!/usr/bin/env bash
# Builds the benchmarks in build-bench/ (Release) and runs them all from the
# repository root, on the offscreen platform. Takes about a minute and a half.
#   bench/run-all.sh
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

cmake -S . -B build-bench -DVILKORA_BENCH=ON -DVILKORA_TESTS=OFF -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-bench -j8 --target bench_tick bench_pace bench_startup bench_help_memory

export QT_QPA_PLATFORM=offscreen
# Qt's notes about what the offscreen platform cannot do are not results.
quiet() { "$@" 2>&1 | { grep -v -e 'does not support' -e 'XDG_RUNTIME_DIR' || true; }; }

for benchmark in bench_tick bench_startup bench_help_memory bench_pace; do
  echo
  echo "=== $benchmark"
  quiet "build-bench/bench/$benchmark"
done
