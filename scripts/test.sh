#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the normal
# build, then the plain C++ modules again under AddressSanitizer and
# UndefinedBehaviorSanitizer, then every fuzz target for about 30 s (skipped,
# with a message, where clang or libFuzzer is missing).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"

export QT_QPA_PLATFORM=offscreen
mkdir -p "$root/build/xdg" && chmod 700 "$root/build/xdg"
export XDG_RUNTIME_DIR="$root/build/xdg"

TAVIN_BUILD_DIR="$root/build" "$root/scripts/build.sh"
(cd "$root/build" && ctest --output-on-failure -j"$(nproc)")

TAVIN_BUILD_DIR="$root/build-asan" "$root/scripts/build.sh" -DTAVIN_STD_ONLY=ON \
    -DTAVIN_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
(cd "$root/build-asan" && ctest --output-on-failure -j"$(nproc)")

TAVIN_FUZZ_SECONDS=${TAVIN_FUZZ_SECONDS:-30} "$root/scripts/fuzz.sh"
