#pragma once
// Mission 25's moves by clicks and keys, for its own play-through tests and the campaign's: the
// mission jump to the arsonist's quarter, the video and the briefing, the purchase at base 0 (a
// police car with two officers, a tanker with three fire fighters, an ambulance with a stretcher
// team and a medic); the police car parked beside the street the arsonist takes north after his
// first fire, an officer waiting on it who stops him, takes him along and leads him into the car;
// the tanker's cannon on every burning house until none burns.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "core/fire_counts.h"
#include "core/game_mode.h"
#include "core/message_line.h"
#include "core/mission_scratch.h"
#include "core/mission_state.h"
#include "core/options.h"
#include "mission/panels/command_tables.h"
#include "persons/person_link.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "platform/cp1252.h"
#include "screens/karte.h"
#include "support/play_through.h"
#include "support/scripted_player.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "vehicles/fahrzeuge.h"
#include "world/brand_cells.h"
#include "world/house_types.h"
#include "world/houses.h"

namespace kv::test {

class MissionTwentyFiveMoves : public virtual PlayThroughSteps {
  protected:
    static constexpr std::int8_t kOfficer = 0;      // P01
    static constexpr std::int8_t kFireFighter = 1;  // P02
    static constexpr std::int8_t kStretcher = 5;    // P06
    static constexpr std::size_t kPlaceF301 = 0;
    static constexpr std::size_t kPlaceF104 = 1;
    static constexpr std::size_t kPlaceF201 = 2;
    static constexpr std::int16_t kArsonist = 0;

    struct Point {
        float x;
        float y;
    };
    // The police car's stand at the entry road's bend, and where its officer waits for the
    // arsonist on the street he takes north from house 33 to house 28, short of its door.
    static constexpr Point kPoliceStand = {1100, 1660};
    static constexpr Point kOfficerWait = {1760, 990};
    // The tanker stands west of house 35, which burns from the start, beside a hydrant; the
    // ambulance waits out of the way beside the entry road.
    static constexpr Point kTankerStand = {290, 1990};
    static constexpr Point kAmbulanceStand = {700, 1800};

    // In a running mission: EINSATZ over the options button and the box of campaign position 5;
    // then the video ends, and the briefing is read on the map.
    void jumpToMissionTwentyFive(ScriptedPlayer& player) {
        jumpToMission(player, 5, "05 Wohnhausbrand durch Brandstifter!", 25);
        if (::testing::Test::HasFatalFailure()) return;
        EXPECT_EQ(Money, 10000);
        videoAndBriefing(player);
    }

    // Base 0: the police car, the tanker and the ambulance with their crews; back to the map, and
    // into play at speed 3.
    void buyAndEnterMissionTwentyFive(ScriptedPlayer& player) {
        openStation(player);
        buy(player, kPlaceF301, {{kOfficer, false}, {kOfficer, false}});
        buy(player, kPlaceF104,
            {{kFireFighter, false}, {kFireFighter, false}, {kFireFighter, false}});
        buy(player, kPlaceF201, {{kStretcher, true}, {kPersonTypMedic, false}});
        EXPECT_GE(Money, 0) << "within the mission's 10000";
        leaveStationForTheMission(player);
        fast(player);
        ASSERT_EQ(GameSpeed, 3);
        const std::vector<Bought> bought = BoughtVehicles();
        ASSERT_EQ(bought.size(), 3u);
        police = bought[0];
        tanker = bought[1].vehicle;
        ambulance = bought[2].vehicle;
        ASSERT_EQ(police.crew.size(), 2u);
        ASSERT_EQ(bought[1].crew.size(), 3u);
    }

    // Nothing bought: from the briefing on the map straight into play at speed 3.
    void enterMissionTwentyFiveEmptyHanded(ScriptedPlayer& player) {
        player.click(kMapCamX + 5, kMapCamY + 5);
        play(player, 1);
        ASSERT_EQ(GameMode, 2u);
        fast(player);
    }

    static bool ArsonistOutside() {
        const Person& a = P(kArsonist);
        return a.type == 27 && a.offMap == 0 && a.house == 65535 && a.storey == 0;
    }
    static bool ArsonistLed(std::int16_t officer) {
        return DecodePersonLink(P(officer).link).kind == PersonLinkKind::Leads;
    }

    // The vehicles sent on as each comes to rest at the entry: the police car to its stand,
    // where its officers get out and the first walks to his place on the arsonist's street; the
    // tanker to its stand, where it aims at house 35; the ambulance out of the way.
    void driveInMissionTwentyFive(ScriptedPlayer& player) {
        const std::int16_t officer = police.crew[0];
        int policeStep = 0;
        bool tankerSent = false;
        bool ambulanceSent = false;
        bool tankerAiming = false;
        ASSERT_TRUE(playUntil(
            player,
            [&] {
                if (policeStep == 0 && atRest(police.vehicle)) {
                    driveTo(player, police.vehicle, kPoliceStand.x, kPoliceStand.y);
                    policeStep = 1;
                } else if (policeStep == 1 && atRest(police.vehicle)) {
                    deselect(player);
                    clickFahrzeug(player, police.vehicle);
                    command(player, kCmdStaffOut);
                    policeStep = 2;
                } else if (policeStep == 2 && P(officer).offMap == 0 &&
                           P(officer).orders == nullptr) {
                    deselect(player);
                    walkTo(player, officer, kOfficerWait.x, kOfficerWait.y);
                    policeStep = 3;
                }
                if (!tankerSent && atRest(tanker)) {
                    driveTo(player, tanker, kTankerStand.x, kTankerStand.y);
                    tankerSent = true;
                } else if (tankerSent && !tankerAiming && atRest(tanker)) {
                    tankerAiming = quenchFrom(player, 35);
                }
                if (!ambulanceSent && atRest(ambulance)) {
                    driveTo(player, ambulance, kAmbulanceStand.x, kAmbulanceStand.y);
                    ambulanceSent = true;
                }
                return policeStep == 3 && tankerAiming && ambulanceSent;
            },
            3000))
            << Where(police.vehicle) << Where(tanker) << Where(ambulance) << " tick "
            << TickCounter;
    }

