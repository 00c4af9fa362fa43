// The hint text: its file, its capitals and how it is broken into lines.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/mission_state.h"
#include "gfx/bitmap_text.h"
#include "gfx/frame_buffer.h"
#include "platform/cp1252.h"
#include "screens/hints.h"
#include "support/headless_test.h"

namespace kv {
namespace {

// A font whose glyph g is 5 pixels wide (glyph 0 3 pixels) and filled with colour g + 1, so that
// a drawn line can be read back glyph by glyph.
class FixtureFont {
  public:
    FixtureFont() {
        pixels_.resize(kBitmapFontGlyphs);
        for (int g = 0; g < kBitmapFontGlyphs; ++g) {
            const int w = g == 0 ? 3 : 5;
            pixels_[g].assign(static_cast<std::size_t>(w * kHeight),
                              static_cast<std::uint8_t>(g + 1));
            frames_.push_back(VffImage{static_cast<std::uint16_t>(w), kHeight, pixels_[g].data()});
        }
        frames_.push_back(VffImage{});
    }
    const VffImage* get() const { return frames_.data(); }
    static constexpr std::uint16_t kHeight = 8;

  private:
    std::vector<std::vector<std::uint8_t>> pixels_;
    std::vector<VffImage> frames_;
};

class Hints : public test::HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        screen.assign(static_cast<std::size_t>(kScreenWidth) * kScreenHeight, 0);
        DrawTarget = screen.data();
        DrawPitch = kScreenWidth;
    }
    // The glyphs of each drawn line, read back from the left edge at x, 12 pixels apart; empty
    // lines at the end left out.
    std::vector<std::vector<int>> linesAt(int x, int y) const {
        std::vector<std::vector<int>> lines;
        for (; y < kScreenHeight; y += kBitmapTextLineHeight) {
            std::vector<int> line;
            for (int pen = x; pen < kScreenWidth;) {
                const std::uint8_t c = screen[static_cast<std::size_t>(y) * kScreenWidth + pen];
                if (c == 0) break;
                line.push_back(c - 1);
                pen += (c == 1 ? 3 : 5) + 1;
            }
            lines.push_back(line);
        }
        while (!lines.empty() && lines.back().empty()) lines.pop_back();
        return lines;
    }
    std::vector<std::uint8_t> screen;
    FixtureFont font;
};

std::vector<int> Glyphs(std::string_view text) {
    std::vector<int> glyphs;
    for (const char c : text) glyphs.push_back(GlyphOfChar(static_cast<unsigned char>(c)));
    return glyphs;
}

TEST_F(Hints, TextIsBrokenIntoLinesOfTheColumn) {
    // Six pixels a letter, four a blank: 49 letters fill 294 of the column's 295 pixels.
    const std::string word49(49, 'W');
    struct Case {
        const char* what;
        std::string text;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"CR LF ends a line", "AB\r\nCD\r\n\r\nE", {"AB", "CD", "", "E"}},
        {"other control codes are skipped", "A\tB\nC\x01", {"ABC"}},
        {"no CR: broken after the last blank that fits",
         std::string(40, 'A') + " " + std::string(10, 'B') + " C",
         {std::string(40, 'A') + " ", std::string(10, 'B') + " C"}},
        {"a blank that overflows stays on its line", word49 + " X", {word49 + " ", "X"}},
        {"a character the font lacks shows glyph 0", "A!B", {"A B"}},
        {"an over-wide word is cut where it overflows",
         std::string(60, 'Q'),
         {std::string(49, 'Q'), std::string(11, 'Q')}},
        {"the cut word after a blank of the line",
         "AB " + std::string(60, 'Q'),
         {"AB ", std::string(49, 'Q'), std::string(11, 'Q')}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::fill(screen.begin(), screen.end(), 0);
        DrawWrappedText(20, 30, c.text, font.get());
        std::vector<std::vector<int>> expected;
        for (const std::string& line : c.lines) expected.push_back(Glyphs(line));
        EXPECT_EQ(linesAt(20, 30), expected);
    }
}

TEST_F(Hints, ALineBufferHoldsAtMost255Characters) {
    // Letters without width advance the pen by one pixel: 300 of them would fit 295 pixels
    // nearly, but a line holds 255. The B behind them shows where its line began.
    std::uint8_t ink = 7;
    std::vector<VffImage> narrow(kBitmapFontGlyphs, VffImage{0, 1, &ink});
    narrow[GlyphOfChar('B')].width = 1;
    narrow.push_back(VffImage{});
    DrawWrappedText(0, 0, std::string(300, 'A') + "B", narrow.data());
    EXPECT_EQ(screen[12 * kScreenWidth + 45], 7);
}

TEST_F(Hints, TheFileIsReadForItsPartInCapitals) {
    test::ScratchDir dir;
    dir.write("data/d/hints/M101.dat", W("Straße ändern, öfter ÿ!\r\n"));
    dir.write("data/d/hints/M210b.dat", "zweiter teil");
    test::WorkingDirectory cwd(dir.path());
    struct Case {
        std::uint8_t mission;
        std::uint8_t partTwo;
        std::string text;
    };
    const Case cases[] = {
        {1, 0, W("STRAßE ÄNDERN, ÖFTER Ÿ!\r\n")},
        {1, 1, ""},  // no second part's file, and no fall-back to the first's
        {2, 1, "ZWEITER TEIL"},
        {2, 0, ""},
        {0, 0, ""},
    };
    for (const Case& c : cases) {
        MissionNummer = c.mission;
        PartTwo = c.partTwo;
        LoadHintText();
        EXPECT_EQ(HintText, c.text) << int{c.mission} << " " << int{c.partTwo};
    }
    EXPECT_EQ(UpperCaseCp1252(W("aäöüßéÿšœž÷µ")), W("AÄÖÜßÉŸŠŒŽ÷µ"));
}

}  // namespace
}  // namespace kv
