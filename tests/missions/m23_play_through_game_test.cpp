// Mission 23 played from the start picture by clicks and keys: reached through the mission jump
// from mission 1 and briefed. Lost by buying nothing, when the two casualties on the square have
// died of their wounds and the gas.

#include <gtest/gtest.h>

#include <string>

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/mission_counters.h"
#include "core/random.h"
#include "mission/mission_fixture.h"
#include "missions/m23_play.h"
#include "support/scripted_player.h"

namespace kv {
namespace {

class MissionTwentyThreePlayThrough : public test::MissionTest,
                                      public test::MissionTwentyThreeMoves {
  protected:
    HeadlessBackend& playBackend() override { return backend; }

    // The start picture, mission 1's video and its map left for play, then the jump with the
    // video and the briefing.
    void intoMissionTwentyThree(test::ScriptedPlayer& player) {
        useSampleData(true);
        openGame();
        SeedRandom(23);
        intoMissionOne(player);
        ASSERT_FALSE(HasFatalFailure());
        jumpToMissionTwentyThree(player);
        ASSERT_FALSE(HasFatalFailure());
        EXPECT_NE(videosOpened().find("mi23.avi"), std::string::npos);
    }
};

TEST_F(MissionTwentyThreePlayThrough, LostWithNothingBought) {
    shotPrefix = "play-m23-lost";
    test::ScriptedPlayer player(backend);
    intoMissionTwentyThree(player);
    ASSERT_FALSE(HasFatalFailure());
    enterAndWait(player);
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_GE(ToteCount, 2u);
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

// The first half of the win the way a player plays it: the purchase at two stations, the vehicles
// parked outside the gas, both entrances sealed by the suits with the cutters, and the hostile
// person drawn out by them and caught by the officer.
TEST_F(MissionTwentyThreePlayThrough, SealedAndTheHostileCaught) {
    shotPrefix = "play-m23-won";
    test::ScriptedPlayer player(backend);
    intoMissionTwentyThree(player);
    ASSERT_FALSE(HasFatalFailure());
    buyForTheWinAndEnter(player);
    ASSERT_FALSE(HasFatalFailure());
    sealAndCatch(player);
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(GameMode, 2u);
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

}  // namespace
}  // namespace kv
