#!/usr/bin/env bash
# Saves a PNG of each dialog on a sample document, drawn on a real X server
# (Xvfb), into demo-out/dialogs/. Installs what is missing and configures the
# test build (build/test, as test.sh does) first.
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
build="${KVR_BUILD_DIR:-$repo/build/test}"
out="${1:-$repo/demo-out/dialogs}"
bash "$repo/scripts/deps.sh"
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKVR_SANITIZE=ON -DKVR_WERROR=ON
fi
cmake --build "$build" -j3 --target test_dialogs
mkdir -p "$out"
out="$(cd "$out" && pwd)"
# -a: a free display of its own, beside other X servers of the machine.
KVR_DIALOG_SHOTS="$out" QT_QPA_PLATFORM=xcb ASAN_OPTIONS=detect_leaks=0:intercept_tls_get_addr=0 \
  xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
  "$build/tests/test_dialogs" --gtest_filter='DialogShots.*'
echo "pictures in $out"
