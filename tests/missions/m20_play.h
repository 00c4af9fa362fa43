#pragma once
// Mission 20 played by clicks and keys, for its own play-throughs and the whole campaign's: the
// mission jump to the crash in the mountains, its video and briefing; an engine with two fire
// fighters and three ambulances at base 0, the rope truck at base 1 and the equipment truck at
// base 2. The fuel is bound with the extinguisher before the cutter opens the wreck, a fire
// fighter searches the victim's crevice and the rope pulls him out, and the ambulances take the
// three casualties away.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "core/campaign.h"
#include "core/game_mode.h"
#include "core/message_line.h"
#include "core/mission_scratch.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/options.h"
#include "mission/panels/command_tables.h"
#include "persons/person_types.h"
#include "platform/cp1252.h"
#include "support/play_through.h"
#include "support/scripted_player.h"
#include "vehicles/fahrzeuge.h"
#include "world/sonder_obj.h"

namespace kv::test {

class MissionTwentyMoves : public virtual PlayThroughSteps {
  protected:
    static constexpr std::int8_t kFireFighter = 1;  // P02
    static constexpr std::int8_t kStretcher = 5;    // P06
    static constexpr std::int8_t kExtinguisher = 8;
    static constexpr std::int8_t kCutterHolder = 9;
    static constexpr std::int8_t kRopeHolder = 15;
    static constexpr std::size_t kPlaceF104 = 1;  // at base 0
    static constexpr std::size_t kPlaceF201 = 2;
    static constexpr std::size_t kPlaceF105 = 5;  // at base 1
    static constexpr std::size_t kPlaceF108 = 5;  // at base 2
    static constexpr std::size_t kWreck = 0;
    static constexpr std::size_t kPuddle = 1;
    // The casualties by index: the victim in the crevice, the walker, the pilot in the wreck.
    static constexpr std::int16_t kVictim = 0;
    static constexpr std::int16_t kWalker = 1;
    static constexpr std::int16_t kPilot = 2;
    static constexpr int kAmbulances = 3;
    // The vehicles in the order bought.
    static constexpr std::size_t kEngine = 0;
    static constexpr std::size_t kFirstAmbulance = 1;
    static constexpr std::size_t kRopeTruck = 4;
    static constexpr std::size_t kCutterTruck = 5;

    // In a running mission: EINSATZ over the options button, and the crash's entry (campaign
    // position 19); then the video ends, and the briefing is read on the map.
    void jumpToMissionTwenty(ScriptedPlayer& player) {
        jumpToMission(player, 19, W("19 Sportflugzeug abgestürzt!"), 20);
        if (::testing::Test::HasFatalFailure()) return;
        videoAndBriefing(player);
    }

    // Base 0: the engine with a fire fighter for the extinguisher and one to search, and an
    // ambulance with a stretcher team and a medic for each casualty. Base 1: the rope truck with
    // a fire fighter. Base 2: the equipment truck with a fire fighter for the cutter. Into play at
    // speed 3.
    void buyAndEnter(ScriptedPlayer& player) {
        openStation(player);
        buy(player, kPlaceF104, {{kFireFighter, false}, {kFireFighter, false}});
        for (int i = 0; i < kAmbulances; ++i)
            buy(player, kPlaceF201, {{kStretcher, true}, {kPersonTypMedic, false}});
        ASSERT_NO_FATAL_FAILURE(toStation(player, 1));
        buy(player, kPlaceF105, {{kFireFighter, false}});
        ASSERT_NO_FATAL_FAILURE(toStation(player, 2));
        buy(player, kPlaceF108, {{kFireFighter, false}});
        EXPECT_GE(Money, 6000) << "the money line stays full";
        leaveStationForTheMission(player);
        fast(player);
        ASSERT_EQ(GameSpeed, 3);
        bought = BoughtVehicles();
        ASSERT_EQ(bought.size(), kCutterTruck + 1);
    }

    // The cutter truck alone at base 2, for the lost play.
    void buyCutterAndEnter(ScriptedPlayer& player) {
        openStation(player, 2);
        buy(player, kPlaceF108, {{kFireFighter, false}});
        leaveStationForTheMission(player);
        fast(player);
        bought = BoughtVehicles();
        ASSERT_EQ(bought.size(), 1u);
    }

