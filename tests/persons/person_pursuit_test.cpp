// Going after a thrower: the orders the two callbacks lay, the first tick's choices, the
// struggle with its two outcomes by the energy rule, a target with no room to struggle, a pursuer
// called away, and a target hurt or set on fire in the middle of it.

#include "persons/person_pursuit.h"

#include <gtest/gtest.h>

#include "app/program_tables.h"
#include "core/befehl_callbacks.h"
#include "core/mission_counters.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/stepping.h"
#include "persons/person_injury.h"
#include "persons/person_types.h"
#include "rival_fixture.h"

namespace kv {
namespace {

constexpr std::uint8_t kPursuitOrder = 167;
constexpr std::uint8_t kStruggleOrder = 168;
constexpr std::int8_t kThrower = 32;
constexpr float kBX = 500;
constexpr float kBY = 400;

class Pursuit : public test::RivalTest {
  protected:
    // A thrower at (kBX, kBY) and a civilian on its spot (11 px left, 1 px above), told to
    // struggle with it.
    void onTheSpot(std::int32_t energyA, std::int32_t energyB) {
        b = controlled(kThrower, kBX, kBY, kPersonController | kPersonRival);
        a = stand(0, kBX - 11, kBY - 1, 3);
        person(a).energy = energyA;
        person(b).energy = energyB;
        SetBefehl(person(a), PersonTypen[0], kPursuitOrder, -1, b, 0, 0, 0, 1);
    }
    // Ticks until the pursuer's order 167 is gone.
    void struggleOut() {
        for (int t = 0; t < 400 && HeadBefehlOpcode(person(a)) == kPursuitOrder; ++t) ticks(1);
    }
    std::int16_t a = -1;
    std::int16_t b = -1;
};

TEST_F(Pursuit, TheCallbacksSendThePursuerToTheTargetAndNameOnlyPersonsInUse) {
    const std::int16_t t = stand(kThrower, kBX, kBY + 0.5f);
    const std::int16_t p = stand(0, 300, 400);
    const std::int32_t marker = static_cast<std::int32_t>(500 | (400 << 16));
    const std::uint32_t followed = 4u | (static_cast<std::uint32_t>(t) << 16);

    QueueTargetAction(p, t);
    const Befehl& walk = *person(p).orders;
    EXPECT_EQ(walk.opcode, kOpGoalsCallback);
    ASSERT_EQ(walk.goals.size(), 1u);
    EXPECT_EQ(walk.goals[0].x, kBX - 11);
    EXPECT_EQ(walk.goals[0].y, kBY + 0.5f - 1);
    EXPECT_EQ(walk.goals[0].facing, kGoalNoFacing);
    EXPECT_EQ(walk.cInt(), 1);
    EXPECT_EQ(walk.dInt(), marker);
    EXPECT_EQ(walk.e, followed);
    ASSERT_NE(walk.next, nullptr);
    EXPECT_EQ(walk.next->opcode, kPursuitOrder);
    EXPECT_EQ(walk.next->aInt(), t);
    EXPECT_EQ(walk.next->e, 1u);

    OrderPersonPair(p, t);
    const Befehl& fetch = *person(p).orders;
    ASSERT_EQ(fetch.goals.size(), 4u);
    const GoalPoint sides[] = {{kBX - 11, kBY + 0.5f, 3, 0},
                               {kBX + 11, kBY + 0.5f, 9, 0},
                               {kBX, kBY + 0.5f - 11, 6, 0},
                               {kBX, kBY + 0.5f + 11, 0, 0}};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(fetch.goals[i].x, sides[i].x);
        EXPECT_EQ(fetch.goals[i].y, sides[i].y);
        EXPECT_EQ(fetch.goals[i].facing, sides[i].facing);
    }
    EXPECT_EQ(fetch.cInt(), 0);
    EXPECT_EQ(fetch.dInt(), marker);
    ASSERT_NE(fetch.next, nullptr);
    EXPECT_EQ(fetch.next->opcode, kOpTakeAlong);
    EXPECT_EQ(fetch.next->aInt(), t);

    // Slots 0 and 1 of the program's callbacks.
    InstallProgramTables();
    InitBefehlCallbacks();
    EXPECT_EQ(CallbackAt(0), &OrderPersonPair);
    EXPECT_EQ(CallbackAt(1), &QueueTargetAction);

