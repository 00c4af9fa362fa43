// The person order interpreter and its generic handlers, on mission 1's generated map with
// persons of a sample type: the table, the draw corner and zones, waiting, the straight walk,
// following, the path shortcut and placing, and a long seeded run of all of them.

#include "persons/person_befehle.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "core/befehl_callbacks.h"
#include "core/cd_path.h"
#include "core/random.h"
#include "core/unit_views.h"
#include "media/speech.h"
#include "movement/befehl_queue.h"
#include "movement/stepping.h"
#include "movement/zones.h"
#include "persons/person_fixture.h"
#include "persons/person_handlers.h"
#include "persons/person_types.h"
#include "world/level_map.h"
#include "world/terrain.h"
#include "world/terrain_fixture.h"

namespace kv {
namespace {

constexpr int kType = 1;
// Open field, south of the wood and north of the road.
constexpr float kFieldX = 600.0f;
constexpr float kFieldY = 250.0f;

std::vector<int> Opcodes(const UnitHead& unit) {
    std::vector<int> ops;
    for (const Befehl* b = unit.orders; b != nullptr; b = b->next) ops.push_back(b->opcode);
    return ops;
}

// a of a follow order: where the target stood, packed.
std::int32_t Packed(int x, int y) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(x & 0xFFFF) |
                                     (static_cast<std::uint32_t>(y & 0xFFFF) << 16));
}
// c of a follow order.
std::int32_t Target(std::int16_t kind, int index) {
    return static_cast<std::int32_t>(static_cast<std::uint16_t>(kind) |
                                     (static_cast<std::uint32_t>(index & 0xFFFF) << 16));
}

// A vehicle array of bare heads, for the follow orders that name a vehicle.
std::array<UnitHead, 3> g_vehicles;

struct CallbackCall {
    std::int32_t follower;
    std::int32_t target;
    std::uint8_t speech;
};
std::vector<CallbackCall> g_calls;

void RecordCall(std::int32_t follower, std::int32_t target) {
    g_calls.push_back({follower, target, UnitSpeech});
}

// Which sides of a person other persons stand against.
struct Boxed {
    bool left, right, above, below;
};

class PersonBefehle : public test::PersonTest {
  protected:
    void SetUp() override {
        test::PersonTest::SetUp();
        FreeLevelMap();
        CdPath = std::string(KV_SAMPLEDATA_DIR) + "/";
        ASSERT_TRUE(LoadLevelMap(1, 0));
        ASSERT_TRUE(LoadTerrain());
        test::SetWorldMaxFromMap();
        alloc(16);
        g_vehicles.fill(UnitHead{});
        FahrzeugUnits.count = static_cast<std::int16_t>(g_vehicles.size());
        FahrzeugUnits.head = [](std::int16_t i) -> UnitHead* { return &g_vehicles[i]; };
        callbacks_[2] = RecordCall;
        SetBefehlCallbackSource(&callbacks_);
        InitBefehlCallbacks();
        g_calls.clear();
    }
    void TearDown() override {
        for (UnitHead& v : g_vehicles) DiscardBefehle(v);
        test::PersonTest::TearDown();
    }

    std::int16_t walker(float x = kFieldX, float y = kFieldY, int direction = 0) {
        return place(kType, x, y, direction);
    }
    UnitHead& vehicle(int i) { return g_vehicles[static_cast<std::size_t>(i)]; }
    // The sample type's footprint reaches 5 px from the position on every side: a neighbour 11 px
    // away is met by any step that moves the truncated position a pixel toward it.
    void boxIn(const Boxed& box, float x, float y) {
        constexpr float kGap = 11.0f;
        if (box.left) walker(x - kGap, y);
        if (box.right) walker(x + kGap, y);
        if (box.above) walker(x, y - kGap);
        if (box.below) walker(x, y + kGap);
    }

    BefehlCallbackTable callbacks_{};
};

