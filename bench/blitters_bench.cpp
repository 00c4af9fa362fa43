// The blitters every frame leans on, measured against one memcpy of a whole frame
// (BM_MemcpyFrame). Goals, for this kind of machine: the full-screen copy within 10 % of memcpy.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "gfx/blend_tables.h"
#include "gfx/blitters.h"
#include "gfx/frame_buffer.h"
#include "platform/display.h"

namespace {

// A locked back buffer: its rows are as long as the display's.
constexpr std::uint32_t kPitch = 800 + kv::kSurfacePadding;

struct Target {
    Target() : pixels(static_cast<std::size_t>(kPitch) * 600, 5) {
        kv::DrawTarget = pixels.data();
        kv::DrawPitch = kPitch;
    }
    ~Target() {
        kv::DrawTarget = nullptr;
        kv::DrawPitch = 0;
    }
    std::vector<std::uint8_t> pixels;
};

// A sprite-like picture: a filled shape with a transparent border and holes.
std::vector<std::uint8_t> Sprite(int w, int h) {
    std::vector<std::uint8_t> s(static_cast<std::size_t>(w) * h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int dx = 2 * x - w;
            const int dy = 2 * y - h;
            if (dx * dx + dy * dy < w * h && (x + y) % 7 != 0)
                s[static_cast<std::size_t>(y) * w + x] = static_cast<std::uint8_t>(20 + (x ^ y) % 200);
        }
    return s;
}

void BM_CopyWorkBuffer(benchmark::State& state) {
    Target target;
    std::vector<std::uint8_t> work(kv::kWorkBufferSize, 7);
    kv::WorkBuffer = work.data();
    for (auto _ : state) {
        kv::CopyWorkBuffer();
        benchmark::ClobberMemory();
    }
    kv::WorkBuffer = nullptr;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 480000);
    state.SetLabel("goal: bytes/s within 10 % of BM_MemcpyFrame");
}
BENCHMARK(BM_CopyWorkBuffer);

// A screenful of sprites of the given size at positions all over the world view, some of them
// cut by its edges.
void BM_BlitTransparentClipped(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    Target target;
    const std::vector<std::uint8_t> sprite = Sprite(size, size);
    std::vector<std::pair<int, int>> at;
    for (int i = 0; i < 200; ++i) at.emplace_back((i * 97) % 680 - 20, (i * 61) % 520 - 20);
    for (auto _ : state) {
        for (const auto& [x, y] : at)
            kv::BlitTransparentClipped(sprite.data(), x, y, size, size, target.pixels.data(),
                                       kPitch);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(at.size() * sprite.size()));
    state.counters["sprites"] = static_cast<double>(at.size());
}
BENCHMARK(BM_BlitTransparentClipped)->Arg(24)->Arg(48)->Arg(96);

// Half-transparent pictures such as the panels' shadows: a 200 x 120 picture with holes.
void BM_BlitBlend50(benchmark::State& state) {
    Target target;
    for (std::size_t i = 0; i < kv::BlendTable50.size(); ++i)
        kv::BlendTable50[i] = static_cast<std::uint8_t>((i >> 8) / 2 + (i & 255) / 2);
    const std::vector<std::uint8_t> picture = Sprite(200, 120);
    for (auto _ : state) {
        kv::BlitBlend50(picture.data(), 200, 300, 200, 200, 120, target.pixels.data(), kPitch);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(picture.size()));
}
BENCHMARK(BM_BlitBlend50);

}  // namespace
