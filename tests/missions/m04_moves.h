#pragma once
// Mission 4's moves by clicks and keys, for its own play-through tests and the campaign's: the
// mission jump to the prison riots, the video and the briefing, and the purchase at base 0 (police
// cars with officers for the arrests, a tanker with two fire fighters and a crane for the
// barricades), then into play at speed 3.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "core/campaign.h"
#include "core/fire_counts.h"
#include "core/game_mode.h"
#include "core/hover.h"
#include "core/message_line.h"
#include "core/mission_scratch.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/options.h"
#include "mission/panels/command_tables.h"
#include "missions/mission_checks.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "persons/person_link.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "platform/cp1252.h"
#include "screens/mission_jump.h"
#include "support/order_list.h"
#include "support/play_through.h"
#include "support/scripted_player.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "vehicles/fahrzeuge.h"

namespace kv::test {

class MissionFourMoves : public virtual PlayThroughSteps {
  protected:
    static constexpr std::int8_t kOfficer = 0;      // P01
    static constexpr std::int8_t kFireFighter = 1;  // P02
    static constexpr std::size_t kPlaceF301 = 0;
    static constexpr std::size_t kPlaceF104 = 1;
    static constexpr std::size_t kPlaceF110 = 3;
    static constexpr int kPoliceCars = 4;

    // In a running mission: EINSATZ over the options button and the box "24 Rassenunruhen!";
    // then the video ends, and the briefing is read on the map.
    void jumpToMissionFour(ScriptedPlayer& player) {
        jumpToMission(player, 24, "24 Rassenunruhen!", 4);
        if (::testing::Test::HasFatalFailure()) return;
        EXPECT_EQ(Money, 13000);
        videoAndBriefing(player);
    }

    // Base 0: four police cars with two officers each, a tanker with two fire fighters and a
    // crane; back to the map, and into play at speed 3.
    void buyAndEnterMissionFour(ScriptedPlayer& player) {
        openStation(player);
        for (int car = 0; car < kPoliceCars; ++car)
            buy(player, kPlaceF301, {{kOfficer, false}, {kOfficer, false}});
        buy(player, kPlaceF104, {{kFireFighter, false}, {kFireFighter, false}});
        buy(player, kPlaceF110, {});
        EXPECT_GT(Money, 0) << "within the mission's 13000";
        leaveStationForTheMission(player);
        fast(player);
        ASSERT_EQ(GameSpeed, 3);
        police.clear();
        for (const Bought& b : BoughtVehicles()) {
            const std::int16_t type = F(b.vehicle).type;
            if (type == kTypF301) police.push_back(b);
            if (type == kTypF104) tanker = b;
            if (type == kTypF110) crane = b.vehicle;
        }
        ASSERT_EQ(police.size(), static_cast<std::size_t>(kPoliceCars));
        ASSERT_EQ(tanker.crew.size(), 2u);
        ASSERT_GE(crane, 0);
    }

    // The stands east of the road south-east of the square, out of the square's throwers' reach,
    // in the order the vehicles come in: the police cars nearest the square, the tanker and the
    // crane farther south, out of the way the officers bring their rioters.
    struct Point {
        float x;
        float y;
    };
    static constexpr Point kStands[] = {{1640, 850}, {1560, 930},  {1480, 1010},
                                        {1720, 960}, {1480, 1250}, {1520, 1360}};

    std::vector<std::int16_t> boughtInOrder() const {
        std::vector<std::int16_t> all;
        for (const Bought& b : police) all.push_back(b.vehicle);
        all.push_back(tanker.vehicle);
        all.push_back(crane);
        return all;
    }

    // On the way from the entry: up the road to the gap between the blocks of flats south of
    // the square, where a hydrant stands beside the road, and on to the stand.
    static constexpr Point kWay[] = {{1000, 1660}, {1240, 1500}};

    // One after the other in the order they come in, each vehicle is sent on from point to
    // point as it comes to rest.
    void driveInMissionFour(ScriptedPlayer& player) {
        const std::vector<std::int16_t> all = boughtInOrder();
        for (std::size_t k = 0; k < all.size(); ++k) {
            const std::int16_t v = all[k];
            for (std::size_t leg = 0; leg <= std::size(kWay); ++leg) {
                const Point to = leg < std::size(kWay) ? kWay[leg] : kStands[k];
                ASSERT_TRUE(playUntil(
                    player, [&] { return atRest(v) || GameMode != 2; }, 3000))
                    << "vehicle " << v << " at " << F(v).x << " " << F(v).y;
                ASSERT_EQ(GameMode, 2u);
                deselect(player);
                driveTo(player, v, to.x, to.y);
                ASSERT_FALSE(::testing::Test::HasFailure());
            }
        }
        for (const std::int16_t v : all)
            ASSERT_TRUE(playUntil(
                player, [&] { return atRest(v) || GameMode != 2; }, 3000))
                << "vehicle " << v << " at " << F(v).x << " " << F(v).y;
    }

