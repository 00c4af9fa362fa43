#pragma once
// Mission 5 played by clicks and keys from its video on, as a player plays it: the briefing, a
// tanker with two fire fighters, a ladder with a fire fighter for its basket and an ambulance
// with a stretcher team and a medic bought at base 0; the tanker's cannon on the burning flat, the
// ladder at the house. A whole-campaign test calls the same moves.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/fire_counts.h"
#include "core/game_mode.h"
#include "core/message_line.h"
#include "core/mission_state.h"
#include "core/options.h"
#include "persons/person_types.h"
#include "support/play_through.h"
#include "vehicles/fahrzeuge.h"

namespace kv::test {

class MissionFiveMoves : public virtual PlayThroughSteps {
  protected:
    static constexpr std::int8_t kFireFighter = 1;  // P02
    static constexpr std::int8_t kStretcher = 5;    // P06
    static constexpr std::size_t kPlaceF104 = 1;
    static constexpr std::size_t kPlaceF201 = 2;
    static constexpr std::size_t kPlaceF106 = 4;

    // From the mission's video to the mission running at speed 3 with the three vehicles bought
    // and on their way.
    void enterMissionFive(ScriptedPlayer& player) {
        videoAndBriefing(player);
        openStation(player);
        buy(player, kPlaceF104, {{kFireFighter, false}, {kFireFighter, false}});
        buy(player, kPlaceF106, {{kFireFighter, false}});
        buy(player, kPlaceF201, {{kStretcher, true}, {kPersonTypMedic, false}});
        leaveStationForTheMission(player);
        player.key('3');
        play(player, 1);
        ASSERT_EQ(GameSpeed, 3);
        const std::vector<Bought> bought = BoughtVehicles();
        ASSERT_EQ(bought.size(), 3u);
        tanker = bought[0].vehicle;
        ladder = bought[1].vehicle;
        ambulance = bought[2].vehicle;
        ASSERT_EQ(bought[1].crew.size(), 1u);
        ASSERT_EQ(bought[2].crew.size(), 2u);
        basketMan = bought[1].crew[0];
        team = bought[2].crew[0];
        medic = bought[2].crew[1];
    }

    std::int16_t tanker = -1;
    std::int16_t ladder = -1;
    std::int16_t ambulance = -1;
    std::int16_t basketMan = -1;
    std::int16_t team = -1;
    std::int16_t medic = -1;
};

}  // namespace kv::test
