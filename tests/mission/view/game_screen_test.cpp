// The mission screen's frame on mission 1 of the sample data: the clock and the message line over
// the composed work buffer, the cursor, lost and locked surfaces.

#include "mission/view/game_screen.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/message_line.h"
#include "core/mission_hooks.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/view.h"
#include "gfx/blend_tables.h"
#include "gfx/fonts.h"
#include "gfx/frame_buffer.h"
#include "mission/mission_fixture.h"
#include "mission/mission_start.h"
#include "mission/mission_tick.h"
#include "mission/panel_pictures.h"
#include "mission/selection.h"
#include "mission/view/draw_pictures.h"
#include "mission/view/message_box.h"
#include "platform/display.h"
#include "platform/text.h"
#include "world/houses.h"

namespace kv {
namespace {

// Mission 1 has no houses; this one stands in its start view.
void InitHousesWithOne() {
    HouseCount = 1;
    InitHouseList();
    AddHouse(4, 35, 10, 0, 0, 0);
}

class GameScreenTest : public test::MissionTest {
  protected:
    void SetUp() override {
        MissionTest::SetUp();
        test::ScriptedPlayer player(backend);
        playIntoMissionOne(player, [](MissionHooks& row) {
            // Not about mission 1's rules: its check would end it once its scene changes.
            row.CheckMission = [] {};
            row.InitHouses = InitHousesWithOne;
        });
        ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
        MissionClockMode = 0;
        ClearMessageLine();
    }

    // Draws a frame; false when none was shown.
    bool drawFrame() {
        const std::size_t before = backend.frames().size();
        DrawGameScreen();
        return backend.frames().size() == before + 1;
    }

    // The frame as it should be: the work buffer, with the clock's box darkened and the texts
    // written as the screen writes them.
    static std::vector<std::uint8_t> composed(const char* clock, const char* message) {
        std::vector<std::uint8_t> screen(WorkBuffer, WorkBuffer + kWorkBufferSize);
        TextContext dc(screen.data(), kScreenWidth, kScreenWidth, kScreenHeight,
                       DisplayCurrentPalette());
        if (clock != nullptr) {
            for (int y = 13; y < 13 + 24; ++y)
                for (int x = 13; x < 13 + 60; ++x) {
                    std::uint8_t& p = screen[static_cast<std::size_t>(y * kScreenWidth + x)];
                    p = BlendTable50[p];
                }
            UseLargeWhiteText(dc, TA_LEFT | TA_TOP);
            dc.textOut(20, 12, clock);
        }
        if (message != nullptr) {
            UseLargeWhiteText(dc, TA_CENTER | TA_TOP);
            dc.textOut(325, 450, message);
        }
        return screen;
    }
    bool shows(const char* clock, const char* message) const {
        return backend.frames().back().pixels == composed(clock, message);
    }
};

// The clock shows minutes and seconds of its ticks on a darkened box, while its mode is not 0.
TEST_F(GameScreenTest, TheClockShowsMinutesAndSecondsOnItsDarkBox) {
    const struct {
        std::uint8_t mode;
        std::uint32_t ticks;
        const char* shown;
    } cases[] = {
        {1, 1200, "01:00"}, {2, 24000, "20:00"}, {1, 1219, "01:00"},
        {1, 1239, "01:01"}, {0, 1200, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ticks);
        MissionClockMode = c.mode;
        MissionClock = c.ticks;
        ASSERT_TRUE(drawFrame());
        EXPECT_TRUE(shows(c.shown, nullptr));
    }
    // Not just any text: another time would look different.
    MissionClockMode = 1;
    MissionClock = 1200;
    ASSERT_TRUE(drawFrame());
    EXPECT_FALSE(shows("01:01", nullptr));
}

// A message lives its frames: one frame for a countdown of 1, sixty for 60, and for ever for
// 65535 until another replaces it. Its box is centred under the view.
TEST_F(GameScreenTest, TheMessageLineLivesItsFramesOverItsBox) {
    SetMessageLine("Einmal", 1);
    ASSERT_TRUE(drawFrame());
    EXPECT_TRUE(shows(nullptr, "Einmal"));
    EXPECT_EQ(MessageLine[0], '\0');
    ASSERT_TRUE(drawFrame());
    EXPECT_TRUE(shows(nullptr, nullptr));

    SetMessageLine("Sechzig Bilder", 60);
    for (int frame = 1; frame <= 60; ++frame) ASSERT_TRUE(drawFrame());
    EXPECT_TRUE(shows(nullptr, "Sechzig Bilder"));
    EXPECT_EQ(MessageLine[0], '\0');

    SetMessageLine("Bleibt", kMessageLineForever);
    for (int frame = 0; frame < 100; ++frame) DrawGameScreen();
    EXPECT_TRUE(shows(nullptr, "Bleibt"));
    SetMessageLine("Neu", 60);
    ASSERT_TRUE(drawFrame());
    EXPECT_TRUE(shows(nullptr, "Neu"));

    // The clock and the line together.
    MissionClockMode = 1;
    MissionClock = 2400;
    ASSERT_TRUE(drawFrame());
    EXPECT_TRUE(shows("02:00", "Neu"));
}

// The box is the text's width and 20 more, centred on x 325 over rows 448..477 and cut to the
// screen; the line's countdown runs on when the surface takes no text.
TEST_F(GameScreenTest, TheMessageBoxIsCentredUnderTheViewAndCutToTheScreen) {
    constexpr std::uint8_t kFill = 77;
    const std::uint8_t dark = BlendTable50[kFill];
    TextContext measure(WorkBuffer, kScreenWidth, kScreenWidth, kScreenHeight,
                        DisplayCurrentPalette());
    measure.selectFont(FontLarge);
    // A text 200 pixels wide.
    std::string text;
    for (int n = 1; n < 200 && text.empty(); ++n)
        for (const char c : {'l', 'i', '.', 'a', 'W'})
            if (measure.textExtent(std::string(static_cast<std::size_t>(n), c)).cx == 200)
                text.assign(static_cast<std::size_t>(n), c);
    ASSERT_FALSE(text.empty());
    const auto tinted = [&](int x, int y) {
        return WorkBuffer[static_cast<std::size_t>(y * kScreenWidth + x)] == dark;
    };
    const struct {
        std::string text;
        int left;
        int right;  // exclusive
    } cases[] = {{text, 215, 435}, {std::string(255, 'W'), 0, 800}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.size());
        std::fill_n(WorkBuffer, kWorkBufferSize, kFill);
        SetMessageLine(c.text, 60);
        DrawMessageBox();
        for (int x = 0; x < kScreenWidth; ++x) {
            const bool inside = x >= c.left && x < c.right;
            ASSERT_EQ(tinted(x, 448), inside) << x;
            ASSERT_EQ(tinted(x, 477), inside) << x;
            ASSERT_FALSE(tinted(x, 447)) << x;
            ASSERT_FALSE(tinted(x, 478)) << x;
        }
    }

