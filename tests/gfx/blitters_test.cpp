#include "gfx/blitters.h"

#include <gtest/gtest.h>

#include <vector>

#include "gfx/blend_tables.h"
#include "gfx/frame_buffer.h"

namespace kv {
namespace {

// An 800 x 600 screen whose rows are longer than 800 bytes, as a locked surface's may be.
struct Screen {
    static constexpr std::uint32_t kPitch = 832;
    std::vector<std::uint8_t> pixels = std::vector<std::uint8_t>(kPitch * 600, 3);
    std::uint8_t* data() { return pixels.data(); }
    std::uint8_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * kPitch + x]; }
};

// w x h, no pixel 0 but every third one, so transparency shows.
std::vector<std::uint8_t> Sprite(int w, int h) {
    std::vector<std::uint8_t> s(static_cast<std::size_t>(w) * h);
    for (std::size_t i = 0; i < s.size(); ++i)
        s[i] = i % 3 == 0 ? 0 : static_cast<std::uint8_t>(10 + i % 200);
    return s;
}

// What a clipped transparent copy must leave on the screen, pixel by pixel.
Screen Expected(const std::vector<std::uint8_t>& sprite, int x, int y, int w, int h,
                const ClipRect& clip) {
    Screen s;
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            const int sx = x + i;
            const int sy = y + j;
            const std::uint8_t p = sprite[static_cast<std::size_t>(j) * w + i];
            if (p != 0 && sx >= clip.left && sx <= clip.right && sy >= clip.top &&
                sy <= clip.bottom)
                s.pixels[static_cast<std::size_t>(sy) * Screen::kPitch + sx] = p;
        }
    return s;
}

TEST(BlitTransparentClipped, KeepsToTheWorldViewAndThePanelArea) {
    struct Case {
        int x, y, w, h;
    };
    const Case cases[] = {
        {5, 20, 30, 12},     // the first 5 columns fall left of the view
        {100, 3, 16, 20},    // the first 7 rows above it
        {620, 470, 40, 30},  // cut at column 640 and row 480
        {-30, -30, 48, 48},  // only the bottom-right corner shows
        {10, 10, 630, 470},  // exactly the view
        {640, 100, 20, 20},  // wholly right of the view
        {100, 480, 20, 20},  // wholly below it
        {-20, 100, 30, 10},  // wholly left of it
        {770, 580, 40, 30},  // the panel area's corner
    };
    for (const Case& c : cases) {
        const auto sprite = Sprite(c.w, c.h);
        Screen view;
        BlitTransparentClipped(sprite.data(), c.x, c.y, c.w, c.h, view.data(), Screen::kPitch);
        EXPECT_EQ(view.pixels, Expected(sprite, c.x, c.y, c.w, c.h, kWorldView).pixels)
            << "world view, at " << c.x << "," << c.y;
        Screen full;
        BlitTransparentClippedFull(sprite.data(), c.x, c.y, c.w, c.h, full.data(), Screen::kPitch);
        EXPECT_EQ(full.pixels, Expected(sprite, c.x, c.y, c.w, c.h, kPanelArea).pixels)
            << "panel area, at " << c.x << "," << c.y;
    }
}

TEST(BlitTransparentClipped, AtXFiveTheSixthColumnLandsAtTen) {
    std::vector<std::uint8_t> sprite(20, 0);
    for (int i = 0; i < 20; ++i) sprite[i] = static_cast<std::uint8_t>(i + 1);
    Screen s;
    BlitTransparentClipped(sprite.data(), 5, 50, 20, 1, s.data(), Screen::kPitch);
    EXPECT_EQ(s.at(9, 50), 3);
    EXPECT_EQ(s.at(10, 50), 6);
    EXPECT_EQ(s.at(24, 50), 20);
}

