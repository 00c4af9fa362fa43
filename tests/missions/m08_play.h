#pragma once
// Mission 8's moves by clicks and keys, for its own play-through tests and the campaign's: the
// mission jump to the restaurant, the video and the briefing, the purchase at base 0, the drive
// in at speed 3, the tankers' cannons on the burning wreck and then on the restaurant, and the
// three casualties carried out of the restaurant, treated, loaded and driven off.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "core/fire_counts.h"
#include "core/game_mode.h"
#include "core/message_line.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/options.h"
#include "movement/befehl.h"
#include "persons/person_types.h"
#include "support/play_through.h"
#include "support/scripted_player.h"
#include "vehicles/fahrzeuge.h"
#include "world/level_map.h"
#include "world/sonder_obj.h"

namespace kv::test {

class MissionEightMoves : public virtual PlayThroughSteps {
  protected:
    static constexpr std::int8_t kFireFighter = 1;  // P02
    static constexpr std::int8_t kStretcher = 5;    // P06
    static constexpr std::size_t kPlaceF104 = 1;    // at base 0
    static constexpr std::size_t kPlaceF201 = 2;
    static constexpr std::size_t kWreck = 1;
    static constexpr std::int16_t kHalfBurnedPlane = 23;
    static constexpr std::size_t kTankerCount = 4;
    static constexpr std::size_t kCasualtyCount = 3;

    // In a running mission: EINSATZ over the options button, and the restaurant's entry (campaign
    // position 13); then the video ends, and the briefing is read on the map.
    void jumpToMissionEight(ScriptedPlayer& player) {
        jumpToMission(player, 13, "13 Absturz auf Schnellrestaurant!", 8);
        if (::testing::Test::HasFatalFailure()) return;
        videoAndBriefing(player);
    }

