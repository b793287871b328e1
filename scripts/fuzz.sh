#!/usr/bin/env bash
# Builds the libFuzzer targets (clang with AddressSanitizer and UndefinedBehaviorSanitizer)
# and runs each for SECONDS (default 60) on a corpus seeded from the default archive.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]     targets: the names of fuzz/*.cpp (default: all)
#
# Seeds: the entries of the normal build's archive extracted with vepa4-pack (backgrounds,
# wave lists, speech and music, phrase tables, hit maps) plus small inputs of every format
# written by vepa4-fuzz-seeds. New inputs stay in <build>/fuzz-corpus/<target> for the next
# run; a crash leaves its input in <build>/fuzz-artifacts/ and fails the run. Inputs that
# once failed live in fuzz/regressions/<target> and are run at the start of every run.
# Environment: VEPA_FUZZ_BUILD (default build-asan, shared with scripts/sanitize.sh),
# VEPA_NORMAL_BUILD (default build-test: its data/ and vepa4-pack), FUZZ_NICE (nice level).
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_EACH=${1:-60}
shift || true
BUILD=${VEPA_FUZZ_BUILD:-build-asan}
NORMAL=${VEPA_NORMAL_BUILD:-build-test}
NICE=(nice -n "${FUZZ_NICE:-0}")

if ! command -v clang++ >/dev/null 2>&1; then
  echo "fuzz: clang++ is needed (scripts/deps.sh installs it)" >&2
  exit 1
fi
if [ ! -f "$NORMAL/data/vepa4.gmd" ] || [ ! -f "$NORMAL/generated/launcher_pictures.cpp" ]; then
  echo "fuzz: building the default content in $NORMAL first"
  cmake -S . -B "$NORMAL" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$NORMAL" -j"$(nproc)" --target default-content vepa_launcher_pictures vepa4-pack
fi
NORMAL_ABS=$(realpath "$NORMAL")
if [ ! -f "$BUILD/CMakeCache.txt" ] || ! grep -q '^VEPA_FUZZ:BOOL=ON' "$BUILD/CMakeCache.txt"; then
  cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" \
    -DCMAKE_CXX_COMPILER=clang++ -DVEPA_FUZZ=ON -DVEPA_SANITIZE=ON -DVEPA_BUILD_CONTENT=OFF \
    -DVEPA_BUILD_BENCH=OFF -DVEPA_TEST_DATA_DIR="$NORMAL_ABS/data/" \
    -DVEPA_LAUNCHER_PICTURES_SOURCE="$NORMAL_ABS/generated/launcher_pictures.cpp" >/dev/null
fi
cmake --build "$BUILD" -j"$(nproc)" --target fuzz-all >/dev/null

TARGETS=("$@")
if [ ${#TARGETS[@]} -eq 0 ]; then
  for f in fuzz/*.cpp; do TARGETS+=("$(basename "$f" .cpp)"); done
fi

# Largest input each target is given: enough for its format, small enough to stay fast.
max_len() {
  case "$1" in
    hit_map) echo 77000 ;;
    phrase_record) echo 1024 ;;
    archive_directory) echo 8192 ;;
    *) echo 65536 ;;
  esac
}

# Seeds: hand-made and derived ones, then the archive's raw entries (up to 256 KiB each).
# (One seed directory per run, so that runs of different targets can go side by side.)
SEEDS=$(mktemp -d "$BUILD/fuzz-seeds.XXXXXX")
trap 'rm -rf "$SEEDS"' EXIT
"$BUILD/vepa4-fuzz-seeds" "$NORMAL/data" "$SEEDS"
PACK=$NORMAL/vepa4-pack
[ -x "$PACK" ] || cmake --build "$NORMAL" --target vepa4-pack >/dev/null
extracted=0
while read -r name size kind; do
  case "$kind" in
    background) target=bitmap ;;
    "wave list") target=wave_list ;;
    music | speech) target=riff_wave ;;
    "phrase table") target=phrase_record ;;
    "hit map") target=hit_map ;;
    *) continue ;;
  esac
  [ "$size" -le 262144 ] || continue
  mkdir -p "$SEEDS/$target"
  "$PACK" extract "$NORMAL/data" "$name" "$SEEDS/$target/entry-$name" 2>/dev/null && extracted=$((extracted + 1))
done < <("$PACK" list "$NORMAL/data")
echo "fuzz: $extracted archive entries extracted as seeds"

mkdir -p "$BUILD/fuzz-artifacts" "$BUILD/fuzz-logs"
passed=0
failed=0
for t in "${TARGETS[@]}"; do
  bin=$BUILD/fuzz-$t
  [ -x "$bin" ] || { echo "fuzz: no target $t" >&2; failed=$((failed + 1)); continue; }
  corpus=$BUILD/fuzz-corpus/$t
  mkdir -p "$corpus" "$SEEDS/$t"
  # Inputs that once failed are kept in fuzz/regressions/<target> and run first every time.
  regressions=()
  [ -d "fuzz/regressions/$t" ] && regressions=("fuzz/regressions/$t")
  log=$BUILD/fuzz-logs/$t.log
  # -close_fd_mask=2 hides the targets' own messages (damaged-entry reports); libFuzzer and
  # the sanitizers still report.
  if "${NICE[@]}" "$bin" -max_total_time="$SECONDS_EACH" -max_len="$(max_len "$t")" -timeout=20 \
    -rss_limit_mb=2048 -close_fd_mask=2 -print_final_stats=1 \
    -artifact_prefix="$BUILD/fuzz-artifacts/$t-" "$corpus" "$SEEDS/$t" "${regressions[@]}" >"$log" 2>&1; then
    passed=$((passed + 1))
    status=ok
  else
    failed=$((failed + 1))
    status=FAILED
  fi
  execs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | tail -1 | awk '{print $2}')
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | awk '{print $2}')
  echo "fuzz: $t: $status, ${execs:-?} executions in ${SECONDS_EACH}s, coverage ${cov:-?}, corpus $(ls "$corpus" | wc -l) inputs"
  if [ "$status" = FAILED ]; then
    grep -E 'ERROR|SUMMARY|invariant|Test unit written' "$log" | head -20 || true
    echo "fuzz: full log in $log"
  fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
