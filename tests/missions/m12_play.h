#pragma once
// Mission 12's moves by clicks and keys, for its own play-through tests and the campaign's: the
// mission jump to the amusement park, the video and the briefing, the purchase, the drive in, the
// crew van's fire fighters out, the visitor lying under the vertical beam carried off, the
// wreckage taken apart under the action cursor, and to win the other casualties driven and flown
// off.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "core/campaign.h"
#include "core/game_mode.h"
#include "core/mission_state.h"
#include "core/options.h"
#include "mission/panels/command_tables.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "platform/messages.h"
#include "screens/karte.h"
#include "support/play_through.h"
#include "support/scripted_player.h"
#include "vehicles/fahrzeug.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "vehicles/fahrzeuge.h"
#include "world/sonder_obj.h"

namespace kv::test {

class MissionTwelveMoves : public virtual PlayThroughSteps {
  protected:
    static constexpr std::int8_t kFireFighter = 1;  // P02
    static constexpr std::int8_t kCutterCarrier = 9;
    static constexpr std::size_t kCrewBase = 1;
    static constexpr std::int8_t kStretcher = 5;  // P06
    static constexpr std::size_t kPlaceF102 = 0;  // at base 1
    static constexpr std::size_t kPlaceF201 = 2;  // at base 0
    static constexpr std::size_t kCar = 0;
    static constexpr std::size_t kBeam = 1;
    static constexpr std::size_t kUpright = 2;
    static constexpr std::size_t kGrid = 3;

    // In a running mission: EINSATZ over the options button, and the park's entry (campaign
    // position 8); then the video ends, and the briefing is read on the map.
    void jumpToMissionTwelve(ScriptedPlayer& player) {
        jumpToMission(player, 8, "08 Unfall auf der Achterbahn!", 12);
        if (::testing::Test::HasFatalFailure()) return;
        videoAndBriefing(player);
    }

    // Base 1: the crew van with two fire fighters; base 0: an ambulance with a stretcher team.
    // To win, base 0 adds an ambulance with a stretcher team for the visitor in front and one
    // with a medic too for the passenger, who needs treatment before the drive; and the
    // helicopter base its F203 with a stretcher team for the visitor whom treatment does not
    // strengthen: he is too weak for an ambulance's drive, not for the flight. Back to the map,
    // and into play at speed 3.
    void buyAndEnter(ScriptedPlayer& player, bool toWin = false) {
        openStation(player, kCrewBase);
        const std::int32_t before = Money;
        buy(player, kPlaceF102, {{kFireFighter, false}, {kFireFighter, false}});
        player.key(VK_ESCAPE);
        play(player, 1);
        ASSERT_EQ(GameMode, 10u);
        openStation(player);
        buy(player, kPlaceF201, {{kStretcher, true}});
        if (toWin) {
            buy(player, kPlaceF201, {{kStretcher, true}});
            buy(player, kPlaceF201, {{kStretcher, true}, {kPersonTypMedic, false}});
            player.key(VK_ESCAPE);
            play(player, 1);
            ASSERT_EQ(GameMode, 10u);
            heli = buyHelicopter(player, {kStretcher});
            ASSERT_GE(heli, 0);
            ASSERT_FALSE(F(heli).seats.empty());
            heliTeam = static_cast<std::int16_t>(F(heli).seats[0]);
            player.click(kMapCamX + 5, kMapCamY + 5);
            play(player, 1);
            ASSERT_EQ(GameMode, 2u);
        } else {
            leaveStationForTheMission(player);
        }
        EXPECT_LT(Money, before);
        EXPECT_GE(Money, 0);
        fast(player);
        ASSERT_EQ(GameSpeed, 3);
        for (const Bought& b : BoughtVehicles()) {
            if (F(b.vehicle).type == kTypF102) {
                van = b.vehicle;
                fireFighters = b.crew;
            } else if (F(b.vehicle).type == kTypF201 && ambulance < 0) {
                ambulance = b.vehicle;
                ASSERT_EQ(b.crew.size(), 1u);
                team = b.crew[0];
            } else if (F(b.vehicle).type == kTypF201) {
                // Without a medic the team stands in for him: it boards once.
                ASSERT_FALSE(b.crew.empty());
                const std::size_t k = runs.size();
                runs.push_back({b.vehicle, b.crew[0], b.crew.back(), -1, kRunParks[k]});
            }
        }
        ASSERT_GE(van, 0);
        ASSERT_GE(ambulance, 0);
        ASSERT_EQ(fireFighters.size(), 2u);
        ASSERT_EQ(runs.size(), toWin ? 2u : 0u);
    }

