#pragma once
// Mission 29 played by clicks and keys, for its own play-throughs and the whole campaign's: the
// mission jump to the air show, its video and briefing; the equipment truck bought at base 2, two
// tankers and an ambulance for each casualty still alive and one for the pilot at base 0; the
// cutter takes the pilot down, the tankers put out the two wrecks, and the ambulances take the
// hurt away.

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
#include "core/mouse.h"
#include "core/options.h"
#include "mission/panels/command_tables.h"
#include "persons/person_types.h"
#include "support/play_through.h"
#include "support/scripted_player.h"
#include "vehicles/fahrzeuge.h"
#include "world/sonder_obj.h"

namespace kv::test {

class MissionTwentyNineMoves : public virtual PlayThroughSteps {
  protected:
    static constexpr std::int8_t kFireFighter = 1;  // P02
    static constexpr std::int8_t kStretcher = 5;    // P06
    static constexpr std::int8_t kCutterHolder = 9;
    static constexpr std::int8_t kPilot = 54;
    static constexpr std::size_t kCutterBase = 2;
    static constexpr std::size_t kPlaceF101 = 0;  // at base 2
    static constexpr std::size_t kPlaceF108 = 5;
    static constexpr std::size_t kPlaceF104 = 1;  // at base 0
    static constexpr std::size_t kPlaceF201 = 2;
    static constexpr std::size_t kParachute = 21;
    static constexpr std::int16_t kEmptyParachute = 52;
    static constexpr std::array<std::size_t, 2> kWrecks = {19, 18};
    // The ten casualties alive at the start are the first persons created.
    static constexpr int kLiving = 10;
    static constexpr int kAmbulances = kLiving + 1;
    // The vehicles in the order bought: the command centre, the truck, the two tankers, then the
    // ambulances.
    static constexpr std::size_t kCentre = 0;
    static constexpr std::size_t kTruck = 1;
    static constexpr std::size_t kFirstTanker = 2;
    static constexpr std::size_t kFirstAmbulance = 4;

    // In a running mission: EINSATZ over the options button, and the air show's entry (campaign
    // position 22); then the video ends, and the briefing is read on the map.
    void jumpToMissionTwentyNine(ScriptedPlayer& player) {
        jumpToMission(player, 22, "22 Flugzeugabsturz bei Flugschau!", 29);
        if (::testing::Test::HasFatalFailure()) return;
        videoAndBriefing(player);
    }

    // Base 2: the command centre, without which no more than ten vehicles may be bought, and the
    // equipment truck with a fire fighter for its metal cutter. Base 0: two tankers with a fire
    // fighter each, then an ambulance with a stretcher team and a medic for each casualty alive
    // and one for the pilot. Into play at speed 3.
    void buyAndEnter(ScriptedPlayer& player) {
        openStation(player, kCutterBase);
        buy(player, kPlaceF101, {});
        buy(player, kPlaceF108, {{kFireFighter, false}});
        player.key(VK_ESCAPE);
        play(player, 1);
        ASSERT_EQ(GameMode, 10u);
        openStation(player);
        buy(player, kPlaceF104, {{kFireFighter, false}});
        buy(player, kPlaceF104, {{kFireFighter, false}});
        for (int i = 0; i < kAmbulances; ++i)
            buy(player, kPlaceF201, {{kStretcher, true}, {kPersonTypMedic, false}});
        EXPECT_GE(Money, 0) << "within the mission's 27000";
        leaveStationForTheMission(player);
        fast(player);
        ASSERT_EQ(GameSpeed, 3);
        bought = BoughtVehicles();
        ASSERT_EQ(bought.size(), static_cast<std::size_t>(kFirstAmbulance + kAmbulances));
    }

