#!/usr/bin/env bash
# Installs what is missing, builds, and starts the utility. Without a real
# port configured it starts the simulated transmitter on a pseudo-terminal
# and points the utility at it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
TAVIN_BUILD_DIR="$root/build" "$root/scripts/build.sh"
exec "$root/build/src/app/tavin-utility" "$@"
