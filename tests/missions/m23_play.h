#pragma once
// Mission 23 played by clicks and keys, for its own play-throughs and the whole campaign's: the
// mission jump to the gas attack, its video and briefing; at base 2 the decontamination truck and
// the equipment truck, each with three fire fighters in protective suits, at base 0 a police car
// and two ambulances; the suits seal the station's entrances with the cutters and carry the
// casualties out of the gas, the police officer catches the hostile person, and every
// contaminated person goes through the decontamination truck.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "core/campaign.h"
#include "core/fire_counts.h"
#include "core/game_mode.h"
#include "core/hover.h"
#include "core/message_line.h"
#include "core/mission_counters.h"
#include "core/mission_scratch.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/options.h"
#include "core/view.h"
#include "mission/panels/command_tables.h"
#include "movement/befehl.h"
#include "persons/person.h"
#include "persons/person_houses.h"
#include "persons/person_link.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "platform/cp1252.h"
#include "platform/window.h"
#include "support/play_through.h"
#include "support/scripted_player.h"
#include "vehicles/fahrzeuge.h"
#include "world/houses.h"

namespace kv::test {

class MissionTwentyThreeMoves : public virtual PlayThroughSteps {
  protected:
    static constexpr std::int8_t kPolice = 0;  // P01
    static constexpr std::int8_t kSuit = 3;    // P04
    static constexpr std::int8_t kStretcher = 5;
    static constexpr std::int8_t kSuitWithCutter = 22;
    static constexpr std::size_t kSuitBase = 2;
    static constexpr std::size_t kPlaceF109 = 3;  // at base 2
    static constexpr std::size_t kPlaceF108 = 5;
    static constexpr std::size_t kPlaceF301 = 0;  // at base 0
    static constexpr std::size_t kPlaceF201 = 2;
    // The vehicles in the order bought.
    static constexpr std::size_t kDecon = 0;
    static constexpr std::size_t kTruck = 1;
    static constexpr std::size_t kPoliceCar = 2;
    static constexpr std::size_t kFirstAmbulance = 3;
    static constexpr int kAmbulances = 2;
    static constexpr int kHideout = 7;

    // In a running mission: EINSATZ over the options button, and the gas attack's entry (campaign
    // position 25); then the video ends, and the briefing is read on the map.
    void jumpToMissionTwentyThree(ScriptedPlayer& player) {
        jumpToMission(player, 25, "25 Giftgasanschlag in UBahnstation!", 23);
        if (::testing::Test::HasFatalFailure()) return;
        EXPECT_EQ(Money, 18000);
        videoAndBriefing(player);
    }

    // Base 2: the decontamination truck and the equipment truck, three suits in each. Base 0:
    // the police car with an officer, two ambulances each with a stretcher team and a medic. Into
    // play at speed 3.
    void buyForTheWinAndEnter(ScriptedPlayer& player) {
        openStation(player, kSuitBase);
        buy(player, kPlaceF109, {{kSuit, false}, {kSuit, false}, {kSuit, false}});
        buy(player, kPlaceF108, {{kSuit, false}, {kSuit, false}, {kSuit, false}});
        player.key(VK_ESCAPE);
        play(player, 1);
        ASSERT_EQ(GameMode, 10u);
        openStation(player);
        buy(player, kPlaceF301, {{kPolice, false}});
        for (int i = 0; i < kAmbulances; ++i)
            buy(player, kPlaceF201, {{kStretcher, true}, {kPersonTypMedic, false}});
        EXPECT_GE(Money, 0) << "within the mission's 18000";
        leaveStationForTheMission(player);
        fast(player);
        ASSERT_EQ(GameSpeed, 3);
        bought = BoughtVehicles();
        ASSERT_EQ(bought.size(), kFirstAmbulance + kAmbulances);
        ASSERT_EQ(bought[kDecon].crew.size(), 3u);
        ASSERT_EQ(bought[kTruck].crew.size(), 3u);
        ASSERT_EQ(bought[kPoliceCar].crew.size(), 1u);
    }

