// The vehicle order interpreter and its simple handlers: what runs, what holds, the zone and draw
// corner after a handler, and orders 6, 7, 8, 10, 11, 12, 43, 48 and 61.

#include "vehicles/fahrzeug_befehle.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/befehl_callbacks.h"
#include "core/mission_hooks.h"
#include "core/mission_state.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/befehl_rerun.h"
#include "movement/move_step.h"
#include "movement/stepping.h"
#include "movement/zones.h"
#include "persons/personen.h"
#include "vehicles/fahrzeug_fixture.h"
#include "vehicles/fahrzeuge.h"
#include "world/wasser_strahl.h"

namespace kv {
namespace {

class FahrzeugBefehle : public test::FahrzeugTest {
  protected:
    void SetUp() override {
        FahrzeugTest::SetUp();
        v = Make(kTypF102);
        calls.clear();
    }
    Fahrzeug& car() { return Fahrzeuge[static_cast<std::size_t>(v)]; }
    void run() { ExecuteFahrzeugBefehl(v); }
    std::uint8_t head() const {
        const Befehl* o = Fahrzeuge[static_cast<std::size_t>(v)].orders;
        return o != nullptr ? o->opcode : 255;
    }
    std::int32_t headA() const { return Fahrzeuge[static_cast<std::size_t>(v)].orders->aInt(); }
    void give(std::uint8_t op, std::int32_t a = 0, std::int32_t b = 0, std::int32_t c = 0) {
        AppendBefehl(car(), op, a, b, c, 0, 1);
    }

