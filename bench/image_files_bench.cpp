// Unpacking a full-screen picture, as every screen change does.

#include <benchmark/benchmark.h>

#include <vector>

#include "gfx/rle.h"
#include "writers/canvas.h"
#include "writers/rle_packer.h"

namespace {

void BM_UnpackScreenPicture(benchmark::State& state) {
    // Areas of one colour with busy rows between them, like a drawn background.
    kv::sampledata::Canvas picture(800, 600, 20);
    for (int y = 0; y < 600; y += 6)
        for (int x = 0; x < 800; ++x) picture.set(x, y, static_cast<std::uint8_t>(x * 7 % 13));
    picture.fillRect(100, 100, 300, 200, 40);
    const std::vector<std::uint8_t> packed = kv::sampledata::PackRle(picture.pixels());
    std::vector<std::uint8_t> screen(800 * 600);
    for (auto _ : state) {
        benchmark::DoNotOptimize(kv::UnpackRle(packed, screen));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 480000);
    state.counters["bytes"] = 480000;
    state.counters["packed_bytes"] = static_cast<double>(packed.size());
}
BENCHMARK(BM_UnpackScreenPicture);

}  // namespace
