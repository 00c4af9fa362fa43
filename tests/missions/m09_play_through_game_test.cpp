// Mission 9 reached the way a player reaches it, by clicks and keys: from mission 1 through the
// mission jump typed over the options button, its video and briefing, police cars bought at the
// small station and driven in; the fans then left alone fight until the situation escalates.

#include <gtest/gtest.h>

#include <string>

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/random.h"
#include "mission/mission_fixture.h"
#include "missions/m09_play.h"
#include "support/scripted_player.h"

namespace kv {
namespace {

class MissionNinePlayThrough : public test::MissionTest, public test::MissionNineMoves {
  protected:
    HeadlessBackend& playBackend() override { return backend; }
};

TEST_F(MissionNinePlayThrough, TheFansLeftAloneEscalateTheSituation) {
    useSampleData(true);
    openGame();
    SeedRandom(7);
    test::ScriptedPlayer player(backend);
    intoMissionOne(player);
    ASSERT_FALSE(HasFatalFailure());
    jumpToMissionNine(player);
    EXPECT_NE(videosOpened().find("mi09.avi"), std::string::npos);
    buyAndEnter(player);
    leaveFansAlone(player);
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
    printMemory();
}

// Unfinished: officers lead fans to the platform, but too few reach the gates in time and the
// fights' casualties are not yet cared for (see the moves).
TEST_F(MissionNinePlayThrough, DISABLED_OfficersTakeTheFansToTheTrain) {
    useSampleData(true);
    openGame();
    SeedRandom(7);
    test::ScriptedPlayer player(backend);
    intoMissionOne(player);
    ASSERT_FALSE(HasFatalFailure());
    jumpToMissionNine(player);
    buyToWin(player);
    keepFansApart(player);
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

}  // namespace
}  // namespace kv