    std::int16_t v = -1;
    struct Call {
        std::int32_t first;
        std::int32_t second;
    };
    static inline std::vector<Call> calls;
    static void Record(std::int32_t first, std::int32_t second) {
        calls.push_back({first, second});
    }
};

// A follow order's packed point of a unit where it stands.
std::int32_t Packed(const UnitHead& u) {
    return static_cast<std::int32_t>(
        static_cast<std::uint16_t>(static_cast<std::int32_t>(u.x)) |
        (static_cast<std::uint32_t>(static_cast<std::int32_t>(u.y)) << 16));
}
std::int32_t Target(std::int16_t kind, std::int16_t index) {
    return static_cast<std::int32_t>(static_cast<std::uint16_t>(kind) |
                                     (static_cast<std::uint32_t>(index) << 16));
}

TEST_F(FahrzeugBefehle, EmptyQueueLeavesEvenTheDrawCorner) {
    car().drawX = 1234;
    run();
    EXPECT_EQ(car().drawX, 1234);
    ExecuteFahrzeugBefehl(-1);
    ExecuteFahrzeugBefehl(FahrzeugCount);
}

TEST_F(FahrzeugBefehle, AMoveOrACannonOrderStopsTheRunningJetAWaitDoesNot) {
    // A stop without force: it switches the jet off, or runs it on when the new order aims the
    // cannon itself.
    for (const std::uint8_t op : {kOpMove, kOpGoals, kOpRouteLeg, kOpCannonAtObject, kOpWait}) {
        SCOPED_TRACE(int{op});
        const std::int16_t c = Make(kTypF104);
        Fahrzeug& f = Fahrzeuge[static_cast<std::size_t>(c)];
        ASSERT_NE(f.wasserStrahl, nullptr);
        f.wasserStrahl->active = 1;
        SetBefehl(f, FahrzeugTypOf(f), op, -1, 100, 100, 0, 0, 0);
        const WasserStrahl& jet = *f.wasserStrahl;
        if (op == kOpWait) {
            EXPECT_EQ(jet.active, 1);
            EXPECT_EQ(jet.countdown, -1);
        } else if (op == kOpCannonAtObject) {
            EXPECT_EQ(jet.countdown, kWasserStrahlRunOn);
        } else {
            EXPECT_EQ(jet.active, 0);
        }
        RemoveFahrzeug(c, kRemoveDrivenOff);
    }
}

TEST_F(FahrzeugBefehle, OpcodesWithoutHandlerHold) {
    for (const std::uint8_t op : {9, 13, 20, 39, 84, 150, 255}) {
        ClearBefehle(car());
        give(op);
        give(7, 5);
        run();
        run();
        EXPECT_EQ(head(), op) << int{op};
        EXPECT_FALSE(BefehlOpcode(op).vehicle);
    }
}

TEST_F(FahrzeugBefehle, DrawCornerFollowsTheHandler) {
    car().x = 700.7f;
    car().y = 420.2f;
    car().drawX = 0;
    give(7, 3);
    run();
    const AnimSlot& slot = FahrzeugAnim(car());
    EXPECT_EQ(car().drawX, 700 - slot.hotX);
    EXPECT_EQ(car().drawY, 420 - slot.hotY);
}

TEST_F(FahrzeugBefehle, WaitCountsItsTicks) {
    car().anim = 1;
    give(7, 3);
    run();
    EXPECT_EQ(car().anim, 0);
    run();
    EXPECT_EQ(head(), 7);
    run();
    EXPECT_EQ(head(), 255) << "popped on the third tick";
    for (const std::int32_t a : {1, 0, -5, INT32_MIN}) {
        give(7, a);
        run();
        EXPECT_EQ(head(), 255) << a;
    }
}

TEST_F(FahrzeugBefehle, ClearOrderEmptiesTheQueueAndSignals) {
    ClearBefehleSignal = 0;
    give(10);
    give(7, 5);
    run();
    EXPECT_EQ(car().orders, nullptr);
    EXPECT_EQ(ClearBefehleSignal, 1);
}

TEST_F(FahrzeugBefehle, LeavingTheMapRemovesTheVehicleWithoutDrawCorner) {
    car().drawX = 4321;
    give(48);
    run();
    EXPECT_EQ(car().type, -1);
    EXPECT_EQ(car().drawX, 4321);
}

TEST_F(FahrzeugBefehle, TimedAnimationsThenStand) {
    for (const auto& [op, anim] : {std::pair{43, 3}, std::pair{61, 4}}) {
        give(static_cast<std::uint8_t>(op), 3);
        run();
        EXPECT_EQ(car().anim, anim);
        car().frame = 1;
        run();
        EXPECT_EQ(car().anim, anim);
        EXPECT_EQ(car().frame, 1) << "shown on, not restarted";
        run();
        EXPECT_EQ(car().anim, 0);
        EXPECT_EQ(head(), 255);
    }
}

TEST_F(FahrzeugBefehle, JumpLandsWithItsFacing) {
    car().moverFlags = 0xFF;
    PushTurnBefehl(car(), 12, 810.5f, 640.0f, 7, 0, 1);
    give(7, 5);
    run();
    EXPECT_EQ(car().x, 810.5f);
    EXPECT_EQ(car().y, 640.0f);
    EXPECT_EQ(car().direction, 7);
    EXPECT_EQ(car().moverFlags, 244);
    EXPECT_EQ(head(), 7);

    // A facing no unit can have keeps the vehicle's own.
    PushTurnBefehl(car(), 12, 100.0f, 100.0f, 0x10F, 0, 1);
    run();
    EXPECT_EQ(car().direction, 7);
    EXPECT_EQ(car().x, 100.0f);
}

TEST_F(FahrzeugBefehle, SidestepTakesAtMostTenSteps) {
    const float speed = car().speed;
    car().x = 600;
    car().y = 500;
    car().direction = 3;
    car().aimX = 600;  // the reference point lies straight above
    car().aimY = 300;
    give(8, 0);
    give(7, 5);
    run();
    EXPECT_EQ(car().anim, 1);
    EXPECT_NE(car().moverFlags & 2, 0);
    EXPECT_EQ(headA(), 1);
    for (int i = 0; i < 20 && head() == 8; ++i) run();
    EXPECT_EQ(car().x, 600 + 10 * speed);
    EXPECT_EQ(car().y, 500.0f);
    EXPECT_EQ(car().anim, 0);
    EXPECT_EQ(car().moverFlags & 2, 0);
    EXPECT_EQ(head(), 7);

    // Laid with a = 10: one step, and it ends.
    ClearBefehle(car());
    give(8, 10);
    run();
    EXPECT_EQ(car().x, 600 + 11 * speed);
    EXPECT_EQ(head(), 255);
}

TEST_F(FahrzeugBefehle, ShortenPathRunsTheNextOrderAtOnce) {
    car().direction = 5;
    give(11);
    give(7, 5);
    run();
    EXPECT_EQ(head(), 7);
    EXPECT_EQ(headA(), 4);
    EXPECT_EQ(car().stepMarker, 5);
    EXPECT_EQ(car().shortcutFirst, nullptr);
}

TEST_F(FahrzeugBefehle, FollowPopsWhenTheTargetHasNotMoved) {
    const std::int16_t t = Make(kTypF102, 1, 900, 500);
    give(6, Packed(Fahrzeuge[static_cast<std::size_t>(t)]), 2, Target(1, t));
    give(7, 5);
    run();
    EXPECT_EQ(head(), 7);
    EXPECT_EQ(headA(), 4) << "the next order ran in the same tick";
}

TEST_F(FahrzeugBefehle, FollowStopsANearTargetAndAsksTheCallback) {
    BefehlCallbacks[2] = &Record;
    const std::int16_t t = Make(kTypF102, 1, 640, 500);
    const std::int16_t far = Make(kTypF102, 1, 1600, 500);
    // Each callback that plans anew replaces the follower's queue.
    static std::int16_t follower;
    follower = v;
    BefehlCallbacks[3] = [](std::int32_t first, std::int32_t second) {
        Record(first, second);
        SetBefehl(Fahrzeuge[static_cast<std::size_t>(follower)], FahrzeugTypen[kTypF102], 7, -1, 9,
                  0, 0, 0, 1);
    };
    give(6, Packed(Fahrzeuge[static_cast<std::size_t>(t)]) + 1, 3, Target(1, t));
    run();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].first, v);
    EXPECT_EQ(calls[0].second, t);
    EXPECT_EQ(head(), 7);
    EXPECT_EQ(headA(), 8) << "the new plan ran at once";
    const Befehl* wait = Fahrzeuge[static_cast<std::size_t>(t)].orders;
    ASSERT_NE(wait, nullptr);
    EXPECT_EQ(wait->opcode, 7);
    EXPECT_EQ(wait->aInt(), 50);

