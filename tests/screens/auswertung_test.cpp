// The evaluation screen drawn with the sample pictures: which lines show, where the markers
// stand, and how the evaluation font sets a text.

#include "screens/auswertung.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/mission_hooks.h"
#include "core/mission_state.h"
#include "gfx/frame_buffer.h"
#include "mission/evaluation.h"
#include "mission/mission_fixture.h"

namespace kv {
namespace {

// The sample marker's fill colour, inside its dark frame.
constexpr std::uint8_t kMarkerFill = 187;

class Auswertung : public test::MissionTest {
  protected:
    void SetUp() override {
        MissionTest::SetUp();
        useSampleData(false);
        openGame();
        std::memset(WorkBuffer, 0, kWorkBufferSize);
    }
    // Mission 1's evaluation replaced by the test's lines, shown for one frame.
    void show(void (*fill)()) {
        MissionNummer = 1;
        MissionHookRows[0].EvaluateMission = fill;
        OpenAuswertung();
        ASSERT_EQ(GameMode, 18u) << FatalErrorMessage();
        RunAuswertungFrame();
        ASSERT_FALSE(backend.frames().empty());
    }
    // Whether a marker's fill stands with its top-left corner at (x, y).
    bool markerAt(int x, int y) const {
        return backend.frames().back().at(x + 3, y + 5) == kMarkerFill;
    }
};

void SetLine(int i, const char* text, std::uint16_t percent) {
    ResultLine& line = ResultLines[static_cast<std::size_t>(i)];
    std::strncpy(line.text.data(), text, line.text.size());
    line.percent = percent;
}

TEST_F(Auswertung, LinesShowUpToTheFirstEmptyOneWithTheirMarkers) {
    struct Case {
        const char* name;
        void (*fill)();
        std::vector<bool> markersOnLines;  // lines 0..2 at 0 %, 100 %, 0 %
    };
    const Case cases[] = {
        {"no line", [] { EvaluationEfficiency = 50; }, {false, false, false}},
        {"two lines",
         [] {
             SetLine(0, "Zeit: 00:05", 0);
             SetLine(1, "Geld: 6000", 100);
             EvaluationEfficiency = 50;
         },
         {true, true, false}},
        {"an empty second line hides the third",
         [] {
             SetLine(0, "Zeit: 00:05", 0);
             SetLine(2, "Tote: 0", 0);
             EvaluationEfficiency = 50;
         },
         {true, false, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        show(c.fill);
        // 0 % at x 156, 100 % at 452, each 11 below its bar; the bars 60 apart from y 122.
        EXPECT_EQ(markerAt(156, 133), c.markersOnLines[0]);
        EXPECT_EQ(markerAt(452, 193), c.markersOnLines[1]);
        EXPECT_EQ(markerAt(156, 253), c.markersOnLines[2]);
        EXPECT_TRUE(markerAt(304, 343)) << "the efficiency's marker at 50 %";
        ResetAuswertung();
    }
}

TEST_F(Auswertung, AnOutOfRangePercentStaysOnTheBar) {
    show([] {
        SetLine(0, "Zeit", 250);
        EvaluationEfficiency = -40;
    });
    EXPECT_TRUE(markerAt(452, 133));
    EXPECT_TRUE(markerAt(156, 343));
}

TEST_F(Auswertung, AMissionWithoutNumberShowsOneEmptyLineAtNothing) {
    SetLine(0, "alt", 77);
    MissionNummer = 0;
    EvaluationPoints = 9;
    OpenAuswertung();
    EXPECT_EQ(GameMode, 18u);
    EXPECT_EQ(ResultLines[0].text[0], '\0');
    EXPECT_EQ(ResultLines[0].percent, 0);
    EXPECT_EQ(EvaluationEfficiency, 0);
    EXPECT_EQ(EvaluationPoints, 0);
}

TEST_F(Auswertung, TheFontBreaksAtBarsAndSetsUnknownCharactersBlank) {
    MissionNummer = 0;
    OpenAuswertung();
    ASSERT_NE(AuswertungFont, nullptr);
    const VffImage* font = AuswertungFont;
    const int blank = font[0].width + 1;
    const VffImage& a = font[kAuswertungGlyphs['A']];
    const VffImage& b = font[kAuswertungGlyphs['B']];
    EXPECT_EQ(kAuswertungGlyphs[static_cast<unsigned char>('\xDF')], 0) << "ß";
    EXPECT_EQ(kAuswertungGlyphs[static_cast<unsigned char>('\xFC')], 68) << "ü";
    // Every character of code 32 and up counts for the centring, the bar included.
    EXPECT_EQ(AuswertungTextWidth("A|B\n"), a.width + 1 + blank + b.width + 1);

    std::vector<std::uint8_t> screen(kWorkBufferSize, 0);
    DrawTarget = screen.data();
    DrawPitch = kScreenWidth;
    DrawAuswertungText(100, 50,
                       "\xDF"
                       "A|B");
    DrawTarget = nullptr;
    // A glyph's pixels where the text put it.
    const auto drawnAt = [&](const VffImage& g, int x, int y) {
        for (int gy = 0; gy < g.height; ++gy)
            for (int gx = 0; gx < g.width; ++gx) {
                const std::uint8_t p = g.pixels[gy * g.width + gx];
                if (p != 0 &&
                    screen[static_cast<std::size_t>((y + gy) * kScreenWidth + x + gx)] != p)
                    return false;
            }
        return true;
    };
    EXPECT_TRUE(drawnAt(a, 100 + blank, 50)) << "ß advances as the blank";
    EXPECT_TRUE(drawnAt(b, 100, 62)) << "| starts a row 12 lower at the same x";
}

}  // namespace
}  // namespace kv
