// Mission 18 played the way a player plays it, every step a click or a key: jumped to from mission
// 1 as the campaign's last position, briefed, and entered. Won with the fire stopped on the hedge;
// left alone, the fire runs through the first wood, along the hedge into the wood round the
// houses, and the eighth burning house loses the mission.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/fatal_error.h"
#include "core/fire_counts.h"
#include "core/game_mode.h"
#include "core/message_line.h"
#include "core/mission_counters.h"
#include "core/mission_scratch.h"
#include "core/mission_state.h"
#include "core/random.h"
#include "mission/evaluation.h"
#include "mission/mission_fixture.h"
#include "missions/m18_play.h"
#include "platform/cp1252.h"
#include "platform/data_folders.h"
#include "support/kept_frames.h"
#include "support/scripted_player.h"

namespace kv {
namespace {

class MissionEighteenPlayThrough : public test::MissionTest, public test::MissionEighteenMoves {
  protected:
    HeadlessBackend& playBackend() override { return backend; }

    // The start picture, mission 1's video and its map left for play, then the jump.
    void intoMissionEighteen(test::ScriptedPlayer& player) {
        useSampleData(true);
        openGame();
        SeedRandom(18);
        intoMissionOne(player);
        ASSERT_FALSE(HasFatalFailure());
        jumpToMissionEighteen(player);
        EXPECT_NE(videosOpened().find("mi18.avi"), std::string::npos);
    }
};

TEST_F(MissionEighteenPlayThrough, TheFireLeftAloneBurnsEightHousesAndLosesIt) {
    shotPrefix = "play-m18-lost";
    test::ScriptedPlayer player(backend);
    intoMissionEighteen(player);
    ASSERT_FALSE(HasFatalFailure());
    intoThePlayUnbought(player);
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_TRUE(player.shot("m18-start"));
    ASSERT_TRUE(playUntil(
        player, [] { return GameMode != 2; }, 8000))
        << "tick " << TickCounter << " houses " << BurningHouseCount;
    EXPECT_EQ(GameMode, 4u);
    EXPECT_EQ(Cp1252ToUtf8(MessageLine.data()), "Brand ist ausser Kontrolle geraten!");
    EXPECT_EQ(MissionScratch.S0, 1u) << "the fire reached the drainage line on its way";
    play(player, 2);
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

// Three tankers stop the fire on the hedge before it reaches the drainage line, a fire fighter
// cuts the yard's gate open and the crane truck lifts a container; with the hedge burnt out
// behind the break the mission is won. The evaluation, and as the campaign's last mission the
// high scores and the end picture.
TEST_F(MissionEighteenPlayThrough, ThreeTankersStopTheFireOnTheHedgeAndWinIt) {
    shotPrefix = "play-m18-won";
    test::ScriptedPlayer player(backend);
    intoMissionEighteen(player);
    ASSERT_FALSE(HasFatalFailure());
    SetWriteFolder(dir / "written");
    winMissionEighteen(player);
    ASSERT_FALSE(HasFatalFailure());
    std::printf("won at tick %u\n", TickCounter);
    EXPECT_EQ(MissionScratch.S0, 0u) << "the drainage line never burnt";
    EXPECT_EQ(ToteCount, 0);
    expectEvaluation(player, 1);
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(std::string(ResultLines[0].text.data()), "Tote: 0");
    EXPECT_EQ(ResultLines[0].percent, 100);
    EXPECT_EQ(ResultLines[2].percent, 100);
    player.click(400, 300);
    play(player, 1);
    ASSERT_EQ(GameMode, 17u) << FatalErrorMessage();
    player.chars("Kestrel");
    player.chars("\r");
    play(player, 1);
    ASSERT_EQ(GameMode, 16u) << FatalErrorMessage();
    play(player, 40);
    EXPECT_TRUE(test::KeepFrameInCurrentPalette(backend, "play-m18-ende"));
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

}  // namespace
}  // namespace kv
