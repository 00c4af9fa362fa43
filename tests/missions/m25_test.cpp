// Mission 25 on the sample data: the arsonist's circuit drawn at the start, his tick script
// outside and inside a house, the officer who stops him, his mark that evacuates nobody, the
// checks, a save in the middle of his circuit and the evaluation.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/campaign.h"
#include "core/fatal_error.h"
#include "core/fire_counts.h"
#include "core/game_mode.h"
#include "core/message_line.h"
#include "core/mission_counters.h"
#include "core/mission_scratch.h"
#include "core/mission_state.h"
#include "core/random.h"
#include "mission/evaluation.h"
#include "mission/mission_checksum.h"
#include "mission/mission_tick.h"
#include "missions/mission_rows.h"
#include "missions/quarter_tables.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/traffic_paths.h"
#include "persons/gaffer_ziele.h"
#include "persons/person_houses.h"
#include "persons/personen.h"
#include "screens/save_game.h"
#include "support/order_list.h"
#include "support/sample_mission_test.h"
#include "support/saved_slot.h"
#include "world/brand_cells.h"
#include "world/houses.h"
#include "world/level_map.h"
#include "world/terrain.h"

namespace kv {
namespace {

// The house of each entry of his circuit, and the onlookers' point there.
constexpr std::array<int, 10> kCircuitHouses = {35, 33, 28, 26, 17, 18, 21, 11, 4, 1};
constexpr std::array<std::array<int, 2>, 10> kOnlookerPoints = {{
    {460, 2060},
    {1720, 1860},
    {1800, 880},
    {300, 320},
    {215, 1385},
    {1065, 1585},
    {2790, 1585},
    {2935, 880},
    {1785, 320},
    {825, 320},
}};
// Seeds whose first target is entry 0 (house 35, standing alone in the south-west) and entry 9.
constexpr std::uint32_t kSeedFirstHouse35 = 8;
constexpr std::uint32_t kSeedFirstEntry9 = 11;

constexpr std::int8_t kArsonistTyp = 27;

class MissionTwentyFive : public test::SampleMissionTest {
  protected:
    MissionTwentyFive() : SampleMissionTest(25, kSeedFirstHouse35) {}

    // The mission anew from another seed.
    void startWithSeed(std::uint32_t seed) {
        ShutdownMission(1);
        GameSpeed = 1;
        SeedRandom(seed);
        CampaignPosition = CampaignPositionOf(25);
        StartMission(kNewMission);
        leaveKarte();
        ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
    }

