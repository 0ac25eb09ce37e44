#!/usr/bin/env bash
# play.sh -- installs what is missing, builds the game and plays it (options are passed to the game)
set -euo pipefail
cd "$(dirname "$0")"
. tools/packages.sh
EnsurePackages "$PLAY_PACKAGES"

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build -j"$(nproc)" --target zaf
# The pictures are read relative to the working directory, from image/.
exec ./build/zaf "$@"
