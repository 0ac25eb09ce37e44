#!/usr/bin/env bash
# test.sh -- installs what is missing, builds, and runs every test: unit tests, the same under
# AddressSanitizer and UndefinedBehaviorSanitizer, the fuzzers, and the end-to-end runs
set -euo pipefail
cd "$(dirname "$0")"
. tools/packages.sh
EnsurePackages "$TEST_PACKAGES"
jobs=$(nproc)

echo "== sanitizer build: unit tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DZAF_SANITIZE=ON > /dev/null
cmake --build build-sanitize -j"$jobs"
ctest --test-dir build-sanitize -L unit -j"$jobs" --output-on-failure

if [ -x tools/run_fuzzers.sh ]; then
    echo "== fuzzers"
    tools/run_fuzzers.sh "${ZAF_FUZZ_SECONDS:-60}"
fi

echo "== main build: unit and end-to-end tests"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build -j"$jobs"
ctest --test-dir build -j"$jobs" --output-on-failure
