#include "gfx/run_tiles.h"

#include <gtest/gtest.h>

#include <vector>

#include "gfx/blend_tables.h"
#include "gfx/blitters.h"
#include "gfx/frame_buffer.h"
#include "writers/run_tile_writer.h"

namespace kv {
namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr std::uint32_t kPitch = 832;

// 48 x h with runs that touch both edges, a wholly transparent row and a wholly opaque one.
Bytes Picture(int h) {
    Bytes p(static_cast<std::size_t>(kRunTileWidth) * h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < kRunTileWidth; ++x) {
            const bool ink = y == 3 || (y != 5 && (x + 2 * y) % 11 < 6);
            if (ink) p[y * kRunTileWidth + x] = static_cast<std::uint8_t>(1 + (x * 5 + y) % 250);
        }
    return p;
}

class RunTiles : public ::testing::Test {
  protected:
    void SetUp() override {
        DrawTarget = screen.data();
        DrawPitch = kPitch;
    }
    void TearDown() override {
        DrawTarget = nullptr;
        DrawPitch = 0;
    }
    Bytes screen = Bytes(kPitch * 600, 4);
};

TEST_F(RunTiles, DrawsLikeAClippedTransparentCopyOfThePicture) {
    struct Case {
        int x, y, h;
    };
    const Case cases[] = {
        {100, 100, 28},                // inside
        {600, 200, 28},                // loses its columns from 640 on
        {592, 200, 28},                // the last position drawn whole across
        {593, 200, 28}, {0, 200, 28},  // loses its columns left of 10
        {-40, 200, 28},                // only its last 2 columns show
        {-48, 200, 28},                // nothing
        {640, 200, 28},                // nothing
        {100, 0, 28},                  // its 11th row at row 10
        {100, -17, 28},                // only the last row shows
        {100, -18, 28},                // nothing: every row lies above the view
        {100, 470, 28},                // cut after row 479
        {100, 480, 28},                // nothing
        {-20, 0, 40},                  // a taller tile cut on two sides
        {620, 460, 40},
    };
    for (const Case& c : cases) {
        const Bytes picture = Picture(c.h);
        // Exactly the tile's bytes, so that reading past them shows under the sanitizer.
        const Bytes tile = sampledata::EncodeRunTile(picture, c.h);
        std::fill(screen.begin(), screen.end(), 4);
        DrawRunSpriteClipped(tile.data(), c.x, c.y, c.h);
        Bytes expected(screen.size(), 4);
        BlitTransparentClipped(picture.data(), c.x, c.y, kRunTileWidth, c.h, expected.data(),
                               kPitch);
        EXPECT_EQ(screen, expected) << "at " << c.x << "," << c.y;
    }
}

TEST_F(RunTiles, EmptyRunsAndRowsEndingInACopy) {
    // Row 0: skip 0, copy 2, skip 0, copy 0, skip 46. Row 1: skip 46, copy 2 (ends on the copy).
    const Bytes tile = {0, 2, 7, 8, 0, 0, 46, 46, 2, 9, 10};
    DrawRunSpriteClipped(tile.data(), 20, 30, 2);
    EXPECT_EQ(screen[30 * kPitch + 20], 7);
    EXPECT_EQ(screen[30 * kPitch + 21], 8);
    EXPECT_EQ(screen[30 * kPitch + 22], 4);
    EXPECT_EQ(screen[31 * kPitch + 65], 4);
    EXPECT_EQ(screen[31 * kPitch + 66], 9);
    EXPECT_EQ(screen[31 * kPitch + 67], 10);
    EXPECT_EQ(screen[31 * kPitch + 68], 4);
}

TEST_F(RunTiles, TheBlendFormMixesEachPixelOverTheOneBelow) {
    for (std::size_t i = 0; i < BlendTable20.size(); ++i)
        BlendTable20[i] = static_cast<std::uint8_t>((i >> 8) + 3 * (i & 255));
    for (int x : {100, 610, -10}) {
        const Bytes picture = Picture(28);
        const Bytes tile = sampledata::EncodeRunTile(picture, 28);
        for (std::size_t i = 0; i < screen.size(); ++i)
            screen[i] = static_cast<std::uint8_t>(i % 7);
        Bytes expected = screen;
        DrawRunSpriteBlend20(tile.data(), x, 5, 28);
        for (int y = 0; y < 28; ++y)
            for (int i = 0; i < kRunTileWidth; ++i) {
                const int sx = x + i;
                const int sy = 5 + y;
                const std::uint8_t s = picture[y * kRunTileWidth + i];
                if (s == 0 || sx < 10 || sx > 639 || sy < 10) continue;
                std::uint8_t& d = expected[sy * kPitch + sx];
                d = BlendTable20[s * 256 + d];
            }
        EXPECT_EQ(screen, expected) << "at " << x;
    }
}

}  // namespace
}  // namespace kv
