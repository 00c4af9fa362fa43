#pragma once
// Mission 7's moves by clicks and keys, for its own play-through tests and the campaign's: the
// mission jump from mission 1 to the underground station, the video and the briefing, the
// purchase at the station, and play at speed 3.

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
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/options.h"
#include "core/view.h"
#include "mission/campaign_tables.h"
#include "mission/panels/command_tables.h"
#include "movement/befehl.h"
#include "persons/person.h"
#include "persons/person_houses.h"
#include "persons/person_link.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "platform/cp1252.h"
#include "platform/window.h"
#include "screens/basis.h"
#include "screens/basis_kauf.h"
#include "screens/basis_points.h"
#include "screens/basis_screen.h"
#include "screens/basis_staff_table.h"
#include "screens/karte.h"
#include "support/play_through.h"
#include "support/scripted_player.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "vehicles/fahrzeuge.h"
#include "world/houses.h"

namespace kv::test {

class MissionSevenMoves : public PlayThroughSteps {
  protected:
    // Base 0's places of the vehicles bought.
    static constexpr std::size_t kPlaceF104 = 1;
    static constexpr std::size_t kPlaceF201 = 2;
    static constexpr std::size_t kPlaceF110 = 3;
    static constexpr std::int8_t kStretcher = 5;  // P06
    static constexpr std::int8_t kFireFighter = 1;
    static constexpr std::int8_t kPolice = 0;  // P01
    static constexpr std::size_t kPlaceF301 = 0;
    static constexpr std::size_t kGroupTruckBase = 1;
    static constexpr std::size_t kPlaceF102 = 0;  // at base 1
    static constexpr std::int8_t kMetalCutter = 9;
    static constexpr int kStationHouses = 3;

    // In mission 1's play: EINSATZ typed over the options button, and the mission's box in the
    // list (campaign position 15); then the video ends, and the briefing is read on the map.
    void jumpToMissionSeven(ScriptedPlayer& player) {
        jumpToPosition(player, 15);
        ASSERT_EQ(MissionNummer, 7);
        videoAndBriefing(player);
    }

    // Base 0 entered from the map: an ambulance with its stretcher team, a crane truck, and an
    // engine with a fire fighter; back to the map, then into play at speed 3.
    void buyAndEnter(ScriptedPlayer& player) {
        openStation(player);
        const std::int32_t before = Money;
        buy(player, kPlaceF201, {{kStretcher, true}});
        buy(player, kPlaceF110, {});
        buy(player, kPlaceF104, {{kFireFighter, false}});
        EXPECT_LT(Money, before);
        EXPECT_GT(Money, 0) << "within the mission's 17000";
        leaveStationForTheMission(player);
        fast(player);
        EXPECT_EQ(GameSpeed, 3);
    }

    // For the win: at base 1 a fire-fighting group truck with three fire fighters (its
    // compartment holds the metal cutters); at base 0 a police car with three officers, and six
    // ambulances, each with a stretcher team and the first with the medic too. Into play at
    // speed 3.
    void buyForTheWinAndEnter(ScriptedPlayer& player) {
        openStation(player, kGroupTruckBase);
        buy(player, kPlaceF102,
            {{kFireFighter, false}, {kFireFighter, false}, {kFireFighter, false}});
        player.key(VK_ESCAPE);
        play(player, 1);
        ASSERT_EQ(GameMode, 10u);
        openStation(player);
        buy(player, kPlaceF301, {{kPolice, false}, {kPolice, false}, {kPolice, false}});
        buy(player, kPlaceF201, {{kStretcher, true}, {kPersonTypMedic, false}});
        for (int i = 1; i < 6; ++i) buy(player, kPlaceF201, {{kStretcher, true}});
        EXPECT_GE(Money, 0) << "within the mission's 17000";
        leaveStationForTheMission(player);
        fast(player);
        ASSERT_EQ(GameSpeed, 3);
        const std::vector<Bought> bought = BoughtVehicles();
        ASSERT_EQ(bought.size(), 8u);
        groupTruck = bought[0].vehicle;
        police = bought[1].vehicle;
        for (int i = 0; i < 6; ++i)
            ambulances.push_back(bought[static_cast<std::size_t>(2 + i)].vehicle);
        fireFighters = bought[0].crew;
        officers = bought[1].crew;
        medic = bought[2].crew.at(1);
        for (int i = 0; i < 6; ++i)
            teams.push_back(bought[static_cast<std::size_t>(2 + i)].crew.at(0));
        ASSERT_EQ(fireFighters.size(), 3u);
        ASSERT_EQ(officers.size(), 3u);
    }

