#!/usr/bin/env bash
# Builds the benchmarks with optimisation and runs them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/deps.sh"
cmake -S "$root" -B "$root/build/bench" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKVR_BUILD_TESTS=OFF -DKVR_BUILD_BENCH=ON
cmake --build "$root/build/bench" --target kvr_bench
export QT_QPA_PLATFORM=offscreen
exec "$root/build/bench/bench/kvr_bench" "$@"
