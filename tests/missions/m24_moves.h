#pragma once
// Mission 24 played by clicks and keys, for its own whole-game tests and the whole campaign's: the
// mission jump to the river, the purchase at the medium and the small station, and the rescue:
// the boat launched at the slipway fetches the people from the water, lands them at the slipway,
// and the ambulances take them away one by one once a medic has treated them.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "core/game_mode.h"
#include "core/hover.h"
#include "core/message_line.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/options.h"
#include "core/view.h"
#include "mission/panel_pictures.h"
#include "mission/panels/command_tables.h"
#include "movement/befehl_queue.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "platform/cp1252.h"
#include "platform/window.h"
#include "screens/basis_screen.h"
#include "screens/karte.h"
#include "support/play_through.h"
#include "support/scripted_player.h"
#include "vehicles/boot_punkte.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "vehicles/fahrzeuge.h"
#include "world/sonder_obj.h"

namespace kv::test {

class MissionTwentyFourMoves : public PlayThroughSteps {
  protected:
    static constexpr std::int16_t kWaterPersons = 5;  // slots 0..4
    static constexpr std::size_t kMediumBase = 1;
    static constexpr std::size_t kPlaceF117 = 2;    // at the medium station
    static constexpr std::size_t kPlaceF201 = 2;    // at the small station
    static constexpr std::size_t kPlaceF103 = 5;    // at the small station
    static constexpr std::int8_t kStretcher = 5;    // P06
    static constexpr std::int8_t kFireFighter = 1;  // P02
    static constexpr std::int8_t kRingCarrier = 46;
    // Every person gets a ring before it would go under: the boat, launched near the right edge,
    // comes up the river too slowly to reach them first.
    // Holders in the order the rings are taken: the two throwers take turns.
    static constexpr std::size_t kHolders[kWaterPersons] = {1, 6, 5, 0, 2};
    static constexpr float kBankY = 935;
    static constexpr int kBoatSeats = 4;
    // A patient driven off below 300000 dies on the way: a medic treats it well above that first.
    static constexpr std::int32_t kFitForTheDrive = 330000;

    struct Fleet {
        std::int16_t carrier = -1;
        std::vector<std::int16_t> ambulances;
        std::vector<std::int16_t> teams;
        std::int16_t medic = -1;
        std::int16_t engine = -1;
        std::vector<std::int16_t> throwers;
    };

    // In a running mission: the mission jump to campaign position 6, the video and the briefing.
    void jumpToMissionTwentyFour(ScriptedPlayer& player) {
        jumpToPosition(player, 6);
        ASSERT_EQ(MissionNummer, 24);
        EXPECT_EQ(Money, 10000);
        videoAndBriefing(player);
    }

    // The medium station's boat carrier (nobody rides in it), then into play at speed 3. The
    // ambulances are bought once the carrier is on its way: the first arrivals would keep it
    // queued at the entry while the first person drifts towards its death.
    Fleet buyAndEnter(ScriptedPlayer& player) {
        Fleet b;
        openStation(player, kMediumBase);
        buy(player, kPlaceF117, {});
        player.key(VK_ESCAPE);
        play(player, 1);
        EXPECT_EQ(GameMode, 10u);
        openStation(player);
        buy(player, kPlaceF103, {{kFireFighter, false}, {kFireFighter, false}});
        for (const Bought& v : BoughtVehicles()) {
            if (F(v.vehicle).type == kTypF117) b.carrier = v.vehicle;
            if (F(v.vehicle).type != kTypF103) continue;
            b.engine = v.vehicle;
            b.throwers = v.crew;
        }
        EXPECT_GE(b.carrier, 0);
        EXPECT_GE(b.engine, 0);
        EXPECT_EQ(b.throwers.size(), 2u);
        leaveStationForTheMission(player);
        player.key('3');
        play(player, 1);
        EXPECT_EQ(GameSpeed, 3);
        return b;
    }