    bool driveTo(ScriptedPlayer& player, std::int16_t v, float x, float y) {
        if (!findFahrzeug(player, v)) return false;
        player.click(MouseX, MouseY);
        play(player, 1);
        if (SelectedIndex != static_cast<std::uint16_t>(v)) return false;
        tabNear(player, x, y);
        centreView(player, x, y);
        player.mouseWorld(x, y);
        play(player, 2);
        player.clickWorld(x, y);
        play(player, 1);
        return F(v).orders != nullptr;
    }

    // Each vehicle, as it comes to rest at the entry, is sent on to its stand on the square's
    // southern street and the sand below it.
    struct Park {
        std::int16_t v;
        float x, y;
        bool sent = false;
    };
    // Each vehicle, as it comes to rest at the entry, is sent on to its stand.
    void park(ScriptedPlayer& player, std::vector<Park> parks) {
        const bool allSent = waitUntil(
            player,
            [&] {
                if (GameMode != 2) return true;
                for (Park& park : parks) {
                    if (park.sent || !atRest(park.v)) continue;
                    slow(player);
                    park.sent = driveTo(player, park.v, park.x, park.y);
                    fast(player);
                }
                return std::all_of(parks.begin(), parks.end(),
                                   [](const Park& p) { return p.sent; });
            },
            4000);
        ASSERT_TRUE(allSent) << "mode " << GameMode << " tick " << TickCounter;
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

    static std::string who(std::int16_t i) {
        const Person& p = P(i);
        char s[160];
        std::snprintf(s, sizeof s,
                      " [person %d type %d at %.1f %.1f storey %d house %d order %d link %d "
                      "energy %d tick %u]",
                      i, p.type, static_cast<double>(p.x), static_cast<double>(p.y), p.storey,
                      static_cast<int>(static_cast<std::int16_t>(p.house)),
                      p.orders == nullptr ? -1 : p.orders->opcode, p.link, p.energy, TickCounter);
        return s;
    }

    // The mouse on a station house near its door with the cursor expected: on the floor seen
    // through the open doorway, which the entrance work needs, or on any part of the house.
    void overStationHouse(ScriptedPlayer& player, int house, std::uint16_t cursor, bool floorOnly) {
        const auto door = HouseDoorSpot(house);
        ASSERT_TRUE(door.has_value());
        centreView(player, static_cast<float>(door->x), static_cast<float>(door->y));
        for (int dy = 4; dy <= 28; dy += 4)
            for (const int dx : {0, -3, 3, 8, 12, 16, 20, 24}) {
                player.mouseWorld(static_cast<float>(door->x + dx),
                                  static_cast<float>(door->y + dy));
                play(player, 1);
                const bool piece =
                    floorOnly ? HoverKind == kHoverHouseLower
                              : HoverKind >= kHoverHouseLower && HoverKind <= kHoverHouseUpper;
                if (piece && HoverIds[3] == house && CursorId == cursor) return;
            }
        FAIL() << "house " << house << " not under the mouse with cursor " << cursor << " (hover "
               << HoverKind << ", cursor " << CursorId << ")";
    }
    void clickStationHouse(ScriptedPlayer& player, int house, std::uint16_t cursor,
                           bool floorOnly) {
        overStationHouse(player, house, cursor, floorOnly);
        if (::testing::Test::HasFatalFailure()) return;
        player.click(MouseX, MouseY);
        play(player, 1);
    }

    // Staff out of a vehicle at rest, standing on the map.
    void staffOut(ScriptedPlayer& player, std::int16_t v, const std::vector<std::int16_t>& crew) {
        ASSERT_TRUE(waitUntil(
            player, [&] { return atRest(v); }, 2000))
            << "vehicle " << v << " at " << F(v).x << " " << F(v).y;
        clickFahrzeug(player, v);
        command(player, kCmdStaffOut);
        ASSERT_TRUE(waitUntil(
            player,
            [&] {
                return std::all_of(crew.begin(), crew.end(),
                                   [](std::int16_t c) { return P(c).offMap == 0; });
            },
            300));
    }

    // A fire fighter takes a metal cutter from the group truck's compartment.
    void takeCutter(ScriptedPlayer& player, std::int16_t ff) {
        ASSERT_TRUE(waitUntil(
            player, [&] { return atRest(groupTruck); }, 2000));
        clickPerson(player, ff);
        clickFahrzeug(player, groupTruck);
        command(player, kCmdMetalCutter);
        ASSERT_TRUE(waitUntil(
            player, [&] { return P(ff).type == kMetalCutter && P(ff).orders == nullptr; }, 600))
            << who(ff);
    }

    // The cutter opens the station house's entrance, under cursor 19.
    void openEntrance(ScriptedPlayer& player, std::int16_t cutter, int house) {
        clickPerson(player, cutter);
        clickStationHouse(player, house, kCursorRescue, true);
        ASSERT_NE(P(cutter).orders, nullptr) << who(cutter);
    }
    static bool opened(int house) {
        const House* h = PlacedHouse(house);
        return h != nullptr && h->evacuated != 0;
    }

    // A fire fighter goes into an opened station house.
    void enterStation(ScriptedPlayer& player, std::int16_t ff, int house) {
        clickPerson(player, ff);
        clickStationHouse(player, house, kCursorRescue, false);
        ASSERT_TRUE(waitUntil(
            player,
            [&] {
                return P(ff).house == static_cast<std::uint16_t>(house) && P(ff).orders == nullptr;
            },
            1500))
            << who(ff);
    }

    // The person chosen and sent to the world point.
    void sendTo(ScriptedPlayer& player, std::int16_t person, float x, float y) {
        clickPerson(player, person);
        clickWorldAt(player, x, y);
    }

    // Back to base once the patient is strong enough for the drive.
    void sendHome(ScriptedPlayer& player, std::int16_t v, std::int16_t patient) {
        ASSERT_TRUE(waitUntil(
            player, [&] { return P(patient).energy >= 300000; }, 3000))
            << who(patient);
        bool gone = false;
        for (int tries = 0; tries < 100 && !gone && GameMode == 2; ++tries) {
            clickFahrzeug(player, v);
            command(player, kCmdBackToBase);
            gone = F(v).orders != nullptr;
            if (!gone) play(player, 20);
        }
        ASSERT_TRUE(gone || GameMode != 2);
    }

    // An onlooker (a person the game steers, no casualty) standing nearest the point; -1 none.
    static std::int16_t onlookerNear(float x, float y) {
        std::int16_t best = -1;
        float bestD = 1e9F;
        for (std::size_t i = 0; i < Personen.size(); ++i) {
            const Person& p = Personen[i];
            if (p.type == -1 || p.casualty != 0 || (p.controlFlags & kPersonController) == 0)
                continue;
            const float d = std::abs(p.x - x) + std::abs(p.y - y);
            if (d < bestD) {
                bestD = d;
                best = static_cast<std::int16_t>(i);
            }
        }
        return best;
    }

    // The medic sent to treat the patient, and sent again from where it stops if it could not
    // kneel down there.
    void treat(ScriptedPlayer& player, std::int16_t patient) {
        for (int tries = 0; tries < 3 && P(patient).treated == 0 && GameMode == 2; ++tries) {
            onPerson(player, medic, patient);
            ASSERT_TRUE(waitUntil(
                player,
                [&] {
                    return P(medic).orders == nullptr || P(patient).treated != 0 || GameMode != 2;
                },
                1500))
                << who(medic);
        }
        EXPECT_NE(P(patient).treated, 0) << who(medic) << who(patient);
    }
    void strongEnough(ScriptedPlayer& player, std::int16_t patient) {
        ASSERT_TRUE(waitUntil(
            player, [&] { return P(patient).energy >= 320000 || GameMode != 2; }, 1500))
            << who(patient) << who(medic);
    }

    // The first person chosen, then a click on the second: the order between them is given, and
    // play goes on without waiting for it.
    void onPerson(ScriptedPlayer& player, std::int16_t who, std::int16_t on) {
        clickPerson(player, who);
        clickPerson(player, on);
    }
    bool holds(std::int16_t who, std::int16_t on) const {
        return P(who).link == static_cast<std::uint16_t>(on) && P(who).orders == nullptr;
    }
    // The stretcher team holding its casualty carries it into its ambulance.
    void board(ScriptedPlayer& player, std::size_t k, std::size_t into) {
        clickPerson(player, teams[k]);
        clickFahrzeug(player, ambulances[into]);
    }
    void board(ScriptedPlayer& player, std::size_t k) { board(player, k, k); }
    // Inside, the person picks the casualty up and carries it out to the point; the put-down
    // is left to putDown once it is there.
    void fetch(ScriptedPlayer& player, std::int16_t ff, std::int16_t casualty, float x, float y) {
        if (SelectedIndex != static_cast<std::uint16_t>(ff)) clickPerson(player, ff);
        clickPerson(player, casualty);
        ASSERT_TRUE(waitUntil(
            player, [&] { return holds(ff, casualty) || GameMode != 2; }, 1200))
            << who(ff) << who(casualty);
        sendTo(player, ff, x, y);
    }
    void putDown(ScriptedPlayer& player, std::int16_t ff, std::int16_t casualty) {
        ASSERT_TRUE(waitUntil(
            player,
            [&] { return (P(ff).house == 0xFFFF && P(ff).orders == nullptr) || GameMode != 2; },
            1500))
            << who(ff);
        clickPerson(player, ff);
        command(player, kCmdPutDown);
        ASSERT_TRUE(waitUntil(
            player,
            [&] { return (P(casualty).offMap == 0 && P(ff).orders == nullptr) || GameMode != 2; },
            300))
            << who(ff) << who(casualty) << MessageLine.data();
    }

    // The win from the vehicles on their way. The group truck parks on the road before the
    // station; a fire fighter with a metal cutter opens house 1 first, where the casualty beside
    // the fire's seat has the least time, and a second one house 2, while the third waits beside
    // house 1's entrance and the police car and the ambulances park on the street below the
    // square, the first to come furthest east. The officers lead the three onlookers out of the
    // station area. The third fire fighter carries the station's casualties out one by one as the
    // entrances open, each to the ambulance that takes it, the first cutter opening house 0 and
    // then fetching one too; meanwhile the medic treats the weak and the stretcher teams load
    // every casualty, and each ambulance drives off once its patient can stand the drive. The
    // station burns out before the fire is kindled again, and the mission is won.
    void winMissionSeven(ScriptedPlayer& player) {
        const std::int16_t bySeat = casualtyNear(1633, 738);
        const std::int16_t inHouse0Near = casualtyNear(1378, 738);
        const std::int16_t inHouse0Far = casualtyNear(1260, 738);
        const std::int16_t inHouse2 = casualtyNear(1887, 738);
        const std::int16_t outFront = casualtyNear(1706, 799);
        const std::int16_t outSouth = casualtyNear(1629, 912);
        const std::int16_t onlookers[3] = {onlookerNear(1784, 929), onlookerNear(1422, 905),
                                           onlookerNear(1869, 796)};
        // Which ambulance takes whom: they park from x 1850 westwards, 100 apart.
        const std::int16_t patients[6] = {bySeat,   outFront,     outSouth,
                                          inHouse2, inHouse0Near, inHouse0Far};
        const auto beside = [](std::size_t k) { return 1850.0F - 100.0F * static_cast<float>(k); };

        park(player, {{groupTruck, 1260, 800}});
        ASSERT_FALSE(::testing::Test::HasFatalFailure());
        EXPECT_TRUE(player.shot("m07-parked"));
        staffOut(player, groupTruck, fireFighters);
        ASSERT_FALSE(::testing::Test::HasFatalFailure());
        const std::int16_t cutter = fireFighters[0];
        const std::int16_t cutterB = fireFighters[1];
        const std::int16_t carrier = fireFighters[2];
        takeCutter(player, cutter);
        ASSERT_FALSE(::testing::Test::HasFatalFailure());
        openEntrance(player, cutter, 1);
        ASSERT_FALSE(::testing::Test::HasFatalFailure());
        walkTo(player, carrier, 1500, 775);
        ASSERT_FALSE(::testing::Test::HasFatalFailure());
        takeCutter(player, cutterB);
        ASSERT_FALSE(::testing::Test::HasFatalFailure());
        openEntrance(player, cutterB, 2);
        ASSERT_FALSE(::testing::Test::HasFatalFailure());
        std::printf("cutters at work from tick %u\n", TickCounter);

        std::vector<Park> parks{{police, 1980, 990}};
        for (std::size_t k = 0; k < 6; ++k) parks.push_back({ambulances[k], beside(k), 990});
        park(player, parks);
        ASSERT_FALSE(::testing::Test::HasFatalFailure());
        staffOut(player, police, officers);
        ASSERT_FALSE(::testing::Test::HasFatalFailure());
        // Each officer goes to take an onlooker along.
        for (int k = 0; k < 3; ++k)
            onPerson(player, officers[static_cast<std::size_t>(k)], onlookers[k]);

        ASSERT_TRUE(waitUntil(
            player, [] { return opened(1) || GameMode != 2; }, 1500));
        ASSERT_TRUE(opened(1)) << "mode " << GameMode << " " << MessageLine.data() << who(bySeat);
        std::printf("house 1 open at tick %u%s\n", TickCounter, who(bySeat).c_str());
        EXPECT_TRUE(player.shot("m07-open1"));
        // The cutter goes on to house 0, out of the doorway, and the third fire fighter in.
        openEntrance(player, cutter, 0);
        ASSERT_FALSE(::testing::Test::HasFatalFailure());
        enterStation(player, carrier, 1);
        ASSERT_FALSE(::testing::Test::HasFatalFailure());
        fetch(player, carrier, bySeat, beside(0), 880);
        ASSERT_FALSE(::testing::Test::HasFatalFailure());

        // While it carries: the onlookers led below the square, and the ambulances' crews out.
        const auto leads = [&](int k) {
            return P(officers[static_cast<std::size_t>(k)]).link ==
                   kLeadsLinkBase + static_cast<std::uint16_t>(onlookers[k]);
        };
        ASSERT_TRUE(waitUntil(
            player, [&] { return (leads(0) && leads(1) && leads(2)) || GameMode != 2; }, 1500))
            << who(officers[0]) << who(officers[1]) << who(officers[2]);
        for (int k = 0; k < 3; ++k)
            sendTo(player, officers[static_cast<std::size_t>(k)],
                   static_cast<float>(1400 + 150 * k), 1110);
        std::printf("onlookers on their way at tick %u\n", TickCounter);
        staffOut(player, ambulances[0], {teams[0], medic});
        ASSERT_FALSE(::testing::Test::HasFatalFailure());
        for (std::size_t k = 1; k < 6; ++k) {
            staffOut(player, ambulances[k], {teams[k]});
            ASSERT_FALSE(::testing::Test::HasFatalFailure());
        }
        onPerson(player, teams[1], outFront);
        onPerson(player, teams[2], outSouth);
        putDown(player, carrier, bySeat);
        ASSERT_FALSE(::testing::Test::HasFatalFailure());
        std::printf("by the seat out at tick %u%s\n", TickCounter, who(bySeat).c_str());
        EXPECT_TRUE(player.shot("m07-first-out"));
        treat(player, bySeat);
        ASSERT_FALSE(::testing::Test::HasFatalFailure());
        for (const std::size_t k : {std::size_t{1}, std::size_t{2}}) {
            ASSERT_TRUE(waitUntil(
                player, [&] { return holds(teams[k], patients[k]) || GameMode != 2; }, 1200))
                << who(teams[k]);
            board(player, k);
        }

        ASSERT_TRUE(waitUntil(
            player, [] { return opened(2) || GameMode != 2; }, 1500));
        ASSERT_TRUE(opened(2)) << "mode " << GameMode << " " << MessageLine.data();
        // The second cutter steps out of the doorway.
        walkTo(player, cutterB, 1760, 800);
        ASSERT_FALSE(::testing::Test::HasFatalFailure());
        enterStation(player, carrier, 2);
        ASSERT_FALSE(::testing::Test::HasFatalFailure());
        fetch(player, carrier, inHouse2, beside(3), 930);
        ASSERT_FALSE(::testing::Test::HasFatalFailure());

        // House 0 is open by now: its cutter puts the metal cutter back into the group truck
        // beside it, steps in and fetches the far casualty while the third fire fighter carries
        // house 2's out.
        ASSERT_TRUE(waitUntil(
            player, [] { return opened(0) || GameMode != 2; }, 1500));
        ASSERT_TRUE(opened(0)) << "mode " << GameMode << " " << MessageLine.data();
        clickPerson(player, cutter);
        clickFahrzeug(player, groupTruck);
        command(player, kCmdReturnEquipment);
        ASSERT_TRUE(waitUntil(
            player,
            [&] {
                return (P(cutter).type == kFireFighter && P(cutter).orders == nullptr) ||
                       GameMode != 2;
            },
            600))
            << who(cutter);
        enterStation(player, cutter, 0);
        ASSERT_FALSE(::testing::Test::HasFatalFailure());
        fetch(player, cutter, inHouse0Far, 1240, 880);
        ASSERT_FALSE(::testing::Test::HasFatalFailure());
        putDown(player, carrier, inHouse2);
        ASSERT_FALSE(::testing::Test::HasFatalFailure());
        onPerson(player, teams[3], inHouse2);
        std::printf("house 2 empty at tick %u\n", TickCounter);
        enterStation(player, carrier, 0);
        ASSERT_FALSE(::testing::Test::HasFatalFailure());
        fetch(player, carrier, inHouse0Near, 1340, 880);
        ASSERT_FALSE(::testing::Test::HasFatalFailure());
        putDown(player, cutter, inHouse0Far);
        ASSERT_FALSE(::testing::Test::HasFatalFailure());
        onPerson(player, teams[5], inHouse0Far);
        strongEnough(player, bySeat);
        ASSERT_FALSE(::testing::Test::HasFatalFailure());
        onPerson(player, teams[0], bySeat);
        ASSERT_TRUE(waitUntil(
            player, [&] { return holds(teams[3], inHouse2) || GameMode != 2; }, 1200))
            << who(teams[3]);
        board(player, 3);
        putDown(player, carrier, inHouse0Near);
        ASSERT_FALSE(::testing::Test::HasFatalFailure());
        treat(player, inHouse0Near);
        ASSERT_FALSE(::testing::Test::HasFatalFailure());
        std::printf("station empty at tick %u\n", TickCounter);
        EXPECT_TRUE(player.shot("m07-station-empty"));
        for (const std::size_t k : {std::size_t{0}, std::size_t{5}}) {
            ASSERT_TRUE(waitUntil(
                player, [&] { return holds(teams[k], patients[k]) || GameMode != 2; }, 1200))
                << who(teams[k]);
            board(player, k);
        }
        strongEnough(player, inHouse0Near);
        ASSERT_FALSE(::testing::Test::HasFatalFailure());
        onPerson(player, teams[4], inHouse0Near);
        ASSERT_TRUE(waitUntil(
            player, [&] { return holds(teams[4], inHouse0Near) || GameMode != 2; }, 1200))
            << who(teams[4]);
        board(player, 4);

        // From the west end of the row, so that none has a parked one in its way.
        for (std::size_t k = 6; k-- > 0;) {
            ASSERT_TRUE(waitUntil(
                player, [&] { return P(teams[k]).offMap != 0 || GameMode != 2; }, 1200))
                << who(teams[k]);
            sendHome(player, ambulances[k], patients[k]);
            ASSERT_FALSE(::testing::Test::HasFatalFailure());
            // A little apart, so that they do not jam where they leave the map.
            waitUntil(
                player, [] { return GameMode != 2; }, 40);
        }
        std::printf("ambulances gone at tick %u\n", TickCounter);
        // Played on at speed 3 without a key: a key on the won screen would already leave it.
        fast(player);
        ASSERT_TRUE(playUntil(
            player, [] { return GameMode != 2; }, 3000));
        ASSERT_EQ(GameMode, 5u) << Cp1252ToUtf8(MessageLine.data());
        std::printf("won at tick %u\n", TickCounter);
        EXPECT_EQ(ToteCount, 0);
        EXPECT_LT(TickCounter, 9601u);
        EXPECT_TRUE(player.shot("m07-won"));
        expectEvaluation(player, 0);
    }

    std::int16_t groupTruck = -1;
    std::int16_t police = -1;
    std::int16_t medic = -1;
    std::vector<std::int16_t> ambulances;
    std::vector<std::int16_t> teams;
    std::vector<std::int16_t> fireFighters;
    std::vector<std::int16_t> officers;

    // Nobody goes to the casualties: the mission fails once one has died.
    void leaveCasualtiesAlone(ScriptedPlayer& player) {
        ASSERT_TRUE(playUntil(
            player, [] { return GameMode != 2; }, 12000));
        ASSERT_EQ(GameMode, 4u);
        EXPECT_EQ(Cp1252ToUtf8(MessageLine.data()), "Verletzter gestorben!");
        play(player, 2);
    }
};

}  // namespace kv::test
