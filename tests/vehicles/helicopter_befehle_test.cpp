// The helicopter's landing, take-off and winch on mission 1's meadow.

#include "vehicles/helicopter_befehle.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/mission_state.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "persons/person_link.h"
#include "persons/personen.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "vehicles/fahrzeug_update.h"
#include "vehicles/move_fixture.h"
#include "world/sonder_obj.h"

namespace kv {
namespace {

// The meadow, clear of everything on mission 1's map.
constexpr std::int16_t kGroundX = 1500;
constexpr std::int16_t kGroundY = 777;
constexpr std::int16_t kAirY = kGroundY - 177;

class HelicopterTest : public test::MoveTest {
  protected:
    void SetUp() override {
        MoveTest::SetUp();
        heli = Make(kTypF203, 2, kGroundX, kAirY, 3);
        ASSERT_GE(heli, 0);
    }
    Fahrzeug& H() { return V(heli); }
    static void Update(int n) {
        for (int i = 0; i < n; ++i) UpdateFahrzeuge();
    }
    // The vehicle update (animations run) until the helicopter's queue is empty.
    bool UpdateUntilIdle(int n) {
        for (int i = 0; i < n && H().orders != nullptr; ++i) UpdateFahrzeuge();
        return H().orders == nullptr;
    }
    void Land() {
        AppendBefehl(H(), kOpLand, kGroundX, kAirY, 0, 0, 0);
        Update(33);
        ASSERT_EQ(H().orders, nullptr);
        ASSERT_EQ(H().storey, 0);
    }
    SonderObj* Shadow() { return H().link2 != kNoLink ? SonderObjAt(H().link2) : nullptr; }