    static Person& arsonist() { return P(0); }
    static void update() { kMissionHooksM25.UpdateMission(); }
    static void check() { kMissionHooksM25.CheckMission(); }
    static std::string message() { return MessageLine.data(); }
    // The corner of the door cell of an entry's house.
    static PixelPos door(int entry) {
        const std::optional<PixelPos> d =
            HouseDoorSpot(kCircuitHouses[static_cast<std::size_t>(entry)]);
        EXPECT_TRUE(d.has_value()) << entry;
        return d.value_or(PixelPos{});
    }
    static bool ignitionCellBurns(int house) {
        const House& h = Houses[static_cast<std::size_t>(house)];
        const HouseTyp& t = HouseTypOf(h);
        const brand::HouseCellRef c = brand::FindHouseCell(house, 0, t.extentI - 1, t.extentJ - 2);
        return c && c.state().burning != 0;
    }
};

TEST_F(MissionTwentyFive, DrawsItsCircuitAndTheFirstHouseBurns) {
    EXPECT_EQ(ArsonFirstTarget, 0);
    EXPECT_EQ(ArsonEscapeMark, 0);
    EXPECT_EQ(ArsonNextTarget, 1);
    EXPECT_EQ(ArsonFireSet, 0);
    const Person& a = arsonist();
    EXPECT_EQ(a.type, kArsonistTyp);
    EXPECT_EQ(a.x, static_cast<float>(door(0).x));
    EXPECT_EQ(a.y, static_cast<float>(door(0).y + 36));
    EXPECT_EQ(a.direction, 3);
    EXPECT_EQ(a.selectable, 0);
    EXPECT_EQ(a.controlFlags, kPersonScriptMarked);
    EXPECT_TRUE(ignitionCellBurns(35));
    EXPECT_EQ(BurningHouseCount, 1);
    ASSERT_EQ(GafferZiele.size(), 1u);
    EXPECT_EQ(GafferZiele[0].x, 460);
    EXPECT_EQ(GafferZiele[0].y, 2060);
    EXPECT_EQ(GafferZiele[0].radius, 250);
    ASSERT_EQ(ZFWege.size(), 1u);
    EXPECT_EQ(ZFWege[0].startX, 32 * 147 - 16 * 88 + 100);
    EXPECT_EQ(PassantenWege.size(), 6u);
    // Nobody lives in the house he starts at.
    for (const Person& p : Personen)
        if (p.type != -1) {
            EXPECT_NE(p.house, 35);
        }

    // A first target drawn as entry 9 makes entry 0 the next; the circuit still closes at 9.
    ASSERT_NO_FATAL_FAILURE(startWithSeed(kSeedFirstEntry9));
    EXPECT_EQ(ArsonFirstTarget, 9);
    EXPECT_EQ(ArsonEscapeMark, 9);
    EXPECT_EQ(ArsonNextTarget, 0);
    EXPECT_TRUE(ignitionCellBurns(1));
    EXPECT_FALSE(ignitionCellBurns(35));
    EXPECT_EQ(arsonist().x, static_cast<float>(door(9).x));
    EXPECT_EQ(GafferZiele[0].x, 825);
}

// Where he marks and enters each house, the onlookers' points and every point of the
// pedestrians' paths lie on open ground that a person may walk.
TEST_F(MissionTwentyFive, HisSpotsTheOnlookersAndThePathsStandOnOpenGround) {
    const int column = PersonTypOf(arsonist()).terrainColumn;
    const auto open = [&](int x, int y) {
        const CellPos c = CellFromPixel(x, y);
        if (!CellInMap(c.column, c.row)) return false;
        const MapCell& m = MapCells[static_cast<std::size_t>(CellIndex(c.column, c.row))];
        return !IsHouseLink(m.tile) && TerrainSpeed(m.terrain, column) > 0;
    };
    for (int entry = 0; entry < 10; ++entry) {
        const PixelPos d = door(entry);
        for (const int dy : {34, 35, 36}) EXPECT_TRUE(open(d.x, d.y + dy)) << entry << " " << dy;
        const auto& o = kOnlookerPoints[static_cast<std::size_t>(entry)];
        EXPECT_TRUE(open(o[0], o[1])) << entry;
    }
    for (const quarter::PassantenWegRow& path : quarter::kPassantenWege)
        for (const Point16& q : path.points) EXPECT_TRUE(open(q.x, q.y)) << q.x << " " << q.y;
}

TEST_F(MissionTwentyFive, TickScriptGivesHisOrdersUnlessHeIsHeldOrGone) {
    const PixelPos next = door(1);
    const int nx = next.x;
    const int ny = next.y;
    const PixelPos own = door(0);
    const std::vector<test::Order> walkAndMark = {
        {kOpMove, nx, ny + 36, 0, 0, 0},
        {kOpTurn, nx, ny + 36, 0, 0, 1},
        {kOpMarkHouse, 33, nx, ny + 36, 0, 1},
        {kOpMove, nx, ny + 34, 0, 0, 1},
        {kOpEnterHouse, nx, ny + 34, 33, -1, 1},
        {kOpMove, nx, ny - 2, 0, 0, 1},
        {kOpWait, 1200, 0, 0, 0, 1},
    };
    std::vector<test::Order> walkMarked = walkAndMark;
    walkMarked.erase(walkMarked.begin() + 2);
    const std::vector<test::Order> outAndFire = {
        {kOpMove, own.x, own.y + 20, 0, 0, 0},
        {kOpTurn, own.x, own.y + 20, 6, 0, 1},
        {kOpLeaveHouse, own.x, own.y + 20, -1, 0, 1},
        {kOpSetHouseOnFire, 35, 10, 0, 0, 1},
    };
    const std::vector<test::Order> none;

    enum class Set {
        Nothing,
        Marked,
        Inside,
        InsideNoHouse,
        Officer,
        Seated,
        InBase,
        Led,
        OffMap,
        Casualty,
        TargetOutOfRange,
        TargetFree
    };
    struct Case {
        const char* what;
        Set set;
        int officerDx;
        const std::vector<test::Order>& orders;
        std::int16_t fireFlagAfter;
    };
    const Case cases[] = {
        {"outside, the house unmarked", Set::Nothing, 0, walkAndMark, 0},
        {"outside, the house marked", Set::Marked, 0, walkMarked, 0},
        {"inside his house", Set::Inside, 0, outAndFire, 0},
        {"inside a house that is none", Set::InsideNoHouse, 0, none, 0},
        {"an officer at 99 px", Set::Officer, 99, none, 1},
        {"an officer at 100 px", Set::Officer, 100, walkAndMark, 0},
        {"an officer at 99 px seated in a car", Set::Seated, 99, walkAndMark, 0},
        {"an officer at 99 px in a base", Set::InBase, 99, walkAndMark, 0},
        {"led", Set::Led, 0, none, 0},
        {"off the map", Set::OffMap, 0, none, 0},
        {"a casualty", Set::Casualty, 0, none, 0},
        {"a next target outside the circuit", Set::TargetOutOfRange, 0, none, 0},
        {"a next target whose house is gone", Set::TargetFree, 0, none, 0},
    };
    for (const Case& c : cases) {
        restart();
        Person& a = arsonist();
        ClearBefehle(a);
        // A fire just set: the flag waits for the tick that runs to its end.
        ArsonFireSet = 1;
        if (c.officerDx != 0) {
            const std::int16_t officer =
                staff(0, static_cast<std::int16_t>(a.x + static_cast<float>(c.officerDx)),
                      static_cast<std::int16_t>(a.y));
            ASSERT_GE(officer, 0) << c.what;
            if (c.set == Set::Seated) P(officer).offMap = 1;
            if (c.set == Set::InBase) P(officer).storey = -5;
        }
        switch (c.set) {
            case Set::Marked:
                Houses[33].evacuated = 1;
                break;
            case Set::Inside:
                a.house = 35;
                break;
            case Set::InsideNoHouse:
                a.house = 200;
                break;
            case Set::Led:
                a.link = 1;
                break;
            case Set::OffMap:
                a.offMap = 1;
                break;
            case Set::Casualty:
                a.casualty = 1;
                break;
            case Set::TargetOutOfRange:
                ArsonNextTarget = 10;
                break;
            case Set::TargetFree:
                Houses[33].type = -1;
                break;
            default:
                break;
        }
        a.anim = 1;
        update();
        EXPECT_EQ(test::Orders(a), c.orders) << c.what;
        EXPECT_EQ(ArsonFireSet, c.fireFlagAfter) << c.what;
        if (c.fireFlagAfter == 1) {
            EXPECT_EQ(a.anim, 0) << c.what;
        }
        if (c.set == Set::TargetFree) Houses[33].type = 0;
    }
}

TEST_F(MissionTwentyFive, TheFireFlagMovesTheOnlookersToTheHouseJustLit) {
    for (const std::int16_t next : {std::int16_t{3}, std::int16_t{0}}) {
        ArsonNextTarget = next;
        ArsonFireSet = 1;
        update();
        const auto lit = static_cast<std::size_t>(next == 0 ? 9 : next - 1);
        EXPECT_EQ(ArsonFireSet, 0);
        EXPECT_EQ(GafferZiele[0].x, kOnlookerPoints[lit][0]) << next;
        EXPECT_EQ(GafferZiele[0].y, kOnlookerPoints[lit][1]) << next;
    }
    // Cleared, it moves nothing.
    GafferZiele[0].x = 1;
    update();
    EXPECT_EQ(GafferZiele[0].x, 1);
}

// His mark is no officer's: the house is marked and its residents stay inside.
TEST_F(MissionTwentyFive, HisMarkEvacuatesNobody) {
    std::int16_t resident = -1;
    for (std::size_t i = 0; i < Personen.size(); ++i)
        if (Personen[i].type != -1 && Personen[i].storey > 0)
            resident = static_cast<std::int16_t>(i);
    ASSERT_GE(resident, 0);
    const int house = P(resident).house;
    ASSERT_NE(PlacedHouse(house), nullptr);
    const std::optional<PixelPos> d = HouseDoorSpot(house);
    ASSERT_TRUE(d.has_value());
    Person& a = arsonist();
    a.x = static_cast<float>(d->x);
    a.y = static_cast<float>(d->y + 36);
    SetBefehl(a, PersonTypOf(a), kOpMarkHouse, -1, house, d->x, d->y + 36, 0, 0);
    RunPersonBefehl162(0);
    EXPECT_EQ(Houses[static_cast<std::size_t>(house)].evacuated, 1);
    EXPECT_EQ(P(resident).orders, nullptr);
    for (int n = 0; n < 40; ++n) RunGameTicks(0);
    EXPECT_EQ(P(resident).house, house);
    EXPECT_GT(P(resident).storey, 0);
}

TEST_F(MissionTwentyFive, ChecksInTheirOrder) {
    enum class Set {
        Houses10,
        Houses11,
        Escaped,
        DeadFirst,
        Caught,
        CaughtStillBurning,
        Retyped,
        Free
    };
    struct Case {
        Set set;
        std::uint32_t mode;
        const char* message;
    };
    const Case cases[] = {
        {Set::Houses10, 2, ""},
        {Set::Houses11, 4, "Brand ist ausser Kontrolle geraten!"},
        {Set::Escaped, 4, "Brandstifter entkommen!"},
        {Set::DeadFirst, 4, "Verletzter gestorben!"},
        {Set::Caught, 5, ""},
        {Set::CaughtStillBurning, 2, ""},
        {Set::Retyped, 5, ""},
        {Set::Free, 2, ""},
    };
    for (const Case& c : cases) {
        restart();
        ToteCount = 0;
        BurningCellCount = 0;
        BurningHouseCount = 0;
        switch (c.set) {
            case Set::Houses10:
                BurningHouseCount = 10;
                break;
            case Set::Houses11:
                BurningHouseCount = 11;
                break;
            case Set::Escaped:
                ArsonNextTarget = ArsonEscapeMark;
                break;
            case Set::DeadFirst:
                ToteCount = 1;
                BurningHouseCount = 11;
                ArsonNextTarget = ArsonEscapeMark;
                break;
            case Set::Caught:
                arsonist().offMap = 1;
                break;
            case Set::CaughtStillBurning:
                arsonist().offMap = 1;
                BurningCellCount = 1;
                break;
            case Set::Retyped:
                arsonist().type = 0;
                break;
            case Set::Free:
                break;
        }
        check();
        EXPECT_EQ(GameMode, c.mode) << static_cast<int>(c.set);
        if (c.mode == 4) {
            EXPECT_EQ(message(), c.message) << static_cast<int>(c.set);
        }
    }
}

// Saved once he has set his first fire, the loaded game is the same and he goes on to the same
// next house.
TEST_F(MissionTwentyFive, ASaveAfterHisFirstFireLoadsAsSaved) {
    for (int n = 0; n < 8000 && ArsonNextTarget == 1; ++n) RunGameTicks(0);
    ASSERT_EQ(GameMode, 2u);
    ASSERT_EQ(ArsonNextTarget, 2) << "his first fire of his own";
    EXPECT_EQ(GafferZiele[0].x, 1720);
    ASSERT_TRUE(WriteSaveSlot(0, "M25"));
    const std::uint64_t before = MissionChecksum();
    ASSERT_TRUE(test::LoadSavedSlot(0)) << FatalErrorMessage();
    EXPECT_EQ(MissionChecksum(), before);
    EXPECT_EQ(ArsonNextTarget, 2);
    EXPECT_EQ(ArsonEscapeMark, 0);
    // Out of the house, he sets off for house 28.
    for (int n = 0;
         n < 400 && !(arsonist().house == 65535 && arsonist().orders != nullptr &&
                      arsonist().orders->opcode == kOpMove && test::Orders(arsonist()).size() >= 6);
         ++n)
        RunGameTicks(0);
    const std::vector<test::Order> orders = test::Orders(arsonist());
    ASSERT_GE(orders.size(), 6u);
    EXPECT_EQ(orders[orders.size() - 3][3], 28) << "order 169 names house 28";
}

TEST_F(MissionTwentyFive, Evaluation) {
    TickCounter = 6000;
    Money = 4000;
    kMissionHooksM25.EvaluateMission();
    EXPECT_EQ(ResultLines[0].percent, 100);
    EXPECT_EQ(ResultLines[1].percent, 100);
    EXPECT_EQ(std::string(ResultLines[2].text.data()), "");
    EXPECT_EQ(EvaluationEfficiency, 100);
    EXPECT_EQ(EvaluationPoints, 700);
}

}  // namespace
}  // namespace kv