    LockedSurface busy;
    ASSERT_EQ(DisplayLock(SurfaceId::Back, busy), DD_OK);
    SetMessageLine("Ohne Text", 2);
    DrawMessageLine();
    EXPECT_EQ(MessageLineCountdown, 1);
    DrawMessageLine();
    EXPECT_EQ(MessageLine[0], '\0');
    DisplayUnlock(SurfaceId::Back);
}

// The cursor picture's hot spot lies on the mouse; there is none for 65535, past the pictures or
// while a box is dragged, and at the screen's edge it is cut.
TEST_F(GameScreenTest, TheCursorStandsOnTheMouseUnlessNoneIsWanted) {
    MouseX = 300;
    MouseY = 200;
    CursorId = kNoCursor;
    ASSERT_TRUE(drawFrame());
    const std::vector<std::uint8_t> bare(WorkBuffer, WorkBuffer + kWorkBufferSize);
    const VffImage* arrow = SetFrame(MausImages, kCursorPointer);
    ASSERT_NE(arrow, nullptr);
    // The cursor's pixels right of and below the hot spot, where a drag box never reaches.
    const auto cursorShown = [&] {
        int differ = 0;
        int drawn = 0;
        for (int y = 11; y < arrow->height; ++y)
            for (int x = 11; x < arrow->width; ++x) {
                const std::uint8_t p = arrow->pixels[y * arrow->width + x];
                const auto i =
                    static_cast<std::size_t>((MouseY - 11 + y) * kScreenWidth + MouseX - 11 + x);
                drawn += p != 0 ? 1 : 0;
                if (WorkBuffer[i] != (p != 0 ? p : bare[i])) ++differ;
            }
        return drawn > 0 && differ == 0;
    };
    const struct {
        const char* what;
        std::uint16_t cursor;
        std::uint8_t drag;
        bool shown;
    } cases[] = {{"the pointer", kCursorPointer, 0, true},
                 {"none", kNoCursor, 0, false},
                 {"past the pictures", 200, 0, false},
                 {"dragging", kCursorPointer, 1, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CursorId = c.cursor;
        DragActive = c.drag;
        MouseDownPoint = {ViewOrigin.x + 250, ViewOrigin.y + 150};
        ASSERT_TRUE(drawFrame());
        EXPECT_EQ(cursorShown(), c.shown);
    }
    DragActive = 0;
    CursorId = kCursorPointer;
    MouseX = 799;
    MouseY = 599;
    EXPECT_TRUE(drawFrame()) << "cut at the screen's corner";
}

// Lost surfaces are made again and the frame is shown; surfaces that cannot be made end the game
// as the display reports it. A surface that cannot be locked skips the frame, and the view stays
// fresh until a frame is shown. A house part with a tile animation's kind shows nothing more.
TEST_F(GameScreenTest, LostLockedOrFatalFrames) {
    DisplaySimulateLoss(true, true);
    ASSERT_TRUE(drawFrame());
    EXPECT_EQ(DisplayIsLost(SurfaceId::Primary), DD_OK);
    EXPECT_EQ(DisplayIsLost(SurfaceId::Back), DD_OK);

    MissionViewFresh = 1;
    LockedSurface busy;
    ASSERT_EQ(DisplayLock(SurfaceId::Back, busy), DD_OK);
    EXPECT_FALSE(drawFrame());
    EXPECT_EQ(MissionViewFresh, 1);
    DisplayUnlock(SurfaceId::Back);
    EXPECT_TRUE(drawFrame());
    EXPECT_EQ(MissionViewFresh, 0);

    // Every floor of the top storey, which shows on every cell.
    ASSERT_NE(PlacedHouse(0), nullptr);
    for (auto& column : Houses[0].floors.back().flames[kFlameLower]) column.fill({1, 0, 0});
    EXPECT_FALSE(drawFrame());
    EXPECT_EQ(FatalErrorMessage(), "Show: ANI_TYPA/B");
}

TEST_F(GameScreenTest, SurfacesThatCannotBeMadeAgainEndTheGame) {
    DisplayRefuseSurfaces(true);
    DisplaySimulateLoss(false, true);
    EXPECT_FALSE(drawFrame());
    DisplayRefuseSurfaces(false);
    EXPECT_TRUE(FatalErrorRaised());
    EXPECT_EQ(GameMode, 0u);
    ASSERT_FALSE(backend.boxes().empty());
    EXPECT_EQ(backend.boxes().back().text, "DirectDraw Init FAILED. Error:16389");
    EXPECT_FALSE(drawFrame());
}

}  // namespace
}  // namespace kv
