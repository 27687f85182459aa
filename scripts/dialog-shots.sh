#!/usr/bin/env bash
# Saves a PNG of each dialog on a sample document, drawn on a real X server
# (Xvfb, installed when missing), into demo-out/dialogs/.
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
build="${KVR_BUILD_DIR:-$repo/build/test}"
out="${1:-$repo/demo-out/dialogs}"
command -v Xvfb >/dev/null || apt-get install -y --no-install-recommends xvfb
cmake --build "$build" -j3 --target test_dialogs
display=":$((90 + RANDOM % 400))"
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
sleep 1
DISPLAY="$display" QT_QPA_PLATFORM=xcb KVR_DIALOG_SHOTS="$out" \
  ASAN_OPTIONS=detect_leaks=0:intercept_tls_get_addr=0 \
  "$build/tests/test_dialogs" --gtest_filter='DialogShots.*'
echo "pictures in $out"
