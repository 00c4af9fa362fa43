#pragma once
// Mission 13's moves by clicks and keys, for its own play-through tests and the campaign's: the
// mission jump to the small town, the video and the briefing, the purchase and the drive in.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "core/campaign.h"
#include "core/fire_counts.h"
#include "core/game_mode.h"
#include "core/message_line.h"
#include "core/mission_state.h"
#include "core/options.h"
#include "mission/panels/command_tables.h"
#include "platform/cp1252.h"
#include "support/play_through.h"
#include "support/scripted_player.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "vehicles/fahrzeuge.h"
#include "world/houses.h"
#include "world/level_map.h"
#include "world/sonder_obj.h"

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

    static constexpr std::size_t kPlaceF105 = 5;  // at base 1
    static constexpr std::size_t kPlaceF104 = 1;  // at base 0
    static constexpr std::size_t kPlaceF201 = 2;  // at base 0
    static constexpr std::int8_t kStretcher = 5;  // P06
    static constexpr std::int8_t kCutterCarrier = 9;

    // To win: the crew van first, then an ambulance with a stretcher team, then the two fire
    // engines with a fire fighter each, which come in behind it.
    void buyToWinAndEnter(ScriptedPlayer& player) {
        openStation(player, kCrewBase);
        buy(player, kPlaceF102, {{kFireFighter, false}, {kFireFighter, false}});
        player.key(VK_ESCAPE);
        play(player, 1);
        ASSERT_EQ(GameMode, 10u);
        openStation(player);
        buy(player, kPlaceF201, {{kStretcher, true}});
        buy(player, kPlaceF104, {{kFireFighter, false}});
        player.key(VK_ESCAPE);
        play(player, 1);
        ASSERT_EQ(GameMode, 10u);
        openStation(player, kCrewBase);
        buy(player, kPlaceF105, {{kFireFighter, false}});
        EXPECT_GE(Money, 0);
        leaveStationForTheMission(player);
        fast(player);
        ASSERT_EQ(GameSpeed, 3);
        for (const Bought& b : BoughtVehicles()) {
            if (F(b.vehicle).type == kTypF102) {
                van = b.vehicle;
                fireFighters = b.crew;
            } else if (F(b.vehicle).type == kTypF201) {
                ambulance = b.vehicle;
                ASSERT_EQ(b.crew.size(), 1u);
                team = b.crew[0];
            } else {
                engines.push_back(b.vehicle);
            }
        }
        ASSERT_GE(van, 0);
        ASSERT_GE(ambulance, 0);
        ASSERT_EQ(engines.size(), 2u);
        ASSERT_EQ(fireFighters.size(), 2u);
    }

    // The van to the open ground west of the wreck, its crew out, the cutter taken, and the
    // driver cut out of the cab under the action cursor.
    void cutTheDriverFree(ScriptedPlayer& player) {
        ASSERT_TRUE(playUntil(
            player, [&] { return atRest(van); }, 3000));
        driveTo(player, van, kVanSpot.x, kVanSpot.y);
        ASSERT_TRUE(playUntil(
            player, [&] { return atRest(van); }, 3000));
        selectFahrzeug(player, van);
        command(player, kCmdStaffOut);
        const std::int16_t cutter = fireFighters[1];
        ASSERT_TRUE(playUntil(
            player, [&] { return P(cutter).offMap == 0 && P(cutter).orders == nullptr; }, 300));
        selectPerson(player, cutter);
        clickFahrzeug(player, van);
        command(player, kCmdMetalCutter);
        ASSERT_TRUE(playUntil(
            player, [&] { return P(cutter).type == kCutterCarrier && P(cutter).orders == nullptr; },
            1500));
        driver = SonderObjs[kTruck].user;
        ASSERT_GE(driver, 0);
        selectPerson(player, cutter);
        ASSERT_TRUE(hoverObject(player, kTruck));
        ASSERT_EQ(CursorId, kCursorRescue);
        player.click(MouseX, MouseY);
        play(player, 1);
        ASSERT_TRUE(playUntil(
            player, [&] { return P(driver).offMap == 0; }, 1500))
            << "the cut, tick " << TickCounter;
        deselect(player);
    }

    // The ambulance to the open ground, its team out for the driver, aboard, and home.
    void driverOff(ScriptedPlayer& player) {
        ASSERT_TRUE(playUntil(
            player, [&] { return atRest(ambulance); }, 3000));
        driveTo(player, ambulance, kAmbulanceSpot.x, kAmbulanceSpot.y);
        ASSERT_TRUE(playUntil(
            player, [&] { return atRest(ambulance); }, 3000));
        selectFahrzeug(player, ambulance);
        command(player, kCmdStaffOut);
        ASSERT_TRUE(playUntil(
            player, [&] { return P(team).offMap == 0 && P(team).orders == nullptr; }, 300));
        selectPerson(player, team);
        clickPerson(player, driver);
        ASSERT_TRUE(playUntil(
            player, [&] { return P(team).orders == nullptr; }, 1500));
        ASSERT_EQ(P(team).link, static_cast<std::uint16_t>(driver)) << "taken up";
        selectPerson(player, team);
        clickFahrzeug(player, ambulance);
        ASSERT_TRUE(playUntil(
            player, [&] { return P(team).orders == nullptr && P(team).offMap != 0; }, 1500));
        selectFahrzeug(player, ambulance);
        command(player, kCmdBackToBase);
        ASSERT_TRUE(playUntil(
            player, [&] { return UsedPersonAt(driver) == nullptr; }, 3000))
            << "driven off, tick " << TickCounter;
        deselect(player);
    }

    // The crew well away from the tank, the fire engines waiting on the northern street.
    void clearOfTheBlast(ScriptedPlayer& player) {
        for (std::size_t k = 0; k < fireFighters.size(); ++k) {
            const std::int16_t p = fireFighters[k];
            ASSERT_TRUE(playUntil(
                player, [&] { return P(p).orders == nullptr; }, 1500));
            deselect(player);
            walkTo(player, p, kCrewSpot.x + 30.0f * static_cast<float>(k), kCrewSpot.y);
        }
        for (std::size_t k = 0; k < engines.size(); ++k) {
            ASSERT_TRUE(playUntil(
                player, [&] { return atRest(engines[k]); }, 3000));
            deselect(player);
            driveTo(player, engines[k], kEngineWait[k].x, kEngineWait[k].y);
        }
    }

    // After the blasts, each burning house under an engine's cannon until none burns.
    void putOutTheHouses(ScriptedPlayer& player) {
        ASSERT_TRUE(playUntil(
            player, [] { return TickCounter > 5400 || GameMode != 2; }, 3000));
        ASSERT_EQ(GameMode, 2u);
        std::printf("at tick %u %d houses burn\n", TickCounter, BurningHouseCount);
        for (int round = 0; round < 12 && BurningHouseCount > 0 && GameMode == 2; ++round) {
            for (std::size_t k = 0; k < engines.size() && GameMode == 2; ++k) {
                const std::int16_t v = engines[k];
                if (F(v).orders != nullptr) continue;
                const int h = NextBurningHouse(k);
                if (h < 0) break;
                const House& house = Houses[static_cast<std::size_t>(h)];
                const HouseTyp& t = HouseTypOf(house);
                const int frontRow = house.y + t.extentJ;
                const int left = kCellWidth * house.x - 16 * frontRow;
                const int base = kCellHeight * frontRow;
                std::printf("engine %d to house %d front %d %d\n", v, h, left, base);
                deselect(player);
                clickFahrzeug(player, v);
                if (!hoverHouseWithWater(player, static_cast<std::uint16_t>(h), left, base)) {
                    std::printf("  no water cursor over house %d\n", h);
                    continue;
                }
                player.click(MouseX, MouseY);
                play(player, 1);
            }
            playUntil(
                player, [] { return BurningHouseCount == 0 || GameMode != 2; }, 600);
        }
        ASSERT_EQ(GameMode, 2u) << std::string(MessageLine.data());
        ASSERT_EQ(BurningHouseCount, 0);
    }
    static int NextBurningHouse(std::size_t k) {
        int seen = 0;
        int last = -1;
        for (std::size_t h = 0; h < Houses.size(); ++h) {
            if (Houses[h].type < 0 || Houses[h].burning == 0) continue;
            last = static_cast<int>(h);
            if (seen++ == static_cast<int>(k)) return last;
        }
        return last;
    }
    bool hoverHouseWithWater(ScriptedPlayer& player, std::uint16_t house, int left, int base) {
        centreView(player, static_cast<float>(left + 80), static_cast<float>(base - 40));
        for (int up = 4; up < 120; up += 8)
            for (int across = 8; across < 160; across += 12) {
                player.mouseWorld(static_cast<float>(left + across), static_cast<float>(base - up));
                play(player, 1);
                if (HoverIds[3] == house && CursorId == kCursorWater) return true;
            }
        return false;
    }

    // The whole mission from another's play.
    void winMissionThirteen(ScriptedPlayer& player) {
        ASSERT_NO_FATAL_FAILURE(jumpToMissionThirteen(player));
        ASSERT_NO_FATAL_FAILURE(buyToWinAndEnter(player));
        ASSERT_NO_FATAL_FAILURE(cutTheDriverFree(player));
        std::printf("the driver free at tick %u\n", TickCounter);
        ASSERT_NO_FATAL_FAILURE(driverOff(player));
        std::printf("the driver off at tick %u\n", TickCounter);
        ASSERT_NO_FATAL_FAILURE(clearOfTheBlast(player));
        ASSERT_LT(TickCounter, 4800u);
        ASSERT_NO_FATAL_FAILURE(putOutTheHouses(player));
        ASSERT_TRUE(playUntil(
            player, [] { return GameMode != 2; }, 3000));
        ASSERT_EQ(GameMode, 5u) << std::string(MessageLine.data());
    }

    // The van at the end of the road down to the wreck, the ambulance on the road behind it.
    static constexpr PixelPos kVanSpot = {712, 832};
    static constexpr PixelPos kAmbulanceSpot = {655, 778};
    // West of the onlookers, out of the tank's reach and the drains'.
    static constexpr PixelPos kCrewSpot = {500, 845};
    static constexpr std::array<PixelPos, 2> kEngineWait = {{{450, 195}, {620, 195}}};
    std::int16_t van = -1;
    std::int16_t ambulance = -1;
    std::int16_t team = -1;
    std::int16_t driver = -1;
    std::vector<std::int16_t> engines;
    std::vector<std::int16_t> fireFighters;
};

}  // namespace kv::test
