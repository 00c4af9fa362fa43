#pragma once
// Mission 16's moves by clicks and keys, for its own play-through tests and the campaign's: the
// mission jump to the motorway, the video and the briefing, the purchases at bases 0 and 1 and the
// drive in along the service road; for the loss, vehicles onto the lane towards the scene; for
// the win, the sign put up, the coach put out, driver and passenger cut free, the wreck lifted,
// every casualty taken away by ambulances bought again as the first come home, and the sign down.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "core/game_mode.h"
#include "core/message_line.h"
#include "core/mission_counters.h"
#include "core/mission_state.h"
#include "core/options.h"
#include "mission/panel_pictures.h"
#include "mission/panels/command_tables.h"
#include "persons/person_types.h"
#include "platform/cp1252.h"
#include "support/play_through.h"
#include "support/scripted_player.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "vehicles/fahrzeuge.h"
#include "world/level_map.h"
#include "world/sonder_obj.h"

namespace kv::test {

class MissionSixteenMoves : public virtual PlayThroughSteps {
  protected:
    static constexpr std::size_t kPlaceF301 = 0;  // at base 0
    static constexpr std::size_t kPlaceF201 = 2;
    static constexpr std::size_t kPlaceF110 = 3;
    static constexpr std::size_t kVanCount = 3;

    // In a running mission: EINSATZ over the options button, and the motorway's entry (campaign
    // position 9); then the video ends, and the briefing is read on the map.
    void jumpToMissionSixteen(ScriptedPlayer& player) {
        jumpToMission(player, 9, W("09 Busunfall auf der Autobahn!"), 16);
        if (::testing::Test::HasFatalFailure()) return;
        videoAndBriefing(player);
    }

    // Base 0: three vehicles without crews and without a water cannon (an idle cannon would set
    // itself on the burning coach); back to the map, and into play at speed 3.
    void buyThreeAndEnter(ScriptedPlayer& player) {
        openStation(player);
        for (const std::size_t place : {kPlaceF301, kPlaceF201, kPlaceF110}) buy(player, place, {});
        leaveStationForTheMission(player);
        fast(player);
        ASSERT_EQ(GameSpeed, 3);
        const std::vector<Bought> bought = BoughtVehicles();
        ASSERT_EQ(bought.size(), kVanCount);
        for (std::size_t k = 0; k < kVanCount; ++k) vans[k] = bought[k].vehicle;
    }

    // Each vehicle, once it has come in along the service road, is sent up across the lay-by onto
    // the eastbound lane beside the scene, where the traffic comes at full speed while the sign
    // lies folded.
    void driveOntoTheLane(ScriptedPlayer& player) {
        for (std::size_t k = 0; k < kVanCount; ++k) {
            const std::int16_t v = vans[k];
            ASSERT_TRUE(playUntil(
                player, [&] { return atRest(v); }, 2000))
                << v << " at " << F(v).x << " " << F(v).y << " order "
                << (F(v).orders != nullptr ? int{F(v).orders->opcode} : -1) << " tick "
                << TickCounter << "; first at " << F(vans[0]).x << " " << F(vans[0]).y;
            slow(player);
            driveTo(player, v, static_cast<float>(kLaneStands[k].x),
                    static_cast<float>(kLaneStands[k].y));
            if (::testing::Test::HasFatalFailure()) return;
            fast(player);
        }
    }
    static constexpr std::array<PixelPos, kVanCount> kLaneStands = {
        {{2550, 535}, {2750, 535}, {2950, 535}}};

    std::array<std::int16_t, kVanCount> vans{};

    // For the win. Base 1: the crew van with two fire fighters for the metal cutters. Base 0: the
    // police car with an officer for the sign, the tanker with a fire fighter, the crane truck,
    // and ambulances with a stretcher team and a medic each up to the ten vehicles allowed
    // without a command centre. Into play at speed 3.
    void buyForTheWinAndEnter(ScriptedPlayer& player) {
        // The ambulances first, to come in first: two of the casualties die soon.
        openStation(player);
        for (int i = 0; i < kFirstAmbulances; ++i)
            buy(player, kPlaceF201, {{kStretcher, true}, {kPersonTypMedic, false}});
        buy(player, kPlaceF104, {{kFireFighter, false}});
        buy(player, kPlaceF301, {{kPolice, false}});
        buy(player, kPlaceF110, {});
        player.key(VK_ESCAPE);
        play(player, 1);
        ASSERT_EQ(GameMode, 10u);
        openStation(player, kVanBase);
        buy(player, kPlaceF102, {{kFireFighter, false}, {kFireFighter, false}});
        EXPECT_GE(Money, 0) << "within the mission's 11000";
        leaveStationForTheMission(player);
        fast(player);
        ASSERT_EQ(GameSpeed, 3);
        for (const Bought& b : BoughtVehicles()) {
            switch (F(b.vehicle).type) {
                case kTypF102:
                    van = b.vehicle;
                    cutters = b.crew;
                    break;
                case kTypF301:
                    police = b.vehicle;
                    officer = b.crew.at(0);
                    break;
                case kTypF104:
                    tanker = b.vehicle;
                    break;
                case kTypF110:
                    crane = b.vehicle;
                    break;
                default:
                    addRun(b);
                    break;
            }
        }
        ASSERT_EQ(cutters.size(), 2u);
        ASSERT_EQ(runs.size(), static_cast<std::size_t>(kFirstAmbulances));
    }