    // Nothing bought: the mission entered from the map at speed 3 and left alone until the two
    // casualties on the square have died of their wounds and the gas.
    void enterAndWait(ScriptedPlayer& player) {
        leaveForTheMissionUnbought(player);
        if (::testing::Test::HasFatalFailure()) return;
        fast(player);
        ASSERT_EQ(GameSpeed, 3);
        ASSERT_TRUE(playUntil(
            player, [] { return GameMode != 2; }, 5000));
        ASSERT_EQ(GameMode, 4u);
        EXPECT_EQ(Cp1252ToUtf8(MessageLine.data()), "Zu viele Tote!");
        play(player, 2);
    }
    void leaveForTheMissionUnbought(ScriptedPlayer& player) {
        ASSERT_EQ(GameMode, 10u);
        player.click(kMapCamX + 5, kMapCamY + 5);
        play(player, 1);
        ASSERT_EQ(GameMode, 2u);
    }

    static std::string who(std::int16_t i) {
        const Person& p = P(i);
        char s[176];
        std::snprintf(s, sizeof s,
                      " [person %d type %d at %.1f %.1f storey %d house %d order %d link %d "
                      "energy %d contamination %d tick %u]",
                      i, p.type, static_cast<double>(p.x), static_cast<double>(p.y), p.storey,
                      static_cast<int>(static_cast<std::int16_t>(p.house)),
                      p.orders == nullptr ? -1 : p.orders->opcode, p.link, p.energy,
                      p.contamination, TickCounter);
        return s;
    }
    static bool sealed(int house) {
        const House* h = PlacedHouse(house);
        return h != nullptr && h->evacuated != 0;
    }

    bool sendFahrzeug(ScriptedPlayer& player, std::int16_t v, float x, float y) {
        deselect(player);
        if (!findFahrzeug(player, v)) return false;
        player.click(MouseX, MouseY);
        play(player, 1);
        if (SelectedIndex != static_cast<std::uint16_t>(v)) return false;
        centreView(player, x, y);
        player.mouseWorld(x, y);
        play(player, 2);
        player.clickWorld(x, y);
        play(player, 1);
        return F(v).orders != nullptr;
    }
    // Each vehicle, as it comes to rest at the entry, is sent on to its stand.
    struct Park {
        std::int16_t v;
        float x, y;
        bool sent = false;
    };
    void park(ScriptedPlayer& player, std::vector<Park> parks) {
        const bool allSent = waitUntil(
            player,
            [&] {
                if (GameMode != 2) {
                    std::printf("mode %u at tick %u: %s\n", GameMode, TickCounter,
                                Cp1252ToUtf8(MessageLine.data()).c_str());
                    return true;
                }
                for (Park& park : parks) {
                    if (park.sent || !atRest(park.v)) continue;
                    slow(player);
                    park.sent = sendFahrzeug(player, park.v, park.x, park.y);
                    fast(player);
                }
                return std::all_of(parks.begin(), parks.end(),
                                   [](const Park& p) { return p.sent; });
            },
            5000);
        ASSERT_TRUE(allSent) << "mode " << GameMode << " tick " << TickCounter;
    }
    // Staff out of a vehicle at rest, standing on the map.
    void staffOut(ScriptedPlayer& player, std::int16_t v, const std::vector<std::int16_t>& crew) {
        ASSERT_TRUE(waitUntil(
            player, [&] { return atRest(v); }, 3000))
            << "vehicle " << v << " at " << F(v).x << " " << F(v).y;
        selectFahrzeug(player, v);
        command(player, kCmdStaffOut);
        ASSERT_TRUE(waitUntil(
            player,
            [&] {
                return std::all_of(crew.begin(), crew.end(),
                                   [](std::int16_t c) { return P(c).offMap == 0; });
            },
            300));
    }
    // A suit takes a metal cutter from the equipment truck's compartment.
    void takeCutter(ScriptedPlayer& player, std::int16_t suit, std::int16_t truck) {
        selectPerson(player, suit);
        clickFahrzeug(player, truck);
        command(player, kCmdMetalCutter);
        ASSERT_TRUE(waitUntil(
            player, [&] { return P(suit).type == kSuitWithCutter && P(suit).orders == nullptr; },
            600))
            << who(suit);
    }
    // The mouse on a station entrance near its door with the rescue cursor, and the click.
    void sealEntrance(ScriptedPlayer& player, std::int16_t cutter, int house) {
        selectPerson(player, cutter);
        const auto door = HouseDoorSpot(house);
        ASSERT_TRUE(door.has_value());
        centreView(player, static_cast<float>(door->x), static_cast<float>(door->y));
        bool over = false;
        for (int dy = 4; dy <= 28 && !over; dy += 4)
            for (const int dx : {0, -3, 3, 8, 12, 16, 20, 24}) {
                player.mouseWorld(static_cast<float>(door->x + dx),
                                  static_cast<float>(door->y + dy));
                play(player, 1);
                if (HoverKind >= kHoverHouseLower && HoverKind <= kHoverHouseUpper &&
                    HoverIds[3] == house && CursorId == kCursorRescue) {
                    over = true;
                    break;
                }
            }
        ASSERT_TRUE(over) << "house " << house << " not under the mouse with cursor 19";
        player.click(MouseX, MouseY);
        play(player, 1);
        ASSERT_NE(P(cutter).orders, nullptr) << who(cutter);
    }

