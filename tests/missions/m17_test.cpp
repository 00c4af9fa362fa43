// Mission 17 on the sample data: its set-up, closing the gas house and switching the fuse box,
// the cables' shocks and the onlookers sent into them, its checks, cursor and clicks, its
// evaluation and its words through a save.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/campaign.h"
#include "core/fatal_error.h"
#include "core/fire_counts.h"
#include "core/game_mode.h"
#include "core/hover.h"
#include "core/message_line.h"
#include "core/mission_counters.h"
#include "core/mission_scratch.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/options.h"
#include "core/random.h"
#include "core/view.h"
#include "media/sound_slots.h"
#include "mission/campaign_tables.h"
#include "mission/evaluation.h"
#include "mission/mission_checksum.h"
#include "mission/mission_start.h"
#include "mission/mission_tick.h"
#include "missions/approach_points.h"
#include "missions/mission_rows.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "persons/gaffer.h"
#include "persons/person_befehle.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "platform/cp1252.h"
#include "screens/save_game.h"
#include "support/order_list.h"
#include "support/sample_mission_test.h"
#include "support/saved_slot.h"
#include "support/sound_log.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "vehicles/fahrzeuge.h"
#include "world/explosions.h"
#include "world/houses.h"
#include "world/level_map.h"
#include "world/sonder_obj.h"
#include "world/sonder_obj_sets.h"

namespace kv {
namespace {

constexpr std::int8_t kP02 = 1;
constexpr std::int8_t kOnlookerTyp = 27;
// The gas house's valve, where order 222 closes it.
constexpr std::int16_t kValveX = 1984;
constexpr std::int16_t kValveY = 1080;
// Cables 1 and 2.
constexpr int kC1x = 1185;
constexpr int kC1y = 1087;
constexpr int kC2x = 1237;
constexpr int kC2y = 1060;

class MissionSeventeen : public test::SampleMissionTest {
  protected:
    MissionSeventeen() : SampleMissionTest(17, 3) {}

