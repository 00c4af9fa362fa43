// Mission 7 lost the way a player loses it: jumped to from mission 1, vehicles bought and driven
// in, and the casualties left alone at speed 3 until one has died.

#include <gtest/gtest.h>

#include <cstdio>

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/mission_state.h"
#include "core/random.h"
#include "mission/mission_fixture.h"
#include "missions/m07_play.h"
#include "support/scripted_player.h"

namespace kv {
namespace {

class MissionSevenPlayThrough : public test::MissionTest, public test::MissionSevenMoves {
  protected:
    HeadlessBackend& playBackend() override { return backend; }

    // The game from its start picture into mission 1, seeded, then the jump to mission 7 with
    // its video and briefing.
    void startAndJump(test::ScriptedPlayer& player) {
        useSampleData(true);
        openGame();
        SeedRandom(7);
        intoMissionOne(player);
        ASSERT_FALSE(HasFatalFailure());
        jumpToMissionSeven(player);
    }
};

TEST_F(MissionSevenPlayThrough, LostWithTheCasualtiesLeftAlone) {
    test::ScriptedPlayer player(backend);
    startAndJump(player);
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_NE(videosOpened().find("mi07.avi"), std::string::npos);
    buyAndEnter(player);
    leaveCasualtiesAlone(player);
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

// Not run yet: the play gets as far as house 1 opened (at about tick 2400), the onlookers led
// below the square, the two casualties in front of the station loaded and a fire fighter inside
// house 1; but a casualty lying inside a burnt-out station hall is not drawn, so the mouse cannot
// point at it to pick it up.
TEST_F(MissionSevenPlayThrough, DISABLED_WonByClearingTheStation) {
    test::ScriptedPlayer player(backend);
    startAndJump(player);
    ASSERT_FALSE(HasFatalFailure());
    buyForTheWinAndEnter(player);
    ASSERT_FALSE(HasFatalFailure());
    winMissionSeven(player);
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

}  // namespace
}  // namespace kv