TEST(PersonBefehlTable, OnlyOpcodesWithAPersonColumnHaveARow) {
    for (int op = 0; op < kBefehlOpcodeCount; ++op) {
        const bool row = PersonBefehlHandlers[static_cast<std::size_t>(op)] != nullptr;
        const bool held = op == 9 || (op >= 13 && op <= 149) || op >= 228;
        EXPECT_TRUE(!row || BefehlOpcode(static_cast<std::uint8_t>(op)).person) << op;
        EXPECT_FALSE(held && row) << op;
    }
    for (int op : {6, 7, 8, 10, 11, 12, 163, 186, 203, 212, 227})
        EXPECT_NE(PersonBefehlHandlers[static_cast<std::size_t>(op)], nullptr) << op;
}

TEST_F(PersonBefehle, NothingRunsWithoutAHeadOrderOrAPersonInTheSlot) {
    const std::int16_t i = walker();
    person(i).drawX = -999;
    ExecutePersonBefehl(i);
    EXPECT_EQ(person(i).drawX, -999);

    // A free slot keeps whatever it holds.
    Person& freeSlot = person(5);
    AppendBefehl(freeSlot, kOpWait, 1, 0, 0, 0, 1);
    ExecutePersonBefehl(5);
    EXPECT_EQ(Opcodes(freeSlot), std::vector<int>{kOpWait});
    DiscardBefehle(freeSlot);

    for (std::int16_t outside : {-1, 16, 300}) ExecutePersonBefehl(outside);
}

TEST_F(PersonBefehle, OrdersWithoutAPersonHandlerHoldButTheDrawCornerMoves) {
    const std::int16_t i = walker(300.75f, 200.5f, 3);
    const AnimSlot& slot = PersonAnimSlot(kType, 3, 0);
    ASSERT_NE(slot.hotX, 0);
    for (int op : {9, 100, 228, 255}) {
        SCOPED_TRACE(op);
        ClearBefehle(person(i));
        person(i).x = 300.75f;
        person(i).y = 200.5f;
        AppendBefehl(person(i), static_cast<std::uint8_t>(op), 5, 6, 7, 8, 1);
        person(i).drawX = 0;
        ExecutePersonBefehl(i);
        ASSERT_EQ(Opcodes(person(i)), std::vector<int>{op});
        EXPECT_EQ(person(i).orders->aInt(), 5);
        EXPECT_EQ(person(i).drawX, 300 - slot.hotX);
        EXPECT_EQ(person(i).drawY, 200 - slot.hotY);
    }
}

TEST_F(PersonBefehle, TheDrawCornerIsTruncatedTowardZero) {
    const std::int16_t i = walker(2.5f, 2.5f);
    const AnimSlot& slot = PersonAnimSlot(kType, 0, 0);
    ASSERT_GT(slot.hotX, 3);
    ASSERT_GT(slot.hotY, 3);
    // Left of and above the hot spot: 2.5 - hotX lies between two whole numbers below zero.
    AppendBefehl(person(i), kOpWait, 5, 0, 0, 0, 1);
    ExecutePersonBefehl(i);
    EXPECT_EQ(person(i).drawX, 3 - slot.hotX);
    EXPECT_EQ(person(i).drawY, 3 - slot.hotY);
}

TEST_F(PersonBefehle, OrderTenClearsTheQueueAndTellsTheScripts) {
    const std::int16_t i = walker();
    AppendBefehl(person(i), kOpClear, 0, 0, 0, 0, 1);
    AppendBefehl(person(i), kOpWait, 5, 0, 0, 0, 1);
    ClearBefehleSignal = 0;
    ExecutePersonBefehl(i);
    EXPECT_EQ(person(i).orders, nullptr);
    EXPECT_EQ(ClearBefehleSignal, 1);
}

std::vector<std::int16_t> g_hooked;

