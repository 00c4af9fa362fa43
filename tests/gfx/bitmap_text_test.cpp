#include "gfx/bitmap_text.h"

#include <gtest/gtest.h>

#include <vector>

#include "gfx/frame_buffer.h"
#include "platform/cp1252.h"
#include "support/headless_test.h"
#include "writers/bitmap_font_writer.h"
#include "writers/image_writers.h"
#include "writers/output_tree.h"

namespace kv {
namespace {

using sampledata::Canvas;

// Glyph g: a block of colour g + 1, 2 + g % 3 pixels wide and 9 high, so that each glyph and its
// width show on the screen.
std::vector<Canvas> BlockGlyphs(int count) {
    std::vector<Canvas> glyphs;
    for (int g = 0; g < count; ++g)
        glyphs.emplace_back(2 + g % 3, 9, static_cast<std::uint8_t>(g + 1));
    return glyphs;
}

int WidthOf(int glyph) {
    return 2 + glyph % 3;
}

class BitmapText : public ::testing::Test {
  protected:
    static constexpr std::uint32_t kPitch = 832;
    void SetUp() override {
        DrawTarget = screen.data();
        DrawPitch = kPitch;
        font = load(BlockGlyphs(kBitmapFontGlyphs));
        ASSERT_NE(font, nullptr);
    }
    void TearDown() override {
        FreeVff(font);
        DrawTarget = nullptr;
        DrawPitch = 0;
    }
    VffImage* load(const std::vector<Canvas>& glyphs) {
        sampledata::OutputTree(dir.path().string())
            .write("graphs\\font.vff", sampledata::MakeVff(glyphs));
        return LoadBitmapFont(dir / "graphs/font.vff");
    }
    std::uint8_t at(int x, int y) const { return screen[static_cast<std::size_t>(y) * kPitch + x]; }
    // The glyphs along a row, read back from the colours, with the x where each starts.
    std::vector<std::pair<int, int>> glyphsOnRow(int x, int y) const {
        std::vector<std::pair<int, int>> found;
        while (x < 800 && at(x, y) != 0) {
            const int glyph = at(x, y) - 1;
            found.emplace_back(x, glyph);
            x += WidthOf(glyph) + 1;
        }
        return found;
    }
    test::ScratchDir dir;
    VffImage* font = nullptr;
    std::vector<std::uint8_t> screen = std::vector<std::uint8_t>(kPitch * 600, 0);
};

TEST_F(BitmapText, TheBarStartsALineTwelvePixelsLowerAtTheStart) {
    DrawText(100, 50, "AB|C", font);
    const int a = GlyphOfChar('A');
    EXPECT_EQ(glyphsOnRow(100, 50),
              (std::vector<std::pair<int, int>>{{100, a}, {100 + WidthOf(a) + 1, a + 1}}));
    EXPECT_EQ(glyphsOnRow(100, 62), (std::vector<std::pair<int, int>>{{100, a + 2}}));
    EXPECT_EQ(at(100, 61), 0) << "glyphs are 9 high; the next line starts at 62";
    EXPECT_EQ(at(100, 58), a + 1) << "the glyph is copied whole";
}

TEST_F(BitmapText, CharactersMapToTheirGlyphs) {
    struct Case {
        const char* text;
        std::vector<int> glyphs;
    };
    const Case cases[] = {
        {"09AZ", {1, 10, 11, 36}},
        {W("ÄÖÜß"), {38, 39, 40, 42}},
        {"-?\".,'", {37, 41, 43, 44, 45, 46}},
        {"ab z", {0, 0, 0, 0}},       // lower case and the blank show glyph 0
        {W("äö!"), {0, 0, 0}},        // so do lower-case umlauts and unknown signs
        {"A\tB\r\nC", {11, 12, 13}},  // control characters are ignored
    };
    for (const Case& c : cases) {
        std::fill(screen.begin(), screen.end(), 0);
        DrawText(20, 30, c.text, font);
        std::vector<int> shown;
        for (const auto& [x, glyph] : glyphsOnRow(20, 30)) shown.push_back(glyph);
        EXPECT_EQ(shown, c.glyphs) << c.text;
    }
}

TEST_F(BitmapText, TheTextEndsAtANul) {
    DrawText(20, 30, std::string_view("A\0B", 3), font);
    EXPECT_EQ(glyphsOnRow(20, 30).size(), 1u);
}

TEST_F(BitmapText, TextIsClippedToTheScreen) {
    // The buffer is wider than the screen, so a glyph drawn past x 799 would show in the margin;
    // one past y 599 would write past the buffer.
    DrawText(798, 595, "AA|A", font);
    const int a = GlyphOfChar('A');
    for (int y = 595; y < 600; ++y) {
        EXPECT_EQ(at(798, y), a + 1);
        EXPECT_EQ(at(799, y), a + 1);
        for (int x = 800; x < static_cast<int>(kPitch); ++x) ASSERT_EQ(at(x, y), 0) << x;
    }
    DrawText(-2, -3, "A", font);
    EXPECT_EQ(at(0, 0), a + 1) << "the visible part of a glyph left of and above the screen";
    EXPECT_EQ(at(WidthOf(a) - 2, 0), 0);
}

TEST_F(BitmapText, AFontWithFewerThanFortySevenGlyphsIsRefused) {
    EXPECT_EQ(load(BlockGlyphs(kBitmapFontGlyphs - 1)), nullptr);
    EXPECT_EQ(LoadBitmapFont(dir / "graphs/missing.vff"), nullptr);
    VffImage* more = load(BlockGlyphs(kBitmapFontGlyphs + 3));
    EXPECT_NE(more, nullptr);
    FreeVff(more);
}

TEST_F(BitmapText, TheSampleFontsHaveEveryGlyphAndFitTheLineHeight) {
    for (const auto& style : {sampledata::AnzFontStyle(), sampledata::AnzFontLittleStyle()}) {
        const auto glyphs = sampledata::MakeBitmapFontGlyphs(style);
        ASSERT_EQ(glyphs.size(), static_cast<std::size_t>(kBitmapFontGlyphs));
        for (int g = 1; g < kBitmapFontGlyphs; ++g) {
            bool inked = false;
            for (std::uint8_t p : glyphs[g].pixels()) inked = inked || p == style.ink;
            EXPECT_TRUE(inked) << "glyph " << g << " is not blank";
        }
        // Digits are drawn 14 pixels apart on the panel.
        for (int d = 1; d <= 10; ++d) EXPECT_LE(glyphs[d].width(), 13);
    }
    EXPECT_LE(sampledata::MakeBitmapFontGlyphs(sampledata::AnzFontLittleStyle())[0].height(),
              kBitmapTextLineHeight);
}

}  // namespace
}  // namespace kv
