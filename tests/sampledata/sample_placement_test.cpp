// Each mission with a level, set up on the generated data: no two houses share a map cell, every
// person above the ground stands in a house tall enough and clear of its furniture, every person
// and object the mission places is created, and each of its roads leads off the map.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <utility>
#include <vector>

#include "core/game_mode.h"
#include "core/mission_state.h"
#include "core/random.h"
#include "generate/house_shapes.h"
#include "mission/campaign_tables.h"
#include "mission/mission_fixture.h"
#include "mission/mission_start.h"
#include "missions/mission_checks.h"
#include "movement/collision.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "vehicles/fahrzeuge.h"
#include "world/furniture.h"
#include "world/houses.h"
#include "world/level_map.h"
#include "world/sonder_obj.h"

namespace kv {
namespace {

struct Placement {
    int mission;
    int persons;
    int objects;
    // Nothing on the ground (persons, cars, objects) stands on a house's cell, and an object
    // upstairs stands with its foot (its box's bottom) in a house tall enough.
    bool housesApart = false;
};

// One row per mission with a level.
constexpr Placement kPlacements[] = {
    {1, 2, 15},         {2, 33, 9},        {3, 18, 8},         {4, 19, 36},        {5, 16, 8},
    {7, 14, 17},        {8, 12, 33, true}, {9, 0, 1},          {11, 17, 4},        {12, 21, 7},
    {13, 14, 18, true}, {16, 11, 11},      {17, 41, 21, true}, {18, 28, 53, true}, {20, 3, 3},
    {21, 17, 23},       {23, 11, 9, true}, {24, 5, 7},         {25, 27, 31, true}, {29, 45, 41},
};

class SamplePlacement : public test::MissionTest, public ::testing::WithParamInterface<Placement> {
  protected:
    void startMission() {
        useSampleData(false);
        openGame();
        SeedRandom(1);
        CampaignPosition = 0;
        for (std::size_t k = 0; k < CampaignOrder.size(); ++k)
            if (CampaignOrder[k] == GetParam().mission)
                CampaignPosition = static_cast<std::uint8_t>(k);
        StartMission(kNewMission);
        ASSERT_EQ(MissionNummer, GetParam().mission);
    }
};

// The map cell under a world point, as the game finds it.
std::pair<int, int> CellUnder(float x, float y) {
    const CellPos c =
        CellFromPixel(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)));
    return {c.column, c.row};
}