    static std::string Where(std::int16_t v) {
        return " vehicle " + std::to_string(v) + " at " + std::to_string(F(v).x) + " " +
               std::to_string(F(v).y) + " order " +
               std::to_string(F(v).orders != nullptr ? F(v).orders->opcode : -1) + ";";
    }

    // The tanker's cannon on a burning cell of the house, under the water cursor; false when no
    // cell of it burns or none shows the water cursor.
    bool quenchFrom(ScriptedPlayer& player, int house) {
        House& h = Houses[static_cast<std::size_t>(house)];
        const HouseTyp& t = HouseTypOf(h);
        deselect(player);
        clickFahrzeug(player, tanker);
        for (int j = t.extentJ - 1; j >= 0; --j)
            for (int i = 0; i < t.extentI; ++i) {
                if (h.floors.empty() || brand::At(h.floors[0].brand, i, j).burning == 0) continue;
                const int c = h.x + i;
                const int r = h.y + j;
                const float x = static_cast<float>(32 * c - 16 * r + 8);
                const float y = static_cast<float>(28 * r + 14);
                centreView(player, x, y);
                player.mouseWorld(x, y);
                play(player, 2);
                if (CursorId != kCursorWater) continue;
                player.clickWorld(x, y);
                play(player, 1);
                return true;
            }
        return false;
    }

    // Once the arsonist stands outside near the officer, the officer takes him along and leads
    // him into the police car.
    void catchArsonist(ScriptedPlayer& player) {
        const std::int16_t officer = police.crew[0];
        const auto near = [&] {
            const float dx = P(kArsonist).x - P(officer).x;
            const float dy = P(kArsonist).y - P(officer).y;
            return dx * dx + dy * dy < 100.0f * 100.0f;
        };
        ASSERT_TRUE(playUntil(
            player, [&] { return (ArsonistOutside() && near()) || GameMode != 2; }, 4000))
            << "arsonist at " << P(kArsonist).x << " " << P(kArsonist).y << ", officer at "
            << P(officer).x << " " << P(officer).y;
        ASSERT_EQ(GameMode, 2u) << Cp1252ToUtf8(MessageLine.data());
        EXPECT_EQ(ArsonNextTarget, 2) << "caught before his second fire";
        selectPerson(player, officer);
        clickPerson(player, kArsonist);
        ASSERT_TRUE(playUntil(
            player, [&] { return ArsonistLed(officer) || GameMode != 2; }, 600));
        ASSERT_TRUE(ArsonistLed(officer));
        if (SelectedIndex != static_cast<std::uint16_t>(officer)) selectPerson(player, officer);
        clickFahrzeug(player, police.vehicle);
        ASSERT_TRUE(playUntil(
            player, [&] { return P(kArsonist).offMap != 0 || GameMode != 2; }, 1500));
        ASSERT_NE(P(kArsonist).offMap, 0) << "he boards";
    }

    // Every burning house under the tanker's cannon until none burns; the mission is won.
    void quenchAll(ScriptedPlayer& player) {
        for (int round = 0; round < 40 && GameMode == 2 && BurningHouseCount > 0; ++round) {
            for (std::size_t k = 0; k < Houses.size(); ++k)
                if (Houses[k].type >= 0 && Houses[k].burning != 0 && F(tanker).orders == nullptr) {
                    quenchFrom(player, static_cast<int>(k));
                    break;
                }
            play(player, 150);
        }
        ASSERT_TRUE(playUntil(
            player, [] { return GameMode != 2; }, 3000))
            << "burning cells " << BurningCellCount << ", houses " << BurningHouseCount;
        ASSERT_EQ(GameMode, 5u) << Cp1252ToUtf8(MessageLine.data());
    }

    void winMissionTwentyFive(ScriptedPlayer& player) {
        driveInMissionTwentyFive(player);
        ASSERT_FALSE(::testing::Test::HasFatalFailure());
        catchArsonist(player);
        ASSERT_FALSE(::testing::Test::HasFatalFailure());
        quenchAll(player);
    }

    // The whole mission from a running one, as the campaign plays it: the jump, the purchase and
    // the win.
    void playMissionTwentyFive(ScriptedPlayer& player) {
        jumpToMissionTwentyFive(player);
        ASSERT_FALSE(::testing::Test::HasFatalFailure());
        buyAndEnterMissionTwentyFive(player);
        ASSERT_FALSE(::testing::Test::HasFatalFailure());
        winMissionTwentyFive(player);
    }

    Bought police{-1, {}};
    std::int16_t tanker = -1;
    std::int16_t ambulance = -1;
};

}  // namespace kv::test
