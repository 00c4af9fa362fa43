// Mission 4 on the sample data: its set-up, the ringleader at the gate and the storm count, the
// incoming rioters and their chains, the cursor and clicks at the barricades, its checks and its
// evaluation.

#include <gtest/gtest.h>

#include <array>
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
#include "mission/campaign_tables.h"
#include "mission/evaluation.h"
#include "mission/mission_start.h"
#include "mission/mission_tick.h"
#include "missions/approach_points.h"
#include "missions/chain_walk.h"
#include "missions/mission_checks.h"
#include "missions/mission_rows.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "persons/person.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "platform/cp1252.h"
#include "support/order_list.h"
#include "support/sample_mission_test.h"
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

constexpr std::int8_t kP01 = 0;
constexpr std::uint8_t kOpAgitate = 218;
const std::string kStormed = W("Die Demonstranten haben das Gefängnis gestürmt!");

class MissionFour : public test::SampleMissionTest {
  protected:
    MissionFour() : SampleMissionTest(4, 4) {}

    static Person& ringleader() { return P(MissionScratch.S0); }
    static std::int16_t storm() { return static_cast<std::int16_t>(MissionScratch.S2); }
    static int head(const UnitHead& u) { return u.orders != nullptr ? u.orders->opcode : -1; }
    static void update() { kMissionHooksM04.UpdateMission(); }
    static void check() { kMissionHooksM04.CheckMission(); }
    static std::string message() { return MessageLine.data(); }
    static void ticks(int n) {
        for (int i = 0; i < n; ++i) RunGameTicks(0);
    }
    // Every rioter gone, as arrested and driven off.
    static void removeRioters() {
        for (std::size_t i = 0; i < Personen.size(); ++i)
            if (Personen[i].type != -1 && (Personen[i].controlFlags & kPersonRival) != 0)
                DeletePerson(static_cast<std::int32_t>(i));
    }
};

TEST_F(MissionFour, SetsUpTheCrowdTheBarricadesAndTheGate) {
    EXPECT_EQ(MissionSonderObjTypCount(4), 33);
    EXPECT_EQ(FixedSonderObjCount, 9);
    EXPECT_EQ(ScrollRows, MapHeight - 4);
    EXPECT_EQ(ViewRightEdgeX(), 3264);

    EXPECT_EQ(ringleader().type, 39);
    EXPECT_EQ(ringleader().x, 995.0f);
    EXPECT_EQ(ringleader().controlFlags, kPersonController | kPersonOnlooker);
    const std::array<std::array<float, 2>, 6> incoming = {
        {{-20, 1590}, {-30, 1640}, {3284, 387}, {3274, 410}, {3294, 2208}, {3264, 2224}}};
    for (int k = 0; k < 6; ++k) {
        const Person& r = P(MissionScratch.S1 + k);
        EXPECT_EQ(r.type, 32) << k;
        EXPECT_EQ(r.controlFlags, kPersonController | kPersonRival) << k;
        EXPECT_EQ(r.x, incoming[static_cast<std::size_t>(k)][0]) << k;
        EXPECT_EQ(r.y, incoming[static_cast<std::size_t>(k)][1]) << k;
    }
    EXPECT_EQ(MissionScratch.S1 + 6, 19) << "the incoming six are the last persons made";
    EXPECT_EQ(MissionScratch.S2, 0);

    int cars = 0;
    for (const Fahrzeug& v : Fahrzeuge) cars += v.type != -1;
    EXPECT_EQ(cars, 14);
    int houses = 0;
    for (const House& h : Houses) houses += h.type >= 0;
    EXPECT_EQ(houses, 41);

    const std::int16_t types[] = {18, 18, 20, 21, 29, 25, 25, 29};
    for (int s = 0; s < 8; ++s) EXPECT_EQ(O(s).type, types[s]) << s;
    EXPECT_EQ(O(8).type, -1);
    EXPECT_EQ(O(9).type, 7) << "the hydrants after the fixed slots";
    const SonderObj& gate = O(2);
    EXPECT_EQ(gate.x, 973.0f);
    EXPECT_EQ(gate.y, 728.0f);
    EXPECT_EQ(gate.blockMask, 0);
    EXPECT_EQ(gate.depthLayer, 2);
    EXPECT_EQ(gate.z, 130.0f);
    EXPECT_EQ(gate.visible, 1);
    EXPECT_EQ(O(3).blockMask, 15);
}

