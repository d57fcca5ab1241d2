#!/usr/bin/env bash
# Counts the instructions of one call of a function inside a benchmark run,
# under callgrind: repeatable where wall time on a shared machine is not.
#   bench/callgrind.sh BENCHMARK_FILTER FUNCTION [BENCH_BINARY]
# FUNCTION is the name as callgrind_annotate prints it, for example
#   '(anonymous namespace)::Window::recalculateAndPaint()'
# Prints the calls, the instructions of all of them (inclusive) and per call.
set -euo pipefail
[ $# -ge 2 ] || { sed -n 2,7p "$0" >&2; exit 2; }
filter=$1
function=$2
binary=${3:-build/bench/bench/wavywall_bench}
out=$(mktemp)
trap 'rm -f "$out"' EXIT
# Symbols bound at load, so that no lazy binding lands in the first call.
LD_BIND_NOW=1 QT_QPA_PLATFORM=offscreen valgrind --tool=callgrind --callgrind-out-file="$out" \
    "$binary" --benchmark_filter="$filter" --benchmark_min_time=0.2 >/dev/null 2>&1
callgrind_annotate --inclusive=yes --tree=caller --threshold=100 "$out" 2>/dev/null |
    awk -v f="$function" '
        # In the caller tree each function is a block: its callers, each
        # with a call count, then the function itself marked with "*".
        /^ *$/ { pending = 0; next }
        index($0, "< ") && match($0, /\(([0-9,]+)x\)/) {
            n = substr($0, RSTART + 1, RLENGTH - 3); gsub(",", "", n); pending += n; next }
        index($0, "*  ") && index($0, ":" f " [") {
            total = $1; gsub(",", "", total); calls = pending }
        END {
            if (!calls || !total) { print "function not found in the profile" > "/dev/stderr"; exit 1 }
            printf "%d calls, %d instructions, %.0f per call\n", calls, total, total / calls }'
