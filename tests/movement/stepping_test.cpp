// Directions, step length, stepping and the step ring.

#include "movement/stepping.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/mission_state.h"
#include "core/unit_views.h"
#include "generate/world_tables.h"
#include "movement/befehl.h"
#include "movement/unit_fixture.h"
#include "world/geometry.h"
#include "world/level_map.h"

namespace kv {
namespace {

namespace terrain = sampledata::terrain;
namespace move_class = sampledata::move_class;

using test::TestUnitTyp;

class Stepping : public test::UnitTest {
  protected:
    static std::uint8_t terrainAt(int x, int y) {
        const CellPos c = CellFromPixel(x, y);
        return MapCells[static_cast<std::size_t>(CellIndex(c.column, c.row))].terrain;
    }
    // A move order to (x, y) at the head of the unit's queue.
    static Befehl MoveOrder(float x, float y, std::uint8_t flags = 0) {
        Befehl b;
        b.opcode = 0;
        b.setA(x);
        b.setB(y);
        b.flags = flags;
        return b;
    }
    static int Pending(const UnitHead& u) { return SubWrapByte(u.stepWrite, u.stepRead, 24); }
    // A unit off the ground (the terrain does not count) at (x, y) with its ring emptied and the
    // order at the head of its queue.
    static void Start(UnitHead& u, float x, float y, std::int8_t direction, float speed,
                      Befehl& order) {
        u.storey = 1;
        u.x = x;
        u.y = y;
        u.direction = direction;
        u.speed = speed;
        u.orders = &order;
        ResetMoveTarget(u);
    }
};

TEST_F(Stepping, GetDirection12AndTurnedTravel) {
    struct Case {
        float dx, dy;
        int direction;
    };
    const Case cases[] = {
        {0, 0, 0},  {7, -4.1f, 1}, {7, -3.9f, 2}, {2, -7, 1}, {3, -4, 2}, {5, -7, 2},
        {7, -7, 1}, {0, 5, 6},     {5, 0, 3},     {-5, 0, 9}, {6, 10, 4}, {-12, 10, 7},
    };
    UnitHead& u = vehicles[0];
    for (const Case& c : cases) {
        u.moverFlags = 0;
        EXPECT_EQ(GetDirection12(u, 10, 10, 10 + c.dx, 10 + c.dy), c.direction)
            << c.dx << "," << c.dy;
        u.moverFlags = kMoverTurned;
        EXPECT_EQ(GetDirection12(u, 10, 10, 10 + c.dx, 10 + c.dy), (c.direction + 6) % 12)
            << c.dx << "," << c.dy << " turned";
    }
}

TEST_F(Stepping, StepMoverSnapsOntoTheTarget) {
    // Off the ground the terrain does not count: a player vehicle steps its full speed of 11.
    TestUnitTyp typ(kPlayerVehicleUnitClass, 11, 0);
    UnitHead& u = vehicles[0];
    u.storey = 1;
    u.speed = 11;
    struct Case {
        std::int8_t direction;
        std::uint8_t moverFlags;
        float targetX, targetY;
        float x, y;
        const char* what;
    };
    const Case cases[] = {
        {3, 0, 105, 60, 105, 60, "an axis step that reaches x takes y as well"},
        {3, 0, 200, 60, 111, 50, "short of the target"},
        {3, 0, 90, 40, 90, 40, "a target behind is taken at once"},
        {0, 0, 100, 45, 100, 45, "up"},
        {4, 0, 105, 60, 105, 54, "diagonal: only x reached"},
        {4, 0, 120, 52, 107, 52, "diagonal: only y reached"},
        {4, 0, 106, 53, 106, 53, "diagonal: both"},
        {9, kMoverTurned, 200, 50, 111, 50, "turned travel goes the other way"},
        {10, 0, 0, 0, 93, 46, "diagonal thirds of the length"},
    };
    for (const Case& c : cases) {
        u.moverFlags = c.moverFlags;
        float x = 100;
        float y = 50;
        EXPECT_EQ(StepMover(u, typ.head, x, y, c.direction, 0, c.targetX, c.targetY, 1), 1);
        EXPECT_NEAR(x, c.x, 1e-4) << c.what;
        EXPECT_NEAR(y, c.y, 1e-4) << c.what;
    }

    float x = 100;
    float y = 50;
    EXPECT_EQ(StepMover(u, typ.head, x, y, 12, 0, 0, 0, 1), 1) << "no such direction";
    EXPECT_EQ(StepMover(u, typ.head, x, y, -1, 0, 0, 0, 1), 1);
    EXPECT_EQ(StepMoverFree(u, typ.head, x, y, 200, 0, 1), 1);
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 50);
    EXPECT_EQ(StepMoverFree(u, typ.head, x, y, 5, 0, 1), 1);
    EXPECT_NEAR(x, 104, 1e-4);
    EXPECT_NEAR(y, 57, 1e-4);

