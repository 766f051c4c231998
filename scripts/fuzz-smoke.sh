#!/bin/sh
# Builds the libFuzzer targets with clang in their own build directory and runs each for a short,
# bounded time over its committed seeds and, where the folder is there, the real files of the
# fixture folder. Exits non-zero when a fuzzer finds a fault.
#
#   FUZZ_SECONDS   how long to run each fuzzer (default 12; the whole pass stays near 2 minutes)
#   FUZZ_RUNS      run each fuzzer for this many inputs instead of a time, as a campaign does;
#                  the fuzzers then run one at a time under nice -n 19
#   FUZZ_TARGETS   which fuzzers to run (default: all but fuzz_xls_library, which feeds the .xls
#                  library directly and finds the faults that make it run in a child process;
#                  run it with FUZZ_LIBRARY_FORK=1 so its crashes are counted, not fatal)
#   FUZZ_BUILD_DIR where to build (default build-fuzz in the source tree)
#   TOVREN_FIXTURES_DIR  the real files (default ../shared/fixtures/real beside the source tree)
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD_DIR:-"$root/build-fuzz"}
seconds=${FUZZ_SECONDS:-12}
runs=${FUZZ_RUNS:-}
fixtures=${TOVREN_FIXTURES_DIR:-"$root/../shared/fixtures/real"}
all="fuzz_script fuzz_template fuzz_prepared fuzz_dictionary fuzz_gallery fuzz_clipboard fuzz_chart_record fuzz_xlsx fuzz_csv fuzz_xls"
targets=${FUZZ_TARGETS:-$all}

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
# shellcheck disable=SC2086
locked cmake --build "$build" --target $targets -j2

export QT_QPA_PLATFORM=offscreen
export FONTCONFIG_FILE="$root/data/fonts.conf"
export LANG=C.UTF-8
# Qt keeps some allocations for the life of the process; they are not leaks of a reader. A small
# quarantine keeps freed memory from counting against the 256 MB a run may use.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0:quarantine_size_mb=16}

# Real files seed the scratch corpus; the repository keeps only small seeds of its own.
seed_from() {
    work_corpus=$1
    shift
    for pattern in "$@"; do
        for file in $pattern; do
            [ -f "$file" ] && cp "$file" "$work_corpus/"
        done
    done
    return 0
}

# Every run has the memory limits of a campaign: 256 MB in all and per allocation, since a corrupt
# count must never size an allocation. A campaign allows a second per input; a smoke pass on a
# busy machine a little more. New inputs go to scratch corpora; the committed seeds stay as
# they are.
run_fuzzer() {
    name=$1
    max_len=$2
    shift 2
    case " $targets " in *" $name "*) ;; *) return 0 ;; esac
    work_corpus="$build/fuzz-corpus/$name"
    mkdir -p "$work_corpus"
    seed_from "$work_corpus" "$@"
    if [ -n "$runs" ]; then
        limit="-runs=$runs"
        timeout=1
        nice_level=19
    else
        limit="-max_total_time=$seconds"
        timeout=5
        nice_level=0
    fi
    committed="$root/tests/fuzz/corpus-${name#fuzz_}"
    [ -d "$committed" ] || committed=
    library_options=
    if [ "$name" = fuzz_xls_library ] && [ -n "${FUZZ_LIBRARY_FORK:-}" ]; then
        library_options="-fork=1 -ignore_crashes=1 -ignore_ooms=1 -ignore_timeouts=1"
    fi
    echo "== $name"
    nice -n "$nice_level" "$build/tests/fuzz/$name" "$limit" -timeout="$timeout" -rss_limit_mb=256 \
        -malloc_limit_mb=256 -max_len="$max_len" -print_final_stats=1 \
        -artifact_prefix="$build/fuzz-findings-$name-" \
        $library_options "$work_corpus" $committed
}

run_fuzzer fuzz_script 4096
run_fuzzer fuzz_template 16384 "$root/app/certificate/certificate.reportform"
run_fuzzer fuzz_prepared 16384
run_fuzzer fuzz_dictionary 4096
run_fuzzer fuzz_gallery 16384
run_fuzzer fuzz_clipboard 16384
run_fuzzer fuzz_chart_record 4096
run_fuzzer fuzz_xlsx 65536 "$fixtures/*.xlsx"
run_fuzzer fuzz_csv 65536 "$fixtures/*.csv"
run_fuzzer fuzz_xls 65536
run_fuzzer fuzz_xls_library 65536 "$fixtures/*.xls"
