#pragma once
// Mission 17's moves by clicks and keys, for its own play-through tests and the campaign's: the
// mission jump to the department store, the video and the briefing, the purchase at base 0, and
// the drive in at speed 3 until the engine's fire fighters stand outside.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "core/campaign.h"
#include "core/game_mode.h"
#include "core/mission_state.h"
#include "core/options.h"
#include "mission/panels/command_tables.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "screens/mission_jump.h"
#include "support/play_through.h"
#include "support/scripted_player.h"
#include "vehicles/fahrzeuge.h"

namespace kv::test {

class MissionSeventeenMoves : public virtual PlayThroughSteps {
  protected:
    static constexpr std::int8_t kFireFighter = 1;  // P02
    static constexpr std::int8_t kStretcher = 5;    // P06
    static constexpr std::size_t kPlaceF104 = 1;
    static constexpr std::size_t kPlaceF201 = 2;

    // In a running mission: EINSATZ over the options button, and the store's entry (campaign
    // position 7); then the video ends, and the briefing is read on the map.
    void jumpToMissionSeventeen(ScriptedPlayer& player) {
        EXPECT_EQ(JumpEntryText(6), "07 Gasexplosion in Kaufhaus!");
        jumpToPosition(player, 7);
        ASSERT_EQ(MissionNummer, 17);
        videoAndBriefing(player);
    }

    // Base 0: the engine with two fire fighters, and an ambulance with a stretcher team and the
    // medic; back to the map, and into play at speed 3.
    void buyAndEnter(ScriptedPlayer& player) {
        openStation(player);
        const std::int32_t before = Money;
        buy(player, kPlaceF104, {{kFireFighter, false}, {kFireFighter, false}});
        buy(player, kPlaceF201, {{kStretcher, true}, {kPersonTypMedic, false}});
        EXPECT_LT(Money, before);
        EXPECT_GT(Money, 0);
        leaveStationForTheMission(player);
        player.key('3');
        play(player, 1);
        ASSERT_EQ(GameSpeed, 3);
        const std::vector<Bought> bought = BoughtVehicles();
        ASSERT_EQ(bought.size(), 2u);
        engine = bought[0].vehicle;
        ambulance = bought[1].vehicle;
        ASSERT_EQ(bought[0].crew.size(), 2u);
        fireFighters = bought[0].crew;
    }

    // The engine drives in and comes to rest; its fire fighters get out.
    void engineInAndCrewOut(ScriptedPlayer& player) {
        ASSERT_TRUE(playUntil(
            player,
            [&] {
                return F(engine).KarteWeg == -1 && F(engine).orders == nullptr && F(engine).x > 0;
            },
            3000));
        clickFahrzeug(player, engine);
        command(player, kCmdStaffOut);
        ASSERT_TRUE(playUntil(
            player,
            [&] {
                return std::all_of(fireFighters.begin(), fireFighters.end(),
                                   [](std::int16_t p) { return P(p).offMap == 0; }) &&
                       F(engine).orders == nullptr;
            },
            300));
    }

    std::int16_t engine = -1;
    std::int16_t ambulance = -1;
    std::vector<std::int16_t> fireFighters;
};

}  // namespace kv::test
