#pragma once
// Mission 18's moves by clicks and keys, for its own play-through tests and the campaign's: the
// mission jump to the forest fire (the campaign's last position), the video and the briefing,
// and the way from the campaign map into the mission. Waiting is done at speed 3.

#include <gtest/gtest.h>

#include "core/mission_state.h"
#include "core/options.h"
#include "platform/window.h"
#include "support/play_through.h"
#include "support/scripted_player.h"

namespace kv::test {

class MissionEighteenMoves : public virtual PlayThroughSteps {
  protected:
    // In a running mission: EINSATZ over the options button, and the forest fire's entry
    // (campaign position 30); then the video ends, and the briefing is read on the map.
    void jumpToMissionEighteen(ScriptedPlayer& player) {
        jumpToMission(player, 30, "30 Waldbrand!", 18);
        if (::testing::Test::HasFatalFailure()) return;
        videoAndBriefing(player);
    }

    // From the campaign map into the mission without buying, and the game at speed 3.
    void intoThePlayUnbought(ScriptedPlayer& player) {
        player.key(VK_ESCAPE);
        player.mouse(400, 300);
        play(player, 1);
        ASSERT_EQ(GameMode, 2u);
        player.key('3');
        play(player, 1);
        ASSERT_EQ(GameSpeed, 3);
    }
};

}  // namespace kv::test
