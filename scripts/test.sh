#!/usr/bin/env bash
# Installs what is missing, builds everything (game, tools, default content, tests) and runs
# the tests.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-test -j"$(nproc)"
build-test/vepa4-pack verify build-test/data
ctest --test-dir build-test --output-on-failure -j"$(nproc)"
