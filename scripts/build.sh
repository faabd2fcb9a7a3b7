#!/usr/bin/env bash
# Configures and builds into build/ (or $TAVIN_BUILD_DIR). Extra arguments go
# to CMake's configure step.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TAVIN_BUILD_DIR:-$root/build}
cmake -S "$root" -B "$build" "$@" >/dev/null
cmake --build "$build" -j"$(nproc)"
