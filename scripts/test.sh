#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test:
#  1. the full build (gcc) with all unit, X-server and end-to-end tests;
#  2. the platform-free code again under AddressSanitizer and
#     UndefinedBehaviorSanitizer (clang), with short bounded fuzzing runs;
#  3. the Debian package: built, checked, installed, run, removed;
#  4. the Windows cross build (MinGW-w64) with its tests under Wine, and its ZIP.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
bash scripts/install-deps.sh

jobs=$(nproc)
echo "== full build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
echo "== tests"
ctest --test-dir build --output-on-failure -j "$jobs" --timeout 300

echo "== sanitizer and fuzzing build (platform-free code)"
CC=clang CXX=clang++ cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DQG_PORTABLE_ONLY=ON -DQG_SANITIZE=ON -DQG_FUZZ=ON -DQG_BENCH=OFF >/dev/null
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs" --timeout 300

echo "== the Debian package (installed on this machine, then removed)"
bash tests/package/deb_test.sh build

echo "== Windows build (MinGW-w64) and its tests under Wine"
bash scripts/test-windows.sh
