#include "gfx/sprite_blits.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "gfx/blend_tables.h"
#include "gfx/frame_buffer.h"

namespace kv {
namespace {

// A 100 x 60 target of colour 200 with rows longer than its width, a 48 x 28 source of colour 7
// with a transparent pixel at (5, 5), and a mask that marks every other column.
class SpriteBlits : public ::testing::Test {
  protected:
    static constexpr std::uint32_t kPitch = 128;
    void SetUp() override {
        target.assign(kPitch * 60, 200);
        source.assign(48 * 28, 7);
        source[5 * 48 + 5] = 0;
        mask.assign(48 * 28, 0);
        for (std::size_t i = 0; i < mask.size(); i += 2) mask[i] = 1;
        saved = {BlendTable20, BlendTable50};
        BlendTable20.fill(0);
        BlendTable50.fill(0);
        BlendTable20[7 * 256 + 200] = 20;
        BlendTable50[7 * 256 + 200] = 50;
        DrawTarget = target.data();
        DrawPitch = kPitch;
    }
    void TearDown() override {
        BlendTable20 = saved[0];
        BlendTable50 = saved[1];
        DrawTarget = nullptr;
        DrawPitch = 0;
    }
    std::uint8_t at(int x, int y) const { return target[static_cast<std::size_t>(y) * kPitch + x]; }
    int changed() const {
        int n = 0;
        for (std::uint8_t p : target) n += p != 200;
        return n;
    }

    std::vector<std::uint8_t> target, source, mask;
    std::array<BlendTable, 2> saved{};
};

using Blit = std::function<void(const std::uint8_t*, const std::uint8_t*, int, int, int, int)>;
struct Variant {
    const char* name;
    Blit blit;  // (pixels, mask, x0, y0, x1, y1) from source (0, 0) to the target's (10, 20)
    std::uint8_t written;
    bool masked;
};
const Variant kVariants[] = {
    {"plain",
     [](const std::uint8_t* p, const std::uint8_t*, int x0, int y0, int x1, int y1) {
         BlitSpriteRect(p, 48, x0, y0, x1, y1, 0, 0, 10, 20);
     },
     7, false},
    {"blended 20",
     [](const std::uint8_t* p, const std::uint8_t*, int x0, int y0, int x1, int y1) {
         BlitSpriteRectBlended(p, 48, x0, y0, x1, y1, 0, 0, 10, 20, 1);
     },
     20, false},
    {"masked",
     [](const std::uint8_t* p, const std::uint8_t* m, int x0, int y0, int x1, int y1) {
         BlitSpriteRectMasked(p, 48, x0, y0, x1, y1, 0, 0, 10, 20, m);
     },
     7, true},
    {"masked blended 50",
     [](const std::uint8_t* p, const std::uint8_t* m, int x0, int y0, int x1, int y1) {
         BlitSpriteRectMaskedBlended(p, 48, x0, y0, x1, y1, 0, 0, 10, 20, m, 2);
     },
     50, true},
};

TEST_F(SpriteBlits, EachVariantWritesItsValueWhereSourceAndMaskAllowIt) {
    for (const Variant& v : kVariants) {
        target.assign(kPitch * 60, 200);
        v.blit(source.data(), mask.data(), 0, 0, 47, 27);
        for (int y = 0; y < 28; ++y)
            for (int x = 0; x < 48; ++x) {
                const bool drawn = source[static_cast<std::size_t>(y * 48 + x)] != 0 &&
                                   (!v.masked || mask[static_cast<std::size_t>(y * 48 + x)] != 0);
                ASSERT_EQ(at(10 + x, 20 + y), drawn ? v.written : 200)
                    << v.name << " at " << x << ", " << y;
            }
        // Nothing outside the rectangle.
        EXPECT_EQ(changed(), v.masked ? 48 * 28 / 2 : 48 * 28 - 1) << v.name;
    }
}

TEST_F(SpriteBlits, AnEmptyRectangleDrawsNothing) {
    for (const Variant& v : kVariants) {
        v.blit(source.data(), mask.data(), 5, 0, 4, 27);
        v.blit(source.data(), mask.data(), 0, 5, 47, 4);
        EXPECT_EQ(changed(), 0) << v.name;
    }
}

TEST_F(SpriteBlits, SourceOffsetAndANegativeTopAddressTheRightPixels) {
    // A plain copy reaching 3 rows above the cell, from source row 2 on.
    std::vector<std::uint8_t> tall(48 * 28);
    for (std::size_t i = 0; i < tall.size(); ++i) tall[i] = static_cast<std::uint8_t>(1 + i % 199);
    BlitSpriteRect(tall.data(), 48, 4, -3, 6, 1, 1, 5, 30, 40);
    for (int y = -3; y <= 1; ++y)
        for (int x = 4; x <= 6; ++x)
            EXPECT_EQ(at(30 + x, 40 + y), tall[static_cast<std::size_t>((5 + y) * 48 + 1 + x)]);
    EXPECT_EQ(changed(), 15);
}

}  // namespace
}  // namespace kv