TEST_P(SamplePlacement, HousesApartPersonsOnTallEnoughHousesAllCreated) {
    const Placement& row = GetParam();
    ASSERT_NO_FATAL_FAILURE(startMission());

    // The floors of the house standing on each map cell.
    std::map<std::pair<int, int>, int> floorsAt;
    for (const House& h : Houses) {
        if (h.type < 0) continue;
        const auto& shape = sampledata::kHouseShapes[static_cast<std::size_t>(h.type)];
        for (int i = 0; i < shape.extentI; ++i)
            for (int j = 0; j < shape.extentJ; ++j) {
                if (!sampledata::HouseCellStands(h.type, i, j)) continue;
                const auto [it, fresh] = floorsAt.insert({{h.x + i, h.y + j}, shape.floors});
                EXPECT_TRUE(fresh) << "cell " << h.x + i << ", " << h.y + j << " in two houses";
            }
    }
    int persons = 0;
    for (const Person& p : Personen) {
        if (p.type == -1) continue;
        ++persons;
        if (p.storey <= 0) continue;
        const auto it = floorsAt.find(CellUnder(p.x, p.y));
        ASSERT_NE(it, floorsAt.end()) << "storey " << int{p.storey} << " at " << p.x << ", " << p.y;
        EXPECT_GE(it->second, p.storey) << p.x << ", " << p.y;
        // Nor in a piece of furniture, where it could never walk out.
        CollisionHit hit;
        TestCollision(0, p, PersonTypen[static_cast<std::size_t>(p.type)], p.x, p.y, p.direction,
                      p.storey, p.anim, &hit);
        EXPECT_NE(hit.kind, kHitHouseObj)
            << "storey " << int{p.storey} << " at " << p.x << ", " << p.y << " in piece "
            << hit.index1 << " (slot " << HouseObjs[hit.index1].slot << ")";
    }
    EXPECT_EQ(persons, row.persons);
    int objects = 0;
    for (const SonderObj& o : SonderObjs) objects += o.type >= 0;
    EXPECT_EQ(objects, row.objects);

    if (!row.housesApart) return;
    for (const SonderObj& o : SonderObjs) {
        if (o.type < 0 || o.storey == 0) continue;
        const auto it = floorsAt.find(CellUnder(o.x, o.y + SonderObjTypAt(o.type)->boxY1));
        ASSERT_NE(it, floorsAt.end()) << "object upstairs at " << o.x << ", " << o.y;
        EXPECT_GE(it->second, o.storey);
    }
    const auto offHouses = [&](float x, float y, const char* what) {
        EXPECT_EQ(floorsAt.count(CellUnder(x, y)), 0u) << what << " at " << x << ", " << y;
    };
    for (const Person& p : Personen)
        if (p.type != -1 && p.storey == 0) offHouses(p.x, p.y, "person");
    for (const Fahrzeug& v : Fahrzeuge)
        if (v.type != -1) offHouses(v.x, v.y, "car");
    // An object stands where its box's foot is: its picture may reach up over a house behind it.
    for (const SonderObj& o : SonderObjs) {
        if (o.type < 0 || o.storey != 0) continue;
        const SonderObjTyp& t = *SonderObjTypAt(o.type);
        offHouses(o.x + static_cast<float>(t.boxX0 + t.boxX1) / 2, o.y + t.boxY1, "object");
    }
}

// Every road leads off the map, where vehicles come in and leave. A side road linked to one of
// its own nodes instead of the road it leaves is cut off: no road route reaches it, and vehicles
// cross open country to it by free path.
TEST_P(SamplePlacement, EveryRoadLeadsOffTheMapWithoutSelfLinks) {
    ASSERT_NO_FATAL_FAILURE(startMission());
    // The level's own nodes; the two spare ones after them are the route search's.
    const auto count = static_cast<std::size_t>(RoadNodeCount);
    ASSERT_LE(count, RoadNodes.size());
    const int rightEdge = ViewRightEdgeX();
    const auto atEdge = [&](const RoadNode& n) { return n.x <= 10 || n.x >= rightEdge - 10; };
    std::vector<bool> seen(count, false);
    for (std::size_t first = 0; first < count; ++first) {
        for (const std::uint16_t m : RoadNodes[first].neighbour) {
            EXPECT_TRUE(m == kNoNode || m < count);
            EXPECT_NE(m, first) << "node at " << RoadNodes[first].x << ", " << RoadNodes[first].y;
        }
        if (seen[first]) continue;
        // The road this node lies on, and whether it reaches an edge.
        bool edge = false;
        bool linked = false;
        std::vector<std::size_t> todo{first};
        seen[first] = true;
        while (!todo.empty()) {
            const RoadNode& n = RoadNodes[todo.back()];
            todo.pop_back();
            edge = edge || atEdge(n);
            for (const std::uint16_t m : n.neighbour) {
                if (m == kNoNode) continue;
                linked = true;
                if (m < count && !seen[m]) {
                    seen[m] = true;
                    todo.push_back(m);
                }
            }
        }
        EXPECT_TRUE(edge || !linked) << "the road through " << RoadNodes[first].x << ", "
                                     << RoadNodes[first].y << " stays on the map";
    }
}

INSTANTIATE_TEST_SUITE_P(Missions, SamplePlacement, ::testing::ValuesIn(kPlacements),
                         [](const auto& row) {
                             // snprintf: the optimiser warns wrongly of "M" + to_string.
                             char name[16];
                             std::snprintf(name, sizeof name, "M%d", row.param.mission);
                             return std::string(name);
                         });

}  // namespace
}  // namespace kv
