// Mission 21 played from the start picture by clicks and keys: reached through the mission jump,
// briefed, won by fetching every casualty before the engine explodes, and lost with the
// casualties left lying.

#include <gtest/gtest.h>

#include <string>

#include "core/campaign.h"
#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/message_line.h"
#include "core/mission_counters.h"
#include "core/random.h"
#include "mission/evaluation.h"
#include "mission/mission_fixture.h"
#include "missions/m21_play_through.h"
#include "support/scripted_player.h"

namespace kv {
namespace {

class MissionTwentyOnePlayThrough : public test::MissionTest, public test::MissionTwentyOneMoves {
  protected:
    HeadlessBackend& playBackend() override { return backend; }

    // The game opened and seeded, and from the start picture into mission 1.
    void openIntoMissionOne(test::ScriptedPlayer& player) {
        useSampleData(true);
        openGame();
        SeedRandom(21);
        intoMissionOne(player);
        ASSERT_FALSE(HasFatalFailure());
        play(player, 1);
    }
};

TEST_F(MissionTwentyOnePlayThrough, WonByFetchingEveryCasualtyBeforeTheEngineExplodes) {
    shotPrefix = "play-m21-won";
    test::ScriptedPlayer player(backend);
    openIntoMissionOne(player);
    winMissionTwentyOne(player);
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(ToteCount, 0u);
    // The engine still burns: it does not hold the win back.
    EXPECT_LT(TickCounter, 30000u);
    EXPECT_EQ(SonderObjs[7].type, 31);
    // The evaluation: nobody dead, the time, the money.
    expectEvaluation(player, 1);
    if (HasFatalFailure()) return;
    EXPECT_EQ(std::string(ResultLines[0].text.data()), "Tote: 0");
    EXPECT_EQ(ResultLines[0].percent, 100);
    play(player, 2);  // the evaluation's frame kept
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
    printMemory();
}

TEST_F(MissionTwentyOnePlayThrough, LostWithTheCasualtiesLeftLying) {
    shotPrefix = "play-m21-lost";
    test::ScriptedPlayer player(backend);
    openIntoMissionOne(player);
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
