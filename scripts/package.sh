#!/usr/bin/env bash
# Builds the Debian package tavin-utility_<version>_<arch>.deb into the top
# folder of the repository. Install it with: sudo apt install ./tavin-utility_*.deb
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
build=${TAVIN_BUILD_DIR:-$root/build-package}
export QT_QPA_PLATFORM=offscreen
TAVIN_BUILD_DIR="$build" TAVIN_TARGETS="tavin-utility tavin-cli tavin-sim man_pages" \
    "$root/scripts/build.sh"
(cd "$build" && cpack -G DEB -B "$build/package" >/dev/null)
deb=$(ls "$build"/package/tavin-utility_*.deb)
cp "$deb" "$root/"
echo "$root/$(basename "$deb")"