    // The truck to the parachute, where its fire fighter takes the cutter and cuts the pilot
    // down; the tankers on the wrecks; each ambulance to its place north of the field, whence its
    // team fetches its casualty. Ends when the mission does.
    void rescueAndPutOut(ScriptedPlayer& player) {
        ASSERT_EQ(bought[kTruck].crew.size(), 1u);
        const std::int16_t centre = bought[kCentre].vehicle;
        const std::int16_t truck = bought[kTruck].vehicle;
        const std::int16_t cutter = bought[kTruck].crew[0];
        std::vector<CasualtyRun> runs;
        for (int k = 0; k < kAmbulances; ++k) {
            const Bought& b = bought[kFirstAmbulance + static_cast<std::size_t>(k)];
            ASSERT_EQ(b.crew.size(), 2u);
            const std::int16_t casualty = k < kLiving ? static_cast<std::int16_t>(k) : -1;
            runs.push_back({b.vehicle, b.crew[0], b.crew[1], casualty, kParks[k]});
        }
        bool centreParked = false;
        int truckStep = 0;
        std::array<int, 2> tankerSteps = {0, 0};
        const auto tankerStep = [&](std::size_t k) {
            const std::int16_t v = bought[kFirstTanker + k].vehicle;
            const std::size_t wreck = kWrecks[k];
            switch (tankerSteps[k]) {
                case 0:  // in: off to the field's north, near its wreck
                    if (!atRest(v)) return;
                    selectFahrzeug(player, v);
                    clickWorldWith(player, static_cast<float>(kTankerParks[k].x),
                                   static_cast<float>(kTankerParks[k].y), kCursorMove);
                    tankerSteps[k] = F(v).orders != nullptr ? 1 : 0;
                    return;
                case 1:  // there: the cannon on the wreck, under the water cursor
                    if (!atRest(v)) return;
                    selectFahrzeug(player, v);
                    if (!hoverObject(player, wreck)) return;
                    if (CursorId != kCursorWater) return;
                    player.click(MouseX, MouseY);
                    play(player, 1);
                    tankerSteps[k] = F(v).orders != nullptr ? 2 : 1;
                    return;
                default:
                    return;
            }
        };
        const auto truckMove = [&] {
            switch (truckStep) {
                case 0:  // in: down the east lane to beside the parachute
                    if (!atRest(truck)) return;
                    selectFahrzeug(player, truck);
                    clickWorldWith(player, kTruckPark.x, kTruckPark.y, kCursorMove);
                    truckStep = F(truck).orders != nullptr ? 1 : 0;
                    return;
                case 1:  // there: its fire fighter out
                    if (!atRest(truck)) return;
                    selectFahrzeug(player, truck);
                    command(player, kCmdStaffOut);
                    truckStep = 2;
                    return;
                case 2:  // out: the cutter taken from the truck
                    if (P(cutter).offMap != 0 || P(cutter).orders != nullptr) return;
                    selectPerson(player, cutter);
                    clickFahrzeug(player, truck);
                    command(player, kCmdMetalCutter);
                    truckStep = 3;
                    return;
                case 3:  // the cutter in hand: the pilot cut down, under the rescue cursor
                    if (P(cutter).type != kCutterHolder || P(cutter).orders != nullptr) return;
                    selectPerson(player, cutter);
                    if (!hoverObject(player, kParachute) || CursorId != kCursorRescue) return;
                    player.click(MouseX, MouseY);
                    play(player, 1);
                    truckStep = P(cutter).orders != nullptr ? 4 : 3;
                    return;
                case 4:  // down: his ambulance fetches him
                    if (SonderObjs[kParachute].type != kEmptyParachute) return;
                    pilotDownAt = TickCounter;
                    for (std::int16_t i = 0; i < static_cast<std::int16_t>(Personen.size()); ++i)
                        if (P(i).type == kPilot) runs.back().casualty = i;
                    truckStep = 5;
                    return;
                default:
                    return;
            }
        };
        const bool done = playUntil(
            player,
            [&] {
                // The command centre out of the entry's way, to the hard standing by the road.
                if (GameMode == 2 && !centreParked && atRest(centre)) {
                    driveTo(player, centre, kCentrePark.x, kCentrePark.y);
                    centreParked = true;
                }
                if (GameMode == 2) truckMove();
                for (std::size_t k = 0; k < 2 && GameMode == 2; ++k) tankerStep(k);
                return !stepCasualtyRuns(player, runs);
            },
            20000);
        if (!done || GameMode != 5) {
            std::printf("truck step %d, tankers %d %d, cutter %d at %.0f %.0f type %d\n", truckStep,
                        tankerSteps[0], tankerSteps[1], cutter, static_cast<double>(P(cutter).x),
                        static_cast<double>(P(cutter).y), P(cutter).type);
            printCasualtyRuns(runs);
            player.shot("m29-stuck");
        }
        ASSERT_TRUE(done) << "tick " << TickCounter;
        ASSERT_EQ(GameMode, 5u) << std::string(MessageLine.data());
    }

    // The whole mission from another's play: jumped to, briefed, bought, and won.
    void winMissionTwentyNine(ScriptedPlayer& player) {
        ASSERT_NO_FATAL_FAILURE(jumpToMissionTwentyNine(player));
        ASSERT_NO_FATAL_FAILURE(buyAndEnter(player));
        ASSERT_NO_FATAL_FAILURE(rescueAndPutOut(player));
    }

    std::vector<Bought> bought;
    std::uint32_t pilotDownAt = 0;

  private:
    struct Point {
        float x;
        float y;
    };
    static constexpr Point kCentrePark = {400, 420};
    // Beside the east lane above the parachute, leaving the lane free.
    static constexpr Point kTruckPark = {3150, 1280};
    // North of the field lane, clear of it, each near the wreck its cannon sprays.
    static constexpr std::array<PixelPos, 2> kTankerParks = {{{930, 530}, {1680, 530}}};
    // Each ambulance's place, by casualty: in two rows on the hard standing just south of the main
    // road, east of the west lane and nearer the road than the field lane, so that each comes and
    // goes by the main road and none stands in another's way; the teams walk from there. The
    // pilot's east of the east lane's end, clear of the truck.
    static constexpr std::array<PixelPos, kAmbulances> kParks = {{
        {1080, 360},
        {1155, 290},
        {1230, 360},
        {1380, 360},
        {1455, 290},
        {1530, 360},
        {1680, 360},
        {1755, 290},
        {1830, 360},
        {1980, 360},
        {3350, 1420},
    }};
};

}  // namespace kv::test
