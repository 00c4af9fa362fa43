// Placing a road route's waypoints on their lanes, merging them, and laying the first leg.

#include "movement/route_laying.h"

#include <gtest/gtest.h>

#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/route_fixture.h"
#include "movement/route_search.h"

namespace kv {
namespace {

using test::RoadGraph;

class RouteLayingTest : public test::RouteTest {};

// A star round node 0 at (600, 500): one road in each of the eight travel directions.
struct Star {
    Star() {
        graph.add(600, 500);
        for (const PixelPos d : kDirs) {
            const int n = graph.add(600 + d.x, 500 + d.y);
            graph.link(0, n);
        }
    }
    static constexpr PixelPos kDirs[] = {{200, 0},   {-200, 0},    {0, 200},    {0, -200},
                                         {150, 150}, {-150, -150}, {150, -150}, {-150, 150}};
    RoadGraph graph;
};

TEST_F(RouteLayingTest, LanesLieRightOfTheDirectionOfTravel) {
    const Star star;
    loadGraph(star.graph);
    const UnitHead& u = sendVehicle(0, 0, 0, 0);
    // Leaving node 0 towards each neighbour: the right-hand side of that way.
    const PointF expected[] = {{600, 524}, {600, 476}, {576, 500}, {624, 500},
                               {576, 524}, {624, 476}, {624, 524}, {576, 476}};
    for (std::uint16_t n = 1; n <= 8; ++n) {
        const PointF at = PlaceRouteWaypoint(u, car.head, 0, kNoNode, n);
        EXPECT_EQ(at.x, expected[n - 1].x) << n;
        EXPECT_EQ(at.y, expected[n - 1].y) << n;
    }
    // Arriving from the west: on the way east's lane, and where it meets the way south's.
    PointF at = PlaceRouteWaypoint(u, car.head, 0, 2, kNoNode);
    EXPECT_EQ(at.x, 600.0f);
    EXPECT_EQ(at.y, 524.0f);
    at = PlaceRouteWaypoint(u, car.head, 0, 2, 1);  // straight on: the lines are parallel
    EXPECT_EQ(at.x, 600.0f);
    EXPECT_EQ(at.y, 524.0f);
    at = PlaceRouteWaypoint(u, car.head, 0, 2, 3);  // turning right into the way south
    EXPECT_EQ(at.x, 576.0f);
    EXPECT_EQ(at.y, 524.0f);
    at = PlaceRouteWaypoint(u, car.head, 0, 2, 4);  // turning left into the way north
    EXPECT_EQ(at.x, 624.0f);
    EXPECT_EQ(at.y, 524.0f);
}

TEST_F(RouteLayingTest, WideVehiclesAndUnsetLanesKeepToTheMiddle) {
    Star star;
    star.graph.nodes[0].edgeExtra[9] = 255;  // towards node 2, in the west
    star.graph.nodes[2].edgeExtra[3] = 255;
    loadGraph(star.graph);
    const UnitHead& u = sendVehicle(0, 0, 0, 0);
    PointF at = PlaceRouteWaypoint(u, car.head, 0, kNoNode, 2);
    EXPECT_EQ(at.x, 600.0f);
    EXPECT_EQ(at.y, 500.0f);
    // Half of 60 less 10 fits a lane of 24, half of 80 less 10 does not.
    test::TestUnitTyp truck(kPlayerVehicleUnitClass, 5, 0);
    truck.setBox(30, 30, {0, 0, 60, 60});
    at = PlaceRouteWaypoint(u, truck.head, 0, kNoNode, 1);
    EXPECT_EQ(at.y, 524.0f);
    truck.setBox(40, 40, {0, 0, 80, 80});
    at = PlaceRouteWaypoint(u, truck.head, 0, kNoNode, 1);
    EXPECT_EQ(at.y, 500.0f);
}

TEST_F(RouteLayingTest, MergesWaypointsOnOneStraightRoad) {
    RoadGraph graph;
    graph.chain({{100, 500}, {300, 500}, {500, 500}});
    graph.add(700, 500);
    graph.link(2, 3, test::kRoadTerrain, 12);
    graph.add(700, 300);
    graph.link(3, 4);
    loadGraph(graph);
    UnitHead& u = sendVehicle(100, 560, 700, 300);
    StartRoute(u);
    for (std::uint16_t n = 0; n < 5; ++n) {
        const RoadNode& node = RoadNodes[n];
        u.route->listA.push_back({n, static_cast<float>(node.x), static_cast<float>(node.y), 0});
    }
    MergeStraightWaypoints(u);
    std::vector<std::uint16_t> nodes;
    for (const RouteWaypoint& w : u.route->listA) nodes.push_back(w.node);
    // 1 goes; 2 stays where the lane narrows, 3 where the road turns.
    EXPECT_EQ(nodes, (std::vector<std::uint16_t>{0, 2, 3, 4}));
}

TEST_F(RouteLayingTest, PlacedOnTheFirstWaypointWithin15Pixels) {
    loadGraph(test::LineGraph());
    car.head.shortcutBackSteps = 3;  // the start is cut short by one step of 3 px
    UnitHead& u = sendVehicle(250, 524, 850, 560);
    std::uint8_t result = 0;
    planUntilDone(u, result);
    ASSERT_EQ(result, 1);
    ASSERT_NE(u.orders, nullptr);
    EXPECT_EQ(u.orders->opcode, kOpPlace);
    EXPECT_EQ(u.orders->aFloat(), 253.0f);
    EXPECT_EQ(u.orders->bFloat(), 524.0f);
    EXPECT_EQ(u.orders->cInt(), 3);
    ASSERT_NE(u.orders->next, nullptr);
    EXPECT_EQ(u.orders->next->opcode, kOpMove);
    EXPECT_EQ(u.orders->next->flags, kBefehlRouteLeg);
    EXPECT_EQ(u.orders->next->aFloat(), 253.0f);

    DiscardBefehle(u);
    UnitHead& far = sendVehicle(250, 600, 850, 560);
    planUntilDone(far, result);
    ASSERT_EQ(result, 1);
    EXPECT_EQ(far.orders->opcode, kOpMove);
    EXPECT_EQ(far.orders->flags, kBefehlRouteLeg);
}

}  // namespace
}  // namespace kv