    ClearBefehle(person(p));
    for (const auto& [x, y] : {std::pair{p, 40}, {p, -1}, {-1, t}, {p, p}, {99, t}}) {
        QueueTargetAction(x, y);
        OrderPersonPair(x, y);
    }
    EXPECT_EQ(person(p).orders, nullptr);
    EXPECT_EQ(person(t).orders, nullptr);
}

TEST_F(Pursuit, OffTheSpotThePursuerFetchesTheTargetOrWalksUpAgainAndBusyTargetsEndIt) {
    struct Case {
        const char* name;
        float dx;  // the pursuer's place from the target
        float dy;
        void (*target)(Person&);
        int order;  // the pursuer's head order afterwards; -1 none
    };
    const Case cases[] = {
        {"19 px off: fetched", 19, 5, nullptr, kOpGoalsCallback},
        {"20 px off: walks up again", 20, 5, nullptr, kOpGoalsCallback},
        {"the target fights", -11, -1, [](Person& q) { AppendBefehl(q, 172, 39, 0, 0, 0, 0); }, -1},
        {"no target type", -11, -1, [](Person& q) { q.type = 0; }, -1},
        {"a casualty", -11, -1, [](Person& q) { q.casualty = 1; }, -1},
        {"inside a vehicle", -11, -1, [](Person& q) { q.offMap = 1; }, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // The pursuer first, so that it runs before the target each tick.
        a = stand(0, kBX + c.dx, kBY + c.dy, 3);
        b = stand(kThrower, kBX, kBY);
        if (c.target != nullptr) c.target(person(b));
        SetBefehl(person(a), PersonTypen[0], kPursuitOrder, -1, b, 0, 0, 0, 1);
        ticks(1);
        EXPECT_EQ(HeadBefehlOpcode(person(a)), c.order);
        if (c.order == kOpGoalsCallback) {
            const Befehl& walk = *person(a).orders;
            const bool fetched = c.dx < 20;
            EXPECT_EQ(walk.goals.size(), fetched ? 4u : 1u);
            EXPECT_EQ(walk.next->opcode, fetched ? kOpTakeAlong : kPursuitOrder);
        }
        EXPECT_NE(HeadBefehlOpcode(person(b)), kStruggleOrder);
        EXPECT_EQ(person(a).present, 1);
        DiscardBefehle(person(b));
        DeletePerson(a);
        DeletePerson(b);
    }
    // A target that names nobody.
    a = stand(0, 100, 100);
    SetBefehl(person(a), PersonTypen[0], kPursuitOrder, -1, 999, 0, 0, 0, 1);
    ticks(1);
    EXPECT_EQ(person(a).orders, nullptr);
}

TEST_F(Pursuit, ATargetWithoutRoomForTheStruggleIsFetched) {
    onTheSpot(kFullEnergy, kFullEnergy);
    // Beside the thrower, where the struggle's picture reaches but its standing one does not.
    stand(0, kBX + 20, kBY);
    ticks(1);
    ASSERT_EQ(HeadBefehlOpcode(person(a)), kOpGoalsCallback);
    EXPECT_EQ(person(a).orders->next->opcode, kOpTakeAlong);
    EXPECT_EQ(person(a).present, 1);
    EXPECT_NE(HeadBefehlOpcode(person(b)), kStruggleOrder);
}

TEST_F(Pursuit, APursuerFourTimesWeakerLosesAndLiesBesideTheTarget) {
    onTheSpot(200000, kFullEnergy);
    ticks(1);
    EXPECT_EQ(HeadBefehlOpcode(person(b)), kStruggleOrder);
    EXPECT_EQ(person(b).anim, 5);
    EXPECT_EQ(person(b).direction, 0);
    EXPECT_EQ(person(b).controlFlags, 0);
    EXPECT_EQ(person(a).present, 0);
    EXPECT_EQ(person(a).sound, 71);
    struggleOut();
    const Person& pa = person(a);
    const Person& pb = person(b);
    EXPECT_EQ(pa.casualty, 1);
    EXPECT_EQ(pa.present, 1);
    EXPECT_EQ(pa.x, kBX - 20);
    EXPECT_EQ(pa.y, kBY);
    EXPECT_EQ(pa.direction, 9);
    EXPECT_EQ(pa.anim, kAnimLying);
    EXPECT_EQ(pa.energy, kFullEnergy);
    EXPECT_EQ(pa.energyLoss, kCasualtyLoss);
    EXPECT_EQ(pa.sound, -1);
    EXPECT_EQ(VerletzteCount, 1);
    EXPECT_EQ(pb.x, kBX);
    EXPECT_EQ(pb.y, kBY - 1);
    EXPECT_EQ(pb.direction, 9);
    EXPECT_EQ(pb.anim, kAnimStand);
    EXPECT_EQ(pb.type, kThrower);
    EXPECT_EQ(pb.controlFlags, kPersonController | kPersonRival);
    EXPECT_EQ(pb.energy, kFullEnergy - 200000);
    EXPECT_EQ(pb.orders, nullptr);
}

TEST_F(Pursuit, APursuerAQuarterAsStrongOrMoreLeadsTheTargetAway) {
    struct Case {
        std::int32_t energyA;
        std::int32_t energyAfter;
    };
    for (const Case& c : {Case{kFullEnergy, 750000}, Case{250000, 100000}}) {
        SCOPED_TRACE(c.energyA);
        onTheSpot(c.energyA, kFullEnergy);
        ticks(1);
        EXPECT_EQ(person(b).anim, 4);
        struggleOut();
        const Person& pa = person(a);
        const Person& pb = person(b);
        EXPECT_EQ(pb.type, 33);
        EXPECT_EQ(pb.x, kBX + 12);
        EXPECT_EQ(pb.y, kBY + 7);
        EXPECT_EQ(pb.energy, 100000);
        EXPECT_EQ(pb.controlFlags, kPersonController);
        EXPECT_EQ(pb.link, a);
        EXPECT_NE(pb.moverFlags & kMoverLed, 0);
        EXPECT_EQ(pa.energy, c.energyAfter);
        EXPECT_EQ(pa.x, kBX + 12 + 11);
        EXPECT_EQ(pa.y, kBY + 7);
        EXPECT_EQ(pa.direction, 9);
        EXPECT_EQ(pa.present, 1);
        EXPECT_EQ(pa.sound, -1);
        EXPECT_EQ(pa.link, 1000 + b);
        EXPECT_EQ(HeadBefehlOpcode(pa), kOpFollowTrail);
        EXPECT_EQ(VerletzteCount, 0);
        DeletePerson(a);
        DeletePerson(b);
    }
}

TEST_F(Pursuit, APursuerCalledAwayGivesTheTargetItsControllerBack) {
    onTheSpot(kFullEnergy, kFullEnergy);
    ticks(3);
    ASSERT_EQ(HeadBefehlOpcode(person(b)), kStruggleOrder);
    SetBefehl(person(a), PersonTypen[0], kOpWait, -1, 50, 0, 0, 0, 0);
    EXPECT_EQ(person(a).present, 1);
    ticks(1);
    EXPECT_EQ(person(b).orders, nullptr);
    EXPECT_EQ(person(b).controlFlags, kPersonController | kPersonRival);
    EXPECT_EQ(person(a).sound, -1) << "the struggle's sound goes with it";
    EXPECT_EQ(person(b).type, kThrower);
}

TEST_F(Pursuit, ATargetHurtOrBurningInTheStruggleEndsItWithoutAWinner) {
    onTheSpot(kFullEnergy, kFullEnergy);
    ticks(3);
    InjurePerson(b, 400000, 0, 0);
    const std::uint16_t hurt = VerletzteCount;
    struggleOut();
    EXPECT_EQ(person(a).orders, nullptr);
    EXPECT_EQ(person(a).present, 1);
    EXPECT_EQ(person(a).casualty, 0);
    EXPECT_EQ(person(a).sound, -1);
    EXPECT_EQ(person(a).energy, kFullEnergy);
    EXPECT_EQ(person(b).type, kThrower) << "not led away";
    EXPECT_GT(person(b).energy, 300000) << "nor revived";
    EXPECT_LE(person(b).energy, 400000);
    EXPECT_EQ(VerletzteCount, hurt);
    DeletePerson(a);
    DeletePerson(b);

    onTheSpot(kFullEnergy, kFullEnergy);
    ticks(3);
    IgnitePerson(b);
    ticks(1);
    EXPECT_EQ(person(a).orders, nullptr);
    EXPECT_EQ(person(a).present, 1);
    EXPECT_EQ(person(a).sound, -1);
}

}  // namespace
}  // namespace kv
