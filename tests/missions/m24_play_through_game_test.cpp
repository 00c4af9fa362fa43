// Mission 24 played through from the start picture, by clicks and keys only: entered from
// mission 1 by the mission jump, won by the rescue of all five, and lost when nobody goes to the
// river.

#include <gtest/gtest.h>

#include <string>

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/message_line.h"
#include "core/mission_counters.h"
#include "core/random.h"
#include "mission/evaluation.h"
#include "missions/m24_play_through.h"
#include "platform/cp1252.h"

namespace kv {
namespace {

using MissionTwentyFourPlayThrough = test::MissionTwentyFourPlay;

// Rings for the first three and the last, the boat waiting in the river for the others, the
// landing at the slipway, the medic, the stretcher teams and five ambulances home: nobody dies.
TEST_F(MissionTwentyFourPlayThrough, TheFivePeopleAreRescuedByClicksAndKeys) {
    shotPrefix = "play-m24-won";
    useSampleData(true);
    openGame();
    SeedRandom(5);
    test::ScriptedPlayer player(backend);
    enterFromMissionOne(player);
    if (HasFatalFailure()) return;
    Fleet b = buyAndEnter(player);
    ASSERT_FALSE(HasFailure());
    winMissionTwentyFour(player, b);
    ASSERT_FALSE(HasFailure());
    EXPECT_EQ(ToteCount, 0);
    expectEvaluation(player, 0);
    if (HasFatalFailure()) return;
    // The money left weighs once, the time twice.
    EXPECT_EQ(ResultLines[1].percent, 100);
    EXPECT_EQ(EvaluationEfficiency, (2 * ResultLines[0].percent + 100) / 3);
    play(player, 2);
    printMemory();
}

TEST_F(MissionTwentyFourPlayThrough, NothingBoughtAPersonDrowns) {
    shotPrefix = "play-m24-lost";
    useSampleData(true);
    openGame();
    SeedRandom(5);
    test::ScriptedPlayer player(backend);
    enterFromMissionOne(player);
    if (HasFatalFailure()) return;
    startPlaying(player);
    ASSERT_TRUE(playUntil(
        player, [] { return GameMode != test::kModeMission; }, 2000));
    EXPECT_EQ(GameMode, test::kModeFailed);
    EXPECT_EQ(Cp1252ToUtf8(MessageLine.data()), "Person ertrunken!");
    play(player, 2);
}

}  // namespace
}  // namespace kv
