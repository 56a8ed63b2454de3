// Timings of the account database without a window: loading and saving Accounts.dat, the
// lookups, the command line, sorting, deleting and closing, each at 10,000, 100,000 and
// 1,000,000 accounts, most against a floor measured in the same run (counters floor_ms and
// x_floor).
//
//   ./build/bench/vantor_bench [--benchmark_filter=REGEX]

#include <benchmark/benchmark.h>

BENCHMARK_MAIN();