TEST_F(MissionFour, TheRingleaderAgitatesAtTheGateAndTheStormCountRunsOnlyThen) {
    ticks(1);
    EXPECT_EQ(head(ringleader()), kOpAgitate);
    EXPECT_EQ(storm(), 1);
    ticks(99);
    EXPECT_EQ(storm(), 100);
    EXPECT_EQ(ringleader().anim, 3);

    // Led away: his queue replaced, the count stops; back at the gate it goes on.
    Person& r = ringleader();
    SetBefehl(r, PersonTypOf(r), kOpMove, -1, 1100, 700, 0, 0, 0);
    ticks(20);
    EXPECT_EQ(storm(), 100);
    ClearBefehle(r);
    ASSERT_TRUE([&] {
        for (int i = 0; i < 600; ++i) {
            if (head(r) == kOpAgitate) return true;
            ticks(1);
        }
        return false;
    }());
    EXPECT_EQ(r.x, 995.0f);
    EXPECT_EQ(r.direction, 9);
    const std::int16_t before = storm();
    EXPECT_GT(before, 100);
    ticks(10);
    EXPECT_EQ(storm(), before + 10);

    // Paired with a policeman he is left alone; no longer the ringleader's type, nothing.
    const std::int16_t officer = staff(kP01, 1050, 700);
    ClearBefehle(r);
    r.link = static_cast<std::uint16_t>(officer);
    update();
    EXPECT_EQ(r.orders, nullptr);
    r.link = kNoLink;
    r.type = 27;
    update();
    EXPECT_EQ(r.orders, nullptr);
    EXPECT_EQ(storm(), before + 10);
}

TEST_F(MissionFour, Order218HoldsOnlyOnTheSpotFacingThePrison) {
    Person& r = ringleader();
    const std::int16_t index = static_cast<std::int16_t>(MissionScratch.S0);
    struct Case {
        const char* what;
        float x;
        std::int8_t direction;
        bool holds;
    };
    for (const Case& c : {Case{"on the spot", 995.5f, 9, true}, Case{"a pixel off", 996, 9, false},
                          Case{"facing away", 995, 6, false}}) {
        SCOPED_TRACE(c.what);
        r.x = c.x;
        r.direction = c.direction;
        r.anim = 0;
        SetBefehl(r, PersonTypOf(r), kOpAgitate, -1, 0, 0, 0, 0, 0);
        AppendBefehl(r, kOpWait, 5, 0, 0, 0, 1);
        RunPersonBefehl218M04(index);
        RunPersonBefehl218M04(index);
        EXPECT_EQ(head(r), c.holds ? kOpAgitate : -1);
        EXPECT_EQ(r.anim, c.holds ? 3 : 0);
    }
}

TEST_F(MissionFour, TheStormFailsAtOnceAndBeforeTheDead) {
    ExplosionSlots[0].live = 1;
    MissionScratch.S2 = 23999;
    ToteCount = 4;
    check();
    EXPECT_EQ(GameMode, 2u) << "the dead wait for the explosion";
    MissionScratch.S2 = 24000;
    check();
    EXPECT_EQ(GameMode, 4u);
    EXPECT_EQ(message(), kStormed);
    EXPECT_EQ(O(2).visible, 0) << "the gate stands in nobody's way";
    ExplosionSlots[0].live = 0;

    // The count cannot wrap while no check runs: it stops at its largest value and still fails.
    restart();
    ticks(1);
    MissionScratch.S2 = 32767;
    ticks(3);
    EXPECT_EQ(storm(), 32767);
    check();
    EXPECT_EQ(GameMode, 4u);
    EXPECT_EQ(message(), kStormed);
}

