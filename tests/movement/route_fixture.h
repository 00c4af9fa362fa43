#pragma once
// Road graphs typed in the test on a grass map with the sample terrain table, and a vehicle type
// made in the test, for the road route.

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "core/unit_head.h"
#include "movement/route.h"
#include "movement/unit_fixture.h"

namespace kv::test {

// Terrain rows of the sample table as the road edges use them.
inline constexpr std::uint8_t kRoadTerrain = 0;     // vehicles 100 %
inline constexpr std::uint8_t kGravelTerrain = 16;  // vehicles 70 %
inline constexpr std::uint8_t kWallTerrain = 23;    // no vehicle passes
inline constexpr std::uint8_t kTestLane = 24;

// A road graph: each link puts the other end into the slot of its direction, at both ends.
struct RoadGraph {
    int add(int x, int y);
    void link(int a, int b, std::uint8_t terrain = kRoadTerrain, std::uint8_t lane = kTestLane);
    // Only a names b.
    void linkOneWay(int a, int b, std::uint8_t terrain = kRoadTerrain,
                    std::uint8_t lane = kTestLane);
    // Nodes at the points, each linked to the next; returns the first.
    int chain(std::initializer_list<PixelPos> points, std::uint8_t terrain = kRoadTerrain);
    std::vector<RoadNode> nodes;
};

// 0 (100, 500) - 1 (400, 500) - 2 (700, 500) - 3 (1000, 500) along x.
RoadGraph LineGraph();

// The level's graph is as it was: no route writes into it.
void ExpectRoadNodes(const std::vector<RoadNode>& before);

class RouteTest : public UnitTest {
  protected:
    void SetUp() override;
    void TearDown() override;
    // A 60 x 40 grass map (x 0..1279, y 0..1119) holding the graph.
    static sampledata::LevelFile GraphLevel(const RoadGraph& graph);
    void loadGraph(const RoadGraph& graph) { loadLevel(GraphLevel(graph)); }
    // vehicles[0] of type 0 standing at (x, y) facing direction with a move order to the target.
    UnitHead& sendVehicle(float x, float y, float targetX, float targetY,
                          std::int8_t direction = 3);
    // PlanRoute once a call until the route is laid or refused; the number of calls.
    int planUntilDone(UnitHead& unit, std::uint8_t& result);

    // 20 px wide and 20 px high in every direction: never too wide for a lane of 24.
    TestUnitTyp car{kPlayerVehicleUnitClass, 5, 0};
};

}  // namespace kv::test
