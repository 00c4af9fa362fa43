// Mission 7 lost the way a player loses it: jumped to from mission 1, vehicles bought and driven
// in, and the casualties left alone at speed 3 until one has died.

#include <gtest/gtest.h>

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
};

TEST_F(MissionSevenPlayThrough, LostWithTheCasualtiesLeftAlone) {
    useSampleData(true);
    openGame();
    SeedRandom(7);
    test::ScriptedPlayer player(backend);
    player.click(400, 300);
    play(player, 1);
    finishVideo();
    play(player, 1);
    ASSERT_EQ(GameMode, 10u);
    leaveKarte(player);
    ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
    jumpToMissionSeven(player);
    EXPECT_NE(videosOpened().find("mi07.avi"), std::string::npos);
    buyAndEnter(player);
    leaveCasualtiesAlone(player);
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

}  // namespace
}  // namespace kv