TEST_F(PersonBefehle, HookedOrdersRunAboveOrHoldAndAFreedSlotKeepsItsDrawCorner) {
    const std::int16_t i = walker();
    AppendBefehl(person(i), 186, 0, 0, 0, 0, 1);
    ExecutePersonBefehl(i);
    EXPECT_EQ(Opcodes(person(i)), std::vector<int>{186});  // nothing installed: it holds

    PersonBefehlHooks hooks;
    hooks.RunPersonBefehl186M03 = [](std::int16_t index) {
        g_hooked.push_back(index);
        DeletePerson(index);
        Personen[static_cast<std::size_t>(index)].drawX = 77;
    };
    SetPersonBefehlHooks(&hooks);
    g_hooked.clear();
    ExecutePersonBefehl(i);
    EXPECT_EQ(g_hooked, std::vector<std::int16_t>{i});
    EXPECT_EQ(person(i).type, -1);
    EXPECT_EQ(person(i).drawX, 77);

    // Another hooked opcode with an empty member holds.
    const std::int16_t j = walker();
    AppendBefehl(person(j), 203, 0, 0, 0, 0, 1);
    ExecutePersonBefehl(j);
    EXPECT_EQ(Opcodes(person(j)), std::vector<int>{203});
    SetPersonBefehlHooks(nullptr);
}

TEST_F(PersonBefehle, ZonesAreCountedAfterMovementOrdersOnlyWhenTheMissionHasThem) {
    ZoneCount = 1;
    AllocZones();
    SetZone(0, 500, 150, 700, 350, 5);
    struct Case {
        bool zones;
        bool place;  // order 12 (a movement order), else order 7
        std::int16_t zone;
    };
    for (const Case c : {Case{true, true, 0}, Case{true, false, -1}, Case{false, true, -1}}) {
        SCOPED_TRACE(testing::Message() << c.zones << c.place);
        Zones[0].occupants = 0;
        const std::int16_t i = walker(100.0f, 100.0f);
        if (c.place)
            AppendTurnBefehl(person(i), kOpPlace, kFieldX, kFieldY, 2, 0, 1);
        else
            AppendBefehl(person(i), kOpWait, 1, 0, 0, 0, 1);
        person(i).x = kFieldX;  // order 7 leaves the person where it stands
        person(i).y = kFieldY;
        ZoneCount = c.zones ? 1 : 0;
        ExecutePersonBefehl(i);
        EXPECT_EQ(person(i).zone, c.zone);
        EXPECT_EQ(Zones[0].occupants, c.zone == 0 ? 1 : 0);
        DeletePerson(i);
    }
    ZoneCount = 1;
}

TEST_F(PersonBefehle, WaitingStandsAndEndsAfterItsTicks) {
    struct Case {
        std::int32_t a;
        int ticks;  // until the order is gone
    };
    for (const Case c : {Case{1, 1}, Case{0, 1}, Case{-5, 1}, Case{3, 3},
                         Case{std::numeric_limits<std::int32_t>::min(), 1}}) {
        SCOPED_TRACE(c.a);
        const std::int16_t i = walker();
        SetPersonAnim(i, kAnimWalk);
        AppendBefehl(person(i), kOpWait, c.a, 0, 0, 0, 1);
        int ticks = 0;
        while (person(i).orders != nullptr && ticks < 10) {
            ExecutePersonBefehl(i);
            ++ticks;
            EXPECT_EQ(person(i).anim, kAnimStand);
        }
        EXPECT_EQ(ticks, c.ticks);
        DeletePerson(i);
    }
}

// Ticks until the queue is empty (at most 50), and how many of them moved the person.
struct WalkRun {
    int ticks = 0;
    int moves = 0;
};
WalkRun RunUntilDone(Person& p, std::int16_t i) {
    WalkRun run;
    while (p.orders != nullptr && run.ticks < 50) {
        const float x = p.x;
        const float y = p.y;
        ExecutePersonBefehl(i);
        ++run.ticks;
        if (p.x != x || p.y != y) ++run.moves;
        if (p.orders != nullptr) {
            EXPECT_EQ(p.anim, kAnimWalk);
            EXPECT_NE(p.moverFlags & kMoverSearching, 0);
        }
    }
    return run;
}

