#!/usr/bin/env bash
# The long soak: the steered monkey plays TICKS seeded ticks (default 1000000) over every
# scene with the invariants checked after every tick and the heap watched at every scene
# entry (tests/soak_test.cpp). Runs at a low priority; prints the figures of the run.
#
#   scripts/soak.sh [TICKS] [SEED]        (build first: scripts/test.sh or cmake --build build-test)
#
# Environment: VEPA_NORMAL_BUILD (default build-test), SOAK_NICE (default 10).
set -euo pipefail
cd "$(dirname "$0")/.."
TICKS=${1:-1000000}
SEED=${2:-1}
BUILD=${VEPA_NORMAL_BUILD:-build-test}
if [ ! -x "$BUILD/vepa4-tests" ]; then
  echo "soak: no $BUILD/vepa4-tests; build it first (scripts/test.sh)" >&2
  exit 1
fi
start=$(date +%s)
VEPA_SOAK_TICKS=$TICKS VEPA_SOAK_SEED=$SEED nice -n "${SOAK_NICE:-10}" \
  "$BUILD/vepa4-tests" --gtest_filter='Soak.*' --gtest_brief=1
echo "soak: $TICKS ticks, seed $SEED, passed in $(($(date +%s) - start)) s"
