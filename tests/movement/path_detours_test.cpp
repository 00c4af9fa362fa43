// The detour corners around an obstacle: boxes of units, objects and furniture, terrain regions,
// bands across the map and house cells.

#include "movement/path_detours.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/mission_state.h"
#include "movement/collision.h"
#include "movement/path_fixture.h"
#include "world/furniture.h"
#include "world/level_map.h"

namespace kv::test {
namespace {

using pathworld::MapPlan;
using pathworld::PathWorld;

struct Point {
    int x;
    int y;
    int code;
    bool operator==(const Point&) const = default;
};
using Points = std::vector<Point>;

Points Of(const DetourSide& side) {
    Points out;
    for (std::uint8_t i = 0; i < side.count; ++i)
        out.push_back({side.points[i].x, side.points[i].y, side.points[i].code});
    return out;
}

class PassObstacleTest : public PathTest {
  protected:
    // The person's margins: 9 px across and 12 px along (its size box is 18 x 24).
    std::uint8_t pass(std::uint8_t kind, std::uint16_t i1, std::uint16_t i2, std::uint16_t i3,
                      std::uint8_t side, float goalX, float goalY, std::uint8_t dir = 3,
                      bool widen = false) {
        const UnitHead& self = world->person(0);
        return PassObstacle(self, world->personTyp.head, widen, kind, i1, i2, i3, side, goalX,
                            goalY, dir, a, b);
    }
    DetourSide a;
    DetourSide b;
};

TEST_F(PassObstacleTest, SingleSidesOfABox) {
    PathWorld& w = flat();
    w.addPerson(100, 100, 3);
    w.addVehicle(400, 400, 3);  // box 372..428 x 360..400
    struct Case {
        std::uint8_t side;
        Points a;
        Points b;
    };
    const Point tl{363, 348, 0};
    const Point tr{437, 348, 0};
    const Point bl{363, 412, 0};
    const Point br{437, 412, 0};
    const auto at = [](Point p, int code) {
        p.code = code;
        return p;
    };
    const std::vector<Case> cases = {
        {1, {at(tl, 1), at(tr, 0x21)}, {at(bl, 1), at(br, 0x21)}},
        {2, {at(tl, 2), at(bl, 0x22)}, {at(tr, 2), at(br, 0x22)}},
        {4, {at(tr, 4), at(tl, 0x24)}, {at(br, 4), at(bl, 0x24)}},
        {8, {at(bl, 8), at(tl, 0x28)}, {at(br, 8), at(tr, 0x28)}},
        // Three or four edges, or two opposite ones, name a single side.
        {13, {at(bl, 8), at(tl, 0x28)}, {at(br, 8), at(tr, 0x28)}},
        {7, {at(tl, 2), at(bl, 0x22)}, {at(tr, 2), at(br, 0x22)}},
        // No edge at all: nothing to go round.
        {0, {}, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(pass(kHitFahrzeug, 0, 0, 0, c.side, 600, 380), 0);
        EXPECT_EQ(Of(a), c.a) << int{c.side};
        EXPECT_EQ(Of(b), c.b) << int{c.side};
    }
}

TEST_F(PassObstacleTest, SidesMadeDefinite) {
    const std::array<std::uint8_t, 12> byDirection = {8, 9, 9, 1, 3, 3, 2, 6, 6, 4, 12, 12};
    for (std::uint8_t d = 0; d < 12; ++d)
        for (const std::uint8_t side : {15, 5, 10})
            EXPECT_EQ(DefiniteSide(side, d), byDirection[d]);
    EXPECT_EQ(DefiniteSide(13, 0), 8);
    EXPECT_EQ(DefiniteSide(7, 0), 2);
    EXPECT_EQ(DefiniteSide(14, 0), 4);
    EXPECT_EQ(DefiniteSide(11, 0), 1);
    for (const std::uint8_t side : {1, 2, 3, 4, 6, 8, 9, 12})
        EXPECT_EQ(DefiniteSide(side, 5), side);
}

TEST_F(PassObstacleTest, ADiagonalSideNeedsItsFarCornerOnlyForAGoalBeyondIt) {
    PathWorld& w = flat();
    w.addPerson(100, 100, 3);
    w.addVehicle(400, 400, 3);
    // Side 3 (east and south): A ends at the bottom right, B goes round the top right.
    pass(kHitFahrzeug, 0, 0, 0, 3, 500, 500);
    EXPECT_EQ(Of(a), (Points{{363, 348, 2}, {363, 412, 0x20}, {437, 412, 0x21}}));
    EXPECT_EQ(Of(b), (Points{{363, 348, 1}, {437, 348, 0x20}, {437, 412, 0x22}}));
    // The goal short of the far corner in x (A) and in y (B): two points each.
    pass(kHitFahrzeug, 0, 0, 0, 3, 437, 412);
    EXPECT_EQ(Of(a).size(), 2u);
    EXPECT_EQ(Of(b).size(), 2u);
    pass(kHitFahrzeug, 0, 0, 0, 3, 438, 300);
    EXPECT_EQ(Of(a).size(), 3u);
    EXPECT_EQ(Of(b).size(), 2u);
    // Side 12 (west and north) keeps both far corners for a goal up and left.
    pass(kHitFahrzeug, 0, 0, 0, 12, 100, 100);
    EXPECT_EQ(Of(a), (Points{{437, 412, 4}, {363, 412, 0x20}, {363, 348, 0x28}}));
    EXPECT_EQ(Of(b), (Points{{437, 412, 8}, {437, 348, 0x20}, {363, 348, 0x24}}));
}

TEST_F(PassObstacleTest, PointsOffTheMapEndTheirSide) {
    PathWorld& w = flat();
    w.addPerson(100, 100, 3);
    const int object = w.addObject(2, 300, 30, 20);  // box 2..32 x 300..320
    // Side 1: A's first point lies left of the map (2 - 9): A is empty, B too.
    pass(kHitSonderObj, static_cast<std::uint16_t>(object), 0, 0, 1, 200, 310);
    EXPECT_TRUE(Of(a).empty());
    EXPECT_TRUE(Of(b).empty());
    // Side 4: the second point is the one off the map: one point left on each side.
    pass(kHitSonderObj, static_cast<std::uint16_t>(object), 0, 0, 4, 200, 310);
    EXPECT_EQ(Of(a), (Points{{41, 288, 4}}));
    EXPECT_EQ(Of(b), (Points{{41, 332, 4}}));
}

TEST_F(PassObstacleTest, ABandAcrossTheMapGivesOnePointBeforeIt) {
    MapPlan plan(40, 30);
    plan.fill(0, 10, 40, 2, pathworld::kWater);  // y 280..335 from edge to edge
    PathWorld& w = flat(plan);
    w.addPerson(300, 150, 3);
    // The goal beyond the band: one point at its x, 5 px plus the unit's height above the band.
    EXPECT_EQ(pass(kHitMapCell, 12, 10, 0, 2, 321.7f, 600), kObstacleImpassable);
    EXPECT_EQ(Of(a), (Points{{321, 280 - 5 - 24, 0}}));
    EXPECT_TRUE(Of(b).empty());
    // On this side of it: no point at all.
    EXPECT_EQ(pass(kHitMapCell, 12, 10, 0, 2, 321, 200), kObstacleImpassable);
    EXPECT_TRUE(Of(a).empty());
    // From below, the point lies below the band.
    w.person(0).y = 500;
    EXPECT_EQ(pass(kHitMapCell, 12, 11, 0, 8, 100, 100), kObstacleImpassable);
    EXPECT_EQ(Of(a), (Points{{100, 335 + 5 + 24, 0}}));
}

TEST_F(PassObstacleTest, ABandFromTopToBottomGivesOnePointBesideIt) {
    MapPlan plan(40, 30);
    // Columns 20..21 in every row: a band that leans 16 px left per row.
    for (int r = 0; r < 30; ++r) plan.fill(20, r, 2, 1, pathworld::kWater);
    PathWorld& w = flat(plan);
    w.addPerson(100, 300, 3);
    // At the goal's row 10, line 4 of it: the band's left edge is 640 - 160 - RowShear[4].
    const int left = 640 - 16 * 10 - RowShear[4];
    EXPECT_EQ(pass(kHitMapCell, 20, 5, 0, 1, 700, 284), kObstacleImpassable);
    EXPECT_EQ(Of(a), (Points{{left - 5 - 18, 284 - 17, 0}}));  // 24 / 2 + 5 above the goal
}

TEST_F(PassObstacleTest, ATerrainRegionIsGoneRoundWithWiderMarginsAndItsSlant) {
    MapPlan plan(40, 30);
    plan.fill(10, 10, 3, 2, pathworld::kRock);
    PathWorld& w = flat(plan);
    w.addPerson(100, 300, 3);
    // Outline: top left (320 - 160, 280) = (160, 280), top right 160 + 95, bottom left
    // 160 - 32 at y 335; margins 9 + 5 across, 12 along, slant 12 * 8 / 7 = 13.
    pass(kHitMapCell, 11, 10, 0, 1, 600, 300);
    EXPECT_EQ(Of(a), (Points{{160 - 14, 280 - 12, 1}, {255 + 14 + 13, 280 - 12, 0x21}}));
    EXPECT_EQ(Of(b), (Points{{128 - 14 - 13, 335 + 12, 1}, {223 + 14, 335 + 12, 0x21}}));
}

TEST_F(PassObstacleTest, HouseCellWalls) {
    PathWorld& w = flat();
    w.addPerson(100, 100, 3);
    // Cell (5, 4): L 96, R 127, bottom corners 80 and 111, T 112, B 139; m 14, h 12, t 13.
    struct Case {
        std::uint16_t index3;
        std::uint8_t mask;
        Points a;
        Points b;
    };
    const std::vector<Case> cases = {
        {0, 0x80, {{82, 124, 8}, {82, 100, 0x28}}, {{141, 124, 8}, {141, 100, 0x28}}},
        {0, 0x10, {{113, 100, 1}, {154, 100, 0x21}}, {{84, 151, 1}, {125, 151, 0x21}}},
        {0, 0xC0, {{94, 151, 0x0C}, {53, 151, 0x24}}, {{141, 124, 0x0C}, {141, 100, 0x28}}},
        {1, 0x80, {{82, 100, 8}, {82, 124, 0x22}}, {{141, 100, 8}, {141, 124, 0x22}}},
        {1,
         0xC0,
         {{82, 100, 0x0C}, {53, 151, 0x22}, {94, 151, 0x21}},
         {{82, 100, 0x0C}, {141, 100, 0x21}, {141, 124, 0x22}}},
        {1,
         0x30,
         {{125, 151, 3}, {66, 151, 0x24}, {66, 127, 0x28}},
         {{125, 151, 3}, {154, 100, 0x28}, {113, 100, 0x24}}},
        // Any other mask: no points.
        {0, 0x50, {}, {}},
        {1, 0x04, {}, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(pass(kHitWall, 5, 4, c.index3, c.mask, 600, 600), 0);
        EXPECT_EQ(Of(a), c.a) << int{c.index3} << " " << int{c.mask};
        EXPECT_EQ(Of(b), c.b) << int{c.index3} << " " << int{c.mask};
    }
}

TEST_F(PassObstacleTest, ObstaclesThatNameNothingGiveNoPoints) {
    PathWorld& w = flat();
    w.addPerson(100, 100, 3);
    w.addVehicle(400, 400, 3);
    w.addObject(500, 500, 20, 20);
    struct Case {
        std::uint8_t kind;
        std::uint16_t i1;
        std::uint16_t i2;
    };
    for (const Case c :
         {Case{kHitFahrzeug, 1, 0}, Case{kHitFahrzeug, 65535, 0}, Case{kHitPerson, 7, 0},
          Case{kHitSonderObj, 1, 0}, Case{kHitHouseObj, 0, 0}, Case{kHitMapCell, 40, 3},
          Case{kHitMapCell, 3, 65535}, Case{kHitWall, 65535, 2}, Case{9, 0, 0}, Case{11, 0, 0}}) {
        EXPECT_EQ(pass(c.kind, c.i1, c.i2, 0, 1, 600, 600), 0);
        EXPECT_TRUE(Of(a).empty()) << int{c.kind} << " " << c.i1;
        EXPECT_TRUE(Of(b).empty()) << int{c.kind} << " " << c.i1;
    }
    // A vehicle whose animation its type does not have.
    w.vehicle(0).anim = 5;
    w.vehicleTyp.head.animCount = 0;
    pass(kHitFahrzeug, 0, 0, 0, 1, 600, 600);
    EXPECT_TRUE(Of(a).empty());
}

TEST_F(PassObstacleTest, AnOnlookerKeepsFurtherFromAPerson) {
    PathWorld& w = flat();
    w.addPerson(100, 100, 3);
    w.addPerson(400, 400, 3);  // box 392..408 x 378..400
    pass(kHitPerson, 1, 0, 0, 1, 600, 400);
    EXPECT_EQ(Of(a), (Points{{383, 366, 1}, {417, 366, 0x21}}));
    pass(kHitPerson, 1, 0, 0, 1, 600, 400, 3, true);
    EXPECT_EQ(Of(a), (Points{{363, 346, 1}, {437, 346, 0x21}}));
}

TEST_F(PassObstacleTest, PointsHoldToSixteenBits) {
    PathWorld& w = flat();
    w.addPerson(100, 100, 3);
    WorldMaxX = 65535;
    WorldMaxY = 65535;
    const int object = w.addObject(32760, 100, 20, 20);
    pass(kHitSonderObj, static_cast<std::uint16_t>(object), 0, 0, 1, 0, 0);
    ASSERT_EQ(Of(a).size(), 2u);
    EXPECT_EQ(Of(a)[1].x, 32767);  // 32780 + 9 held at the top
    EXPECT_EQ(Of(a)[0].x, 32751);
}

}  // namespace
}  // namespace kv::test
