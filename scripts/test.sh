#!/usr/bin/env bash
# Builds the program and its tests once, under AddressSanitizer with UndefinedBehaviorSanitizer, and
# runs every test. The tests carry their own environment (tests/CMakeLists.txt), so a bare
# `ctest --test-dir build-asan` runs them the same way.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh build-asan -DMORVA_SANITIZE=ON -DMORVA_BENCH=OFF
cmake --build build-asan --parallel
ctest --test-dir build-asan --output-on-failure -j "$(nproc)"