    u.speed = 0;
    x = 100;
    EXPECT_EQ(StepMover(u, typ.head, x, y, 3, 0, 200, 50, 1), 0) << "nothing moves";
    EXPECT_EQ(StepMoverFree(u, typ.head, x, y, 3, 0, 1), 0);
    // The length is asked before the direction: no step, whatever the direction.
    EXPECT_EQ(StepMover(u, typ.head, x, y, 12, 0, 200, 50, 1), 0);
    EXPECT_EQ(StepMoverFree(u, typ.head, x, y, 200, 0, 1), 0);
    EXPECT_EQ(x, 100);
}

TEST_F(Stepping, StepPoint3) {
    struct Case {
        std::uint8_t direction, moverFlags;
        float dx, dy;
    };
    const Case cases[] = {
        {0, 0, 0, -3},
        {3, 0, 3, 0},
        {1, 0, 1.0909091f, -1.9090909f},
        {8, 0, -1.9090909f, 1.0909091f},
        {0, 1, 0, 3},
        {12, 0, 0, 0},
    };
    for (const Case& c : cases) {
        float x = 50;
        float y = 50;
        EXPECT_TRUE(StepPoint3(x, y, c.direction, c.moverFlags));
        EXPECT_FLOAT_EQ(x, 50 + c.dx) << int{c.direction};
        EXPECT_FLOAT_EQ(y, 50 + c.dy) << int{c.direction};
    }
}

// Mission 1's generated map: a road across it, grass, a sand bank round a pond.
class StepLengthOnMissionOne : public Stepping {
  protected:
    void SetUp() override {
        Stepping::SetUp();
        loadSampleMission(1);
    }
};

TEST_F(StepLengthOnMissionOne, MixedSamplesAndTheMapEdge) {
    // A car at the road's north edge heading north: its centre on the road, the front corners
    // on the grass.
    TestUnitTyp car(kPlayerVehicleUnitClass, 10, 0);
    car.setBox(10, 10, {0, 0, 20, 20});
    UnitHead& v = vehicles[0];
    v.speed = 10;
    ASSERT_EQ(terrainAt(600, 480), terrain::kRoad);
    ASSERT_EQ(terrainAt(590, 470), terrain::kGrass);
    ASSERT_EQ(terrainAt(610, 470), terrain::kGrass);
    EXPECT_FLOAT_EQ(GetStepLength(v, car.head, 600.7f, 480.9f, 0, 0, 1), 7.3f) << "(100+60+60)/3";
    // Heading south all three lie on the road.
    EXPECT_FLOAT_EQ(GetStepLength(v, car.head, 600, 480, 6, 0, 1), 10.0f);
    // Past the map's largest x nothing counts: full speed.
    EXPECT_FLOAT_EQ(GetStepLength(v, car.head, WorldMaxX + 20.0f, 480, 0, 0, 1), 10.0f);
    // Without a slot for the animation the centre alone counts.
    EXPECT_FLOAT_EQ(GetStepLength(v, car.head, 600, 480, 0, 7, 1), 10.0f);
    // Off the ground, and in mode 2, the terrain is not looked at.
    v.storey = -1;
    EXPECT_FLOAT_EQ(GetStepLength(v, car.head, 600, 480, 0, 0, 1), 10.0f);
    v.storey = 0;
    car.head.speed = 4;
    EXPECT_FLOAT_EQ(GetStepLength(v, car.head, 600, 480, 0, 0, 2), 4.0f) << "the type's speed";
    // A civilian vehicle has no path until the traffic gives it one: the type's speed.
    car.head.unitClass = kCivilVehicleUnitClass;
    v.link = 0;
    EXPECT_FLOAT_EQ(GetStepLength(v, car.head, 600, 480, 0, 0, 1), 4.0f);
}

TEST_F(StepLengthOnMissionOne, ImpassableSamplesAreSkipped) {
    // A person on the sand bank facing the pond: the front corners stand in the water.
    TestUnitTyp walker(kPersonUnitClass, 2, move_class::kPerson);
    walker.setBox(10, 5, {0, 0, 20, 10});
    UnitHead& p = persons[0];
    p.speed = 2;
    ASSERT_EQ(terrainAt(978, 854), terrain::kSand);
    ASSERT_EQ(terrainAt(988, 849), terrain::kWater);
    ASSERT_EQ(terrainAt(988, 859), terrain::kWater);
    EXPECT_FLOAT_EQ(GetStepLength(p, walker.head, 978, 854, 3, 0, 1), 1.4f) << "sand's 70 alone";
    // All three in the water: none counts, full speed.
    ASSERT_EQ(terrainAt(1080, 854), terrain::kWater);
    EXPECT_FLOAT_EQ(GetStepLength(p, walker.head, 1080, 854, 3, 0, 1), 2.0f);
}

TEST_F(StepLengthOnMissionOne, EnergyScalesEveryoneButPlayerVehicles) {
    TestUnitTyp walker(kPersonUnitClass, 2, move_class::kPerson);
    UnitHead& p = persons[0];
    p.speed = 2;
    ASSERT_EQ(terrainAt(600, 530), terrain::kRoad);
    struct Case {
        std::int32_t energy;
        float length;
    };
    const Case cases[] = {{1000000, 2.0f}, {500000, 1.4f}, {0, 0.8f}, {-300000, 0.8f}};
    for (const Case& c : cases) {
        p.energy = c.energy;
        EXPECT_FLOAT_EQ(GetStepLength(p, walker.head, 600, 530, 3, 0, 1), c.length) << c.energy;
    }
    // Led by another person, that person's energy drives it; a link that names nobody leaves
    // its own.
    p.energy = 1000000;
    p.moverFlags = kMoverLed;
    p.link = 2;
    persons[2].energy = 0;
    EXPECT_FLOAT_EQ(GetStepLength(p, walker.head, 600, 530, 3, 0, 1), 0.8f);
    p.link = 0x1002;
    EXPECT_FLOAT_EQ(GetStepLength(p, walker.head, 600, 530, 3, 0, 1), 2.0f);

    TestUnitTyp truck(kPlayerVehicleUnitClass, 10, 0);
    UnitHead& v = vehicles[0];
    v.speed = 10;
    v.energy = 0;
    EXPECT_FLOAT_EQ(GetStepLength(v, truck.head, 600, 530, 3, 0, 1), 10.0f);
}

TEST_F(Stepping, ZeroTerrainSpeedOnlyModeOneReplaces) {
    const sampledata::TerrainRow rows[] = {{"Schlamm", "SL", -1, {0}, {}}};
    loadTerrain(rows, 1);
    sampledata::LevelFile level = test::SmallLevel(10, 10);
    for (MapCell& c : level.cells) c.terrain = 0;
    loadLevel(level);
    TestUnitTyp typ(kPlayerVehicleUnitClass, 6, 0);
    UnitHead& v = vehicles[0];
    v.speed = 6;
    EXPECT_EQ(GetStepLength(v, typ.head, 100, 100, 3, 0, 0), 0.0f);
    EXPECT_EQ(GetStepLength(v, typ.head, 100, 100, 3, 0, 1), 6.0f);
}

TEST_F(Stepping, ChooseStepDirectionHoldsNearTheBorder) {
    TestUnitTyp car(kPlayerVehicleUnitClass, 5, 0);
    TestUnitTyp walker(kPersonUnitClass, 2, move_class::kPerson);
    const UnitHead& u = vehicles[0];
    auto at = [](double bearing) {
        const double r = bearing * 3.14159265358979323846 / 180;
        return PointF{static_cast<float>(500 + 100 * std::sin(r)),
                      static_cast<float>(500 - 100 * std::cos(r))};
    };
    struct Case {
        std::uint8_t current;
        double bearing;
        int car, person;
    };
    const Case cases[] = {
        {3, 91.5, 3, 4},  {3, 92.5, 4, 4},  {1, 31.0, 1, 2},   {1, 32.5, 2, 2},
        {2, 28.5, 2, 1},  {2, 27.0, 1, 1},  {0, 358.5, 0, 11}, {0, 357.5, 11, 11},
        {9, 268.5, 9, 8}, {5, 148.5, 5, 4}, {3, 150.0, 4, 4},
    };
    for (const Case& c : cases) {
        const PointF t = at(c.bearing);
        EXPECT_EQ(ChooseStepDirection(u, car.head, 500, 500, c.current, t.x, t.y), c.car)
            << int{c.current} << " at " << c.bearing;
        EXPECT_EQ(ChooseStepDirection(u, walker.head, 500, 500, c.current, t.x, t.y), c.person)
            << int{c.current} << " at " << c.bearing;
    }
    // Within 4 px of the target a vehicle keeps its heading.
    EXPECT_EQ(ChooseStepDirection(u, car.head, 500, 500, 0, 503, 497), 0);
    EXPECT_EQ(ChooseStepDirection(u, car.head, 500, 500, 0, 504, 496), 1);
}

// The planner decides most targets without the exact bearing; near every border, for either way
// of travel, it must agree with the bearing measured as the hold rule states it.
TEST_F(Stepping, HoldDecisionsMatchTheExactBearing) {
    TestUnitTyp car(kPlayerVehicleUnitClass, 5, 0);
    UnitHead& u = vehicles[0];
    int decided = 0;
    for (std::uint8_t flags : {std::uint8_t{0}, kMoverTurned}) {
        u.moverFlags = flags;
        for (const HoldBand& band : kHoldBands) {
            for (int step = -1000; step <= 1000; ++step) {
                // Turned, the vehicle faces away from its target.
                const double bearing = band.border + (flags != 0 ? 180 : 0) + step * 0.005;
                const double r = bearing * 3.14159265358979323846 / 180;
                const auto tx = static_cast<float>(500 + 300 * std::sin(r));
                const auto ty = static_cast<float>(500 - 300 * std::cos(r));
                const std::uint8_t d = GetDirection12(u, 500, 500, tx, ty);
                if (d != band.wanted) continue;
                float b = AngleBetween(0, -100, tx - 500, ty - 500);
                if (tx < 500) b = 360.0f - b;
                const double measure = band.clockwise ? b - band.border : band.border - b;
                const int expected = measure <= 2.0 ? band.current : band.wanted;
                ASSERT_EQ(ChooseStepDirection(u, car.head, 500, 500, band.current, tx, ty),
                          expected)
                    << int{band.current} << " to " << int{band.wanted} << " at " << bearing
                    << (flags != 0 ? " turned" : "");
                ++decided;
            }
        }
    }
    EXPECT_GT(decided, 30000);
}

TEST_F(Stepping, APersonTurnsOnTheSpotWhileAVehicleDrivesOn) {
    TestUnitTyp walker(kPersonUnitClass, 3, 0);
    TestUnitTyp car(kPlayerVehicleUnitClass, 3, 0);
    Befehl toEast = MoveOrder(200, 100);
    Start(persons[0], 100, 100, 0, 3, toEast);
    Start(vehicles[0], 100, 100, 0, 3, toEast);
    FillStepRing(persons[0], walker.head);
    FillStepRing(vehicles[0], car.head);

    for (int i = 0; i < 3; ++i) {
        const MoveStep p = StepRingEntry(persons[0], i);
        const MoveStep v = StepRingEntry(vehicles[0], i);
        EXPECT_EQ(p.direction, i + 1);
        EXPECT_EQ(v.direction, i + 1);
        EXPECT_EQ(p.x, 100) << "turning on the spot";
        EXPECT_EQ(p.y, 100);
        const MoveStep before = StepRingEntry(vehicles[0], i - 1);
        EXPECT_NE(v.x, before.x) << "the vehicle moves on step " << i;
    }
    const MoveStep firstStep = StepRingEntry(persons[0], 3);
    EXPECT_EQ(firstStep.direction, 3);
    EXPECT_FLOAT_EQ(firstStep.x, 103);
    EXPECT_EQ(firstStep.y, 100);
    EXPECT_EQ(Pending(persons[0]), 24);

    // A move that keeps its facing goes straight on without turning.
    Befehl straight = MoveOrder(200, 100, kBefehlKeepFacing);
    UnitHead& k = vehicles[1];
    Start(k, 100, 100, 0, 3, straight);
    FillStepRing(k, car.head);
    EXPECT_EQ(StepRingEntry(k, 23).direction, 0);
    EXPECT_FLOAT_EQ(StepRingEntry(k, 23).y, 100 - 24 * 3);
}

TEST_F(Stepping, TheRingNeverHoldsMoreThan24) {
    TestUnitTyp walker(kPersonUnitClass, 0, 0);
    UnitHead& p = persons[0];
    Befehl order = MoveOrder(300, 60);
    Start(p, 40, 60, 3, 0, order);
    FillStepRing(p, walker.head);  // speed 0: 24 copies of where it stands
    EXPECT_EQ(p.stepRead, 0);
    EXPECT_EQ(p.stepWrite, 24);
    EXPECT_TRUE(StepRingFull(p));
    for (int i = 0; i < 24; ++i) {
        EXPECT_EQ(StepRingEntry(p, i).x, 40);
        EXPECT_EQ(StepRingEntry(p, i).y, 60);
    }
    FillStepRing(p, walker.head);
    EXPECT_EQ(p.stepWrite, 24) << "a full ring takes nothing more";

    // Taking one entry makes room for one, written over the old origin and wrapping to 0.
    AdvanceStepRingRead(p);
    FillStepRing(p, walker.head);
    EXPECT_EQ(p.stepWrite, 0);
    EXPECT_EQ(Pending(p), 24);
    EXPECT_EQ(p.moveX, 40) << "entry 24";

    // A damaged save's indices are taken modulo 25.
    p.stepRead = 30;
    p.stepWrite = 30;
    FillStepRing(p, walker.head);
    EXPECT_EQ(p.stepWrite, 4);
    EXPECT_TRUE(StepRingFull(p));
}

TEST_F(Stepping, ARingFillsWithTheTargetOnceItIsReached) {
    TestUnitTyp walker(kPersonUnitClass, 4, 0);
    UnitHead& p = persons[0];
    Befehl order = MoveOrder(110, 100);
    Start(p, 100, 100, 3, 4, order);
    FillStepRing(p, walker.head);
    EXPECT_FLOAT_EQ(StepRingEntry(p, 0).x, 104);
    EXPECT_FLOAT_EQ(StepRingEntry(p, 1).x, 108);
    for (int i = 2; i < 24; ++i) EXPECT_EQ(StepRingEntry(p, i).x, 110) << i;

    // Only movement orders plan.
    Befehl wait;
    wait.opcode = 7;
    p.orders = &wait;
    ResetMoveTarget(p);
    FillStepRing(p, walker.head);
    EXPECT_EQ(p.stepWrite, 0);
}

TEST_F(Stepping, RingEntriesSavesAndTargets) {
    UnitHead& u = vehicles[2];
    u.x = 7;
    u.y = 8;
    u.direction = 5;
    u.stepRead = 3;
    u.stepWrite = 9;
    ResetMoveTarget(u);
    EXPECT_EQ(u.stepRead, 0);
    EXPECT_EQ(u.stepWrite, 0);
    EXPECT_EQ(LastPlannedStep(u).direction, 5) << "entry 24 is the origin";
    EXPECT_EQ(LastPlannedStep(u).x, 7);
    SetMoveTarget(u, 30, 40, 2);
    EXPECT_EQ(u.moveDir, 2);
    EXPECT_EQ(u.moveX, 30);
    EXPECT_EQ(u.moveY, 40);

    for (int i = 0; i < 24; ++i) PushStepRing(u, static_cast<float>(i), 0, 1);
    EXPECT_EQ(u.stepWrite, 24);
    PushStepRing(u, 99, 98, 4);
    EXPECT_EQ(u.stepWrite, 0) << "24 wraps to 0";
    EXPECT_EQ(u.moveX, 99);
    EXPECT_EQ(StepRingEntry(u, -1).x, 99);
    EXPECT_EQ(StepRingEntry(u, 26).x, 1);

    StepRingBuffer saved;
    std::uint8_t read = 0;
    std::uint8_t write = 0;
    SaveStepRing(u, saved, read, write);
    EXPECT_EQ(saved[24].x, 99);
    const UnitHead before = u;
    ResetMoveTarget(u);
    SetStepRingEntry(u, 3, {9, 1, 1});
    RestoreStepRing(u, saved, read, write);
    EXPECT_EQ(u.stepWrite, before.stepWrite);
    EXPECT_EQ(u.moveX, 99);
    EXPECT_EQ(StepRingEntry(u, 3).x, 3);
    for (int i = 0; i < 24; ++i) AdvanceStepRingRead(u);
    EXPECT_EQ(u.stepRead, 24);
    AdvanceStepRingRead(u);
    EXPECT_EQ(u.stepRead, 0);
}

TEST_F(Stepping, SavedMoverPositionKeepsTheHouse) {
    UnitHead& u = persons[1];
    u.x = 12;
    u.y = 34;
    u.direction = 7;
    u.moverFlags = kMoverTurned | kMoverLed;
    u.house = 3;
    SaveMoverPos(u);
    u.x = 0;
    u.y = 0;
    u.direction = 1;
    u.moverFlags = 0;
    u.house = 0xFFFF;
    RestoreMoverPos(u);
    EXPECT_EQ(u.x, 12);
    EXPECT_EQ(u.y, 34);
    EXPECT_EQ(u.direction, 7);
    EXPECT_EQ(u.moverFlags, kMoverTurned | kMoverLed);
    EXPECT_EQ(u.house, 3);
}

TEST_F(Stepping, AMedicLeavingTreatmentLetsGoOfItsPatient) {
    TestUnitTyp medicTyp(kPersonUnitClass, 2, 0);
    UnitHead& medic = persons[0];
    UnitHead& patient = persons[2];
    medic.type = 4;
    medic.anim = 5;
    medic.frame = 3;
    medic.frameTimer = 2;
    medic.link = 2;
    patient.link = 0x1000;
    SetMoverAction(medic, medicTyp.head, 1);
    EXPECT_EQ(medic.anim, 1);
    EXPECT_EQ(medic.frame, 0);
    EXPECT_EQ(medic.frameTimer, 0);
    EXPECT_EQ(medic.link, 0xFFFF);
    EXPECT_EQ(patient.link, 0xFFFF);

    // A link that names no person clears only the medic's own.
    medic.anim = 5;
    medic.link = 0x1002;
    patient.link = 0x1000;
    SetMoverAction(medic, medicTyp.head, 0);
    EXPECT_EQ(medic.link, 0xFFFF);
    EXPECT_EQ(patient.link, 0x1000);

    // Anyone else keeps the link.
    UnitHead& carrier = persons[1];
    carrier.type = 12;
    carrier.anim = 5;
    carrier.link = 2;
    SetMoverAction(carrier, medicTyp.head, 0);
    EXPECT_EQ(carrier.link, 2);
}

}  // namespace
}  // namespace kv
