// Mission 21 played from the start picture by clicks and keys: reached through the mission jump,
// briefed, and lost with the casualties left lying.

#include <gtest/gtest.h>

#include <string>

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/message_line.h"
#include "core/mission_counters.h"
#include "core/random.h"
#include "mission/mission_fixture.h"
#include "missions/m21_play_through.h"
#include "support/scripted_player.h"

namespace kv {
namespace {

class MissionTwentyOnePlayThrough : public test::MissionTest, public test::MissionTwentyOneMoves {
  protected:
    HeadlessBackend& playBackend() override { return backend; }

    // The start picture, mission 1's video and its map left for play.
    void intoMissionOne(test::ScriptedPlayer& player) {
        useSampleData(true);
        openGame();
        SeedRandom(21);
        player.click(400, 300);
        play(player, 1);
        finishVideo();
        play(player, 1);
        ASSERT_EQ(GameMode, 10u);
        leaveKarte(player);
        play(player, 1);
    }
};

TEST_F(MissionTwentyOnePlayThrough, LostWithTheCasualtiesLeftLying) {
    test::ScriptedPlayer player(backend);
    intoMissionOne(player);
    jumpToMissionTwentyOne(player, [this] { finishVideo(); });
    EXPECT_NE(videosOpened().find("mi21.avi"), std::string::npos);
    briefAndEnter(player);
    ASSERT_TRUE(playUntil(
        player, [] { return GameMode != 2; }, 15000));
    EXPECT_EQ(GameMode, 4u);
    EXPECT_EQ(std::string(MessageLine.data()), "Zu viele Tote!");
    EXPECT_GE(ToteCount, 4u);
    play(player, 2);
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

}  // namespace
}  // namespace kv