    // A fire fighter out of the vehicle, the tool taken there.
    struct Tool {
        std::int16_t vehicle;
        std::int16_t person;
        std::uint16_t command;
        std::int8_t holder;
        PixelPos park;
        int step = 0;
    };
    // Moves the tool's holder on by a step where it can: in, parked, out, the tool taken. True
    // once the tool is in hand and its holder stands idle.
    bool stepTool(ScriptedPlayer& player, Tool& t) {
        switch (t.step) {
            case 0:
                if (!atRest(t.vehicle)) return false;
                selectFahrzeug(player, t.vehicle);
                clickWorldWith(player, static_cast<float>(t.park.x), static_cast<float>(t.park.y),
                               kCursorMove);
                t.step = F(t.vehicle).orders != nullptr ? 1 : 0;
                return false;
            case 1:
                if (!atRest(t.vehicle)) return false;
                selectFahrzeug(player, t.vehicle);
                command(player, kCmdStaffOut);
                t.step = 2;
                return false;
            case 2:
                if (P(t.person).offMap != 0 || P(t.person).orders != nullptr) return false;
                if (t.command == kCmdStaffOut) {
                    t.step = 4;
                    return true;
                }
                selectPerson(player, t.person);
                clickFahrzeug(player, t.vehicle);
                command(player, t.command);
                t.step = 3;
                return false;
            case 3:
                if (P(t.person).type != t.holder || P(t.person).orders != nullptr) return false;
                t.step = 4;
                return true;
            default:
                return P(t.person).orders == nullptr;
        }
    }

    // The cutter to the wreck under the rescue cursor; false while the click did not take.
    bool cutterToWreck(ScriptedPlayer& player, std::int16_t cutter) {
        selectPerson(player, cutter);
        if (!hoverObject(player, kWreck) || CursorId != kCursorRescue) return false;
        player.click(MouseX, MouseY);
        play(player, 1);
        return P(cutter).orders != nullptr;
    }

    // The fuel bound, the wreck opened, the victim's crevice searched and the victim pulled out
    // on the rope, and each casualty taken away by its ambulance. Ends when the mission does.
    void rescueAll(ScriptedPlayer& player) {
        const Bought& engine = bought[kEngine];
        const Bought& ropeTruck = bought[kRopeTruck];
        const Bought& cutterTruck = bought[kCutterTruck];
        ASSERT_EQ(engine.crew.size(), 2u);
        ASSERT_EQ(ropeTruck.crew.size(), 1u);
        ASSERT_EQ(cutterTruck.crew.size(), 1u);
        Tool binder{engine.vehicle, engine.crew[0], kCmdExtinguisher, kExtinguisher, kEnginePark};
        // The searcher comes out with the binder.
        Tool searcher{engine.vehicle, engine.crew[1], kCmdStaffOut, kFireFighter, kEnginePark, 2};
        Tool rope{ropeTruck.vehicle, ropeTruck.crew[0], kCmdRope, kRopeHolder, kRopePark};
        Tool cutter{cutterTruck.vehicle, cutterTruck.crew[0], kCmdMetalCutter, kCutterHolder,
                    kCutterPark};
        std::vector<CasualtyRun> runs;
        for (int k = 0; k < kAmbulances; ++k) {
            const Bought& b = bought[kFirstAmbulance + static_cast<std::size_t>(k)];
            ASSERT_EQ(b.crew.size(), 2u);
            // The walker is there from the start; the others once they are out.
            runs.push_back({b.vehicle, b.crew[0], b.crew[1],
                            static_cast<std::int16_t>(k == 0 ? kWalker : -1), kParks[k]});
        }
        int fuel = 0;
        int wreck = 0;
        int search = 0;
        int pull = 0;
        const bool done = playUntil(
            player,
            [&] {
                if (GameMode != 2) return true;
                // The fuel bound under the rescue cursor.
                if (fuel == 0 && stepTool(player, binder)) {
                    selectPerson(player, binder.person);
                    if (hoverObject(player, kPuddle) && CursorId == kCursorRescue) {
                        player.click(MouseX, MouseY);
                        play(player, 1);
                        fuel = P(binder.person).orders != nullptr ? 1 : 0;
                    }
                }
                if (fuel == 1 && SonderObjs[kPuddle].type != 20) {
                    fuelBoundAt = TickCounter;
                    fuel = 2;
                }
                // Only then the cutter opens the wreck, and the pilot comes out.
                if (wreck == 0 && stepTool(player, cutter) && fuel == 2)
                    wreck = cutterToWreck(player, cutter.person) ? 1 : 0;
                if (wreck == 1 && P(kPilot).offMap == 0) {
                    runs[2].casualty = kPilot;
                    wreck = 2;
                }
                // The crevice beside the walker searched, until the victim shows.
                if (search == 0 && stepTool(player, searcher)) {
                    selectPerson(player, searcher.person);
                    clickWorldWith(player, kCrevice.x, kCrevice.y, kCursorRescue);
                    search = P(searcher.person).orders != nullptr ? 1 : 0;
                }
                if (search == 1 && P(kVictim).present != 0) {
                    victimFoundAt = TickCounter;
                    search = 2;
                }
                // The searcher stands on the rope's spot: he steps down onto the scree.
                if (search == 2 && P(searcher.person).orders == nullptr) {
                    walkTo(player, searcher.person, kSearcherAside.x, kSearcherAside.y);
                    search = 3;
                }
                // The rope pulls him out.
                if (pull == 0 && stepTool(player, rope) && search == 3) {
                    selectPerson(player, rope.person);
                    hoverPerson(player, kVictim);
                    if (CursorId == kCursorRescue) {
                        player.click(MouseX, MouseY);
                        play(player, 1);
                        pull = P(rope.person).orders != nullptr ? 1 : 0;
                    }
                }
                if (pull == 1 && P(rope.person).type == kFireFighter &&
                    P(rope.person).orders == nullptr) {
                    runs[1].casualty = kVictim;
                    pull = 2;
                }
                return !stepCasualtyRuns(player, runs);
            },
            20000);
        if (!done || GameMode != 5) {
            std::printf("fuel %d wreck %d search %d pull %d; tools %d %d %d %d\n", fuel, wreck,
                        search, pull, binder.step, cutter.step, searcher.step, rope.step);
            printCasualtyRuns(runs);
            player.shot("m20-stuck");
        }
        ASSERT_TRUE(done) << "tick " << TickCounter;
        ASSERT_EQ(GameMode, 5u) << Cp1252ToUtf8(MessageLine.data());
    }

