#!/bin/sh
# run_fuzzers.sh -- builds the libFuzzer targets with clang in build-fuzz and runs each for a
# bounded time on a copy of its seeds; fails when a fuzzer finds a crash, leak or hang.
# Usage: tools/run_fuzzers.sh [seconds per fuzzer, default 60]
set -eu

seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-fuzz

cmake -S "$root" -B "$build" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DZAF_FUZZ=ON -DBUILD_TESTING=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 --target fuzz_bmp fuzz_palette

# The fuzzers add what they find to their corpus folder: keep that out of the repository.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM

status=0
for name in bmp palette; do
    mkdir -p "$work/$name/corpus" "$work/$name/found"
    cp "$root/tests/fuzz/seeds/$name/"* "$work/$name/corpus/"
    echo "== fuzz_$name for ${seconds}s"
    if "$build/tests/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=10 \
        -artifact_prefix="$work/$name/found/" -print_final_stats=1 "$work/$name/corpus" \
        >"$work/$name/log" 2>&1; then
        grep -E "stat::number_of_executed_units|stat::new_units_added" "$work/$name/log" || true
    else
        status=1
        kept="$build/fuzz-findings/$name"
        mkdir -p "$kept"
        cp "$work/$name/found/"* "$kept/" 2>/dev/null || true
        cp "$work/$name/log" "$kept/log"
        tail -n 40 "$work/$name/log"
        echo "fuzz_$name FAILED: inputs and log kept in $kept"
    fi
done
exit $status