    // Each vehicle drives in and on to the square's edge east of the crowd, the van first; the
    // van's fire fighters get out there.
    void inAndCrewOut(ScriptedPlayer& player) {
        for (const auto& [v, spot] :
             {std::pair{van, kVanSpot}, std::pair{ambulance, kAmbulanceSpot}}) {
            ASSERT_TRUE(playUntil(
                player, [&] { return atRest(v); }, 3000))
                << "vehicle " << v << " tick " << TickCounter;
            driveTo(player, v, static_cast<float>(spot.x), static_cast<float>(spot.y));
        }
        ASSERT_TRUE(playUntil(
            player, [&] { return atRest(van); }, 3000));
        selectFahrzeug(player, van);
        command(player, kCmdStaffOut);
        ASSERT_TRUE(playUntil(
            player,
            [&] {
                return std::all_of(fireFighters.begin(), fireFighters.end(),
                                   [](std::int16_t p) { return P(p).offMap == 0; }) &&
                       F(van).orders == nullptr;
            },
            300));
    }

    // The visitor lying where the vertical beam is taken: the stretcher team gets out of the
    // ambulance, takes him up, boards again, and the ambulance drives him off.
    void carryOffTheVisitorUnderTheUpright(ScriptedPlayer& player) {
        const std::int16_t visitor = CasualtyAt(kUnderTheUpright);
        ASSERT_GE(visitor, 0);
        ASSERT_TRUE(playUntil(
            player, [&] { return atRest(ambulance); }, 3000));
        selectFahrzeug(player, ambulance);
        command(player, kCmdStaffOut);
        ASSERT_TRUE(playUntil(
            player, [&] { return P(team).offMap == 0 && P(team).orders == nullptr; }, 300));
        selectPerson(player, team);
        clickPerson(player, visitor);
        ASSERT_TRUE(playUntil(
            player, [&] { return P(team).orders == nullptr; }, 1500));
        ASSERT_EQ(P(team).link, static_cast<std::uint16_t>(visitor)) << "taken up";
        selectPerson(player, team);
        clickFahrzeug(player, ambulance);
        ASSERT_TRUE(playUntil(
            player, [&] { return P(team).orders == nullptr && P(team).offMap != 0; }, 1500))
            << "aboard";
        selectFahrzeug(player, ambulance);
        command(player, kCmdBackToBase);
        ASSERT_TRUE(playUntil(
            player, [&] { return UsedPersonAt(visitor) == nullptr; }, 3000))
            << "driven off, tick " << TickCounter;
        EXPECT_EQ(ToteCount, 0u);
        deselect(player);
    }

    static std::int16_t CasualtyAt(PixelPos at) {
        for (std::int16_t i = 0; i < static_cast<std::int16_t>(Personen.size()); ++i)
            if (P(i).type != -1 && P(i).casualty != 0 && P(i).x == static_cast<float>(at.x) &&
                P(i).y == static_cast<float>(at.y))
                return i;
        return -1;
    }

    // A fire fighter with nothing in hand sent at a piece of the wreckage under the action cursor.
    void toThePiece(ScriptedPlayer& player, std::int16_t who, std::size_t slot) {
        selectPerson(player, who);
        ASSERT_TRUE(hoverObject(player, slot)) << "piece " << slot;
        ASSERT_EQ(CursorId, kCursorRescue) << "piece " << slot;
        player.click(MouseX, MouseY);
        play(player, 1);
        ASSERT_NE(P(who).orders, nullptr);
    }

