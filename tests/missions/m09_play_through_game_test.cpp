// Mission 9 played the way a player plays it, by clicks and keys: from mission 1 through the
// mission jump typed over the options button, its video and briefing, police cars bought at the
// small station and driven in; the fans left alone fight until the situation escalates, and the
// fans taken to the train one club after the other win it.

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
    shotPrefix = "play-m09-lost";
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

// An officer on each gate's point lets club B in first, club A once club B is gone, so that no
// fan meets a rival; the officers take every fan to the platform, the train takes them, and the
// mission is won without a casualty.
TEST_F(MissionNinePlayThrough, OfficersTakeTheFansToTheTrain) {
    shotPrefix = "play-m09-won";
    useSampleData(true);
    openGame();
    SeedRandom(7);
    test::ScriptedPlayer player(backend);
    intoMissionOne(player);
    ASSERT_FALSE(HasFatalFailure());
    winMissionNine(player);
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
    printMemory();
}

}  // namespace
}  // namespace kv
