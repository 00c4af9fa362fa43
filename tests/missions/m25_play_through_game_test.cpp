// Mission 25 played through from the start picture, by clicks and keys only: entered from
// mission 1 by the mission jump, won with the arsonist caught before his second fire and the
// fires put out, and lost when nothing is bought.

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
#include "missions/m25_play.h"
#include "platform/cp1252.h"
#include "support/scripted_player.h"

namespace kv {
namespace {

// With this seed the arsonist starts at entry 0 of his circuit, house 35.
constexpr std::uint32_t kSeedM25 = 9;

class MissionTwentyFivePlayThrough : public test::MissionTest, public test::MissionTwentyFiveMoves {
  protected:
    HeadlessBackend& playBackend() override { return backend; }

    // The start picture and mission 1.
    void seededIntoMissionOne(test::ScriptedPlayer& player) {
        useSampleData(true);
        openGame();
        SeedRandom(kSeedM25);
        intoMissionOne(player);
    }
};

TEST_F(MissionTwentyFivePlayThrough, TheArsonistIsCaughtByClicksAndKeys) {
    shotPrefix = "play-m25-won";
    test::ScriptedPlayer player(backend);
    seededIntoMissionOne(player);
    ASSERT_FALSE(HasFatalFailure());
    playMissionTwentyFive(player);
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(ArsonFirstTarget, 0);
    EXPECT_EQ(ToteCount, 0);
    expectEvaluation(player, 0);
    printMemory();
}

TEST_F(MissionTwentyFivePlayThrough, LeftAloneTheArsonistGetsAway) {
    shotPrefix = "play-m25-lost";
    test::ScriptedPlayer player(backend);
    seededIntoMissionOne(player);
    ASSERT_FALSE(HasFatalFailure());
    jumpToMissionTwentyFive(player);
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_EQ(ArsonFirstTarget, 0);
    enterMissionTwentyFiveEmptyHanded(player);
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_TRUE(playUntil(
        player, [] { return GameMode != 2; }, 12000));
    EXPECT_EQ(GameMode, 4u);
    EXPECT_EQ(Cp1252ToUtf8(MessageLine.data()), "Brandstifter entkommen!");
    EXPECT_EQ(ArsonNextTarget, ArsonEscapeMark);
    std::printf("lost at tick %u with %d dead\n", TickCounter, ToteCount);
    play(player, 2);
}

}  // namespace
}  // namespace kv
