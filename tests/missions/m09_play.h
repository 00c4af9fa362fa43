#pragma once
// Mission 9's moves by clicks and keys, for its own play-through tests and the campaign's: the
// mission jump from mission 1 to the football final, the video and the briefing, police cars
// bought at the small station and driven in, and play at speed 3.

#include <gtest/gtest.h>

#include <cstdint>

#include "core/campaign.h"
#include "core/game_mode.h"
#include "core/message_line.h"
#include "core/mission_counters.h"
#include "core/mission_state.h"
#include "core/options.h"
#include "platform/cp1252.h"
#include "support/play_through.h"
#include "support/scripted_player.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeuge.h"

namespace kv::test {

class MissionNineMoves : public PlayThroughSteps {
  protected:
    // Base 0's place of the police car, and its officers.
    static constexpr std::size_t kPlaceF301 = 0;
    static constexpr std::int8_t kOfficer = 0;  // P01

    // In mission 1's play: EINSATZ typed over the options button, and the box "10 Sichern Sie das
    // Fußballendspiel!" in the list; then the video ends, and the briefing is read on the map.
    void jumpToMissionNine(ScriptedPlayer& player) {
        jumpToPosition(player, 10);
        ASSERT_EQ(MissionNummer, 9);
        videoAndBriefing(player);
    }

    // Base 0 entered from the map: two police cars with two officers each; back to the map, then
    // into play at speed 3.
    void buyAndEnter(ScriptedPlayer& player) {
        openStation(player);
        for (int car = 0; car < 2; ++car)
            buy(player, kPlaceF301, {{kOfficer, false}, {kOfficer, false}});
        EXPECT_GE(Money, 5000) << "within the mission's 19000";
        leaveStationForTheMission(player);
        player.key('3');
        play(player, 1);
        EXPECT_EQ(GameSpeed, 3);
        int bought = 0;
        for (const Bought& b : BoughtVehicles()) bought += F(b.vehicle).type == kTypF301;
        EXPECT_EQ(bought, 2);
    }

    // Nobody keeps the fans apart: they fight until the fifteenth casualty fails the mission.
    void leaveFansAlone(ScriptedPlayer& player) {
        ASSERT_TRUE(playUntil(
            player, [] { return GameMode != 2; }, 20000))
            << "injured " << VerletzteCount;
        ASSERT_EQ(GameMode, 4u);
        EXPECT_EQ(Cp1252ToUtf8(MessageLine.data()), "Lage ist eskaliert!");
        EXPECT_GE(VerletzteCount, 15);
        EXPECT_EQ(ToteCount, 0);
        play(player, 2);
    }
};

}  // namespace kv::test
