// The benchmark runner's entry point, shared by every benchmark file in bench/.
#include <benchmark/benchmark.h>

BENCHMARK_MAIN();
