// Persons in distress under the mouse: what the boat and the ring carrier are offered, and the
// orders the click gives them.

#include "persons/timed_victims.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/unit_views.h"
#include "core/view.h"
#include "movement/befehl_queue.h"
#include "persons/person_fixture.h"
#include "persons/person_types.h"
#include "vehicles/fahrzeug_typ.h"

namespace kv {
namespace {

constexpr int kVictimTyp = 0;
constexpr int kRingCarrierTyp = 46;
constexpr int kBoat = 2;

std::array<UnitHead, 3> g_vehicles;

std::vector<int> Opcodes(const UnitHead& unit) {
    std::vector<int> ops;
    for (const Befehl* b = unit.orders; b != nullptr; b = b->next) ops.push_back(b->opcode);
    return ops;
}

class TimedVictims : public test::PersonTest {
  protected:
    void SetUp() override {
        test::PersonTest::SetUp();
        savedBoatTyp_ = FahrzeugTypen[14];
        FahrzeugTypen[14].extent = {0, 0, 40, 21};
        FahrzeugTypen[14].seats = 2;
        g_vehicles.fill(UnitHead{});
        g_vehicles[kBoat].type = 14;
        g_vehicles[kBoat].x = 100;
        g_vehicles[kBoat].y = 100;
        FahrzeugUnits.count = static_cast<std::int16_t>(g_vehicles.size());
        FahrzeugUnits.head = [](std::int16_t i) {
            return &g_vehicles[static_cast<std::size_t>(i)];
        };
        alloc(4);
        LoadPersonTyp(kVictimTyp);
        LoadPersonTyp(kRingCarrierTyp);
        victim = CreateTimedVictim(kVictimTyp, 400, 300, 0, 600, -1, -1);
        ViewOrigin = {100, 50};
        mouseOn(400, 300);
    }
    void TearDown() override {
        for (UnitHead& v : g_vehicles) DiscardBefehle(v);
        FahrzeugTypen[14] = savedBoatTyp_;
        test::PersonTest::TearDown();
    }
    // The mouse over a world point.
    void mouseOn(int x, int y) {
        MouseX = static_cast<std::uint16_t>(x - ViewOrigin.x);
        MouseY = static_cast<std::uint16_t>(y - ViewOrigin.y);
    }
    void selectBoat() {
        SelectionMode = 14;
        SelectedIndex = kBoat;
    }
    std::int16_t selectRingCarrier(float x, float y) {
        const std::int16_t i = place(kRingCarrierTyp, x, y);
        SelectionMode = 1046;
        SelectedIndex = static_cast<std::uint16_t>(i);
        return i;
    }
    DeadlinePlan& plan() {
        if (DeadlinePlan* p = person(victim).attachment.plan()) return *p;
        ADD_FAILURE() << "the victim has no plan";
        static DeadlinePlan none;
        return none;
    }

    std::int16_t victim = -1;

