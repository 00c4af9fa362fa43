// Mission 11 played by clicks and keys, lost and won: the jump list opens it from mission 1 and
// its briefing is read. Lost: nobody is sent; the dam breaks at speed 3, the video between the
// parts runs, and the people the flood caught drown until too many are dead. Won: the valley is
// evacuated but for the houses that keep residents, whom the boat fetches from the roofs after
// the break and the helicopters fly out.

#include <gtest/gtest.h>

#include <string>

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/message_line.h"
#include "core/mission_counters.h"
#include "core/mission_state.h"
#include "core/options.h"
#include "core/random.h"
#include "media/video.h"
#include "mission/mission_fixture.h"
#include "missions/m11_moves.h"
#include "platform/cp1252.h"
#include "support/scripted_player.h"

namespace kv {
namespace {

class MissionElevenPlayThrough : public test::MissionTest, public test::MissionElevenMoves {
  protected:
    HeadlessBackend& playBackend() override { return backend; }

    // From the start picture into mission 1's play, then by the jump list into mission 11.
    void enterMissionEleven(test::ScriptedPlayer& player) {
        intoMissionOne(player);
        ASSERT_FALSE(HasFatalFailure());
        jumpToMissionEleven(player);
        EXPECT_NE(videosOpened().find("mi11.avi"), std::string::npos);
    }
};

TEST_F(MissionElevenPlayThrough, LostWhenTheFloodTakesThePeopleLeftInTheValley) {
    shotPrefix = "play-m11-lost";
    useSampleData(true);
    openGame();
    SeedRandom(11);
    test::ScriptedPlayer player(backend);
    ASSERT_NO_FATAL_FAILURE(enterMissionEleven(player));
    player.key(VK_ESCAPE);
    play(player, 1);
    ASSERT_EQ(GameMode, 2u);
    fast(player);
    ASSERT_EQ(GameSpeed, 3);
    ASSERT_TRUE(playUntil(
        player, [] { return VideoStage == kVideoMidMission; }, 4000));
    EXPECT_GT(TickCounter, 9600u) << "the break waits for its sound";
    EXPECT_NE(videosOpened().find("mi11_2.avi"), std::string::npos);
    finishVideo();
    play(player, 1);
    ASSERT_EQ(PartTwo, 1);
    ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
    ASSERT_TRUE(playUntil(
        player, [] { return GameMode != 2; }, 9000));
    EXPECT_EQ(GameMode, 4u);
    EXPECT_EQ(std::string(MessageLine.data()), W("Zu viele Tote!"));
    EXPECT_GE(ToteCount, 3u);
    play(player, 2);
    EXPECT_TRUE(backend.boxes().empty());
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

// The valley is emptied before the break, the boat fetches the people left on the roofs and puts
// them ashore, and a helicopter for each casualty winches it off its island or takes it aboard on
// the east bank and flies home; won, and the evaluation shown.
TEST_F(MissionElevenPlayThrough, WonWithTheValleyEvacuatedAndTheRoofReachedByBoat) {
    shotPrefix = "play-m11-won";
    useSampleData(true);
    openGame();
    SeedRandom(11);
    test::ScriptedPlayer player(backend);
    intoMissionOne(player);
    ASSERT_FALSE(HasFatalFailure());
    winMissionEleven(player);
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

}  // namespace
}  // namespace kv