    // The crew takes the wreckage apart: the first fire fighter clears the horizontal beam and the
    // grid with one click and then takes the vertical beam; meanwhile the second takes the metal
    // cutter from the van, and once the three pieces are gone cuts the passenger out of the car.
    void takeTheWreckageApart(ScriptedPlayer& player) {
        const std::int16_t clearer = fireFighters[0];
        const std::int16_t cutter = fireFighters[1];
        toThePiece(player, clearer, kBeam);
        if (::testing::Test::HasFatalFailure()) return;
        selectPerson(player, cutter);
        clickFahrzeug(player, van);
        command(player, kCmdMetalCutter);
        ASSERT_TRUE(playUntil(
            player, [&] { return SonderObjs[kBeam].type == -1 && SonderObjs[kGrid].type == -1; },
            1500))
            << "beam and grid, tick " << TickCounter;
        ASSERT_TRUE(playUntil(
            player, [&] { return P(clearer).orders == nullptr; }, 300));
        toThePiece(player, clearer, kUpright);
        if (::testing::Test::HasFatalFailure()) return;
        ASSERT_TRUE(playUntil(
            player, [&] { return SonderObjs[kUpright].type == -1; }, 1500))
            << "the vertical beam, tick " << TickCounter;
        ASSERT_TRUE(playUntil(
            player, [&] { return P(cutter).type == kCutterCarrier && P(cutter).orders == nullptr; },
            1500))
            << "the cutter, tick " << TickCounter;
        passenger = SonderObjs[kCar].user;
        ASSERT_GE(passenger, 0);
        toThePiece(player, cutter, kCar);
        if (::testing::Test::HasFatalFailure()) return;
        ASSERT_TRUE(playUntil(
            player, [&] { return P(passenger).offMap == 0; }, 1500))
            << "the cut, tick " << TickCounter;
        EXPECT_EQ(SonderObjs[kCar].type, kEmptyCar);
    }

    // The helicopter lands beside the visitor lying west of the wreckage; its stretcher team
    // takes him aboard, and it flies him off.
    void flyTheVisitorOff(ScriptedPlayer& player) {
        const std::int16_t visitor = CasualtyAt(kWestOfTheWreck);
        ASSERT_GE(visitor, 0);
        ASSERT_TRUE(playUntil(
            player, [&] { return F(heli).KarteWeg == -1 && F(heli).orders == nullptr; }, 3000));
        ASSERT_TRUE(landBeside(player, heli, P(visitor).x, P(visitor).y));
        ASSERT_TRUE(playUntil(
            player,
            [&] { return F(heli).anim == kHelicopterAnimLanded && F(heli).orders == nullptr; },
            3000))
            << "landing, tick " << TickCounter << " at " << F(heli).x << " " << F(heli).y;
        selectFahrzeug(player, heli);
        command(player, kCmdStaffOut);
        ASSERT_TRUE(playUntil(
            player, [&] { return P(heliTeam).offMap == 0 && P(heliTeam).orders == nullptr; }, 300));
        selectPerson(player, heliTeam);
        clickPerson(player, visitor);
        ASSERT_TRUE(playUntil(
            player, [&] { return P(heliTeam).orders == nullptr; }, 1500));
        ASSERT_EQ(P(heliTeam).link, static_cast<std::uint16_t>(visitor)) << "taken up";
        selectPerson(player, heliTeam);
        clickFahrzeug(player, heli);
        ASSERT_TRUE(playUntil(
            player, [&] { return P(heliTeam).orders == nullptr && P(heliTeam).offMap != 0; }, 1500))
            << "aboard";
        selectFahrzeug(player, heli);
        command(player, kCmdBackToBase);
        ASSERT_TRUE(playUntil(
            player, [&] { return UsedPersonAt(visitor) == nullptr; }, 3000))
            << "flown off, tick " << TickCounter;
        EXPECT_EQ(ToteCount, 0u);
        deselect(player);
    }