TEST(Blitters, OpaqueAndTransparentCopiesHonourBothPitches) {
    const auto sprite = Sprite(7, 5);
    Screen s;
    BlitRect(sprite.data(), 7, 100, 200, 7, 5, s.data(), Screen::kPitch);
    for (int j = 0; j < 5; ++j)
        for (int i = 0; i < 7; ++i) ASSERT_EQ(s.at(100 + i, 200 + j), sprite[j * 7 + i]);
    EXPECT_EQ(s.at(107, 200), 3);

    Screen t;
    BlitTransparent(sprite.data(), 7, 100, 200, 7, 5, t.data(), Screen::kPitch);
    EXPECT_EQ(t.pixels, Expected(sprite, 100, 200, 7, 5, {0, 0, 799, 599}).pixels);

    // Grab a block back out of the screen into a packed picture.
    std::vector<std::uint8_t> grabbed(35, 0);
    GrabRect(100, 200, 7, 5, s.data(), Screen::kPitch, grabbed.data(), 7);
    EXPECT_EQ(grabbed, sprite);
}

TEST(Blitters, BlitToBackBufferWritesToTheDrawTarget) {
    Screen s;
    DrawTarget = s.data();
    DrawPitch = Screen::kPitch;
    const auto sprite = Sprite(3, 2);
    BlitToBackBuffer(sprite.data(), 797, 598, 3, 2);
    EXPECT_EQ(s.at(797, 598), 0) << "opaque: 0 is copied too";
    EXPECT_EQ(s.at(799, 599), sprite[5]);
    DrawTarget = nullptr;
    DrawPitch = 0;
}

// A table that tells its inputs apart: a x 256 + b holds a + b + 1 (mod 256).
void FillBlendTable(BlendTable& t) {
    for (std::size_t i = 0; i < t.size(); ++i)
        t[i] = static_cast<std::uint8_t>((i >> 8) + (i & 255) + 1);
}

TEST(Blitters, BlendsLookUpTheSourceOverTheDestination) {
    FillBlendTable(BlendTable50);
    const std::vector<std::uint8_t> sprite = {0, 5, 7, 0};
    Screen s;
    BlitBlend50(sprite.data(), 2, 20, 30, 2, 2, s.data(), Screen::kPitch);
    EXPECT_EQ(s.at(20, 30), 3) << "0 is left out";
    EXPECT_EQ(s.at(21, 30), 5 + 3 + 1);
    EXPECT_EQ(s.at(20, 31), 7 + 3 + 1);
    EXPECT_EQ(s.at(21, 31), 3);

    BlitBlendAll50(sprite.data(), 40, 30, 2, 2, s.data(), Screen::kPitch);
    EXPECT_EQ(s.at(40, 30), 0 + 3 + 1) << "0 mixes too";
    EXPECT_EQ(s.at(41, 30), 5 + 3 + 1);

    TintRect50(60, 30, 3, 2, 100, s.data(), Screen::kPitch);
    EXPECT_EQ(s.at(60, 30), 104);
    EXPECT_EQ(s.at(62, 31), 104);
    EXPECT_EQ(s.at(63, 31), 3);
    EXPECT_EQ(s.at(60, 32), 3);
}

TEST(Blitters, FillAndClear) {
    Screen s;
    FillRect8(5, 6, 3, 2, 9, s.data(), Screen::kPitch);
    EXPECT_EQ(s.at(5, 6), 9);
    EXPECT_EQ(s.at(7, 7), 9);
    EXPECT_EQ(s.at(8, 7), 3);
    EXPECT_EQ(s.at(5, 8), 3);

    // Whole words only: a width of 7 clears 4 pixels of each row.
    ClearRect8(s.data(), Screen::kPitch, 7, 2);
    EXPECT_EQ(s.at(3, 1), 0);
    EXPECT_EQ(s.at(4, 1), 3);
    EXPECT_EQ(s.at(0, 2), 3);
    ClearRect8(s.data(), Screen::kPitch, 800, 600);
    EXPECT_EQ(s.at(799, 599), 0);
    EXPECT_EQ(s.pixels[Screen::kPitch - 1], 3) << "the row's padding is not the picture's";
}

}  // namespace
}  // namespace kv
