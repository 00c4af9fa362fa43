// The road route's records, its view of the road graph, and the search.

#include "movement/route.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/path_nodes.h"
#include "movement/route_fixture.h"
#include "movement/route_search.h"
#include "movement/stepping.h"
#include "support/golden_bytes.h"
#include "support/record_offsets.h"

namespace kv {
namespace {

using test::GoldenBytes;
using test::RoadGraph;

// The save game copies these byte ranges of a unit's route.
TEST(RouteRecord, SavedLayout) {
    test::ExpectLayout<Route>(153, {{"openList", 0},
                                    {"copyCount", 4},
                                    {"copyIds", 6},
                                    {"copies", 10},
                                    {"copyRoom", 14},
                                    {"startId", 16},
                                    {"targetId", 18},
                                    {"tempStart", 20},
                                    {"tempTarget", 72},
                                    {"links", 124},
                                    {"bestCost", 128},
                                    {"listA", 132},
                                    {"listB", 136},
                                    {"restarts", 140},
                                    {"order", 141},
                                    {"candidates", 145},
                                    {"candidatesLeft", 149},
                                    {"candidateRoom", 151}});
    test::ExpectLayout<RouteWaypoint>(
        15, {{"node", 0}, {"x", 2}, {"y", 6}, {"next", 10}, {"flag", 14}});
    test::ExpectLayout<RouteStartCandidate>(
        17, {{"a", 0}, {"b", 2}, {"footX", 4}, {"footY", 8}, {"distance", 12}, {"reachable", 16}});
    test::ExpectLayout<RouteOrderCopy>(11, {{"opcode", 0}, {"flags", 2}, {"a", 3}, {"b", 7}});
    test::ExpectLayout<OpenEntry>(12, {{"node", 0}, {"from", 2}, {"cost", 4}, {"next", 8}});
}

TEST(RouteRecord, ReadsTheStoredBytes) {
    // A waypoint: node 0x0102 at (100.0, -2.5), the list link, flag 1.
    GoldenBytes waypoint;
    waypoint.at(0).bytes({0x02, 0x01}).at(2).bytes({0x00, 0x00, 0xC8, 0x42});
    waypoint.at(6).bytes({0x00, 0x00, 0x20, 0xC0}).at(10).zeros(4).at(14).bytes({0x01});
    ByteReader in(waypoint);
    const RouteWaypoint w = ReadRecord<RouteWaypoint>(in);
    EXPECT_TRUE(in.atEnd());
    EXPECT_EQ(w, (RouteWaypoint{0x0102, 100.0f, -2.5f, 1}));
    ByteWriter out;
    WriteRecord(out, w);
    EXPECT_EQ(out.data(), waypoint.data());

    // A start candidate: edge 3-255, foot (1.0, 0.5), 400 px away, reachable.
    GoldenBytes candidate;
    candidate.at(0).bytes({0x03, 0x00}).at(2).bytes({0xFF, 0x00});
    candidate.at(4).bytes({0x00, 0x00, 0x80, 0x3F}).at(8).bytes({0x00, 0x00, 0x00, 0x3F});
    candidate.at(12).bytes({0x00, 0x00, 0xC8, 0x43}).at(16).bytes({0x01});
    ByteReader cin(candidate);
    const RouteStartCandidate c = ReadRecord<RouteStartCandidate>(cin);
    EXPECT_TRUE(cin.atEnd());
    EXPECT_EQ(c.a, 3);
    EXPECT_EQ(c.b, 255);
    EXPECT_EQ(c.footX, 1.0f);
    EXPECT_EQ(c.footY, 0.5f);
    EXPECT_EQ(c.distance, 400.0f);
    EXPECT_EQ(c.reachable, 1);

    // The order copy: opcode 54, the order removed, target (1500.0, 554.0).
    GoldenBytes copy;
    copy.at(0).bytes({0x36, 0x00}).at(2).bytes({0x01});
    copy.at(3).bytes({0x00, 0x80, 0xBB, 0x44}).at(7).bytes({0x00, 0x80, 0x0A, 0x44});
    ByteReader oin(copy);
    const RouteOrderCopy o = ReadRecord<RouteOrderCopy>(oin);
    EXPECT_TRUE(oin.atEnd());
    EXPECT_EQ(o.opcode, 54);
    EXPECT_EQ(o.flags, kRouteOrderRemoved);
    EXPECT_EQ(o.a, 0x44BB8000u);
    EXPECT_EQ(o.b, 0x440A8000u);

    // The route's own fields: two copies in room for ten, start 7 and target 300, the
    // temporary start at (-3, 530) naming node 7 in direction 9, one restart, two candidates
    // left in room for five.
    GoldenBytes route;
    route.at(0).zeros(4).at(4).bytes({0x02, 0x00}).at(6).zeros(8);
    route.at(14).bytes({0x0A, 0x00}).at(16).bytes({0x07, 0x00}).at(18).bytes({0x2C, 0x01});
    route.at(20).bytes({0xFD, 0xFF, 0x12, 0x02}).zeros(18).bytes({0x07, 0x00}).zeros(28);
    route.at(72).zeros(52).at(124).zeros(16).at(140).bytes({0x01}).at(141).zeros(8);
    route.at(149).bytes({0x02, 0x00}).at(151).bytes({0x05, 0x00});
    ByteReader rin(route);
    Route r;
    ReadRecord(rin, r);
    EXPECT_TRUE(rin.atEnd());
    EXPECT_EQ(r.copyCount, 2);
    EXPECT_EQ(r.copyRoom, 10);
    EXPECT_EQ(r.startId, 7);
    EXPECT_EQ(r.targetId, 300);
    EXPECT_EQ(r.tempStart.x, -3);
    EXPECT_EQ(r.tempStart.y, 530);
    EXPECT_EQ(r.tempStart.neighbour[9], 7);
    EXPECT_EQ(r.restarts, 1);
    EXPECT_EQ(r.candidatesLeft, 2);
    EXPECT_EQ(r.candidateRoom, 5);
}

// Cheapest first; among equal costs the newest; one entry per node, the cheaper one kept.
TEST(RouteOpenList, OrderOfTheEntries) {
    RouteOpenList list;
    list.insert(1, -1, 5.0f, 10);
    list.insert(2, -1, 5.0f, 10);
    list.insert(3, -1, 5.0f, 10);
    list.insert(4, -1, 2.0f, 10);
    list.insert(4, 7, 3.0f, 10);    // dearer: no change
    list.insert(1, 8, 4.0f, 10);    // cheaper: replaces
    list.insert(12, -1, 0.0f, 10);  // no such node
    std::vector<std::pair<int, int>> taken;
    while (!list.empty()) {
        const OpenEntry e = list.takeFirst();
        taken.emplace_back(e.node, e.from);
    }
    EXPECT_EQ(taken, (std::vector<std::pair<int, int>>{{4, -1}, {1, 8}, {3, -1}, {2, -1}}));
}

class RouteGraphTest : public test::RouteTest {
  protected:
    // The line, and node 4 below 1 that names 1 but is not named back.
    void loadLine() {
        graph = test::LineGraph();
        graph.add(400, 800);
        graph.linkOneWay(4, 1);
        loadGraph(graph);
        levelNodes = RoadNodes;
    }
    void expectLevelUnchanged() const { test::ExpectRoadNodes(levelNodes); }
    RoadGraph graph;
    std::vector<RoadNode> levelNodes;
};

TEST_F(RouteGraphTest, PrivateCopiesTemporaryNodesAndTheLevel) {
    loadLine();
    UnitHead& u = sendVehicle(250, 560, 850, 560);
    const std::uint16_t s = TempStartId();
    const std::uint16_t t = TempTargetId();
    ASSERT_EQ(s, 5);
    // Without a route only the level's nodes are there; the spare slots are not.
    EXPECT_EQ(ReadRoadNode(u, 0), &RoadNodes[0]);
    EXPECT_EQ(ReadRoadNode(u, s), nullptr);
    EXPECT_EQ(ReadRoadNode(u, kNoNode), nullptr);
    EXPECT_EQ(InsertTempNode(u, 0, 1, 250, 500, s), kNoNode);

    StartRoute(u);
    ASSERT_NE(u.route, nullptr);
    EXPECT_EQ(ReadRoadNode(u, s), &u.route->tempStart);
    EXPECT_EQ(ReadRoadNode(u, t + 1), nullptr);
    EXPECT_EQ(u.route->startId, s);
    EXPECT_EQ(u.route->targetId, t);

    // Splice the start into 0-1: its slots cross the ends' terrain and lane bytes.
    EXPECT_EQ(InsertTempNode(u, 0, 1, 250.7f, 500.2f, s), s);
    const RoadNode& start = *ReadRoadNode(u, s);
    EXPECT_EQ(start.x, 250);
    EXPECT_EQ(start.y, 500);
    EXPECT_EQ(start.neighbour[9], 0);
    EXPECT_EQ(start.neighbour[3], 1);
    EXPECT_EQ(start.edgeExtra[9], test::kTestLane);
    EXPECT_EQ(ReadRoadNode(u, 0)->neighbour[3], s);
    EXPECT_EQ(ReadRoadNode(u, 1)->neighbour[9], s);
    EXPECT_EQ(u.route->copyCount, 2);
    EXPECT_EQ(u.route->copyRoom, 10);

    // The target into the start's half edge: the start gets a private copy too.
    EXPECT_EQ(InsertTempNode(u, s, 1, 300, 500, t), t);
    EXPECT_EQ(ReadRoadNode(u, s)->neighbour[3], t);
    EXPECT_EQ(u.route->tempStart.neighbour[3], 1);
    EXPECT_EQ(u.route->copyCount, 3);

    // Out again in the order a restart takes them: 0-1 is whole again.
    RemoveTempNode(u, s);
    EXPECT_EQ(ReadRoadNode(u, 0)->neighbour[3], t);
    EXPECT_EQ(ReadRoadNode(u, t)->neighbour[9], 0);
    RemoveTempNode(u, t);
    EXPECT_EQ(ReadRoadNode(u, 0)->neighbour[3], 1);
    EXPECT_EQ(ReadRoadNode(u, 1)->neighbour[9], 0);
    EXPECT_EQ(u.route->copyCount, 2);  // only the level nodes' copies are left

    // On an end node the node itself stands in; a one-way edge takes no temporary node.
    EXPECT_EQ(InsertTempNode(u, 0, 1, 400, 500, s), 1);
    EXPECT_EQ(u.route->tempStart.x, 400);
    EXPECT_EQ(InsertTempNode(u, 4, 1, 400, 700, s), kNoNode);
    EXPECT_EQ(u.route->copyCount, 2);

    UnlinkRoadNodes(u, 2, 3);
    EXPECT_EQ(FindRoadLink(u, 2, 3), -1);
    EXPECT_EQ(FindRoadLink(u, 3, 2), -1);
    EXPECT_EQ(FindRoadLink(u, 1, 2), 3);
    expectLevelUnchanged();
}

TEST_F(RouteGraphTest, NearestEdgePassesOverOneWayEdges) {
    loadLine();
    UnitHead& u = sendVehicle(250, 560, 850, 560);
    RoadEdgePoint at;
    // Right on the one-way edge 4-1: the nearest two-way edge is taken.
    ASSERT_TRUE(FindNearestRoadEdge(u, 400, 700, at));
    EXPECT_EQ(at.x, 400.0f);
    EXPECT_EQ(at.y, 500.0f);
    EXPECT_EQ(at.distance, 200.0f);
    // Beside node 2 both of its edges tie; the later one is taken from a shared end point.
    ASSERT_TRUE(FindNearestRoadEdge(u, 700, 450, at));
    EXPECT_EQ(at.a, 2);
    EXPECT_EQ(at.b, 3);
    ASSERT_TRUE(FindNearestRoadEdge(u, 850, 520, at));
    EXPECT_EQ(at.a, 2);
    EXPECT_EQ(at.x, 850.0f);
}

TEST_F(RouteGraphTest, PlansAlongTheRoadAndLeavesTheLevelAlone) {
    loadLine();
    UnitHead& u = sendVehicle(250, 560, 850, 560);
    // Attachments and the whole search in the first call, laying in the second.
    EXPECT_EQ(PlanRoute(u, car.head), 1);
    ASSERT_NE(u.route, nullptr);
    EXPECT_TRUE(u.route->links.empty());
    std::vector<std::uint16_t> nodes;
    for (const RouteWaypoint& w : u.route->listA) nodes.push_back(w.node);
    EXPECT_EQ(nodes, (std::vector<std::uint16_t>{TempStartId(), 1, 2, TempTargetId()}));
    EXPECT_NE(u.moverFlags & kMoverRoutePlanning, 0);
    EXPECT_EQ(PlanRoute(u, car.head), 1);
    EXPECT_EQ(u.moverFlags & kMoverRoutePlanning, 0);
    ASSERT_NE(u.orders, nullptr);
    EXPECT_EQ(u.orders->opcode, 0);
    EXPECT_EQ(u.orders->flags, kBefehlRouteLeg);
    expectLevelUnchanged();
    ClearBefehle(u);
    EXPECT_EQ(u.route, nullptr);
    expectLevelUnchanged();
}

TEST_F(RouteGraphTest, TargetOnANodeMakesNoTemporaryNode) {
    loadLine();
    UnitHead& u = sendVehicle(250, 560, 1000, 500);
    EXPECT_EQ(PlanRoute(u, car.head), 1);
    ASSERT_NE(u.route, nullptr);
    EXPECT_EQ(u.route->targetId, 3);
    EXPECT_EQ(u.route->listB.back().node, 3);
}

TEST_F(RouteGraphTest, AnImpassableEdgeOnlyWhenNothingElseConnects) {
    // 0 - 1 straight through a wall (300 px), or round by 2 on gravel (about 630 px).
    graph.chain({{100, 500}, {400, 500}});
    graph.nodes[0].edgeTerrain[3] = test::kWallTerrain;
    graph.nodes[1].edgeTerrain[9] = test::kWallTerrain;
    graph.add(250, 250);
    graph.link(0, 2, test::kGravelTerrain);
    graph.link(2, 1, test::kGravelTerrain);
    // A neighbour id past the level's nodes counts as none.
    graph.nodes[2].neighbour[0] = 77;
    loadGraph(graph);
    UnitHead& u = sendVehicle(40, 560, 460, 560);
    ASSERT_EQ(PlanRoute(u, car.head), 1);
    std::vector<std::uint16_t> nodes;
    for (const RouteWaypoint& w : u.route->listB) nodes.push_back(w.node);
    EXPECT_EQ(nodes, (std::vector<std::uint16_t>{0, 2, 1}));
    DiscardBefehle(u);

    graph.nodes.resize(2);
    graph.nodes[0].neighbour.fill(kNoNode);
    graph.nodes[1].neighbour.fill(kNoNode);
    graph.link(0, 1, test::kWallTerrain);
    loadGraph(graph);
    UnitHead& v = sendVehicle(40, 560, 460, 560);
    ASSERT_EQ(PlanRoute(v, car.head), 1);
    nodes.clear();
    for (const RouteWaypoint& w : v.route->listB) nodes.push_back(w.node);
    EXPECT_EQ(nodes, (std::vector<std::uint16_t>{0, 1}));
}

TEST_F(RouteGraphTest, ALongChainIsSearchedOverSeveralCalls) {
    for (int i = 0; i < 100; ++i) {
        graph.add(20 + 12 * i, 500);
        if (i > 0) graph.link(i - 1, i);
    }
    loadGraph(graph);
    UnitHead& u = sendVehicle(26, 560, 1190, 560);
    // 102 nodes: slices of 41, 41 and 20 expansions, then the laying call.
    EXPECT_EQ(PlanRoute(u, car.head), 1);
    ASSERT_FALSE(u.route->links.empty());
    EXPECT_EQ(std::count_if(u.route->bestCost.begin(), u.route->bestCost.end(),
                            [](float c) { return c < 1e38f; }),
              41);
    EXPECT_EQ(PlanRoute(u, car.head), 1);
    EXPECT_FALSE(u.route->links.empty());
    EXPECT_EQ(PlanRoute(u, car.head), 1);
    EXPECT_TRUE(u.route->links.empty());
    EXPECT_EQ(u.route->listA.size(), 99u);  // the start, nodes 1 to 97, the target
    EXPECT_EQ(PlanRoute(u, car.head), 1);
    EXPECT_EQ(u.moverFlags & kMoverRoutePlanning, 0);
    EXPECT_EQ(u.orders->flags, kBefehlRouteLeg);
}

TEST_F(RouteGraphTest, ShortOrUselessRoutesAreRefused) {
    loadLine();
    // 150 px of road between the attachments.
    UnitHead& u = sendVehicle(300, 560, 450, 560);
    std::uint8_t result = 1;
    planUntilDone(u, result);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(u.route, nullptr);
    EXPECT_EQ(u.moverFlags & kMoverRoutePlanning, 0);
    ASSERT_NE(u.orders, nullptr);
    EXPECT_EQ(u.orders->opcode, 0);
    EXPECT_EQ(u.orders->flags, kBefehlFreePath);
    expectLevelUnchanged();
}

TEST_F(RouteGraphTest, ATargetOffTheMapPastTheRoadsEndIsReachedByRoadWhenTheVehicleLeaves) {
    loadGraph(test::LineGraph());
    // Below the road's middle, the target past its east end and off the map: from the road's end
    // on, the way to the target is longer than the road saves, unless the vehicle is to leave the
    // map (order 42 last), when that part of the way is not driven.
    std::uint8_t result = 0;
    UnitHead& leaving = sendVehicle(600, 850, 1400, 850);
    AppendBefehl(leaving, kOpLeaveMap, 0, 0, 0, 0, 1);
    planUntilDone(leaving, result);
    EXPECT_EQ(result, 1);
    ASSERT_NE(leaving.route, nullptr);
    EXPECT_EQ(leaving.orders->flags & kBefehlRouteLeg, kBefehlRouteLeg);

    DiscardBefehle(leaving);
    UnitHead& staying = sendVehicle(600, 850, 1400, 850);
    planUntilDone(staying, result);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(staying.route, nullptr);
    ASSERT_NE(staying.orders, nullptr);
    EXPECT_EQ(staying.orders->flags, kBefehlFreePath);
}

TEST_F(RouteGraphTest, WithoutRoadNodesNothingIsPlanned) {
    loadGraph(graph);
    FreeEmptyNodeGraph();
    ASSERT_EQ(RoadNodeCapacity, 0);
    UnitHead& u = sendVehicle(250, 560, 850, 560);
    EXPECT_EQ(PlanRoute(u, car.head), 0);
    EXPECT_EQ(u.route, nullptr);
    EXPECT_EQ(u.moverFlags, 0);
    // Two spare slots and no node: nothing to attach to.
    loadGraph(graph);
    ASSERT_EQ(RoadNodeCapacity, 2);
    EXPECT_EQ(PlanRoute(u, car.head), 0);
    EXPECT_EQ(u.route, nullptr);
    EXPECT_EQ(u.orders->flags, kBefehlFreePath);
}

}  // namespace
}  // namespace kv
