#!/usr/bin/env bash
# Installs every Debian package the project needs to build, run and test.
# Safe to run again: it asks apt only for what is missing.
set -euo pipefail

packages=(
    cmake make g++ pkg-config
    qt6-base-dev qt6-base-dev-tools libqt6serialport6 qt6-serialport-dev
    libgl-dev
    libgtest-dev libgmock-dev googletest
    libbenchmark-dev
    clang-format
    libqcustomplot-dev
    clang libclang-rt-14-dev
    help2man dpkg-dev file
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
