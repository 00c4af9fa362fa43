#pragma once
// Mission 24 played by clicks and keys, for its own whole-game tests and the whole campaign's: the
// mission jump to the river, the purchase at the medium and the small station, and the rescue:
// rings thrown from the bank, the boat waiting in the river for whoever drifts into it and
// fetching the rest, the landing at the slipway, and the ambulances taking the people away one by
// one once the medic waiting there has treated them.

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
#include "mission/scroll_view.h"
#include "movement/befehl_queue.h"
#include "persons/person_link.h"
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
    static constexpr int kOpTakeAboard = 77;  // the boat's
    static constexpr int kOpThrowRing = 205;  // the ring carrier's
    static constexpr int kOpCatchRing = 206;  // the person's in the water
    // The boat, launched near the right edge, comes up the river too late for the first people:
    // the two throwers ring them, and the last, as they come within reach. The boat waits in the
    // river just short of where the people go under; whoever drifts into it is taken aboard.
    struct Throw {
        std::int16_t person;
        std::size_t thrower;  // 0 or 1
        int nextHolder;       // the ring the thrower goes for next; -1 none
    };
    static constexpr std::size_t kFirstHolders[2] = {1, 6};
    static constexpr Throw kThrows[] = {{0, 0, 5}, {1, 1, 2}, {2, 0, -1}, {4, 1, -1}};
    static constexpr float kBankY = 935;
    static constexpr float kCatchX = 1150;
    static constexpr float kCatchY = 795;
    static constexpr int kBoatSeats = 4;
    // A patient driven off below 300000 dies on the way: a medic treats it well above that first,
    // for the carrying and the drive home.
    static constexpr std::int32_t kFitForTheDrive = 420000;

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
        fast(player);
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
        // The ambulances now, so that they stand at the slipway before the first person is landed
        // there; both first vehicles have left the entry.
        buyAmbulances(player, b);
        if (::testing::Test::HasFatalFailure()) return;
        throwRings(player, b);
        if (::testing::Test::HasFatalFailure()) return;

        // The boat, full or with nobody left up the river from it, lands its people at the
        // slipway, where the medic waits, and goes for the first one, ringed and drifting on.
        // Each landed person is treated, carried to its own ambulance and driven home.
        Rescue r{b, {}, {}};
        ASSERT_TRUE(playUntil(
            player,
            [&] {
                rescueStep(player, r);
                return ::testing::Test::HasFatalFailure() || GameMode != 2;
            },
            12000))
            << DescribeWater() << where(b.carrier);
        if (::testing::Test::HasFatalFailure()) return;
        ASSERT_EQ(GameMode, 5u) << Cp1252ToUtf8(MessageLine.data());
        EXPECT_EQ(r.landed.size(), static_cast<std::size_t>(kWaterPersons));
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
    // turn as they come within reach, each going for its next ring at once. Once the boat is
    // launched it is sent up the river to wait for the people there.
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
        takeRing(player, b.throwers[0], kFirstHolders[0]);
        takeRing(player, b.throwers[1], kFirstHolders[1]);
        bool boatSent = false;
        const auto sendBoat = [&] {
            if (boatSent || FindBoat() < 0) return;
            boatSent = true;
            boatToCatch(player, b);
        };
        for (const Throw& t : kThrows) {
            const std::int16_t person = t.person;
            const std::int16_t thrower = b.throwers[t.thrower];
            ASSERT_TRUE(playUntil(
                player,
                [&] {
                    sendBoat();
                    return P(thrower).type == kRingCarrier && P(thrower).orders == nullptr;
                },
                1500))
                << "thrower " << thrower << " at " << P(thrower).x << " " << P(thrower).y;
            // Along the bank to meet the person a little ahead of it.
            const float meet = std::clamp(P(person).x + 200.0f, 650.0f, 1100.0f);
            if (std::fabs(P(thrower).x - meet) > 100.0f) {
                deselect(player);
                walkTo(player, thrower, meet, kBankY);
                ASSERT_TRUE(playUntil(
                    player, [&] { return P(thrower).orders == nullptr; }, 1500))
                    << "thrower " << thrower << " at " << P(thrower).x << " " << P(thrower).y;
            }
            ASSERT_TRUE(playUntil(
                player,
                [&] {
                    sendBoat();
                    return P(person).present == 1 && P(person).anim == 3 &&
                           std::fabs(P(person).x - P(thrower).x) < 120.0f;
                },
                4000))
                << "person " << person << " at " << P(person).x << DescribeWater();
            selectPerson(player, thrower);
            hoverPerson(player, person);
            EXPECT_EQ(CursorId, kCursorRescue);
            player.click(MouseX, MouseY);
            play(player, 1);
            EXPECT_TRUE(Queued(P(thrower), kOpThrowRing)) << "thrower " << thrower;
            // The person reaches for the ring in flight, and holds it.
            bool reached = false;
            ASSERT_TRUE(playUntil(
                player,
                [&] {
                    reached = reached || HeadBefehlOpcode(P(person)) == kOpCatchRing;
                    return P(person).anim == 5;
                },
                300))
                << "person " << person << " caught no ring";
            EXPECT_TRUE(reached) << "person " << person;
            if (t.nextHolder >= 0)
                takeRing(player, thrower, static_cast<std::size_t>(t.nextHolder));
        }
        ASSERT_TRUE(boatSent);
    }

    // The boat, selected by a look at the slipway, sent into the drift line just short of where
    // the people go under, and the view back at the throwers.
    void boatToCatch(ScriptedPlayer& player, const Fleet& b) {
        const std::int16_t boat = FindBoat();
        deselect(player);
        tabTo(player, boat);
        selectFahrzeug(player, boat);
        tabTo(player, b.engine);
        clickWorldWith(player, kCatchX, kCatchY, kCursorMove);
        EXPECT_NE(F(boat).orders, nullptr) << "the boat got no order";
    }

    // A fire fighter sent to a holder with a ring, to take the ring up.
    void takeRing(ScriptedPlayer& player, std::int16_t thrower, std::size_t holder) {
        selectPerson(player, thrower);
        ASSERT_NE(SonderObjTypAt(SonderObjs[holder].type), nullptr) << "holder " << holder;
        const auto [x, y] = ObjectMiddle(holder);
        clickWorldWith(player, x, y, kCursorRescue);
        ASSERT_NE(P(thrower).orders, nullptr) << "thrower " << thrower;
    }

    // Where each ambulance waits, on the meadow above the slipway; whether it has been sent
    // there and whether its crew is out.
    struct Park {
        std::int16_t v;
        float x, y;
        bool sent = false;
        bool crewOut = false;
    };
    std::vector<Park> parks;
    std::int16_t carrier = -1;

    // The map button in play, the small station: five ambulances with a stretcher team each,
    // the first with a medic too, one for each person from the water. Back into play; they
    // drive in while the rings are thrown.
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
        carrier = b.carrier;
        // In one row, well apart, so that each can be picked out and none stands in another's way
        // back to the road.
        for (std::size_t i = 0; i < b.ambulances.size(); ++i)
            parks.push_back({b.ambulances[i], 3360.0f - 130.0f * static_cast<float>(i), 440.0f});
        leaveStationForTheMission(player);
    }

    // Each ambulance that has come to rest at the entry is sent on to the meadow above the
    // slipway, so that the next can drive in; Tab takes the view to it, to the carrier at the
    // slipway for the order, and back to the vehicle given. True when one was sent.
    bool sendOnArrivals(ScriptedPlayer& player, std::int16_t back) {
        for (Park& park : parks) {
            if (park.sent || !atRest(park.v)) continue;
            park.sent = true;
            deselect(player);
            tabTo(player, park.v);
            clickFahrzeug(player, park.v);
            EXPECT_EQ(SelectedIndex, static_cast<std::uint16_t>(park.v));
            tabTo(player, carrier);
            clickWorldWith(player, park.x, park.y, kCursorMove);
            EXPECT_NE(F(park.v).orders, nullptr) << "vehicle " << park.v << " got no order";
            tabTo(player, back);
            return true;
        }
        return false;
    }

    // The view jumped to a vehicle by Tab, which goes through the vehicles in turn.
    void tabTo(ScriptedPlayer& player, std::int16_t v) {
        for (int n = 0; n <= FahrzeugCount && NextVehicleIndex != static_cast<std::uint16_t>(v);
             ++n) {
            player.key(VK_TAB);
            play(player, 1);
        }
        for (int i = 0; i < 30 && JumpTargetActive != 0; ++i) play(player, 1);
    }

    static std::int16_t FindBoat() {
        for (std::int16_t v = 0; v < static_cast<std::int16_t>(Fahrzeuge.size()); ++v)
            if (F(v).type == kTypF116) return v;
        return -1;
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
        EXPECT_TRUE(Queued(F(boat), kOpTakeAboard)) << "boat " << boat;
    }

    // Whether the unit's queue holds the order.
    static bool Queued(const UnitHead& unit, int opcode) {
        for (const Befehl* o = unit.orders; o != nullptr; o = o->next)
            if (o->opcode == opcode) return true;
        return false;
    }

    // Of the people still in the water and in reach, the furthest down the river; -1 none.
    static std::int16_t MostUrgent() {
        std::int16_t best = -1;
        for (std::int16_t i = 0; i < kWaterPersons; ++i) {
            const Person& p = P(i);
            if (p.type < 49 || p.type > 51 || p.casualty != 0 || p.present == 0 || p.x < 560)
                continue;
            if (p.anim != 3 && p.anim != 5) continue;
            if (best < 0 || p.x > P(best).x) best = i;
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
            out += " [" + std::to_string(P(i).type) + " x " + std::to_string(P(i).x) + " y " +
                   std::to_string(P(i).y) + " anim " + std::to_string(P(i).anim) + " cas " +
                   std::to_string(P(i).casualty) + " energy " + std::to_string(P(i).energy) +
                   " off " + std::to_string(P(i).offMap) + "]";
        return out;
    }

    static int Passengers(std::int16_t boat) {
        int n = 0;
        for (const std::uint16_t seat : F(boat).seats)
            if (seat != kNoPerson) ++n;
        return n;
    }

    // A person from the water lying ashore: landed, and on to its own team and ambulance.
    enum class Ashore { Landed, PickUp, ToAmbulance, Home };
    struct Rescue {
        Fleet& b;
        std::vector<std::int16_t> landed;  // in the order they came ashore
        std::vector<Ashore> stage;         // the i-th goes with team and ambulance i
        bool medicWaits = false;
        bool catching = true;  // the boat waits in the river for the people drifting into it
    };

    // One step of the rescue, as a player would see to it: the ambulances parked and their crews
    // out, the medic waiting at the slipway, the boat at work, the medic at the weakest landed
    // person, and the stretcher teams at the treated ones.
    void rescueStep(ScriptedPlayer& player, Rescue& r) {
        if (sendOnArrivals(player, r.b.carrier) || crewOut(player) || medicToSlipway(player, r) ||
            tendBoat(player, r))
            return;
        noteLanded(r);
        if (tendMedic(player, r)) return;
        tendTeams(player, r);
    }

    // A parked ambulance lets its crew out.
    bool crewOut(ScriptedPlayer& player) {
        for (Park& park : parks) {
            if (!park.sent || park.crewOut || !atRest(park.v)) continue;
            park.crewOut = true;
            selectFahrzeug(player, park.v);
            command(player, kCmdStaffOut);
            return true;
        }
        return false;
    }

    // Beside the slipway, clear of where the boat puts people ashore.
    static constexpr float kMedicWaitX = 3330;
    static constexpr float kMedicWaitY = 650;
    bool medicToSlipway(ScriptedPlayer& player, Rescue& r) {
        const Person& medic = P(r.b.medic);
        if (r.medicWaits || medic.offMap != 0 || medic.orders != nullptr) return false;
        r.medicWaits = true;
        deselect(player);
        walkTo(player, r.b.medic, kMedicWaitX, kMedicWaitY);
        return true;
    }

    // Where the boat waits in the river, it waits with a free seat while anyone is still up the
    // river from it. Then it lands whoever it holds; after that it fetches the person furthest
    // down the river and lands that one at once, or fetches the next too when that one is close
    // by. On its carrier it is launched again while anyone is left in the water.
    static constexpr float kAlongToo = 300;
    bool tendBoat(ScriptedPlayer& player, Rescue& r) {
        const std::int16_t boat = FindBoat();
        if (boat < 0) {
            if (InWater() == 0 || F(r.b.carrier).type != kTypF117 ||
                F(r.b.carrier).orders != nullptr)
                return false;
            selectFahrzeug(player, r.b.carrier);
            command(player, kCmdUnload);
            return true;
        }
        if (F(boat).orders != nullptr) return false;
        const int aboard = Passengers(boat);
        if (r.catching) {
            if (aboard < kBoatSeats && UpRiverOf(F(boat).x)) return false;
            r.catching = false;
        }
        const std::int16_t next = MostUrgent();
        const bool close = next >= 0 && std::fabs(P(next).x - F(boat).x) < kAlongToo;
        if (aboard > 0 && (aboard == kBoatSeats || !close)) {
            onBoatPoint(player, boat);
            return true;
        }
        if (next < 0) return false;
        fetch(player, boat, next);
        return true;
    }

    static bool UpRiverOf(float x) {
        for (std::int16_t i = 0; i < kWaterPersons; ++i)
            if (P(i).type >= 49 && P(i).type <= 51 && P(i).casualty == 0 && P(i).x < x) return true;
        return false;
    }

    // Whoever lies ashore for the first time is given the next team and ambulance.
    static void noteLanded(Rescue& r) {
        for (std::int16_t i = 0; i < kWaterPersons; ++i) {
            const Person& p = P(i);
            if (p.type < 49 || p.type > 51 || p.casualty == 0 || p.offMap != 0) continue;
            if (std::find(r.landed.begin(), r.landed.end(), i) != r.landed.end()) continue;
            r.landed.push_back(i);
            r.stage.push_back(Ashore::Landed);
        }
    }

    // People landed together lie close to one another: the medic treats one at a time, the
    // topmost first, and goes to the next only once a team has carried that one off, so that
    // nobody has to kneel between two of them.
    bool tendMedic(ScriptedPlayer& player, Rescue& r) {
        const std::int16_t medic = r.b.medic;
        if (P(medic).offMap != 0 || P(medic).orders != nullptr) return false;
        std::int16_t next = -1;
        for (std::size_t k = 0; k < r.landed.size(); ++k) {
            const std::int16_t i = r.landed[k];
            if (r.stage[k] == Ashore::Landed && (next < 0 || P(i).y < P(next).y)) next = i;
        }
        if (next < 0 || P(next).energy >= kFitForTheDrive) return false;
        const PersonLink link = DecodePersonLink(P(next).link);
        if (link.kind == PersonLinkKind::TreatedBy && link.index == medic) return false;
        selectPerson(player, medic);
        clickPerson(player, next);
        return true;
    }

    // Each team carries its person, once treated, to its ambulance, which then goes home.
    bool tendTeams(ScriptedPlayer& player, Rescue& r) {
        for (std::size_t k = 0; k < r.landed.size(); ++k) {
            const std::int16_t person = r.landed[k];
            const std::int16_t team = r.b.teams[k];
            const std::int16_t ambulance = r.b.ambulances[k];
            const Person& t = P(team);
            if (t.orders != nullptr) continue;
            switch (r.stage[k]) {
                case Ashore::Landed:
                    if (P(person).energy < kFitForTheDrive || t.offMap != 0) break;
                    selectPerson(player, team);
                    clickPerson(player, person);
                    r.stage[k] = Ashore::PickUp;
                    return true;
                case Ashore::PickUp:
                    if (t.link != person) {
                        r.stage[k] = Ashore::Landed;
                        break;
                    }
                    selectPerson(player, team);
                    clickFahrzeug(player, ambulance);
                    r.stage[k] = Ashore::ToAmbulance;
                    return true;
                case Ashore::ToAmbulance:
                    if (t.offMap == 0) {
                        r.stage[k] = Ashore::PickUp;
                        break;
                    }
                    selectFahrzeug(player, ambulance);
                    command(player, kCmdBackToBase);
                    EXPECT_NE(F(ambulance).orders, nullptr) << "ambulance " << ambulance;
                    r.stage[k] = Ashore::Home;
                    return true;
                case Ashore::Home:
                    break;
            }
        }
        return false;
    }
};

}  // namespace kv::test
