#pragma once
// Mission 5 played by clicks and keys from its video on, as a player plays it: the briefing, a
// tanker with two fire fighters, a ladder with a fire fighter for its basket and two ambulances,
// each with a stretcher team and one with a medic, bought at base 0; the tanker's cannon on the
// burning flat, the crowd led off the ladder's stand, the ladder at the house; each resident
// fetched from its flat, brought down in the basket, treated and driven off. A whole-campaign
// test calls the same moves (winMissionFive).

#include <gtest/gtest.h>

#include <algorithm>
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
#include "world/house_types.h"
#include "world/houses.h"
#include "world/level_map.h"

namespace kv::test {

class MissionFiveMoves : public virtual PlayThroughSteps {
  protected:
    static constexpr std::int8_t kFireFighter = 1;  // P02
    static constexpr std::int8_t kStretcher = 5;    // P06
    static constexpr std::size_t kPlaceF104 = 1;
    static constexpr std::size_t kPlaceF201 = 2;
    static constexpr std::size_t kPlaceF106 = 4;

    // From the mission's video to the mission running at speed 3 with the four vehicles bought
    // and on their way.
    void enterMissionFive(ScriptedPlayer& player) {
        videoAndBriefing(player);
        openStation(player);
        buy(player, kPlaceF104, {{kFireFighter, false}, {kFireFighter, false}});
        buy(player, kPlaceF106, {{kFireFighter, false}});
        buy(player, kPlaceF201, {{kStretcher, true}, {kPersonTypMedic, false}});
        buy(player, kPlaceF201, {{kStretcher, true}});
        leaveStationForTheMission(player);
        fast(player);
        ASSERT_EQ(GameSpeed, 3);
        const std::vector<Bought> bought = BoughtVehicles();
        ASSERT_EQ(bought.size(), 4u);
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
        secondAmbulance = bought[3].vehicle;
        ASSERT_EQ(bought[3].crew.size(), 1u);
        secondTeam = bought[3].crew[0];
    }

