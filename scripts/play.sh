#!/usr/bin/env bash
# Installs what is missing, builds the game with its default content, registers the data
# directory and starts the game.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DVEPA_BUILD_BENCH=OFF >/dev/null
cmake --build build -j"$(nproc)"
build/vepa4-setup build/data
exec build/vepa4
