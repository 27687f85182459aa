#!/usr/bin/env bash
# Installs what is missing, builds everything under AddressSanitizer and
# UndefinedBehaviorSanitizer, runs the whole test suite with CTest, leaks
# checked, then the thread tests under ThreadSanitizer (scripts/tsan.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/deps.sh"
# The inspector's key tests run again under a comma locale; without it they
# skip, saying why.
if ! locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; then
  localedef -i de_DE -f UTF-8 de_DE.UTF-8 ||
    echo "The locale de_DE.UTF-8 could not be made: the key tests under it are skipped."
fi
cmake -S "$root" -B "$root/build/test" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKVR_SANITIZE=ON -DKVR_WERROR=ON
cmake --build "$root/build/test"
source "$root/scripts/print-queue.sh"
trap kvr_stop_print_queue EXIT
kvr_start_print_queue || echo "No print queue could be started: the test on a real queue is skipped."
export QT_QPA_PLATFORM=offscreen
# Leaks are checked at every test process's exit. The sanitizer runtime of
# GCC 12 guesses the bounds of a thread's dynamic TLS block (a library loaded
# later, here libjpeg under Qt's JPEG plugin) from the two words before it
# whenever the block starts 16 bytes into a page, which a small heap block
# does now and then; the leak checker then scans that made-up range and dies
# ("Tracer caught signal 11"). intercept_tls_get_addr=0 stops the guessing;
# the blocks stay ordinary heap blocks reached from each thread's own TLS, so
# what they point to is still seen.
export ASAN_OPTIONS=detect_leaks=1:intercept_tls_get_addr=0
# Leaks inside system libraries, each named and explained there.
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$root/build/test" --output-on-failure -j "$(nproc)"
# The thread tests again, under ThreadSanitizer.
bash "$root/scripts/tsan.sh"
