// The searches built on the collision tests: a free point near a blocked target, whether a target
// is blocked, whether a unit's destination is taken, the drift of a turning vehicle, a random
// free spot, and a person's trail.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/random.h"
#include "core/unit_views.h"
#include "movement/befehl_queue.h"
#include "movement/collision.h"
#include "movement/collision_fixture.h"
#include "persons/person.h"
#include "world/furniture.h"

namespace kv::test {
namespace {

float Distance(float x1, float y1, float x2, float y2) {
    return std::hypot(x2 - x1, y2 - y1);
}

TEST_F(CollisionTest, FreePointNearestTheTargetTiesToTheLowerDirection) {
    const CollisionUnit& walker = placePerson(0, 1300, 600, 0, 1);
    // A 20 px object on the target; the staff's size box is 12 x 20. Right and left are both
    // free 18 px out, up and down 21 px out, the diagonals further.
    placeObject(0, 0, kMeadowX - 10, kMeadowY - 10);
    float x = 0;
    float y = 0;
    ASSERT_EQ(FindFreePointNear(walker, staff->head, kMeadowX, kMeadowY, x, y), 1);
    EXPECT_EQ(x, kMeadowX + 18);
    EXPECT_EQ(y, kMeadowY);
    // Free at the target itself: still a point one nudge out (a diagonal nudge is the shorter).
    SonderObjs[0].type = -1;
    ASSERT_EQ(FindFreePointNear(walker, staff->head, kMeadowX, kMeadowY, x, y), 1);
    EXPECT_GT(Distance(x, y, kMeadowX, kMeadowY), 2.0f);
    EXPECT_LT(Distance(x, y, kMeadowX, kMeadowY), 2.3f);
}

TEST_F(CollisionTest, FreePointSearchReachesAtMost87PixelsAndStaysOnTheMap) {
    const CollisionUnit& walker = placePerson(0, 1300, 300, 0, 1);
    const CellPos middle = CellFromPixel(static_cast<int>(kMeadowX), static_cast<int>(kMeadowY));
    Flood(middle.column - 6, middle.row - 5, 12, 10);
    float x = 0;
    float y = 0;
    EXPECT_EQ(FindFreePointNear(walker, staff->head, kMeadowX, kMeadowY, x, y), 0)
        << "deep inside the lake";
    const float shoreY = static_cast<float>(kCellHeight * (middle.row - 5));
    ASSERT_EQ(FindFreePointNear(walker, staff->head, kMeadowX, shoreY + 60, x, y), 1);
    EXPECT_LE(Distance(x, y, kMeadowX, shoreY + 60), 87.0f);
    EXPECT_EQ(TestCollision(kCollideSizeBox, walker, staff->head, x, y, 0, 0, 0, nullptr), 0);

    // At the top edge, with the first two rows flooded: upwards leaves the map at once, so the
    // point lies below the water.
    Flood(0, 0, MapWidth, 2);
    ASSERT_EQ(FindFreePointNear(walker, staff->head, 600, 5, x, y), 1);
    EXPECT_EQ(x, 600);
    EXPECT_EQ(y, 5 + 3 * 21);
}

TEST_F(CollisionTest, OnlyImpassableGroundBlocksATarget) {
    placeHouse();
    CollisionUnit& walker = placePerson(0, 1300, 600, 0, 1);
    const CellPos cell = CellFromPixel(1500, 700);
    Flood(cell.column, cell.row, 1, 1);
    const PixelPos water = CellMiddle(cell.column, cell.row);
    EXPECT_EQ(IsTargetBlocked(walker, staff->head, static_cast<float>(water.x),
                              static_cast<float>(water.y)),
              1);
    placeVehicle(1, kMeadowX, kMeadowY);
    placeObject(1, 1, kMeadowX - 20, kMeadowY - 20);
    EXPECT_EQ(IsTargetBlocked(walker, staff->head, kMeadowX, kMeadowY), 0)
        << "a vehicle and an object stand there";
    // Furniture is not impassable ground either.
    for (const HouseObj& o : HouseObjs) {
        if (o.storey != 1 || o.flag == 0) continue;
        walker.storey = 1;
        walker.house = 0;
        const auto& b = HouseObjTypen[o.slot].box;
        EXPECT_EQ(IsTargetBlocked(walker, staff->head, static_cast<float>(o.x + (b[0] + b[2]) / 2),
                                  static_cast<float>(o.y + (b[1] + b[3]) / 2)),
                  0);
        break;
    }
}

// The new-map test of a level switch: where the unit stands, impassable cells only, by its own
// direction's footprint, on whatever layer it stood.
TEST_F(CollisionTest, MapTestSeesOnlyImpassableCellsUnderTheFootprint) {
    CollisionUnit& walker = placePerson(0, kMeadowX, kMeadowY, 0, 1);
    placeVehicle(1, kMeadowX + 5, kMeadowY);
    placeObject(2, 1, kMeadowX - 20, kMeadowY - 20);
    CollisionHit hit;
    EXPECT_EQ(CollidesWithMap(walker, staff->head, &hit), 0) << "a vehicle and an object beside";
    EXPECT_EQ(hit.kind, kHitNothing);

    const CellPos cell = CellFromPixel(static_cast<int>(kMeadowX), static_cast<int>(kMeadowY));
    Flood(cell.column, cell.row, 1, 1);
    walker.storey = 2;
    EXPECT_NE(CollidesWithMap(walker, staff->head, &hit), 0) << "the ground under a storey too";
    EXPECT_EQ(hit.kind, kHitMapCell);
    EXPECT_EQ(hit.index1, cell.column);
    EXPECT_EQ(hit.index2, cell.row);

    // Reaching into the water in one direction only.
    const PixelPos water = CellMiddle(cell.column, cell.row);
    staff->setBox({-5, -5, 5, 5});
    staff->setBox(3, {-5, -5, 60, 5});
    walker.storey = 0;
    walker.x = static_cast<float>(water.x - 40);
    walker.y = static_cast<float>(water.y);
    walker.direction = 0;
    EXPECT_EQ(CollidesWithMap(walker, staff->head, nullptr), 0);
    walker.direction = 3;
    EXPECT_NE(CollidesWithMap(walker, staff->head, nullptr), 0);
}

TEST_F(CollisionTest, DestinationCountsAsTakenWithinTwoAndAHalfSizes) {
    CollisionUnit& walker = placePerson(0, 1300, 600, 0, 1);
    AppendMoveBefehl(walker, 0, kMeadowX, kMeadowY, 0, 0, 1);
    EXPECT_EQ(TestDestinationOccupied(walker, staff->head), 0) << "nobody there";
    placePerson(1, kMeadowX, kMeadowY, 0, 1);
    // Both size boxes 12 x 20: within 30 px across and 50 px along.
    struct Case {
        float dx, dy;
        std::uint8_t taken;
    };
    constexpr Case kPersonCases[] = {{-30, 0, 1}, {-30.5f, 0, 0}, {30, 0, 1},  {31, 0, 0},
                                     {0, -50, 1}, {0, 51, 0},     {30, 50, 1}, {200, 0, 0}};
    for (const Case& c : kPersonCases) {
        walker.x = kMeadowX + c.dx;
        walker.y = kMeadowY + c.dy;
        EXPECT_EQ(TestDestinationOccupied(walker, staff->head), c.taken) << c.dx << "," << c.dy;
    }
    // A car there: its size box (42 x 32) is the larger.
    persons[1].type = -1;
    placeVehicle(1, kMeadowX, kMeadowY);
    constexpr Case kCarCases[] = {{-105, 0, 1}, {-106, 0, 0}, {0, 80, 1}, {0, 81, 0}};
    for (const Case& c : kCarCases) {
        walker.x = kMeadowX + c.dx;
        walker.y = kMeadowY + c.dy;
        EXPECT_EQ(TestDestinationOccupied(walker, staff->head), c.taken) << c.dx << "," << c.dy;
    }
    walker.x = kMeadowX - 50;
    walker.y = kMeadowY;
    // The last of the leading moves decides: a turn there, a marker, or the move's (c, d).
    ClearBefehle(walker);
    AppendMoveBefehl(walker, 0, 100, 100, 0, 0, 1);
    AppendTurnBefehl(walker, 1, kMeadowX, kMeadowY, 3, 0, 1);
    AppendBefehl(walker, 55, 0, 0, 0, 0, 1);
    AppendMoveBefehl(walker, 0, 300, 300, 0, 0, 1);
    EXPECT_EQ(TestDestinationOccupied(walker, staff->head), 1) << "the turn is the last move";
    ClearBefehle(walker);
    AppendMoveBefehl(walker, 0, kMeadowX, kMeadowY, 0, 0, 1);
    AppendBefehl(walker, 6, 0, 0, 0, 0, 1);
    EXPECT_EQ(TestDestinationOccupied(walker, staff->head), 0) << "a callback marker last";
    ClearBefehle(walker);
    AppendMoveBefehl(walker, 0, 100, 100, kMeadowX, kMeadowY, 1, kBefehlUseCD);
    EXPECT_EQ(TestDestinationOccupied(walker, staff->head), 1) << "aimed at (c, d)";
    ClearBefehle(walker);
    EXPECT_EQ(TestDestinationOccupied(walker, staff->head), 0) << "no orders";
}

TEST_F(CollisionTest, TurningCarDriftsAStepPerTurnStep) {
    CollisionUnit& truck = placeVehicle(0, kRoadX, kRoadY);
    float dx = 0;
    float dy = 0;
    TurnDisplacement(truck, car->head, 0, 3, kRoadX, kRoadY, dx, dy);
    // Directions 1, 2 and 3, each one step of 5 px: (4 + 7 + 11, -7 - 4 + 0) elevenths.
    EXPECT_NEAR(dx, 10.0f, 1e-4f);
    EXPECT_NEAR(dy, -5.0f, 1e-4f);
    // A half turn goes clockwise: 1 .. 6 from 0, 7 .. 0 from 6.
    TurnDisplacement(truck, car->head, 0, 6, kRoadX, kRoadY, dx, dy);
    EXPECT_NEAR(dx, 15.0f, 1e-4f);
    TurnDisplacement(truck, car->head, 6, 0, kRoadX, kRoadY, dx, dy);
    EXPECT_NEAR(dx, -15.0f, 1e-4f);
    TurnDisplacement(truck, car->head, 4, 4, kRoadX, kRoadY, dx, dy);
    EXPECT_EQ(dx, 0.0f);
    // A person turns on the spot.
    CollisionUnit& walker = placePerson(0, kRoadX, kRoadY, 0, 1);
    TurnDisplacement(walker, staff->head, 0, 3, kRoadX, kRoadY, dx, dy);
    EXPECT_EQ(dx, 0.0f);
    EXPECT_EQ(dy, 0.0f);
}

int g_vehicleLooks = 0;

TEST_F(CollisionTest, RandomFreeSpotTriesTenTimesAndLeavesTheUnitAsItWas) {
    CollisionUnit& walker = placePerson(0, 300, 300, 4, 1);
    walker.house = 3;
    walker.moverFlags = 5;
    SeedRandom(19);
    float x = -1;
    float y = -1;
    ASSERT_TRUE(FindRandomFreeSpot(walker, staff->head, 1300, 600, 1340, 640, 0, 4, x, y));
    EXPECT_GE(x, 1300);
    EXPECT_LE(x, 1340);
    EXPECT_GE(y, 600);
    EXPECT_LE(y, 640);
    EXPECT_EQ(x, std::floor(x));
    EXPECT_EQ(walker.house, 3) << "the house index comes back too";
    EXPECT_EQ(walker.x, 300);
    EXPECT_EQ(walker.moverFlags, 5);

    // A car whose box covers the rectangle: every try is blocked, and each is one test.
    civilCar->setBox({-100, -100, 100, 100});
    placeVehicle(1, 1320, 620, 0, 1);
    FahrzeugUnits.animSlot = [](std::int16_t i) -> const AnimSlot* {
        ++g_vehicleLooks;
        const CollisionUnit& u = vehicles[static_cast<std::size_t>(i)];
        return u.type == 1 ? &UnitAnimSlot(civilCar->head, u.direction, u.anim) : nullptr;
    };
    g_vehicleLooks = 0;
    EXPECT_FALSE(FindRandomFreeSpot(walker, staff->head, 1300, 600, 1340, 640, 0, 4, x, y));
    EXPECT_EQ(g_vehicleLooks, 10);
    EXPECT_EQ(walker.house, 3);

    // Nothing of the rectangle on the map: no draw at all.
    const std::uint32_t seed = RandomSeed();
    EXPECT_FALSE(FindRandomFreeSpot(walker, staff->head, 100, -200, 200, -100, 0, 4, x, y));
    EXPECT_FALSE(FindRandomFreeSpot(walker, staff->head, 5000, 100, 5100, 200, 0, 4, x, y));
    EXPECT_EQ(RandomSeed(), seed);
}

TEST_F(CollisionTest, RandomFreeSpotKeepsTheWholeFootprintOnTheMap) {
    CollisionUnit& walker = placePerson(0, 300, 300, 0, 1);
    SeedRandom(5);
    // Cut to x 0..10; the staff's footprint reaches 5 px to either side.
    for (int n = 0; n < 20; ++n) {
        float x = -1;
        float y = -1;
        if (FindRandomFreeSpot(walker, staff->head, -100, 300, 10, 340, 0, 0, x, y)) {
            EXPECT_GE(x, 5);
            EXPECT_LE(x, 10);
        }
    }
}

TEST(PersonTrailRing, KeepsTheLast40Points) {
    Person p;
    EXPECT_EQ(p.trail.trailWrite, kTrailEmpty);
    for (int k = 0; k < 45; ++k) {
        PushPersonTrail(p, static_cast<float>(k), 0, static_cast<std::uint8_t>(k % 12));
        EXPECT_EQ(p.trail.trailWrapped, k >= 39 ? 1 : 0) << k;
    }
    EXPECT_EQ(p.trail.trailWrite, 5);
    EXPECT_EQ(p.trail.trail[4].x, 44.0f);
    EXPECT_EQ(p.trail.trail[5].x, 5.0f) << "the oldest kept";
    EXPECT_EQ(p.trail.trail[4].direction, 44 % 12);
    ResetPersonTrail(p);
    EXPECT_EQ(p.trail.trailWrite, kTrailEmpty);
    EXPECT_EQ(p.trail.trailWrapped, 0);
    // A write index a save left outside the ring starts it afresh.
    p.trail.trailWrite = 77;
    PushPersonTrail(p, 9, 9, 3);
    EXPECT_EQ(p.trail.trail[0].x, 9.0f);
    EXPECT_EQ(p.trail.trailWrite, 1);
}

}  // namespace
}  // namespace kv::test
