#!/usr/bin/env bash
# Configures and builds the project into build/ (or $TOVREN_BUILD_DIR) with Ninja.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TOVREN_BUILD_DIR:-$root/build}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="${TOVREN_BUILD_TYPE:-RelWithDebInfo}" >/dev/null
cmake --build "$build" -j "$(nproc)"
