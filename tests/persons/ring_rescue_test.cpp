// The rescue ring: thrown by its carrier (205), caught by the person in distress within reach
// (206); and a person becoming one in distress (221).

#include <gtest/gtest.h>

#include "core/mission_state.h"
#include "core/random.h"
#include "movement/befehl_queue.h"
#include "persons/mission_actions_fixture.h"
#include "persons/personen.h"
#include "persons/timed_victims.h"
#include "world/sonder_obj.h"

namespace kv {
namespace {

constexpr int kRingCarrier = 46;  // animation 2, the throw: 14 frames of 2 ticks
constexpr int kVictimTyp = 0;
constexpr int kOpThrow = 205;
constexpr int kOpCatch = 206;
constexpr int kOpDistress = 221;

class RingRescue : public test::MissionActionsTest {
  protected:
    Person& P(std::int16_t i) { return person(i); }
    static int rings() {
        int n = 0;
        for (const SonderObj& o : SonderObjs) n += o.type == kSobjRing ? 1 : 0;
        return n;
    }
    static SonderObj* ring() {
        for (SonderObj& o : SonderObjs)
            if (o.type == kSobjRing) return &o;
        return nullptr;
    }
    static std::int16_t victimAt(int x, int y) {
        return CreateTimedVictim(kVictimTyp, static_cast<std::int16_t>(x),
                                 static_cast<std::int16_t>(y), 0, 600, -1, -1);
    }
    std::int16_t lyingRing(int x, int y) {
        const std::int16_t r = object(kSobjRing, x, y);
        SonderObjs[static_cast<std::size_t>(r)].blockMask = 0;
        return r;
    }
};

TEST_F(RingRescue, TheRingFliesFromTheHandAndTheVictimCatchesItNearBy) {
    SelectionMode = 1046;
    const std::int16_t victim = victimAt(700, 700);
    const std::int16_t carrier = stand(kRingCarrier, 600, 700, 3);
    SelectedIndex = static_cast<std::uint16_t>(carrier);
    order(carrier, kOpThrow, 691, 692, victim, 3);
    run(1);
    EXPECT_EQ(P(carrier).anim, 2);
    // Frame 9 shows 18 ticks after the throw began: the ring leaves the hand.
    run(17);
    EXPECT_EQ(rings(), 0);
    ticks(1);  // the persons only: the ring has not flown yet
    ASSERT_EQ(rings(), 1);
    const SonderObj& r = *ring();
    EXPECT_EQ(r.x, 616.0f);
    EXPECT_EQ(r.y, 694.0f);
    EXPECT_EQ(r.blockMask, 0);
    EXPECT_EQ(r.visible, 1);
    ASSERT_NE(r.commands, nullptr);
    EXPECT_EQ(r.commands->kind, kCmdRingFlight);
    ASSERT_NE(r.commands->flight, nullptr);
    EXPECT_EQ(r.commands->flight->distance, 75);
    EXPECT_EQ(P(victim).orders->opcode, kOpCatch);
    const auto ringSlot = static_cast<std::int32_t>(&r - SonderObjs.data());
    EXPECT_EQ(P(victim).orders->aInt(), ringSlot);
    // Frame 13: the carrier is a plain fire-fighter again, and selected as one.
    run(7);
    EXPECT_EQ(P(carrier).type, kRingCarrier);
    run(1);
    EXPECT_EQ(head(carrier), -1);
    EXPECT_EQ(P(carrier).type, 1);
    EXPECT_EQ(P(carrier).anim, 0);
    EXPECT_EQ(SelectionMode, 1001);
    // 4 px a tick: the ring lands 12 px from the victim, which takes it up.
    const DeadlinePlan* plan = P(victim).attachment.plan();
    ASSERT_NE(plan, nullptr);
    const std::int16_t deadline = plan->deadline;
    for (int t = 0; t < 40 && head(victim) == kOpCatch; ++t) run(1);
    EXPECT_EQ(head(victim), -1);
    EXPECT_EQ(rings(), 0);
    const DeadlinePlan* caught = P(victim).attachment.plan();
    ASSERT_NE(caught, nullptr);
    EXPECT_EQ(caught->deadline, deadline + 480);
    EXPECT_EQ(P(victim).anim, 5);
    EXPECT_EQ(P(victim).direction, 0);
}

TEST_F(RingRescue, ARingLyingThirtyOnePixelsAwayIsLeftLying) {
    struct Case {
        int dx;
        int dy;
        bool caught;
    };
    const Case cases[] = {{30, 0, true}, {31, 0, false}, {-18, 24, true}, {0, -31, false}};
    for (const Case& c : cases) {
        const std::int16_t victim = victimAt(700, 700);
        const std::int16_t r = lyingRing(700 + c.dx, 700 + c.dy);
        order(victim, kOpCatch, r);
        run(5);
        EXPECT_EQ(head(victim), c.caught ? -1 : kOpCatch) << c.dx << "," << c.dy;
        EXPECT_EQ(rings(), c.caught ? 0 : 1) << c.dx << "," << c.dy;
        if (!c.caught) FreeSonderObjSlot(r);
        DeletePerson(victim);
    }
    // A ring still in flight is waited for; an object that is no ring is not.
    const std::int16_t victim = victimAt(700, 700);
    const std::int16_t r = lyingRing(700, 700);
    AppendSonderObjCommand(r, kCmdCellChange, 0, 0, 0, 0);
    order(victim, kOpCatch, r);
    ticks(3);
    EXPECT_EQ(head(victim), kOpCatch);
    SonderObjs[static_cast<std::size_t>(r)].type = kSobjBett;
    ticks(1);
    EXPECT_EQ(head(victim), -1);
}

TEST_F(RingRescue, TheDeadlineStopsAtItsLimitAndOnlyAPlanGetsIt) {
    const std::int16_t victim = victimAt(700, 700);
    DeadlinePlan* plan = P(victim).attachment.plan();
    ASSERT_NE(plan, nullptr);
    plan->deadline = 32700;
    order(victim, kOpCatch, lyingRing(700, 700));
    run(1);
    const DeadlinePlan* capped = P(victim).attachment.plan();
    ASSERT_NE(capped, nullptr);
    EXPECT_EQ(capped->deadline, 32767);
    const std::int16_t plain = stand(kVictimTyp, 800, 700, 0);
    order(plain, kOpCatch, lyingRing(800, 700));
    run(1);
    EXPECT_EQ(head(plain), -1);
    EXPECT_TRUE(P(plain).attachment.empty());
}

TEST_F(RingRescue, WithoutAFreeSlotTheCarrierKeepsItsRing) {
    const std::int16_t victim = victimAt(700, 700);
    const std::int16_t carrier = stand(kRingCarrier, 600, 700, 3);
    while (FindFreeSonderObj() >= 0) object(test::kSmallTyp, 10, 10);
    order(carrier, kOpThrow, 691, 692, victim, 3);
    run(19);
    EXPECT_EQ(head(carrier), -1);
    EXPECT_EQ(P(carrier).type, kRingCarrier);
    EXPECT_EQ(P(carrier).anim, 0);
    EXPECT_EQ(head(victim), -1);
    // Nor is a ring thrown to nobody, nor by a carrier facing elsewhere.
    FreeSonderObjSlot(20);
    for (const auto& [named, facing] : {std::pair{65535, 3}, std::pair{-1, 3}, std::pair{0, 9}}) {
        order(carrier, kOpThrow, 691, 692, named == 0 ? victim : named, facing);
        run(19);
        EXPECT_EQ(head(carrier), -1) << named;
        EXPECT_EQ(P(carrier).type, kRingCarrier);
        EXPECT_EQ(rings(), 0);
    }
}

TEST_F(RingRescue, APersonOnItsPointBecomesOneInDistress) {
    TickCounter = 2000;
    const std::int16_t p = stand(kVictimTyp, 600, 900, 3);
    order(p, kOpDistress, 600, 900, 3, 640, 950);
    SeedRandom(11);
    const int minutes = Rand() % 12;
    SeedRandom(11);
    ticks(1);
    EXPECT_EQ(head(p), -1);
    EXPECT_EQ(P(p).x, 640.0f);
    EXPECT_EQ(P(p).y, 950.0f);
    EXPECT_EQ(P(p).direction, 0);
    EXPECT_EQ(P(p).controlFlags, 0x41);
    EXPECT_EQ(P(p).anim, 3);
    const DeadlinePlan* plan = P(p).attachment.plan();
    ASSERT_NE(plan, nullptr);
    EXPECT_EQ(plan->active, 1);
    EXPECT_EQ(plan->startX, 640);
    EXPECT_EQ(plan->deadline, minutes * 60 + 100 + 480);
    EXPECT_EQ(plan->approachDx, -1);
    EXPECT_EQ(plan->approachDy, -1);
    EXPECT_EQ(plan->state, 0);

    // A hose holder lets its hose go for the plan.
    const std::int16_t holder = stand(11, 500, 900, 3);
    P(holder).attachment.makeJet();
    order(holder, kOpDistress, 500, 900, 3, 520, 950);
    ticks(1);
    EXPECT_NE(P(holder).attachment.plan(), nullptr);

    // Off its point or facing elsewhere it only stops.
    for (const auto& [x, facing] : {std::pair{601, 3}, std::pair{600, 4}}) {
        const std::int16_t q = stand(kVictimTyp, 600, 800, 3);
        order(q, kOpDistress, x, 800, facing, 640, 950);
        ticks(1);
        EXPECT_EQ(head(q), -1);
        EXPECT_EQ(P(q).controlFlags, 3);
        EXPECT_EQ(P(q).y, 800.0f);
        EXPECT_TRUE(P(q).attachment.empty());
        DeletePerson(q);
    }
}

}  // namespace
}  // namespace kv
