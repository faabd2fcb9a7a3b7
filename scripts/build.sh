#!/usr/bin/env bash
# Configures and builds into build/ (or $TAVIN_BUILD_DIR). Extra arguments go
# to CMake's configure step; $TAVIN_TARGETS (space-separated) limits what is
# built, everything by default.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TAVIN_BUILD_DIR:-$root/build}
cmake -S "$root" -B "$build" "$@" >/dev/null
targets=()
for t in ${TAVIN_TARGETS:-}; do
    targets+=(--target "$t")
done
cmake --build "$build" -j"$(nproc)" "${targets[@]}"