TEST_F(PersonBefehle, AStraightWalkTakesElevenStepsFromZeroAndOneFromTen) {
    struct Case {
        std::int32_t a;
        int steps;
    };
    for (const Case c : {Case{0, 11}, Case{1, 10}, Case{10, 1}}) {
        SCOPED_TRACE(c.a);
        const std::int16_t i = walker(kFieldX, kFieldY, 3);
        Person& p = person(i);
        p.aimX = kFieldX + 100.0f;  // straight ahead: the first step is free as it faces
        p.aimY = kFieldY;
        AppendBefehl(p, 8, c.a, 0, 0, 0, 1);
        const WalkRun run = RunUntilDone(p, i);
        EXPECT_EQ(run.ticks, c.steps);
        EXPECT_EQ(run.moves, c.steps);
        EXPECT_EQ(p.direction, 3);
        EXPECT_EQ(p.y, kFieldY);
        EXPECT_GT(p.x, kFieldX);
        EXPECT_EQ(p.anim, kAnimStand);
        EXPECT_EQ(p.moverFlags & kMoverSearching, 0);
        DeletePerson(i);
    }
}

TEST_F(PersonBefehle, AStraightWalkBlockedAllRoundEndsWithoutMoving) {
    struct Case {
        const char* what;
        float x, y;
        bool persons;
    };
    // Persons on every side, or the middle of the lake.
    for (const Case c : {Case{"persons", kFieldX + 0.5f, kFieldY + 0.5f, true},
                         Case{"water", 1085.0f, 855.0f, false}}) {
        SCOPED_TRACE(c.what);
        const std::int16_t i = walker(c.x, c.y, 3);
        ASSERT_EQ(i, 0);
        if (c.persons) boxIn({true, true, true, true}, c.x, c.y);
        Person& p = person(i);
        p.aimX = c.x + 100.0f;
        p.aimY = c.y;
        AppendBefehl(p, 8, 0, 0, 0, 0, 1);
        ExecutePersonBefehl(i);
        EXPECT_EQ(p.orders, nullptr);
        EXPECT_EQ(p.x, c.x);
        EXPECT_EQ(p.y, c.y);
        EXPECT_EQ(p.direction, 3);
        EXPECT_EQ(p.anim, kAnimStand);
        EXPECT_EQ(p.moverFlags & kMoverSearching, 0);
        for (std::int16_t n = 0; n < PersonCount; ++n) DeletePerson(n);
    }
}

TEST_F(PersonBefehle, AWalkThatMeetsSomeoneStandsAndEnds) {
    const std::int16_t i = walker(kFieldX + 0.5f, kFieldY + 0.5f, 3);
    boxIn({false, true, false, false}, kFieldX + 0.5f, kFieldY + 0.5f);
    Person& p = person(i);
    SetPersonAnim(i, kAnimWalk);
    p.moverFlags = kMoverSearching;
    AppendBefehl(p, 8, 4, 0, 0, 0, 1);
    ExecutePersonBefehl(i);
    EXPECT_EQ(p.orders, nullptr);
    EXPECT_EQ(p.x, kFieldX + 0.5f);
    EXPECT_EQ(p.anim, kAnimStand);
    EXPECT_EQ(p.moverFlags, 0);
}