TEST_F(MissionFour, TheIncomingRiotersSetOffAfterTick1800AlongTheirChains) {
    const std::int32_t first = MissionScratch.S1;
    TickCounter = 1800;
    update();
    for (int k = 0; k < 6; ++k) EXPECT_EQ(P(first + k).orders, nullptr) << k;

    // Each walks its whole chain: from the left edge chain 1, from the top right chain 2, from
    // the bottom right chain 3, every point a little off.
    using Chain = std::vector<std::array<int, 2>>;
    const Chain chain1 = {{317, 1450}, {1008, 1444}, {1194, 1119}, {926, 955}, {1066, 712}};
    const Chain chain2 = {{2889, 389}, {2539, 456}, {2016, 420}, {1570, 388}, {1168, 540}};
    const Chain chain3 = {{2500, 2210}, {2586, 1700}, {2716, 1362}, {1937, 1312},
                          {1592, 948},  {1662, 667},  {1212, 668}};
    const Chain* chains[] = {&chain1, &chain1, &chain2, &chain2, &chain3, &chain3};
    TickCounter = 1801;
    update();
    for (int k = 0; k < 6; ++k) {
        SCOPED_TRACE(k);
        const Chain& chain = *chains[k];
        const std::vector<test::Order> o = test::Orders(P(first + k));
        ASSERT_EQ(o.size(), 2 * chain.size() - 1);
        for (std::size_t i = 0; i < chain.size(); ++i) {
            const test::Order& walk = o[i == 0 ? 0 : 2 * i];
            EXPECT_EQ(walk[0], kOpMove);
            EXPECT_NEAR(walk[1], chain[i][0], 10);
            EXPECT_NEAR(walk[2], chain[i][1], 10);
            if (i == 0) continue;
            const test::Order& wait = o[2 * i - 1];
            EXPECT_EQ(wait[0], kOpWait);
            EXPECT_GE(wait[1], 200);
            EXPECT_LE(wait[1], 399);
        }
    }
}

TEST_F(MissionFour, ARioterIsHeldWithin140PxOfThePrisonAndSentOnFromTheNearestPoint) {
    const std::int16_t rioter = static_cast<std::int16_t>(MissionScratch.S1);
    for (int k = 1; k < 6; ++k) DeletePerson(rioter + k);
    Person& p = P(rioter);
    TickCounter = 1801;
    struct Case {
        const char* what;
        float x;
        float y;
        int orders;
        int firstX;
        int firstY;
    };
    const Case cases[] = {
        {"140 px", 1240, 635, 1, -1, -1},
        {"141 px walks to chain 3's end", 1241, 635, 1, 1212, 668},
        // As near to (256, 460) as to (317, 1450): the first of the two is taken, chain 0.
        {"a tie", 12, 972, 7, 256, 460},
        // Nearer the prison than the chain's first point: on from the point after it.
        {"past a point", 300, 600, 5, 446, 460},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ClearBefehle(p);
        p.x = c.x;
        p.y = c.y;
        update();
        const std::vector<test::Order> o = test::Orders(p);
        ASSERT_EQ(static_cast<int>(o.size()), c.orders);
        if (c.firstX < 0) {
            EXPECT_EQ(o[0][0], kOpHold);
            continue;
        }
        EXPECT_EQ(o[0][0], kOpMove);
        EXPECT_NEAR(o[0][1], c.firstX, 10);
        EXPECT_NEAR(o[0][2], c.firstY, 10);
    }

    // Only a rioter with an empty queue and the rival flag is sent.
    ClearBefehle(p);
    p.controlFlags = kPersonController;
    update();
    EXPECT_EQ(p.orders, nullptr);
    // A word naming nobody sends nobody.
    MissionScratch.S1 = 65535;
    p.controlFlags = kPersonController | kPersonRival;
    update();
    EXPECT_EQ(p.orders, nullptr);
}