    static std::int16_t hostile() { return static_cast<std::int16_t>(MissionScratch.S0); }
    static bool hostileOut() { return P(hostile()).house == 0xFFFF; }

    // The first steps of the win. The decontamination truck, first in, parks on the road down to
    // the square just above the gas, the equipment truck and the police car behind it, and the
    // ambulances on the street in the north. Two suits take
    // the cutters and seal the entrances, the third walks onto the square: three units in the gas
    // draw the hostile person out, and the officer, waiting beside its door, goes after it.
    void parkAndSeal(ScriptedPlayer& player) {
        const std::int16_t truck = bought[kTruck].vehicle;
        const std::int16_t decon = bought[kDecon].vehicle;
        const std::int16_t car = bought[kPoliceCar].vehicle;
        park(player, {{decon, 1140, 650},
                      {truck, 1170, 520},
                      {car, 1165, 380},
                      {bought[kFirstAmbulance].vehicle, 760, 215},
                      {bought[kFirstAmbulance + 1].vehicle, 560, 215}});
        ASSERT_FALSE(::testing::Test::HasFatalFailure());
        EXPECT_TRUE(player.shot("m23-parked"));
        const std::vector<std::int16_t>& suits = bought[kTruck].crew;
        staffOut(player, truck, suits);
        ASSERT_FALSE(::testing::Test::HasFatalFailure());
        takeCutter(player, suits[0], truck);
        ASSERT_FALSE(::testing::Test::HasFatalFailure());
        sealEntrance(player, suits[0], 0);
        ASSERT_FALSE(::testing::Test::HasFatalFailure());
        takeCutter(player, suits[1], truck);
        ASSERT_FALSE(::testing::Test::HasFatalFailure());
        sealEntrance(player, suits[1], 1);
        ASSERT_FALSE(::testing::Test::HasFatalFailure());
        const std::int16_t officer = bought[kPoliceCar].crew[0];
        staffOut(player, car, {officer});
        ASSERT_FALSE(::testing::Test::HasFatalFailure());
        walkTo(player, officer, 1010, 420);
        ASSERT_FALSE(::testing::Test::HasFatalFailure());
        walkTo(player, suits[2], 1450, 820);
        ASSERT_FALSE(::testing::Test::HasFatalFailure());
        std::printf("suits on their way at tick %u\n", TickCounter);
    }
    void waitSealed(ScriptedPlayer& player) {
        const std::vector<std::int16_t>& suits = bought[kTruck].crew;
        ASSERT_TRUE(waitUntil(
            player, [] { return (sealed(0) && sealed(1)) || GameMode != 2; }, 3000))
            << who(suits[0]) << who(suits[1]);
        ASSERT_EQ(GameMode, 2u) << Cp1252ToUtf8(MessageLine.data());
        std::printf("entrances sealed at tick %u\n", TickCounter);
        EXPECT_TRUE(player.shot("m23-sealed"));
    }

