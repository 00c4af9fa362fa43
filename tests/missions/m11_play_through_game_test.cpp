// Mission 11 played by clicks and keys and lost: the jump list opens it, the briefing is read,
// and nobody is sent; the dam breaks at speed 3, the video between the parts runs, and the
// people the flood caught drown until too many are dead.

#include <gtest/gtest.h>

#include <string>

#include "core/campaign.h"
#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/message_line.h"
#include "core/mission_counters.h"
#include "core/mission_points.h"
#include "core/mission_state.h"
#include "core/options.h"
#include "core/random.h"
#include "media/video.h"
#include "mission/mission_fixture.h"
#include "platform/cp1252.h"
#include "platform/window.h"
#include "screens/karte.h"
#include "screens/mission_jump.h"
#include "support/play_through.h"
#include "support/scripted_player.h"

namespace kv {
namespace {

constexpr int kPositionEleven = 20;  // campaign position 21

class MissionElevenPlayThrough : public test::MissionTest, public test::PlayThroughSteps {
  protected:
    HeadlessBackend& playBackend() override { return backend; }

    // From mission 1's campaign map into mission 11 by the jump list, through its opening video
    // and its briefing to play, at speed 3.
    void enterMissionEleven(test::ScriptedPlayer& player) {
        player.click(400, 300);
        play(player, 1);
        finishVideo();
        play(player, 1);
        ASSERT_EQ(GameMode, 10u) << FatalErrorMessage();
        leaveKarte(player);
        ASSERT_EQ(GameMode, 2u);
        player.mouse(700, 380);
        for (const char c : std::string("EINSATZ")) player.key(static_cast<WParam>(c));
        play(player, 1);
        ASSERT_EQ(GameMode, 11u);
        EXPECT_EQ(JumpEntryText(kPositionEleven), W("21 Regenfälle bedrohen Staudamm!"));
        const JumpBox box = BuildJumpBoxes()[kPositionEleven];
        player.click(box.x + 5, box.y + 5);
        play(player, 1);
        ASSERT_EQ(MissionNummer, 11);
        EXPECT_NE(videosOpened().find("mi11.avi"), std::string::npos);
        finishVideo();
        play(player, 1);
        ASSERT_EQ(GameMode, 10u) << FatalErrorMessage();
        player.click(KarteMarker.x, KarteMarker.y);
        ASSERT_TRUE(playUntil(
            player, [] { return BriefingState == kBriefingComplete; }, 2000));
        player.key(VK_ESCAPE);
        play(player, 1);
        ASSERT_EQ(GameMode, 2u);
        player.key('3');
        play(player, 1);
        ASSERT_EQ(GameSpeed, 3);
    }

    // Lost: nobody is sent, the dam breaks, and the people in the water drown.
    void playMissionElevenLost(test::ScriptedPlayer& player) {
        ASSERT_NO_FATAL_FAILURE(enterMissionEleven(player));
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
    }
};

TEST_F(MissionElevenPlayThrough, LostWhenTheFloodTakesThePeopleLeftInTheValley) {
    useSampleData(true);
    openGame();
    SeedRandom(11);
    test::ScriptedPlayer player(backend);
    playMissionElevenLost(player);
    EXPECT_TRUE(backend.boxes().empty());
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

}  // namespace
}  // namespace kv
