#pragma once
// Mission 17's moves by clicks and keys, for its own play-through tests and the campaign's: the
// mission jump to the department store, the video and the briefing, the purchase at bases 0 and
// 1, the drive in, and the rescue: the leak closed, the power switched off, the rubble cleared,
// the caravan put out, the casualties carried out of the house, treated, loaded and driven home.
// Clicks are made at speed 1, waiting is done at speed 3.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "core/campaign.h"
#include "core/game_mode.h"
#include "core/hover.h"
#include "core/message_line.h"
#include "core/mission_scratch.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/options.h"
#include "mission/panel_pictures.h"
#include "mission/panels/command_tables.h"
#include "mission/view/draw_pictures.h"
#include "movement/befehl_queue.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "platform/cp1252.h"
#include "platform/window.h"
#include "screens/mission_jump.h"
#include "support/play_through.h"
#include "support/scripted_player.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "vehicles/fahrzeuge.h"
#include "world/houses.h"
#include "world/sonder_obj.h"

namespace kv::test {

class MissionSeventeenMoves : public virtual PlayThroughSteps {
  protected:
    static constexpr std::int8_t kFireFighter = 1;  // P02
    static constexpr std::int8_t kStretcher = 5;    // P06
    static constexpr std::size_t kPlaceF104 = 1;
    static constexpr std::size_t kPlaceF201 = 2;
    // The fuse box stands on the ground floor inside house 25.
    static constexpr std::size_t kGasHouse = 0;
    static constexpr std::size_t kCaravan = 3;
    static constexpr std::size_t kFuseBox = 12;
    static constexpr int kFuseBoxHouse = 25;

    // In a running mission: EINSATZ over the options button, and the store's entry (campaign
    // position 7); then the video ends, and the briefing is read on the map.
    void jumpToMissionSeventeen(ScriptedPlayer& player) {
        jumpToMission(player, 7, "07 Gasexplosion in Kaufhaus!", 17);
        if (::testing::Test::HasFatalFailure()) return;
        videoAndBriefing(player);
    }

    // Base 0: the engine with two fire fighters, and an ambulance with a stretcher team and the
    // medic; back to the map, and into play at speed 3.
    void buyAndEnter(ScriptedPlayer& player) {
        openStation(player);
        const std::int32_t before = Money;
        buy(player, kPlaceF104, {{kFireFighter, false}, {kFireFighter, false}});
        buy(player, kPlaceF201, {{kStretcher, true}, {kPersonTypMedic, false}});
        EXPECT_LT(Money, before);
        EXPECT_GT(Money, 0);
        leaveStationForTheMission(player);
        fast(player);
        ASSERT_EQ(GameSpeed, 3);
        const std::vector<Bought> bought = BoughtVehicles();
        ASSERT_EQ(bought.size(), 2u);
        engine = bought[0].vehicle;
        ambulance = bought[1].vehicle;
        ASSERT_EQ(bought[0].crew.size(), 2u);
        fireFighters = bought[0].crew;
    }

    // After "staff out": the engine's fire fighters stand outside and the engine is still.
    void waitForTheCrewOut(ScriptedPlayer& player) {
        ASSERT_TRUE(playUntil(
            player,
            [&] {
                return std::all_of(fireFighters.begin(), fireFighters.end(),
                                   [](std::int16_t p) { return P(p).offMap == 0; }) &&
                       F(engine).orders == nullptr;
            },
            300));
    }
    // The engine drives in and comes to rest; its fire fighters get out.
    void engineInAndCrewOut(ScriptedPlayer& player) {
        ASSERT_TRUE(playUntil(
            player, [&] { return atRest(engine); }, 3000));
        clickFahrzeug(player, engine);
        command(player, kCmdStaffOut);
        waitForTheCrewOut(player);
    }

