#pragma once
// Mission 2 played by clicks and keys from its video on, as a player plays it: the briefing, two
// tankers with two fire fighters each and an ambulance with a stretcher team bought at base 0,
// the tankers driven onto the heath track by the wood ring's corner and their cannons set on the
// hedge just short of the ring before the fire comes down it. A whole-campaign test calls the
// same moves (winMissionTwo).

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "core/fire_counts.h"
#include "core/game_mode.h"
#include "core/message_line.h"
#include "core/mission_state.h"
#include "core/options.h"
#include "core/view.h"
#include "missions/mission_checks.h"
#include "movement/befehl.h"
#include "support/play_through.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeuge.h"
#include "world/level_map.h"

namespace kv::test {

class MissionTwoMoves : public virtual PlayThroughSteps {
  protected:
    static constexpr std::int8_t kFireFighter = 1;  // P02
    static constexpr std::int8_t kStretcher = 5;    // P06
    static constexpr std::size_t kPlaceF104 = 1;
    static constexpr std::size_t kPlaceF201 = 2;

    // From the mission's video to the mission running at speed 3 with the three vehicles bought
    // and on their way.
    void enterMissionTwo(ScriptedPlayer& player) {
        videoAndBriefing(player);
        openStation(player);
        // The ambulance first: it drives straight on along the main road and leaves the entry
        // free for the tankers, which turn up the heath road there.
        buy(player, kPlaceF201, {{kStretcher, true}});
        buy(player, kPlaceF104, {{kFireFighter, false}, {kFireFighter, false}});
        buy(player, kPlaceF104, {{kFireFighter, false}, {kFireFighter, false}});
        leaveStationForTheMission(player);
        fast(player);
        ASSERT_EQ(GameSpeed, 3);
        const std::vector<Bought> bought = BoughtVehicles();
        ASSERT_EQ(bought.size(), 3u);
        ambulance = bought[0].vehicle;
        tankers[0] = bought[1].vehicle;
        tankers[1] = bought[2].vehicle;
    }

    // The tankers fight the fire until the mission is won; the ambulance waits on the main road.
    void fightMissionTwo(ScriptedPlayer& player) {
        // As each vehicle comes to rest it is sent on to its next stop, so that the next can come
        // in: the ambulance along the main road out of the way, the tankers in short hops up the
        // heath road and onto the track between the hedge's legs.
        struct Hops {
            std::int16_t v;
            std::vector<PixelPos> stops;
            std::size_t next = 0;
        };
        std::vector<Hops> convoy = {{tankers[0], {{104, 400}, {900, 127}}},
                                    {tankers[1], {{104, 450}, {820, 128}}},
                                    {ambulance, {{600, 1600}}}};
        const bool parked = playUntil(
            player,
            [&] {
                for (Hops& h : convoy) {
                    if (!atRest(h.v)) continue;
                    if (h.next == h.stops.size()) continue;
                    const PixelPos at = h.stops[h.next++];
                    driveTo(player, h.v, static_cast<float>(at.x), static_cast<float>(at.y));
                }
                return std::all_of(convoy.begin(), convoy.end(), [&](const Hops& h) {
                    return h.next == h.stops.size() && atRest(h.v);
                });
            },
            3000);
        const std::string where = Where(tankers[0]) + Where(tankers[1]) + Where(ambulance);
        ASSERT_TRUE(parked) << where;

        // Parked by the hedge's last leg where it enters the ring, long before the fire comes
        // down it, each cannon wets a cell of the hedge just short of the ring; the fire dies
        // there and the hedge behind it burns out.
        const CellPos breaks[2] = {{31, 6}, {30, 6}};
        for (int k = 0; k < 2; ++k) {
            const Centre at = CellCentre(breaks[k]);
            clickFahrzeug(player, tankers[k]);
            centreView(player, at.x, at.y);
            player.mouseWorld(at.x, at.y);
            play(player, 2);
            ASSERT_EQ(CursorId, kCursorWater) << breaks[k].column << " " << breaks[k].row;
            player.clickWorld(at.x, at.y);
            play(player, 1);
        }
        play(player, 20);
        EXPECT_TRUE(player.shot("play-m02-firebreak"));
        ASSERT_TRUE(playUntil(
            player, [] { return GameMode != 2; }, 3000));
        ASSERT_EQ(GameMode, 5u) << std::string(MessageLine.data());
    }

    // The whole mission from its video: bought, driven in, the fire stopped at the hedge, and
    // won.
    void winMissionTwo(ScriptedPlayer& player) {
        ASSERT_NO_FATAL_FAILURE(enterMissionTwo(player));
        ASSERT_NO_FATAL_FAILURE(fightMissionTwo(player));
    }

    std::int16_t tankers[2] = {-1, -1};
    std::int16_t ambulance = -1;

  private:
    static std::string Where(std::int16_t v) {
        return " [" + std::to_string(v) + " at " + std::to_string(F(v).x) + " " +
               std::to_string(F(v).y) + " weg " + std::to_string(F(v).KarteWeg) + " order " +
               std::to_string(F(v).orders != nullptr ? F(v).orders->opcode : -1) + "]";
    }
    struct Centre {
        float x;
        float y;
    };
    static Centre CellCentre(const CellPos& c) {
        return {static_cast<float>(kCellWidth * c.column - 16 * c.row + 8),
                static_cast<float>(kCellHeight * c.row + 14)};
    }
};

}  // namespace kv::test