    // The whole rescue, to the mission's success.
    void winMissionTwentyFour(ScriptedPlayer& player, Fleet& b) {
        // The engine over the bridge to the track on the south bank, the carrier to the slipway.
        bool engineSent = false;
        bool carrierSent = false;
        ASSERT_TRUE(playUntil(
            player,
            [&] {
                if (!engineSent && atRest(b.engine)) {
                    deselect(player);
                    driveTo(player, b.engine, 900, 1040);
                    engineSent = true;
                }
                if (!carrierSent && atRest(b.carrier)) {
                    onBoatPoint(player, b.carrier);
                    carrierSent = true;
                }
                return engineSent && carrierSent;
            },
            3000))
            << where(b.carrier) << where(b.engine);
        if (::testing::Test::HasFatalFailure()) return;
        throwRings(player, b);
        if (::testing::Test::HasFatalFailure()) return;

        // The carrier launches the boat at the slipway and stays there, empty.
        std::int16_t boat = -1;
        ASSERT_TRUE(playUntil(
            player,
            [&] {
                boat = FindBoat();
                return boat >= 0;
            },
            3000))
            << where(b.carrier);
        EXPECT_EQ(F(b.carrier).type, kTypF119);

        // The boat fetches whoever is nearest to going under first, those without a ring before
        // those with one. Full, it lands them at the slipway and is launched again. The
        // ambulances are bought once the boat is on its way.
        bool ambulancesBought = false;
        while (InWater() > 0) {
            if (Passengers(boat) == kBoatSeats) {
                landAtSlipway(player, boat, b.carrier);
                if (::testing::Test::HasFatalFailure()) return;
                selectFahrzeug(player, b.carrier);
                command(player, kCmdUnload);
                ASSERT_TRUE(playUntil(
                    player,
                    [&] {
                        boat = FindBoat();
                        return boat >= 0;
                    },
                    200));
            }
            std::int16_t person = -1;
            ASSERT_TRUE(playUntil(
                player,
                [&] {
                    sendOnArrivals(player);
                    person = MostUrgent();
                    return person >= 0 || InWater() == 0;
                },
                6000))
                << DescribeWater();
            // A person may drift into the boat and be taken aboard by itself.
            if (person < 0) break;
            fetch(player, boat, person);
            if (::testing::Test::HasFatalFailure()) return;
            if (!ambulancesBought) {
                buyAmbulances(player, b);
                if (::testing::Test::HasFatalFailure()) return;
                ambulancesBought = true;
            }
            waitAboard(player, boat, person);
            if (::testing::Test::HasFatalFailure()) return;
        }
        ASSERT_TRUE(ambulancesBought);
        landAtSlipway(player, boat, b.carrier);
        if (::testing::Test::HasFatalFailure()) return;
        ASSERT_TRUE(playUntil(
            player,
            [&] {
                sendOnArrivals(player);
                return parks.empty();
            },
            3000));

        // The ambulances' crews get out; the medic treats each person, a stretcher team carries
        // it to its ambulance, and the ambulance goes home.
        for (const std::int16_t ambulance : b.ambulances) {
            ASSERT_TRUE(playUntil(
                player, [&] { return atRest(ambulance); }, 1500))
                << where(ambulance);
            selectFahrzeug(player, ambulance);
            command(player, kCmdStaffOut);
        }
        ASSERT_TRUE(playUntil(
            player, [&] { return P(b.medic).offMap == 0 && P(b.teams.back()).offMap == 0; }, 300));
        for (std::int16_t person = 0; person < kWaterPersons; ++person) {
            const std::int16_t team = b.teams[static_cast<std::size_t>(person)];
            const std::int16_t ambulance = b.ambulances[static_cast<std::size_t>(person)];
            selectPerson(player, b.medic);
            clickPerson(player, person);
            ASSERT_TRUE(playUntil(
                player, [&] { return P(person).energy >= kFitForTheDrive; }, 2000))
                << "person " << person << " energy " << P(person).energy;
            selectPerson(player, team);
            clickPerson(player, person);
            ASSERT_TRUE(playUntil(
                player, [&] { return P(team).link == person && P(team).orders == nullptr; }, 1000))
                << "team " << team;
            selectPerson(player, team);
            clickFahrzeug(player, ambulance);
            ASSERT_TRUE(playUntil(
                player, [&] { return P(team).offMap == 1 && P(team).orders == nullptr; }, 1000));
            selectFahrzeug(player, ambulance);
            command(player, kCmdBackToBase);
            ASSERT_NE(F(ambulance).orders, nullptr) << "ambulance " << ambulance;
        }
        ASSERT_TRUE(playUntil(
            player, [] { return GameMode != 2; }, 3000));
        ASSERT_EQ(GameMode, 5u) << Cp1252ToUtf8(MessageLine.data());
    }

    static std::string where(std::int16_t v) {
        char s[96];
        std::snprintf(s, sizeof s, " [vehicle %d type %d at %.1f %.1f order %d anim %d]", v,
                      F(v).type, static_cast<double>(F(v).x), static_cast<double>(F(v).y),
                      HeadBefehlOpcode(F(v)), F(v).anim);
        return s;
    }

