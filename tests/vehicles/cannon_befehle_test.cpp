// The water-cannon orders 53, 55 and 67 of a fire engine (F104) on mission 1's map: the elevation
// they choose, where they aim, when they hold back, and the end of 67 with its object.

#include "vehicles/cannon_befehle.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "core/view.h"
#include "movement/befehl_queue.h"
#include "vehicles/fahrzeug_befehle.h"
#include "vehicles/move_fixture.h"
#include "world/jet_common.h"
#include "world/level_map.h"
#include "world/sonder_obj.h"
#include "world/wasser_strahl_search.h"

namespace kv {
namespace {

TEST(CannonElevation, ChosenFromTheAngleAndLoweredUntil75Suffices) {
    struct Case {
        std::int32_t height, distance, aimY;
        CannonAim want;
    };
    const Case cases[] = {
        {40, 40, 100, {50, 40, 100}},   // 45 degrees
        {30, 100, 100, {25, 30, 100}},  // about 17 degrees
        {0, 100, 100, {25, 0, 100}},
        // atan(38 / 10) is above 75 degrees, atan(37 / 10) below.
        {100, 10, 100, {75, 37, 163}},
        // Straight above the nozzle: lowered to the ground, where the loop ends.
        {12, 0, 100, {75, 0, 112}},
        {0, 0, 100, {25, 0, 100}},
    };
    for (const Case& c : cases) {
        const CannonAim got = ChooseCannonElevation(c.height, c.distance, c.aimY);
        EXPECT_EQ(got.elevation, c.want.elevation) << c.height << " at " << c.distance;
        EXPECT_EQ(got.height, c.want.height) << c.height << " at " << c.distance;
        EXPECT_EQ(got.aimY, c.want.aimY) << c.height << " at " << c.distance;
    }
}

// A fire engine facing east in the open field north of the road; its cannon reaches 200 px.
class CannonOrders : public test::MoveTest {
  protected:
    void SetUp() override {
        MoveTest::SetUp();
        // The line test looks only at what the view shows.
        ViewOrigin = {300, 0};
        v = Make(kTypF104, 1, 600, 250, 3);
        ASSERT_GE(v, 0);
        ASSERT_NE(jet().splash, -1);
    }
    Fahrzeug& car() { return V(v); }
    WasserStrahl& jet() { return *V(v).wasserStrahl; }
    SonderObj& splash() { return SonderObjs[static_cast<std::size_t>(jet().splash)]; }
    int head() const { return HeadBefehlOpcode(V(v)); }
    void run() { ExecuteFahrzeugBefehl(v); }
    // Order 55's list for the cell (column, row), aimed at a storey.
    static GoalList HouseCell(float aimX, float aimY, std::uint8_t storey, float column,
                              float row) {
        return {GoalPoint{aimX, aimY, storey, 0}, GoalPoint{column, row, 0, 0}};
    }

