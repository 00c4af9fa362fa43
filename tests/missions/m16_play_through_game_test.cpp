// Mission 16 played the way a player plays it, every step a click or a key: jumped to from mission
// 1, briefed, three vehicles bought and driven in. Sent onto the lane towards the scene while the
// traffic-jam sign lies folded, each is run into by the next car at full speed and blows up with
// it; the civilian car is lost too, and once the explosions are over the third loss fails the
// mission.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/message_line.h"
#include "core/mission_counters.h"
#include "core/random.h"
#include "mission/mission_fixture.h"
#include "missions/m16_play.h"
#include "platform/cp1252.h"
#include "support/scripted_player.h"
#include "world/sonder_obj.h"

namespace kv {
namespace {

class MissionSixteenPlayThrough : public test::MissionTest, public test::MissionSixteenMoves {
  protected:
    HeadlessBackend& playBackend() override { return backend; }

    // The start picture, mission 1's video and its map left for play, then the jump.
    void intoMissionSixteen(test::ScriptedPlayer& player) {
        useSampleData(true);
        openGame();
        SeedRandom(16);
        intoMissionOne(player);
        ASSERT_FALSE(HasFatalFailure());
        jumpToMissionSixteen(player);
        EXPECT_NE(videosOpened().find("mi16.avi"), std::string::npos);
    }
};

TEST_F(MissionSixteenPlayThrough, VehiclesOnTheLaneWithTheSignFoldedAreLost) {
    shotPrefix = "play-m16-lost";
    test::ScriptedPlayer player(backend);
    intoMissionSixteen(player);
    ASSERT_FALSE(HasFatalFailure());
    buyThreeAndEnter(player);
    ASSERT_FALSE(HasFatalFailure());
    driveOntoTheLane(player);
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_TRUE(playUntil(
        player, [] { return GameMode != 2; }, 6000))
        << LostBoughtFahrzeugCount << " lost at tick " << TickCounter;
    EXPECT_EQ(GameMode, 4u);
    EXPECT_EQ(Cp1252ToUtf8(MessageLine.data()), "Zu viele Fahrzeuge zerstört!");
    // Each crash loses the civilian car as well.
    EXPECT_GE(LostBoughtFahrzeugCount, 1u);
    EXPECT_GE(LostMissionFahrzeugCount, 1u);
    EXPECT_GE(LostBoughtFahrzeugCount + LostMissionFahrzeugCount, 3);
    std::printf("lost %u bought and %u other vehicles by tick %u\n", LostBoughtFahrzeugCount,
                LostMissionFahrzeugCount, TickCounter);
    play(player, 2);
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

// Off until the vehicles coming in and those going home no longer block each other on the
// service road.
TEST_F(MissionSixteenPlayThrough, DISABLED_RescueEveryoneClearTheLaneAndFoldTheSign) {
    shotPrefix = "play-m16-won";
    test::ScriptedPlayer player(backend);
    intoMissionSixteen(player);
    ASSERT_FALSE(HasFatalFailure());
    buyForTheWinAndEnter(player);
    ASSERT_FALSE(HasFatalFailure());
    rescue(player);
    ASSERT_FALSE(HasFatalFailure());
    std::printf("won at tick %u with %u dead and %d money\n", TickCounter, ToteCount, Money);
    EXPECT_LT(ToteCount, 5u);
    EXPECT_EQ(SonderObjs[kSignSlot].frame, 0);
    expectEvaluation(player, 1);
    printMemory();
}

}  // namespace
}  // namespace kv