    static void update() { kMissionHooksM17.UpdateMission(); }
    static void check() { kMissionHooksM17.CheckMission(); }
    static std::string message() { return MessageLine.data(); }
    static int head(const Person& p) { return p.orders != nullptr ? p.orders->opcode : -1; }
    static void select(std::uint16_t mode, std::int32_t index) {
        SelectionMode = mode;
        SelectedIndex = static_cast<std::uint16_t>(index);
    }
};

TEST_F(MissionSeventeen, SetsUpItsObjectsPeopleAndCars) {
    EXPECT_EQ(MissionSonderObjTypCount(17), 34);
    EXPECT_EQ(FixedSonderObjCount, 17);
    const std::int16_t types[] = {18, 20, 21, 23, 26, 27, 28, 26, 27, 28, 26, 28, 29, 31, 33};
    for (int s = 0; s < 15; ++s) EXPECT_EQ(O(s).type, types[s]) << s;
    EXPECT_EQ(O(15).type, -1);
    EXPECT_EQ(O(16).type, -1);
    EXPECT_EQ(O(3).burning, 1);
    EXPECT_EQ(BurningSonderObjCount, 1);
    EXPECT_EQ(O(12).storey, 1);
    // The fuse box's foot, at the bottom of its box 25 below it, is in house 25: cell (48, 10).
    EXPECT_EQ(DecodeHouseLink(MapCells[static_cast<std::size_t>(CellIndex(48, 10))].tile).house,
              25);
    EXPECT_EQ(O(13).blockMask, 0);
    EXPECT_EQ(O(13).depthLayer, 1);

    int persons = 0;
    for (const Person& p : Personen) persons += p.type != -1;
    EXPECT_EQ(persons, 41) << "every onlooker and casualty landed";
    int cars = 0;
    for (const Fahrzeug& v : Fahrzeuge) cars += v.type != -1;
    EXPECT_EQ(cars, 84);

    const Person& v1 = P(MissionScratch.S3);
    EXPECT_EQ(v1.type, 27);
    EXPECT_EQ(v1.x, 1560.0f);
    EXPECT_EQ(v1.y, 1160.0f);
    EXPECT_EQ(v1.casualty, 1);
    const Person& v2 = P(MissionScratch.S4);
    EXPECT_EQ(v2.type, 30);
    EXPECT_EQ(v2.x, 1445.0f);
    EXPECT_EQ(v2.y, 1260.0f);
    EXPECT_EQ(MissionScratch.S0, 0);
    EXPECT_EQ(MissionScratch.S1, 0);
    EXPECT_EQ(MissionScratch.S2, 0);
}

TEST_F(MissionSeventeen, Order222ClosesTheLeakOnlyOnItsExactSpotAndEndsTheQueue) {
    struct Case {
        const char* what;
        std::int16_t x;
        std::int8_t direction;
        std::int32_t slot;
        bool freeGasHouse;
        bool closes;
        std::int16_t gasType;
    };
    const Case cases[] = {
        {"exact", kValveX, 0, 0, false, true, 19},
        {"one pixel off", kValveX + 1, 0, 0, false, false, 18},
        {"facing 1", kValveX, 1, 0, false, false, 18},
        {"slot 3", kValveX, 0, 3, false, false, 18},
        {"the gas house gone", kValveX, 0, 0, true, true, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        restart();
        if (c.freeGasHouse) FreeSonderObjSlot(0);
        const std::int16_t p = staff(kP02, c.x, kValveY, 0, c.direction);
        SetBefehl(P(p), PersonTypOf(P(p)), kOpCloseGasLeak, -1, kValveX, kValveY, 0, c.slot, 0);
        AppendBefehl(P(p), kOpWait, 5, 0, 0, 0, 0);
        ExecutePersonBefehl(p);
        EXPECT_EQ(head(P(p)), -1) << "the whole queue goes";
        EXPECT_EQ(MissionScratch.S0, c.closes ? 1 : 0);
        EXPECT_EQ(O(0).type, c.gasType);
    }

    // In another mission the order only clears the queue.
    MissionNummer = 1;
    const std::int16_t p = staff(kP02, kValveX, kValveY, 0, 0);
    MissionScratch.S0 = 0;
    SetBefehl(P(p), PersonTypOf(P(p)), kOpCloseGasLeak, -1, kValveX, kValveY, 0, 0, 0);
    ExecutePersonBefehl(p);
    EXPECT_EQ(head(P(p)), -1);
    EXPECT_EQ(MissionScratch.S0, 0);
    MissionNummer = 17;
}

TEST_F(MissionSeventeen, Order223SwitchesTheFuseBoxOff) {
    const std::int16_t p = staff(kP02, 1410, 290, 1, 0);
    SetBefehl(P(p), PersonTypOf(P(p)), kOpSetSonderObjFrame, -1, 12, 1, 0, 0, 0);
    ExecutePersonBefehl(p);
    EXPECT_EQ(O(12).frame, 1) << "a frame of the file, though the type animates one";
    EXPECT_EQ(head(P(p)), -1);
}

TEST_F(MissionSeventeen, TheCablesFollowTheFuseBox) {
    test::FillSoundSlotsWithTones();
    SoundOn = 1;
    backend.sound.clearCalls();
    // Off the 200-tick beat of the live cables' hum.
    TickCounter = 201;
    O(13).frame = 2;
    O(12).frame = 1;
    update();
    EXPECT_EQ(MissionScratch.S1, 1);
    EXPECT_EQ(O(13).type, 30);
    EXPECT_EQ(O(14).type, 32);
    EXPECT_EQ(O(13).frame, 0);
    EXPECT_EQ(test::PlayedSoundIds(backend.sound), (std::vector<int>{82, 83}));

    // The switch's click has died away; the dead cables' sound is still on.
    StopSound(82);
    backend.sound.clearCalls();
    O(12).frame = 0;
    update();
    EXPECT_EQ(MissionScratch.S1, 0);
    EXPECT_EQ(O(13).type, 31);
    EXPECT_EQ(O(14).type, 33);
    EXPECT_EQ(test::PlayedSoundIds(backend.sound), (std::vector<int>{82}));
    EXPECT_EQ(IsSoundPlaying(83), 0);

    // Off and on again before the script looks: nothing changed.
    backend.sound.clearCalls();
    O(12).frame = 1;
    O(12).frame = 0;
    update();
    EXPECT_EQ(MissionScratch.S1, 0);
    EXPECT_EQ(O(13).type, 31);
    EXPECT_TRUE(test::PlayedSoundIds(backend.sound).empty());
}

TEST_F(MissionSeventeen, LiveCablesStrikeDownWhoeverStandsInTheirZones) {
    struct Case {
        int x;
        int y;
        bool struck;
    };
    const Case cases[] = {
        {kC1x + 16, kC1y, true},       {kC1x + 50, kC1y + 42, true},
        {kC1x + 15, kC1y + 20, false}, {kC1x + 51, kC1y + 20, false},
        {kC1x + 30, kC1y + 43, false}, {kC2x, kC2y + 5, true},
        {kC2x + 353, kC2y + 36, true}, {kC2x + 354, kC2y + 20, false},
        {kC2x + 100, kC2y + 4, false}, {kC2x + 100, kC2y + 37, false},
    };
    for (const Case& c : cases) {
        const std::int16_t p =
            staff(kP02, static_cast<std::int16_t>(c.x), static_cast<std::int16_t>(c.y));
        if (p < 0) continue;
        update();
        EXPECT_EQ(P(p).casualty, c.struck ? 1 : 0) << c.x << "," << c.y;
        DeletePerson(p);
    }
    EXPECT_EQ(MissionScratch.S2, 0) << "staff struck down fail nothing by themselves";

    // With the power off nobody is struck; an onlooker struck with it on counts.
    const std::int16_t onlooker = CreateGaffer(kOnlookerTyp, kC2x + 50, kC2y + 20, 0, 0, 0);
    ASSERT_GE(onlooker, 0);
    MissionScratch.S1 = 1;
    O(12).frame = 1;
    update();
    EXPECT_EQ(P(onlooker).casualty, 0);
    O(12).frame = 0;
    update();
    EXPECT_EQ(P(onlooker).casualty, 1);
    EXPECT_EQ(MissionScratch.S2, 1);
}

TEST_F(MissionSeventeen, OnlookersAreSentIntoTheCablesEvery2400TicksFrom4800) {
    // The ground onlookers in the area, in index order.
    std::vector<std::int16_t> inArea;
    for (std::size_t i = 0; i < Personen.size(); ++i) {
        const Person& p = Personen[i];
        if (p.type == -1 || p.casualty != 0 || p.storey != 0 || (p.controlFlags & 1) == 0) continue;
        if (p.x >= 820 && p.x <= 1085 && p.y >= 1250 && p.y <= 1480)
            inArea.push_back(static_cast<std::int16_t>(i));
    }
    ASSERT_GE(inArea.size(), 2u);
    const auto sent = [](std::int16_t i) {
        const std::vector<test::Order> o = test::Orders(P(i));
        return !o.empty() && o[0][0] == kOpMove && o[0][1] == 1360 && o[0][2] == 1080;
    };
    struct Case {
        std::uint32_t tick;
        bool sends;
    };
    for (const Case& c :
         {Case{2400, false}, Case{4800, true}, Case{4801, false}, Case{7200, true}}) {
        for (std::int16_t i : inArea) ClearBefehle(P(i));
        TickCounter = c.tick;
        update();
        EXPECT_EQ(sent(inArea[0]), c.sends) << c.tick;
        EXPECT_FALSE(sent(inArea[1])) << "one a time";
    }
    // One who leads someone stays; the next is sent.
    for (std::int16_t i : inArea) ClearBefehle(P(i));
    P(inArea[0]).moverFlags |= 16;
    update();
    EXPECT_FALSE(sent(inArea[0]));
    EXPECT_TRUE(sent(inArea[1]));
}

TEST_F(MissionSeventeen, ChecksInTheirOrder) {
    const ExplosionSlot& gasKind =
        ExplosionSlots[static_cast<std::size_t>(SonderObjTypAt(18)->explosionKind)];

    // The gas house explodes once although the check runs on several frames of its window.
    for (std::uint32_t t = 6000; t < 6004; ++t) {
        TickCounter = t;
        check();
    }
    EXPECT_EQ(gasKind.live, 1);
    EXPECT_EQ(GameMode, 2u);
    // At 6030 the failure comes at once, explosions or not.
    TickCounter = 6030;
    check();
    EXPECT_EQ(GameMode, 4u);
    EXPECT_EQ(message(), W("Folgeexplosion durch entweichendes Gas!"));

    // Closed at 6015, after the second stage: a second death fails once the explosions are over.
    restart();
    for (std::uint32_t t = 6000; t <= 6015; ++t) {
        RunGameTicks(0);
        TickCounter = t;
        check();
    }
    MissionScratch.S0 = 1;
    ToteCount = 2;
    check();
    EXPECT_EQ(GameMode, 2u) << "explosions still run";
    for (int n = 0; n < 200 && GameMode == 2; ++n) {
        RunGameTicks(0);
        check();
    }
    EXPECT_EQ(GameMode, 4u);
    EXPECT_EQ(message(), "Verletzter gestorben!");
    EXPECT_EQ(O(16).type, -1) << "the third stage never came";

    // A civilian struck.
    restart();
    MissionScratch.S2 = 1;
    check();
    EXPECT_EQ(GameMode, 4u);
    EXPECT_EQ(message(), W("Eine Zivilperson wurde durch Ihre Nachlässigkeit verletzt!"));

    // One death fails nothing; with the caravan out and nobody left to rescue, won.
    restart();
    ToteCount = 1;
    check();
    EXPECT_EQ(GameMode, 2u);
    for (std::size_t i = 0; i < Personen.size(); ++i)
        if (Personen[i].type != -1 && Personen[i].casualty != 0)
            DeletePerson(static_cast<std::int32_t>(i));
    check();
    EXPECT_EQ(GameMode, 2u) << "the caravan still burns";
    O(3).burning = 0;
    --BurningSonderObjCount;
    check();
    EXPECT_EQ(GameMode, 5u);
}

TEST_F(MissionSeventeen, CursorOverItsObjects) {
    struct Case {
        std::uint16_t slot;
        std::uint16_t mode;
        bool leakClosed;
        std::uint16_t cursor;  // 0: not claimed
    };
    const Case cases[] = {
        {0, 1000, false, 19}, {0, 1003, false, 19}, {0, 1004, false, 0},   {0, 1001, true, 0},
        {1, 3, false, 21},    {2, 13, false, 21},   {3, 6, false, 21},     {3, 5, false, 0},
        {1, 9, false, 19},    {3, 9, false, 0},     {4, 1001, false, 19},  {8, 1003, false, 19},
        {4, 1000, false, 0},  {9, 1001, false, 0},  {12, 1002, false, 19}, {13, 1001, false, 0},
    };
    for (const Case& c : cases) {
        HoverIds = {c.slot, 0, 0, 0};
        SelectionMode = c.mode;
        MissionScratch.S0 = c.leakClosed ? 1 : 0;
        CursorId = 0;
        EXPECT_EQ(kMissionHooksM17.CursorOnSonderObj(), c.cursor != 0 ? 1 : 0)
            << c.slot << " " << c.mode;
        EXPECT_EQ(CursorId, c.cursor) << c.slot << " " << c.mode;
    }
}

TEST_F(MissionSeventeen, ClicksOnItsObjectsGiveTheirOrders) {
    const std::int16_t p = staff(kP02, 1700, 1100);
    const std::int16_t crane = vehicle(kTypF110, 1900, 1200);
    const std::int16_t engine = vehicle(kTypF104, 1300, 1250);
    Person& ff = P(p);
    const auto clickOn = [](std::uint16_t slot) {
        HoverIds = {slot, 0, 0, 0};
        return kMissionHooksM17.ClickOnSonderObj();
    };

    select(1001, p);
    ASSERT_EQ(clickOn(0), 1);
    EXPECT_EQ(test::Orders(ff), (std::vector<test::Order>{{kOpMove, 1984, 1080, 0, 0, 0},
                                                          {kOpTurn, 1984, 1080, 0, 0, 1},
                                                          {kOpCloseGasLeak, 1984, 1080, 0, 0, 1}}));
    ASSERT_EQ(clickOn(4), 1);
    ASSERT_NE(ff.orders, nullptr);
    EXPECT_EQ(ff.orders->goals.size(), ApproachPoints(4, ff).size());
    EXPECT_EQ(ff.orders->goals[0].facing, 1);
    EXPECT_EQ(test::Orders(ff)[1], (test::Order{kOpRemoveSonderObj, 4, 1, 0, 0, 1}));
    O(12).frame = 1;
    ASSERT_EQ(clickOn(12), 1);
    EXPECT_EQ(test::Orders(ff)[1], (test::Order{kOpSetSonderObjFrame, 12, 0, 0, 0, 1}));
    EXPECT_EQ(clickOn(9), 0) << "rubble 9..11 stays";

    select(kTypF110, crane);
    ASSERT_EQ(clickOn(1), 1);
    const Fahrzeug& c = Fahrzeuge[static_cast<std::size_t>(crane)];
    ASSERT_NE(c.orders, nullptr);
    EXPECT_EQ(c.orders->opcode, kOpGoals);
    EXPECT_EQ(c.orders->goals.size(), 4u);
    EXPECT_EQ(test::Orders(c)[1], (test::Order{kOpTakeUpObject, 1, 20, 0, 0, 1}));

    // Under the water cursor the click is taken whatever is selected.
    CursorId = kCursorWater;
    select(kTypF104, engine);
    ViewOrigin = {1000, 1000};
    MouseX = 220;
    MouseY = 330;
    ASSERT_EQ(clickOn(3), 1);
    const Fahrzeug& e = Fahrzeuge[static_cast<std::size_t>(engine)];
    ASSERT_NE(e.orders, nullptr);
    EXPECT_EQ(e.orders->opcode, kOpCannonAtObject);
    ClearBefehle(ff);
    select(1001, p);
    EXPECT_EQ(clickOn(2), 1);
    EXPECT_EQ(ff.orders, nullptr);
}

TEST_F(MissionSeventeen, TrappedCasualtiesAreSelectableWhileTheirRubbleLies) {
    const std::int32_t v1 = MissionScratch.S3;
    HoverIds = {static_cast<std::uint16_t>(v1), 0, 0, 0};
    P(0).selected = 1;
    ASSERT_EQ(kMissionHooksM17.CursorOnPerson(), 1);
    EXPECT_EQ(CursorId, kCursorSelect);
    ASSERT_EQ(kMissionHooksM17.ClickOnPerson(), 1);
    EXPECT_EQ(SelectedIndex, v1);
    EXPECT_EQ(SelectionMode, 1027);
    EXPECT_EQ(P(v1).selected, 1);
    EXPECT_EQ(P(0).selected, 0);

    // Its rubble gone, or the word naming nobody: the engine's own rules.
    FreeSonderObjSlot(4);
    EXPECT_EQ(kMissionHooksM17.CursorOnPerson(), 0);
    EXPECT_EQ(kMissionHooksM17.ClickOnPerson(), 0);
    MissionScratch.S4 = -1;
    HoverIds = {65535, 0, 0, 0};
    EXPECT_EQ(kMissionHooksM17.CursorOnPerson(), 0);
}

TEST_F(MissionSeventeen, EvaluationAndASaveWithThePowerOff) {
    ToteCount = 1;
    TickCounter = 4200;
    Money = 4000;
    kMissionHooksM17.EvaluateMission();
    EXPECT_EQ(EvaluationEfficiency, 93);
    EXPECT_EQ(EvaluationPoints, 631);

    // Saved while the second blast's animation runs.
    TickCounter = 6010;
    check();
    ASSERT_TRUE(O(15).commands);
    const std::int32_t shown = O(15).commands->a;
    const std::int16_t animType = O(shown).type;

    O(12).frame = 1;
    update();
    MissionScratch.S0 = 1;
    MissionScratch.S2 = 0;
    const MissionScratchArea words = MissionScratch;
    ASSERT_TRUE(WriteSaveSlot(0, "M17"));
    const std::uint64_t before = MissionChecksum();
    ASSERT_TRUE(test::LoadSavedSlot(0)) << FatalErrorMessage();
    EXPECT_EQ(MissionChecksum(), before);
    EXPECT_EQ(MissionScratch.S0, words.S0);
    EXPECT_EQ(MissionScratch.S1, 1);
    EXPECT_EQ(MissionScratch.S3, words.S3);
    EXPECT_EQ(MissionScratch.S4, words.S4);
    EXPECT_EQ(O(13).type, 30);
    EXPECT_EQ(O(shown).type, animType);
    EXPECT_NE(SonderObjTypAt(animType)->frames, nullptr) << "it plays on after the load";
}

// Each blast after the first is made anew on each tick of its window, so the blasts before it play
// out cut off. A save then holds them all, and they play on from the load.
TEST_F(MissionSeventeen, ASaveWhileCutOffBlastsPlayOutLoadsAsSaved) {
    TickCounter = 6005;
    BrandPhase = static_cast<std::int16_t>(TickCounter % kBrandPhaseCount);
    while (TickCounter < 6012) {
        RunGameTicks(0);
        check();
    }
    ASSERT_EQ(GameMode, 2u);
    const auto showing = [](std::int16_t type) {
        return std::count_if(SonderObjs.begin(), SonderObjs.end(),
                             [type](const SonderObj& o) { return o.type == type; });
    };
    ASSERT_TRUE(O(15).commands);
    const std::int32_t shown = O(15).commands->a;
    const std::int16_t animType = O(shown).type;
    ASSERT_GE(showing(animType), 3) << "the gas house's blast and the cut-off ones play on";

    ASSERT_TRUE(WriteSaveSlot(0, "M17"));
    const std::uint64_t before = MissionChecksum();
    const auto kept = showing(animType);
    ASSERT_TRUE(test::LoadSavedSlot(0)) << FatalErrorMessage();
    EXPECT_EQ(MissionChecksum(), before);
    EXPECT_EQ(showing(animType), kept);
    ASSERT_NE(SonderObjTypAt(animType), nullptr);
    EXPECT_NE(SonderObjTypAt(animType)->frames, nullptr);
}

}  // namespace
}  // namespace kv