    // Base 0, the nearest: four tankers, the quick ones, whose cannons together beat the wreck's
    // fire (one alone only holds it); the station's three fire fighters ride in the first three,
    // to carry the casualties out later. Then an ambulance with a stretcher team and a medic for
    // each casualty; they wait at the entry while the fires are fought. Back to the map, and into
    // play at speed 3.
    void buyAndEnter(ScriptedPlayer& player) {
        openStation(player);
        for (std::size_t k = 0; k < kTankerCount; ++k) {
            std::vector<Crew> crew;
            if (k < kCasualtyCount) crew.push_back({kFireFighter, false});
            buy(player, kPlaceF104, crew);
        }
        for (std::size_t k = 0; k < kCasualtyCount; ++k)
            buy(player, kPlaceF201, {{kStretcher, true}, {kPersonTypMedic, false}});
        EXPECT_GE(Money, 5000) << "the money line stays whole";
        leaveStationForTheMission(player);
        fast(player);
        ASSERT_EQ(GameSpeed, 3);
        const std::vector<Bought> bought = BoughtVehicles();
        ASSERT_EQ(bought.size(), kTankerCount + kCasualtyCount);
        for (std::size_t k = 0; k < kTankerCount; ++k) tankers[k] = bought[k].vehicle;
        for (std::size_t k = 0; k < kCasualtyCount; ++k) {
            const Bought& b = bought[kTankerCount + k];
            ASSERT_EQ(b.crew.size(), 2u);
            runs.push_back({b.vehicle, b.crew[0], b.crew[1], -1, kParks[k]});
            ASSERT_EQ(bought[k].crew.size(), 1u);
            carries.push_back({bought[k].crew[0], kCasualties[k], kRestaurant, kLayDown[k]});
        }
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
        // An idle cannon finds a fire within its reach by itself; the first tanker at its stand,
        // or idle before, is set on the wreck under the water cursor all the same.
        for (std::size_t k = 0; k < kTankerCount; ++k) {
            const std::int16_t v = tankers[k];
            const auto atStand = [&] {
                return std::abs(F(v).x - static_cast<float>(kStands[k].x)) < 40 &&
                       std::abs(F(v).y - static_cast<float>(kStands[k].y)) < 40;
            };
            ASSERT_TRUE(playUntil(
                player, [&] { return F(v).orders == nullptr || atStand() || !WreckBurns(); }, 1500))
                << v << " at " << F(v).x << " " << F(v).y << " tick " << TickCounter;
            if (!WreckBurns()) break;
            slow(player);
            selectFahrzeug(player, v);
            waterOnTheWreck(player, v);
            if (::testing::Test::HasFatalFailure()) return;
            fast(player);
            ++cannonsSet;
            break;
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
    static constexpr int kRestaurant = 0;

    // The fires out: the tankers' fire fighters get out, go into the restaurant by its door and
    // each carries a casualty out to the open ground beside it; each ambulance comes from the
    // entry to its place there, and its stretcher team fetches its casualty once laid down, the
    // medic treating it aboard until it may travel. Ends when the mission does.
    void rescueTheInjured(ScriptedPlayer& player) {
        for (std::size_t k = 0; k < kCasualtyCount; ++k) {
            slowDown(player);
            selectFahrzeug(player, tankers[k]);
            command(player, kCmdStaffOut);
            if (::testing::Test::HasFatalFailure()) return;
        }
        // The tankers out of the ambulances' way, east along the street.
        for (std::size_t k = 0; k < kTankerCount; ++k) {
            deselect(player);
            driveTo(player, tankers[k], static_cast<float>(kTankerParks[k].x),
                    static_cast<float>(kTankerParks[k].y));
            if (::testing::Test::HasFatalFailure()) return;
        }
        const bool done = playUntil(
            player,
            [&] {
                if (GameMode != 2 || ::testing::Test::HasFatalFailure()) return true;
                for (std::size_t k = 0; k < kCasualtyCount; ++k) {
                    stepCarryOut(player, carries[k]);
                    if (carries[k].step == kCarriedOut) runs[k].casualty = carries[k].casualty;
                }
                const bool running = stepCasualtyRuns(player, runs);
                if (GameSpeed != 3) fast(player);
                return !running;
            },
            5000);
        if (!done || GameMode != 5) {
            for (const CarryOut& c : carries)
                std::printf("carry of %d by %d step %d, carrier at %.0f %.0f house %d\n",
                            c.casualty, c.carrier, c.step, static_cast<double>(P(c.carrier).x),
                            static_cast<double>(P(c.carrier).y), P(c.carrier).house);
            printCasualtyRuns(runs);
            player.shot(shotPrefix + "-stuck");
        }
        ASSERT_TRUE(done) << "tick " << TickCounter;
        ASSERT_EQ(GameMode, 5u) << std::string(MessageLine.data());
        std::printf("won at tick %u\n", TickCounter);
    }

    // The whole mission from the briefing read to its win.
    void winMissionEight(ScriptedPlayer& player) {
        ASSERT_NO_FATAL_FAILURE(buyAndEnter(player));
        ASSERT_NO_FATAL_FAILURE(sprayTheWreck(player));
        ASSERT_NO_FATAL_FAILURE(fightTheFires(player));
        ASSERT_NO_FATAL_FAILURE(rescueTheInjured(player));
    }

    // The three casualties on the restaurant's ground floor, where each is laid down outside (the
    // open ground south of the street, clear of the walls that would hide its bearers), and where
    // its ambulance waits.
    static constexpr std::array<std::int16_t, kCasualtyCount> kCasualties = {6, 7, 8};
    static constexpr std::array<PixelPos, kCasualtyCount> kLayDown = {
        {{1550, 1330}, {1610, 1330}, {1670, 1330}}};
    static constexpr std::array<PixelPos, kCasualtyCount> kParks = {
        {{1700, 1420}, {1600, 1420}, {1500, 1420}}};
    static constexpr std::array<PixelPos, kTankerCount> kTankerParks = {
        {{2250, 1250}, {2150, 1250}, {2050, 1250}, {1950, 1250}}};
    std::vector<CarryOut> carries;
    std::vector<CasualtyRun> runs;

    static bool WreckBurns() { return SonderObjs[kWreck].burning != 0; }

    std::array<std::int16_t, kTankerCount> tankers{};
    int cannonsSet = 0;
};

}  // namespace kv::test
