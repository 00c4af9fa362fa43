// Mission 23 played from the start picture by clicks and keys: reached through the mission jump
// from mission 1 and briefed. Lost by buying nothing, when the two casualties on the square have
// died of their wounds and the gas; the win's first steps played as far as its moves go so far.

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

// The win's first steps the way a player plays them: the purchase at two stations, the vehicles
// parked outside the gas, both entrances sealed by the suits with the cutters, and the hostile
// person, drawn out by them, caught by the officer.
TEST_F(MissionTwentyThreePlayThrough, SealedAndTheHostileCaught) {
    shotPrefix = "play-m23-caught";
    test::ScriptedPlayer player(backend);
    intoMissionTwentyThree(player);
    ASSERT_FALSE(HasFatalFailure());
    buyForTheWinAndEnter(player);
    ASSERT_FALSE(HasFatalFailure());
    parkAndSeal(player);
    ASSERT_FALSE(HasFatalFailure());
    waitSealed(player);
    ASSERT_FALSE(HasFatalFailure());
    waitHostileOut(player);
    ASSERT_FALSE(HasFatalFailure());
    catchHostile(player);
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(GameMode, 2u);
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

// The same start, and while the entrances are sealed the decontamination truck's suits carry the
// two casualties off the square through the truck; clean and alive, the ambulances' teams load
// them and drive them home.
TEST_F(MissionTwentyThreePlayThrough, TheCasualtiesCarriedThroughTheDecontaminationTruck) {
    shotPrefix = "play-m23-carried";
    test::ScriptedPlayer player(backend);
    intoMissionTwentyThree(player);
    ASSERT_FALSE(HasFatalFailure());
    buyForTheWinAndEnter(player);
    ASSERT_FALSE(HasFatalFailure());
    parkAndSeal(player);
    ASSERT_FALSE(HasFatalFailure());
    carryOffTheSquare(player);
    ASSERT_FALSE(HasFatalFailure());
    waitSealed(player);
    ASSERT_FALSE(HasFatalFailure());
    ambulancesTakeThem(player);
    ASSERT_FALSE(HasFatalFailure());
    waitHostileOut(player);
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(GameMode, 2u);
    EXPECT_EQ(ToteCount, 0u);
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

}  // namespace
}  // namespace kv
