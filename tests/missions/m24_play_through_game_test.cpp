// Mission 24 played through from the start picture, by clicks and keys only: entered from
// mission 1 by the mission jump, and lost when nobody goes to the river.

#include <gtest/gtest.h>

#include <string>

#include "core/game_mode.h"
#include "core/message_line.h"
#include "core/random.h"
#include "missions/m24_play_through.h"
#include "platform/cp1252.h"

namespace kv {
namespace {

using MissionTwentyFourPlayThrough = test::MissionTwentyFourPlay;

TEST_F(MissionTwentyFourPlayThrough, NothingBoughtAPersonDrowns) {
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
