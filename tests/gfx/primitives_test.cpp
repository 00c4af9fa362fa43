#include "gfx/primitives.h"

#include <gtest/gtest.h>

#include <vector>

#include "gfx/frame_buffer.h"

namespace kv {
namespace {

// An 800 x 600 draw target with padded rows, filled with colour 3.
class DrawTargetTest : public ::testing::Test {
  protected:
    static constexpr std::uint32_t kPitch = 832;
    void SetUp() override {
        DrawTarget = pixels.data();
        DrawPitch = kPitch;
    }
    void TearDown() override {
        DrawTarget = nullptr;
        DrawPitch = 0;
    }
    std::uint8_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * kPitch + x]; }
    std::uint8_t* data() { return pixels.data(); }
    // The pixels of colour c, as (x, y) pairs in row order.
    std::vector<std::pair<int, int>> pixelsOf(std::uint8_t c) const {
        std::vector<std::pair<int, int>> found;
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 800; ++x)
                if (at(x, y) == c) found.emplace_back(x, y);
        return found;
    }
    std::vector<std::uint8_t> pixels = std::vector<std::uint8_t>(kPitch * 600, 3);
};

using Frames = DrawTargetTest;

TEST_F(Frames, AFrameWhoseLeftEdgeLiesAtEightHasNoLeftSide) {
    DrawRectClipped(8, 100, 20, 10, 7);
    EXPECT_EQ(at(8, 100), 3);
    EXPECT_EQ(at(9, 100), 3);
    EXPECT_EQ(at(10, 100), 7) << "the top starts at column 10";
    EXPECT_EQ(at(27, 100), 7);
    EXPECT_EQ(at(28, 100), 3);
    EXPECT_EQ(at(10, 109), 7) << "so does the bottom";
    EXPECT_EQ(at(10, 105), 3) << "no left side at 10 either";
    EXPECT_EQ(at(27, 105), 7) << "the right side is there";
    EXPECT_EQ(pixelsOf(7).size(), 18u * 2 + 8);
}

TEST_F(Frames, EdgesOutsideTheViewAreLeftOutAndTheOthersCut) {
    // Over the bottom-right corner of the view: only the top and the left side, cut at 639/479.
    DrawSelectionRect(630, 470, 20, 20);
    EXPECT_EQ(at(630, 470), 255);
    EXPECT_EQ(at(639, 470), 255);
    EXPECT_EQ(at(640, 470), 3);
    EXPECT_EQ(at(630, 479), 255);
    EXPECT_EQ(at(630, 480), 3);
    EXPECT_EQ(pixelsOf(255).size(), 10u + 9);
    // Wholly outside: nothing.
    DrawRectClipped(640, 100, 10, 10, 9);
    DrawRectClipped(100, 0, 10, 10, 9);  // bottom row 9 lies above the view
    DrawRectClipped(0, 100, 10, 10, 9);  // right column 9 lies left of it
    DrawRectClipped(100, 480, 10, 10, 9);
    EXPECT_TRUE(pixelsOf(9).empty());
}

TEST_F(Frames, TheFrameUnderTheSelectionLeavesSelectionPixels) {
    DrawSelectionRect(100, 100, 10, 10);
    DrawRectUnderSelection(105, 100, 10, 10);
    EXPECT_EQ(at(105, 100), 255) << "shared top edge stays in the selection colour";
    EXPECT_EQ(at(109, 105), 255) << "the selection's right side too";
    EXPECT_EQ(at(110, 100), 233);
    EXPECT_EQ(at(105, 105), 233);
    EXPECT_EQ(at(114, 109), 233);
}

TEST_F(Frames, LinesIncludeBothEndsInEitherOrder) {
    DrawHLine8(20, 15, 40, 8, data(), kPitch);
    EXPECT_EQ(pixelsOf(8), (std::vector<std::pair<int, int>>{
                               {15, 40}, {16, 40}, {17, 40}, {18, 40}, {19, 40}, {20, 40}}));
    DrawVLine8(50, 12, 10, 6, data(), kPitch);
    EXPECT_EQ(pixelsOf(6), (std::vector<std::pair<int, int>>{{50, 10}, {50, 11}, {50, 12}}));
    DrawHLine8(30, 30, 30, 5, data(), kPitch);
    EXPECT_EQ(at(30, 30), 5);
    PutPixel8(61, 20, 255);
    DrawHLineUnder(63, 60, 20, 4, data(), kPitch);
    DrawVLineUnder(61, 21, 19, 4, data(), kPitch);
    EXPECT_EQ(pixelsOf(4),
              (std::vector<std::pair<int, int>>{{61, 19}, {60, 20}, {62, 20}, {63, 20}, {61, 21}}));
}

