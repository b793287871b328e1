#!/usr/bin/env bash
# Builds the game and its tests with AddressSanitizer and UndefinedBehaviorSanitizer and runs
# the tests; any sanitizer report (memory error, leak, undefined behaviour) fails the run.
#
#   scripts/sanitize.sh [NORMAL_BUILD_DIR]      (default: build-test, as scripts/test.sh makes it)
#
# To keep the time down the sanitizer build skips the content and the benchmarks: its tests
# read the normal build's default archive and compile its launcher pictures, so the normal
# build comes first (its default-content target is built here when missing). With clang the
# same build directory also holds the libFuzzer targets, which scripts/fuzz.sh then reuses.
# Environment: VEPA_ASAN_BUILD (default build-asan), CTEST_ARGS (extra ctest arguments).
set -euo pipefail
cd "$(dirname "$0")/.."
NORMAL=${1:-build-test}
ASAN=${VEPA_ASAN_BUILD:-build-asan}
JOBS=$(nproc)

if [ ! -f "$NORMAL/data/vepa4.gmd" ] || [ ! -f "$NORMAL/generated/launcher_pictures.cpp" ]; then
  echo "sanitize: building the default content in $NORMAL first"
  cmake -S . -B "$NORMAL" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$NORMAL" -j"$JOBS" --target default-content vepa_launcher_pictures
fi

NORMAL_ABS=$(realpath "$NORMAL")

COMPILER=()
if command -v clang++ >/dev/null 2>&1; then
  COMPILER=(-DCMAKE_CXX_COMPILER=clang++ -DVEPA_FUZZ=ON)
fi
# -O1 keeps the stack traces readable and the build quick; the checks are the same.
cmake -S . -B "$ASAN" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" \
  "${COMPILER[@]}" -DVEPA_SANITIZE=ON -DVEPA_BUILD_CONTENT=OFF -DVEPA_BUILD_BENCH=OFF \
  -DVEPA_TEST_DATA_DIR="$NORMAL_ABS/data/" \
  -DVEPA_LAUNCHER_PICTURES_SOURCE="$NORMAL_ABS/generated/launcher_pictures.cpp" >/dev/null
cmake --build "$ASAN" -j"$JOBS"

# Reports abort the test that made them (halt_on_error, -fno-sanitize-recover=all), so ctest
# counts it failed. Leaks are reported at exit.
export ASAN_OPTIONS=${ASAN_OPTIONS:-halt_on_error=1:detect_leaks=1:check_initialization_order=1:strict_init_order=1:detect_stack_use_after_return=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
# shellcheck disable=SC2086
ctest --test-dir "$ASAN" --output-on-failure -j"$JOBS" ${CTEST_ARGS:-}