    // The cutter sent to the wreck while the fuel still lies there: the work sets it off.
    void cutBesideTheFuel(ScriptedPlayer& player) {
        const Bought& truck = bought[0];
        ASSERT_EQ(truck.crew.size(), 1u);
        Tool cutter{truck.vehicle, truck.crew[0], kCmdMetalCutter, kCutterHolder, kCutterPark};
        bool sent = false;
        ASSERT_TRUE(playUntil(
            player,
            [&] {
                if (GameMode != 2) return true;
                if (!sent && stepTool(player, cutter)) sent = cutterToWreck(player, cutter.person);
                return false;
            },
            6000));
    }

    // The whole mission from another's play: jumped to, briefed, bought, and won.
    void winMissionTwenty(ScriptedPlayer& player) {
        ASSERT_NO_FATAL_FAILURE(jumpToMissionTwenty(player));
        ASSERT_NO_FATAL_FAILURE(buyAndEnter(player));
        ASSERT_NO_FATAL_FAILURE(rescueAll(player));
    }

    std::vector<Bought> bought;
    std::uint32_t fuelBoundAt = 0;
    std::uint32_t victimFoundAt = 0;

  private:
    // From an open station to another, over the campaign map.
    void toStation(ScriptedPlayer& player, std::size_t base) {
        player.key(VK_ESCAPE);
        play(player, 1);
        ASSERT_EQ(GameMode, 10u);
        openStation(player, base);
    }

    struct Point {
        float x;
        float y;
    };
    // The engine and the cutter truck on the meadow below the crash site, beside the road's end;
    // the rope truck below the victim's crevice.
    static constexpr PixelPos kEnginePark = {2150, 540};
    static constexpr PixelPos kCutterPark = {2270, 600};
    static constexpr PixelPos kRopePark = {2700, 1420};
    static constexpr Point kSearcherAside = {2760, 1440};
    // A cleft cell of the crevice the victim lies in.
    static constexpr Point kCrevice = {2936, 1274};
    // Each ambulance's place, by casualty: the walker's, the victim's, the pilot's.
    static constexpr std::array<PixelPos, kAmbulances> kParks = {{
        {2800, 1060},
        {2620, 1380},
        {2350, 650},
    }};
};

}  // namespace kv::test
