#pragma once
// Mission 16's moves by clicks and keys, for its own play-through tests and the campaign's: the
// mission jump to the motorway, the video and the briefing, the purchase at base 0 and the drive
// in along the service road.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "core/game_mode.h"
#include "core/mission_state.h"
#include "core/options.h"
#include "platform/cp1252.h"
#include "support/play_through.h"
#include "support/scripted_player.h"
#include "vehicles/fahrzeuge.h"
#include "world/level_map.h"

namespace kv::test {

class MissionSixteenMoves : public virtual PlayThroughSteps {
  protected:
    static constexpr std::size_t kPlaceF301 = 0;  // at base 0
    static constexpr std::size_t kPlaceF201 = 2;
    static constexpr std::size_t kPlaceF110 = 3;
    static constexpr std::size_t kVanCount = 3;

    // In a running mission: EINSATZ over the options button, and the motorway's entry (campaign
    // position 9); then the video ends, and the briefing is read on the map.
    void jumpToMissionSixteen(ScriptedPlayer& player) {
        jumpToMission(player, 9, W("09 Busunfall auf der Autobahn!"), 16);
        if (::testing::Test::HasFatalFailure()) return;
        videoAndBriefing(player);
    }

    // Base 0: three vehicles without crews and without a water cannon (an idle cannon would set
    // itself on the burning coach); back to the map, and into play at speed 3.
    void buyThreeAndEnter(ScriptedPlayer& player) {
        openStation(player);
        for (const std::size_t place : {kPlaceF301, kPlaceF201, kPlaceF110}) buy(player, place, {});
        leaveStationForTheMission(player);
        fast(player);
        ASSERT_EQ(GameSpeed, 3);
        const std::vector<Bought> bought = BoughtVehicles();
        ASSERT_EQ(bought.size(), kVanCount);
        for (std::size_t k = 0; k < kVanCount; ++k) vans[k] = bought[k].vehicle;
    }

    // Each vehicle, once it has come in along the service road, is sent up across the lay-by onto
    // the eastbound lane beside the scene, where the traffic comes at full speed while the sign
    // lies folded.
    void driveOntoTheLane(ScriptedPlayer& player) {
        for (std::size_t k = 0; k < kVanCount; ++k) {
            const std::int16_t v = vans[k];
            ASSERT_TRUE(playUntil(
                player, [&] { return atRest(v); }, 2000))
                << v << " at " << F(v).x << " " << F(v).y << " order "
                << (F(v).orders != nullptr ? int{F(v).orders->opcode} : -1) << " tick "
                << TickCounter << "; first at " << F(vans[0]).x << " " << F(vans[0]).y;
            slow(player);
            driveTo(player, v, static_cast<float>(kLaneStands[k].x),
                    static_cast<float>(kLaneStands[k].y));
            if (::testing::Test::HasFatalFailure()) return;
            fast(player);
        }
    }
    static constexpr std::array<PixelPos, kVanCount> kLaneStands = {
        {{2550, 535}, {2750, 535}, {2950, 535}}};

    std::array<std::int16_t, kVanCount> vans{};
};

}  // namespace kv::test
