// The missions' own person actions: a tree felled (176), a vehicle's door held (184), a mission's
// flags (190), stepping out (191), lighting and working at a house (194, 195) and the rescue
// poses (209, 210).

#include "persons/mission_actions.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/mission_scratch.h"
#include "core/mission_state.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "persons/mission_actions_fixture.h"
#include "persons/personen.h"
#include "vehicles/fahrzeug_points.h"
#include "vehicles/fahrzeug_update.h"
#include "vehicles/fahrzeuge.h"
#include "world/brand_cells.h"
#include "world/level_map.h"
#include "world/sonder_obj.h"

namespace kv {
namespace {

using test::kFelledTerrain;
using test::kTreeTerrain;

constexpr int kChainsaw = 13;
constexpr int kWorker = 8;  // animation 2: 6 frames of 3 ticks in every direction
constexpr int kCycleTicks = 18;
constexpr int kCushionTeam = 6;
constexpr int kRopeTeam = 15;
constexpr int kTorchTeam = 1;  // animation 6: 11 frames of 2 ticks
constexpr int kTrafficCar = 27;
constexpr int kOpWait = 7;
// The tree: cell (40, 30), whose pixel origin is (800, 840).
constexpr int kColumn = 40;
constexpr int kRow = 30;

class MissionActions : public test::MissionActionsTest {
  protected:
    void SetUp() override {
        test::MissionActionsTest::SetUp();
        cell().terrain = kTreeTerrain;
    }
    static MapCell& cell() { return MapCells[static_cast<std::size_t>(CellIndex(kColumn, kRow))]; }
    static BrandState& fire() {
        return BrandStates[static_cast<std::size_t>(CellIndex(kColumn, kRow))];
    }
    Person& P(std::int16_t i) { return person(i); }
    static std::vector<const SonderObj*> piles() {
        std::vector<const SonderObj*> out;
        for (const SonderObj& o : SonderObjs)
            if (o.type == kSobjHolzstapel) out.push_back(&o);
        return out;
    }
};

TEST_F(MissionActions, TheSawStartsOnlyOnTheSpotOfItsFacing) {
    struct Case {
        int facing;
        int x;
        int y;
        bool starts;
    };
    const Case cases[] = {
        {1, 800, 874, true},  {3, 782, 854, true},  {7, 816, 834, true},  {9, 835, 854, true},
        {1, 800, 875, false}, {3, 783, 854, false}, {0, 800, 874, false}, {9, 800, 874, false},
    };
    for (const Case& c : cases) {
        const std::int16_t s = stand(kChainsaw, c.x, c.y, c.facing);
        order(s, 176, kColumn, kRow, 0);
        run(1);
        EXPECT_EQ(head(s), c.starts ? 176 : -1) << c.facing << " " << c.x << "," << c.y;
        EXPECT_EQ(P(s).anim, c.starts ? 2 : 0);
        DeletePerson(s);
    }
    // A cell off the map is no tree.
    const std::int16_t s = stand(kChainsaw, 800, 874, 1);
    order(s, 176, 60, kRow, 0);
    run(1);
    EXPECT_EQ(head(s), -1);
}

TEST_F(MissionActions, AfterFourHundredTicksTheTreeFalls) {
    const std::int16_t s = stand(kChainsaw, 800, 874, 1);
    order(s, 176, kColumn, kRow, 0);
    run(399);
    EXPECT_EQ(head(s), 176);
    EXPECT_EQ(P(s).orders->cInt(), 399);
    EXPECT_EQ(P(s).sound, 70) << "the saw runs on in a loop";
    EXPECT_TRUE(piles().empty());
    EXPECT_EQ(cell().terrain, kTreeTerrain);
    run(1);
    EXPECT_EQ(head(s), -1);
    EXPECT_EQ(P(s).anim, 0);
    EXPECT_EQ(P(s).sound, -1);
    EXPECT_EQ(cell().terrain, kFelledTerrain);
    ASSERT_EQ(piles().size(), 1u);
    const SonderObj& pile = *piles()[0];
    EXPECT_EQ(pile.x, 800.0f);
    EXPECT_EQ(pile.y, 845.0f);
    EXPECT_EQ(pile.blockMask, 15);
    EXPECT_EQ(pile.visible, 0);
    EXPECT_EQ(pile.user, -1);
    ASSERT_NE(pile.commands, nullptr);
    EXPECT_EQ(pile.commands->kind, kCmdCellChange);
    EXPECT_EQ(pile.commands->a, kColumn);
    EXPECT_EQ(pile.commands->b, kRow);
    // The cell shows burnt a while later, and the pile with it.
    run(60);
    EXPECT_EQ(pile.commands, nullptr);
    EXPECT_EQ(pile.visible, 1);
    EXPECT_EQ(CellAnims[static_cast<std::size_t>(CellIndex(kColumn, kRow))].kind, 4);
}

TEST_F(MissionActions, ABurningTreeEndsTheSawingAndAFullArrayKeepsItRunning) {
    const std::int16_t s = stand(kChainsaw, 800, 874, 1);
    order(s, 176, kColumn, kRow, 0);
    AppendBefehl(P(s), kOpWait, 5, 0, 0, 0, 0);
    run(10);
    fire().burning = 1;
    run(1);
    EXPECT_EQ(head(s), kOpWait);
    EXPECT_TRUE(piles().empty());
    EXPECT_EQ(cell().terrain, kTreeTerrain);
    fire().burning = 0;

    // No slot free at the end: the counter waits at 400 and a slot is looked for every tick.
    while (FindFreeSonderObj() >= 0) object(test::kSmallTyp, 10, 10);
    order(s, 176, kColumn, kRow, 0);
    run(450);
    EXPECT_EQ(head(s), 176);
    EXPECT_EQ(P(s).orders->cInt(), 400);
    EXPECT_EQ(P(s).anim, 2);
    FreeSonderObjSlot(FixedSonderObjCount + 7);
    run(1);
    EXPECT_EQ(head(s), -1);
    ASSERT_EQ(piles().size(), 1u);
    EXPECT_EQ(piles()[0], &SonderObjs[static_cast<std::size_t>(FixedSonderObjCount + 7)]);
}

TEST_F(MissionActions, TheDoorIsHeldOpenForTheWaitingPersonAndATrafficCarDrivesOnAfter) {
    MissionNummer = 3;
    MarkedPersonM03 = 65535;
    const std::int16_t car = vehicle(kTrafficCar, 700, 950);
    Fahrzeug& v = Fahrzeuge[static_cast<std::size_t>(car)];
    SetBefehl(v, FahrzeugTypOf(v), kOpTraffic, -1, 1100, 950, 1000, 960, 0);
    AppendBefehl(v, kOpLeave, 0, 0, 0, 0, 0);
    const Befehl drive = *v.orders;
    const std::int16_t p = stand(0, 600, 900, 0);
    const FahrzeugPunkt door = GetFahrzeugDoorPoint(car, p);
    P(p).x = door.x;
    P(p).y = door.y;

    // Anywhere but the door point, or at a vehicle that is not there, nothing happens.
    for (const auto& [vehicleIndex, dx] : {std::pair{car, 1}, std::pair{std::int16_t{3}, 0}}) {
        order(p, 184, vehicleIndex, door.x + dx, door.y);
        run(1);
        EXPECT_EQ(head(p), -1);
    }
    EXPECT_EQ(HeadBefehlOpcode(v), kOpTraffic);

    order(p, 184, car, door.x, door.y);
    run(1);
    EXPECT_EQ(head(p), 184);
    std::vector<int> ops;
    for (const Befehl* b = v.orders; b != nullptr; b = b->next) ops.push_back(b->opcode);
    EXPECT_EQ(ops, (std::vector<int>{41, kOpTraffic, kOpLeave}));
    EXPECT_EQ(v.orders->aInt(), 8);
    const Befehl& again = *v.orders->next;
    EXPECT_EQ(again.a, drive.a);
    EXPECT_EQ(again.b, drive.b);
    EXPECT_EQ(again.c, drive.c);
    EXPECT_EQ(again.d, drive.d);
    EXPECT_EQ(again.next->e, 1u);
    UpdateFahrzeuge();
    EXPECT_EQ(v.anim, 2);
    run(1);
    EXPECT_EQ(head(p), -1);
    EXPECT_EQ(MarkedPersonM03, p);

    // In another mission the word stays as it is.
    MissionNummer = 1;
    MarkedPersonM03 = 65535;
    order(p, 184, car, door.x, door.y);
    run(1);
    EXPECT_EQ(head(p), -1);
    EXPECT_EQ(MarkedPersonM03, 65535);
}

TEST_F(MissionActions, AGateFlagIsSetOnceNearItsPoint) {
    MissionNummer = 10;
    const std::int16_t p = stand(0, 600, 900, 4);
    order(p, 190, 605, 895, 1);
    run(1);
    EXPECT_EQ(head(p), -1);
    EXPECT_EQ(GateOpening1, 0);
    EXPECT_EQ(GateOpening2, 1);
    EXPECT_EQ(GateOpening3, 0);
    // Set already: the queue goes.
    order(p, 190, 600, 900, 1);
    AppendBefehl(P(p), kOpWait, 5, 0, 0, 0, 0);
    run(1);
    EXPECT_EQ(head(p), -1);
    // Too far, a flag the mission does not have, or a mission without flags.
    order(p, 190, 606, 900, 2);
    run(1);
    EXPECT_EQ(GateOpening3, 0);
    order(p, 190, 600, 900, 3);
    AppendBefehl(P(p), kOpWait, 5, 0, 0, 0, 0);
    run(1);
    EXPECT_EQ(head(p), -1);
    MissionNummer = 1;
    order(p, 190, 600, 900, 0);
    AppendBefehl(P(p), kOpWait, 5, 0, 0, 0, 0);
    run(1);
    EXPECT_EQ(head(p), -1);
    EXPECT_EQ(GateOpening1, 0);
}

TEST_F(MissionActions, StepOutRunsAnimationTwoOnceFacingNine) {
    const std::int16_t p = stand(kCushionTeam, 600, 900, 3);
    order(p, 191, 0);
    run(1);
    EXPECT_EQ(P(p).direction, 9);
    EXPECT_EQ(P(p).anim, 2);
    // 26 frames of 2 ticks: the last shows 50 ticks later.
    run(49);
    EXPECT_EQ(head(p), 191);
    run(1);
    EXPECT_EQ(head(p), -1);
    EXPECT_EQ(P(p).anim, 0);
}

TEST_F(MissionActions, WorkAtAHouseMarksItEvacuated) {
    House& h = house(test::kFrontDoorHouse);
    const std::int16_t p = stand(kWorker, 600, 900, 1);
    order(p, 195, 600, 901, test::kFrontDoorHouse, 2);
    run(1);
    EXPECT_EQ(head(p), -1) << "not on the point";
    P(p).direction = 0;
    order(p, 195, 600, 900, test::kFrontDoorHouse, 2);
    run(1);
    EXPECT_EQ(head(p), -1) << "not facing 1";
    P(p).direction = 1;
    order(p, 195, 600, 900, 99, 2);
    run(1);
    EXPECT_EQ(head(p), -1) << "no such house";

    order(p, 195, 600, 900, test::kFrontDoorHouse, 2);
    run(1 + 2 * kCycleTicks - 1);
    EXPECT_EQ(head(p), 195);
    EXPECT_EQ(P(p).sound, 72);
    EXPECT_EQ(h.evacuated, 0);
    run(1);
    EXPECT_EQ(head(p), -1);
    EXPECT_EQ(h.evacuated, 1);
    EXPECT_EQ(P(p).sound, -1);
    // Once marked, nobody works at it again.
    order(p, 195, 600, 900, test::kFrontDoorHouse, 2);
    run(1);
    EXPECT_EQ(head(p), -1);
    EXPECT_EQ(P(p).anim, 0);
}

TEST_F(MissionActions, TheArsonistLightsTheIgnitionCellAndGoesRoundTheTargets) {
    MissionNummer = 25;
    const House& h = house(test::kFrontDoorHouse);
    const HouseTyp& t = HouseTypOf(h);
    const int i = t.extentI - 1;
    const int j = t.extentJ - 2;
    const BrandState& cellFire =
        h.floors[0].brand[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)];
    ASSERT_NE(t.cell(0, i, j).lowerImage, 0);
    ASSERT_EQ(cellFire.burning, 0);
    ArsonNextTarget = 1;
    ArsonFireSet = 0;
    const std::int16_t p = stand(0, 600, 900, 0);
    order(p, 194, test::kFrontDoorHouse, 3);
    run(1);
    EXPECT_EQ(head(p), -1);
    EXPECT_EQ(cellFire.burning, 1);
    EXPECT_EQ(ArsonNextTarget, 2);
    EXPECT_EQ(ArsonFireSet, 1);
    // The counter wraps when it reaches the number of targets.
    order(p, 194, test::kRearDoorHouse, 3);
    run(1);
    EXPECT_EQ(ArsonNextTarget, 0);
    EXPECT_EQ(house(test::kRearDoorHouse).burning, 1);
    // A house without building on that cell does not burn; the circuit goes on.
    const House& left = house(test::kLeftDoorHouse);
    HouseTyp& leftTyp = HouseTypen[static_cast<std::size_t>(left.type)];
    leftTyp.cell(0, leftTyp.extentI - 1, leftTyp.extentJ - 2).lowerImage = 0;
    order(p, 194, test::kLeftDoorHouse, 3);
    run(1);
    EXPECT_EQ(left.burning, 0);
    EXPECT_EQ(ArsonNextTarget, 1);
}

TEST_F(MissionActions, TheTorchPoseShowsTheHiddenPersonAtItsSixthFrame) {
    const std::int16_t hidden = stand(0, 700, 900, 0);
    const std::int16_t other = stand(0, 750, 900, 0);
    for (const std::int32_t named : {std::int32_t{-1}, std::int32_t{65535}, std::int32_t{hidden}}) {
        P(hidden).present = 0;
        P(other).present = 0;
        const std::int16_t p = stand(kTorchTeam, 600, 900, 4);
        order(p, 209, 600, 900, named);
        run(1);
        EXPECT_EQ(P(p).direction, 1);
        EXPECT_EQ(P(p).anim, 6);
        // 11 frames of 2 ticks: frame 6 after 12 ticks, the start again after 22.
        run(11);
        EXPECT_EQ(P(hidden).present, 0);
        run(1);
        EXPECT_EQ(P(hidden).present, named == hidden ? 1 : 0) << named;
        EXPECT_EQ(P(other).present, 0);
        run(9);
        EXPECT_EQ(head(p), 209);
        run(1);
        EXPECT_EQ(head(p), -1);
        EXPECT_EQ(P(p).anim, 0);
        DeletePerson(p);
    }
}

TEST_F(MissionActions, TheRopePosePullsTheStuckPersonFreeAndEndsAsAFireFighter) {
    for (const std::int32_t named : {std::int32_t{-1}, std::int32_t{65535}, std::int32_t{-2}}) {
        const std::int16_t stuck = stand(0, 600, 900, 0);
        const std::int16_t p = stand(kRopeTeam, 600, 900, 4);
        order(p, 210, 600, 900, named == -2 ? stuck : named);
        run(1);
        EXPECT_EQ(P(p).anim, 2);
        // 13 frames of 2 ticks: the last after 24 ticks, the start again after 26.
        run(23);
        EXPECT_EQ(P(stuck).x, 600.0f);
        EXPECT_EQ(P(stuck).y, 900.0f);
        run(1);
        const bool pushed = P(stuck).x != 600.0f || P(stuck).y != 900.0f;
        EXPECT_EQ(pushed, named == -2) << named;
        EXPECT_LE(P(stuck).x, 600.0f) << "never to the right";
        EXPECT_EQ(P(p).type, kRopeTeam);
        run(2);
        EXPECT_EQ(head(p), -1);
        EXPECT_EQ(P(p).type, 1);
        EXPECT_EQ(P(p).anim, 0);
        DeletePerson(p);
        DeletePerson(stuck);
    }
}

}  // namespace
}  // namespace kv
