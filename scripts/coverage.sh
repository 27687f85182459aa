#!/usr/bin/env bash
# Installs what is missing, builds the tests with gcov counters in
# build/coverage (no sanitizers), runs the whole suite and prints the line
# coverage of each file of the code (tests/, bench/, fuzz/ and examples/ left
# out) and the total. Tests that need the CUPS queue skip unless the caller
# has started one (scripts/print-queue.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/coverage"
bash "$root/scripts/deps.sh"
if ! command -v gcovr >/dev/null; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y --no-install-recommends gcovr
fi
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKVR_COVERAGE=ON -DKVR_WERROR=ON >/dev/null
cmake --build "$build" -j3
# Counters add up across runs: start from zero.
find "$build" -name '*.gcda' -delete
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" -j3 --output-on-failure || status=$?
# Generated sources (moc) live in the build folder and are left out with it.
gcovr --root "$root" --object-directory "$build" -j 3 --gcov-ignore-parse-errors \
  --filter "$root/" --exclude "$root/(tests|bench|fuzz|examples|build)/"
exit "${status:-0}"
