#include "movement/route_fixture.h"

#include <gtest/gtest.h>

#include <cstring>

#include "movement/befehl_queue.h"
#include "movement/route_search.h"
#include "movement/stepping.h"
#include "world/geometry.h"
#include "world/level_map.h"

namespace kv::test {

int RoadGraph::add(int x, int y) {
    RoadNode n;
    n.x = static_cast<std::int16_t>(x);
    n.y = static_cast<std::int16_t>(y);
    n.neighbour.fill(kNoNode);
    nodes.push_back(n);
    return static_cast<int>(nodes.size()) - 1;
}

void RoadGraph::linkOneWay(int a, int b, std::uint8_t terrain, std::uint8_t lane) {
    RoadNode& from = nodes[static_cast<std::size_t>(a)];
    const RoadNode& to = nodes[static_cast<std::size_t>(b)];
    const std::size_t k = ClassifyDirection(from.x, from.y, to.x, to.y, 0);
    from.neighbour[k] = static_cast<std::uint16_t>(b);
    from.edgeTerrain[k] = terrain;
    from.edgeExtra[k] = lane;
}

void RoadGraph::link(int a, int b, std::uint8_t terrain, std::uint8_t lane) {
    linkOneWay(a, b, terrain, lane);
    linkOneWay(b, a, terrain, lane);
}

int RoadGraph::chain(std::initializer_list<PixelPos> points, std::uint8_t terrain) {
    int first = -1;
    int previous = -1;
    for (const PixelPos& p : points) {
        const int n = add(p.x, p.y);
        if (previous >= 0) link(previous, n, terrain);
        if (first < 0) first = n;
        previous = n;
    }
    return first;
}

RoadGraph LineGraph() {
    RoadGraph g;
    g.chain({{100, 500}, {400, 500}, {700, 500}, {1000, 500}});
    return g;
}

void ExpectRoadNodes(const std::vector<RoadNode>& before) {
    ASSERT_EQ(RoadNodes.size(), before.size());
    EXPECT_EQ(std::memcmp(RoadNodes.data(), before.data(), RoadNodes.size() * sizeof(RoadNode)), 0);
}

void RouteTest::SetUp() {
    UnitTest::SetUp();
    loadSampleMission(1);  // for its terrain table
    car.setBox(10, 10, {0, 0, 20, 20});
    car.head.shortcutBackSteps = 20;
    installFahrzeugTyp(0, car);
}

void RouteTest::TearDown() {
    for (UnitHead& v : vehicles) DiscardBefehle(v);
    UnitTest::TearDown();
}

sampledata::LevelFile RouteTest::GraphLevel(const RoadGraph& graph) {
    sampledata::LevelFile level = SmallLevel(60, 40);
    level.nodes = graph.nodes;
    return level;
}

UnitHead& RouteTest::sendVehicle(float x, float y, float targetX, float targetY,
                                 std::int8_t direction) {
    UnitHead& u = vehicles[0];
    u.type = 0;
    u.x = x;
    u.y = y;
    u.direction = direction;
    u.speed = car.head.speed;
    u.present = 1;
    AppendMoveBefehl(u, 0, targetX, targetY, 0, 0, 0);
    return u;
}

int RouteTest::planUntilDone(UnitHead& unit, std::uint8_t& result) {
    int calls = 0;
    do {
        result = PlanRoute(unit, car.head);
        ++calls;
    } while (result != 0 && (unit.moverFlags & kMoverRoutePlanning) != 0 && calls < 100);
    return calls;
}

}  // namespace kv::test