TEST_F(PersonBefehle, TheFirstStepSearchTurnsAwayFromTheAim) {
    // Three quarters into its pixel, every step with a part to the right (1..5) meets the person
    // standing on the right, while straight up (0) and down (6) are free. The person faces 3;
    // with the aim at 4 the search turns 3, 2, 1, 0, with the aim at 2 it turns 3, 4, 5, 6.
    struct Case {
        int aimDirection;
        std::int8_t found;
    };
    for (const Case c : {Case{4, 0}, Case{2, 6}, Case{5, 0}, Case{1, 6}}) {
        SCOPED_TRACE(c.aimDirection);
        const float x = kFieldX + 0.75f;
        const float y = kFieldY + 0.5f;
        const std::int16_t i = walker(x, y, 3);
        ASSERT_EQ(i, 0);
        boxIn({false, true, false, false}, x, y);
        Person& p = person(i);
        // A point 100 steps away in the aim's direction.
        float ax = x;
        float ay = y;
        for (int n = 0; n < 100; ++n)
            StepPoint3(ax, ay, static_cast<std::uint8_t>(c.aimDirection), 0);
        p.aimX = ax;
        p.aimY = ay;
        ASSERT_EQ(GetDirection12(p, x, y, ax, ay), c.aimDirection);
        AppendBefehl(p, 8, 0, 0, 0, 0, 1);
        ExecutePersonBefehl(i);
        EXPECT_EQ(p.direction, c.found);
        EXPECT_EQ(p.x, x);
        EXPECT_NE(p.y, y);
        ASSERT_NE(p.orders, nullptr);
        EXPECT_EQ(p.orders->aInt(), 1);
        for (std::int16_t n = 0; n < PersonCount; ++n) DeletePerson(n);
    }
}

TEST_F(PersonBefehle, PlacingWaitsUntilTheSpotIsFree) {
    const std::int16_t i = walker(kFieldX, kFieldY, 1);
    const std::int16_t other = walker(kFieldX + 40.0f, kFieldY, 0);
    Person& p = person(i);
    p.moverFlags = 0xFF;
    AppendTurnBefehl(p, kOpPlace, kFieldX + 44.0f, kFieldY + 2.0f, 6, 0, 1);
    for (int tick = 0; tick < 3; ++tick) ExecutePersonBefehl(i);
    ASSERT_EQ(Opcodes(p), std::vector<int>{kOpPlace});
    EXPECT_EQ(p.x, kFieldX);
    EXPECT_EQ(p.direction, 1);
    EXPECT_EQ(p.moverFlags, 0xFF);

    person(other).x = kFieldX + 80.0f;
    ExecutePersonBefehl(i);
    EXPECT_EQ(p.orders, nullptr);
    EXPECT_EQ(p.x, kFieldX + 44.0f);
    EXPECT_EQ(p.direction, 6);
    EXPECT_EQ(p.moverFlags, 244);
}

TEST_F(PersonBefehle, FollowingEndsWhenTheTargetStandsOnTheAimedPointAndGoesOnAtOnce) {
    const std::int16_t f = walker();
    const std::int16_t t = walker(kFieldX + 200.0f, kFieldY + 0.75f);
    AppendBefehl(person(f), kOpFollow, Packed(800, 250), 2, Target(kFollowPerson, t), 0, 1);
    AppendBefehl(person(f), kOpWait, 1, 0, 0, 0, 1);
    AppendBefehl(person(f), kOpHold, 0, 0, 0, 0, 1);
    ExecutePersonBefehl(f);
    EXPECT_EQ(Opcodes(person(f)), std::vector<int>{kOpHold});  // 6 and 7 ran in this tick
    EXPECT_TRUE(g_calls.empty());
    EXPECT_EQ(person(t).orders, nullptr);
}