    // A fire fighter inside the fuse box's house sent to switch it over.
    void toTheFuseBox(ScriptedPlayer& player, std::int16_t who) {
        choosePerson(player, who);
        if (::testing::Test::HasFatalFailure()) return;
        ASSERT_TRUE(hoverObject(player, kFuseBox));
        EXPECT_EQ(CursorId, kCursorRescue);
        player.click(MouseX, MouseY);
        play(player, 1);
        ASSERT_NE(P(who).orders, nullptr);
    }
    // A fire fighter goes into the house and switches the fuse box off.
    void switchPowerOff(ScriptedPlayer& player, std::int16_t who) {
        inByTheDoor(player, who, kFuseBoxHouse);
        if (::testing::Test::HasFatalFailure()) return;
        toTheFuseBox(player, who);
        if (::testing::Test::HasFatalFailure()) return;
        ASSERT_TRUE(playUntil(
            player, [] { return SonderObjs[kFuseBox].frame == 1; }, 1000));
    }

    // A fire fighter walks to the gas house's valve and closes the leak.
    void closeTheLeak(ScriptedPlayer& player, std::int16_t who) {
        clickPerson(player, who);
        ASSERT_TRUE(hoverObject(player, kGasHouse));
        EXPECT_EQ(CursorId, kCursorRescue);
        player.click(MouseX, MouseY);
        play(player, 1);
        ASSERT_NE(P(who).orders, nullptr);
    }

    // The engine's cannon puts the burning caravan out.
    void putOutTheCaravan(ScriptedPlayer& player) {
        clickFahrzeug(player, engine);
        ASSERT_TRUE(hoverObject(player, kCaravan));
        EXPECT_EQ(CursorId, kCursorWater);
        player.click(MouseX, MouseY);
        play(player, 1);
        ASSERT_TRUE(playUntil(
            player, [] { return SonderObjs[kCaravan].burning == 0; }, 3000));
    }
    // A fire fighter sent to take a piece of rubble away.
    void toTheRubble(ScriptedPlayer& player, std::int16_t who, std::size_t slot) {
        selectPerson(player, who);
        ASSERT_TRUE(hoverObject(player, slot));
        EXPECT_EQ(CursorId, kCursorRescue);
        player.click(MouseX, MouseY);
        play(player, 1);
        ASSERT_NE(P(who).orders, nullptr);
    }
    static bool cleared(std::size_t slot) { return SonderObjs[slot].type < 0; }
    // A fire fighter takes a piece of rubble away.
    void clearRubble(ScriptedPlayer& player, std::int16_t who, std::size_t slot) {
        toTheRubble(player, who, slot);
        if (::testing::Test::HasFatalFailure()) return;
        ASSERT_TRUE(playUntil(
            player, [&] { return cleared(slot); }, 3000));
    }

    // ---- The win ----

    struct Spot {
        float x;
        float y;
    };
    // A casualty where it was laid, the ambulance bought for it and where that ambulance waits.
    struct Rescue {
        Spot lies;
        Spot park;
        std::int16_t casualty = -1;
        std::int16_t ambulance = -1;
        std::int16_t team = -1;
        std::int16_t medic = -1;  // rides along and treats the patient on the way
        int step = 0;             // 4: on its way home, 5: gone
        Spot seen{};              // where the ambulance stood when last looked at
        int still = 0;            // frames it has stood there with orders
    };
    // A vehicle to be sent on from the entry once it has come to rest there.
    struct Arrival {
        std::int16_t vehicle;
        Spot to;
    };
    static constexpr std::size_t kPlaceF102 = 0;  // at base 1
    static constexpr std::size_t kTroopBase = 1;
    static constexpr int kRescueHouse = 9;
    // A patient driven off weaker than 300000 dies on the way.
    static constexpr std::int32_t kFitForTheDrive = 320000;

    // The ambulances wait in two rows on the open ground beside the street's end, where they come
    // in; the crew van waits beyond them.
    static constexpr Spot kVanSpot = {2300, 1215};
    // The nine, in the order the ambulances are bought: those the gas and the cables leave weakest
    // first. Each ambulance brings a medic, who treats its patient aboard: a patient bleeds on
    // the drive out, which can take a thousand ticks and more behind the others.
    std::vector<Rescue> rescues = {
        {{1158, 1168}, {1820, 1215}}, {{1442, 1149}, {1940, 1215}}, {{1560, 1160}, {2060, 1215}},
        {{1445, 1260}, {2180, 1215}}, {{1389, 1354}, {1850, 1290}}, {{1661, 982}, {1970, 1290}},
        {{1550, 1242}, {2090, 1290}}, {{1339, 982}, {2210, 1290}},  {{1446, 1015}, {1820, 1215}},
    };
    std::vector<Arrival> arrivals;
    std::int16_t troopCarrier = -1;
    std::vector<std::int16_t> carriers;

