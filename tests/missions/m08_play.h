#pragma once
// Mission 8's moves by clicks and keys, for its own play-through tests and the campaign's: the
// mission jump to the restaurant, the video and the briefing, the purchase at base 0, the drive
// in at speed 3, and the tankers' cannons on the burning wreck.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/game_mode.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/options.h"
#include "movement/befehl.h"
#include "support/play_through.h"
#include "support/scripted_player.h"
#include "vehicles/fahrzeuge.h"
#include "world/sonder_obj.h"

namespace kv::test {

class MissionEightMoves : public virtual PlayThroughSteps {
  protected:
    static constexpr std::int8_t kFireFighter = 1;  // P02
    static constexpr std::size_t kTankerBase = 1;
    static constexpr std::size_t kPlaceF105 = 5;  // at base 1
    static constexpr std::size_t kWreck = 1;
    static constexpr std::int16_t kHalfBurnedPlane = 23;
    // On the road south of the wreck, within the cannons' reach.
    static constexpr std::array<PixelPos, 2> kBelowTheWreck = {{{1600, 1250}, {1720, 1250}}};

    // In a running mission: EINSATZ over the options button, and the restaurant's entry (campaign
    // position 13); then the video ends, and the briefing is read on the map.
    void jumpToMissionEight(ScriptedPlayer& player) {
        jumpToMission(player, 13, "13 Absturz auf Schnellrestaurant!", 8);
        if (::testing::Test::HasFatalFailure()) return;
        videoAndBriefing(player);
    }

    // Base 1: two tankers with two fire fighters each, whose cannons together put the wreck out.
    // Back to the map, and into play at speed 3. The ambulance comes later: a vehicle at rest
    // where the entry road's run ends holds up the next one behind it.
    void buyAndEnter(ScriptedPlayer& player) {
        openStation(player, kTankerBase);
        buy(player, kPlaceF105, {{kFireFighter, false}, {kFireFighter, false}});
        buy(player, kPlaceF105, {{kFireFighter, false}, {kFireFighter, false}});
        EXPECT_GT(Money, 0);
        leaveStationForTheMission(player);
        player.key('3');
        play(player, 1);
        ASSERT_EQ(GameSpeed, 3);
        const std::vector<Bought> bought = BoughtVehicles();
        ASSERT_EQ(bought.size(), 2u);
        tankers = {bought[0].vehicle, bought[1].vehicle};
    }

    // Each tanker, once in, drives on to the road south of the wreck, so that the next can come
    // in; their cannons are set on the wreck under the water cursor, and it is out before its
    // fire would set it off.
    void sprayTheWreck(ScriptedPlayer& player) {
        for (std::size_t k = 0; k < tankers.size(); ++k) {
            const std::int16_t v = tankers[k];
            ASSERT_TRUE(playUntil(
                player, [&] { return atRest(v); }, 3000))
                << v << " at " << F(v).x << " " << F(v).y << " tick " << TickCounter << "; "
                << tankers[0] << " at " << F(tankers[0]).x << " " << F(tankers[0]).y << " order "
                << (F(tankers[0]).orders != nullptr ? F(tankers[0]).orders->opcode : -1);
            driveTo(player, v, static_cast<float>(kBelowTheWreck[k].x),
                    static_cast<float>(kBelowTheWreck[k].y));
        }
        for (const std::int16_t v : tankers) {
            ASSERT_TRUE(playUntil(
                player, [&] { return F(v).orders == nullptr; }, 1500));
            clickFahrzeug(player, v);
            ASSERT_TRUE(hoverObject(player, kWreck));
            ASSERT_EQ(CursorId, kCursorWater);
            player.click(MouseX, MouseY);
            play(player, 1);
            ASSERT_NE(F(v).orders, nullptr);
        }
        ASSERT_TRUE(playUntil(
            player, [] { return SonderObjs[kWreck].burning == 0; }, 1800));
        EXPECT_LT(TickCounter, 1801u);
        EXPECT_EQ(SonderObjs[kWreck].type, kHalfBurnedPlane) << "put out, never exploded";
    }

    std::array<std::int16_t, 2> tankers = {-1, -1};
};

}  // namespace kv::test
