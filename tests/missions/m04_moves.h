#pragma once
// Mission 4's moves by clicks and keys, for its own play-through tests and the campaign's: the
// mission jump to the prison riots, the video and the briefing, and the purchase at base 0 (police
// cars with officers for the arrests, a tanker with two fire fighters and a crane for the
// barricades), then into play at speed 3.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "core/campaign.h"
#include "core/game_mode.h"
#include "core/mission_state.h"
#include "core/options.h"
#include "screens/mission_jump.h"
#include "support/play_through.h"
#include "support/scripted_player.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "vehicles/fahrzeuge.h"

namespace kv::test {

class MissionFourMoves : public virtual PlayThroughSteps {
  protected:
    static constexpr std::int8_t kOfficer = 0;      // P01
    static constexpr std::int8_t kFireFighter = 1;  // P02
    static constexpr std::size_t kPlaceF301 = 0;
    static constexpr std::size_t kPlaceF104 = 1;
    static constexpr std::size_t kPlaceF110 = 3;
    static constexpr int kPoliceCars = 3;

    // In a running mission: EINSATZ over the options button and the box "24 Rassenunruhen!";
    // then the video ends, and the briefing is read on the map.
    void jumpToMissionFour(ScriptedPlayer& player) {
        EXPECT_EQ(JumpEntryText(23), "24 Rassenunruhen!");
        jumpToPosition(player, 24);
        ASSERT_EQ(MissionNummer, 4);
        EXPECT_EQ(Money, 13000);
        videoAndBriefing(player);
    }

    // Base 0: three police cars with two officers each, a tanker with two fire fighters and a
    // crane; back to the map, and into play at speed 3.
    void buyAndEnterMissionFour(ScriptedPlayer& player) {
        openStation(player);
        for (int car = 0; car < kPoliceCars; ++car)
            buy(player, kPlaceF301, {{kOfficer, false}, {kOfficer, false}});
        buy(player, kPlaceF104, {{kFireFighter, false}, {kFireFighter, false}});
        buy(player, kPlaceF110, {});
        EXPECT_GT(Money, 0) << "within the mission's 13000";
        leaveStationForTheMission(player);
        player.key('3');
        play(player, 1);
        ASSERT_EQ(GameSpeed, 3);
        police.clear();
        for (const Bought& b : BoughtVehicles()) {
            const std::int16_t type = F(b.vehicle).type;
            if (type == kTypF301) police.push_back(b);
            if (type == kTypF104) tanker = b;
            if (type == kTypF110) crane = b.vehicle;
        }
        ASSERT_EQ(police.size(), static_cast<std::size_t>(kPoliceCars));
        ASSERT_EQ(tanker.crew.size(), 2u);
        ASSERT_GE(crane, 0);
    }

    std::vector<Bought> police;
    Bought tanker{-1, {}};
    std::int16_t crane = -1;
};

}  // namespace kv::test
