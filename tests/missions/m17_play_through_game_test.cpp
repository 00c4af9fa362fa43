// Mission 17 played the way a player plays it, every step a click or a key: jumped to from mission
// 1, briefed, vehicles bought and driven in. Left at that, with the power on, the onlookers sent
// toward the cables from tick 4800 are struck there and the mission is lost; with the leak left
// open the gas explodes; with every danger dealt with and every casualty driven home it is won.

#include <gtest/gtest.h>

#include <string>

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/message_line.h"
#include "core/mission_counters.h"
#include "core/mission_scratch.h"
#include "core/mission_state.h"
#include "core/random.h"
#include "mission/mission_fixture.h"
#include "missions/m17_play.h"
#include "platform/cp1252.h"
#include "support/scripted_player.h"
#include "world/houses.h"

namespace kv {
namespace {

class MissionSeventeenPlayThrough : public test::MissionTest, public test::MissionSeventeenMoves {
  protected:
    HeadlessBackend& playBackend() override { return backend; }

    // The start picture, mission 1's video and its map left for play, then the jump.
    void intoMissionSeventeen(test::ScriptedPlayer& player) {
        useSampleData(true);
        openGame();
        SeedRandom(17);
        intoMissionOne(player);
        ASSERT_FALSE(HasFatalFailure());
        jumpToMissionSeventeen(player);
        EXPECT_NE(videosOpened().find("mi17.avi"), std::string::npos);
    }
};

// The casualty lying on the ground floor's front row, behind the front wall, is pointed at once
// the house is opened with someone inside.
TEST_F(MissionSeventeenPlayThrough, TheCasualtyBehindTheFrontWallShowsInTheOpenedHouse) {
    shotPrefix = "play-m17-front-wall";
    test::ScriptedPlayer player(backend);
    intoMissionSeventeen(player);
    ASSERT_FALSE(HasFatalFailure());
    const std::int16_t c = CasualtyAt(rescues.back().lies);
    ASSERT_GE(c, 0);
    ASSERT_EQ(P(c).house, static_cast<std::uint16_t>(kRescueHouse));
    // A fire fighter inside: only a storey someone has entered is shown without its ceiling.
    Houses[kRescueHouse].floors[0].personCount = 1;
    openGroundFloor(player, kRescueHouse);
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_TRUE(hoverPersonAnywhere(player, c)) << "casualty " << c;
}

TEST_F(MissionSeventeenPlayThrough, AnOnlookerStruckAtTheLiveCablesLosesIt) {
    shotPrefix = "play-m17-lost";
    test::ScriptedPlayer player(backend);
    intoMissionSeventeen(player);
    buyAndEnter(player);
    engineInAndCrewOut(player);
    ASSERT_TRUE(playUntil(
        player, [] { return GameMode != 2; }, 4000));
    EXPECT_EQ(GameMode, 4u);
    EXPECT_EQ(Cp1252ToUtf8(MessageLine.data()),
              "Eine Zivilperson wurde durch Ihre Nachlässigkeit verletzt!");
    EXPECT_GT(TickCounter, 4800u) << "nobody strays before 4800";
    EXPECT_LT(TickCounter, 6000u) << "struck before the gas explodes";
    EXPECT_EQ(MissionScratch.S0, 0u) << "the leak is still open";
    EXPECT_EQ(MissionScratch.S1, 0u) << "the power is still on";
    EXPECT_GT(static_cast<std::int16_t>(MissionScratch.S2), 0);
    play(player, 2);
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

// The power switched off, so nobody is struck, but the leak left open: the gas explodes and the
// mission is lost at once, the later blasts still running.
TEST_F(MissionSeventeenPlayThrough, TheLeakLeftOpenLosesItToTheGas) {
    shotPrefix = "play-m17-gas";
    test::ScriptedPlayer player(backend);
    intoMissionSeventeen(player);
    buyAndEnter(player);
    engineInAndCrewOut(player);
    switchPowerOff(player, fireFighters[1]);
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_TRUE(playUntil(
        player, [] { return GameMode != 2; }, 4000));
    EXPECT_EQ(GameMode, 4u);
    EXPECT_EQ(Cp1252ToUtf8(MessageLine.data()), "Folgeexplosion durch entweichendes Gas!");
    EXPECT_GE(TickCounter, 6030u);
    EXPECT_EQ(MissionScratch.S0, 0u);
    EXPECT_EQ(static_cast<std::int16_t>(MissionScratch.S2), 0) << "nobody struck";
    play(player, 2);
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

// The dangers dealt with by clicks: the leak closed, the power switched off (the fuse box stands on
// the ground floor inside its house, so a fire fighter goes in by the door and points at the box
// there), the caravan put out and the rubble on the way cleared.
TEST_F(MissionSeventeenPlayThrough, TheLeakClosedThePowerOffTheCaravanOutAndTheRubbleCleared) {
    shotPrefix = "play-m17-dangers";
    test::ScriptedPlayer player(backend);
    intoMissionSeventeen(player);
    buyAndEnter(player);
    engineInAndCrewOut(player);
    closeTheLeak(player, fireFighters[0]);
    switchPowerOff(player, fireFighters[1]);
    play(player, 2);
    EXPECT_TRUE(player.shot("m17-power-off"));
    EXPECT_EQ(MissionScratch.S1, 1u) << "the cables are dead";
    ASSERT_TRUE(playUntil(
        player, [] { return MissionScratch.S0 != 0; }, 3000));
    EXPECT_LT(TickCounter, 6000u);
    putOutTheCaravan(player);
    clearRubble(player, fireFighters[0], 4);
    clearRubble(player, fireFighters[0], 5);
    EXPECT_EQ(GameMode, 2u);
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

// The whole mission won by clicks: every danger dealt with, all nine casualties driven home, the
// two on the first floor carried out of the house first, the last ambulance bought from the map
// once the others have gone; the banner clicked away into the evaluation.
TEST_F(MissionSeventeenPlayThrough, WonByClicksWithEveryCasualtyDrivenHome) {
    shotPrefix = "play-m17-won";
    test::ScriptedPlayer player(backend);
    intoMissionSeventeen(player);
    ASSERT_FALSE(HasFatalFailure());
    winMissionSeventeen(player);
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(ToteCount, 0);
    EXPECT_EQ(MissionScratch.S0, 1u) << "the leak is closed";
    EXPECT_EQ(MissionScratch.S1, 1u) << "the power is off";
    EXPECT_LT(SonderObjs[4].type, 0) << "rubble 4 is cleared";
    EXPECT_LT(SonderObjs[5].type, 0) << "rubble 5 is cleared";
    EXPECT_EQ(SonderObjs[kCaravan].burning, 0);
    EXPECT_GE(Money, 4000);
    expectEvaluation(player, 1);
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

}  // namespace
}  // namespace kv
