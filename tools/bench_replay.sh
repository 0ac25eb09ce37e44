#!/usr/bin/env bash
# bench_replay.sh -- times the whole program replaying a heavy demo headless, beside a memcpy of
# one frame measured in the same run. Prints numbers; asserts nothing.
#   tools/bench_replay.sh [BUILD_DIR]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
cmake --build "$build" --target zaf display_bench > /dev/null
zaf="$build/zaf"
command -v /usr/bin/time > /dev/null || { echo "needs GNU time: apt-get install time" >&2; exit 1; }

# The game's pictures, with a background whose black (transparent) pixels are scattered: the
# keyed copy can then skip no run of them.
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp -r "$root/image" "$work/"
convert "$root/image/prochee/fon_back01.bmp" \
    \( -size 1024x768 xc:gray50 -seed 7 +noise Random -colorspace gray -threshold 30% \) \
    -compose Multiply -composite -type TrueColor BMP3:"$work/image/prochee/fon_back01.bmp"
printf 'zaf-demo 1\nstart-tick 1\n' > "$work/empty.dem"
heavy="$root/tests/demos/heavy.dem"
frames=$(grep -cv '^\(#\|zaf-demo\|start-tick\|$\)' "$heavy")

now() { date +%s%N; }
# best NAME RUNS ARGS...: the shortest wall time of RUNS runs in ns.
best() {
    local runs=$1; shift
    local best=0
    for ((i = 0; i < runs; i++)); do
        local t0; t0=$(now)
        (cd "$work" && "$zaf" --headless "$@" > /dev/null)
        local t=$(( $(now) - t0 ))
        if (( best == 0 || t < best )); then best=$t; fi
    done
    echo "$best"
}

# The benchmark's own summary line: "BM_Memcpy <microseconds> 1.00".
memcpy_ns=$(SDL_VIDEODRIVER=dummy "$build/platform/bench/display_bench" --benchmark_filter='BM_Memcpy$' \
    2> /dev/null | awk '$1 == "BM_Memcpy" && NF == 3 { printf "%d", $2 * 1000 }')
# first_present: ns from starting the program until it saves the picture of its first present.
first_present() {
    rm -f "$work/first.bmp"
    local t0; t0=$(now)
    (cd "$work" && "$zaf" --headless --replay "$work/empty.dem" --screenshot 1 "$work/first.bmp" &)
    while [ ! -e "$work/first.bmp" ]; do :; done
    echo $(( $(now) - t0 ))
    wait
}
startup_ns=0
for ((i = 0; i < 5; i++)); do
    t=$(first_present)
    if (( startup_ns == 0 || t < startup_ns )); then startup_ns=$t; fi
    sleep 0.3
done
empty_ns=$(best 5 --replay "$work/empty.dem")
heavy_ns=$(best 3 --replay "$heavy")
peak_kb=$(cd "$work" && /usr/bin/time -f %M "$zaf" --headless --replay "$heavy" 2>&1 > /dev/null | tail -n 1)
frame_ns=$(( (heavy_ns - empty_ns) / frames ))

awk -v m="$memcpy_ns" -v s="$startup_ns" -v f="$frame_ns" -v n="$frames" -v kb="$peak_kb" 'BEGIN {
    printf "memcpy of one 1024x768x2 frame   %8.1f us\n", m / 1000
    printf "frame (heavy demo, %d frames)  %8.1f us   %5.1f x memcpy   (goal: within 20x)\n", n, f / 1000, f / m
    printf "start-up to first present        %8.1f ms                      (goal: under 100 ms)\n", s / 1e6
    printf "peak resident memory             %8.1f MB                      (goal: under 48 MB)\n", kb / 1024
}'