  private:
    // The engine's two fire fighters take rings at the holders and throw them to the people in
    // turn as they come within reach, each going for its next ring at once.
    void throwRings(ScriptedPlayer& player, const Fleet& b) {
        ASSERT_TRUE(playUntil(
            player, [&] { return atRest(b.engine); }, 1500))
            << where(b.engine);
        selectFahrzeug(player, b.engine);
        command(player, kCmdStaffOut);
        ASSERT_TRUE(playUntil(
            player,
            [&] {
                for (const std::int16_t t : b.throwers)
                    if (P(t).offMap != 0 || P(t).orders != nullptr) return false;
                return true;
            },
            300));
        takeRing(player, b.throwers[0], kHolders[0]);
        takeRing(player, b.throwers[1], kHolders[1]);
        for (std::int16_t person = 0; person < kWaterPersons; ++person) {
            const std::int16_t thrower = b.throwers[static_cast<std::size_t>(person) % 2];
            ASSERT_TRUE(playUntil(
                player,
                [&] { return P(thrower).type == kRingCarrier && P(thrower).orders == nullptr; },
                1500))
                << "thrower " << thrower << " at " << P(thrower).x << " " << P(thrower).y;
            // Along the bank to meet the person a little ahead of it.
            const float meet = std::clamp(P(person).x + 200.0f, 650.0f, 1100.0f);
            if (std::fabs(P(thrower).x - meet) > 100.0f) {
                deselect(player);
                walkTo(player, thrower, meet, kBankY);
                ASSERT_TRUE(playUntil(
                    player, [&] { return P(thrower).orders == nullptr; }, 1500));
            }
            ASSERT_TRUE(playUntil(
                player,
                [&] {
                    return P(person).present == 1 && P(person).anim == 3 &&
                           std::fabs(P(person).x - P(thrower).x) < 120.0f;
                },
                4000))
                << "person " << person << " at " << P(person).x;
            selectPerson(player, thrower);
            hoverPerson(player, person);
            EXPECT_EQ(CursorId, kCursorRescue);
            player.click(MouseX, MouseY);
            play(player, 1);
            ASSERT_TRUE(playUntil(
                player, [&] { return P(person).anim == 5; }, 300))
                << "person " << person << " caught no ring";
            if (person + 2 < kWaterPersons)
                takeRing(player, thrower, kHolders[static_cast<std::size_t>(person) + 2]);
        }
    }

    // A fire fighter sent to a holder with a ring, to take the ring up.
    void takeRing(ScriptedPlayer& player, std::int16_t thrower, std::size_t holder) {
        selectPerson(player, thrower);
        ASSERT_NE(SonderObjTypAt(SonderObjs[holder].type), nullptr) << "holder " << holder;
        const auto [x, y] = ObjectMiddle(holder);
        clickWorldWith(player, x, y, kCursorRescue);
        ASSERT_NE(P(thrower).orders, nullptr) << "thrower " << thrower;
    }

    struct Park {
        std::int16_t v;
        float x, y;
    };
    std::vector<Park> parks;

    // The map button in play, the small station: five ambulances with a stretcher team each,
    // the first with a medic too, one for each person from the water. Back into play; they
    // drive in while the boat works.
    void buyAmbulances(ScriptedPlayer& player, Fleet& b) {
        player.click(kMapButtonPlace.x + 20, kMapButtonPlace.y + 10);
        ASSERT_TRUE(playUntil(
            player, [] { return GameMode == 10u; }, 20));
        openStation(player);
        buy(player, kPlaceF201, {{kStretcher, true}, {kPersonTypMedic, false}});
        for (int i = 1; i < kWaterPersons; ++i) buy(player, kPlaceF201, {{kStretcher, true}});
        EXPECT_GE(Money, 0) << "within the mission's 10000";
        for (const Bought& v : BoughtVehicles()) {
            if (F(v.vehicle).type != kTypF201) continue;
            b.ambulances.push_back(v.vehicle);
            for (const std::int16_t p : v.crew) {
                if (P(p).type == kStretcher) b.teams.push_back(p);
                if (P(p).type == kPersonTypMedic) b.medic = p;
            }
        }
        ASSERT_EQ(b.ambulances.size(), static_cast<std::size_t>(kWaterPersons));
        ASSERT_EQ(b.teams.size(), static_cast<std::size_t>(kWaterPersons));
        ASSERT_GE(b.medic, 0);
        for (std::size_t i = 0; i < b.ambulances.size(); ++i)
            parks.push_back({b.ambulances[i], 3330.0f - 80.0f * static_cast<float>(i % 3),
                             i < 3 ? 460.0f : 560.0f});
        leaveStationForTheMission(player);
    }

    // Each ambulance that has come to rest at the entry is sent on to the meadow above the
    // slipway, so that the next can drive in.
    void sendOnArrivals(ScriptedPlayer& player) {
        for (auto it = parks.begin(); it != parks.end(); ++it) {
            if (!atRest(it->v)) continue;
            const Park park = *it;
            parks.erase(it);
            deselect(player);
            driveTo(player, park.v, park.x, park.y);
            return;
        }
    }

    static bool atRest(std::int16_t v) {
        return F(v).KarteWeg == -1 && F(v).orders == nullptr && F(v).x > 0;
    }

