#!/usr/bin/env bash
# Cross-builds the add-in's DLL for both targets and runs the Windows checks:
#   build-windows/i686/Tamsquill.DLL    the shipped 32-bit DLL, checked statically
#                                       (32-bit code cannot run on these machines)
#   build-windows/x86_64/Tamsquill.DLL  its twin for 64-bit Outlook, whose tests
#                                       run under wine64 in a Wine prefix of its own
# Usage: scripts/build-windows.sh [extra cmake arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-packages.sh

for arch in i686 x86_64; do
  build=build-windows/$arch
  tests=ON
  [ "$arch" = x86_64 ] || tests=OFF
  cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-$arch.cmake \
    -DCMAKE_BUILD_TYPE=Release -DSKERROW_WERROR=ON -DSKERROW_WINDOWS_TESTS=$tests "$@" >/dev/null
  cmake --build "$build" -j "$(nproc)"
  (cd "$build" && ctest --output-on-failure)
done
