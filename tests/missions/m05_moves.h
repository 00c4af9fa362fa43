#pragma once
// Mission 5 played by clicks and keys from its video on, as a player plays it: the briefing, a
// tanker with two fire fighters, a ladder with a fire fighter for its basket and an ambulance
// with a stretcher team and a medic bought at base 0; the tanker's cannon on the burning flat, the
// crowd led off the ladder's stand, the ladder at the house. A whole-campaign test calls the same
// moves.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "core/fire_counts.h"
#include "core/game_mode.h"
#include "core/message_line.h"
#include "core/mission_state.h"
#include "core/options.h"
#include "mission/panels/command_tables.h"
#include "movement/befehl.h"
#include "movement/befehl_queue.h"
#include "persons/person.h"
#include "persons/person_link.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "support/play_through.h"
#include "vehicles/fahrzeuge.h"

namespace kv::test {

class MissionFiveMoves : public virtual PlayThroughSteps {
  protected:
    static constexpr std::int8_t kFireFighter = 1;  // P02
    static constexpr std::int8_t kStretcher = 5;    // P06
    static constexpr std::size_t kPlaceF104 = 1;
    static constexpr std::size_t kPlaceF201 = 2;
    static constexpr std::size_t kPlaceF106 = 4;

    // From the mission's video to the mission running at speed 3 with the three vehicles bought
    // and on their way.
    void enterMissionFive(ScriptedPlayer& player) {
        videoAndBriefing(player);
        openStation(player);
        buy(player, kPlaceF104, {{kFireFighter, false}, {kFireFighter, false}});
        buy(player, kPlaceF106, {{kFireFighter, false}});
        buy(player, kPlaceF201, {{kStretcher, true}, {kPersonTypMedic, false}});
        leaveStationForTheMission(player);
        player.key('3');
        play(player, 1);
        ASSERT_EQ(GameSpeed, 3);
        const std::vector<Bought> bought = BoughtVehicles();
        ASSERT_EQ(bought.size(), 3u);
        tanker = bought[0].vehicle;
        ASSERT_EQ(bought[0].crew.size(), 2u);
        crewA = bought[0].crew[0];
        crewB = bought[0].crew[1];
        ladder = bought[1].vehicle;
        ambulance = bought[2].vehicle;
        ASSERT_EQ(bought[1].crew.size(), 1u);
        ASSERT_EQ(bought[2].crew.size(), 2u);
        basketMan = bought[1].crew[0];
        team = bought[2].crew[0];
        medic = bought[2].crew[1];
    }

    // The three driven in: as each comes to rest at the entry it is sent on, so the next can come
    // in: the tanker onto the front street below the burning flat, the ladder by a click on the
    // house (it drives to the house's front corner and sets its ladder up), the ambulance along
    // the street out of the way.
    void driveInMissionFive(ScriptedPlayer& player) {
        bool tankerSent = false;
        bool ladderSent = false;
        bool ambulanceSent = false;
        ASSERT_TRUE(playUntil(
            player,
            [&] {
                if (!tankerSent && atRest(tanker)) {
                    driveTo(player, tanker, kTankerStand.x, kTankerStand.y);
                    tankerSent = true;
                }
                if (!ladderSent && atRest(ladder)) {
                    clickFahrzeug(player, ladder);
                    clickWorldWith(player, kHouseFront.x, kHouseFront.y, kCursorRescue);
                    ladderSent = F(ladder).orders != nullptr;
                }
                if (!ambulanceSent && atRest(ambulance)) {
                    driveTo(player, ambulance, kAmbulanceStand.x, kAmbulanceStand.y);
                    ambulanceSent = true;
                }
                return tankerSent && ladderSent && ambulanceSent;
            },
            3000))
            << Where(tanker) << Where(ladder) << Where(ambulance);
    }

    // The tanker's cannon on the burning flat until no house burns.
    void quenchMissionFive(ScriptedPlayer& player) {
        ASSERT_TRUE(playUntil(
            player, [&] { return atRest(tanker); }, 1500))
            << Where(tanker);
        clickFahrzeug(player, tanker);
        clickWorldWith(player, kBurningFlat.x, kBurningFlat.y, kCursorWater);
        ASSERT_TRUE(playUntil(
            player, [] { return BurningHouseCount == 0 || GameMode != 2; }, 1500));
        ASSERT_EQ(GameMode, 2u) << std::string(MessageLine.data());
    }

