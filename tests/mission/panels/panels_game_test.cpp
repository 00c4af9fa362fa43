// Mission 1 played with a bought fire engine on the road: the panels show its picture, crew and
// buttons, a click on PERSONAL|AUSSTEIGEN fires on the third frame, and the map button ends its
// frame before the ticks.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "core/campaign.h"
#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/mission_hooks.h"
#include "core/mission_state.h"
#include "core/selection.h"
#include "gfx/bitmap_text.h"
#include "media/sound_table.h"
#include "mission/command_slots.h"
#include "mission/mission_fixture.h"
#include "mission/panel_pictures.h"
#include "mission/panels/command_tables.h"
#include "movement/befehl_queue.h"
#include "persons/personen.h"
#include "support/scripted_player.h"
#include "support/sound_log.h"
#include "vehicles/fahrzeuge.h"

namespace kv {
namespace {

constexpr float kEngineX = 800;
constexpr float kEngineY = 530;
std::int16_t g_engine = -1;

// After the vehicles are set up: a bought F102 on the road with three fire fighters aboard.
void PlaceSelectedF102() {
    LoadFahrzeugTyp(kTypF102);
    g_engine = CreateFahrzeug(kTypF102, static_cast<std::int16_t>(kEngineX),
                              static_cast<std::int16_t>(kEngineY), 3);
    ASSERT_GE(g_engine, 0);
    SetupFahrzeug(g_engine, kOwnerBought);
    Fahrzeug& v = Fahrzeuge[static_cast<std::size_t>(g_engine)];
    v.targetable = 1;
    v.selectable = 1;
    for (int seat = 0; seat < 3; ++seat) {
        const std::int16_t p = FindFreePerson();
        ASSERT_GE(p, 0);
        Person& crew = PlacePerson(p, 1, kEngineX, kEngineY, 0);
        crew.offMap = 1;
        v.seats[static_cast<std::size_t>(seat)] = static_cast<std::uint16_t>(p);
    }
}

class PanelsGameTest : public test::MissionTest {};

TEST_F(PanelsGameTest, TheFireEnginesPanelShowsItsCrewAndItsButtonsFireOnTheThirdFrame) {
    test::ScriptedPlayer player(backend);
    useSampleData(false);
    openGame();
    MissionHookRow(1)->InitMissionExtras = PlaceSelectedF102;
    player.click(400, 300);
    player.frames(1);
    leaveKarte(player);
    ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
    // Selected as the game does when its units change; the mission's start cleared the selection.
    Fahrzeuge[static_cast<std::size_t>(g_engine)].selected = 1;
    UpdateSelectionMode();
    ASSERT_EQ(SelectionMode, kTypF102);
    ASSERT_EQ(SelectedIndex, g_engine);

    player.frames(1);
    ASSERT_TRUE(player.shot("panels"));
    // Whether the picture's pixels (the non-zero ones when transparent) stand at (x, y) of the
    // last frame shown, from its column fromX and row fromY on, up to row toY.
    auto shows = [this](const VffImage& image, int x, int y, bool transparent, int fromX = 0,
                        int fromY = 0, int toY = -1) {
        const HeadlessBackend::Frame& f = backend.frames().back();
        for (int j = fromY; j < (toY < 0 ? image.height : toY); ++j)
            for (int i = fromX; i < image.width; ++i) {
                const std::uint8_t c = image.pixels[j * image.width + i];
                if ((!transparent || c != 0) && f.at(x + i, y + j) != c) return false;
            }
        return true;
    };
    // The backgrounds where nothing is drawn over them.
    EXPECT_TRUE(shows(MaskeImages[0], 640, 10, false, 0, 0, 40));
    EXPECT_TRUE(shows(MaskeImages[1], 8, 480, false, 0, 0, 12));
    // The fire engine's picture left of its crew and below its bar.
    EXPECT_TRUE(shows(MaskPicsImages[45], 32, 493, false, 8, 12));
    const HeadlessBackend::Frame& f = backend.frames().back();
    for (int n = 0; n < 3; ++n) {
        EXPECT_EQ(f.at(34, 517 + 6 * n), 249) << n;
        EXPECT_EQ(f.at(37, 520 + 6 * n), 249) << n;
    }
    EXPECT_NE(f.at(34, 535), 249) << "three squares";
    // "6000", right-aligned at x 746.
    for (const auto& [x, digit] : {std::pair{704, 6}, {718, 0}, {732, 0}, {746, 0}})
        EXPECT_TRUE(shows(AnzFontImages[digit + 1], x, 463, true)) << x;
    // PERSONAL|AUSSTEIGEN and ZUR BASIS raised, button 2 covered.
    EXPECT_EQ(CommandSlots[0].command, kCmdStaffOut);
    EXPECT_EQ(CommandSlots[1].command, kNoCommand);
    EXPECT_EQ(CommandSlots[2].command, kCmdBackToBase);
    EXPECT_TRUE(shows(ButsImages[0], 354, 561, false));
    EXPECT_TRUE(shows(AbdeckImages[1], 467, 505, true));
    EXPECT_TRUE(shows(ButsImages[2], 665, 563, false));
    const VffImage& p = AnzFontLittleImages[GlyphOfChar('P')];
    const VffImage& z = AnzFontLittleImages[GlyphOfChar('Z')];
    const VffImage& a = AnzFontLittleImages[GlyphOfChar('A')];
    EXPECT_TRUE(shows(p, 363, 514, false)) << "PERSONAL";
    EXPECT_TRUE(shows(a, 363, 514 + kBitmapTextLineHeight, false)) << "AUSSTEIGEN";
    EXPECT_TRUE(shows(z, 590, 514, false)) << "ZUR BASIS";

    // The click on button 1: two frames without its raised look, the command on the third.
    player.click(400, 540);
    const Fahrzeug& v = Fahrzeuge[static_cast<std::size_t>(g_engine)];
    for (int frame = 1; frame <= 2; ++frame) {
        player.frames(1);
        EXPECT_FALSE(shows(ButsImages[0], 354, 561, false)) << frame;
        EXPECT_EQ(HeadBefehlOpcode(v), -1) << frame;
    }
    player.frames(1);
    ASSERT_EQ(HeadBefehlOpcode(v), 40);
    EXPECT_EQ(v.orders->aInt(), 8 - 1) << "given with 8, counted down by the frame's tick";
    EXPECT_EQ(v.orders->bInt(), 1);
    const std::vector<int> played = test::PlayedSoundIds(backend.sound);
    EXPECT_NE(std::find(played.begin(), played.end(), kSoundClickHigh), played.end());

    // The map button: its third frame ends before the ticks.
    player.click(700, 170);
    const std::uint32_t ticks = TickCounter;
    player.frames(3);
    EXPECT_EQ(TickCounter, ticks + 2);
    const std::vector<int> after = test::PlayedSoundIds(backend.sound);
    EXPECT_NE(std::find(after.begin(), after.end(), kSoundClickLow), after.end());
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

}  // namespace
}  // namespace kv
