// Mission 5 played through by clicks and keys, reached by the mission jump from mission 1: won
// by the basket rescue, and lost with the fire left alone.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/campaign.h"
#include "core/fatal_error.h"
#include "core/fire_counts.h"
#include "core/game_mode.h"
#include "core/message_line.h"
#include "core/mission_counters.h"
#include "core/mission_state.h"
#include "core/random.h"
#include "mission/mission_fixture.h"
#include "missions/m05_moves.h"
#include "platform/cp1252.h"
#include "screens/mission_jump.h"
#include "support/scripted_player.h"

namespace kv {
namespace {

class MissionFivePlayThrough : public test::MissionTest, public test::MissionFiveMoves {
  protected:
    HeadlessBackend& playBackend() override { return backend; }

    // The game from its start picture into mission 1, then the jump to campaign position 2.
    void jumpToMissionFive(test::ScriptedPlayer& player) {
        useSampleData(true);
        openGame();
        SeedRandom(5);
        clickStartPicture();
        finishVideo();
        ASSERT_EQ(GameMode, 10u) << FatalErrorMessage();
        leaveKarte(player);
        ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
        jumpToMission(player, 2, "02 Wohnhaus brennt!", 5);
        ASSERT_FALSE(HasFatalFailure());
        EXPECT_NE(videosOpened().find("mi05.avi"), std::string::npos);
        EXPECT_EQ(Money, 7000);
    }
};

// Won by clicks: the flat quenched, the two residents fetched down by the basket, cared for and
// driven off; the evaluation shows the time and the money.
TEST_F(MissionFivePlayThrough, BothResidentsFetchedByTheBasketWinIt) {
    test::ScriptedPlayer player(backend);
    shotPrefix = "play-m05-won";
    jumpToMissionFive(player);
    ASSERT_FALSE(HasFatalFailure());
    winMissionFive(player);
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(ToteCount, 0);
    EXPECT_GE(Money, 3000);
    expectEvaluation(player, 0);
    if (HasFatalFailure()) return;
    EXPECT_EQ(ResultLines[1].percent, 100);
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
    printMemory();
}

TEST_F(MissionFivePlayThrough, TheFireLeftAloneIsLost) {
    test::ScriptedPlayer player(backend);
    shotPrefix = "play-m05-lost";
    jumpToMissionFive(player);
    ASSERT_FALSE(HasFatalFailure());
    enterMissionFive(player);
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_TRUE(playUntil(
        player, [] { return GameMode != 2; }, 6000));
    EXPECT_EQ(GameMode, 4u);
    EXPECT_EQ(std::string(MessageLine.data()), "Brand ist ausser Kontrolle geraten!");
    std::printf("lost at tick %u with %d houses, %d dead\n", TickCounter, BurningHouseCount,
                ToteCount);
}

}  // namespace
}  // namespace kv