    // The officer, waiting beside the hostile person's door, goes after it once it is out.
    void waitHostileOut(ScriptedPlayer& player) {
        ASSERT_TRUE(waitUntil(
            player, [] { return hostileOut() || GameMode != 2; }, 3000))
            << who(hostile());
        std::printf("hostile out at tick %u%s\n", TickCounter, who(hostile()).c_str());
        EXPECT_TRUE(sealed(kHideout));
    }
    void catchHostile(ScriptedPlayer& player) {
        const std::int16_t officer = bought[kPoliceCar].crew[0];
        // The officer sent after it as soon as the mouse finds it clear of the houses.
        bool sent = false;
        for (int tries = 0; tries < 60 && !sent && GameMode == 2; ++tries) {
            waitUntil(
                player, [] { return GameMode != 2; }, 20);
            selectPerson(player, officer);
            if (::testing::Test::HasFatalFailure()) return;
            sent = overPerson(player, hostile());
            if (!sent) continue;
            player.click(MouseX, MouseY);
            play(player, 1);
            sent = P(officer).orders != nullptr;
        }
        ASSERT_TRUE(sent) << who(officer) << who(hostile());
        std::printf("officer after the hostile at tick %u%s\n", TickCounter,
                    who(hostile()).c_str());
        ASSERT_TRUE(waitUntil(
            player,
            [&] {
                return P(officer).link == kLeadsLinkBase + static_cast<std::uint16_t>(hostile()) ||
                       GameMode != 2;
            },
            3000))
            << who(officer) << who(hostile());
        ASSERT_EQ(GameMode, 2u) << Cp1252ToUtf8(MessageLine.data());
        std::printf("hostile caught at tick %u\n", TickCounter);
        EXPECT_TRUE(player.shot("m23-caught"));
    }

    // The casualty lying nearest the point; -1 none left.
    static std::int16_t casualtyNear(float x, float y) {
        std::int16_t best = -1;
        float bestD = 1e9F;
        for (std::size_t i = 0; i < Personen.size(); ++i) {
            const Person& p = Personen[i];
            if (p.type == -1 || p.casualty == 0) continue;
            const float d = std::abs(p.x - x) + std::abs(p.y - y);
            if (d < bestD) {
                bestD = d;
                best = static_cast<std::int16_t>(i);
            }
        }
        return best;
    }
    static bool holds(std::int16_t who, std::int16_t on) {
        return P(who).link == static_cast<std::uint16_t>(on) && P(who).orders == nullptr;
    }

    // Where the carriers wait with their clean loads, clear of the truck.
    struct Spot {
        float x, y;
    };
    static constexpr Spot kAside[2] = {{1050, 500}, {1000, 470}};

    // The decontamination truck's suits carry the two casualties off the square, each through
    // the truck, and put them down clean beside it.
    void carryOffTheSquare(ScriptedPlayer& player) {
        const std::int16_t decon = bought[kDecon].vehicle;
        const std::vector<std::int16_t>& carriers = bought[kDecon].crew;
        const std::int16_t casualties[2] = {casualtyNear(1642, 898), casualtyNear(1875, 798)};
        staffOut(player, decon, carriers);
        ASSERT_FALSE(::testing::Test::HasFatalFailure());
        for (int k = 0; k < 2; ++k) {
            selectPerson(player, carriers[static_cast<std::size_t>(k)]);
            clickPerson(player, casualties[k]);
            ASSERT_FALSE(::testing::Test::HasFatalFailure());
        }
        // Each carrier with its load through the truck, sent again while the truck is busy with
        // the other.
        const auto clean = [&](int k) {
            const std::int16_t c = carriers[static_cast<std::size_t>(k)];
            return P(c).orders == nullptr && P(c).offMap == 0 &&
                   P(casualties[k]).contamination == 0;
        };
        for (int tries = 0; tries < 8 && !(clean(0) && clean(1)) && GameMode == 2; ++tries) {
            for (int k = 0; k < 2; ++k) {
                const std::int16_t c = carriers[static_cast<std::size_t>(k)];
                ASSERT_TRUE(waitUntil(
                    player, [&] { return holds(c, casualties[k]) || GameMode != 2; }, 1500))
                    << who(c) << who(casualties[k]);
                if (P(casualties[k]).contamination == 0) {
                    // Out of the truck's side point, for the other carrier.
                    if (std::abs(P(c).x - kAside[k].x) + std::abs(P(c).y - kAside[k].y) > 8)
                        walkTo(player, c, kAside[k].x, kAside[k].y);
                    continue;
                }
                selectPerson(player, c);
                hoverFahrzeug(player, decon);
                ASSERT_FALSE(::testing::Test::HasFatalFailure());
                if (CursorId != kCursorRescue) continue;
                player.click(MouseX, MouseY);
                play(player, 1);
                std::printf("carrier to the truck at tick %u%s\n", TickCounter, who(c).c_str());
            }
            waitUntil(
                player,
                [&] {
                    return (P(carriers[0]).orders == nullptr && P(carriers[1]).orders == nullptr) ||
                           GameMode != 2;
                },
                1500);
        }
        ASSERT_TRUE(clean(0) && clean(1))
            << who(carriers[0]) << who(casualties[0]) << who(carriers[1]) << who(casualties[1]);
        std::printf("both through at tick %u\n", TickCounter);
        ASSERT_EQ(GameMode, 2u) << Cp1252ToUtf8(MessageLine.data());
        EXPECT_TRUE(player.shot("m23-carried"));
    }

