#include "platform/text.h"

#include <gtest/gtest.h>

#include <vector>

namespace kv {
namespace {

HardwarePalette TestPalette() {
    HardwarePalette p{};
    for (int i = 0; i < 256; ++i) p[i] = PaletteEntry{static_cast<std::uint8_t>(i), 0, 0, 0};
    p[10] = PaletteEntry{250, 250, 250, 0};
    p[11] = PaletteEntry{250, 250, 250, 0};
    p[12] = PaletteEntry{0, 200, 0, 0};
    return p;
}

struct Canvas {
    static constexpr int kW = 200;
    static constexpr int kH = 80;
    static constexpr std::uint32_t kPitch = 208;
    std::vector<std::uint8_t> pixels = std::vector<std::uint8_t>(kPitch * kH, 0);
    TextContext dc{pixels.data(), kPitch, kW, kH, TestPalette()};

    // Bounding box of the pixels holding colour c: left, top, right, bottom (inclusive).
    Rect Box(std::uint8_t c) const {
        Rect r{kW, kH, -1, -1};
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x)
                if (pixels[y * kPitch + x] == c) {
                    r.left = std::min(r.left, x);
                    r.top = std::min(r.top, y);
                    r.right = std::max(r.right, x);
                    r.bottom = std::max(r.bottom, y);
                }
        return r;
    }
    bool PaddingUntouched() const {
        for (int y = 0; y < kH; ++y)
            for (std::uint32_t x = kW; x < kPitch; ++x)
                if (pixels[y * kPitch + x] != 0) return false;
        return true;
    }
};

class TextTest : public ::testing::Test {
  protected:
    void SetUp() override {
        font = CreateFont("Arial", 21, 400);
        if (font == nullptr) GTEST_SKIP() << "Liberation Sans is not installed";
    }
    void TearDown() override { DeleteFont(font); }
    FontHandle font = nullptr;
};

TEST(NearestPaletteIndex, TakesTheClosestAndTheLowestOnTies) {
    const HardwarePalette p = TestPalette();
    EXPECT_EQ(NearestPaletteIndex(p, Rgb(255, 255, 255)), 10) << "tie between 10 and 11";
    EXPECT_EQ(NearestPaletteIndex(p, Rgb(0, 190, 10)), 12);
    EXPECT_EQ(NearestPaletteIndex(p, Rgb(100, 0, 0)), 100);
}

TEST_F(TextTest, ExtentAndCellHeight) {
    Canvas c;
    c.dc.selectFont(font);
    EXPECT_EQ(FontHeight(font), 21);
    const TextSize size = c.dc.textExtent("KESTRIVON");
    EXPECT_EQ(size.cy, 21);
    EXPECT_GT(size.cx, 80);
    EXPECT_LT(size.cx, 150);
    EXPECT_EQ(c.dc.textExtent("").cx, 0);
    EXPECT_EQ(c.dc.textExtent("ii").cx, 2 * c.dc.textExtent("i").cx);
}

TEST_F(TextTest, SolidTextInTheNearestColourWithTransparentBackground) {
    Canvas c;
    c.dc.selectFont(font);
    c.dc.setBkMode(TRANSPARENT);
    c.dc.setTextColor(Rgb(255, 255, 255));
    c.dc.textOut(10, 10, "Hallo");
    for (std::uint8_t v : c.pixels) EXPECT_TRUE(v == 0 || v == 10) << int(v);
    EXPECT_GE(c.Box(10).left, 10);
    EXPECT_TRUE(c.PaddingUntouched());
}

TEST_F(TextTest, AlignmentsPlaceTheTextAroundThePoint) {
    Canvas left, centre;
    for (Canvas* c : {&left, &centre}) {
        c->dc.selectFont(font);
        c->dc.setBkMode(TRANSPARENT);
        c->dc.setTextColor(Rgb(255, 255, 255));
    }
    left.dc.setTextAlign(TA_LEFT | TA_TOP);
    left.dc.textOut(20, 5, "HH");
    centre.dc.setTextAlign(TA_CENTER | TA_BASELINE);
    centre.dc.textOut(100, 40, "HH");
    const Rect l = left.Box(10);
    const Rect c = centre.Box(10);
    EXPECT_EQ(c.bottom, 39) << "capitals stand on the baseline";
    EXPECT_NEAR((c.left + c.right) / 2.0, 100, 2);
    EXPECT_NEAR(l.top, 5 + FontAscent(font) - (c.bottom - c.top + 1), 1);
    EXPECT_EQ(c.right - c.left, l.right - l.left);
}

TEST_F(TextTest, ClipsAtTheSurfaceEdges) {
    Canvas c;
    c.dc.selectFont(font);
    c.dc.setTextColor(Rgb(0, 200, 0));
    c.dc.setBkMode(TRANSPARENT);
    c.dc.textOut(180, 70, "WWWW");
    c.dc.textOut(-30, -10, "WWWW");
    EXPECT_TRUE(c.PaddingUntouched());
}

TEST_F(TextTest, WordWrapBreaksBetweenWords) {
    Canvas c;
    c.dc.selectFont(font);
    c.dc.setBkMode(TRANSPARENT);
    c.dc.setTextColor(Rgb(255, 255, 255));
    Rect measure{0, 0, 60, 0};
    const int h = c.dc.drawText("ab ab ab ab", measure, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_EQ(h % 21, 0);
    EXPECT_GE(h, 42) << "too wide for one line";
    Rect one{0, 0, 500, 0};
    EXPECT_EQ(c.dc.drawText("ab ab ab ab", one, DT_WORDBREAK | DT_CALCRECT), 21);
    EXPECT_EQ(c.dc.drawText("a\nb", one, DT_CALCRECT), 42) << "a newline always breaks";
    EXPECT_EQ(c.dc.drawText("a\r\n\r\nb", one, DT_WORDBREAK | DT_CALCRECT), 63)
        << "an empty line between CR LF ends";

    Rect area{10, 10, 70, 40};
    c.dc.drawText("ab ab ab ab ab ab", area, DT_WORDBREAK);
    const Rect box = c.Box(10);
    EXPECT_GE(box.left, 10);
    EXPECT_LE(box.right, 69);
    EXPECT_LE(box.bottom, 39) << "clipped to the rectangle";
}

}  // namespace
}  // namespace kv
