#!/usr/bin/env bash
# make_demos.sh -- writes the project's own demos into tests/demos/ (golden replays, benchmark)
set -euo pipefail
out="${1:-$(dirname "$0")/../tests/demos}"
mkdir -p "$out"

# frames COUNT LINE: COUNT frames of the same input.
frames() { for ((i = 0; i < $1; i++)); do echo "$2"; done; }

# Every trail slot fills and forks meet a full table: the button is held for 400 frames with the
# cursor in the bottom-right corner, where its explosions touch no trail.
{
    echo "zaf-demo 1"
    echo "# Trails fill all 150 slots; later forks find no free slot."
    echo "start-tick 1000"
    echo "600 500 0 1"
    frames 399 "0 0 0 1"
    frames 30 "0 0 0 0"
} > "$out/full_table.dem"

# Explosions placed at every corner and halfway along every edge, so each is cut by the screen.
{
    echo "zaf-demo 1"
    echo "# Explosions clipped at the four edges and the four corners."
    echo "start-tick 4242"
    # From the centre (512, 384) to each place, then 7 frames held there: one explosion each.
    for move in "-600 -500" "512 0" "600 0" "0 384" "0 500" "-512 0" "-600 0" "0 -384"; do
        echo "# move by $move"
        echo "$move 0 0"
        frames 7 "0 0 0 1"
    done
    frames 80 "0 0 0 0"
} > "$out/edges.dem"

# A long run: trails grow all the way to the bottom row and retire there; the wheel and the other
# buttons, which the game ignores, turn up too.
{
    echo "zaf-demo 1"
    echo "# Trails reach the bottom row."
    echo "start-tick 77"
    echo "-600 -500 0 1"
    frames 119 "0 0 0 1"
    echo "300 200 120 2"
    frames 2400 "0 0 0 0"
    echo "0 0 -240 4 1D"
    frames 80 "0 0 0 0"
} > "$out/long_run.dem"

# The benchmark's heavy load: 150 trails and 30 explosions kept up for 1500 frames.
{
    echo "zaf-demo 1"
    echo "# Heavy load for the replay benchmark."
    echo "start-tick 31337"
    echo "600 500 0 1"
    frames 1499 "0 0 0 1"
} > "$out/heavy.dem"
