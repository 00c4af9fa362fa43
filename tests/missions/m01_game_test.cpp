// Mission 1 played from the start picture, through the window procedure and the game's frames.

#include <gtest/gtest.h>

#include "core/campaign.h"
#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/hover.h"
#include "core/mission_points.h"
#include "core/mission_state.h"
#include "core/view.h"
#include "mission/mission_fixture.h"
#include "mission/mission_steps.h"
#include "movement/befehl.h"
#include "support/kept_frames.h"
#include "support/scripted_player.h"
#include "vehicles/fahrzeuge.h"
#include "world/sonder_obj.h"

namespace kv {
namespace {

constexpr std::int16_t kF110 = 9;
constexpr std::uint16_t kCraneSelected = 9;

using MissionOneGame = test::MissionTest;

// Whether the order list holds order 2 with its goals and, next after it, order 45.
bool HasCraneOrders(const Fahrzeug& crane) {
    for (const Befehl* b = crane.orders; b != nullptr; b = b->next)
        if (b->opcode == 2 && b->goals.size() == 4 && b->next != nullptr && b->next->opcode == 45)
            return true;
    return false;
}

TEST_F(MissionOneGame, TheStartPictureLeadsIntoMissionOneWhereTheCraneIsOfferedTheTractor) {
    useSampleData(false);
    openGame();
    test::ScriptedPlayer player(backend);
    player.click(400, 300);
    player.frames(1);
    ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
    EXPECT_EQ(MissionNummer, 1);

    EXPECT_EQ(Money, 6000);
    EXPECT_EQ(RoadEntry.x, -100);
    EXPECT_EQ(RoadEntry.y, 560);
    EXPECT_EQ(RoadEntry.run, 370);
    EXPECT_EQ(RoadEntry.facing, 3);
    EXPECT_EQ(RoadExit.x, -150);
    EXPECT_EQ(RoadExit.y, 505);
    EXPECT_EQ(RoadExit.side, 0);
    EXPECT_EQ(KarteMarker.x, 242);
    EXPECT_EQ(KarteMarker.y, 351);
    EXPECT_EQ(BriefingBox.x, 170);
    EXPECT_EQ(BriefingBox.y, 90);
    EXPECT_EQ(BriefingBox.width, 400);
    EXPECT_EQ(BriefingBox.height, 230);

    // A few seconds of play: the traffic comes, nothing fails.
    player.frames(100);
    EXPECT_EQ(GameMode, 2u);
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();

    // The crane offered the tractor needs the mission screen's drawing (which finds what lies
    // under the mouse), the mouse handlers of play and the cursor choice.
    const GameModeHandlers& play = HandlersFor(2);
    ASSERT_NE(MissionView.DrawGameScreen, nullptr);
    ASSERT_NE(MissionView.ChooseCursor, nullptr);
    ASSERT_NE(play.mouseMove, nullptr);

    // The view over the accident and the cows in the meadow.
    ViewOrigin = {790, 400};
    const std::int16_t c = CreateFahrzeug(kF110, 1060, 430, 9);
    ASSERT_GE(c, 0);
    LoadFahrzeugTyp(kF110);
    SetupFahrzeug(c, kOwnerBought);
    Fahrzeug& crane = Fahrzeuge[static_cast<std::size_t>(c)];
    crane.selected = 1;
    SelectionMode = kCraneSelected;
    SelectedIndex = static_cast<std::uint16_t>(c);

    const SonderObj& tractor = SonderObjs[0];
    const SonderObjTyp& typ = *SonderObjTypAt(tractor.type);
    const float x = tractor.x + static_cast<float>((typ.boxX0 + typ.boxX1) / 2);
    const float y = tractor.y + static_cast<float>((typ.boxY0 + typ.boxY1) / 2);
    player.mouseWorld(x, y);
    player.frames(2);
    if (HoverKind == kHoverNothing)
        GTEST_SKIP() << "the mission screen does not draw the world yet, so nothing is hovered";
    EXPECT_EQ(CursorId, kCursorRescue);
    EXPECT_TRUE(player.shot("m01-scene"));

    // Taking it up needs the click dispatcher.
    if (play.lButtonUp == nullptr) GTEST_SKIP() << "the clicks are not in the game";
    player.clickWorld(x, y);
    player.frames(0);  // the click is handled; the next tick starts planning the drive
    EXPECT_TRUE(HasCraneOrders(crane));
}

}  // namespace
}  // namespace kv
