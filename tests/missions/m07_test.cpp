// Mission 7 on the sample data: its set-up, the fire that keeps coming back, the entrance and hose
// hooks, the check and the evaluation.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <queue>
#include <string>
#include <vector>

#include "core/campaign.h"
#include "core/fatal_error.h"
#include "core/fire_counts.h"
#include "core/game_mode.h"
#include "core/hover.h"
#include "core/message_line.h"
#include "core/mission_counters.h"
#include "core/mission_extras.h"
#include "core/mission_points.h"
#include "core/mission_scratch.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/random.h"
#include "core/view.h"
#include "mission/campaign_tables.h"
#include "mission/evaluation.h"
#include "mission/mission_fixture.h"
#include "mission/mission_start.h"
#include "missions/mission_checks.h"
#include "missions/mission_rows.h"
#include "persons/person_houses.h"
#include "persons/personen.h"
#include "platform/cp1252.h"
#include "platform/data_folders.h"
#include "screens/save_game.h"
#include "world/brand_cells.h"
#include "world/houses.h"
#include "world/level_map.h"
#include "world/sonder_obj.h"

namespace kv {
namespace {

constexpr int kWood = 4;

// Mission 7 started from its campaign position on the sample data.
class MissionSeven : public test::MissionTest {
  protected:
    void SetUp() override {
        MissionTest::SetUp();
        useSampleData(false);
        openGame();
        SeedRandom(7);
        CampaignPosition = CampaignPositionOf(7);
        StartMission(kNewMission);
        leaveKarte();
        ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
        ASSERT_EQ(MissionNummer, 7);
    }
    static int objectsOfType(std::int16_t type) {
        int n = 0;
        for (const SonderObj& o : SonderObjs) n += o.type == type;
        return n;
    }
    static House& house(int n) { return Houses[static_cast<std::size_t>(n)]; }
    static BrandState& station(int n, int i) { return brand::At(house(n).floors[0].brand, i, 0); }
    // Every burning cell of the map and the houses put out, the counters with them.
    static void putEverythingOut() {
        for (BrandState& s : BrandStates) s.burning = 0;
        for (House& h : Houses) {
            for (HouseFloor& f : h.floors)
                for (auto& column : f.brand)
                    for (BrandState& s : column) s.burning = 0;
            h.burning = 0;
            h.burningCells = 0;
        }
        BurningCellCount = 0;
        BurningHouseCount = 0;
    }
    // The burning counters against a recount of the cells.
    static void expectCountsMatch() {
        int cells = 0;
        for (const BrandState& s : BrandStates) cells += s.burning != 0;
        int houses = 0;
        for (const House& h : Houses) {
            int burning = 0;
            for (const HouseFloor& f : h.floors)
                for (const auto& column : f.brand)
                    for (const BrandState& s : column) burning += s.burning != 0;
            EXPECT_EQ(h.burningCells, burning);
            EXPECT_EQ(h.burning != 0, burning > 0);
            houses += burning > 0;
        }
        EXPECT_EQ(BurningCellCount, cells);
        EXPECT_EQ(BurningHouseCount, houses);
    }
    static void scriptAt(std::uint32_t tick) {
        TickCounter = tick;
        kMissionHooksM07.UpdateMission();
    }
    // Whether the seat burns again after being put out at tick, with the counters right.
    void expectRekindledAt(std::uint32_t tick, std::uint16_t rekindlings) {
        SCOPED_TRACE(tick);
        putEverythingOut();
        scriptAt(tick - 1);
        EXPECT_EQ(station(1, 7).burning, 0) << "not before";
        EXPECT_EQ(MissionScratch.S2, rekindlings - 1);
        scriptAt(tick);
        EXPECT_EQ(station(1, 7).burning, 1);
        EXPECT_EQ(MissionScratch.S2, rekindlings);
        EXPECT_EQ(station(1, 7).heat, MaterialOf(kWood).maxHeat);
        EXPECT_EQ(station(0, 3).fuel, MaterialOf(kWood).fuel);
        EXPECT_EQ(station(2, 1).heat, 0);
        expectCountsMatch();
    }
};

TEST_F(MissionSeven, StartsWithItsPeopleObjectsAndTheStationOnFire) {
    int persons = 0;
    for (const Person& p : Personen) persons += p.type != -1;
    EXPECT_EQ(persons, 14) << "eight onlookers, six casualties";
    for (std::int16_t slot = 0; slot < 4; ++slot)
        EXPECT_EQ(SonderObjAt(slot)->type, slot < 2 ? 18 : 21) << slot;
    EXPECT_EQ(objectsOfType(kSobjHydrant), 7);
    int houses = 0;
    for (std::size_t n = 0; n < Houses.size(); ++n)
        houses += PlacedHouse(static_cast<int>(n)) != nullptr;
    EXPECT_EQ(houses, 25);
    EXPECT_EQ(house(0).markable, 0);
    EXPECT_EQ(house(3).markable, 1);
    EXPECT_EQ(BurningHouseCount, 1);
    EXPECT_EQ(station(1, 7).burning, 1);
    EXPECT_EQ(Money, 17000);
    EXPECT_EQ(MissionExtraCount, 1);
}

// Route search takes only road edges whose two ends name each other: a one-sided link cuts the
// road there. The road from the entry reaches the station's front.
TEST_F(MissionSeven, TheRoadsJoinUpFromTheEntryToTheStationFront) {
    const auto nearest = [](int x, int y) {
        std::size_t best = 0;
        long bestD = -1;
        for (std::size_t n = 0; n < static_cast<std::size_t>(RoadNodeCount); ++n) {
            const long dx = RoadNodes[n].x - x;
            const long dy = RoadNodes[n].y - y;
            if (bestD < 0 || dx * dx + dy * dy < bestD) {
                best = n;
                bestD = dx * dx + dy * dy;
            }
        }
        return best;
    };
    // The level's nodes; route search keeps two more behind them for the unit and its target.
    const auto nodes = static_cast<std::size_t>(RoadNodeCount);
    ASSERT_GT(nodes, 0u);
    ASSERT_LE(nodes, RoadNodes.size());
    for (std::size_t n = 0; n < nodes; ++n)
        for (std::size_t d = 0; d < kDirections; ++d) {
            const std::uint16_t m = RoadNodes[n].neighbour[d];
            if (m == kNoNode) continue;
            ASSERT_LT(m, nodes);
            EXPECT_EQ(RoadNodes[m].neighbour[(d + 6) % kDirections], n) << n << " towards " << d;
        }
    std::vector<bool> seen(nodes, false);
    std::queue<std::size_t> todo;
    const std::size_t entry = nearest(RoadEntry.x, RoadEntry.y);
    seen[entry] = true;
    todo.push(entry);
    while (!todo.empty()) {
        const std::size_t n = todo.front();
        todo.pop();
        for (std::size_t d = 0; d < kDirections; ++d) {
            const std::uint16_t m = RoadNodes[n].neighbour[d];
            if (m == kNoNode || seen[m]) continue;
            seen[m] = true;
            todo.push(m);
        }
    }
    const std::size_t front = nearest(1312, 800);
    EXPECT_TRUE(seen[front]);
    EXPECT_LE(std::abs(RoadNodes[front].x - 1312) + std::abs(RoadNodes[front].y - 800), 120);
}

TEST_F(MissionSeven, TheStationBurnsAsWoodAndTheFireComesBackEvery2400Ticks) {
    scriptAt(1);
    for (const int type : {1, 2}) {
        const HouseTyp& t = HouseTypen[static_cast<std::size_t>(type)];
        for (int i = 1; i <= 7; ++i) EXPECT_EQ(t.cell(0, i, 0).material, kWood) << type << i;
        EXPECT_NE(t.cell(0, 0, 0).material, kWood) << "cell 0 is not the script's";
    }
    scriptAt(9600);
    EXPECT_EQ(MissionScratch.S2, 0);
    expectRekindledAt(9601, 1);
    expectRekindledAt(12001, 2);
}

TEST_F(MissionSeven, ALoadedGameRekindlesOnTheSameTick) {
    SetWriteFolder(dir.path().string());
    scriptAt(9601);
    putEverythingOut();
    scriptAt(10000);
    ASSERT_TRUE(WriteSaveSlot(0, "Station"));
    ASSERT_TRUE(ReadSaveHeader(0));
    ShutdownMission(1);
    StartMission(0);
    test::DispatchAll();
    ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
    EXPECT_EQ(TickCounter, 10000u);
    EXPECT_EQ(MissionScratch.S2, 1);
    scriptAt(12000);
    EXPECT_EQ(station(1, 7).burning, 0);
    scriptAt(12001);
    EXPECT_EQ(station(1, 7).burning, 1);
    EXPECT_EQ(MissionScratch.S2, 2);
}

TEST_F(MissionSeven, DoorSpotsOfTheStationAndTheTown) {
    EXPECT_EQ(HouseDoorSpot(0), (PixelPos{1312, 728})) << "type 1, door cell (4, 0)";
    EXPECT_EQ(HouseDoorSpot(3), (PixelPos{32, 56})) << "type 3 at (1, -1), door cell (1, 3)";
    house(24).type = -1;
    EXPECT_FALSE(HouseDoorSpot(24).has_value()) << "a free slot";
    EXPECT_FALSE(HouseDoorSpot(200).has_value());
}

TEST_F(MissionSeven, EntranceWorkersAndHosesActOnlyWhereThePartAllows) {
    // A worker of type 9 and a hose carrier west of the station.
    const std::int16_t worker = PlaceNewPerson(9, 1100, 800, 0, 0);
    const std::int16_t hose = PlaceNewPerson(11, 1300, 900, 0, 0);
    ASSERT_TRUE(worker >= 0 && hose >= 0);
    Personen[static_cast<std::size_t>(hose)].link2 = 0;
    ViewOrigin = {1000, 500};
    struct Case {
        const char* what;
        std::uint16_t hoverKind;
        std::uint16_t hovered;
        std::int16_t person;
        std::uint16_t mode;
        int mouseX;  // world x of the mouse; y stays 900 (the hose's own row)
        std::uint16_t cursor;
    };
    const Case cases[] = {
        {"hose 250 px off", kHoverSonderObj, 1, hose, 1011, 1550, kCursorWater},
        {"hose 251 px off", kHoverSonderObj, 1, hose, 1011, 1551, 0},
        {"hose over a hydrant", kHoverSonderObj, 4, hose, 1011, 1400, 0},
        {"worker at house 1", kHoverHouseLower, 1, worker, 1009, 1600, kCursorRescue},
        {"worker at a town house", kHoverHouseLower, 3, worker, 1009, 1600, 0},
        {"another selection", kHoverHouseLower, 1, worker, 1001, 1600, 0},
        {"a stale selection", kHoverHouseLower, 1, 69, 1009, 1600, 0},
        {"a stale hover", kHoverHouseLower, 200, worker, 1009, 1600, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HoverKind = c.hoverKind;
        HoverIds = {c.hovered, 0, 0, c.hovered};
        SelectionMode = c.mode;
        SelectedIndex = static_cast<std::uint16_t>(c.person);
        MouseX = static_cast<std::uint16_t>(c.mouseX - ViewOrigin.x);
        MouseY = 400;
        CursorId = 0;
        const bool house = c.hoverKind == kHoverHouseLower;
        const std::uint8_t taken =
            house ? kMissionHooksM07.CursorOnHouse() : kMissionHooksM07.CursorOnSonderObj();
        EXPECT_EQ(CursorId, c.cursor);
        EXPECT_EQ(taken != 0, c.cursor != 0);
        const std::uint8_t clicked =
            house ? kMissionHooksM07.ClickOnHouse() : kMissionHooksM07.ClickOnSonderObj();
        EXPECT_EQ(clicked != 0, c.cursor != 0);
    }
    const Befehl* w = Personen[static_cast<std::size_t>(worker)].orders;
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->opcode, 0);
    EXPECT_EQ(w->aFloat(), 1568.0f);
    EXPECT_EQ(w->bFloat(), 764.0f);
    ASSERT_NE(w->next, nullptr);
    EXPECT_EQ(w->next->opcode, 1);
    ASSERT_NE(w->next->next, nullptr);
    const Befehl& work = *w->next->next;
    EXPECT_EQ(work.opcode, 195);
    EXPECT_EQ(work.aInt(), 1568);
    EXPECT_EQ(work.bInt(), 764);
    EXPECT_EQ(work.cInt(), 1);
    EXPECT_EQ(work.dInt(), 60);
    const Befehl* h = Personen[static_cast<std::size_t>(hose)].orders;
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h->opcode, 208);
    EXPECT_EQ(h->aInt(), 1550);
    EXPECT_EQ(h->bInt(), 900);
    EXPECT_EQ(h->cInt(), 1);