TEST_F(MissionFour, TheChainWalkDrawsXThenYThenTheWait) {
    const std::int16_t i = staff(kP01, 1300, 700);
    const std::array<Point16, 3> chain = {{{100, 200}, {300, 400}, {500, 600}}};
    SeedRandom(77);
    std::vector<int> draws;
    for (int n = 0; n < 8; ++n) draws.push_back(Rand());
    SeedRandom(77);
    WalkChainJittered(P(i), chain);
    const auto at = [&](std::size_t n) { return draws[n] % 20 - 10; };
    const std::vector<test::Order> expected = {
        {kOpMove, 100 + at(0), 200 + at(1), 0, 0, 0}, {kOpWait, draws[4] % 200 + 200, 0, 0, 0, 1},
        {kOpMove, 300 + at(2), 400 + at(3), 0, 0, 1}, {kOpWait, draws[7] % 200 + 200, 0, 0, 0, 1},
        {kOpMove, 500 + at(5), 600 + at(6), 0, 0, 1},
    };
    EXPECT_EQ(test::Orders(P(i)), expected);
}

TEST_F(MissionFour, CursorAndClicksAtTheBarricades) {
    const std::int16_t crane = vehicle(kTypF110, 1350, 800);
    const std::int16_t engine = vehicle(kTypF104, 1350, 700);
    const std::int16_t police = vehicle(kTypF301, 1380, 900);
    struct Case {
        const char* what;
        std::uint16_t slot;
        std::uint16_t mode;
        std::int32_t selected;
        bool burning;
        std::uint16_t cursor;  // 0: not claimed
    };
    const Case cursors[] = {
        {"F104", 3, 3, engine, false, 21},        {"F105", 4, 4, engine, false, 21},
        {"F107", 5, 6, engine, true, 21},         {"F115", 7, 13, engine, false, 21},
        {"F106", 3, 5, engine, false, 0},         {"crane", 6, 9, crane, false, 19},
        {"crane, burning", 6, 9, crane, true, 0}, {"gate", 2, 3, engine, false, 0},
        {"hydrant", 9, 3, engine, false, 0},
    };
    for (const Case& c : cursors) {
        SCOPED_TRACE(c.what);
        HoverIds = {c.slot, 0, 0, 0};
        SelectionMode = c.mode;
        SelectedIndex = static_cast<std::uint16_t>(c.selected);
        O(c.slot).burning = c.burning ? 1 : 0;
        CursorId = 0;
        EXPECT_EQ(kMissionHooksM04.CursorOnSonderObj(), c.cursor != 0 ? 1 : 0);
        EXPECT_EQ(CursorId, c.cursor);
        O(c.slot).burning = 0;
    }

    const auto clickOn = [](std::uint16_t slot, std::uint16_t mode, std::int32_t selected,
                            std::uint16_t cursor) {
        HoverIds = {slot, 0, 0, 0};
        SelectionMode = mode;
        SelectedIndex = static_cast<std::uint16_t>(selected);
        CursorId = cursor;
        return kMissionHooksM04.ClickOnSonderObj();
    };
    // The crane takes a barricade that does not burn.
    const Fahrzeug& c = Fahrzeuge[static_cast<std::size_t>(crane)];
    ASSERT_EQ(clickOn(5, 9, crane, 19), 1);
    ASSERT_NE(c.orders, nullptr);
    EXPECT_EQ(c.orders->opcode, kOpGoals);
    ASSERT_EQ(c.orders->goals.size(), 4u);
    const GoalList points = ApproachPoints(5, c);
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_EQ(c.orders->goals[k].x, points[k].x);
        EXPECT_EQ(c.orders->goals[k].facing, points[k].facing);
    }
    EXPECT_EQ(test::Orders(c)[1], (test::Order{kOpTakeUpObject, 5, 25, 0, 0, 1}));
    ClearBefehle(Fahrzeuge[static_cast<std::size_t>(crane)]);
    O(5).burning = 1;
    EXPECT_EQ(clickOn(5, 9, crane, 0), 0) << "a burning one is left to the engine";
    EXPECT_EQ(c.orders, nullptr);
    O(5).burning = 0;
    EXPECT_EQ(clickOn(2, 9, crane, 19), 0);

    // Water: with nothing chosen the click is taken; a car without a cannon leaves it.
    EXPECT_EQ(clickOn(3, 65535, 65535, 21), 1);
    EXPECT_EQ(clickOn(3, 1000, 0, 21), 1);
    EXPECT_EQ(clickOn(3, kTypF301, police, 21), 0);
    EXPECT_EQ(clickOn(3, kTypF301, 999, 21), 0) << "a selected index out of range";
    EXPECT_EQ(clickOn(3, 3, engine, 0), 0) << "without the water cursor";
    // In reach the cannon aims at once, out of reach the engine drives up first.
    const Fahrzeug& e = Fahrzeuge[static_cast<std::size_t>(engine)];
    ViewOrigin = {1000, 600};
    MouseX = 300;
    MouseY = 60;
    ASSERT_EQ(clickOn(6, 3, engine, 21), 1);
    EXPECT_EQ(head(e), kOpCannonAtObject);
    ViewOrigin = {0, 1800};
    MouseX = 100;
    MouseY = 100;
    ASSERT_EQ(clickOn(6, 3, engine, 21), 1);
    EXPECT_EQ(head(e), kOpRouteLeg);
    EXPECT_EQ(test::Orders(e)[1][0], kOpCannonAtObject);
}