    static std::int16_t CasualtyAt(Spot at) {
        for (std::int16_t i = 0; i < static_cast<std::int16_t>(Personen.size()); ++i)
            if (P(i).type != -1 && P(i).casualty != 0 && P(i).x == at.x && P(i).y == at.y) return i;
        return -1;
    }

    // Base 0: the engine with three fire fighters, then an ambulance for each casualty, each with
    // a medic; base 1: the crew van with two more fire fighters.
    void buyForTheRescue(ScriptedPlayer& player) {
        openStation(player);
        buy(player, kPlaceF104,
            {{kFireFighter, false}, {kFireFighter, false}, {kFireFighter, false}});
        player.key(VK_ESCAPE);
        play(player, 1);
        ASSERT_EQ(GameMode, 10u);
        openStation(player, kTroopBase);
        buy(player, kPlaceF102, {{kFireFighter, false}, {kFireFighter, false}});
        player.key(VK_ESCAPE);
        play(player, 1);
        ASSERT_EQ(GameMode, 10u);
        openStation(player);
        // Ten vehicles at most are on their way: the last ambulance is bought once the first has
        // gone home.
        for (std::size_t i = 0; i + 1 < rescues.size(); ++i) {
            buy(player, kPlaceF201, {{kStretcher, true}, {kPersonTypMedic, false}});
        }
        EXPECT_GE(Money, 4000) << "the money line stays whole";
        leaveStationForTheMission(player);
        fast(player);
        ASSERT_EQ(GameSpeed, 3);
        std::size_t next = 0;
        for (const Bought& b : BoughtVehicles()) {
            switch (F(b.vehicle).type) {
                case kTypF104:
                    engine = b.vehicle;
                    fireFighters = b.crew;
                    break;
                case kTypF102:
                    troopCarrier = b.vehicle;
                    carriers = b.crew;
                    break;
                case kTypF201:
                    ASSERT_LT(next, rescues.size());
                    rescues[next].ambulance = b.vehicle;
                    for (const std::int16_t p : b.crew) {
                        if (P(p).type == kStretcher) rescues[next].team = p;
                        if (P(p).type == kPersonTypMedic) rescues[next].medic = p;
                    }
                    arrivals.push_back({b.vehicle, rescues[next].park});
                    ++next;
                    break;
                default:
                    break;
            }
        }
        ASSERT_EQ(next + 1, rescues.size());
        ASSERT_EQ(fireFighters.size(), 3u);
        ASSERT_EQ(carriers.size(), 2u);
        for (std::size_t k = 0; k + 1 < rescues.size(); ++k) ASSERT_GE(rescues[k].medic, 0);
        arrivals.insert(arrivals.begin(), {troopCarrier, kVanSpot});
        for (Rescue& r : rescues) {
            r.casualty = CasualtyAt(r.lies);
            ASSERT_GE(r.casualty, 0) << r.lies.x << " " << r.lies.y;
        }
        fetches = {{carriers[0], rescues[7].casualty, kRescueHouse, {1380, 1210}},
                   {carriers[1], rescues[8].casualty, kRescueHouse, {1380, 1240}}};
    }

    // The last ambulance, bought at base 0 from the map while the mission runs.
    void buyTheLastAmbulance(ScriptedPlayer& player) {
        player.click(kMapButtonPlace.x + 20, kMapButtonPlace.y + 10);
        ASSERT_TRUE(playUntil(
            player, [] { return GameMode == 10u; }, 20));
        openStation(player);
        std::vector<std::int16_t> before;
        for (const Bought& b : BoughtVehicles()) before.push_back(b.vehicle);
        buy(player, kPlaceF201, {{kStretcher, true}, {kPersonTypMedic, false}});
        EXPECT_GE(Money, 4000) << "the money line stays whole";
        Rescue& r = rescues.back();
        for (const Bought& b : BoughtVehicles()) {
            if (std::find(before.begin(), before.end(), b.vehicle) != before.end()) continue;
            r.ambulance = b.vehicle;
            ASSERT_EQ(b.crew.size(), 2u);
            for (const std::int16_t p : b.crew) {
                if (P(p).type == kStretcher) r.team = p;
                if (P(p).type == kPersonTypMedic) r.medic = p;
            }
        }
        ASSERT_GE(r.medic, 0);
        ASSERT_GE(r.ambulance, 0);
        arrivals.push_back({r.ambulance, r.park});
        leaveStationForTheMission(player);
    }