    std::int16_t v = -1;
};

TEST_F(CannonOrders, MapPointInRangeAimsOnceAndStays) {
    // Row 9's base line is y 252: 4 px above it, 150 px east.
    AppendBefehl(car(), 53, 750, 248, 0, 9, 1);
    run();
    EXPECT_EQ(head(), 53) << "stays while the jet runs";
    EXPECT_NE(car().orders->flags & kBefehlStarted, 0);
    EXPECT_EQ(jet().active, 1);
    EXPECT_EQ(jet().targetX, 750);
    EXPECT_EQ(jet().targetY, 248);
    EXPECT_EQ(jet().height, 4);
    EXPECT_EQ(jet().elevation, 25);
    EXPECT_EQ(splash().visible, 1);

    // A second tick does not aim again.
    car().orders->setA(700);
    jet().targetX = 1;
    run();
    EXPECT_EQ(jet().targetX, 1);
    EXPECT_EQ(head(), 53);
}

TEST_F(CannonOrders, MapPointBeyondRangeStaysWithoutJet) {
    jet().autoAim = 1;
    jet().countdown = 30;
    splash().visible = 1;
    AppendBefehl(car(), 53, 850, 248, 0, 9, 1);  // 250 px away
    run();
    run();
    EXPECT_EQ(head(), 53);
    EXPECT_EQ(jet().active, 0);
    // The first tick readied the jet all the same.
    EXPECT_EQ(jet().autoAim, 0);
    EXPECT_EQ(jet().countdown, -1);
    EXPECT_EQ(splash().visible, 0);
}

TEST_F(CannonOrders, HouseInTheLineGivesAnArc) {
    // A house cell half way along the line from the nozzle to the target's ground point.
    const JetPoint nozzle = CannonNozzle(car(), jet(), *FahrzeugTypOf(car()).kanone);
    const CellPos house =
        CellFromPixel(static_cast<int>(nozzle.x + 760) / 2, static_cast<int>(nozzle.y + 252) / 2);
    MapCells[static_cast<std::size_t>(CellIndex(house.column, house.row))].tile = kHouseLinkBase;
    AppendBefehl(car(), 53, 760, 200, 0, 9, 1);
    run();
    EXPECT_EQ(jet().active, 1);
    EXPECT_EQ(jet().elevation, 25);
    // The water lands on the house, short of the point.
    EXPECT_LT(jet().targetX, 700);
    const CellPos landed = CellFromPixel(jet().targetX, jet().targetY + jet().height);
    EXPECT_EQ(landed.column, house.column);
    EXPECT_EQ(landed.row, house.row);
}

TEST_F(CannonOrders, HouseCellSpraysOnlyWhenNotBelowTheVehicle) {
    // Column 27, row 7 (x 752, base 224) lies above the vehicle, about 150 px away; row 10 (base
    // 308) below it.
    SetBefehl(car(), FahrzeugTypOf(car()), 55, -1, HouseCell(740, 178, 1, 27, 7), 0, 0, 0);
    run();
    EXPECT_EQ(jet().active, 1);
    EXPECT_EQ(jet().targetX, 740);
    EXPECT_EQ(jet().targetY, 178);
    EXPECT_EQ(jet().floor, 1);
    EXPECT_EQ(jet().height, 46) << "one storey and a half up";
    EXPECT_EQ(jet().elevation, 25);
    EXPECT_EQ(head(), 55);
    // The list stays with the order until it ends.
    run();
    ASSERT_EQ(car().orders->goals.size(), 2u);
    EXPECT_EQ(car().orders->goals[1].y, 7.0f);

    StopWasserStrahl(v, 1);
    SetBefehl(car(), FahrzeugTypOf(car()), 55, -1, HouseCell(740, 262, 1, 27, 10), 0, 0, 0);
    run();
    EXPECT_EQ(jet().active, 0);
    EXPECT_EQ(head(), 55);
    ClearBefehle(car());
}

TEST_F(CannonOrders, ObjectGoneStopsTheJetAndEndsTheOrder) {
    const std::int16_t slot = FindFreeSonderObj();
    CreateSonderObj(slot, kSobjHolzstapel, 700, 240, 0, 15, 0, 0.0f, 0);
    AppendBefehl(car(), 67, 708, 247, slot, 0, 1);
    run();
    EXPECT_EQ(jet().active, 1);
    EXPECT_EQ(jet().targetX, 708);
    EXPECT_EQ(jet().height, 0);
    run();
    EXPECT_EQ(head(), 67);

    FreeSonderObjSlot(slot);
    run();
    // Stopped with force: a head order 67 would otherwise keep the jet for its run-on.
    EXPECT_EQ(jet().active, 0);
    EXPECT_EQ(jet().countdown, -1);
    EXPECT_EQ(head(), -1);
}

TEST_F(CannonOrders, TargetsThatCannotBeReadAreOutOfRange) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        const char* what;
        int opcode;
        std::int32_t row;  // 53
        GoalList goals;    // 55
    };
    const std::vector<Case> cases = {
        {"row above the map", 53, -1, {}},
        {"row below the map", 53, MapHeight, {}},
        {"column not a number", 55, 0, HouseCell(610, 170, 1, nan, 7)},
        {"row infinite", 55, 0, HouseCell(610, 170, 1, 24, inf)},
        {"column beyond the map", 55, 0, HouseCell(610, 170, 1, MapWidth, 7)},
    };
    for (const Case& c : cases) {
        StopWasserStrahl(v, 1);
        if (c.opcode == 53)
            SetBefehl(car(), FahrzeugTypOf(car()), 53, -1, 600, 240, 0, c.row, 0);
        else
            SetBefehl(car(), FahrzeugTypOf(car()), 55, -1, c.goals, 0, 0, 0);
        run();
        EXPECT_EQ(jet().active, 0) << c.what;
        EXPECT_EQ(head(), c.opcode) << c.what;
    }
}

TEST_F(CannonOrders, HouseCellWithoutItsTwoGoalsLeavesTheRunningJetAlone) {
    SetBefehl(car(), FahrzeugTypOf(car()), 55, -1, GoalList{GoalPoint{610, 170, 1, 0}}, 0, 0, 0);
    StartWasserStrahl(v, 640, 240, 0, 0);
    jet().countdown = 12;
    run();
    EXPECT_NE(car().orders->flags & kBefehlStarted, 0);
    EXPECT_EQ(jet().active, 1);
    EXPECT_EQ(jet().targetX, 640);
    EXPECT_EQ(jet().countdown, 12);
    EXPECT_EQ(splash().visible, 1);
}

TEST_F(CannonOrders, VehicleWithoutCannonOrJetObjectFindsNothingInRange) {
    // A car without a cannon.
    const std::int16_t car2 = Make(kTypF102, 1, 600, 400, 3);
    AppendBefehl(V(car2), 53, 650, 390, 0, 14, 1);
    ExecuteFahrzeugBefehl(car2);
    EXPECT_EQ(HeadBefehlOpcode(V(car2)), 53);
    EXPECT_NE(V(car2).orders->flags & kBefehlStarted, 0);

    // A fire engine set up while no object slot was free has no jet object; nothing is written
    // through it.
    std::vector<std::uint8_t> visible;
    for (const SonderObj& o : SonderObjs) visible.push_back(o.visible);
    jet().splash = -1;
    AppendBefehl(car(), 53, 750, 248, 0, 9, 1);
    run();
    EXPECT_EQ(jet().active, 1);
    for (std::size_t i = 0; i < SonderObjs.size(); ++i)
        EXPECT_EQ(SonderObjs[i].visible, visible[i]) << i;
}

}  // namespace
}  // namespace kv
