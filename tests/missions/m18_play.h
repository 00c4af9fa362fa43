#pragma once
// Mission 18's moves by clicks and keys, for its own play-through tests and the campaign's: the
// mission jump to the forest fire (the campaign's last position), the video and the briefing,
// and the way from the campaign map into the mission. Waiting is done at speed 3.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "core/game_mode.h"
#include "core/message_line.h"
#include "core/mission_state.h"
#include "core/options.h"
#include "platform/window.h"
#include "support/play_through.h"
#include "support/scripted_player.h"
#include "vehicles/fahrzeuge.h"
#include "world/level_map.h"

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
        fast(player);
        ASSERT_EQ(GameSpeed, 3);
    }

    static constexpr std::int8_t kFireFighter = 1;  // P02
    static constexpr std::size_t kPlaceF104 = 1;

    // Two tankers with two fire fighters each bought at base 0, and the mission at speed 3.
    void buyTheTankers(ScriptedPlayer& player) {
        openStation(player);
        buy(player, kPlaceF104, {{kFireFighter, false}, {kFireFighter, false}});
        buy(player, kPlaceF104, {{kFireFighter, false}, {kFireFighter, false}});
        EXPECT_GT(Money, 0);
        leaveStationForTheMission(player);
        fast(player);
        ASSERT_EQ(GameSpeed, 3);
        const std::vector<Bought> bought = BoughtVehicles();
        ASSERT_EQ(bought.size(), 2u);
        tankers[0] = bought[0].vehicle;
        tankers[1] = bought[1].vehicle;
    }

    // The tankers driven by the roads to the track beside the hedge's way down, and their cannons
    // set on the hedge there before the fire comes: the fire dies at the break and the hedge
    // behind it burns out.
    void stopTheFireAtTheHedge(ScriptedPlayer& player) {
        struct Hops {
            std::int16_t v;
            std::vector<PixelPos> stops;
            std::size_t next = 0;
        };
        std::vector<Hops> convoy = {{tankers[0], {{1100, 600}, {1600, 1250}, {2450, 1000}}},
                                    {tankers[1], {{1100, 700}, {1900, 1250}, {2450, 1080}}}};
        const bool parked = playUntil(
            player,
            [&] {
                for (Hops& h : convoy) {
                    if (!atRest(h.v) || h.next == h.stops.size()) continue;
                    const PixelPos at = h.stops[h.next++];
                    driveTo(player, h.v, static_cast<float>(at.x), static_cast<float>(at.y));
                }
                return std::all_of(convoy.begin(), convoy.end(), [&](const Hops& h) {
                    return h.next == h.stops.size() && atRest(h.v);
                });
            },
            3000);
        ASSERT_TRUE(parked) << "tick " << TickCounter;
        const CellPos breaks[2] = {{97, 34}, {97, 35}};
        for (int k = 0; k < 2; ++k) {
            const float x =
                static_cast<float>(kCellWidth * breaks[k].column - 16 * breaks[k].row + 8);
            const float y = static_cast<float>(kCellHeight * breaks[k].row + 14);
            clickFahrzeug(player, tankers[k]);
            centreView(player, x, y);
            player.mouseWorld(x, y);
            play(player, 2);
            ASSERT_EQ(CursorId, kCursorWater) << breaks[k].column << " " << breaks[k].row;
            player.clickWorld(x, y);
            play(player, 1);
        }
        play(player, 20);
        EXPECT_TRUE(player.shot("play-m18-firebreak"));
    }

    std::int16_t tankers[2] = {-1, -1};
};

}  // namespace kv::test
