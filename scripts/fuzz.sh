#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ASan + UBSan) and runs them side by side.
#   bash scripts/fuzz.sh                 every target, 1,000,000 runs or 30 minutes each
#   bash scripts/fuzz.sh csv_data ...    only these targets
# Settings: FUZZ_RUNS, FUZZ_SECONDS, FUZZ_JOBS (targets at once).
# Crashes are written to build/fuzz/findings/<target>/; keep each one in
# tests/fuzz/corpus/<target>/ once it is fixed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/deps.sh"
cd "$root"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
runs=${FUZZ_RUNS:-1000000}
seconds=${FUZZ_SECONDS:-1800}
jobs=${FUZZ_JOBS:-$(nproc)}
out="$root/build/fuzz"
if [ $# -gt 0 ]; then targets=("$@"); else
  mapfile -t targets < <(find "$root/fuzz" -mindepth 2 -name '*.cpp' -not -path '*/support/*' -exec basename {} .cpp \; | sort)
fi
export QT_QPA_PLATFORM=offscreen
# Qt and fontconfig keep caches for the life of the process; leaks are checked by the test suite.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
run_one() {
  local t=$1 corpus="$out/corpus/$1" findings="$out/findings/$1"
  mkdir -p "$corpus" "$findings"
  local seeds=()
  for d in "$root/fuzz/seeds/$t" "$root/tests/fuzz/corpus/$t"; do [ -d "$d" ] && seeds+=("$d"); done
  local dict=()
  [ -f "$root/fuzz/dict/$t.dict" ] && dict=("-dict=$root/fuzz/dict/$t.dict")
  "$out/fuzz/fuzz_$t" "$corpus" "${seeds[@]}" "${dict[@]}" -runs="$runs" -max_total_time="$seconds" \
    -timeout=10 -rss_limit_mb=4096 -print_final_stats=1 -artifact_prefix="$findings/" \
    >"$out/findings/$t.log" 2>&1 && status=ok || status=FAILED
  echo "$t: $status, $(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$out/findings/$t.log" | grep -o '[0-9]*$' || echo '?') runs (log: build/fuzz/findings/$t.log)"
}
export -f run_one
export root out runs seconds
printf '%s\n' "${targets[@]}" | xargs -P "$jobs" -I{} bash -c 'run_one {}'