    // The officers of every police car get out.
    void officersOut(ScriptedPlayer& player) {
        for (const Bought& b : police) {
            deselect(player);
            clickFahrzeug(player, b.vehicle);
            command(player, kCmdStaffOut);
        }
        for (const Bought& b : police)
            for (const std::int16_t o : b.crew)
                ASSERT_TRUE(playUntil(
                    player, [&] { return P(o).offMap == 0 && P(o).orders == nullptr; }, 600))
                    << "officer " << o;
    }

    // The mouse over the person where a frame shows it; false where a house or another unit
    // hides it there.
    bool tryHoverPerson(ScriptedPlayer& player, std::int16_t i) {
        if (P(i).type == -1 || P(i).offMap != 0) return false;
        centreView(player, P(i).x, P(i).y);
        for (const int up : {0, 4, 8}) {
            for (const int aside : {0, -3, 3, -6, 6}) {
                const Person& p = P(i);
                const VffImage* image =
                    UnitFrameImage(PersonAnimSlot(p.type, p.direction, p.anim), p.frame);
                if (image == nullptr) return false;
                player.mouseWorld(static_cast<float>(p.drawX + image->width / 2 + aside),
                                  static_cast<float>(p.drawY + image->height / 2 - up));
                play(player, 2);
                if (HoverKind == kHoverPerson && HoverIds[0] == static_cast<std::uint16_t>(i))
                    return true;
            }
        }
        return false;
    }
    bool tryClickPerson(ScriptedPlayer& player, std::int16_t i) {
        if (!tryHoverPerson(player, i)) return false;
        player.click(MouseX, MouseY);
        play(player, 1);
        return true;
    }

    // The officer goes after the person and takes it along: a rioter after a struggle, the
    // ringleader straight away. False when either cannot be seen to be clicked, or the officer
    // has not got there in time.
    bool takeAlong(ScriptedPlayer& player, std::int16_t officer, std::int16_t who) {
        deselect(player);
        if (!tryClickPerson(player, officer) ||
            SelectedIndex != static_cast<std::uint16_t>(officer))
            return false;
        if (!tryClickPerson(player, who)) return false;
        return playUntil(
                   player,
                   [&] {
                       return DecodePersonLink(P(officer).link).kind == PersonLinkKind::Leads ||
                              GameMode != 2;
                   },
                   1500) &&
               GameMode == 2;
    }

    // The led person gets into the police car by a click on it with its officer chosen.
    // False when the person has not got in within the time.
    bool intoCar(ScriptedPlayer& player, std::int16_t officer, std::int16_t who, std::int16_t car) {
        // The officer stays chosen from the take-along; where a house hides him from view he is
        // not looked for again.
        if (SelectedIndex != static_cast<std::uint16_t>(officer)) {
            deselect(player);
            if (!tryClickPerson(player, officer)) return false;
        }
        clickFahrzeug(player, car);
        return playUntil(
            player, [&] { return P(who).offMap != 0 || P(who).type == -1 || GameMode != 2; }, 1500);
    }

    // The police car nearest the person that is still at its stand with a seat free; -1 none.
    std::int16_t carWithSeat(std::int16_t near, const std::vector<std::int16_t>& skip = {}) const {
        std::int16_t best = -1;
        float bestDistance = 0;
        for (const Bought& b : police) {
            const Fahrzeug& v = F(b.vehicle);
            if (v.type != kTypF301 || v.orders != nullptr || Full(b.vehicle) ||
                std::find(skip.begin(), skip.end(), b.vehicle) != skip.end())
                continue;
            const float d = std::hypot(v.x - P(near).x, v.y - P(near).y);
            if (best < 0 || d < bestDistance) {
                best = b.vehicle;
                bestDistance = d;
            }
        }
        return best;
    }
    static bool Full(std::int16_t car) {
        for (const std::uint16_t seat : F(car).seats)
            if (seat == kNoPerson) return false;
        return true;
    }
    void sendOff(ScriptedPlayer& player, std::int16_t car) {
        deselect(player);
        clickFahrzeug(player, car);
        command(player, kCmdBackToBase);
    }

