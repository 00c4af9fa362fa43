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

class MissionTwentyFourPlay : public MissionTest, public MissionTwentyFourMoves {
  protected:
    HeadlessBackend& playBackend() override { return backend; }

    // From the start picture into mission 1, and by the mission jump to position 6
    // ("06 Schlauchboot gekentert!"), its video and its briefing.
    void enterFromMissionOne(ScriptedPlayer& player) {
        intoMissionOne(player);
        ASSERT_FALSE(::testing::Test::HasFatalFailure());
        EXPECT_EQ(JumpEntryText(5), "06 Schlauchboot gekentert!");
        jumpToMissionTwentyFour(player);
        EXPECT_NE(videosOpened().find("mi24.avi"), std::string::npos);
    }

    // From the campaign map into play by the camera box, at speed 3.
    void startPlaying(ScriptedPlayer& player) {
        player.click(kMapCamX + 5, kMapCamY + 5);
        play(player, 1);
        ASSERT_EQ(GameMode, kModeMission);
        fast(player);
        EXPECT_EQ(GameSpeed, 3);
    }
};

}  // namespace kv::test
