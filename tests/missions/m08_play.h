#pragma once
// Mission 8's moves by clicks and keys, for its own play-through tests and the campaign's: the
// mission jump to the restaurant, the video and the briefing, the purchase at base 0, the drive
// in at speed 3, and the tankers' cannons on the burning wreck and then on the restaurant.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "core/fire_counts.h"
#include "core/game_mode.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/options.h"
#include "movement/befehl.h"
#include "support/play_through.h"
#include "support/scripted_player.h"
#include "vehicles/fahrzeuge.h"
#include "world/level_map.h"
#include "world/sonder_obj.h"

namespace kv::test {

class MissionEightMoves : public virtual PlayThroughSteps {
  protected:
    static constexpr std::int8_t kFireFighter = 1;  // P02
    static constexpr std::size_t kPlaceF104 = 1;    // at base 0
    static constexpr std::size_t kWreck = 1;
    static constexpr std::int16_t kHalfBurnedPlane = 23;
    static constexpr std::size_t kTankerCount = 4;

    // In a running mission: EINSATZ over the options button, and the restaurant's entry (campaign
    // position 13); then the video ends, and the briefing is read on the map.
    void jumpToMissionEight(ScriptedPlayer& player) {
        jumpToMission(player, 13, "13 Absturz auf Schnellrestaurant!", 8);
        if (::testing::Test::HasFatalFailure()) return;
        videoAndBriefing(player);
    }

    // Base 0, the nearest: four tankers, the quick ones, whose cannons together beat the wreck's
    // fire (one alone only holds it); the station's three fire fighters ride in the first three.
    // Back to the map, and into play at speed 3.
    void buyAndEnter(ScriptedPlayer& player) {
        openStation(player);
        for (std::size_t k = 0; k < kTankerCount; ++k) {
            std::vector<Crew> crew;
            if (k < 3) crew.push_back({kFireFighter, false});
            buy(player, kPlaceF104, crew);
        }
        EXPECT_GT(Money, 0);
        leaveStationForTheMission(player);
        fast(player);
        ASSERT_EQ(GameSpeed, 3);
        const std::vector<Bought> bought = BoughtVehicles();
        ASSERT_EQ(bought.size(), kTankerCount);
        for (std::size_t k = 0; k < kTankerCount; ++k) tankers[k] = bought[k].vehicle;
    }

    // The tankers' stands on the street south of the wreck, each within its cannon's reach, the
    // farthest for the first in.
    static constexpr std::array<PixelPos, kTankerCount> kStands = {
        {{1800, 1260}, {1700, 1260}, {1600, 1260}, {1500, 1260}}};

    // The mouse on the wreck, its water cursor checked, and the click: the selected tanker sets
    // its cannon on it, after driving into reach if it stands too far off.
    void waterOnTheWreck(ScriptedPlayer& player, std::int16_t v) {
        ASSERT_TRUE(hoverObject(player, kWreck));
        ASSERT_EQ(CursorId, kCursorWater)
            << "tick " << TickCounter << ", wreck type " << SonderObjs[kWreck].type << ", selected "
            << SelectedIndex << " for " << v;
        player.click(MouseX, MouseY);
        play(player, 1);
        ASSERT_NE(F(v).orders, nullptr) << "tanker " << v << " got no order";
    }

    // Each tanker, as soon as it shows at the entry, is clicked and sent along the road to its
    // stand, the clicks made at speed 1 (sent straight at the wreck, the first would stop on the
    // road down the restaurant's west side as soon as it came within reach, and the others would
    // queue behind it out of reach); at its stand its cannon is set on the wreck. The wreck goes
    // out before its fire would set it off.
    void sprayTheWreck(ScriptedPlayer& player) {
        for (std::size_t k = 0; k < kTankerCount; ++k) {
            const std::int16_t v = tankers[k];
            ASSERT_TRUE(playUntil(
                player, [&] { return F(v).KarteWeg == -1 && F(v).x > 60; }, 1500))
                << v << " at " << F(v).x << " " << F(v).y << " tick " << TickCounter;
            slow(player);
            tabNear(player, F(v).x, F(v).y);
            clickFahrzeug(player, v);
            ASSERT_EQ(SelectedIndex, static_cast<std::uint16_t>(v));
            clickWorldWith(player, static_cast<float>(kStands[k].x),
                           static_cast<float>(kStands[k].y), kCursorMove);
            ASSERT_NE(F(v).orders, nullptr) << "tanker " << v << " got no order";
            fast(player);
        }
        // An idle cannon finds a fire within its reach by itself: those the wreck has not gone out
        // for yet are set on it.
        for (const std::int16_t v : tankers) {
            ASSERT_TRUE(playUntil(
                player, [&] { return F(v).orders == nullptr || !WreckBurns(); }, 1500))
                << v << " at " << F(v).x << " " << F(v).y << " tick " << TickCounter;
            if (!WreckBurns()) break;
            slow(player);
            clickFahrzeug(player, v);
            waterOnTheWreck(player, v);
            if (::testing::Test::HasFatalFailure()) return;
            fast(player);
            ++cannonsSet;
        }
        EXPECT_GE(cannonsSet, 1) << "a cannon set on the wreck by a click";
        ASSERT_TRUE(playUntil(
            player, [] { return !WreckBurns(); }, 1800));
        std::printf("the wreck out at tick %u\n", TickCounter);
        EXPECT_LT(TickCounter, 1801u);
        EXPECT_EQ(SonderObjs[kWreck].type, kHalfBurnedPlane) << "put out, never exploded";
    }

    // The restaurant's fire lies beyond what the idle cannons look for: a tanker is set on its
    // facade above the door under the water cursor, and another after it while it still burns.
    // The lawn's fire goes out by itself.
    void fightTheFires(ScriptedPlayer& player) {
        for (std::size_t k = 0; k < kTankerCount && BurningHouseCount != 0; ++k) {
            slow(player);
            selectFahrzeug(player, tankers[k]);
            ASSERT_TRUE(hoverBurningFacade(player)) << "tick " << TickCounter;
            player.click(MouseX, MouseY);
            play(player, 1);
            ASSERT_NE(F(tankers[k]).orders, nullptr) << "tanker " << tankers[k] << " got no order";
            fast(player);
            playUntil(
                player, [] { return BurningHouseCount == 0; }, 600);
        }
        ASSERT_TRUE(playUntil(
            player, [] { return BurningHouseCount == 0 && BurningCellCount == 0; }, 3000))
            << BurningHouseCount << " houses and " << BurningCellCount << " cells burning at tick "
            << TickCounter;
        std::printf("the fires out at tick %u\n", TickCounter);
    }
    // The mouse over the restaurant's front round the windows above its door, until the selected
    // tanker's water cursor shows over the house.
    bool hoverBurningFacade(ScriptedPlayer& player) {
        centreView(player, kFacade.x, kFacade.y);
        for (int dy = 40; dy > -80; dy -= 6)
            for (const int dx : {0, -20, 20, -40, 40, -60, 60}) {
                player.mouseWorld(static_cast<float>(kFacade.x + dx),
                                  static_cast<float>(kFacade.y + dy));
                play(player, 1);
                if (CursorId == kCursorWater && HoverIds[3] == kRestaurant) return true;
            }
        return false;
    }
    static constexpr PixelPos kFacade = {1685, 1090};
    static constexpr std::uint16_t kRestaurant = 0;

    static bool WreckBurns() { return SonderObjs[kWreck].burning != 0; }

    std::array<std::int16_t, kTankerCount> tankers{};
    int cannonsSet = 0;
};

}  // namespace kv::test