    // Ambulances for the casualties not yet fetched, bought at base 0 through the map button
    // while the mission runs, as many as the vehicles at home allow.
    void buyMoreAmbulances(ScriptedPlayer& player) {
        const int want = std::min<int>(static_cast<int>(kRescueOrder.size()) - nextCasualty,
                                       kMaxBought - int{BoughtFahrzeugCount});
        if (want <= 0) return;
        std::vector<std::int16_t> before;
        for (const Bought& b : BoughtVehicles()) before.push_back(b.vehicle);
        player.click(kMapButtonPlace.x + kMapButtonPlace.width / 2,
                     kMapButtonPlace.y + kMapButtonPlace.height / 2);
        ASSERT_TRUE(playUntil(
            player, [] { return GameMode == 10; }, 30));
        openStation(player);
        for (int i = 0; i < want; ++i)
            buy(player, kPlaceF201, {{kStretcher, true}, {kPersonTypMedic, false}});
        EXPECT_GE(Money, 0) << "within the mission's 11000";
        leaveStationForTheMission(player);
        fast(player);
        for (const Bought& b : BoughtVehicles())
            if (std::find(before.begin(), before.end(), b.vehicle) == before.end()) addRun(b);
    }

    // The whole mission from another's play: jumped to, briefed, bought, and won.
    void winMissionSixteen(ScriptedPlayer& player) {
        ASSERT_NO_FATAL_FAILURE(jumpToMissionSixteen(player));
        ASSERT_NO_FATAL_FAILURE(buyForTheWinAndEnter(player));
        ASSERT_NO_FATAL_FAILURE(rescue(player));
    }

    // Each unit moves on by a step where it can, until the mission ends.
    void rescue(ScriptedPlayer& player) {
        const bool done = playUntil(
            player,
            [&] {
                if (GameMode == 2) signStep(player);
                if (GameMode == 2) tankerStep(player);
                if (GameMode == 2) cutterSteps(player);
                if (GameMode == 2) craneStep(player);
                if (GameMode == 2 && !stepCasualtyRuns(player, runs)) return true;
                if (firstRunAt == 0 && !runs.empty() && runs[0].step > 0) {
                    firstRunAt = TickCounter;
                    std::printf("first ambulance sent at tick %u\n", firstRunAt);
                }
                if (GameMode == 2 && nextCasualty < static_cast<int>(kRescueOrder.size()) &&
                    int{BoughtFahrzeugCount} < kMaxBought) {
                    buyMoreAmbulances(player);
                    if (::testing::Test::HasFatalFailure()) return true;
                }
                return GameMode != 2;
            },
            40000);
        if (!done || GameMode != 5) {
            std::printf(
                "sign %d tanker %d cutters %d %d crane %d; wreck %d frame %d, coach %d"
                " burning %d, dead %u lost %u tick %u\n",
                signSteps, tankerSteps, cutterSteps_[0], cutterSteps_[1], craneSteps,
                SonderObjs[kWreckSlot].type, SonderObjs[kWreckSlot].frame,
                SonderObjs[kCoachSlot].type, SonderObjs[kCoachSlot].burning, ToteCount,
                LostBoughtFahrzeugCount, TickCounter);
            for (const std::int16_t v : {police, tanker, crane, van})
                std::printf("vehicle %d type %d at %.0f %.0f order %d karte %d\n", v, F(v).type,
                            static_cast<double>(F(v).x), static_cast<double>(F(v).y),
                            F(v).orders != nullptr ? F(v).orders->opcode : -1, F(v).KarteWeg);
            printCasualtyRuns(runs);
            player.shot("m16-stuck");
        }
        ASSERT_TRUE(done) << "tick " << TickCounter;
        ASSERT_EQ(GameMode, 5u) << std::string(MessageLine.data());
    }