    static std::int16_t FindBoat() {
        for (std::int16_t v = 0; v < static_cast<std::int16_t>(Fahrzeuge.size()); ++v)
            if (F(v).type == kTypF116) return v;
        return -1;
    }

    static bool Aboard(std::int16_t v, std::int16_t person) {
        for (const std::uint16_t seat : F(v).seats)
            if (seat == static_cast<std::uint16_t>(person)) return true;
        return false;
    }

    // A right click clears the selection first, so that the click selects rather than orders.
    // Chosen afresh, and checked to be the selection.
    void selectFahrzeug(ScriptedPlayer& player, std::int16_t v) {
        PlayThroughSteps::selectFahrzeug(player, v);
        ASSERT_EQ(SelectedIndex, static_cast<std::uint16_t>(v));
    }
    void selectPerson(ScriptedPlayer& player, std::int16_t p) {
        PlayThroughSteps::selectPerson(player, p);
        ASSERT_EQ(SelectedIndex, static_cast<std::uint16_t>(p));
    }

    // The selected vehicle's click on the slipway's marker.
    void onBoatPoint(ScriptedPlayer& player, std::int16_t v) {
        selectFahrzeug(player, v);
        ASSERT_EQ(SelectedIndex, static_cast<std::uint16_t>(v));
        const BootPunkt& point = BootPunkte[0];
        clickWorldWith(player, point.x, point.y, kCursorRescue);
        ASSERT_NE(F(v).orders, nullptr) << "vehicle " << v << " got no order";
    }

    // The boat clicked onto a person in the water, out from under the bridge.
    void fetch(ScriptedPlayer& player, std::int16_t boat, std::int16_t person) {
        selectFahrzeug(player, boat);
        hoverPerson(player, person);
        EXPECT_EQ(CursorId, kCursorRescue);
        player.click(MouseX, MouseY);
        play(player, 1);
        ASSERT_NE(F(boat).orders, nullptr);
    }
    // Aboard, or the boat clicked onto the person again when it arrived where the person was.
    void waitAboard(ScriptedPlayer& player, std::int16_t boat, std::int16_t person) {
        ASSERT_TRUE(playUntil(
            player,
            [&] {
                sendOnArrivals(player);
                if (!Aboard(boat, person) && P(person).casualty == 0 && F(boat).orders == nullptr)
                    fetch(player, boat, person);
                return P(person).casualty != 0;
            },
            5000))
            << "person " << person << " at " << P(person).x << where(boat);
    }

    // Of the people still in the water and in reach, one without a ring furthest down the
    // river, else one with a ring furthest down; -1 none.
    static std::int16_t MostUrgent() {
        std::int16_t best = -1;
        for (std::int16_t i = 0; i < kWaterPersons; ++i) {
            const Person& p = P(i);
            if (p.type < 49 || p.type > 51 || p.casualty != 0 || p.present == 0 || p.x < 560)
                continue;
            if (p.anim != 3 && p.anim != 5) continue;
            if (best < 0) {
                best = i;
                continue;
            }
            const Person& q = P(best);
            const bool ringed = p.anim == 5;
            const bool bestRinged = q.anim == 5;
            if (ringed != bestRinged ? !ringed : p.x > q.x) best = i;
        }
        return best;
    }

    // The people still in the water.
    static int InWater() {
        int n = 0;
        for (std::int16_t i = 0; i < kWaterPersons; ++i)
            if (P(i).type >= 49 && P(i).type <= 51 && P(i).casualty == 0) ++n;
        return n;
    }

    static std::string DescribeWater() {
        std::string out =
            " mode " + std::to_string(GameMode) + " tick " + std::to_string(TickCounter);
        for (std::int16_t i = 0; i < kWaterPersons; ++i)
            out += " [" + std::to_string(P(i).type) + " x " + std::to_string(P(i).x) + " anim " +
                   std::to_string(P(i).anim) + " cas " + std::to_string(P(i).casualty) +
                   " present " + std::to_string(P(i).present) + "]";
        return out;
    }

    static int Passengers(std::int16_t boat) {
        int n = 0;
        for (const std::uint16_t seat : F(boat).seats)
            if (seat != kNoPerson) ++n;
        return n;
    }

    // The boat clicked onto the slipway beside its empty carrier: it is taken back, and the
    // people it holds are put ashore.
    void landAtSlipway(ScriptedPlayer& player, std::int16_t boat, std::int16_t carrier) {
        onBoatPoint(player, boat);
        ASSERT_TRUE(playUntil(
            player,
            [&] {
                sendOnArrivals(player);
                return F(carrier).type == kTypF117;
            },
            3000))
            << where(boat) << where(carrier);
    }
};

}  // namespace kv::test
