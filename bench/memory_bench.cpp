// The reference every screen copy is measured against: one 800 x 600 frame through memcpy.

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

void BM_MemcpyFrame(benchmark::State& state) {
    std::vector<unsigned char> src(480000, 7);
    std::vector<unsigned char> dst(480000);
    for (auto _ : state) {
        std::memcpy(dst.data(), src.data(), src.size());
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 480000);
    state.counters["bytes"] = 480000;
}
BENCHMARK(BM_MemcpyFrame);

}  // namespace
