#!/bin/sh
# Builds the libFuzzer targets with clang in their own build directory and runs each for a short,
# bounded time over its committed seed corpus. Exits non-zero when a fuzzer finds a fault.
#
#   FUZZ_SECONDS   how long to run each fuzzer (default 10)
#   FUZZ_BUILD_DIR where to build (default build-fuzz in the source tree)
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD_DIR:-"$root/build-fuzz"}
seconds=${FUZZ_SECONDS:-10}

# Shared build machines serialise heavy builds on this lock; elsewhere it is simply not taken.
locked() {
    if command -v flock >/dev/null 2>&1; then
        flock /tmp/tovren-build.lock "$@"
    else
        "$@"
    fi
}

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOVREN_FUZZ=ON \
    -DTOVREN_BUILD_TESTS=OFF -DTOVREN_BUILD_BENCH=OFF >/dev/null
locked cmake --build "$build" --target fuzz_script fuzz_template -j2

# New inputs go to scratch corpora; the committed seeds stay as they are.
run_fuzzer() {
    name=$1
    seeds=$2
    max_len=$3
    shift 3
    work_corpus="$build/fuzz-corpus/$name"
    mkdir -p "$work_corpus"
    "$build/tests/fuzz/$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -max_len="$max_len" -print_final_stats=1 "$@" "$work_corpus" "$seeds"
}

run_fuzzer fuzz_script "$root/tests/fuzz/corpus" 4096
# A corrupt count must never size an allocation, so large single allocations count as faults.
run_fuzzer fuzz_template "$root/tests/fuzz/template-corpus" 16384 -malloc_limit_mb=256
