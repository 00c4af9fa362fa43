// Mission 30's shark circles a person in the water and attacks; a vehicle chases another away.

#include "vehicles/shark_befehle.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/mission_hooks.h"
#include "core/mission_scratch.h"
#include "core/mission_state.h"
#include "core/random.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "vehicles/fahrzeug_befehle.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "vehicles/fahrzeug_update.h"
#include "vehicles/move_fixture.h"

namespace kv {
namespace {

class SharkTest : public test::MoveTest {
  protected:
    void SetUp() override {
        MoveTest::SetUp();
        shark = Make(kTypHAI, 1, 1100, 850, 3);
        ASSERT_GE(shark, 0);
        swimmer = Walker(1, 1085, 860);
        P(swimmer).controlFlags |= kPersonInDistress;
        P(swimmer).attachment.makePlan();
        inWater = swimmer;
        MissionHookRows[0].FindPersonInWater = [] { return inWater; };
    }
    Fahrzeug& S() { return V(shark); }

    static inline std::int16_t inWater = -1;
    std::int16_t shark = -1;
    std::int16_t swimmer = -1;
};

// The circle's points worked out by hand from the person's box and the shark's size box.
struct Point {
    float x;
    float y;
    int facing;
};
std::vector<Point> Expected(const Person& p) {
    const FahrzeugTyp& hai = FahrzeugTypen[kTypHAI];
    const AnimSlot& slot = UnitAnimSlot(PersonTypOf(p), p.direction, p.anim);
    const int halfW = (hai.extent[2] - hai.extent[0]) >> 1;
    const int halfH = (hai.extent[3] - hai.extent[1]) >> 1;
    const int k = slot.box[1] - halfH - 1;
    const int side = k * 4 / 11;
    return {{p.x - side, static_cast<float>(p.drawY + k), 7},
            {static_cast<float>(p.drawX + slot.box[0] - halfW - 2), p.y, 3},
            {p.x + side, static_cast<float>(p.drawY + k), 5},
            {static_cast<float>(p.drawX + slot.box[2] + halfW + 2), p.y, 9}};
}

TEST_F(SharkTest, WithNobodyInTheWaterTheCircleOrderVanishes) {
    inWater = -1;
    AppendBefehl(S(), kOpCircle, 0, 0, 0, 0, 0);
    UpdateFahrzeuge();
    EXPECT_EQ(S().orders, nullptr);
    MissionHookRows[0].FindPersonInWater = nullptr;
    AppendBefehl(S(), kOpCircle, 0, 0, 0, 0, 0);
    UpdateFahrzeuge();
    EXPECT_EQ(S().orders, nullptr);
    inWater = 999;  // outside the array
    MissionHookRows[0].FindPersonInWater = [] { return inWater; };
    AppendBefehl(S(), kOpCircle, 0, 0, 0, 0, 0);
    UpdateFahrzeuge();
    EXPECT_EQ(S().orders, nullptr);
}

TEST_F(SharkTest, TheCircleGoesRoundTheFourPointsThenAttacks) {
    AppendBefehl(S(), kOpCircle, 0, 0, 0, 0, 0);
    ExecuteFahrzeugBefehl(shark);
    ASSERT_NE(S().orders, nullptr);
    EXPECT_EQ(Opcodes(S()), (std::vector<int>{kOpGoals, kOpAttack}));
    const std::vector<Point> want = Expected(P(swimmer));
    const GoalList& goals = S().orders->goals;
    ASSERT_EQ(goals.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(goals[i].x, want[i].x) << i;
        EXPECT_EQ(goals[i].y, want[i].y) << i;
        EXPECT_EQ(goals[i].facing, want[i].facing) << i;
    }
    EXPECT_EQ(S().orders->next->aInt(), swimmer);
    EXPECT_EQ(S().orders->next->e, 1u);
}

TEST_F(SharkTest, AnAttackFromThePointOfItsFacingSetsTheDeadlineThenTheSharkSwimsOff) {
    const Point at = Expected(P(swimmer))[1];  // facing 3
    S().x = at.x;
    S().y = at.y;
    S().direction = 3;
    TickCounter = 4321;
    SharkStateM30 = 0;
    AppendBefehl(S(), kOpAttack, swimmer, 0, 0, 0, 0);
    UpdateFahrzeuge();
    const DeadlinePlan* plan = P(swimmer).attachment.plan();
    ASSERT_NE(plan, nullptr);
    EXPECT_EQ(plan->deadline, 4321 / 20);
    EXPECT_EQ(S().anim, 2);
    for (int t = 0; t < 500 && HeadBefehlOpcode(S()) == kOpAttack; ++t) UpdateFahrzeuge();
    EXPECT_EQ(Opcodes(S()), (std::vector<int>{kOpWait, kOpMove}));
    EXPECT_EQ(S().orders->aInt(), 50);
    EXPECT_EQ(S().orders->next->aFloat(), -100.0f);
    EXPECT_EQ(S().orders->next->bFloat(), 200.0f);
    EXPECT_EQ(S().anim, 0);
    EXPECT_EQ(SharkStateM30, 2);
}

TEST_F(SharkTest, AnAttackOffItsPointOrOnAPersonWithoutPlanIsDropped) {
    const Point at = Expected(P(swimmer))[1];
    S().x = at.x;
    S().y = at.y;
    S().direction = 5;  // the point of facing 3, but facing 5
    AppendBefehl(S(), kOpAttack, swimmer, 0, 0, 0, 0);
    UpdateFahrzeuge();
    EXPECT_EQ(S().orders, nullptr);

    S().direction = 3;
    P(swimmer).attachment.reset();
    AppendBefehl(S(), kOpAttack, swimmer, 0, 0, 0, 0);
    UpdateFahrzeuge();
    EXPECT_EQ(S().orders, nullptr);
    AppendBefehl(S(), kOpAttack, -1, 0, 0, 0, 0);
    UpdateFahrzeuge();
    EXPECT_EQ(S().orders, nullptr);
}

TEST_F(SharkTest, AChaserReplansHalfWayUntilCloseThenItsQuarryLeavesAndWaits) {
    const std::int16_t chaser = Make(kTypF101, 2, 600, 250, 3);
    const std::int16_t quarry = Make(kTypF102, 2, 701, 250, 3);
    AppendBefehl(V(chaser), kOpChase, quarry, 0, 0, 0, 0);
    ExecuteFahrzeugBefehl(chaser);
    EXPECT_EQ(Opcodes(V(chaser)), (std::vector<int>{kOpMove, kOpChase}));
    EXPECT_EQ(V(chaser).orders->aFloat(), 650.0f) << "600 - (600 - 701) / 2, toward zero";
    EXPECT_EQ(V(chaser).orders->bFloat(), 250.0f);

    V(quarry).x = 700;
    ClearBefehle(V(chaser));
    AppendBefehl(V(chaser), kOpChase, quarry, 0, 0, 0, 0);
    SeedRandom(7);
    ExecuteFahrzeugBefehl(chaser);
    EXPECT_EQ(V(chaser).orders, nullptr);
    EXPECT_EQ(Opcodes(V(quarry)), (std::vector<int>{kOpMove, kOpWait}));
    EXPECT_EQ(V(quarry).orders->aFloat(), 700.0f);
    EXPECT_EQ(V(quarry).orders->bFloat(), -100.0f);
    const std::int32_t wait = V(quarry).orders->next->aInt();
    EXPECT_GE(wait, 1200);
    EXPECT_LE(wait, 2380);
    EXPECT_EQ(wait % 20, 0);
}

TEST_F(SharkTest, AChaseOfItselfOrOfNobodyIsCleared) {
    const std::int16_t chaser = Make(kTypF101, 2, 600, 250, 3);
    for (const std::int32_t t : {static_cast<std::int32_t>(chaser), 19, -1}) {
        AppendBefehl(V(chaser), kOpChase, t, 0, 0, 0, 0);
        ExecuteFahrzeugBefehl(chaser);
        EXPECT_EQ(V(chaser).orders, nullptr) << t;
    }
}

}  // namespace
}  // namespace kv
