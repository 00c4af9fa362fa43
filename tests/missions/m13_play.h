#pragma once
// Mission 13's moves by clicks and keys, for its own play-through tests and the campaign's: the
// mission jump to the small town, the video and the briefing, the purchase and the drive in.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "core/campaign.h"
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
#include "world/level_map.h"
#include "world/sonder_obj.h"

namespace kv::test {

class MissionThirteenMoves : public virtual PlayThroughSteps {
  protected:
    static constexpr std::int8_t kFireFighter = 1;  // P02
    static constexpr std::size_t kCrewBase = 1;
    static constexpr std::size_t kPlaceF102 = 0;  // at base 1
    static constexpr std::size_t kTruck = 2;

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

    static constexpr std::size_t kPlaceF201 = 2;  // at base 0
    static constexpr std::int8_t kStretcher = 5;  // P06
    static constexpr std::int8_t kCutterCarrier = 9;

    // To win: the crew van first, then an ambulance with a stretcher team.
    void buyToWinAndEnter(ScriptedPlayer& player) {
        openStation(player, kCrewBase);
        buy(player, kPlaceF102, {{kFireFighter, false}, {kFireFighter, false}});
        player.key(VK_ESCAPE);
        play(player, 1);
        ASSERT_EQ(GameMode, 10u);
        openStation(player);
        buy(player, kPlaceF201, {{kStretcher, true}});
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
            }
        }
        ASSERT_GE(van, 0);
        ASSERT_GE(ambulance, 0);
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
        // The team with the driver stands just in front of the house north of the truck, whose
        // storeys hide him: he is still selected from the pick-up, and is sent on from there.
        ASSERT_EQ(SelectedIndex, static_cast<std::uint16_t>(team));
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

    // The whole mission from another's play.
    void winMissionThirteen(ScriptedPlayer& player) {
        ASSERT_NO_FATAL_FAILURE(jumpToMissionThirteen(player));
        ASSERT_NO_FATAL_FAILURE(buyToWinAndEnter(player));
        ASSERT_NO_FATAL_FAILURE(cutTheDriverFree(player));
        std::printf("the driver free at tick %u\n", TickCounter);
        ASSERT_NO_FATAL_FAILURE(driverOff(player));
        std::printf("the driver off at tick %u\n", TickCounter);
        // With the driver gone no casualty is left and nothing burns yet: the town is saved
        // before the tank's hour.
        ASSERT_TRUE(playUntil(
            player, [] { return GameMode != 2; }, 300));
        ASSERT_EQ(GameMode, 5u) << std::string(MessageLine.data());
        EXPECT_LT(TickCounter, 4800u);
    }

    // The van at the end of the road down to the wreck, the ambulance on the road behind it.
    static constexpr PixelPos kVanSpot = {712, 832};
    static constexpr PixelPos kAmbulanceSpot = {655, 778};
    std::int16_t van = -1;
    std::int16_t ambulance = -1;
    std::int16_t team = -1;
    std::int16_t driver = -1;
    std::vector<std::int16_t> fireFighters;
};

}  // namespace kv::test
