#!/bin/sh
# Builds the libFuzzer target with clang in its own build directory and runs it for a short,
# bounded time over the committed seed corpus. Exits non-zero when the fuzzer finds a fault.
#
#   FUZZ_SECONDS   how long to fuzz (default 20)
#   FUZZ_BUILD_DIR where to build (default build-fuzz in the source tree)
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD_DIR:-"$root/build-fuzz"}
seconds=${FUZZ_SECONDS:-20}

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
locked cmake --build "$build" --target fuzz_script -j2

# New inputs go to a scratch corpus; the committed seeds stay as they are.
work_corpus="$build/fuzz-corpus"
mkdir -p "$work_corpus"
"$build/tests/fuzz/fuzz_script" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len=4096 -print_final_stats=1 "$work_corpus" "$root/tests/fuzz/corpus"
