#!/bin/sh
# Times the real `tovren build` commands as a clerk or a script waits for them: start-up, opening
# the store, building, checking for cut-off values and writing, on a demo store of generated
# graduates. Prints the median of several runs, pages (or files) per second and peak memory.
#
#   bench/whole_build.sh [BUILD_DIR] [RECORDS] [RUNS]
#   (defaults: build, 10000, 3)
set -eu

build=${1:-build}
records=${2:-10000}
runs=${3:-3}
tovren=$(cd "$build" && pwd)/app/tovren
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

export QT_QPA_PLATFORM=offscreen
export LANG=C.UTF-8
cd "$work"
"$tovren" demo-data --count "$records" --seed 1 >/dev/null

# One command, timed RUNS times: median seconds and the largest peak resident set.
measure() {
    label=$1
    shift
    i=0
    : >times
    while [ "$i" -lt "$runs" ]; do
        /usr/bin/time -f "%e %M" -o one "$@" >/dev/null 2>&1
        cat one >>times
        i=$((i + 1))
    done
    sort -n times | awk -v label="$label" -v pages="$records" '
        { seconds[NR] = $1; if ($2 > peak) peak = $2 }
        END {
            median = seconds[int((NR + 1) / 2)]
            printf "%-22s %6.2f s  %7.0f pages/s  peak %5.1f MB\n",
                   label, median, pages / median, peak / 1024
        }'
}

measure "build --qxp" "$tovren" build --qxp "$work/out.qxp"
measure "build --pdf" "$tovren" build --pdf "$work/out.pdf"
echo "PDF size: $(du -m "$work/out.pdf" | cut -f1) MB"
# One file per graduate: the figure is files per second. A set written again replaces the last.
measure "build --pdf-each" "$tovren" build --pdf-each "$work/each"
echo "Per-record files: $(find "$work/each" -name '*.pdf' | wc -l), $(du -sm "$work/each" | cut -f1) MB"
