#!/usr/bin/env bash
# Installs what is missing, builds, and starts the utility.
#
# With a real port configured (a non-zero ComNum in build/src/app/tavin-utility.ini,
# the preferences beside the program) the utility starts on it. Otherwise the
# simulated transmitter starts on a pseudo-terminal and the utility starts
# with preferences of its own in build/demo that point port 1 at it, so that a
# transmitter answers without any hardware.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
TAVIN_BUILD_DIR="$root/build" TAVIN_TARGETS="tavin-utility tavin-sim" "$root/scripts/build.sh"

utility="$root/build/src/app/tavin-utility"
sim="$root/build/sim/tavin-sim"
own_ini="$root/build/src/app/tavin-utility.ini"

comnum() {
    # The ComNum key of section COMM, names without regard to case.
    awk 'BEGIN { IGNORECASE = 1 }
         /^[[:space:]]*\[/ { s = tolower($0); gsub(/[[:space:]\[\]]/, "", s); next }
         s == "comm" && tolower($0) ~ /^[[:space:]]*comnum[[:space:]]*=/ {
             sub(/^[^=]*=[[:space:]]*/, ""); print $0 + 0; exit }' "$1" 2>/dev/null || true
}

if [[ -f "$own_ini" && "$(comnum "$own_ini")" =~ ^[1-9][0-9]*$ ]]; then
    exec "$utility" "$@"
fi

demo="$root/build/demo"
mkdir -p "$demo"
port="$demo/tavin-port"
ini="$demo/tavin-utility.ini"
if [[ ! -f "$ini" ]]; then
    cat > "$ini" <<INI
[FILES]
LogSavePath=$demo
LogOpenPath=$demo
TemplatePath=$demo
ConfigPath=$demo
[COMM]
ComNum=1
Port1=$port
[CONFIG]
ShowStartUpScreen=1
INI
fi

rm -f "$port"
"$sim" --link "$port" --pace --transcript "$demo/transcript.txt" >/dev/null &
sim_pid=$!
trap 'kill "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true' EXIT
for _ in $(seq 1 100); do
    [[ -e "$port" ]] && break
    sleep 0.05
done
echo "Simulated transmitter on $(readlink "$port") (transcript: $demo/transcript.txt)"
"$utility" --ini "$ini" "$@"
