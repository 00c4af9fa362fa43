// Moves on mission 1's generated map from start to end: a person walks round a parked car onto an
// exact point, a person inside a house walks round an inner wall, and a fire engine sent 600 px
// along the country road drives there by its route; the road route and the free path search plan
// them.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/collision.h"
#include "movement/move_step.h"
#include "persons/person_types.h"
#include "vehicles/move_fixture.h"
#include "world/furniture.h"
#include "world/geometry.h"
#include "world/house_fixture.h"
#include "world/houses.h"
#include "world/level_map.h"
#include "world/wall_mask.h"

namespace kv {
namespace {

using test::kFieldX;
using test::kFieldY;

using MoveOnMissionOne = test::MoveTest;

TEST_F(MoveOnMissionOne, APersonWalksRoundAParkedCarOntoItsPoint) {
    const std::int16_t car = Make(kTypPARK01, 0, static_cast<std::int16_t>(kFieldX + 100),
                                  static_cast<std::int16_t>(kFieldY), 3);
    const std::int16_t w = Walker(1, kFieldX, kFieldY, 3);
    const float goalX = kFieldX + 200;
    PlannerWatcher.findPath = nullptr;  // the real free path search
    SetBefehl(P(w), PersonTypen[1], kOpMove, -1, static_cast<std::int32_t>(goalX),
              static_cast<std::int32_t>(kFieldY), 0, 0, 1);
    float farthest = 0;
    for (int t = 0; t < 400 && P(w).orders != nullptr; ++t) {
        Tick();
        farthest = std::max(farthest, std::abs(P(w).y - kFieldY));
        CollisionHit hit;
        if (TestCollision(0, P(w), PersonTypen[1], P(w).x, P(w).y,
                          static_cast<std::uint8_t>(P(w).direction), 0,
                          static_cast<std::uint8_t>(P(w).anim), &hit) != 0) {
            EXPECT_FALSE(hit.kind == kHitFahrzeug && hit.index1 == car) << t;
        }
    }
    EXPECT_GT(farthest, 15.0f) << "went round the car";
    EXPECT_EQ(P(w).orders, nullptr);
    EXPECT_EQ(P(w).x, goalX);
    EXPECT_EQ(P(w).y, kFieldY);
    EXPECT_EQ(P(w).anim, 0);
}

TEST_F(MoveOnMissionOne, APersonInAHouseWalksRoundAnInnerWallToAGoalBehindIt) {
    // House type 0 (6 x 4 cells) on the field, its furniture flat; a wall down the middle of its
    // ground floor from the rear row to the front row, which is left open.
    constexpr int kColumn = 20;
    constexpr int kRow = 6;
    ASSERT_TRUE(test::PlaceHouses({{0, kColumn, kRow, 0, 0, 1}}));
    for (HouseObj& o : HouseObjs) o.flag = 0;
    HouseTyp& typ = HouseTypen[static_cast<std::size_t>(Houses[0].type)];
    for (int j = 0; j < 3; ++j) {
        HouseCell& west = typ.cell(0, 2, j);
        HouseCell& east = typ.cell(0, 3, j);
        west.walls = WallCode(WallMask(west.walls) | kWallEast);
        east.walls = WallCode(WallMask(east.walls) | kWallWest);
    }
    const auto middle = [](int i, int j) {
        const int row = kRow + j;
        return PointF{static_cast<float>(CellLineStartX(kColumn + i, row, 14) + 16),
                      static_cast<float>(kCellHeight * row + 14)};
    };
    const PointF start = middle(1, 1);
    const PointF goal = middle(4, 1);
    const std::int16_t w = Walker(1, start.x, start.y, 3);
    P(w).storey = 1;
    P(w).house = 0;
    PlannerWatcher.findPath = nullptr;  // the real free path search
    SetBefehl(P(w), PersonTypen[1], kOpMove, -1, static_cast<std::int32_t>(goal.x),
              static_cast<std::int32_t>(goal.y), 0, 0, 1);
    float lowest = start.y;
    for (int t = 0; t < 600 && P(w).orders != nullptr; ++t) {
        Tick();
        lowest = std::max(lowest, P(w).y);
        EXPECT_EQ(TestCollision(0, P(w), PersonTypen[1], P(w).x, P(w).y,
                                static_cast<std::uint8_t>(P(w).direction), 1,
                                static_cast<std::uint8_t>(P(w).anim), nullptr),
                  0)
            << t;
    }
    EXPECT_GT(lowest, static_cast<float>(kCellHeight * (kRow + 3))) << "round the wall's end";
    EXPECT_EQ(P(w).orders, nullptr);
    EXPECT_EQ(P(w).x, goal.x);
    EXPECT_EQ(P(w).y, goal.y);
    EXPECT_EQ(P(w).storey, 1);
}

TEST_F(MoveOnMissionOne, AFireEngineSentAlongTheRoadStandsAtItsTarget) {
    PlannerWatcher.planRoute = nullptr;  // the real road route and free path search
    PlannerWatcher.findPath = nullptr;
    const std::int16_t v = Make(kTypF101, 1, 300, 620, 0);
    constexpr float kTargetX = 900;
    constexpr float kTargetY = 554;  // the eastbound lane
    SetBefehl(V(v), FahrzeugTypOf(V(v)), kOpMove, -1, static_cast<std::int32_t>(kTargetX),
              static_cast<std::int32_t>(kTargetY), 0, 0, 1);
    bool onRoute = false;
    for (int t = 0; t < 2000 && V(v).orders != nullptr; ++t) {
        Tick();
        onRoute =
            onRoute || (V(v).orders != nullptr && (V(v).orders->flags & kBefehlRouteLeg) != 0);
    }
    EXPECT_TRUE(onRoute) << "drove the route's legs";
    EXPECT_EQ(V(v).orders, nullptr);
    EXPECT_LE(DistanceFloat(V(v).x, V(v).y, kTargetX, kTargetY), 13.0f);
    EXPECT_EQ(V(v).anim, 0);
    EXPECT_EQ(V(v).route, nullptr);
}

}  // namespace
}  // namespace kv
