#pragma once
// Mission 7's moves by clicks and keys, for its own play-through tests and the campaign's: the
// mission jump from mission 1 to the underground station, the video and the briefing, the
// purchase at the station, and play at speed 3.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/campaign.h"
#include "core/game_mode.h"
#include "core/hover.h"
#include "core/message_line.h"
#include "core/mission_state.h"
#include "core/options.h"
#include "mission/campaign_tables.h"
#include "persons/personen.h"
#include "platform/cp1252.h"
#include "platform/window.h"
#include "screens/basis.h"
#include "screens/basis_kauf.h"
#include "screens/basis_points.h"
#include "screens/basis_screen.h"
#include "screens/basis_staff_table.h"
#include "screens/karte.h"
#include "support/play_through.h"
#include "support/scripted_player.h"

namespace kv::test {

class MissionSevenMoves : public PlayThroughSteps {
  protected:
    // Base 0's places of the vehicles bought.
    static constexpr std::size_t kPlaceF104 = 1;
    static constexpr std::size_t kPlaceF201 = 2;
    static constexpr std::size_t kPlaceF110 = 3;
    static constexpr std::int8_t kStretcher = 5;  // P06
    static constexpr std::int8_t kFireFighter = 1;

    // In mission 1's play: EINSATZ typed over the options button, and the mission's box in the
    // list (campaign position 15); then the video ends, and the briefing is read on the map.
    void jumpToMissionSeven(ScriptedPlayer& player) {
        jumpToPosition(player, 15);
        ASSERT_EQ(MissionNummer, 7);
        videoAndBriefing(player);
    }

    // Base 0 entered from the map: an ambulance with its stretcher team, a crane truck with the
    // metal cutters, and an engine with a fire fighter; back to the map, then into play at speed 3.
    void buyAndEnter(ScriptedPlayer& player) {
        openStation(player);
        const std::int32_t before = Money;
        buy(player, kPlaceF201, {{kStretcher, true}});
        buy(player, kPlaceF110, {});
        buy(player, kPlaceF104, {{kFireFighter, false}});
        EXPECT_LT(Money, before);
        EXPECT_GT(Money, 0) << "within the mission's 17000";
        leaveStationForTheMission(player);
        player.key('3');
        play(player, 1);
        EXPECT_EQ(GameSpeed, 3);
    }

    // Nobody goes to the casualties: the mission fails once one has died.
    void leaveCasualtiesAlone(ScriptedPlayer& player) {
        ASSERT_TRUE(playUntil(
            player, [] { return GameMode != 2; }, 12000));
        ASSERT_EQ(GameMode, 4u);
        EXPECT_EQ(Cp1252ToUtf8(MessageLine.data()), "Verletzter gestorben!");
        play(player, 2);
    }
};

}  // namespace kv::test