    // The carriers lay the clean casualties down where they wait, and the ambulances' teams fetch
    // them, their medics along; each ambulance goes home once its patient may travel.
    void ambulancesTakeThem(ScriptedPlayer& player) {
        const std::vector<std::int16_t>& carriers = bought[kDecon].crew;
        for (int k = 0; k < 2; ++k) {
            const std::int16_t c = carriers[static_cast<std::size_t>(k)];
            const std::int16_t load = static_cast<std::int16_t>(P(c).link);
            selectPerson(player, c);
            command(player, kCmdPutDown);
            ASSERT_TRUE(waitUntil(
                player,
                [&] { return (P(load).offMap == 0 && P(c).orders == nullptr) || GameMode != 2; },
                400))
                << who(c) << who(load);
            casualtiesOut.push_back(load);
        }
        std::vector<CasualtyRun> runs;
        for (int k = 0; k < kAmbulances; ++k) {
            const Bought& b = bought[kFirstAmbulance + static_cast<std::size_t>(k)];
            ASSERT_EQ(b.crew.size(), 2u);
            runs.push_back({b.vehicle, b.crew[0], b.crew[1],
                            casualtiesOut[static_cast<std::size_t>(k)], kAmbulanceParks[k]});
        }
        const bool home = waitUntil(
            player,
            [&] {
                if (!stepCasualtyRuns(player, runs)) return true;
                return std::all_of(runs.begin(), runs.end(),
                                   [](const CasualtyRun& r) { return r.step >= kCasualtyRunHome; });
            },
            6000);
        if (!home) printCasualtyRuns(runs);
        ASSERT_TRUE(home);
        ASSERT_EQ(GameMode, 2u) << Cp1252ToUtf8(MessageLine.data());
        std::printf("ambulances home at tick %u\n", TickCounter);
    }
    static constexpr PixelPos kAmbulanceParks[kAmbulances] = {{830, 222}, {640, 222}};
    std::vector<std::int16_t> casualtiesOut;

    // The mouse over the person's picture where it shows; false where none of the tried points
    // finds it (a house front may hide it).
    bool overPerson(ScriptedPlayer& player, std::int16_t i) {
        const Person& p = P(i);
        const VffImage* image =
            UnitFrameImage(PersonAnimSlot(p.type, p.direction, p.anim), p.frame);
        if (image == nullptr) return false;
        centreView(player, p.x, p.y);
        for (const int up : {0, 4, 8, -10})
            for (const int aside : {0, -3, 3, -6, 6}) {
                player.mouseWorld(static_cast<float>(p.drawX + image->width / 2 + aside),
                                  static_cast<float>(p.drawY + image->height / 2 - up));
                play(player, 2);
                if (HoverKind == kHoverPerson && HoverIds[0] == static_cast<std::uint16_t>(i))
                    return true;
            }
        return false;
    }

    std::vector<Bought> bought;
};

}  // namespace kv::test
