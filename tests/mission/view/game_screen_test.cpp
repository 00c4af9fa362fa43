// The mission screen's frame on mission 1 of the sample data: the clock and the message line over
// the composed work buffer, the cursor, lost and locked surfaces; and mission 1 played into with
// houses, units, a clock and a message of a test's own, kept as test-frames/world.png.

#include "mission/view/game_screen.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/hover.h"
#include "core/message_line.h"
#include "core/mission_hooks.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/view.h"
#include "gfx/blend_tables.h"
#include "gfx/blitters.h"
#include "gfx/fonts.h"
#include "gfx/frame_buffer.h"
#include "mission/mission_fixture.h"
#include "mission/mission_start.h"
#include "mission/mission_tick.h"
#include "mission/panel_pictures.h"
#include "mission/selection.h"
#include "mission/view/draw_fixture.h"
#include "mission/view/draw_pictures.h"
#include "mission/view/message_box.h"
#include "persons/personen.h"
#include "platform/display.h"
#include "platform/text.h"
#include "support/kept_frames.h"
#include "world/house_images.h"
#include "world/house_types.h"
#include "world/houses.h"
#include "world/level_map.h"
#include "world/tile_set.h"

namespace kv {
namespace {

// The frame as it should be: the work buffer, with the clock's box darkened and the texts
// written as the screen writes them.
std::vector<std::uint8_t> Composed(const char* clock, const char* message) {
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

    bool shows(const char* clock, const char* message) const {
        return backend.frames().back().pixels == Composed(clock, message);
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

// Every cursor is a picture of its own, none the bare crosshair of a placeholder; all of them
// over the view are kept as test-frames/cursors.png.
TEST_F(GameScreenTest, EveryCursorIsAPictureOfItsOwn) {
    CursorId = kNoCursor;
    ASSERT_TRUE(drawFrame());
    std::set<std::string> seen;
    for (std::uint16_t id = 0; id < kCursorCount; ++id) {
        SCOPED_TRACE(id);
        const VffImage* cursor = SetFrame(MausImages, id);
        ASSERT_NE(cursor, nullptr);
        const std::vector<std::uint8_t> pixels(cursor->pixels,
                                               cursor->pixels + cursor->width * cursor->height);
        EXPECT_TRUE(seen.insert(std::string(pixels.begin(), pixels.end())).second)
            << "the same picture as another cursor";
        const auto at = [&](int x, int y) { return pixels[y * cursor->width + x]; };
        // A crosshair: two lines through the hot spot, nothing between them.
        bool crosshair = at(7, 7) == 0 && at(15, 15) == 0 && at(7, 15) == 0 && at(15, 7) == 0;
        for (int k = 4; k <= 18; ++k) crosshair = crosshair && at(11, k) != 0 && at(k, 11) != 0;
        EXPECT_FALSE(crosshair);
        BlitTransparentClippedTo(kScreenRect, cursor->pixels, 40 + id % 12 * 48, 60 + id / 12 * 48,
                                 cursor->width, cursor->height, WorkBuffer, kScreenWidth);
    }
    PresentWorkBuffer();
    EXPECT_TRUE(test::KeepFrame(backend, "cursors"));
}

// The panel's unit pictures side by side, kept as test-frames/unit-pictures.png.
TEST_F(GameScreenTest, UnitPicturesAreKeptToLookAt) {
    CursorId = kNoCursor;
    ASSERT_TRUE(drawFrame());
    for (std::uint16_t n = 0; n < 18; ++n) {
        const VffImage* picture = SetFrame(MaskPicsImages, n);
        ASSERT_NE(picture, nullptr);
        BlitTransparentClippedTo(kScreenRect, picture->pixels, 10 + n % 4 * 156, 10 + n / 4 * 70,
                                 picture->width, picture->height, WorkBuffer, kScreenWidth);
    }
    PresentWorkBuffer();
    EXPECT_TRUE(test::KeepFrame(backend, "unit-pictures"));
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

// Mission 1 with a scene of this test's own: a low house and a tall one north of the road, the
// low one cut open with three persons on its ground floor, two persons overlapping on the meadow
// south of it, the clock running and a message standing.
constexpr std::int16_t kLowHouseColumn = 24;
constexpr std::int16_t kTallHouseColumn = 35;
constexpr std::int16_t kHouseRow = 10;
constexpr int kTallHouse = 1;
constexpr char kWorldMessage[] = "Alle Einheiten im Blick";
MissionHooks g_missionOneRow;
std::int16_t g_back = -1;
std::int16_t g_front = -1;
std::int16_t g_behindTheFront = -1;

void InitTwoHouses() {
    HouseCount = 2;
    InitHouseList();
    AddHouse(0, kLowHouseColumn, kHouseRow, 2, 3, 0);   // 3 storeys
    AddHouse(4, kTallHouseColumn, kHouseRow, 0, 0, 0);  // 4 storeys
}

std::int16_t StandingPerson(int type, float x, float y, int storey) {
    const std::int16_t i = FindFreePerson();
    if (i < 0) return i;
    Person& p =
        PlacePerson(i, static_cast<std::int8_t>(type), x, y, static_cast<std::int8_t>(storey));
    SetStandingUnhurt(p);
    std::uint16_t house = 0xFFFF;
    if (storey >= 1 && PersonCellFits(static_cast<std::int16_t>(x), static_cast<std::int16_t>(y),
                                      static_cast<std::int8_t>(storey), house))
        p.house = house;
    ResetPerson(i);
    return i;
}

void InitPersonenOfTheScene() {
    g_missionOneRow.InitPersonen();
    // On the low house's cells (3, 2) and (4, 2), its ground floor.
    StandingPerson(1, 688, 350, 1);
    StandingPerson(2, 720, 350, 1);
    // On its front row, cell (4, 3), behind the front wall.
    g_behindTheFront = StandingPerson(1, 700, 380, 1);
    g_back = StandingPerson(1, 700, 640, 0);
    g_front = StandingPerson(2, 703, 646, 0);
}

void InitExtrasOfTheScene() {
    if (g_missionOneRow.InitMissionExtras != nullptr) g_missionOneRow.InitMissionExtras();
    House& low = Houses[0];
    low.shownStorey = 1;
    low.interiorView = 1;
    low.floors[0].personCount = 3;
    MissionClockMode = 1;
    MissionClock = 1200;
}

// The pixels of a run-encoded picture, 48 x its height.
std::vector<std::uint8_t> Decoded(const RunImage& image) {
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(kRunTileWidth) * image.height, 0);
    const std::uint8_t* s = image.data.data();
    for (int row = 0; row < image.height; ++row) {
        int used = 0;
        while (used < kRunTileWidth) {
            used += *s++;
            if (used == kRunTileWidth) break;
            const int copy = *s++;
            for (int k = 0; k < copy; ++k)
                pixels[static_cast<std::size_t>(row * kRunTileWidth + used + k)] = *s++;
            used += copy;
        }
    }
    return pixels;
}

class WorldScreenGame : public test::MissionTest {
  protected:
    // Mission 1 played into with the scene's two houses, persons and extras in place of its own.
    void playIntoTheScene(test::ScriptedPlayer& player) {
        playIntoMissionOne(player, [](MissionHooks& row) {
            g_missionOneRow = row;
            // Not about mission 1's rules.
            row.CheckMission = [] {};
            row.InitHouses = InitTwoHouses;
            row.InitPersonen = InitPersonenOfTheScene;
            row.InitMissionExtras = InitExtrasOfTheScene;
        });
    }
};

TEST_F(WorldScreenGame, MissionOneShowsItsGroundHousesUnitsCursorClockAndMessage) {
    test::ScriptedPlayer player(backend);
    playIntoTheScene(player);
    ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
    // Set once play has begun: the campaign map before it has a message line of its own.
    SetMessageLine(kWorldMessage, kMessageLineForever);
    ASSERT_GE(g_front, 0);
    ASSERT_NE(PlacedHouse(kTallHouse), nullptr);
    ASSERT_EQ(HouseTypen[4].floors, 4);
    const Person& back = Personen[static_cast<std::size_t>(g_back)];
    const Person& front = Personen[static_cast<std::size_t>(g_front)];
    const auto over = test::PointsOverBoth(back, front);
    ASSERT_FALSE(over.empty());
    const int mx = over[0][0];
    const int my = over[0][1];
    player.mouse(mx, my);
    const std::size_t kept = backend.frames().size();
    const std::uint32_t clock = MissionClock;
    player.frames(40);
    ASSERT_EQ(backend.frames().size(), kept + 40);
    EXPECT_EQ(MissionClock, clock + 40);
    EXPECT_EQ(HoverKind, kHoverPerson);
    EXPECT_EQ(HoverIds[0], g_front);
    ASSERT_TRUE(player.shot("world"));
    const HeadlessBackend::Frame& frame = backend.frames().back();
    const auto screen = [&](int x, int y) { return frame.at(x, y); };

    // A meadow cell's tile, whole.
    const CellPos cell = CellFromPixel(600, 660);
    const std::uint16_t tile =
        MapCells[static_cast<std::size_t>(CellIndex(cell.column, cell.row))].tile;
    ASSERT_LT(tile, TileImages.size());
    const RunImage& picture = TileImages[tile];
    const std::vector<std::uint8_t> tilePixels = Decoded(picture);
    const int tx = 32 * cell.column - 16 * cell.row - 16 - ViewOrigin.x;
    const int ty = 28 * cell.row + 28 - ViewOrigin.y - picture.height;
    int tileShown = 0;
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < kRunTileWidth; ++x)
            if (const std::uint8_t p = tilePixels[static_cast<std::size_t>(y * kRunTileWidth + x)];
                p != 0) {
                EXPECT_EQ(screen(tx + x, ty + y), p) << x << ", " << y;
                ++tileShown;
            }
    EXPECT_GT(tileShown, 800);

    // The tall house's front right corner: each storey's wall stands on its bottom line, 31
    // pixels above the one below.
    const House& tall = Houses[kTallHouse];
    const HouseTyp& typ = HouseTypen[4];
    const int ci = typ.extentI - 1;
    const int cj = typ.extentJ - 1;
    const int cx = 32 * (tall.x + ci) - 16 * (tall.y + cj) - 16 - ViewOrigin.x;
    const int cy = 28 * (tall.y + cj) + 28 - ViewOrigin.y;
    for (int s = 0; s < 4; ++s) {
        SCOPED_TRACE(s);
        const RunImage& wall = HouseHmSets[static_cast<std::size_t>(tall.upperSet)]
                                   .images[typ.cell(s, ci, cj).middleImage];
        const std::vector<std::uint8_t> wallPixels = Decoded(wall);
        int shown = 0;
        for (int x = 0; x < kRunTileWidth; ++x)
            if (const std::uint8_t p =
                    wallPixels[static_cast<std::size_t>((wall.height - 1) * kRunTileWidth + x)];
                p != 0) {
                EXPECT_EQ(screen(cx + x, cy - 31 * s - 1), p) << x;
                ++shown;
            }
        EXPECT_GT(shown, 10);
    }

    // The front person over the back one, where the cursor leaves them to be seen; the cursor's
    // hot spot on the mouse.
    const VffImage* cursor = SetFrame(MausImages, CursorId);
    ASSERT_NE(cursor, nullptr);
    const auto cursorPixel = [&](int x, int y) -> std::uint8_t {
        const int u = x - (mx - 11);
        const int v = y - (my - 11);
        if (u < 0 || v < 0 || u >= cursor->width || v >= cursor->height) return 0;
        return cursor->pixels[v * cursor->width + u];
    };
    const VffImage* frontPicture = PersonPicture(front).image;
    int frontShown = 0;
    for (const auto& [x, y] : over) {
        if (cursorPixel(x, y) != 0) continue;
        const int u = x + ViewOrigin.x - front.drawX;
        const int v = y + ViewOrigin.y - front.drawY;
        EXPECT_EQ(screen(x, y), frontPicture->pixels[v * frontPicture->width + u]);
        ++frontShown;
    }
    EXPECT_GT(frontShown, 0);
    int cursorShown = 0;
    for (int y = 0; y < cursor->height; ++y)
        for (int x = 0; x < cursor->width; ++x)
            if (const std::uint8_t p = cursor->pixels[y * cursor->width + x]; p != 0) {
                EXPECT_EQ(screen(mx - 11 + x, my - 11 + y), p);
                ++cursorShown;
            }
    EXPECT_GT(cursorShown, 0);

    // The clock on its dark box and the message centred under the view, over what the frame
    // composed.
    char shownClock[16];
    std::snprintf(shownClock, sizeof shownClock, "%02u:%02u", MissionClock / 20 / 60,
                  MissionClock / 20 % 60);
    EXPECT_EQ(frame.pixels, Composed(shownClock, kWorldMessage));
}

// The front wall of an opened house stands no higher than a sill: the person behind it shows
// over it and is pointed at there.
TEST_F(WorldScreenGame, APersonOnTheFrontRowOfAnOpenedHouseIsUnderTheMouse) {
    test::ScriptedPlayer player(backend);
    playIntoTheScene(player);
    ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
    ASSERT_GE(g_behindTheFront, 0);
    const Person& p = Personen[static_cast<std::size_t>(g_behindTheFront)];
    ASSERT_EQ(p.house, 0u);
    const HouseTyp& typ = HouseTypen[0];
    ASSERT_EQ(CellFromPixel(static_cast<int>(p.x), static_cast<int>(p.y)).row,
              kHouseRow + typ.extentJ - 1);
    const VffImage* picture = PersonPicture(p).image;
    ASSERT_NE(picture, nullptr);
    int pointed = 0;
    for (int v = 0; v < picture->height; v += 2)
        for (int u = 0; u < picture->width; u += 2) {
            if (picture->pixels[v * picture->width + u] == 0) continue;
            player.mouse(p.drawX + u - ViewOrigin.x, p.drawY + v - ViewOrigin.y);
            player.frames(1);
            if (HoverKind == kHoverPerson && HoverIds[0] == g_behindTheFront) ++pointed;
        }
    // All of it over the sill but its feet.
    EXPECT_GT(pointed, 10);
}

}  // namespace
}  // namespace kv