TEST_F(MissionFour, WonOnceNoRioterNoCasualtyAndNoFireIsLeft) {
    check();
    EXPECT_EQ(GameMode, 2u) << "the rioters are still there";
    removeRioters();
    // A burning barricade alone does not keep the mission open.
    O(3).burning = 1;
    ++BurningSonderObjCount;

    struct Case {
        const char* what;
        void (*make)();
    };
    const Case blockers[] = {
        {"a casualty", [] { P(2).casualty = 1; }},
        {"a person on fire", [] { P(2).type = 7; }},
        {"a rival", [] { P(2).controlFlags |= kPersonRival; }},
        {"a burning cell", [] { BurningCellCount = 1; }},
        {"a burning house", [] { BurningHouseCount = 1; }},
    };
    for (const Case& c : blockers) {
        SCOPED_TRACE(c.what);
        const Person saved = P(2);
        c.make();
        check();
        EXPECT_EQ(GameMode, 2u);
        P(2).casualty = saved.casualty;
        P(2).type = saved.type;
        P(2).controlFlags = saved.controlFlags;
        BurningCellCount = 0;
        BurningHouseCount = 0;
    }
    check();
    EXPECT_EQ(GameMode, 5u);
}

TEST_F(MissionFour, FourDeadFail) {
    ToteCount = 3;
    check();
    EXPECT_EQ(GameMode, 2u);
    ToteCount = 4;
    check();
    EXPECT_EQ(GameMode, 4u);
    EXPECT_EQ(message(), "Zu viele Tote!");
}

TEST_F(MissionFour, Evaluation) {
    ToteCount = 2;
    TickCounter = 45000;
    Money = 13000;
    kMissionHooksM04.EvaluateMission();
    EXPECT_EQ(ResultLines[0].percent, 50);
    EXPECT_EQ(ResultLines[1].percent, 50);
    EXPECT_EQ(ResultLines[2].percent, 100);
    EXPECT_EQ(EvaluationEfficiency, 62);
    EXPECT_EQ(EvaluationPoints, 810);
    EXPECT_EQ(std::string(ResultLines[0].text.data()), "Tote: 2");
    EXPECT_EQ(std::string(ResultLines[1].text.data()), "Zeit: 37:30");
}

}  // namespace
}  // namespace kv
