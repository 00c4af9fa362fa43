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
    shotPrefix = "play-m07-lost";
    test::ScriptedPlayer player(backend);
    startAndJump(player);
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_NE(videosOpened().find("mi07.avi"), std::string::npos);
    buyAndEnter(player);
    leaveCasualtiesAlone(player);
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

// Won the way a player wins it: the same entry, the purchase for the win at two stations, the
// station's entrances cut open, its casualties carried out, treated and driven off with the two
// from the square, the onlookers led away, and the station burnt out before the fire comes back.
TEST_F(MissionSevenPlayThrough, WonByClearingTheStation) {
    shotPrefix = "play-m07-won";
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