TEST_F(Frames, PixelsOfTheTargetAndOfAnyBuffer) {
    PutPixel8(799, 599, 42);
    EXPECT_EQ(GetPixel8(799, 599), 42);
    EXPECT_EQ(at(799, 599), 42);
    // y may be negative: rows above a pointer into the middle of a buffer.
    std::uint8_t* middle = data() + 10 * kPitch;
    PutSurfacePixel8(4, -2, 17, middle, kPitch);
    EXPECT_EQ(at(4, 8), 17);
    EXPECT_EQ(GetSurfacePixel8(4, -2, middle, kPitch), 17);
}

TEST(Shrinkers, ShrinkBy8TakesEveryEighthPixelOfEveryEighthRow) {
    std::vector<std::uint8_t> src(40 * 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 40; ++x) src[y * 40 + x] = static_cast<std::uint8_t>(x + 40 * (y % 4));
    std::vector<std::uint8_t> dst(10, 99);
    ShrinkBy8(src.data(), 40, 32, 16, dst.data());
    EXPECT_EQ(dst, (std::vector<std::uint8_t>{0, 8, 16, 24, 0, 8, 16, 24, 99, 99}));
}

TEST(Shrinkers, ShrinkBy2PlacesRowsOneDestinationPitchApart) {
    std::vector<std::uint8_t> src(8 * 4);
    for (int i = 0; i < 32; ++i) src[i] = static_cast<std::uint8_t>(i);
    // The width equal to the destination pitch, and narrower than it.
    for (std::uint32_t pitch : {4u, 10u}) {
        std::vector<std::uint8_t> dst(pitch * 4, 99);
        ShrinkBy2(src.data(), 8, 0, 1, 8, 4, dst.data(), pitch);
        EXPECT_EQ(dst[pitch * 1 + 0], 0) << pitch;
        EXPECT_EQ(dst[pitch * 1 + 3], 6) << pitch;
        EXPECT_EQ(dst[pitch * 2 + 0], 16) << pitch;
        EXPECT_EQ(dst[pitch * 2 + 3], 22) << pitch;
        EXPECT_EQ(dst[0], 99);
        EXPECT_EQ(dst[pitch * 3], 99);
    }
}

TEST(RectsIntersect, EdgeBits) {
    struct Case {
        Rect16 a, b;
        int bits;
    };
    const Case cases[] = {
        {{10, 10, 20, 20}, {10, 10, 20, 20}, 15},         // equal
        {{10, 10, 20, 20}, {20, 12, 30, 18}, 1 | 2 | 8},  // sharing the right edge
        {{10, 10, 20, 20}, {12, 0, 18, 10}, 1 | 4 | 8},   // sharing the top edge
        {{10, 10, 20, 20}, {21, 10, 30, 20}, 0},          // one column apart
        {{10, 10, 20, 20}, {10, 21, 20, 30}, 0},          // one row below
        {{10, 10, 20, 20}, {0, 0, 9, 30}, 0},             // left of it
        {{10, 10, 20, 20}, {0, 0, 30, 9}, 0},             // above it
        {{10, 10, 20, 20}, {0, 0, 30, 30}, 15},           // enclosing it
        {{10, 10, 20, 20}, {12, 12, 18, 18}, 15},         // inside it: every edge within
        {{10, 10, 20, 20}, {15, 15, 30, 30}, 1 | 2},      // over the bottom-right corner
        {{10, 10, 20, 20}, {0, 0, 15, 15}, 4 | 8},        // over the top-left corner
        {{10, 10, 20, 20}, {0, 12, 30, 18}, 2 | 8},       // a band across
    };
    for (const Case& c : cases)
        EXPECT_EQ(RectsIntersect(c.a, c.b), c.bits)
            << c.b.x1 << "," << c.b.y1 << " " << c.b.x2 << "," << c.b.y2;
}

TEST(RectGap, DistanceAlongTheFartherAxis) {
    struct Case {
        std::int16_t px, py;
        int gap;
    };
    // The rectangle 100..200 x 50..80.
    const Case cases[] = {
        {95, 43, 7},     // 5 left and 7 above
        {150, 60, 0},    // inside
        {100, 80, 0},    // on a corner
        {230, 60, 30},   // right of it
        {150, 100, 20},  // below it
        {0, 0, 100},     // far left and above
    };
    for (const Case& c : cases)
        EXPECT_EQ(RectGap(c.px, c.py, 100, 50, 200, 80), c.gap) << c.px << "," << c.py;
}

}  // namespace
}  // namespace kv
