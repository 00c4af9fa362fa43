// Mission 23 on the sample data: its set-up, the gas over the square, the hostile person, sealing
// the entrances, the check and the evaluation.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

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
#include "core/random.h"
#include "mission/campaign_tables.h"
#include "mission/evaluation.h"
#include "mission/mission_fixture.h"
#include "mission/mission_start.h"
#include "missions/mission_rows.h"
#include "movement/befehl.h"
#include "movement/befehl_queue.h"
#include "persons/gaffer.h"
#include "persons/person_houses.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "platform/cp1252.h"
#include "vehicles/fahrzeug.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeuge.h"
#include "world/explosions.h"
#include "world/geometry.h"
#include "world/houses.h"
#include "world/level_map.h"
#include "world/sonder_obj.h"

namespace kv {
namespace {

constexpr std::int8_t kHostileTyp = 32;

// Mission 23 started from its campaign position on the sample data.
class MissionTwentyThree : public test::MissionTest {
  protected:
    void SetUp() override {
        MissionTest::SetUp();
        useSampleData(false);
        openGame();
        SeedRandom(23);
        CampaignPosition = CampaignPositionOf(23);
        StartMission(kNewMission);
        leaveKarte();
        ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
        ASSERT_EQ(MissionNummer, 23);
    }
    static Person& P(std::int16_t i) { return Personen[static_cast<std::size_t>(i)]; }
    static std::int16_t hostile() { return static_cast<std::int16_t>(MissionScratch.S0); }
    // Everybody but the hostile person taken off the map.
    static void onlyTheHostile() {
        for (std::size_t i = 0; i < Personen.size(); ++i)
            if (static_cast<std::int16_t>(i) != hostile())
                DeletePerson(static_cast<std::int32_t>(i));
    }
    static void everybodyGone() {
        for (std::size_t i = 0; i < Personen.size(); ++i)
            DeletePerson(static_cast<std::int32_t>(i));
    }
    // The middle of a map cell.
    static std::int16_t cellX(int column, int row) {
        return static_cast<std::int16_t>(32 * column - 16 * row + 16);
    }
    static std::int16_t cellY(int row) { return static_cast<std::int16_t>(28 * row + 14); }
    // A person of the type standing in the middle of the cell; the player's unit unless given a
    // controller.
    static std::int16_t standing(std::int8_t type, int column, int row,
                                 std::uint8_t controlFlags = 0) {
        const std::int16_t i = PlaceNewPerson(type, cellX(column, row), cellY(row), 0, 0, false);
        EXPECT_GE(i, 0);
        if (i >= 0) P(i).controlFlags = controlFlags;
        return i;
    }
    static void ticks(int n) {
        for (int k = 0; k < n; ++k) kMissionHooksM23.UpdateMission();
    }
};

TEST_F(MissionTwentyThree, StartsWithItsPeopleHousesAndObjects) {
    int persons = 0;
    int contaminated = 0;
    int casualties = 0;
    int upstairs = 0;
    for (const Person& p : Personen) {
        if (p.type == -1) continue;
        ++persons;
        contaminated += p.contamination != 0;
        casualties += p.casualty != 0;
        upstairs += p.storey == 1;
    }
    EXPECT_EQ(persons, 11) << "seven onlookers, the hostile person, three casualties";
    EXPECT_EQ(contaminated, 4) << "three onlookers and a casualty";
    EXPECT_EQ(casualties, 3);
    EXPECT_EQ(upstairs, 4) << "two onlookers and a casualty in the entrances, the hostile person";

    ASSERT_GE(hostile(), 0);
    const Person& h = P(hostile());
    EXPECT_EQ(h.type, kHostileTyp);
    EXPECT_EQ(h.storey, 1);
    EXPECT_EQ(h.house, 7);
    EXPECT_NE(h.controlFlags & kPersonRival, 0);
    EXPECT_EQ(MissionScratch.S1, 0);

    int houses = 0;
    for (std::size_t n = 0; n < Houses.size(); ++n)
        houses += PlacedHouse(static_cast<int>(n)) != nullptr;
    EXPECT_EQ(houses, 24);
    EXPECT_EQ(Houses[0].markable, 1);
    for (std::int16_t slot = 0; slot < 4; ++slot)
        EXPECT_EQ(SonderObjAt(slot)->type, slot < 2 ? 18 : 21) << slot;
    int hydrants = 0;
    for (const SonderObj& o : SonderObjs) hydrants += o.type == kSobjHydrant;
    EXPECT_EQ(hydrants, 2);
    EXPECT_EQ(Money, 18000);
    EXPECT_EQ(BurningCellCount, 0);
    EXPECT_EQ(MissionExtraCount, 1);
    EXPECT_EQ(MissionExtraActive, 1);
}

TEST_F(MissionTwentyThree, TheGasContaminatesWhomItReachesByType) {
    everybodyGone();
    struct Case {
        const char* what;
        std::int8_t type;
        int column;
        int ticks;
        std::uint16_t exposure;
        std::uint8_t contamination;
    };
    const Case cases[] = {
        {"protective suit", 3, 60, 1000, 0, 0},
        {"suit with a metal cutter", 22, 60, 1000, 0, 0},
        {"suit of the last kind", 25, 60, 1000, 0, 0},
        {"police one tick short", 0, 60, 99, 99, 0},
        {"police", 0, 60, 100, 0, 1},
        {"a doctor", 2, 60, 100, 0, 1},
        {"an onlooker", 29, 60, 100, 0, 1},
        {"the area's west column", 0, 46, 100, 0, 1},
        {"just west of the area", 0, 45, 500, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::int16_t p = standing(c.type, c.column, 30);
        ticks(c.ticks);
        EXPECT_EQ(P(p).exposure, c.exposure);
        EXPECT_EQ(P(p).contamination, c.contamination);
        DeletePerson(p);
    }
}

TEST_F(MissionTwentyThree, CasualtiesTakeTheGasButNotThoseInsideOrOffTheMap) {
    everybodyGone();
    const std::int16_t casualty =
        CreateVerletzter(29, cellX(60, 30), cellY(30), 0, 3, 900000, 0, 300, 0);
    const std::int16_t inside = PlaceNewPerson(0, 1262, 739, 1, 0);
    const std::int16_t carried = standing(0, 62, 30);
    ASSERT_TRUE(casualty >= 0 && inside >= 0 && carried >= 0);
    ASSERT_EQ(P(inside).house, 0);
    P(carried).offMap = 1;
    ticks(100);
    EXPECT_EQ(P(casualty).contamination, 1);
    EXPECT_EQ(P(inside).exposure, 0);
    EXPECT_EQ(P(carried).exposure, 0);
}

// Fire fighters and crews breathe through their masks: about one tick in twenty counts.
TEST_F(MissionTwentyThree, MaskedCrewsTakeTheGasOneTickInTwenty) {
    everybodyGone();
    const std::int16_t fireFighter = standing(1, 60, 30);
    const std::int16_t crew = standing(20, 62, 30);
    ticks(1000);
    for (const std::int16_t p : {fireFighter, crew}) {
        EXPECT_EQ(P(p).contamination, 0);
        EXPECT_GE(P(p).exposure, 30);
        EXPECT_LE(P(p).exposure, 75);
    }
}

TEST_F(MissionTwentyThree, ExposureIsKeptOutsideTheAreaAndGrowsAgainInside) {
    everybodyGone();
    const std::int16_t p = standing(0, 50, 30);
    ticks(60);
    P(p).x = cellX(45, 30);
    ticks(200);
    EXPECT_EQ(P(p).exposure, 60);
    P(p).x = cellX(50, 30);
    ticks(39);
    EXPECT_EQ(P(p).exposure, 99);
    EXPECT_EQ(P(p).contamination, 0);
    ticks(1);
    EXPECT_EQ(P(p).contamination, 1);
}

TEST_F(MissionTwentyThree, ThreeUnitsOnTheSquareDrawTheHostileOut) {
    onlyTheHostile();
    ASSERT_GE(hostile(), 0);
    standing(3, 60, 30);
    standing(3, 61, 30);
    // Neither a casualty nor an onlooker counts.
    CreateVerletzter(29, cellX(62, 30), cellY(30), 0, 3, 900000, 0, 300, 0);
    CreateGaffer(27, cellX(63, 30), cellY(30), 0, 3, 0);
    ticks(5);
    EXPECT_EQ(P(hostile()).orders, nullptr);
    EXPECT_EQ(Houses[7].evacuated, 0);

    standing(3, 64, 30);
    ticks(1);
    EXPECT_EQ(Houses[7].evacuated, 1);
    const Befehl* b = P(hostile()).orders;
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->opcode, 0);
    EXPECT_EQ(b->aFloat(), 960.0f);
    EXPECT_EQ(b->bFloat(), 356.0f);
    ASSERT_NE(b->next, nullptr);
    EXPECT_EQ(b->next->opcode, 1);
    EXPECT_EQ(b->next->cInt(), 6);
    ASSERT_NE(b->next->next, nullptr);
    const Befehl& leave = *b->next->next;
    EXPECT_EQ(leave.opcode, 170);
    EXPECT_EQ(leave.aInt(), 960);
    EXPECT_EQ(leave.bInt(), 356);
    EXPECT_EQ(leave.cInt(), -1);
    EXPECT_EQ(leave.next, nullptr);
}

// Out of its hiding place, the hostile person walks at a bought vehicle's right side, then waits
// 600 ticks; the mission's own vehicles do not draw it.
TEST_F(MissionTwentyThree, OutsideTheHostileWalksAtBoughtVehicles) {
    onlyTheHostile();
    Person& h = P(hostile());
    h.house = 0xFFFF;
    h.storey = 0;
    h.x = 1000;
    h.y = 500;
    const std::int16_t parked = CreateFahrzeug(0, 1200, 400, 3);
    ASSERT_GE(parked, 0);
    LoadFahrzeugTyp(0);
    SetupFahrzeug(parked, kOwnerMission);
    ticks(100);
    EXPECT_EQ(h.orders, nullptr);
    EXPECT_EQ(MissionScratch.S1, 0) << "stays at 0 while nothing is chosen";

    const std::int16_t bought = CreateFahrzeug(0, 1400, 600, 3);
    ASSERT_GE(bought, 0);
    SetupFahrzeug(bought, kOwnerBought);
    const Fahrzeug& v = Fahrzeuge[static_cast<std::size_t>(bought)];
    for (int k = 0; k < 200 && h.orders == nullptr; ++k) {
        EXPECT_EQ(MissionScratch.S1, 0);
        ticks(1);
    }
    ASSERT_NE(h.orders, nullptr);
    EXPECT_EQ(h.orders->opcode, 0);
    EXPECT_EQ(h.orders->aFloat(),
              static_cast<float>(TruncInt(v.x) + FahrzeugTypOf(v).extent[2] + 20));
    EXPECT_EQ(h.orders->bFloat(), static_cast<float>(TruncInt(v.y)));
    EXPECT_EQ(MissionScratch.S1, 600);
    ClearBefehle(h);
    ticks(1);
    EXPECT_EQ(MissionScratch.S1, 599);
    EXPECT_EQ(h.orders, nullptr);
}

TEST_F(MissionTwentyThree, SuitsWithCuttersSealTheTwoEntrances) {
    struct Case {
        const char* what;
        std::uint16_t hoverKind;
        std::uint16_t house;
        std::int8_t type;
        bool sealed;
        std::uint16_t cursor;
    };
    const Case cases[] = {
        {"type 9 at entrance 0", kHoverHouseLower, 0, 9, false, kCursorRescue},
        {"type 17 at entrance 1", kHoverHouseLower, 1, 17, false, kCursorRescue},
        {"type 22 at entrance 1", kHoverHouseLower, 1, 22, false, kCursorRescue},
        {"type 22 over the roof", kHoverHouseUpper, 0, 22, false, kCursorRescue},
        {"a plain suit", kHoverHouseLower, 0, 3, false, 0},
        {"a sealed entrance", kHoverHouseLower, 1, 22, true, 0},
        {"house 2", kHoverHouseLower, 2, 22, false, 0},
        {"a stale hover", kHoverHouseLower, 200, 22, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::int16_t p = standing(c.type, 40, 30);
        Houses[1].evacuated = c.sealed ? 1 : 0;
        HoverKind = c.hoverKind;
        HoverIds = {0, 0, 0, c.house};
        SelectionMode = static_cast<std::uint16_t>(1000 + c.type);
        SelectedIndex = static_cast<std::uint16_t>(p);
        CursorId = 0;
        EXPECT_EQ(kMissionHooksM23.CursorOnHouse() != 0, c.cursor != 0);
        EXPECT_EQ(CursorId, c.cursor);
        EXPECT_EQ(kMissionHooksM23.ClickOnHouse() != 0, c.cursor != 0);
        const Befehl* b = P(p).orders;
        if (c.cursor == 0) {
            EXPECT_EQ(b, nullptr);
        } else {
            // Below the door of the 8 x 1 entrance, turned to it, 20 work cycles.
            const float x = c.house == 0 ? 1312.0f : 1568.0f;
            ASSERT_NE(b, nullptr);
            EXPECT_EQ(b->opcode, 0);
            EXPECT_EQ(b->aFloat(), x);
            EXPECT_EQ(b->bFloat(), 764.0f);
            ASSERT_NE(b->next, nullptr);
            EXPECT_EQ(b->next->opcode, 1);
            EXPECT_EQ(b->next->cInt(), 1);
            ASSERT_NE(b->next->next, nullptr);
            const Befehl& work = *b->next->next;
            EXPECT_EQ(work.opcode, 195);
            EXPECT_EQ(work.aInt(), static_cast<int>(x));
            EXPECT_EQ(work.bInt(), 764);
            EXPECT_EQ(work.cInt(), c.house);
            EXPECT_EQ(work.dInt(), 20);
        }
        DeletePerson(p);
    }
}

TEST_F(MissionTwentyThree, DeathsAndLostVehiclesFailOnceNoExplosionRunsCleanSquareWins) {
    everybodyGone();
    struct Case {
        const char* what;
        std::uint16_t dead;
        std::uint16_t lost;
        bool contaminated;
        std::uint32_t mode;
        const char* message;
    };
    const Case cases[] = {
        {"one dead", 1, 0, false, 5, ""},
        {"two dead", 2, 0, false, 4, "Zu viele Tote!"},
        {"two vehicles lost", 0, 2, false, 5, ""},
        {"three vehicles lost", 0, 3, false, 4, "Zu viele Fahrzeuge zerstört!"},
        {"both: the dead first", 2, 3, false, 4, "Zu viele Tote!"},
        {"a contaminated person, unhurt", 0, 0, true, 2, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GameMode = 2;
        ClearMessageLine();
        ToteCount = c.dead;
        LostBoughtFahrzeugCount = c.lost;
        std::int16_t p = -1;
        if (c.contaminated) {
            p = standing(29, 20, 30, kPersonController);
            P(p).contamination = 1;
        }
        const bool fails = c.mode == 4;
        ExplosionSlots[1].live = 1;
        kMissionHooksM23.CheckMission();
        if (fails) {
            EXPECT_EQ(GameMode, 2u) << "an explosion still runs";
            ExplosionSlots[1].live = 0;
            kMissionHooksM23.CheckMission();
        }
        ExplosionSlots[1].live = 0;
        EXPECT_EQ(GameMode, c.mode);
        EXPECT_EQ(Cp1252ToUtf8(MessageLine.data()), c.message);
        if (p >= 0) DeletePerson(p);
    }
}

TEST(MissionTwentyThreeEvaluation, TimeAndMoneyWeighTwiceTheDead) {
    ResetEvaluation();
    ToteCount = 1;
    TickCounter = 12000;
    Money = 8000;
    kMissionHooksM23.EvaluateMission();
    EXPECT_EQ(std::string(ResultLines[0].text.data()), "Tote: 1");
    EXPECT_EQ(ResultLines[0].percent, 0);
    EXPECT_EQ(std::string(ResultLines[1].text.data()), "Zeit: 10:00");
    EXPECT_EQ(ResultLines[1].percent, 100);
    EXPECT_EQ(std::string(ResultLines[2].text.data()), "Geld: 8000");
    EXPECT_EQ(ResultLines[2].percent, 100);
    EXPECT_EQ(EvaluationEfficiency, 80);
    EXPECT_EQ(EvaluationPoints, 622);
    ToteCount = 0;
}

}  // namespace
}  // namespace kv
