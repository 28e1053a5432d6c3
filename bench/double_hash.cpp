#include "sessions/double_hash.h"

#include <benchmark/benchmark.h>

namespace {

// One logon's proof: two BrokenSHA1 passes of one block each.
void BM_DoubleHash(benchmark::State& state) {
    const std::string password = "correct horse";
    std::uint32_t serverToken = 0x1A2B3C4D;
    for (auto _ : state) {
        benchmark::DoNotOptimize(morva::DoubleHash(password, serverToken));
        ++serverToken;
    }
}
BENCHMARK(BM_DoubleHash);

}  // namespace