    // A target 50 px or more away is left alone.
    calls.clear();
    ClearBefehle(car());
    give(6, 0, 3, Target(1, far));
    run();
    EXPECT_EQ(calls.size(), 1u);
    EXPECT_EQ(Fahrzeuge[static_cast<std::size_t>(far)].orders, nullptr);
}

TEST_F(FahrzeugBefehle, FollowWhoseCallbackLaysNothingEndsItsTick) {
    BefehlCallbacks[2] = &Record;
    const std::int16_t t = Make(kTypF102, 1, 1600, 500);
    give(6, 0, 2, Target(1, t));
    run();
    // The first run and the nested runs the bound allows; the order waits for the next tick.
    EXPECT_EQ(calls.size(), static_cast<std::size_t>(1 + kMaxNestedBefehlRuns));
    EXPECT_EQ(head(), 6);
    calls.clear();
    for (const std::int32_t slot : {-1, 15, 9}) {
        BefehlCallbacks[9] = nullptr;
        ClearBefehle(car());
        give(6, 0, slot, Target(1, t));
        run();
        EXPECT_EQ(head(), 6) << slot;
    }
    EXPECT_TRUE(calls.empty());
}

TEST_F(FahrzeugBefehle, FollowOfAGoneTargetClearsTheWholeQueue) {
    const std::int16_t car2 = Make(kTypF102, 1, 1600, 500);
    const std::int16_t person = MakePerson(1);
    struct Case {
        const char* what;
        std::int32_t target;
        void (*spoil)(std::int16_t car2, std::int16_t person);
    };
    const Case cases[] = {
        {"free vehicle slot", Target(1, 19), [](std::int16_t, std::int16_t) {}},
        {"vehicle outside the array", Target(1, -1), [](std::int16_t, std::int16_t) {}},
        {"vehicle off the map", Target(1, car2),
         [](std::int16_t c, std::int16_t) { Fahrzeuge[static_cast<std::size_t>(c)].present = 0; }},
        {"vehicle on another layer", Target(1, car2),
         [](std::int16_t c, std::int16_t) { Fahrzeuge[static_cast<std::size_t>(c)].storey = -1; }},
        {"free person slot", Target(4, 39), [](std::int16_t, std::int16_t) {}},
        {"casualty", Target(4, person),
         [](std::int16_t, std::int16_t p) { Personen[static_cast<std::size_t>(p)].casualty = 1; }},
        {"carried", Target(4, person),
         [](std::int16_t, std::int16_t p) { Personen[static_cast<std::size_t>(p)].offMap = 1; }},
        {"not present", Target(4, person),
         [](std::int16_t, std::int16_t p) { Personen[static_cast<std::size_t>(p)].present = 0; }},
        {"other storey", Target(4, person),
         [](std::int16_t, std::int16_t p) { Personen[static_cast<std::size_t>(p)].storey = 2; }},
        {"unknown kind", Target(2, car2), [](std::int16_t, std::int16_t) {}},
    };
    for (const Case& c : cases) {
        Fahrzeuge[static_cast<std::size_t>(car2)].present = 1;
        Fahrzeuge[static_cast<std::size_t>(car2)].storey = 0;
        Person& p = Personen[static_cast<std::size_t>(person)];
        p.casualty = 0;
        p.offMap = 0;
        p.present = 1;
        p.storey = 0;
        c.spoil(car2, person);
        give(6, 0, 2, c.target);
        give(7, 5);
        run();
        EXPECT_EQ(car().orders, nullptr) << c.what;
    }
}

