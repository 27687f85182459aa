#!/usr/bin/env bash
# Installs what is missing, builds the tests under ThreadSanitizer in
# build/tsan and runs the tests whose work crosses threads: exports side by
# side and while the document is edited, a print and a map composition while
# exports paint, the map composer's runs, and the per-thread font, shaping,
# symbol layout and barcode state. Any report ends the run with a failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/deps.sh"
cmake -S "$root" -B "$root/build/tsan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKVR_TSAN=ON -DKVR_WERROR=ON
# Only the test programs that hold thread tests.
cmake --build "$root/build/tsan" --target test_document test_render test_skia test_rtl test_elements

export QT_QPA_PLATFORM=offscreen
# Debian's Qt is not instrumented: scripts/tsan.supp lists the reports that
# come from inside Qt and why each one is not a race.
# The tests read files back with poppler's tools: QProcess forks the threaded
# process and the child execs at once, so forking is allowed.
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 history_size=4 die_after_fork=0 suppressions=$root/scripts/tsan.supp"

# Test program and gtest filter of each group.
groups=(
  "test_document ConcurrentJobs.*:ExportJob.*:MapCompose*"
  "test_render FontCache.ThreadsLayOutWithTheirOwnFonts"
  "test_skia SkFontDraw.WorksFromAnotherThread:SkShapedText.ShapesAlikeOnAnotherThread:SkShapedText.KeptSizedFontsPaintAsFreshOnes"
  "test_elements QRLayoutKept.*:KeptEncodings.*"
  "test_rtl PDF417Test.UsedCountBelongsToTheEncodingThread"
)
status=0
for group in "${groups[@]}"; do
  read -r program filter <<<"$group"
  echo "== $program --gtest_filter=$filter"
  "$root/build/tsan/tests/$program" --gtest_filter="$filter" --gtest_brief=1 || status=1
done
exit $status
