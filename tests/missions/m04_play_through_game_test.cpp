// Mission 4 played through from the start picture, by clicks and keys only: entered from
// mission 1 by the mission jump, the purchase made, and lost when the ringleader is left to
// agitate at the prison gate.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/message_line.h"
#include "core/mission_counters.h"
#include "core/mission_scratch.h"
#include "core/mission_state.h"
#include "core/random.h"
#include "mission/mission_fixture.h"
#include "missions/m04_moves.h"
#include "platform/cp1252.h"
#include "support/scripted_player.h"

namespace kv {
namespace {

class MissionFourPlayThrough : public test::MissionTest, public test::MissionFourMoves {
  protected:
    HeadlessBackend& playBackend() override { return backend; }

    // The start picture, mission 1 and the jump; bought and entered.
    void intoMissionFour(test::ScriptedPlayer& player) {
        useSampleData(true);
        openGame();
        SeedRandom(4);
        intoMissionOne(player);
        ASSERT_FALSE(HasFatalFailure());
        jumpToMissionFour(player);
        ASSERT_FALSE(HasFatalFailure());
        buyAndEnterMissionFour(player);
    }
};

TEST_F(MissionFourPlayThrough, TheRiotIsEndedByClicksAndKeys) {
    shotPrefix = "play-m04-won";
    test::ScriptedPlayer player(backend);
    intoMissionFour(player);
    ASSERT_FALSE(HasFatalFailure());
    winMissionFour(player);
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(ToteCount, 0);
    expectEvaluation(player, 1);
    printMemory();
}

TEST_F(MissionFourPlayThrough, TheRingleaderLeftAloneStormsThePrison) {
    shotPrefix = "play-m04-lost";
    test::ScriptedPlayer player(backend);
    intoMissionFour(player);
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_TRUE(playUntil(
        player, [] { return GameMode != 2; }, 9000));
    EXPECT_EQ(GameMode, 4u);
    EXPECT_EQ(Cp1252ToUtf8(MessageLine.data()), "Die Demonstranten haben das Gefängnis gestürmt!");
    // At speed 3 the frame that reaches the count may run on past it by two ticks.
    EXPECT_GE(static_cast<std::int16_t>(MissionScratch.S2), 24000);
    EXPECT_LE(static_cast<std::int16_t>(MissionScratch.S2), 24002);
    std::printf("lost at tick %u with %d dead\n", TickCounter, ToteCount);
    play(player, 2);
}

}  // namespace
}  // namespace kv
