#!/usr/bin/env bash
# Builds the program twice, plainly and under AddressSanitizer with UndefinedBehaviorSanitizer,
# and runs every test in both builds.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh build
cmake --build build -- -j2
scripts/setup.sh build-asan -DMORVA_SANITIZE=ON -DMORVA_BENCH=OFF
cmake --build build-asan -- -j2

export QT_QPA_PLATFORM=offscreen
echo "== tests"
ctest --test-dir build --output-on-failure -j2
echo "== tests under AddressSanitizer and UndefinedBehaviorSanitizer"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    LSAN_OPTIONS=suppressions="$PWD/tests/lsan.supp" ctest --test-dir build-asan --output-on-failure -j2
