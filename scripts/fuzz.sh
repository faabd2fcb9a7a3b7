#!/usr/bin/env bash
# Builds the fuzz targets of tests/fuzz with clang and libFuzzer (in
# build-fuzz/, or $TAVIN_FUZZ_BUILD_DIR) and runs each for MINUTES (default
# 10; $TAVIN_FUZZ_SECONDS overrides, as the test command does with 30).
#
#     scripts/fuzz.sh [MINUTES] [TARGET...]
#
# Each run starts from the checked-in corpus (tests/fuzz/corpus/<target>) and
# keeps what it learns in build-fuzz/corpus/<target>. An input that makes a
# target fail is saved under build-fuzz/findings/; once the fault is fixed,
# copy that input into tests/fuzz/corpus/<target>/ so that every build
# replays it. Without clang or libFuzzer nothing runs and the exit status is 0.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TAVIN_FUZZ_BUILD_DIR:-$root/build-fuzz}
minutes=${1:-10}
shift || true
seconds=${TAVIN_FUZZ_SECONDS:-$(awk -v m="$minutes" 'BEGIN { printf "%d", m * 60 }')}
all=(strings ini config_file reply_lines status_replies log_decoder link_engine)
targets=("$@")
[[ ${#targets[@]} -gt 0 ]] || targets=("${all[@]}")

if ! command -v clang++ >/dev/null 2>&1; then
    echo "fuzz: clang++ is not installed (Debian packages clang and libclang-rt-14-dev): skipped"
    exit 0
fi
probe=$(mktemp -d)
trap 'rm -rf "$probe"' EXIT
echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' \
    >"$probe/probe.cpp"
if ! clang++ -fsanitize=fuzzer "$probe/probe.cpp" -o "$probe/probe" >/dev/null 2>&1; then
    echo "fuzz: clang++ cannot link libFuzzer (Debian package libclang-rt-14-dev): skipped"
    exit 0
fi

cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTAVIN_STD_ONLY=ON -DTAVIN_FUZZ=ON >/dev/null
build_args=()
for t in "${targets[@]}"; do
    build_args+=(--target "fuzz_$t")
done
cmake --build "$build" -j"$(nproc)" "${build_args[@]}"

failed=()
for t in "${targets[@]}"; do
    mkdir -p "$build/corpus/$t" "$build/findings"
    echo "fuzz: $t for ${seconds} s"
    if ! "$build/tests/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$build/findings/$t-" \
        "$build/corpus/$t" "$root/tests/fuzz/corpus/$t" >"$build/findings/$t.log" 2>&1; then
        failed+=("$t")
        tail -n 40 "$build/findings/$t.log"
    else
        grep -E '^stat::number_of_executed_units' "$build/findings/$t.log" || true
    fi
done
if [[ ${#failed[@]} -gt 0 ]]; then
    echo "fuzz: findings in ${failed[*]} (inputs in $build/findings/)"
    exit 1
fi
echo "fuzz: no finding"
