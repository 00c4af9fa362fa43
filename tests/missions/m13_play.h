#pragma once
// Mission 13's moves by clicks and keys, for its own play-through tests and the campaign's: the
// mission jump to the small town, the video and the briefing, the purchase and the drive in.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "core/campaign.h"
#include "core/game_mode.h"
#include "core/mission_state.h"
#include "core/options.h"
#include "platform/cp1252.h"
#include "support/play_through.h"
#include "support/scripted_player.h"
#include "vehicles/fahrzeuge.h"

namespace kv::test {

class MissionThirteenMoves : public virtual PlayThroughSteps {
  protected:
    static constexpr std::int8_t kFireFighter = 1;  // P02
    static constexpr std::size_t kCrewBase = 1;
    static constexpr std::size_t kPlaceF102 = 0;  // at base 1
    static constexpr std::size_t kTruck = 2;
    static constexpr std::size_t kTank = 3;

    // In a running mission: EINSATZ over the options button, and the town's entry (campaign
    // position 11); then the video ends, and the briefing is read on the map.
    void jumpToMissionThirteen(ScriptedPlayer& player) {
        jumpToMission(player, 11, W("11 Benzintransporter verunglückt!"), 13);
        if (::testing::Test::HasFatalFailure()) return;
        videoAndBriefing(player);
    }

    // Base 1: the crew van with two fire fighters; back to the map, and into play at speed 3.
    void buyCrewVanAndEnter(ScriptedPlayer& player) {
        openStation(player, kCrewBase);
        const std::int32_t before = Money;
        buy(player, kPlaceF102, {{kFireFighter, false}, {kFireFighter, false}});
        EXPECT_LT(Money, before);
        leaveStationForTheMission(player);
        fast(player);
        ASSERT_EQ(GameSpeed, 3);
        const std::vector<Bought> bought = BoughtVehicles();
        ASSERT_EQ(bought.size(), 1u);
        van = bought[0].vehicle;
        fireFighters = bought[0].crew;
    }

    std::int16_t van = -1;
    std::vector<std::int16_t> fireFighters;
};

}  // namespace kv::test