    std::int16_t heli = -1;
};

struct Expected {
    int opcode;
    float a;
    float b;
};

void ExpectQueue(const UnitHead& u, const std::vector<Expected>& want) {
    std::vector<Expected> got;
    for (const Befehl* o = u.orders; o != nullptr; o = o->next) {
        const bool floats = o->opcode == kOpMove || o->opcode == kOpTurn;
        got.push_back({o->opcode, floats ? o->aFloat() : static_cast<float>(o->aInt()),
                       floats ? o->bFloat() : static_cast<float>(o->bInt())});
    }
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(got[i].opcode, want[i].opcode) << i;
        EXPECT_EQ(got[i].a, want[i].a) << i;
        EXPECT_EQ(got[i].b, want[i].b) << i;
    }
}

TEST_F(HelicopterTest, ALandingOrderFliesTurnsAndLandsTakingOffFirstWhenLanded) {
    OrderFahrzeugLandAt(heli, 1400, 800);
    ExpectQueue(H(), {{kOpMove, 1400, 623}, {kOpTurn, 1400, 623}, {kOpLand, 1400, 623}});
    EXPECT_EQ(H().orders->next->c, 3u) << "the turn is to facing 3";
    EXPECT_EQ(H().orders->next->next->e, 1u);

    ClearBefehle(H());
    Land();
    OrderFahrzeugLandAt(heli, 1400, 800);
    ExpectQueue(
        H(),
        {{kOpTakeOff, 0, 0}, {kOpMove, 1400, 623}, {kOpTurn, 1400, 623}, {kOpLand, 1400, 623}});
}

TEST_F(HelicopterTest, ALandingTakes32TicksOfShadowFramesAndStopsTheRotorOnThe33rd) {
    AppendBefehl(H(), kOpLand, kGroundX, kAirY, 0, 0, 0);
    struct Row {
        int ticks;
        int frame;
        float height;
        bool landed;
    };
    const Row rows[] = {{1, 0, 172.0f, false}, {32, 16, 17.0f, false}, {33, 17, 17.0f, true}};
    int done = 0;
    for (const Row& r : rows) {
        Update(r.ticks - done);
        done = r.ticks;
        const SonderObj* shadow = Shadow();
        ASSERT_NE(shadow, nullptr) << r.ticks;
        EXPECT_EQ(shadow->type, kSobjHeliSchatten);
        EXPECT_EQ(shadow->frame, r.frame) << r.ticks;
        EXPECT_EQ(H().height, r.height) << r.ticks;
        EXPECT_EQ(H().y, kGroundY) << r.ticks;
        EXPECT_EQ(H().storey, 0);
        EXPECT_EQ(H().orders == nullptr, r.landed) << r.ticks;
    }
    EXPECT_EQ(H().anim, kHelicopterAnimLanded);
    const SonderObj* shadow = Shadow();
    ASSERT_NE(shadow, nullptr);
    EXPECT_EQ(shadow->blockMask, 0) << "a landed helicopter's shadow blocks nothing";
    EXPECT_EQ(shadow->depthLayer, 1);
    EXPECT_EQ(shadow->drawStyle, 2);
}

TEST_F(HelicopterTest, ALandingAwayFromItsPointOrOnTakenGroundIsCleared) {
    // Not at the point.
    AppendBefehl(H(), kOpLand, kGroundX + 1, kAirY, 0, 0, 0);
    AppendBefehl(H(), kOpWait, 5, 0, 0, 0, 1);
    Update(1);
    EXPECT_EQ(H().orders, nullptr);
    // Not facing 3.
    H().direction = 4;
    AppendBefehl(H(), kOpLand, kGroundX, kAirY, 0, 0, 0);
    Update(1);
    EXPECT_EQ(H().orders, nullptr);
    H().direction = 3;
    // A car on the ground below.
    ASSERT_GE(Make(kTypF102, 2, kGroundX, kGroundY, 3), 0);
    AppendBefehl(H(), kOpLand, kGroundX, kAirY, 0, 0, 0);
    Update(1);
    EXPECT_EQ(H().orders, nullptr);
    EXPECT_EQ(H().storey, kLayerHelicopter);
    EXPECT_EQ(H().link2, kNoLink);
}

TEST_F(HelicopterTest, WithNoFreeObjectSlotTheLandingWaits) {
    std::vector<std::int16_t> taken;
    for (std::int16_t s = FindFreeSonderObj(); s >= 0; s = FindFreeSonderObj()) {
        CreateSonderObj(s, kSobjHydrant, 10, 10, 0, 0, 0, 0.0f, 0);
        taken.push_back(s);
    }
    AppendBefehl(H(), kOpLand, kGroundX, kAirY, 0, 0, 0);
    Update(3);
    EXPECT_EQ(H().storey, kLayerHelicopter);
    ASSERT_NE(H().orders, nullptr);
    FreeSonderObjSlot(taken.back());
    Update(33);
    EXPECT_EQ(H().orders, nullptr);
    EXPECT_EQ(H().link2, static_cast<std::uint16_t>(taken.back()));
}

TEST_F(HelicopterTest, TakeOffClimbsAndUnderATakenSkyEdgesNorth) {
    Land();
    const std::int16_t other = Make(kTypF203, 2, kGroundX, kAirY, 3);
    ASSERT_GE(other, 0);
    AppendBefehl(H(), kOpTakeOff, 0, 0, 0, 0, 0);
    Update(32);
    ASSERT_NE(Shadow(), nullptr);
    EXPECT_EQ(SonderObjs[H().link2].frame, 0);
    EXPECT_EQ(H().height, 177.0f);
    EXPECT_EQ(H().anim, 1);
    // The hovering helicopter stands in the way: north 5 px a tick until the sky is free.
    float y = H().y;
    Update(3);
    EXPECT_EQ(H().y, y - 15.0f);
    EXPECT_EQ(H().storey, 0);
    RemoveFahrzeug(other, kRemoveDrivenOff);
    y = H().y;
    const std::uint16_t shadow = H().link2;
    Update(1);
    EXPECT_EQ(H().orders, nullptr);
    EXPECT_EQ(H().storey, kLayerHelicopter);
    EXPECT_EQ(H().y, y - 177.0f);
    EXPECT_EQ(H().height, 0.0f);
    EXPECT_EQ(H().link2, kNoLink);
    EXPECT_EQ(SonderObjs[shadow].type, -1) << "the shadow is freed";
}

TEST_F(HelicopterTest, ALostShadowPutsTheHelicopterBackIntoTheAir) {
    AppendBefehl(H(), kOpLand, kGroundX, kAirY, 0, 0, 0);
    Update(5);
    FreeSonderObjSlot(H().link2);
    Update(1);
    EXPECT_EQ(H().orders, nullptr);
    EXPECT_EQ(H().storey, kLayerHelicopter);
    EXPECT_EQ(H().y, kAirY);
    EXPECT_EQ(H().link2, kNoLink);
    EXPECT_EQ(H().height, 0.0f);
}

TEST_F(HelicopterTest, TheWinchTakesAPersonAboardAndSetsItDown) {
    Land();
    const std::int16_t medic = Walker(1, 1400, 860);
    const std::int16_t patient = Walker(35, 1430, 860);
    P(patient).link = static_cast<std::uint16_t>(kTreatedByLink + medic);
    AppendBefehl(P(medic), kOpWait, 500, 0, 0, 0, 0);
    SelectedIndex = static_cast<std::uint16_t>(heli);
    SelectionMode = kTypF203;

    AppendBefehl(H(), 78, kGroundX, kGroundY, patient, 0, 0);
    ASSERT_TRUE(UpdateUntilIdle(400));
    EXPECT_EQ(H().type, kTypF203B);
    EXPECT_EQ(SelectionMode, kTypF203B) << "the selection follows";
    EXPECT_EQ(H().link, static_cast<std::uint16_t>(patient));
    EXPECT_EQ(P(patient).offMap, 1);
    EXPECT_EQ(P(medic).orders, nullptr) << "the medic is let go";
    EXPECT_EQ(H().anim, 0);

    AppendBefehl(H(), 79, kGroundX, kGroundY, 0, 0, 0);
    ASSERT_TRUE(UpdateUntilIdle(400));
    EXPECT_EQ(H().type, kTypF203);
    EXPECT_EQ(SelectionMode, kTypF203);
    EXPECT_EQ(H().link, kNoLink);
    EXPECT_EQ(P(patient).offMap, 0);
    EXPECT_EQ(P(patient).x, kGroundX + 30.0f);
    EXPECT_EQ(P(patient).y, kGroundY + 100.0f);
}

TEST_F(HelicopterTest, TheWinchIsRefusedAwayFromItsPointForAGonePersonOrOnATakenSpot) {
    Land();
    const std::int16_t patient = Walker(35, 1430, 860);
    AppendBefehl(H(), 78, kGroundX + 1, kGroundY, patient, 0, 0);
    Update(1);
    EXPECT_EQ(H().orders, nullptr);
    AppendBefehl(H(), 78, kGroundX, kGroundY, 39, 0, 0);  // a free person slot
    Update(1);
    EXPECT_EQ(H().orders, nullptr);
    // A helicopter hovering over the set-down spot.
    H().type = kTypF203B;
    ASSERT_GE(Make(kTypF203, 2, kGroundX + 30, kGroundY + 100, 3), 0);
    AppendBefehl(H(), 79, kGroundX, kGroundY, 0, 0, 0);
    Update(1);
    EXPECT_EQ(H().orders, nullptr);
}

TEST_F(HelicopterTest, SettingDownWithNobodyAboardStillBecomesTheF203) {
    Land();
    H().type = kTypF203B;
    SetFahrzeugAnim(heli, 0);
    AppendBefehl(H(), 79, kGroundX, kGroundY, 0, 0, 0);
    ASSERT_TRUE(UpdateUntilIdle(400));
    EXPECT_EQ(H().type, kTypF203);
}

TEST_F(HelicopterTest, APersonLyingOnAnObjectIsUntiedWhenWinchedAboard) {
    Land();
    const std::int16_t patient = Walker(35, 1430, 860);
    const std::int16_t bed = FindFreeSonderObj();
    CreateSonderObj(bed, kSobjBett, 1430, 860, 0, 0, 0, 0.0f, 0);
    SonderObjs[static_cast<std::size_t>(bed)].user = patient;
    P(patient).link = static_cast<std::uint16_t>(kOnSonderObjLink + bed);
    AppendBefehl(H(), 78, kGroundX, kGroundY, patient, 0, 0);
    ASSERT_TRUE(UpdateUntilIdle(400));
    EXPECT_EQ(SonderObjs[static_cast<std::size_t>(bed)].user, -1);
}

}  // namespace
}  // namespace kv
