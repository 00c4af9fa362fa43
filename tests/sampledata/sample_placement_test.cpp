// Each mission with a level, set up on the generated data: no two houses share a map cell, every
// person above the ground stands in a house tall enough, and every person and object the mission
// places is created.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <utility>

#include "core/game_mode.h"
#include "core/mission_state.h"
#include "core/random.h"
#include "generate/house_shapes.h"
#include "mission/campaign_tables.h"
#include "mission/mission_fixture.h"
#include "mission/mission_start.h"
#include "persons/personen.h"
#include "vehicles/fahrzeuge.h"
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
    {1, 2, 15},         {2, 33, 9},        {3, 18, 8}, {4, 19, 36}, {5, 16, 8},
    {7, 14, 17},        {8, 12, 33, true}, {9, 0, 1},  {11, 17, 4}, {17, 41, 21, true},
    {18, 28, 53, true}, {21, 17, 23},      {24, 5, 7},
};

class SamplePlacement : public test::MissionTest,
                        public ::testing::WithParamInterface<Placement> {};

// The map cell under a world point, as the game finds it.
std::pair<int, int> CellUnder(float x, float y) {
    const CellPos c =
        CellFromPixel(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)));
    return {c.column, c.row};
}

TEST_P(SamplePlacement, HousesApartPersonsOnTallEnoughHousesAllCreated) {
    const Placement& row = GetParam();
    useSampleData(false);
    openGame();
    SeedRandom(1);
    CampaignPosition = 0;
    for (std::size_t k = 0; k < CampaignOrder.size(); ++k)
        if (CampaignOrder[k] == row.mission) CampaignPosition = static_cast<std::uint8_t>(k);
    StartMission(kNewMission);
    ASSERT_EQ(MissionNummer, row.mission);

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

INSTANTIATE_TEST_SUITE_P(Missions, SamplePlacement, ::testing::ValuesIn(kPlacements),
                         [](const auto& row) {
                             // snprintf: the optimiser warns wrongly of "M" + to_string.
                             char name[16];
                             std::snprintf(name, sizeof name, "M%d", row.param.mission);
                             return std::string(name);
                         });

}  // namespace
}  // namespace kv