    // Once marked, the station house is the engine's again.
    house(1).evacuated = 1;
    HoverKind = kHoverHouseLower;
    HoverIds = {1, 0, 0, 1};
    SelectionMode = 1009;
    SelectedIndex = static_cast<std::uint16_t>(worker);
    EXPECT_EQ(kMissionHooksM07.CursorOnHouse(), 0);
    EXPECT_EQ(kMissionHooksM07.ClickOnHouse(), 0);
}

TEST_F(MissionSeven, TheWinWaitsForTheStationAreaToEmpty) {
    for (std::size_t i = 0; i < Personen.size(); ++i) DeletePerson(static_cast<std::int32_t>(i));
    putEverythingOut();
    struct Case {
        const char* what;
        int column;
        int row;
        std::uint8_t controlFlags;
        std::uint8_t offMap;
        std::uint16_t dead;
        std::uint32_t mode;
    };
    const Case cases[] = {
        {"an onlooker in the area's corner", 46, 25, 3, 0, 0, 2},
        {"an onlooker just west of it", 45, 25, 3, 0, 0, 5},
        {"an onlooker taken off the map", 46, 25, 3, 1, 0, 5},
        {"staff in the area", 46, 25, 0, 0, 0, 5},
        {"one dead", 45, 25, 3, 0, 1, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GameMode = 2;
        ClearMessageLine();
        ToteCount = c.dead;
        const auto x = static_cast<std::int16_t>(32 * c.column - 16 * c.row + 16);
        const auto y = static_cast<std::int16_t>(28 * c.row + 14);
        const std::int16_t p = PlaceNewPerson(27, x, y, 0, 0);
        ASSERT_GE(p, 0);
        Personen[static_cast<std::size_t>(p)].controlFlags = c.controlFlags;
        Personen[static_cast<std::size_t>(p)].offMap = c.offMap;
        kMissionHooksM07.CheckMission();
        EXPECT_EQ(GameMode, c.mode);
        EXPECT_EQ(Cp1252ToUtf8(MessageLine.data()), c.dead ? "Verletzter gestorben!" : "");
        DeletePerson(p);
    }
}

TEST(MissionSevenEvaluation, FullMarksAtTheFirstMark) {
    ResetEvaluation();
    TickCounter = 9000;
    Money = 5000;
    kMissionHooksM07.EvaluateMission();
    EXPECT_EQ(std::string(ResultLines[0].text.data()), "Zeit: 07:30");
    EXPECT_EQ(ResultLines[0].percent, 100);
    EXPECT_EQ(std::string(ResultLines[1].text.data()), "Geld: 5000");
    EXPECT_EQ(ResultLines[1].percent, 100);
    EXPECT_EQ(EvaluationEfficiency, 100);
    EXPECT_EQ(EvaluationPoints, 647);
}

}  // namespace
}  // namespace kv