    // Whoever of them can be seen is taken along by the nearest officer who gets there and put
    // into a police car, round after round until none is left; a full car drives off.
    void arrest(ScriptedPlayer& player, const std::vector<std::int16_t>& who) {
        std::vector<std::int16_t> officers;
        for (const Bought& b : police)
            officers.insert(officers.end(), b.crew.begin(), b.crew.end());
        std::vector<std::int16_t> left = who;
        for (int round = 0; round < 60 && !left.empty(); ++round) {
            for (const std::int16_t r : std::vector<std::int16_t>(left)) {
                if (!OnTheMap(r)) continue;
                ASSERT_GE(carWithSeat(r), 0) << "no seat left for " << r;
                std::vector<std::int16_t> byReach = officers;
                std::sort(byReach.begin(), byReach.end(), [&](std::int16_t a, std::int16_t b) {
                    return std::hypot(P(a).x - P(r).x, P(a).y - P(r).y) <
                           std::hypot(P(b).x - P(r).x, P(b).y - P(r).y);
                });
                for (std::size_t k = 0; k < 3 && k < byReach.size(); ++k) {
                    const std::int16_t o = byReach[k];
                    if (!takeAlong(player, o, r)) {
                        // Not seen, or not got through: stopped where he is.
                        if (SelectedIndex == static_cast<std::uint16_t>(o)) {
                            play(player, 1);
                            if (slotOf(kCmdStop) >= 0) clickSlot(player, slotOf(kCmdStop));
                        }
                        continue;
                    }
                    // The nearest car first; where the way to its door stays blocked, another.
                    std::vector<std::int16_t> tried;
                    bool in = false;
                    while (!in) {
                        const std::int16_t car = carWithSeat(r, tried);
                        ASSERT_GE(car, 0)
                            << r << " at " << P(r).x << " " << P(r).y << " got into no car";
                        tried.push_back(car);
                        in = intoCar(player, o, r, car);
                        if (in && Full(car)) sendOff(player, car);
                    }
                    left.erase(std::find(left.begin(), left.end(), r));
                    break;
                }
            }
            if (!left.empty()) play(player, 200);
            ASSERT_EQ(GameMode, 2u) << Cp1252ToUtf8(MessageLine.data());
        }
        ASSERT_TRUE(left.empty()) << left.size() << " left, the first " << left.front() << " at "
                                  << P(left.front()).x << " " << P(left.front()).y;
    }
    static bool OnTheMap(std::int16_t i) {
        const Person& p = P(i);
        return p.type != -1 && p.offMap == 0 && p.x > 0 && p.x < ViewRightEdgeX() && p.y > 0;
    }

    // The rioters by index: those on the square from the start, then the six coming in.
    static std::vector<std::int16_t> SquareRioters() {
        std::vector<std::int16_t> out;
        for (std::int16_t i = 0; i < static_cast<std::int16_t>(MissionScratch.S1); ++i)
            if (P(i).type != -1 && (P(i).controlFlags & kPersonRival) != 0) out.push_back(i);
        return out;
    }
    static std::vector<std::int16_t> IncomingRioters() {
        std::vector<std::int16_t> out;
        for (int k = 0; k < 6; ++k) out.push_back(static_cast<std::int16_t>(MissionScratch.S1 + k));
        return out;
    }

    // The crane first, at the barricade south of the square; then the ringleader, the square's
    // throwers and the six as they come in are arrested, and every car left drives off.
    void winMissionFour(ScriptedPlayer& player) {
        driveInMissionFour(player);
        ASSERT_FALSE(::testing::Test::HasFatalFailure());
        officersOut(player);
        ASSERT_FALSE(::testing::Test::HasFatalFailure());
        // The crane takes the barricade south of the square away, out of the police cars' way.
        deselect(player);
        clickFahrzeug(player, crane);
        const auto [bx, by] = ObjectMiddle(kCraneBarricade);
        clickWorldWith(player, bx, by, kCursorRescue);
        const std::vector<Order> craneOrders = Orders(F(crane));
        ASSERT_FALSE(craneOrders.empty());
        EXPECT_EQ(craneOrders.back()[0], kOpTakeUpObject);
        arrest(player, {static_cast<std::int16_t>(MissionScratch.S0)});
        ASSERT_FALSE(::testing::Test::HasFatalFailure());
        arrest(player, SquareRioters());
        ASSERT_FALSE(::testing::Test::HasFatalFailure());
        arrest(player, IncomingRioters());
        ASSERT_FALSE(::testing::Test::HasFatalFailure());
        // The officers step aside, out of the cars' way, before the cars still at their stands
        // drive off.
        int aside = 0;
        for (const Bought& b : police)
            for (const std::int16_t o : b.crew) {
                const float x = 1700.0f + 30.0f * static_cast<float>(aside % 4);
                const float y = 1150.0f + 30.0f * static_cast<float>(aside / 4);
                ++aside;
                deselect(player);
                if (!tryClickPerson(player, o)) continue;
                clickWorldAt(player, x, y);
            }
        play(player, 300);
        for (const Bought& b : police)
            if (F(b.vehicle).type == kTypF301 && F(b.vehicle).orders == nullptr &&
                !Empty(b.vehicle))
                sendOff(player, b.vehicle);
        // The mission is won once the last car with rioters has left the map.
        ASSERT_TRUE(playUntil(
            player, [] { return GameMode != 2; }, 6000))
            << "burning cells " << BurningCellCount << ", houses " << BurningHouseCount;
        ASSERT_EQ(GameMode, 5u) << Cp1252ToUtf8(MessageLine.data());
    }
    static bool Empty(std::int16_t car) {
        for (const std::uint16_t seat : F(car).seats)
            if (seat != kNoPerson) return false;
        return true;
    }
    static constexpr std::size_t kCraneBarricade = 7;

    std::vector<Bought> police;
    Bought tanker{-1, {}};
    std::int16_t crane = -1;
};

}  // namespace kv::test