    // Each vehicle that has come to rest at the entry is sent on, so that the next can drive in.
    void sendOnArrivals(ScriptedPlayer& player) {
        for (auto it = arrivals.begin(); it != arrivals.end(); ++it) {
            if (!atRest(it->vehicle)) continue;
            const Arrival a = *it;
            arrivals.erase(it);
            slowDown(player);
            deselect(player);
            driveTo(player, a.vehicle, a.to.x, a.to.y);
            return;
        }
    }
    // The crew van's fire fighters, one for each of the two on the first floor, carry them out
    // to the open ground south of the store, where they lie side by side.
    std::vector<CarryOut> fetches;

    static bool Lying(std::int16_t c) {
        return P(c).type != -1 && P(c).casualty != 0 && P(c).offMap == 0 && P(c).storey == 0;
    }
    static bool TreatedBy(std::int16_t c, std::int16_t m) {
        return P(c).link == 0x1000 + static_cast<std::uint16_t>(m);
    }
    static bool Parked(std::int16_t v, Spot at) {
        return atRest(v) && std::abs(F(v).x - at.x) < 120 && std::abs(F(v).y - at.y) < 120;
    }
    // The casualties under rubble 4 and 5.
    static bool Trapped(const Rescue& r) {
        return (r.lies.x == 1560 && r.lies.y == 1160 && !cleared(4)) ||
               (r.lies.x == 1445 && r.lies.y == 1260 && !cleared(5));
    }

    // One step of a stretcher team's rescue, when its time has come: the crew out of the parked
    // ambulance, the casualty loaded, the team aboard again, and the ambulance home.
    // An ambulance held up on its way for long is sent on again, as a player would nudge it.
    void nudge(ScriptedPlayer& player, Rescue& r) {
        if (r.step > 4) return;
        const Fahrzeug* v = UsedFahrzeugAt(r.ambulance);
        if (v == nullptr || v->orders == nullptr || v->x != r.seen.x || v->y != r.seen.y) {
            if (v != nullptr) r.seen = {v->x, v->y};
            r.still = 0;
            return;
        }
        if (++r.still < kHeldUp || v->x < 0 ||
            std::any_of(arrivals.begin(), arrivals.end(),
                        [&](const Arrival& a) { return a.vehicle == r.ambulance; }))
            return;
        r.still = 0;
        slowDown(player);
        deselect(player);
        if (r.step == 0)
            driveTo(player, r.ambulance, r.park.x, r.park.y);
        else if (r.step == 4)
            homeAgain(player, r);
    }
    static constexpr int kHeldUp = 150;

    void stepRescue(ScriptedPlayer& player, Rescue& r) {
        const std::int16_t team = r.team;
        switch (r.step) {
            case 0:
                if (!atRest(r.ambulance) || F(r.ambulance).x < 1500 ||
                    std::any_of(arrivals.begin(), arrivals.end(),
                                [&](const Arrival& a) { return a.vehicle == r.ambulance; }))
                    return;
                slowDown(player);
                selectFahrzeug(player, r.ambulance);
                command(player, kCmdStaffOut);
                r.step = 1;
                return;
            case 1:
                if (P(team).offMap != 0 || P(team).orders != nullptr) return;
                if (!Lying(r.casualty) || Trapped(r) ||
                    (r.medic < 0 && P(r.casualty).energy < kFitForTheDrive))
                    return;
                slowDown(player);
                selectPerson(player, team);
                clickPerson(player, r.casualty);
                r.step = 2;
                return;
            case 2:
                if (P(team).orders != nullptr) return;
                if (P(team).link != static_cast<std::uint16_t>(r.casualty)) {
                    r.step = 1;  // it did not get there: once more
                    return;
                }
                slowDown(player);
                selectPerson(player, team);
                clickFahrzeug(player, r.ambulance);
                r.step = 3;
                return;
            case 3:
                if (P(team).orders != nullptr) return;
                if (P(team).offMap == 0) {
                    r.step = 2;
                    return;
                }
                if (r.medic >= 0 && P(r.medic).offMap == 0) {
                    if (P(r.medic).orders != nullptr) return;
                    slowDown(player);
                    selectPerson(player, r.medic);
                    clickFahrzeug(player, r.ambulance);
                    return;
                }
                // Aboard, the medic treats the patient until it is fit for the drive.
                if (P(r.casualty).energy < kFitForTheDrive) return;
                // The street out is the one in: nobody leaves while anyone is still coming, and
                // one at a time, since they stop each other at the turn to the way out.
                if (!arrivals.empty() || troopStep == 0 || Arriving() || Leaving() ||
                    EarlierStays(r))
                    return;
                homeAgain(player, r);
                if (F(r.ambulance).orders != nullptr) r.step = 4;
                return;
            case 4:
                // Gone: its slot may be the next vehicle bought's.
                if (UsedFahrzeugAt(r.ambulance) == nullptr) {
                    r.step = 5;
                    return;
                }
                // Stopped on the way by another vehicle, it is sent home again.
                if (atRest(r.ambulance)) homeAgain(player, r);
                return;
            default:
                return;
        }
    }

