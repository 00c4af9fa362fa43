// The fire-fighting aircraft's fly-over: sent in from the left edge, the drop, away past the right.

#include "vehicles/aircraft_befehle.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/mission_state.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "persons/personen.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "vehicles/fahrzeug_update.h"
#include "vehicles/move_fixture.h"

namespace kv {
namespace {

class AircraftTest : public test::MoveTest {
  protected:
    void SetUp() override {
        MoveTest::SetUp();
        plane = Make(kTypF111, 2, 0, 0, 3);
        ASSERT_GE(plane, 0);
        speed = FahrzeugTypen[kTypF111].speed;
        ASSERT_GT(speed, 0.0f);
    }
    Fahrzeug& A() { return V(plane); }
    int headOpcode() { return A().orders != nullptr ? A().orders->opcode : -1; }
    // Updates until the head order changes; the ticks it took.
    int UntilHeadChanges(int limit) {
        const int start = headOpcode();
        for (int t = 1; t <= limit; ++t) {
            UpdateFahrzeuge();
            if (UsedFahrzeugAt(plane) == nullptr || headOpcode() != start) return t;
        }
        return -1;
    }

    std::int16_t plane = -1;
    float speed = 0;
};

TEST_F(AircraftTest, SentInItStartsLeftOfTheMapWithTheWholeFlightQueued) {
    const AnimSlot& slot = FahrzeugAnim(A());
    ASSERT_NE(slot.images, nullptr);
    SendFahrzeugIn(plane, 900, 500);
    EXPECT_EQ(A().x, -static_cast<float>(slot.images[A().frame].width));
    EXPECT_EQ(A().y, 400.0f);
    std::vector<int> ops;
    std::vector<std::int32_t> as;
    for (const Befehl* o = A().orders; o != nullptr; o = o->next) {
        ops.push_back(o->opcode);
        as.push_back(o->aInt());
    }
    EXPECT_EQ(ops, (std::vector<int>{kOpFlyAlong, kOpWaterDrop, kOpFlyAlong, kOpLeave}));
    EXPECT_EQ(as[0], static_cast<std::int32_t>(900.0f - 7.0f * speed));
    EXPECT_EQ(as[1], 900);
    EXPECT_EQ(A().orders->next->bInt(), 500);
    EXPECT_EQ(as[2], WorldMaxX);
    EXPECT_EQ(A().orders->next->e, 1u);
}

TEST_F(AircraftTest, ItCrossesTheMapDropsItsWaterAndIsGoneAfterwards) {
    SendFahrzeugIn(plane, 900, 500);
    UpdateFahrzeuge();
    EXPECT_EQ(A().anim, 1);
    EXPECT_EQ(A().sound, 66) << "the engine loops";
    for (int t = 0; t < 2000 && UsedFahrzeugAt(plane) != nullptr; ++t) UpdateFahrzeuge();
    EXPECT_EQ(UsedFahrzeugAt(plane), nullptr) << "order 48 takes it out";
}

TEST_F(AircraftTest, AFlyInGoalLeftOfTheStartEndsOnItsFirstTick) {
    SendFahrzeugIn(plane, 0, 500);
    const std::int16_t start = A().drawX;
    // The goal lies seven ticks' flight short of the target: left of where the aircraft starts.
    SendFahrzeugIn(plane, static_cast<std::int16_t>(start + 7.0f * speed - 1.0f), 500);
    ASSERT_LT(A().orders->aInt(), start);
    EXPECT_EQ(UntilHeadChanges(5), 1);
    EXPECT_EQ(headOpcode(), kOpWaterDrop);
}

TEST_F(AircraftTest, NearTheRightEdgeTheDropEndsAtTheEdgeBeforeItsAnimation) {
    SendFahrzeugIn(plane, static_cast<std::int16_t>(WorldMaxX - 20), 500);
    ASSERT_GT(UntilHeadChanges(2000), 0);
    ASSERT_EQ(headOpcode(), kOpWaterDrop);
    UntilHeadChanges(2000);
    EXPECT_EQ(headOpcode(), kOpFlyAlong);
    EXPECT_GE(A().drawX, WorldMaxX);
    const AnimSlot& slot = FahrzeugAnim(A());
    EXPECT_LT(A().frame + 1, slot.frames) << "the drop had not run its course";
}

TEST_F(AircraftTest, APersonFiftyPixelsFromTheTargetLoses15000OnEveryWetTick) {
    const std::int16_t p = Walker(1, 950, 500);
    const std::int16_t hurt = Walker(35, 1000, 500);
    P(hurt).casualty = 1;
    SendFahrzeugIn(plane, 900, 500);
    ASSERT_GT(UntilHeadChanges(2000), 0);
    ASSERT_EQ(headOpcode(), kOpWaterDrop);
    std::int32_t energy = P(p).energy;
    int wetTicks = 0;
    while (headOpcode() == kOpWaterDrop) {
        UpdateFahrzeuge();
        if (headOpcode() != kOpWaterDrop) break;  // the tick that ends the drop drops nothing
        if (A().frame >= 11) {
            ++wetTicks;
            EXPECT_EQ(P(p).energy, energy - 15000);
        } else {
            EXPECT_EQ(P(p).energy, energy);
        }
        energy = P(p).energy;
    }
    EXPECT_GT(wetTicks, 0);
    EXPECT_EQ(P(hurt).energy, 1000000) << "a casualty is passed over";
}

TEST_F(AircraftTest, WithoutItsPictureItStartsAtTheEdge) {
    FahrzeugTyp& typ = FahrzeugTypen[kTypF111];
    const std::uint8_t animCount = typ.animCount;
    typ.animCount = 0;  // every animation slot reads as missing
    SendFahrzeugIn(plane, 900, 500);
    typ.animCount = animCount;
    EXPECT_EQ(A().x, 0.0f);
}

}  // namespace
}  // namespace kv