  private:
    FahrzeugTyp savedBoatTyp_{};
};

TEST_F(TimedVictims, TheBoatIsOfferedAVictimRightUnderTheMouse) {
    selectBoat();
    struct Case {
        int mouseX;
        int mouseY;
        std::uint8_t offered;
    };
    const Case cases[] = {
        {400, 300, 1}, {385, 300, 1}, {384, 300, 0}, {414, 300, 1},
        {415, 300, 0}, {400, 285, 1}, {400, 315, 0},
    };
    for (const Case& c : cases) {
        CursorId = 0;
        mouseOn(c.mouseX, c.mouseY);
        EXPECT_EQ(CheckTimedVictimUnderMouse(), c.offered) << c.mouseX << "," << c.mouseY;
        EXPECT_EQ(CursorId, c.offered ? kCursorRescue : 0);
    }
    mouseOn(400, 300);
    plan().state = kPlanOutOfReach;
    EXPECT_EQ(CheckTimedVictimUnderMouse(), 0) << "out of reach";
    EXPECT_EQ(RescueTimedVictim(), 0);
    plan().state = 1;
    FahrzeugTypen[14].seats = 0;
    EXPECT_EQ(CheckTimedVictimUnderMouse(), 0) << "every seat taken";
    EXPECT_EQ(RescueTimedVictim(), 0);
    EXPECT_EQ(g_vehicles[kBoat].orders, nullptr);
    FahrzeugTypen[14].seats = 2;
    SelectedIndex = 3;
    EXPECT_EQ(CheckTimedVictimUnderMouse(), 0) << "no such vehicle";
    SelectedIndex = kBoat;
    SelectionMode = 1001;
    EXPECT_EQ(CheckTimedVictimUnderMouse(), 0);
    EXPECT_EQ(RescueTimedVictim(), 0);
}

TEST_F(TimedVictims, TheBoatGoesToOneOfFourPointsAroundTheVictim) {
    selectBoat();
    const Person& v = person(victim);
    const AnimSlot& slot = PersonAnimSlot(kVictimTyp, v.direction, v.anim);
    ASSERT_GT(slot.frames, 0);
    ASSERT_EQ(RescueTimedVictim(), 1);
    const UnitHead& boat = g_vehicles[kBoat];
    EXPECT_EQ(Opcodes(boat), (std::vector<int>{2, 77}));
    const Befehl& move = *boat.orders;
    EXPECT_EQ(move.b, 4u);
    ASSERT_EQ(move.goals.size(), 4u);
    // Half the boat's footprint (20, 10) and a pixel beyond the victim's picture box.
    const GoalPoint expected[] = {
        {400, static_cast<float>(v.drawY + slot.box[1] - 10 - 1), 6, 0},
        {static_cast<float>(v.drawX + slot.box[2] + 20 + 1), 300, 9, 0},
        {400, static_cast<float>(v.drawY + slot.box[3] + 10 + 1), 0, 0},
        {static_cast<float>(v.drawX + slot.box[0] - 20 - 1), 300, 3, 0},
    };
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(move.goals[i].x, expected[i].x) << i;
        EXPECT_EQ(move.goals[i].y, expected[i].y) << i;
        EXPECT_EQ(move.goals[i].facing, expected[i].facing) << i;
        EXPECT_EQ(move.goals[i].flags, 0) << i;
    }
    const Befehl& take = *move.next;
    EXPECT_EQ(take.aInt(), victim);
    EXPECT_EQ(take.e, 1u);
}

TEST_F(TimedVictims, WithAnApproachOffsetTheBoatStopsThere) {
    selectBoat();
    plan().approachDx = 50;
    plan().approachDy = -1;  // one of the two set is enough
    ASSERT_EQ(RescueTimedVictim(), 1);
    const UnitHead& boat = g_vehicles[kBoat];
    EXPECT_EQ(Opcodes(boat), (std::vector<int>{0, 77}));
    EXPECT_EQ(boat.orders->aFloat(), 450.0f);
    EXPECT_EQ(boat.orders->bFloat(), 299.0f);
}

TEST_F(TimedVictims, TheRingCarrierReachesLessThan201Pixels) {
    const std::int16_t carrier = selectRingCarrier(400, 100);  // 200 px away
    EXPECT_EQ(CheckTimedVictimUnderMouse(), 1);
    person(carrier).y = 99;  // 201 px
    EXPECT_EQ(CheckTimedVictimUnderMouse(), 0);
    EXPECT_EQ(RescueTimedVictim(), 0);
    person(carrier).y = 250;
    person(victim).anim = kAnimTreat;
    EXPECT_EQ(CheckTimedVictimUnderMouse(), 0) << "a victim shown in slot 5";
    SelectedIndex = 40;
    EXPECT_EQ(CheckTimedVictimUnderMouse(), 0);
}

TEST_F(TimedVictims, TheRingCarrierTurnsTowardsTheVictimAndFetchesIt) {
    struct Case {
        float x;
        float y;
        std::int32_t direction;
    };
    const Case cases[] = {
        {300, 250, 3},                                // below and further across than down
        {500, 250, 9}, {380, 200, 7},                 // below, more down than across
        {300, 350, 3},                                // above
        {500, 350, 9}, {390, 420, 1}, {400, 300, 1},  // on the spot
    };
    const std::int16_t carrier = selectRingCarrier(0, 0);
    for (const Case& c : cases) {
        Person& p = person(carrier);
        p.x = c.x;
        p.y = c.y;
        ASSERT_EQ(RescueTimedVictim(), 1);
        EXPECT_EQ(Opcodes(p), (std::vector<int>{1, 205}));
        const Befehl& turn = *p.orders;
        EXPECT_EQ(turn.aFloat(), c.x);
        EXPECT_EQ(turn.bFloat(), c.y);
        EXPECT_EQ(turn.cInt(), c.direction) << c.x << "," << c.y;
        EXPECT_EQ(turn.dInt(), 0);
        const Befehl& fetch = *turn.next;
        EXPECT_EQ(fetch.aInt(), 391);
        EXPECT_EQ(fetch.bInt(), 292);
        EXPECT_EQ(fetch.cInt(), victim);
        EXPECT_EQ(fetch.dInt(), c.direction);
        EXPECT_EQ(fetch.e, 1u);
    }
    // With an approach offset, half of it, halved by shifting.
    plan().approachDx = 50;
    plan().approachDy = -3;
    ASSERT_EQ(RescueTimedVictim(), 1);
    EXPECT_EQ(person(carrier).orders->next->aInt(), 400 + 25 - 9);
    EXPECT_EQ(person(carrier).orders->next->bInt(), 300 - 2 - 8);
}

}  // namespace
}  // namespace kv