    void homeAgain(ScriptedPlayer& player, const Rescue& r) {
        slowDown(player);
        selectFahrzeug(player, r.ambulance);
        command(player, kCmdBackToBase);
    }
    // The ambulances leave in the order they came: the back row's way out runs past the front
    // row, so it waits until the front row has gone.
    bool EarlierStays(const Rescue& r) const {
        return std::any_of(rescues.begin(), rescues.end(), [&](const Rescue& o) {
            return &o < &r && o.step < 4 && UsedFahrzeugAt(o.ambulance) != nullptr;
        });
    }
    // An ambulance on its way home.
    bool Leaving() const {
        return std::any_of(rescues.begin(), rescues.end(), [](const Rescue& r) {
            return r.step == 4 && UsedFahrzeugAt(r.ambulance) != nullptr;
        });
    }

    // Where each rescue stands, for a failure's message.
    std::string Describe() const {
        std::string out;
        char line[160];
        for (const Rescue& r : rescues) {
            const Fahrzeug* v = r.ambulance >= 0 ? UsedFahrzeugAt(r.ambulance) : nullptr;
            std::snprintf(line, sizeof line,
                          "\n casualty %d step %d energy %d; ambulance %d at %.0f %.0f order %d; "
                          "team at %.0f %.0f order %d",
                          r.casualty, r.step, P(r.casualty).energy, r.ambulance,
                          v ? static_cast<double>(v->x) : -1.0,
                          v ? static_cast<double>(v->y) : -1.0, v ? HeadBefehlOpcode(*v) : -2,
                          r.team >= 0 ? static_cast<double>(P(r.team).x) : -1.0,
                          r.team >= 0 ? static_cast<double>(P(r.team).y) : -1.0,
                          r.team >= 0 ? HeadBefehlOpcode(P(r.team)) : -2);
            out += line;
        }
        for (const CarryOut& f : fetches) {
            std::snprintf(line, sizeof line, "\n fetch of %d step %d", f.casualty, f.step);
            out += line;
        }
        return out;
    }

    // A vehicle bought that has not yet been sent on from the entry, or drives in still.
    bool Arriving() const {
        for (const Rescue& r : rescues)
            if (r.ambulance >= 0 && r.step == 0 && UsedFahrzeugAt(r.ambulance) != nullptr &&
                !atRest(r.ambulance))
                return true;
        return false;
    }

    bool Rescued() const {
        return std::all_of(rescues.begin(), rescues.end(),
                           [](const Rescue& r) { return r.step >= 4; });
    }

