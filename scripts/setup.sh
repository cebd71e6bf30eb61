#!/usr/bin/env bash
# Installs what the project needs on a fresh Debian 12 machine, then configures
# and builds. Usage: scripts/setup.sh [BUILD_DIR [extra cmake arguments...]]
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-packages.sh

build=${1:-build}
shift || true
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSKERROW_WERROR=ON "$@" >/dev/null
cmake --build "$build" -j "$(nproc)"