    // The whole mission from another's play: jumped to, bought, the wreckage taken apart, every
    // casualty driven or flown off, and won. The visitor in front and the passenger, both bleeding
    // towards the ambulance's limit, go first; the helicopter comes for the last.
    void winMissionTwelve(ScriptedPlayer& player) {
        ASSERT_NO_FATAL_FAILURE(jumpToMissionTwelve(player));
        ASSERT_NO_FATAL_FAILURE(buyAndEnter(player, true));
        ASSERT_NO_FATAL_FAILURE(inAndCrewOut(player));
        runs[0].casualty = CasualtyAt(kInFront);
        ASSERT_GE(runs[0].casualty, 0);
        ASSERT_NO_FATAL_FAILURE(carryOffTheVisitorUnderTheUpright(player));
        const auto home = [](const CasualtyRun& r) { return r.step >= kCasualtyRunHome; };
        const auto stuck = [&] {
            printCasualtyRuns(runs);
            player.shot("play-m12-stuck");
            return "tick " + std::to_string(TickCounter);
        };
        // The visitor in front, untreated, must be on his way before he is too weak for the drive.
        ASSERT_TRUE(playUntil(
            player, [&] { return !stepCasualtyRuns(player, runs) || home(runs[0]); }, 4000))
            << stuck();
        std::printf("the visitor in front off at tick %u\n", TickCounter);
        ASSERT_NO_FATAL_FAILURE(takeTheWreckageApart(player));
        std::printf("the passenger free at tick %u\n", TickCounter);
        // Bled weak in the car, the passenger is treated where he lies before he is carried off.
        const std::int16_t medic = runs[1].medic;
        ASSERT_TRUE(playUntil(
            player, [&] { return P(medic).offMap == 0 && P(medic).orders == nullptr; }, 1000));
        selectPerson(player, medic);
        clickPerson(player, passenger);
        ASSERT_TRUE(playUntil(
            player, [&] { return P(passenger).treated != 0 && P(passenger).energy >= 350000; },
            3000))
            << "energy " << P(passenger).energy << ", tick " << TickCounter;
        deselect(player);
        runs[1].casualty = passenger;
        ASSERT_TRUE(playUntil(
            player,
            [&] {
                return !stepCasualtyRuns(player, runs) ||
                       std::all_of(runs.begin(), runs.end(), home);
            },
            4000))
            << stuck();
        std::printf("the passenger off at tick %u\n", TickCounter);
        ASSERT_EQ(GameMode, 2u);
        ASSERT_NO_FATAL_FAILURE(flyTheVisitorOff(player));
        ASSERT_TRUE(playUntil(
            player, [] { return GameMode != 2; }, 3000))
            << stuck();
        ASSERT_EQ(GameMode, 5u);
        EXPECT_EQ(ToteCount, 0u);
    }

    static constexpr std::int16_t kEmptyCar = 18;
    static constexpr PixelPos kWestOfTheWreck = {930, 1195};
    static constexpr PixelPos kInFront = {960, 1215};
    // On the lawn north of the road in: parked on the road, one would block the other's way out.
    static constexpr std::array<PixelPos, 2> kRunParks = {{{1450, 920}, {1600, 920}}};
    std::int16_t heli = -1;
    std::int16_t heliTeam = -1;
    std::int16_t passenger = -1;
    std::vector<CasualtyRun> runs;
    static constexpr PixelPos kVanSpot = {1250, 1010};
    static constexpr PixelPos kAmbulanceSpot = {1400, 1010};
    // Its body lies where the vertical beam is taken: nobody gets there before it is carried off.
    static constexpr PixelPos kUnderTheUpright = {1000, 1195};
    std::int16_t van = -1;
    std::int16_t ambulance = -1;
    std::int16_t team = -1;
    std::vector<std::int16_t> fireFighters;
};

}  // namespace kv::test