    // Everything a player sees to while the game runs, one action at a time, until done.
    bool work(ScriptedPlayer& player, const std::function<bool()>& done, int max) {
        return playUntil(
            player,
            [&] {
                if (GameMode != 2 || ::testing::Test::HasFatalFailure()) return true;
                sendOnArrivals(player);
                if (powerStep == 0 && inside(fireFighters[1], kFuseBoxHouse)) {
                    slowDown(player);
                    toTheFuseBox(player, fireFighters[1]);
                    powerStep = 1;
                }
                // The valve's fire fighter stands at the edge of the street: it steps off.
                if (valveStep == 0 && MissionScratch.S0 != 0 &&
                    P(fireFighters[0]).orders == nullptr) {
                    slowDown(player);
                    deselect(player);
                    walkTo(player, fireFighters[0], kOffTheStreet.x, kOffTheStreet.y);
                    valveStep = 1;
                }
                if (rubbleStep == 0 && cleared(4) && P(fireFighters[2]).orders == nullptr) {
                    slowDown(player);
                    toTheRubble(player, fireFighters[2], 5);
                    rubbleStep = 1;
                }
                if (troopStep == 0 && atRest(troopCarrier) && F(troopCarrier).x > 1500 &&
                    std::none_of(arrivals.begin(), arrivals.end(),
                                 [&](const Arrival& a) { return a.vehicle == troopCarrier; })) {
                    slowDown(player);
                    selectFahrzeug(player, troopCarrier);
                    command(player, kCmdStaffOut);
                    troopStep = 1;
                }
                // Nobody goes in while the cables there are live.
                if (troopStep == 1 && MissionScratch.S1 != 0)
                    for (CarryOut& f : fetches) stepCarryOut(player, f);
                if (rescues.back().ambulance < 0 &&
                    std::all_of(rescues.begin(), rescues.end() - 1,
                                [](const Rescue& r) { return r.step == 5; })) {
                    slowDown(player);
                    buyTheLastAmbulance(player);
                }
                for (Rescue& r : rescues) {
                    if (r.ambulance < 0) continue;
                    stepRescue(player, r);
                    nudge(player, r);
                }
                if (GameSpeed != 3) player.key('3');
                return done();
            },
            max);
    }
    int powerStep = 0;
    int valveStep = 0;
    static constexpr Spot kOffTheStreet = {2100, 1010};
    int rubbleStep = 0;
    int troopStep = 0;

    // From the briefing read into play: the purchase, then the engine's crew out at the entry,
    // one fire fighter to the fuse box's house, one to the valve, one to rubble 4, and the
    // engine's cannon on the caravan.
    void startTheRescue(ScriptedPlayer& player) {
        buyForTheRescue(player);
        if (::testing::Test::HasFatalFailure()) return;
        ASSERT_TRUE(playUntil(
            player, [&] { return atRest(engine); }, 3000));
        slowDown(player);
        selectFahrzeug(player, engine);
        command(player, kCmdStaffOut);
        waitForTheCrewOut(player);
        if (::testing::Test::HasFatalFailure()) return;
        toTheDoor(player, fireFighters[1], kFuseBoxHouse);
        if (::testing::Test::HasFatalFailure()) return;
        deselect(player);
        closeTheLeak(player, fireFighters[0]);
        if (::testing::Test::HasFatalFailure()) return;
        toTheRubble(player, fireFighters[2], 4);
        if (::testing::Test::HasFatalFailure()) return;
        deselect(player);
        clickFahrzeug(player, engine);
        ASSERT_TRUE(hoverObject(player, kCaravan));
        EXPECT_EQ(CursorId, kCursorWater);
        player.click(MouseX, MouseY);
        play(player, 1);
    }

    // The whole mission from the briefing read to its win: the engine's crew closes the leak,
    // switches the power off and clears the rubble over the trapped, its cannon puts the caravan
    // out, the crew van's fire fighters carry the two on the first floor out, and each ambulance
    // takes one casualty home, treated aboard by its medic until fit for the drive.
    void winMissionSeventeen(ScriptedPlayer& player) {
        startTheRescue(player);
        if (::testing::Test::HasFatalFailure()) return;
        ASSERT_TRUE(work(
            player, [&] { return Rescued() && SonderObjs[kCaravan].burning == 0; }, 20000))
            << "tick " << TickCounter;
        ASSERT_TRUE(playUntil(
            player, [] { return GameMode != 2; }, 600));
        ASSERT_EQ(GameMode, 5u) << Cp1252ToUtf8(MessageLine.data());
    }

    std::int16_t engine = -1;
    std::int16_t ambulance = -1;
    std::vector<std::int16_t> fireFighters;
};

}  // namespace kv::test