TEST_F(PersonBefehle, ANearFollowerMakesItsTargetWaitAndTheCallbackPlansWithSpeechOff) {
    const std::int16_t f = walker();
    const std::int16_t t = walker(kFieldX + 30.0f, kFieldY + 30.0f);
    AppendBefehl(person(t), kOpHold, 0, 0, 0, 0, 1);
    AppendBefehl(person(f), kOpFollow, Packed(1, 1), 2, Target(kFollowPerson, t), 0, 1);
    callbacks_[2] = [](std::int32_t follower, std::int32_t target) {
        RecordCall(follower, target);
        AppendBefehl(Personen[static_cast<std::size_t>(follower)], kOpHold, 0, 0, 0, 0, 1);
        PopBefehl(Personen[static_cast<std::size_t>(follower)]);
    };
    InitBefehlCallbacks();
    UnitSpeech = 1;
    ExecutePersonBefehl(f);

    ASSERT_EQ(g_calls.size(), 1u);
    EXPECT_EQ(g_calls[0].follower, f);
    EXPECT_EQ(g_calls[0].target, t);
    EXPECT_EQ(g_calls[0].speech, 0);
    EXPECT_EQ(UnitSpeech, 1);
    EXPECT_EQ(Opcodes(person(f)), std::vector<int>{kOpHold});
    ASSERT_EQ(Opcodes(person(t)), std::vector<int>{kOpWait});
    EXPECT_EQ(person(t).orders->aInt(), 100);
    EXPECT_EQ(person(t).orders->bInt(), 1);

    // 50 px and more: the target goes on.
    ClearBefehle(person(t));
    AppendBefehl(person(t), kOpHold, 0, 0, 0, 0, 1);
    person(t).x = kFieldX + 50.0f;
    person(t).y = kFieldY;
    ClearBefehle(person(f));
    AppendBefehl(person(f), kOpFollow, Packed(1, 1), 2, Target(kFollowPerson, t), 0, 1);
    ExecutePersonBefehl(f);
    EXPECT_EQ(Opcodes(person(t)), std::vector<int>{kOpHold});
    EXPECT_EQ(g_calls.size(), 2u);
}

TEST_F(PersonBefehle, AFollowedVehicleWaitsThroughItsOwnTypeTable) {
    const std::int16_t f = walker();
    UnitHead& v = vehicle(1);
    v.type = 3;
    v.present = 1;
    v.x = kFieldX + 10.0f;
    v.y = kFieldY;
    AppendBefehl(person(f), kOpFollow, Packed(1, 1), 2, Target(kFollowFahrzeug, 1), 0, 1);
    AppendBefehl(person(f), kOpHold, 0, 0, 0, 0, 1);
    ExecutePersonBefehl(f);
    ASSERT_EQ(Opcodes(v), std::vector<int>{kOpWait});
    EXPECT_EQ(v.orders->aInt(), 100);
    ASSERT_EQ(g_calls.size(), 9u);  // the order stays: it runs again, eight times nested
    EXPECT_EQ(g_calls[0].target, 1);
    EXPECT_EQ(Opcodes(person(f)), (std::vector<int>{kOpFollow, kOpHold}));
}

