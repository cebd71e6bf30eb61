#!/usr/bin/env bash
# Sets up, builds and runs the main job on the project's sample mail.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build
exec build/skerrow demo
