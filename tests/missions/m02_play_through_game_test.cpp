// Mission 2 played through by clicks and keys, reached by the mission jump from mission 1: won by
// two tankers on the burning hedge, and lost with the fire left alone.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/campaign.h"
#include "core/fatal_error.h"
#include "core/fire_counts.h"
#include "core/game_mode.h"
#include "core/message_line.h"
#include "core/mission_counters.h"
#include "core/mission_state.h"
#include "core/random.h"
#include "mission/evaluation.h"
#include "mission/mission_fixture.h"
#include "missions/m02_moves.h"
#include "platform/cp1252.h"
#include "screens/mission_jump.h"
#include "support/scripted_player.h"

namespace kv {
namespace {

class MissionTwoPlayThrough : public test::MissionTest, public test::MissionTwoMoves {
  protected:
    HeadlessBackend& playBackend() override { return backend; }

    // The game from its start picture into mission 1, then the jump to campaign position 12.
    void jumpToMissionTwo(test::ScriptedPlayer& player) {
        useSampleData(true);
        openGame();
        SeedRandom(5);
        clickStartPicture();
        finishVideo();
        ASSERT_EQ(GameMode, 10u) << FatalErrorMessage();
        leaveKarte(player);
        ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
        jumpToMission(player, 12, W("12 Flächenbrand in Waldstück!"), 2);
        ASSERT_FALSE(HasFatalFailure());
        EXPECT_NE(videosOpened().find("mi02.avi"), std::string::npos);
        EXPECT_EQ(Money, 22000);
    }
};

TEST_F(MissionTwoPlayThrough, TwoTankersOnTheHedgeWinIt) {
    test::ScriptedPlayer player(backend);
    shotPrefix = "play-m02-won";
    jumpToMissionTwo(player);
    ASSERT_FALSE(HasFatalFailure());
    winMissionTwo(player);
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(ToteCount, 0);
    // The evaluation: nobody dead, the time, the money.
    expectEvaluation(player, 1);
    if (HasFatalFailure()) return;
    EXPECT_EQ(std::string(ResultLines[0].text.data()), "Tote: 0");
    EXPECT_EQ(ResultLines[0].percent, 100);
    EXPECT_EQ(ResultLines[2].percent, 100);
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

TEST_F(MissionTwoPlayThrough, TheFireLeftAloneIsLost) {
    test::ScriptedPlayer player(backend);
    shotPrefix = "play-m02-lost";
    jumpToMissionTwo(player);
    ASSERT_FALSE(HasFatalFailure());
    enterMissionTwo(player);
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_TRUE(playUntil(
        player, [] { return GameMode != 2; }, 6000));
    EXPECT_EQ(GameMode, 4u);
    EXPECT_EQ(std::string(MessageLine.data()), W("Brand ist ausser Kontrolle geraten!"));
    std::printf("lost at tick %u with %d cells, %d houses, %d dead\n", TickCounter,
                BurningCellCount, BurningHouseCount, ToteCount);
}

}  // namespace
}  // namespace kv