    // The four driven in: as each comes to rest at the entry it is sent on, so the next can come
    // in: the tanker onto the front street below the burning flat, the ladder by a click on the
    // house (it drives to the house's front corner and sets its ladder up), the ambulances along
    // the street out of the way.
    void driveInMissionFive(ScriptedPlayer& player) {
        bool tankerSent = false;
        bool ladderSent = false;
        bool ambulanceSent = false;
        bool secondSent = false;
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
                if (!secondSent && atRest(secondAmbulance)) {
                    driveTo(player, secondAmbulance, kSecondAmbulanceStand.x,
                            kSecondAmbulanceStand.y);
                    secondSent = true;
                }
                return tankerSent && ladderSent && ambulanceSent && secondSent;
            },
            3000))
            << Where(tanker) << Where(ladder) << Where(ambulance) << Where(secondAmbulance);
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

    // The whole mission from its video: bought, driven in, the flat quenched, the ladder set
    // up, both residents fetched by the basket, cared for and driven off, and won.
    void winMissionFive(ScriptedPlayer& player) {
        ASSERT_NO_FATAL_FAILURE(enterMissionFive(player));
        ASSERT_NO_FATAL_FAILURE(driveInMissionFive(player));
        ASSERT_NO_FATAL_FAILURE(quenchMissionFive(player));
        ASSERT_NO_FATAL_FAILURE(clearTheLadderStand(player));
        ASSERT_TRUE(playUntil(
            player, [&] { return F(ladder).anim == 3 && F(ladder).orders == nullptr; }, 3000))
            << Where(ladder);
        // The basket man gets out; the ladder stays set up.
        selectFahrzeug(player, ladder);
        command(player, kCmdStaffOut);
        ASSERT_TRUE(playUntil(
            player, [&] { return P(basketMan).offMap == 0 && P(basketMan).orders == nullptr; },
            300));
        const std::vector<std::int16_t> residents = Residents();
        ASSERT_EQ(residents.size(), 2u);
        ASSERT_NO_FATAL_FAILURE(fetchByBasket(player, residents[0]));
        EXPECT_TRUE(player.shot("play-m05-first-down"));
        ASSERT_NO_FATAL_FAILURE(careFor(player, residents[0], ambulance, team, false));
        ASSERT_NO_FATAL_FAILURE(fetchByBasket(player, residents[1]));
        ASSERT_NO_FATAL_FAILURE(careFor(player, residents[1], secondAmbulance, secondTeam, true));
        ASSERT_TRUE(playUntil(
            player, [] { return GameMode != 2; }, 3000));
        ASSERT_EQ(GameMode, 5u) << std::string(MessageLine.data());
    }

    // A resident fetched by the basket: the basket man goes in by the door and up the stairs to
    // the resident's storey, picks the resident up, and carries it into the basket, which the
    // ladder has sent to the resident's window; the basket comes down, and on the street the
    // resident is laid down.
    void fetchByBasket(ScriptedPlayer& player, std::int16_t resident) {
        const std::int8_t storey = P(resident).storey;
        const std::uint16_t house = P(resident).house;
        selectPerson(player, basketMan);
        if (P(basketMan).house != house) {
            clickHouse(player, house);
            ASSERT_TRUE(playUntil(
                player, [&] { return P(basketMan).storey == 1 && P(basketMan).orders == nullptr; },
                1500))
                << Who(basketMan);
        }
        upTheStairs(player, house, storey);
        ASSERT_TRUE(playUntil(
            player, [&] { return P(basketMan).storey == storey && P(basketMan).orders == nullptr; },
            1500))
            << Who(basketMan);
        clickPartlyHidden(player, resident);
        ASSERT_TRUE(playUntil(
            player, [&] { return P(basketMan).link == resident && P(basketMan).orders == nullptr; },
            1500))
            << Who(basketMan) << Who(resident);
        // The basket to the window.
        const Point window = WindowOf(resident);
        selectFahrzeug(player, ladder);
        clickWorldWith(player, window.x, window.y, kCursorRescue);
        ASSERT_TRUE(playUntil(
            player,
            [&] {
                return F(ladder).kanzel->position == storey - 2 &&
                       HeadBefehlOpcode(F(ladder)) == kOpFetchFromWindow;
            },
            1500))
            << Basket();
        // Into the basket, and down.
        deselect(player);
        clickPartlyHidden(player, basketMan);
        clickFahrzeug(player, ladder);
        ASSERT_TRUE(playUntil(
            player,
            [&] { return P(basketMan).basketVehicle == static_cast<std::uint16_t>(ladder); }, 1500))
            << Who(basketMan) << Basket();
        selectFahrzeug(player, ladder);
        command(player, kCmdBasketDown);
        ASSERT_TRUE(playUntil(
            player,
            [&] {
                return P(basketMan).basketVehicle == kNoVehicleLink &&
                       P(basketMan).orders == nullptr;
            },
            1500))
            << Who(basketMan) << Basket();
        // Carried clear of the vehicles, and laid down there.
        walkTo(player, basketMan, kLayDown.x, kLayDown.y);
        ASSERT_TRUE(playUntil(
            player, [&] { return P(basketMan).orders == nullptr; }, 600))
            << Who(basketMan);
        selectPerson(player, basketMan);
        command(player, kCmdPutDown);
        ASSERT_TRUE(playUntil(
            player, [&] { return P(resident).offMap == 0 && P(basketMan).orders == nullptr; }, 600))
            << Who(basketMan) << Who(resident);
        EXPECT_EQ(P(resident).storey, 0);
        // Out of the way of the medic and the stretcher team.
        walkTo(player, basketMan, kBasketManAside.x, kBasketManAside.y);
    }

    // A person behind a house's front wall shows only the top of its picture over it: the mouse
    // is moved over the picture, as it stands lifted to its storey, until it finds the person.
    void clickPartlyHidden(ScriptedPlayer& player, std::int16_t i) {
        const Person& p = P(i);
        const VffImage* image =
            UnitFrameImage(PersonAnimSlot(p.type, p.direction, p.anim), p.frame);
        ASSERT_NE(image, nullptr);
        const int lift = 31 * (p.storey - 1);
        centreView(player, p.x, p.y - static_cast<float>(lift));
        for (int y = p.drawY - lift; y < p.drawY - lift + image->height; y += 2)
            for (int x = p.drawX; x < p.drawX + image->width; x += 2) {
                player.mouseWorld(static_cast<float>(x), static_cast<float>(y));
                play(player, 1);
                if (HoverKind != kHoverPerson || HoverIds[0] != static_cast<std::uint16_t>(i))
                    continue;
                player.click(MouseX, MouseY);
                play(player, 1);
                return;
            }
        FAIL() << "person " << i << " nowhere under the mouse";
    }

    // The ambulance's crew out; the medic treats the resident, the stretcher team carries it
    // in, and the ambulance goes home once its patient is well enough for the drive; the medic
    // rides home in the last one.
    void careFor(ScriptedPlayer& player, std::int16_t resident, std::int16_t v,
                 std::int16_t stretcher, bool medicAboard) {
        selectFahrzeug(player, v);
        command(player, kCmdStaffOut);
        ASSERT_TRUE(playUntil(
            player, [&] { return P(stretcher).offMap == 0 && P(stretcher).orders == nullptr; },
            300))
            << Who(stretcher);
        if (P(medic).offMap != 0) {
            selectFahrzeug(player, ambulance);
            command(player, kCmdStaffOut);
            ASSERT_TRUE(playUntil(
                player, [&] { return P(medic).offMap == 0 && P(medic).orders == nullptr; }, 300))
                << Who(medic);
        }
        selectPerson(player, medic);
        clickPerson(player, resident);
        ASSERT_TRUE(playUntil(
            player, [&] { return P(resident).treated != 0; }, 1500))
            << Who(resident) << Who(medic);
        selectPerson(player, stretcher);
        clickPerson(player, resident);
        ASSERT_TRUE(playUntil(
            player, [&] { return P(stretcher).link == resident && P(stretcher).orders == nullptr; },
            1500))
            << Who(stretcher);
        selectPerson(player, stretcher);
        clickFahrzeug(player, v);
        ASSERT_TRUE(playUntil(
            player, [&] { return P(stretcher).offMap != 0; }, 1500))
            << Who(stretcher);
        if (medicAboard) {
            selectPerson(player, medic);
            clickFahrzeug(player, v);
            ASSERT_TRUE(playUntil(
                player, [&] { return P(medic).offMap != 0; }, 1500))
                << Who(medic);
        }
        bool gone = false;
        for (int tries = 0; tries < 200 && !gone && GameMode == 2; ++tries) {
            selectFahrzeug(player, v);
            command(player, kCmdBackToBase);
            gone = F(v).orders != nullptr;
            if (!gone) play(player, 20);
        }
        ASSERT_TRUE(gone || GameMode != 2);
    }

    // The mouse over the house's front until a person chosen outside is offered the way in.
    void clickHouse(ScriptedPlayer& player, std::uint16_t house) {
        const House& h = Houses[house];
        const HouseTyp& t = HouseTypOf(h);
        const int frontRow = h.y + t.extentJ;
        const int left = kCellWidth * h.x - 16 * frontRow;
        const int base = kCellHeight * frontRow;
        centreView(player, static_cast<float>(left + 80), static_cast<float>(base - 40));
        for (int up = 4; up < 28; up += 4)
            for (int across = 8; across < kCellWidth * t.extentI; across += 8) {
                player.mouseWorld(static_cast<float>(left + across), static_cast<float>(base - up));
                play(player, 1);
                if (HoverIds[3] != house || CursorId != kCursorRescue) continue;
                player.click(MouseX, MouseY);
                play(player, 1);
                return;
            }
        FAIL() << "house " << house << " not under the mouse";
    }

    // On the house's stair cell, the cursor that climbs to the storey, and the click.
    void upTheStairs(ScriptedPlayer& player, std::uint16_t house, int storey) {
        const House& h = Houses[house];
        const HouseTyp& t = HouseTypOf(h);
        const auto cursor = static_cast<std::uint16_t>(kCursorChangeStorey + storey - 1);
        const int stairX = kCellWidth * (h.x + t.entranceI) - 16 * (h.y + t.entranceJ) + 16;
        const int stairY = kCellHeight * (h.y + t.entranceJ) + 14;
        centreView(player, static_cast<float>(stairX), static_cast<float>(stairY));
        for (int dy = 20; dy > -40; dy -= 2)
            for (int dx = -24; dx <= 24; dx += 4) {
                player.mouseWorld(static_cast<float>(stairX + dx), static_cast<float>(stairY + dy));
                play(player, 1);
                if (HoverIds[3] != house || CursorId != cursor) continue;
                player.click(MouseX, MouseY);
                play(player, 1);
                return;
            }
        FAIL() << "no cursor " << cursor << " on the stairs of house " << house;
    }

    std::int16_t tanker = -1;
    std::int16_t crewA = -1;
    std::int16_t crewB = -1;
    std::int16_t ladder = -1;
    std::int16_t ambulance = -1;
    std::int16_t basketMan = -1;
    std::int16_t team = -1;
    std::int16_t medic = -1;
    std::int16_t secondAmbulance = -1;
    std::int16_t secondTeam = -1;

  protected:
    struct Point {
        float x;
        float y;
    };
    // The front street below house 6: the tanker's and the ambulances' stands, the basket man's
    // spot out of the way, where the residents are laid down; the middle of the house's front;
    // the burning flat's window.
    static constexpr Point kTankerStand = {640, 745};
    static constexpr Point kAmbulanceStand = {760, 720};
    static constexpr Point kSecondAmbulanceStand = {860, 720};
    static constexpr Point kBasketManAside = {720, 660};
    static constexpr Point kLayDown = {820, 672};
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
    static constexpr std::uint16_t kNoVehicleLink = 65535;
    // The ladder waits at the window with this order while its basket is empty.
    static constexpr int kOpFetchFromWindow = 63;
    // The middle of the resident's window in the house front: its facade column, its storey.
    static Point WindowOf(std::int16_t resident) {
        const Person& r = P(resident);
        const House& h = Houses[static_cast<std::size_t>(r.house)];
        const int frontRow = h.y + HouseTypOf(h).extentJ;
        const int baseX = kCellWidth * h.x - 16 * frontRow;
        const int column = (static_cast<int>(r.x) - baseX) / 32;
        return {static_cast<float>(baseX + 32 * column + 16),
                static_cast<float>(kCellHeight * frontRow - 31 * (r.storey - 1) - 15)};
    }
    // A person's and the basket's state, for the failure messages.
    static std::string Who(std::int16_t i) {
        const Person& p = P(i);
        return " [person " + std::to_string(i) + " type " + std::to_string(p.type) + " at " +
               std::to_string(p.x) + " " + std::to_string(p.y) + " storey " +
               std::to_string(p.storey) + " house " + std::to_string(p.house) + " height " +
               std::to_string(p.height) + " link " + std::to_string(p.link) + " basket " +
               std::to_string(p.basketVehicle) + " dir " + std::to_string(p.direction) + " anim " +
               std::to_string(p.anim) + " casualty " + std::to_string(p.casualty) + " order " +
               std::to_string(HeadBefehlOpcode(p)) + "]";
    }
    std::string Basket() const {
        const KanzelState& k = *F(ladder).kanzel;
        return " [ladder anim " + std::to_string(F(ladder).anim) + " order " +
               std::to_string(HeadBefehlOpcode(F(ladder))) + " basket column " +
               std::to_string(k.column) + " position " + std::to_string(k.position) + " persons " +
               std::to_string(k.persons) + " down " + std::to_string(k.down) + "]";
    }
    // The casualties in the houses, the lower storey first.
    static std::vector<std::int16_t> Residents() {
        std::vector<std::int16_t> out;
        for (std::int16_t i = 0; i < static_cast<std::int16_t>(Personen.size()); ++i)
            if (P(i).type >= 0 && P(i).casualty != 0 && P(i).storey > 0) out.push_back(i);
        std::sort(out.begin(), out.end(),
                  [](std::int16_t a, std::int16_t b) { return P(a).storey < P(b).storey; });
        return out;
    }
    static std::string Where(std::int16_t v) {
        return " [" + std::to_string(v) + " at " + std::to_string(F(v).x) + " " +
               std::to_string(F(v).y) + " anim " + std::to_string(F(v).anim) + " order " +
               std::to_string(F(v).orders != nullptr ? F(v).orders->opcode : -1) + "]";
    }
};

}  // namespace kv::test