    static constexpr std::size_t kVanBase = 1;
    static constexpr std::size_t kPlaceF102 = 0;    // at base 1
    static constexpr std::size_t kPlaceF104 = 1;    // at base 0
    static constexpr std::int8_t kPolice = 0;       // P01
    static constexpr std::int8_t kFireFighter = 1;  // P02
    static constexpr std::int8_t kStretcher = 5;    // P06
    static constexpr std::int8_t kCutterHolder = 9;
    static constexpr int kMaxBought = 10;
    static constexpr std::uint8_t kOpCannonAtPoint = 67;
    static constexpr int kFirstAmbulances = 6;
    static constexpr std::size_t kWreckSlot = 0;
    static constexpr std::size_t kCoachSlot = 1;
    static constexpr std::size_t kMarkerSlot = 2;
    static constexpr std::size_t kSignSlot = 3;
    // The casualties by how soon they would die, the two held ones last: they lie there only
    // once cut free.
    static constexpr std::array<std::int16_t, 11> kRescueOrder = {6, 10, 2, 4, 5, 8, 3, 7, 9, 0, 1};

  private:
    void addRun(const Bought& b) {
        ASSERT_EQ(b.crew.size(), 2u);
        const std::int16_t who = nextCasualty < static_cast<int>(kRescueOrder.size())
                                     ? kRescueOrder[static_cast<std::size_t>(nextCasualty++)]
                                     : -1;
        runs.push_back({b.vehicle, b.crew[0], b.crew[1], -1, kParks[runs.size() % kParks.size()]});
        pendingCasualty.push_back(who);
    }
    // A held casualty is fetched once it lies on the ground.
    void releaseCasualties() {
        for (std::size_t k = 0; k < runs.size(); ++k) {
            if (runs[k].casualty >= 0 || pendingCasualty[k] < 0) continue;
            if (P(pendingCasualty[k]).offMap == 0) runs[k].casualty = pendingCasualty[k];
        }
    }
    bool idle(std::int16_t p) const { return P(p).offMap == 0 && P(p).orders == nullptr; }
    bool anyCasualtyLeft() const {
        for (const Person& p : Personen)
            if (p.type >= 0 && p.casualty != 0) return true;
        return false;
    }
    // The sign up by the officer, and down again once nothing else is left.
    void signStep(ScriptedPlayer& player) {
        switch (signSteps) {
            case 0:
                if (!atRest(police)) return;
                driveTo(player, police, kSignPark.x, kSignPark.y);
                signSteps = 1;
                return;
            case 1:
                if (!atRest(police)) return;
                selectFahrzeug(player, police);
                command(player, kCmdStaffOut);
                signSteps = 2;
                return;
            case 2:
            case 4:
                if (!idle(officer)) return;
                if (signSteps == 4 && (anyCasualtyLeft() || SonderObjs[kCoachSlot].burning != 0 ||
                                       SonderObjs[kWreckSlot].type == 18))
                    return;
                selectPerson(player, officer);
                if (!hoverObject(player, kSignSlot) || CursorId != kCursorRescue) return;
                player.click(MouseX, MouseY);
                play(player, 1);
                if (P(officer).orders != nullptr) ++signSteps;
                return;
            case 3:
                if (SonderObjs[kSignSlot].frame == 7) signSteps = 4;
                return;
            default:
                return;
        }
    }
    // The tanker's cannon on the coach until its fire is out.
    void tankerStep(ScriptedPlayer& player) {
        if (tankerSteps == 0) {
            // Come in, its idle cannon turns on the coach from the road; it is sent on all the
            // same, out of the way of those behind it.
            const Fahrzeug& t = F(tanker);
            if (t.KarteWeg != -1 || t.x <= 0 ||
                (t.orders != nullptr && t.orders->opcode != kOpCannonAtPoint))
                return;
            driveTo(player, tanker, kTankerPark.x, kTankerPark.y);
            tankerSteps = 1;
            return;
        }
        if (tankerSteps != 1 || SonderObjs[kCoachSlot].burning == 0) return;
        if (!atRest(tanker)) return;
        selectFahrzeug(player, tanker);
        if (!hoverObject(player, kCoachSlot) || CursorId != kCursorWater) return;
        player.click(MouseX, MouseY);
        play(player, 1);
        if (F(tanker).orders != nullptr) tankerSteps = 2;
    }
    // The van parked, its fire fighters out with a metal cutter each; one cuts the driver out
    // of the wreck once the sign stands, the other the passenger out of the put-out coach.
    void cutterSteps(ScriptedPlayer& player) {
        releaseCasualties();
        if (vanSteps == 0) {
            if (!atRest(van)) return;
            driveTo(player, van, kVanPark.x, kVanPark.y);
            vanSteps = 1;
            return;
        }
        if (vanSteps == 1) {
            if (!atRest(van)) return;
            selectFahrzeug(player, van);
            command(player, kCmdStaffOut);
            vanSteps = 2;
            return;
        }
        for (std::size_t k = 0; k < 2; ++k) {
            const std::int16_t c = cutters[k];
            int& step = cutterSteps_[k];
            switch (step) {
                case 0:
                    if (!idle(c)) break;
                    selectPerson(player, c);
                    clickFahrzeug(player, van);
                    command(player, kCmdMetalCutter);
                    step = 1;
                    break;
                case 1: {
                    if (P(c).type != kCutterHolder || !idle(c)) break;
                    const std::size_t slot = k == 0 ? kWreckSlot : kCoachSlot;
                    if (k == 0 && signSteps < 4) break;
                    if (k == 1 &&
                        (SonderObjs[kCoachSlot].burning != 0 || SonderObjs[kMarkerSlot].type < 0))
                        break;
                    selectPerson(player, c);
                    if (!hoverObject(player, slot) || CursorId != kCursorRescue) break;
                    player.click(MouseX, MouseY);
                    play(player, 1);
                    if (P(c).orders != nullptr) step = 2;
                    break;
                }
                case 2:
                    if (k == 0 ? SonderObjs[kWreckSlot].frame == 1
                               : SonderObjs[kMarkerSlot].visible == 1 ||
                                     SonderObjs[kMarkerSlot].type < 0)
                        step = 3;
                    else if (idle(c))
                        step = 1;
                    break;
                default:
                    break;
            }
        }
    }
    // The crane to the wreck once its driver is out, and home with it.
    void craneStep(ScriptedPlayer& player) {
        switch (craneSteps) {
            case 0:
                if (!atRest(crane)) return;
                driveTo(player, crane, kCranePark.x, kCranePark.y);
                craneSteps = 1;
                return;
            case 1:
                if (!atRest(crane) || SonderObjs[kWreckSlot].frame != 1) return;
                selectFahrzeug(player, crane);
                if (!hoverObject(player, kWreckSlot) || CursorId != kCursorRescue) return;
                player.click(MouseX, MouseY);
                play(player, 1);
                if (F(crane).orders != nullptr) craneSteps = 2;
                return;
            case 2:
                if (F(crane).orders != nullptr) return;
                if (F(crane).type != kTypF110MD) {
                    craneSteps = 1;
                    return;
                }
                selectFahrzeug(player, crane);
                command(player, kCmdBackToBase);
                craneSteps = 3;
                return;
            default:
                return;
        }
    }