TEST_F(PersonBefehle, AFollowerWhoseTargetNoLongerQualifiesLosesItsWholeQueue) {
    struct Case {
        const char* what;
        void (*spoil)(Person& target, UnitHead& vehicle);
        std::int16_t kind;
        int index;
    };
    const Case cases[] = {
        {"free", [](Person& t, UnitHead&) { t.type = -1; }, kFollowPerson, 1},
        {"burning", [](Person& t, UnitHead&) { t.type = 7; }, kFollowPerson, 1},
        {"casualty", [](Person& t, UnitHead&) { t.casualty = 1; }, kFollowPerson, 1},
        {"off the map", [](Person& t, UnitHead&) { t.offMap = 1; }, kFollowPerson, 1},
        {"hidden", [](Person& t, UnitHead&) { t.present = 0; }, kFollowPerson, 1},
        {"other storey", [](Person& t, UnitHead&) { t.storey = 1; }, kFollowPerson, 1},
        {"past the array", [](Person&, UnitHead&) {}, kFollowPerson, 16},
        {"index 65535", [](Person&, UnitHead&) {}, kFollowPerson, 0xFFFF},
        {"free vehicle", [](Person&, UnitHead& v) { v.type = -1; }, kFollowFahrzeug, 0},
        {"vehicle off the map", [](Person&, UnitHead& v) { v.present = 0; }, kFollowFahrzeug, 0},
        {"vehicle on another layer", [](Person&, UnitHead& v) { v.storey = -1; }, kFollowFahrzeug,
         0},
        {"vehicle past the array", [](Person&, UnitHead&) {}, kFollowFahrzeug, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::int16_t f = walker(kFieldX + 0.5f, kFieldY);
        const std::int16_t t = walker(kFieldX + 100.0f, kFieldY);
        ASSERT_EQ(t, 1);
        vehicle(0) = UnitHead{};
        vehicle(0).type = 2;
        vehicle(0).present = 1;
        c.spoil(person(t), vehicle(0));
        AppendBefehl(person(f), kOpFollow, Packed(1, 1), 2, Target(c.kind, c.index), 0, 1);
        AppendBefehl(person(f), kOpWait, 5, 0, 0, 0, 1);
        ExecutePersonBefehl(f);
        EXPECT_EQ(person(f).orders, nullptr);
        EXPECT_EQ(person(f).x, kFieldX);  // cleared: cut to whole pixels
        EXPECT_TRUE(g_calls.empty());
        DeletePerson(f);
        DeletePerson(t);
        Personen[1] = Person{};
    }
}

TEST_F(PersonBefehle, FollowOrdersOfAnotherKindOrOfTheFollowerItselfAreDropped) {
    const std::int16_t f = walker();
    for (std::int32_t c : {Target(2, 1), Target(0, 1), Target(kFollowPerson, f)}) {
        ClearBefehle(person(f));
        AppendBefehl(person(f), kOpFollow, Packed(1, 1), 2, c, 0, 1);
        AppendBefehl(person(f), kOpHold, 0, 0, 0, 0, 1);
        ExecutePersonBefehl(f);
        EXPECT_EQ(Opcodes(person(f)), std::vector<int>{kOpHold});
    }
    EXPECT_TRUE(g_calls.empty());
}

TEST_F(PersonBefehle, AFollowOrderThatKeepsAskingForMoreEndsTheTick) {
    const std::int16_t f = walker();
    const std::int16_t t = walker(kFieldX + 200.0f, kFieldY);
    // An empty slot, a slot past the table, and a callback that lays the same order again.
    callbacks_[3] = [](std::int32_t follower, std::int32_t target) {
        RecordCall(follower, target);
        Person& p = Personen[static_cast<std::size_t>(follower)];
        SetBefehl(p, PersonTypen[kType], kOpFollow, -1, Packed(1, 1), 3,
                  Target(kFollowPerson, target), 0, 1);
    };
    InitBefehlCallbacks();
    for (std::int32_t slot : {5, 15, -1, 3}) {
        SCOPED_TRACE(slot);
        g_calls.clear();
        ClearBefehle(person(f));
        AppendBefehl(person(f), kOpFollow, Packed(1, 1), slot, Target(kFollowPerson, t), 0, 1);
        ExecutePersonBefehl(f);
        EXPECT_EQ(Opcodes(person(f)), std::vector<int>{kOpFollow});
        EXPECT_EQ(g_calls.size(), slot == 3 ? 9u : 0u);
    }
    // The bound is per run: the next tick runs the order again.
    g_calls.clear();
    ExecutePersonBefehl(f);
    EXPECT_EQ(g_calls.size(), 9u);
}

TEST_F(PersonBefehle, PlanningThePathEndsAndRunsTheNextOrderAtOnce) {
    const std::int16_t i = walker(kFieldX, kFieldY, 5);
    AppendBefehl(person(i), 11, 0, 0, 0, 0, 1);
    AppendBefehl(person(i), kOpHold, 0, 0, 0, 0, 1);
    ExecutePersonBefehl(i);
    EXPECT_EQ(Opcodes(person(i)), std::vector<int>{kOpHold});
    EXPECT_EQ(person(i).stepMarker, 5);
    EXPECT_EQ(person(i).shortcutFirst, nullptr);

    ClearBefehle(person(i));
    AppendBefehl(person(i), 11, 0, 0, 0, 0, 1);
    AppendBefehl(person(i), kOpWait, 1, 0, 0, 0, 1);
    ExecutePersonBefehl(i);
    EXPECT_EQ(person(i).orders, nullptr);
}

TEST_F(PersonBefehle, APlacedPersonTakesPointAndFacingAndStopsMoving) {
    const std::int16_t i = walker(kFieldX, kFieldY, 1);
    Person& p = person(i);
    struct Case {
        std::int32_t c;
        std::int8_t facing;
    };
    for (const Case c : {Case{7, 7}, Case{12, 1}, Case{-1, 1}}) {
        SCOPED_TRACE(c.c);
        p.direction = 1;
        p.moverFlags = 0xFF;
        PushTurnBefehl(p, kOpPlace, kFieldX + 20.5f, kFieldY - 3.25f, c.c, 0, 1);
        ExecutePersonBefehl(i);
        EXPECT_EQ(p.orders, nullptr);
        EXPECT_EQ(p.x, kFieldX + 20.5f);
        EXPECT_EQ(p.y, kFieldY - 3.25f);
        EXPECT_EQ(p.direction, c.facing);
        EXPECT_EQ(p.moverFlags, 244);
    }
}

// Orders of every generic kind for a handful of persons, laid again whenever a queue runs dry.
void GiveRandomOrders(Person& p, std::int16_t self, std::int16_t count) {
    const auto other = static_cast<std::int32_t>(Rand() % count);
    switch (Rand() % 5) {
        case 0:
            AppendBefehl(p, kOpWait, static_cast<std::int32_t>(Rand() % 20), 0, 0, 0, 1);
            break;
        case 1:
            p.aimX = p.x + static_cast<float>(Rand() % 200) - 100.0f;
            p.aimY = p.y + static_cast<float>(Rand() % 200) - 100.0f;
            AppendBefehl(p, 8, static_cast<std::int32_t>(Rand() % 3), 0, 0, 0, 1);
            break;
        case 2:
            AppendBefehl(p, kOpFollow, Packed(Rand() % 2000, Rand() % 1000),
                         static_cast<std::int32_t>(Rand() % 4),
                         Target(kFollowPerson, other == self ? (other + 1) % count : other), 0, 1);
            break;
        case 3:
            AppendTurnBefehl(p, kOpPlace, 200.0f + static_cast<float>(Rand() % 1600),
                             100.0f + static_cast<float>(Rand() % 900),
                             static_cast<std::int32_t>(Rand() % 12), 0, 1);
            break;
        default:
            AppendBefehl(p, 11, 0, 0, 0, 0, 1);
            break;
    }
}

TEST_F(PersonBefehle, FiveHundredSeededTicksOfGenericOrdersEndWell) {
    SeedRandom(2024);
    // Slot 2 walks the follower on, slot 3 follows the target in turn.
    callbacks_[2] = [](std::int32_t follower, std::int32_t) {
        Person& p = Personen[static_cast<std::size_t>(follower)];
        SetBefehl(p, PersonTypen[kType], 8, -1, 1, 0, 0, 0, 1);
    };
    callbacks_[3] = [](std::int32_t follower, std::int32_t target) {
        Person& p = Personen[static_cast<std::size_t>(follower)];
        AppendBefehl(p, kOpFollow, Packed(1, 1), 3, Target(kFollowPerson, target), 0, 1);
        PopBefehl(p);
    };
    InitBefehlCallbacks();
    constexpr std::int16_t kCount = 12;
    for (int n = 0; n < kCount; ++n)
        walker(300.0f + 120.0f * static_cast<float>(n % 6),
               150.0f + 200.0f * static_cast<float>(n / 6), static_cast<int>(Rand() % 12));
    for (int tick = 0; tick < 500; ++tick) {
        for (std::int16_t i = 0; i < kCount; ++i) {
            if (person(i).orders == nullptr) GiveRandomOrders(person(i), i, kCount);
            ExecutePersonBefehl(i);
        }
    }
    for (std::int16_t i = 0; i < kCount; ++i) {
        const Person& p = person(i);
        EXPECT_EQ(p.type, kType);
        EXPECT_GE(p.direction, 0);
        EXPECT_LT(p.direction, 12);
        EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
    }
}

}  // namespace
}  // namespace kv