    // The onlookers crowd round the spot where the ladder sets up, and a standing crowd stops
    // it: the tanker's fire fighters lead them one by one to the pavement west of it, near
    // enough to the place they gather at that they stay there.
    void clearTheLadderStand(ScriptedPlayer& player) {
        clickFahrzeug(player, tanker);
        command(player, kCmdStaffOut);
        ASSERT_TRUE(playUntil(
            player,
            [&] {
                return P(crewA).offMap == 0 && P(crewB).offMap == 0 && P(crewA).orders == nullptr &&
                       P(crewB).orders == nullptr;
            },
            300));
        static constexpr Point kAside[] = {{420, 655}, {445, 650}, {395, 655}, {430, 680},
                                           {405, 680}, {455, 670}, {380, 680}, {440, 700},
                                           {415, 700}, {390, 700}};
        std::size_t next = 0;
        for (int round = 0; round < 12; ++round) {
            const std::int16_t o = OnlookerOnTheStand();
            if (o < 0) return;
            ASSERT_LT(next, std::size(kAside));
            const std::int16_t ff = round % 2 == 0 ? crewA : crewB;
            clickPerson(player, ff);
            clickPerson(player, o);
            ASSERT_TRUE(playUntil(
                player, [&] { return DecodePersonLink(P(ff).link).kind == PersonLinkKind::Leads; },
                600))
                << "person " << ff << " never took " << o << " along";
            // The first spot aside with nobody on it.
            Point to{};
            clickPerson(player, ff);
            for (;; ++next) {
                ASSERT_LT(next, std::size(kAside)) << "no free spot aside";
                to = kAside[next];
                centreView(player, to.x, to.y);
                player.mouseWorld(to.x, to.y);
                play(player, 2);
                if (CursorId == kCursorMove) break;
            }
            ++next;
            player.clickWorld(to.x, to.y);
            play(player, 1);
            ASSERT_TRUE(playUntil(
                player, [&] { return std::hypot(P(ff).x - to.x, P(ff).y - to.y) < 20; }, 600))
                << P(ff).x << " " << P(ff).y << " following " << HeadBefehlOpcode(P(ff)) << ", led "
                << HeadBefehlOpcode(P(o));
            command(player, kCmdLetGo);
        }
        FAIL() << "the crowd stays on the ladder's spot";
    }

    std::int16_t tanker = -1;
    std::int16_t crewA = -1;
    std::int16_t crewB = -1;
    std::int16_t ladder = -1;
    std::int16_t ambulance = -1;
    std::int16_t basketMan = -1;
    std::int16_t team = -1;
    std::int16_t medic = -1;

  protected:
    struct Point {
        float x;
        float y;
    };
    // The front street below house 6, the middle of its front, the burning flat's window.
    static constexpr Point kTankerStand = {640, 745};
    static constexpr Point kAmbulanceStand = {760, 720};
    static constexpr Point kHouseFront = {500, 600};
    static constexpr Point kBurningFlat = {490, 539};

    // An idle onlooker on the ground where the ladder will stand; -1 none.
    static std::int16_t OnlookerOnTheStand() {
        for (std::int16_t i = 0; i < static_cast<std::int16_t>(Personen.size()); ++i) {
            const Person& p = P(i);
            if (p.type < 0 || (p.controlFlags & kPersonOnlooker) == 0 || p.storey != 0) continue;
            if (p.x > 465 && p.x < 625 && p.y > 655 && p.y < 725) return i;
        }
        return -1;
    }
    static bool atRest(std::int16_t v) {
        return F(v).KarteWeg == -1 && F(v).orders == nullptr && F(v).x > 0;
    }
    static std::string Where(std::int16_t v) {
        return " [" + std::to_string(v) + " at " + std::to_string(F(v).x) + " " +
               std::to_string(F(v).y) + " anim " + std::to_string(F(v).anim) + " order " +
               std::to_string(F(v).orders != nullptr ? F(v).orders->opcode : -1) + "]";
    }
};

}  // namespace kv::test
