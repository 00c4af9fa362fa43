// The blitters every frame leans on, measured against one memcpy of a whole frame
// (BM_MemcpyFrame). Goals, for this kind of machine: the full-screen copy within 10 % of memcpy
// (its counter vs_memcpy at 0.9 or more); a screen of map tiles in under 0.3 ms.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <vector>

#include "gfx/blend_tables.h"
#include "gfx/blitters.h"
#include "gfx/frame_buffer.h"
#include "gfx/run_tiles.h"
#include "platform/display.h"
#include "writers/run_tile_writer.h"

namespace {

// A locked back buffer: its rows are as long as the display's.
constexpr std::uint32_t kPitch = 800 + kv::kSurfacePadding;

struct Target {
    explicit Target(std::uint32_t pitch = kPitch)
        : pixels(static_cast<std::size_t>(pitch) * 600, 5) {
        kv::DrawTarget = pixels.data();
        kv::DrawPitch = pitch;
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
                s[static_cast<std::size_t>(y) * w + x] =
                    static_cast<std::uint8_t>(20 + (x ^ y) % 200);
        }
    return s;
}

// Seconds per call of f, the best of a few batches.
template <typename F>
double BestSeconds(F&& f) {
    double best = 1e9;
    for (int batch = 0; batch < 5; ++batch) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < 200; ++i) {
            f();
            benchmark::ClobberMemory();
        }
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count() / 200);
    }
    return best;
}

// Into a surface with the display's padded rows, and into one whose rows are exactly 800 bytes.
void BM_CopyWorkBuffer(benchmark::State& state) {
    Target target(static_cast<std::uint32_t>(state.range(0)));
    std::vector<std::uint8_t> work(kv::kWorkBufferSize, 7);
    std::vector<std::uint8_t> reference(kv::kWorkBufferSize);
    kv::WorkBuffer = work.data();
    for (auto _ : state) {
        kv::CopyWorkBuffer();
        benchmark::ClobberMemory();
    }
    // The same frame through one memcpy, measured here too, so that the ratio stands beside it.
    const double memcpySeconds =
        BestSeconds([&] { std::memcpy(reference.data(), work.data(), work.size()); });
    const double copySeconds = BestSeconds([] { kv::CopyWorkBuffer(); });
    kv::WorkBuffer = nullptr;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 480000);
    state.counters["bytes"] = 480000;
    state.counters["vs_memcpy"] = memcpySeconds / copySeconds;
    state.SetLabel("goal: vs_memcpy >= 0.90");
}
BENCHMARK(BM_CopyWorkBuffer)->Arg(kPitch)->Arg(800);

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
    state.counters["pixels"] = static_cast<double>(picture.size());
}
BENCHMARK(BM_BlitBlend50);

// The map as the mission view draws it: 22 x 18 cells of 48 x 28 tiles, each row of cells 16
// pixels further left, the outer ones cut by the view's edges.
std::vector<std::vector<std::uint8_t>> GroundTiles() {
    std::vector<std::vector<std::uint8_t>> tiles;
    for (int kind = 0; kind < 4; ++kind) {
        std::vector<std::uint8_t> px(48 * 28, 0);
        for (int y = 0; y < 28; ++y) {
            const int left = 16 - 16 * y / 27;
            for (int x = left; x < left + 32; ++x)
                px[y * 48 + x] = static_cast<std::uint8_t>(66 + (x * 3 + y * 5 + kind) % 8);
        }
        tiles.push_back(kv::sampledata::EncodeRunTile(px, 28));
    }
    return tiles;
}

void BM_DrawRunSpriteClipped(benchmark::State& state) {
    Target target;
    const auto tiles = GroundTiles();
    int drawn = 0;
    for (auto _ : state) {
        drawn = 0;
        for (int r = 0; r < 18; ++r)
            for (int c = 0; c < 22; ++c) {
                const int x = 32 * c - 16 * r - 16 + 10 + 16;
                const int top = 28 * r + 10;
                kv::DrawRunSpriteClipped(tiles[(c + r) % 4].data(), x, top, 28);
                ++drawn;
            }
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * drawn * 32 * 28);
    state.counters["tiles"] = drawn;
    state.SetLabel("goal: under 0.3 ms per screen");
}
BENCHMARK(BM_DrawRunSpriteClipped)->Unit(benchmark::kMicrosecond);

}  // namespace
