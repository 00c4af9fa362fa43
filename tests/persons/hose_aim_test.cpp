// Aiming a held hose: at a target with its foot line (177), straight or in an arc onto a house in
// the way; at a house's front (178), the aim lowered until the jet rises less than 62 degrees,
// also from the foot point itself; and at the ground (208). A person without a jet only ends the
// order.

#include <gtest/gtest.h>

#include "core/view.h"
#include "movement/befehl_queue.h"
#include "persons/equipment.h"
#include "persons/person_befehle.h"
#include "persons/personen.h"
#include "world/jet_fixture.h"
#include "world/level_map.h"

namespace kv {
namespace {

using test::PixelIn;

constexpr int kSplashSlot = 9;
constexpr std::int16_t kStorey = 2;

class HoseAim : public test::JetTest {
  protected:
    void SetUp() override {
        JetTest::SetUp();
        persons(2);
        holder = &person(0, 11, 0, 0);
        SchlauchStrahl& j = holder->attachment.makeJet();
        j.splash = kSplashSlot;
        j.floor = kStorey;
        SonderObjs[kSplashSlot].type = kSplashSonderObjTyp;
        SonderObjs[kSplashSlot].visible = 0;
    }
    void at(int x, int y) {
        holder->x = static_cast<float>(x);
        holder->y = static_cast<float>(y);
    }
    // Gives the order followed by a wait, and runs the person's head order once.
    void run(std::uint8_t opcode, std::int32_t a, std::int32_t b, std::int32_t d) {
        AppendBefehl(*holder, opcode, a, b, 0, d, 0);
        AppendBefehl(*holder, 7, 10, 0, 0, 0, 0);
        ExecutePersonBefehl(0);
    }
    void runAtHeight(GoalList goals) {
        AppendBefehl(*holder, 178, std::move(goals), 0, 0, 0);
        AppendBefehl(*holder, 7, 10, 0, 0, 0, 0);
        ExecutePersonBefehl(0);
    }
    // The holder's jet; an empty one when it holds none, which the tests' values then miss.
    const SchlauchStrahl& jet() const {
        static const SchlauchStrahl kNone{};
        const SchlauchStrahl* j = holder != nullptr ? holder->attachment.jet() : nullptr;
        return j != nullptr ? *j : kNone;
    }
    Person* holder = nullptr;
};

TEST_F(HoseAim, AtATargetTheJetRisesFromItsFootLineStraightWhenTheWayIsClear) {
    EXPECT_EQ(PersonBefehlHandlers[177], AimSchlauchAtTarget);
    const PixelPos from = PixelIn(5, 5);
    at(from.x, from.y);
    const int x = PixelIn(8, 5).x;
    run(177, x, 150, 6);  // foot line 6 x 28 = 168
    EXPECT_EQ(jet().active, 1);
    EXPECT_EQ(jet().targetX, x);
    EXPECT_EQ(jet().targetY, 150);
    EXPECT_EQ(jet().height, 18);
    EXPECT_EQ(jet().floor, kStorey) << "kept";
    EXPECT_EQ(HeadBefehlOpcode(*holder), 7) << "the order ended";
    EXPECT_EQ(SonderObjs[kSplashSlot].visible, 1);

    // A target below its foot line has no height.
    DiscardBefehle(*holder);
    run(177, x, 180, 6);
    EXPECT_EQ(jet().height, 0);
    EXPECT_EQ(jet().targetY, 180);
}

TEST_F(HoseAim, AHouseInTheWayTakesTheWaterInAnArc) {
    // The line test looks only at what the view shows: the scene lies in it.
    ViewOrigin = {0, 0};
    houses(2, 2, 1, {{8, 5}});
    const PixelPos from = PixelIn(5, 5);
    at(from.x, from.y);
    const PixelPos target = PixelIn(12, 5);
    run(177, target.x, target.y, 6);
    EXPECT_EQ(jet().active, 1);
    EXPECT_EQ(CellFromPixel(jet().targetX, jet().targetY + jet().height), (CellPos{8, 5}))
        << "it lands on the house in the way";
    EXPECT_GT(jet().height, 16) << "the arc has risen above the hand";
    EXPECT_EQ(jet().floor, jet().height / 31);
    EXPECT_EQ(HeadBefehlOpcode(*holder), 7);
}

TEST_F(HoseAim, AtAHouseFrontTheAimIsLoweredBelow62Degrees) {
    EXPECT_EQ(PersonBefehlHandlers[178], AimSchlauchAtHeight);
    // A house of 2 floors in row 1 gives (2 + 1) x 28 = 84 as the height of y 0; the aim's foot
    // line is the one below row 3, y 112.
    houses(2, 2, 1, {{8, 1}});
    const int x = PixelIn(9, 3).x;
    const GoalList goals{{static_cast<float>(x), 4.0f, kStorey + 1}, {8.0f, 3.0f, 0}};
    // 40 px below the foot point: 80 px up is 63.4 degrees; lowered to 75 (61.9 degrees).
    at(x, 152);
    runAtHeight(goals);
    EXPECT_EQ(jet().active, 1);
    EXPECT_EQ(jet().height, 75);
    EXPECT_EQ(jet().targetY, 9);
    EXPECT_EQ(jet().targetX, x);
    EXPECT_EQ(jet().floor, kStorey + 1) << "the list's storey";
    EXPECT_EQ(HeadBefehlOpcode(*holder), 7);

    // On the foot point itself it counts as 1 px away: lowered to a height of 1.
    DiscardBefehle(*holder);
    at(x, 112);
    runAtHeight(goals);
    EXPECT_EQ(jet().height, 1);
    EXPECT_EQ(jet().targetY, 83);

    // A house that is not there ends the whole queue.
    DiscardBefehle(*holder);
    runAtHeight({{static_cast<float>(x), 4.0f, 1}, {8.0f, 3.0f, 1}});
    EXPECT_EQ(holder->orders, nullptr);
    runAtHeight({{static_cast<float>(x), 4.0f, 1}});
    EXPECT_EQ(holder->orders, nullptr);
}

TEST_F(HoseAim, AtTheGroundTheJetHasNoHeight) {
    EXPECT_EQ(PersonBefehlHandlers[208], AimSchlauchAtGround);
    const PixelPos from = PixelIn(5, 5);
    at(from.x, from.y);
    const PixelPos target = PixelIn(7, 6);
    run(208, target.x, target.y, 0);
    EXPECT_EQ(jet().active, 1);
    EXPECT_EQ(jet().targetX, target.x);
    EXPECT_EQ(jet().targetY, target.y);
    EXPECT_EQ(jet().height, 0);
    EXPECT_EQ(jet().floor, kStorey);
    EXPECT_EQ(HeadBefehlOpcode(*holder), 7);
}

TEST_F(HoseAim, APersonWithoutAJetOnlyEndsTheOrder) {
    Person& other = person(1, 1, 100, 100);
    other.attachment.makePlan();
    for (const std::uint8_t opcode : {177, 178, 208}) {
        SCOPED_TRACE(static_cast<int>(opcode));
        AppendBefehl(other, opcode, 200, 100, 0, 5, 0);
        AppendBefehl(other, 7, 10, 0, 0, 0, 0);
        ExecutePersonBefehl(1);
        EXPECT_EQ(HeadBefehlOpcode(other), 7);
        EXPECT_NE(other.attachment.plan(), nullptr) << "a deadline plan is no hose";
        DiscardBefehle(other);
    }
    EXPECT_EQ(SonderObjs[kSplashSlot].visible, 0);
}

}  // namespace
}  // namespace kv
