#pragma once
// Mission 21 played by clicks and keys, for its own whole-game tests and the whole campaign's:
// from a running mission, the mission jump to the airliner's campaign position, its video, the
// briefing on the campaign map, and the way into the mission.

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "core/game_mode.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "mission/campaign_tables.h"
#include "mission/mission_fixture.h"
#include "screens/karte.h"
#include "screens/mission_jump.h"
#include "support/play_through.h"
#include "support/scripted_player.h"

namespace kv::test {

class MissionTwentyOneMoves : public PlayThroughSteps {
  protected:
    // Over the options button, the mission-jump word opens the list; its entry for campaign
    // position 28 starts the mission with its video. The video ends through finishVideo.
    void jumpToMissionTwentyOne(ScriptedPlayer& player, const std::function<void()>& finishVideo) {
        ASSERT_EQ(GameMode, 2u);
        player.mouse(700, 380);
        play(player, 1);
        for (const char c : std::string_view("EINSATZ")) player.key(static_cast<WParam>(c));
        play(player, 1);
        ASSERT_EQ(GameMode, 11u) << "the mission jump is open";
        const int position = CampaignPositionOf(21);
        EXPECT_EQ(JumpEntryText(position), "28 Verkehrsflugzeug notgelandet!");
        const JumpBox box = BuildJumpBoxes()[static_cast<std::size_t>(position)];
        player.click(box.x + 20, box.y + 10);
        play(player, 1);
        finishVideo();
        play(player, 1);
        ASSERT_EQ(GameMode, 10u);
        ASSERT_EQ(MissionNummer, 21);
    }
    // The briefing read to its end, then the camera box into the mission at full speed.
    void briefAndEnter(ScriptedPlayer& player) {
        player.click(KarteMarker.x, KarteMarker.y);
        ASSERT_TRUE(playUntil(
            player, [] { return BriefingState == kBriefingComplete; }, 2000));
        player.click(kMapCamX + 5, kMapCamY + 5);
        play(player, 1);
        ASSERT_EQ(GameMode, 2u);
        player.key('3');
        play(player, 1);
    }
};

}  // namespace kv::test
