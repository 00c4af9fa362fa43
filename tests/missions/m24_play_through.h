#pragma once
// Mission 24 played by clicks and keys: the way in from mission 1 by the mission jump, and the
// rescue of the five people in the river. The whole-campaign test plays the same moves.

#include <gtest/gtest.h>

#include <string>

#include "core/campaign.h"
#include "core/game_mode.h"
#include "core/mission_state.h"
#include "core/options.h"
#include "mission/mission_fixture.h"
#include "missions/m24_moves.h"
#include "platform/window.h"
#include "screens/karte.h"
#include "screens/mission_jump.h"
#include "support/play_through.h"
#include "support/scripted_player.h"

namespace kv::test {

inline constexpr std::uint32_t kModeMission = 2;
inline constexpr std::uint32_t kModeFailed = 4;
inline constexpr std::uint32_t kModeWon = 5;
inline constexpr std::uint32_t kModeKarte = 10;
inline constexpr std::uint32_t kModeMissionJump = 11;

class MissionTwentyFourPlay : public MissionTest, public MissionTwentyFourMoves {
  protected:
    HeadlessBackend& playBackend() override { return backend; }

    // From the start picture into mission 1, the mission-jump word over the options button, box 5
    // ("06 Schlauchboot gekentert!"), its video and its briefing read on the campaign map.
    void enterFromMissionOne(ScriptedPlayer& player) {
        player.click(400, 300);
        play(player, 1);
        finishVideo();
        play(player, 1);
        ASSERT_EQ(GameMode, kModeKarte);
        player.click(KarteMarker.x, KarteMarker.y);
        player.key(VK_ESCAPE);
        play(player, 1);
        ASSERT_EQ(GameMode, kModeMission);
        ASSERT_EQ(MissionNummer, 1);
        player.mouse(700, 380);
        play(player, 1);
        for (const char c : std::string("EINSATZ")) {
            player.key(static_cast<WParam>(c));
            play(player, 1);
        }
        ASSERT_EQ(GameMode, kModeMissionJump);
        const JumpBox box = BuildJumpBoxes()[5];
        EXPECT_EQ(JumpEntryText(5), "06 Schlauchboot gekentert!");
        player.click(box.x + 20, box.y + 10);
        play(player, 1);
        ASSERT_EQ(MissionNummer, 24);
        EXPECT_NE(videosOpened().find("mi24.avi"), std::string::npos);
        finishVideo();
        play(player, 1);
        ASSERT_EQ(GameMode, kModeKarte);
        EXPECT_EQ(Money, 10000);
        player.click(KarteMarker.x, KarteMarker.y);
        ASSERT_TRUE(playUntil(
            player, [] { return BriefingState == kBriefingComplete; }, 2000));
    }

    // From the campaign map into play by the camera box, at speed 3.
    void startPlaying(ScriptedPlayer& player) {
        player.click(kMapCamX + 5, kMapCamY + 5);
        play(player, 1);
        ASSERT_EQ(GameMode, kModeMission);
        player.key('3');
        play(player, 1);
        EXPECT_EQ(GameSpeed, 3);
    }
};

}  // namespace kv::test
