#!/usr/bin/env bash
# Builds the benchmarks with optimisation and runs them, each in a process of
# its own so that its peak memory (maximum resident size) is its own; then
# prints a table and the scaling targets. Arguments go to the benchmark binary
# as they stand (one process for all), e.g. --benchmark_filter=BM_Paint.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/deps.sh"
cmake -S "$root" -B "$root/build/bench" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKVR_BUILD_TESTS=OFF -DKVR_BUILD_BENCH=ON
cmake --build "$root/build/bench" --target kvr_bench
export QT_QPA_PLATFORM=offscreen
bench="$root/build/bench/bench/kvr_bench"
if (($#)); then
  exec "$bench" "$@"
fi

out="$root/build/bench/results"
rm -rf "$out"
mkdir -p "$out"
n=0
while IFS= read -r name; do
  [[ -n "$name" ]] || continue
  n=$((n + 1))
  # Names hold no regular-expression characters but "." and "/", which match themselves here.
  "$bench" --benchmark_filter="^${name}\$" --benchmark_format=console \
    --benchmark_out="$out/$(printf '%03d' "$n").json" --benchmark_out_format=json | grep -E '^BM_' || true
done < <("$bench" --benchmark_list_tests)

python3 "$root/scripts/bench_summary.py" "$out"
