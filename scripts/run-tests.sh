#!/usr/bin/env bash
# Sets up, then builds and runs the whole test suite: a normal build and an
# AddressSanitizer + UndefinedBehaviorSanitizer build of the Linux side, then
# the Windows DLL for both targets with its checks and its tests under wine64
# (scripts/build-windows.sh). Fails on any warning (warnings are errors),
# failed test or sanitizer report.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh build
(cd build && ctest --output-on-failure -j "$(nproc)")

scripts/setup.sh build-asan -DSKERROW_SANITIZE=ON -DSKERROW_BENCHMARKS=OFF -DCMAKE_BUILD_TYPE=Debug
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan-suppressions.txt"
(cd build-asan && ctest --output-on-failure -j "$(nproc)")

scripts/build-windows.sh