    struct Point {
        float x;
        float y;
    };
    // The police car on the service road below the sign; the van on it below the scene.
    static constexpr Point kSignPark = {450, 905};
    // The others on it west of the scene, out of the ambulances' way.
    static constexpr Point kVanPark = {1700, 905};
    static constexpr Point kTankerPark = {2560, 600};
    static constexpr Point kCranePark = {1500, 905};
    // The ambulances in rows on the verge west of the scene, off the service road, which the
    // others coming in and going home need.
    static constexpr std::array<PixelPos, 10> kParks = {{{2440, 640},
                                                         {2530, 640},
                                                         {2620, 640},
                                                         {2440, 720},
                                                         {2530, 720},
                                                         {2620, 720},
                                                         {2440, 800},
                                                         {2530, 800},
                                                         {2620, 800},
                                                         {2350, 720}}};

  protected:
    std::int16_t van = -1;
    std::int16_t police = -1;
    std::int16_t officer = -1;
    std::int16_t tanker = -1;
    std::int16_t crane = -1;
    std::vector<std::int16_t> cutters;
    std::vector<CasualtyRun> runs;
    std::vector<std::int16_t> pendingCasualty;
    int nextCasualty = 0;
    int signSteps = 0;
    int tankerSteps = 0;
    int vanSteps = 0;
    std::array<int, 2> cutterSteps_{};
    int craneSteps = 0;
    std::uint32_t firstRunAt = 0;
};

}  // namespace kv::test