TEST_F(FahrzeugBefehle, ZoneFollowsOnlyTheOrdersThatMove) {
    ZoneCount = 1;
    AllocZones();
    SetZone(0, 0, 0, 3000, 2000, 5);
    give(7, 3);
    run();
    EXPECT_EQ(Zones[0].occupants, 0) << "waiting moves nothing";
    ClearBefehle(car());
    PushTurnBefehl(car(), 12, 800.0f, 800.0f, 3, 0, 1);
    run();
    EXPECT_EQ(Zones[0].occupants, 1);
    EXPECT_EQ(car().zone, 0);
}

std::uint8_t g_flagsAtPlanning = 0;
TEST_F(FahrzeugBefehle, DriveBackwardsMarksTurnedTravel) {
    // The mark is there when the drive plans its way.
    PlannerWatcher.findPath = [](UnitHead& unit, const UnitTypHead&) -> std::uint8_t {
        g_flagsAtPlanning = unit.moverFlags;
        return 0;
    };
    give(4, 900, 500);
    run();
    ResetPlannerWatch();
    EXPECT_NE(g_flagsAtPlanning & kMoverTurned, 0);
}

std::vector<std::int16_t> g_missionOrders;
TEST_F(FahrzeugBefehle, MissionOrdersGoThroughTheMissionsRow) {
    g_missionOrders.clear();
    give(64);
    run();
    EXPECT_EQ(head(), 64) << "a mission without the order holds it";
    MissionHookRows[0].RunFahrzeugBefehl64 = [](std::int16_t i) { g_missionOrders.push_back(i); };
    MissionHookRows[0].RunFahrzeugBefehl83 = [](std::int16_t i) {
        g_missionOrders.push_back(static_cast<std::int16_t>(i + 100));
        PopBefehl(Fahrzeuge[static_cast<std::size_t>(i)]);
    };
    run();
    ClearBefehle(car());
    give(83);
    run();
    EXPECT_EQ(g_missionOrders, (std::vector<std::int16_t>{v, static_cast<std::int16_t>(v + 100)}));
    EXPECT_EQ(head(), 255);
}

}  // namespace
}  // namespace kv
