// Mission 21's generated level: the water, bank, walk and work points its rescue tasks use lie on
// the ground they need, the walk points form one walkable area, and the pontoon places have
// water for their chains.

#include <gtest/gtest.h>

#include <cmath>
#include <queue>
#include <utility>
#include <vector>

#include "core/game_mode.h"
#include "core/mission_state.h"
#include "core/random.h"
#include "generate/world_tables.h"
#include "mission/campaign_tables.h"
#include "mission/mission_fixture.h"
#include "mission/mission_start.h"
#include "world/level_map.h"

namespace kv {
namespace {

namespace terrain = sampledata::terrain;

bool IsWater(std::uint8_t terrain) {
    return terrain == terrain::kWater || terrain == terrain::kDeepWater ||
           terrain == terrain::kLake;
}

// The level as the mission loads it from the generated data.
class MissionTwentyOneLevel : public test::MissionTest {
  protected:
    void SetUp() override {
        MissionTest::SetUp();
        useSampleData(false);
        openGame();
        SeedRandom(1);
        CampaignPosition = CampaignPositionOf(21);
        StartMission(kNewMission);
        ASSERT_EQ(MissionNummer, 21);
    }

    static bool inMap(CellPos c) { return CellInMap(c.column, c.row); }
    static std::uint8_t terrainOf(CellPos c) {
        return MapCells[static_cast<std::size_t>(CellIndex(c.column, c.row))].terrain;
    }
    static std::uint8_t terrainAt(int x, int y) {
        const CellPos c = CellFromPixel(x, y);
        EXPECT_TRUE(inMap(c)) << x << "," << y;
        return inMap(c) ? terrainOf(c) : terrain::kWater;
    }
    static bool walkable(int x, int y) {
        const std::uint8_t t = terrainAt(x, y);
        return !IsWater(t) && t != terrain::kRock;
    }
    // The walkable cells joined to the cell under (x, y) through walkable neighbours.
    static std::vector<bool> walkableArea(int x, int y) {
        std::vector<bool> seen(MapCells.size(), false);
        std::queue<CellPos> todo;
        const auto visit = [&](CellPos c) {
            if (!inMap(c)) return;
            const auto i = static_cast<std::size_t>(CellIndex(c.column, c.row));
            const std::uint8_t t = terrainOf(c);
            if (seen[i] || IsWater(t) || t == terrain::kRock) return;
            seen[i] = true;
            todo.push(c);
        };
        visit(CellFromPixel(x, y));
        while (!todo.empty()) {
            const CellPos c = todo.front();
            todo.pop();
            visit({c.column + 1, c.row});
            visit({c.column - 1, c.row});
            visit({c.column, c.row + 1});
            visit({c.column, c.row - 1});
        }
        return seen;
    }
};

TEST_F(MissionTwentyOneLevel, WaterPointsLieInWaterBesideABank) {
    struct WaterPoint {
        int x, y, bankDx;
    };
    for (const WaterPoint& w : {WaterPoint{1265, 812, -20}, WaterPoint{1554, 1215, -20},
                                WaterPoint{1806, 1730, -20}, WaterPoint{2173, 1162, 20}}) {
        SCOPED_TRACE(w.x);
        EXPECT_TRUE(IsWater(terrainAt(w.x, w.y)));
        EXPECT_TRUE(walkable(w.x + w.bankDx, w.y));
    }
}

TEST_F(MissionTwentyOneLevel, WalkAndWorkPointsShareOneWalkableArea) {
    const std::vector<bool> area = walkableArea(1538, 778);
    const PixelPos points[] = {
        // walk points
        {1538, 778},
        {1372, 1129},
        {1508, 1363},
        {1686, 1720},
        {2227, 1140},
        {1988, 835},
        {1512, 758},
        // ladder set-up, cushions, basket, the pontoon places and the road's entry
        {1774, 675},
        {1784, 675},
        {1837, 690},
        {2403, 697},
        {1863, 607},
        {860, 1350},
        {1500, 1140},
        {100, 2268}};
    for (const PixelPos& p : points) {
        SCOPED_TRACE(testing::Message() << p.x << "," << p.y);
        const CellPos c = CellFromPixel(p.x, p.y);
        ASSERT_TRUE(inMap(c));
        EXPECT_TRUE(area[static_cast<std::size_t>(CellIndex(c.column, c.row))]);
    }
}

TEST_F(MissionTwentyOneLevel, PontoonChainsLieOverWaterPastTheirBank) {
    struct Strip {
        int x0, x1, y0, y1;
    };
    for (const Strip& s : {Strip{805, 1243, 1384, 1430}, Strip{1445, 2267, 1174, 1220}}) {
        SCOPED_TRACE(s.x0);
        const int y = (s.y0 + s.y1) / 2;
        int x = s.x0;
        while (x < s.x0 + 140 && !IsWater(terrainAt(x, y))) ++x;
        ASSERT_LT(x, s.x0 + 140) << "water within the first pieces";
        for (; x <= s.x1 - 8; x += 4) EXPECT_TRUE(IsWater(terrainAt(x, y))) << x;
    }
}

// A vehicle anywhere on the field finds a road edge within its 400 px reach, and the road leads
// from there to the left edge, where vehicles come in and leave: without it they cross the
// field and the waters by free path and stick on a bank.
TEST_F(MissionTwentyOneLevel, TheRoadJoinsTheFieldToTheLeftEdge) {
    const auto nearest = [](int x, int y) {
        std::size_t best = 0;
        double bestDistance = 1e9;
        for (std::size_t i = 0; i < RoadNodes.size(); ++i) {
            const double d = std::hypot(RoadNodes[i].x - x, RoadNodes[i].y - y);
            if (d < bestDistance) {
                best = i;
                bestDistance = d;
            }
        }
        return std::pair{best, bestDistance};
    };
    for (const PixelPos& p : {PixelPos{1880, 660}, PixelPos{2420, 660}, PixelPos{2620, 760}})
        EXPECT_LT(nearest(p.x, p.y).second, 400.0) << p.x << "," << p.y;
    std::vector<bool> seen(RoadNodes.size(), false);
    std::vector<std::size_t> todo{nearest(2420, 660).first};
    seen[todo.front()] = true;
    bool edgeReached = false;
    while (!todo.empty()) {
        const RoadNode& n = RoadNodes[todo.back()];
        todo.pop_back();
        if (n.x < 100) edgeReached = true;
        for (const std::uint16_t m : n.neighbour)
            if (m < RoadNodes.size() && !seen[m]) {
                seen[m] = true;
                todo.push_back(m);
            }
    }
    EXPECT_TRUE(edgeReached);
}

}  // namespace
}  // namespace kv
