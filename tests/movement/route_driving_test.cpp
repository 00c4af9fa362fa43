// Driving a laid road route and what the free path search asks of it.

#include "movement/route_driving.h"

#include <gtest/gtest.h>

#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/route_fixture.h"
#include "movement/route_search.h"
#include "movement/stepping.h"

namespace kv {
namespace {

using test::RoadGraph;

class RouteDrivingTest : public test::RouteTest {
  protected:
    // The line, and 4 (700, 200) north of 2.
    void loadLine() {
        graph = test::LineGraph();
        graph.add(700, 200);
        graph.link(2, 4);
        loadGraph(graph);
    }
    // A route with the given lists, as if laid, for the unit's head order.
    static void GiveRoute(UnitHead& u, RouteWaypoints a, RouteWaypoints b) {
        StartRoute(u);
        u.route->links = {};
        u.route->listA = std::move(a);
        u.route->listB = std::move(b);
    }
    RoadGraph graph;
};

constexpr RouteWaypoint kSentinel{kNoNode, 0, 0, 0};
constexpr std::uint8_t kRockTerrain = 4;  // no vehicle passes

TEST_F(RouteDrivingTest, LegsOneByOneThenTheRouteEnds) {
    loadLine();
    UnitHead& u = sendVehicle(250, 560, 1300, 560);
    std::uint8_t result = 0;
    planUntilDone(u, result);
    ASSERT_EQ(result, 1);
    ASSERT_EQ(u.route->listA.size(), 3u);  // the sentinel, the start, the end
    const RouteWaypoint last = u.route->listA[2];
    EXPECT_EQ(u.route->listB.size(), 5u);  // the sentinel, the start, 1, 2, the end at 3

    // The drive step pops the leg it finished and asks for the next.
    PopBefehl(u);
    EXPECT_EQ(NextRouteWaypoint(u), 1);
    EXPECT_EQ(u.route->candidatesLeft, 0);
    EXPECT_EQ(u.route->listA.front().node, u.route->listB.front().node);
    ASSERT_NE(u.orders, nullptr);
    EXPECT_EQ(u.orders->aFloat(), last.x);
    EXPECT_EQ(u.orders->flags, kBefehlRouteLeg);
    EXPECT_EQ(RepushRouteWaypoint(u), 1);
    PopBefehl(u);
    PopBefehl(u);
    EXPECT_EQ(NextRouteWaypoint(u), 0);
    EXPECT_EQ(u.route, nullptr);
    EXPECT_EQ(RepushRouteWaypoint(u), 0);
    // The move order is still there behind the legs.
    ASSERT_NE(u.orders, nullptr);
    EXPECT_EQ(u.orders->flags, 0);
    EXPECT_EQ(u.orders->aFloat(), 1300.0f);
}

TEST_F(RouteDrivingTest, RestoresTheMoveOrderItWasPlannedFor) {
    loadLine();
    UnitHead& u = sendVehicle(250, 560, 850, 560);
    DiscardBefehle(u);
    AppendBefehl54(u, kOpRouteLeg, 850, 560, 0, 0, 0, kBefehlRouteLeg, -1, 850, 560);
    GiveRoute(u, {kSentinel}, {kSentinel});
    PopBefehl(u);
    RestoreRouteOrder(u, false);
    ASSERT_NE(u.orders, nullptr);
    EXPECT_EQ(u.orders->opcode, kOpRouteLeg);
    EXPECT_EQ(u.orders->flags, 0);
    EXPECT_EQ(u.orders->aFloat(), 850.0f);
    EXPECT_EQ(u.orders->finalY, 560.0f);
    PopBefehl(u);
    // A route that ended at the target took the order with it: only a forced restore brings it.
    u.route->order->opcode = kOpMove;
    u.route->order->flags = kRouteOrderRemoved;
    RestoreRouteOrder(u, false);
    EXPECT_EQ(u.orders, nullptr);
    RestoreRouteOrder(u, true);
    ASSERT_NE(u.orders, nullptr);
    EXPECT_EQ(u.orders->opcode, kOpMove);
    EXPECT_EQ(u.orders->bFloat(), 560.0f);
}

// For each direction of travel: entry w of list B lies at (500, 500); the unit a little past it
// or a little short of it, facing the next waypoint further on. The ways lie inside their
// direction's band.
TEST_F(RouteDrivingTest, ListBFollowsTheEntriesTheUnitHasPassed) {
    loadLine();
    const PixelPos kStep[12] = {{0, -10}, {3, -7}, {8, -4}, {10, 0},  {8, 4},   {3, 7},
                                {0, 10},  {-3, 7}, {-8, 4}, {-10, 0}, {-8, -4}, {-3, -7}};
    UnitHead& u = sendVehicle(0, 0, 0, 0);
    for (int d = 0; d < 12; ++d) {
        const float sx = static_cast<float>(kStep[d].x);
        const float sy = static_cast<float>(kStep[d].y);
        const RouteWaypoint before{10, 500 - 30 * sx, 500 - 30 * sy, 0};
        const RouteWaypoint w{11, 500, 500, 0};
        const RouteWaypoint next{12, 500 + 30 * sx, 500 + 30 * sy, 0};
        for (const float along : {0.5f, -0.5f}) {
            GiveRoute(u, {before, next}, {before, w, next});
            u.x = 500 + along * sx;
            u.y = 500 + along * sy;
            u.direction = static_cast<std::int8_t>(d);
            EXPECT_EQ(AdvanceRouteListB(u), 1);
            const bool passed = along > 0;
            EXPECT_EQ(u.route->listB.size(), passed ? 2u : 3u) << d << " " << along;
            EXPECT_EQ(u.route->listA.front().node, passed ? 11 : 10) << d << " " << along;
        }
    }
    // Nothing while the unit faces elsewhere.
    const RouteWaypoint a{0, 100, 524, 0};
    const RouteWaypoint b{1, 400, 524, 0};
    const RouteWaypoint c{2, 700, 524, 0};
    GiveRoute(u, {a, c}, {a, b, c});
    u.x = 500;
    u.y = 524;
    u.direction = 9;
    EXPECT_EQ(AdvanceRouteListB(u), 1);
    EXPECT_EQ(u.route->listB.size(), 3u);
    u.direction = 3;
    EXPECT_EQ(AdvanceRouteListB(u), 1);
    EXPECT_EQ(u.route->listB.size(), 2u);
    EXPECT_EQ(u.route->listA.front(), b);
    GiveRoute(u, {kSentinel, a}, {kSentinel, a});
    EXPECT_EQ(AdvanceRouteListB(u), 1);
    EXPECT_EQ(u.route->listA.front().node, kNoNode);
    u.route->listB.clear();
    EXPECT_EQ(AdvanceRouteListB(u), 0);
}

TEST_F(RouteDrivingTest, RoadLines) {
    // Two nodes by direction class, a point, and where its foot falls.
    struct Case {
        PixelPos a, b;
        float x, y;
        float fx, fy;
        bool on;
    };
    const Case cases[] = {
        {{100, 500}, {400, 500}, 250, 540, 250, 500, true},  // 3
        {{100, 500}, {400, 500}, 450, 540, 450, 500, false},
        {{500, 600}, {500, 300}, 530, 400, 500, 400, true},  // 0
        {{100, 500}, {300, 150}, 154, 438, 140, 430, true},  // 1: slope -7/4
        {{100, 500}, {450, 300}, 174, 467, 170, 460, true},  // 2: slope -4/7
        {{100, 100}, {450, 300}, 142, 189, 170, 140, true},  // 4: slope 4/7
        {{100, 100}, {300, 450}, 126, 178, 140, 170, true},  // 5: slope 7/4
        {{100, 100}, {300, 450}, 40, 40, 59.385f, 28.923f, false},
    };
    for (const Case& c : cases) {
        RoadGraph g;
        g.add(c.a.x, c.a.y);
        g.add(c.b.x, c.b.y);
        g.link(0, 1);
        loadGraph(g);
        const UnitHead& u = vehicles[0];
        float fx = 0;
        float fy = 0;
        EXPECT_EQ(FootOnRoadLine(u, 0, 1, c.x, c.y, fx, fy), c.on) << c.x << "," << c.y;
        EXPECT_NEAR(fx, c.fx, 0.01) << c.x << "," << c.y;
        EXPECT_NEAR(fy, c.fy, 0.01) << c.x << "," << c.y;
    }

    loadLine();
    const UnitHead& u = vehicles[0];
    EXPECT_TRUE(IsOnRoadLine(u, 0, 3));
    EXPECT_TRUE(IsOnRoadLine(u, 3, 1));
    EXPECT_FALSE(IsOnRoadLine(u, 0, 4));  // round the corner at 2
    EXPECT_TRUE(IsOnRoadLine(u, 2, 4));
    float fx = 0;
    float fy = 0;
    EXPECT_TRUE(JoinRoadLine(u, 800, 530, 0, 3, fx, fy));
    EXPECT_EQ(fx, 800.0f);
    EXPECT_FALSE(JoinRoadLine(u, 690, 300, 0, 4, fx, fy));
}

TEST_F(RouteDrivingTest, WalkAheadForRejoining) {
    loadLine();
    UnitHead& u = sendVehicle(250, 560, 1300, 560);
    const RouteWaypoint w1{1, 400, 524, 0};
    const RouteWaypoint w2{2, 700, 524, 0};
    const RouteWaypoint w3{3, 1000, 524, 1};
    GoalList goals;
    // Reached with a waypoint after it: nothing to go round.
    EXPECT_EQ(WalkToWaypoint(u, car.head, 250, 560, w1, &w2, goals), 0);
    // The last waypoint: it and the target of the planned order.
    GiveRoute(u, {kSentinel, w1, w2, w3}, {kSentinel, w1, w2, w3});
    ASSERT_EQ(RejoinRouteWalk(u, car.head, 250, 560, goals), 2);
    EXPECT_EQ(goals[0].x, 1000.0f);
    EXPECT_EQ(goals[0].facing, kGoalNoFacing);
    EXPECT_EQ(goals[1].x, 1300.0f);
    EXPECT_EQ(goals[1].y, 560.0f);
    ASSERT_EQ(u.route->listA.size(), 2u);  // the walk dropped the waypoints it reached
    EXPECT_EQ(u.route->listA.front().node, 2);
    EXPECT_EQ(u.route->listB.front().node, 2);

    // A unit that cannot step stops where it stands: its point and the waypoint, each facing on.
    u.speed = 0;
    ASSERT_EQ(WalkToWaypoint(u, car.head, 250, 560, w1, &w2, goals), 2);
    EXPECT_EQ(goals[0].x, 250.0f);
    EXPECT_EQ(goals[0].y, 560.0f);
    EXPECT_EQ(goals[0].facing, 2);  // up the flat slope to the waypoint
    EXPECT_EQ(goals[1].x, 400.0f);
    EXPECT_EQ(goals[1].facing, 3);
    ASSERT_EQ(WalkToWaypoint(u, car.head, 250, 560, w3, nullptr, goals), 2);
    EXPECT_EQ(goals[1].facing, kGoalNoFacing);

    // Rock wider than the look-ahead across the way: the walk stops at the last free point.
    u.speed = car.head.speed;
    sampledata::LevelFile level = GraphLevel(graph);
    for (int c = 0; c < level.width; ++c)
        for (int r = 0; r < level.height; ++r) {
            const int x = kCellWidth * c - 16 * r + 16;
            const int y = kCellHeight * r + 14;
            if (x >= 280 && x <= 370 && y >= 350 && y <= 700)
                level.cells[static_cast<std::size_t>(c * level.height + r)].terrain = kRockTerrain;
        }
    loadLevel(level);
    ASSERT_EQ(WalkToWaypoint(u, car.head, 200, 524, w1, &w2, goals), 2);
    EXPECT_GT(goals[0].x, 230.0f);
    EXPECT_LT(goals[0].x, 280.0f);
    EXPECT_EQ(goals[0].y, 524.0f);
    EXPECT_EQ(goals[0].facing, 3);
    EXPECT_EQ(goals[1].x, 400.0f);
    // A shorter way through rock is walked through.
    car.head.shortcutBackSteps = 60;
    EXPECT_EQ(WalkToWaypoint(u, car.head, 200, 524, w1, &w2, goals), 0);

    // Nothing left to walk to: both lists go.
    GiveRoute(u, {kSentinel}, {kSentinel});
    EXPECT_EQ(RejoinRouteWalk(u, car.head, 250, 560, goals), 0);
    EXPECT_TRUE(u.route->listA.empty());
    EXPECT_TRUE(u.route->listB.empty());
}

}  // namespace
}  // namespace kv
