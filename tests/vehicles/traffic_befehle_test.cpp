// The civilian cars' traffic drive on mission 1's road: what a car does about a car, a civilian
// or a slower car in its lane, the turn on the spot, and the missions' own say over collisions.

#include "vehicles/traffic_befehle.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/mission_hooks.h"
#include "core/mission_state.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/stepping.h"
#include "movement/traffic_paths.h"
#include "persons/person_types.h"
#include "vehicles/move_fixture.h"

namespace kv {
namespace {

using test::kLaneY;

constexpr float kStartX = 1300;
constexpr std::int32_t kTargetX = 200;
constexpr std::int32_t kTurnX = 1600;
constexpr std::int32_t kTurnY = 560;

struct HookCall {
    std::int16_t vehicle;
    std::uint8_t kind;
    std::uint16_t index;
    std::uint8_t ahead;
};
std::vector<HookCall> g_hookCalls;

std::uint8_t LetThrough(std::int16_t vehicle, std::uint8_t kind, std::uint16_t index,
                        std::uint8_t ahead) {
    g_hookCalls.push_back({vehicle, kind, index, ahead});
    return 0;
}

std::uint8_t TakeOffTheRoad(std::int16_t vehicle, std::uint8_t, std::uint16_t, std::uint8_t) {
    RemoveFahrzeug(vehicle, kRemoveDrivenOff);
    return 1;
}

class TrafficBefehle : public test::MoveTest {
  protected:
    void SetUp() override {
        test::MoveTest::SetUp();
        ZFWegCount = 1;
        AllocZFWege();
        g_hookCalls.clear();
    }
    void TearDown() override {
        FreeZFWege();
        test::MoveTest::TearDown();
    }

    // A car of the lane heading west for the path's end, facing as told.
    std::int16_t laneCar(int facing = 9) {
        const std::int16_t v = Make(kTypZF01, 0, static_cast<std::int16_t>(kStartX),
                                    static_cast<std::int16_t>(kLaneY), facing);
        V(v).link = 0;
        SetBefehl(V(v), FahrzeugTypOf(V(v)), kOpTraffic, -1, kTargetX, static_cast<int>(kLaneY),
                  kTurnX, kTurnY, 0);
        AppendBefehl(V(v), kOpLeave, 0, 0, 0, 0, 1);
        return v;
    }
    // Puts the car just short of what lies west of it in the lane.
    void closeUp(std::int16_t v) {
        ASSERT_TRUE(PlaceBefore(V(v), FahrzeugTypOf(V(v)), kStartX, 300, 0));
    }
};

TEST_F(TrafficBefehle, DrivesTheLaneAndEndsOnItsPoint) {
    const std::int16_t v = laneCar();
    V(v).x = kTargetX + 40;
    ResetMoveTarget(V(v));
    for (int t = 0; t < 20 && HeadBefehlOpcode(V(v)) == kOpTraffic; ++t) Tick();
    EXPECT_EQ(V(v).x, static_cast<float>(kTargetX));
    EXPECT_EQ(HeadBefehlOpcode(V(v)), kOpLeave);
}

TEST_F(TrafficBefehle, BehindAStandingCarItWaitsOrTurnsToFaceItsWay) {
    for (const int facing : {9, 10}) {
        SCOPED_TRACE(facing);
        ClearUnits();
        const std::int16_t v = laneCar(facing);
        Make(kTypZF01, 0, 1000, static_cast<std::int16_t>(kLaneY), 9);
        closeUp(v);
        V(v).direction = static_cast<std::int8_t>(facing);
        ResetMoveTarget(V(v));
        const float from = V(v).x;
        Tick();
        EXPECT_EQ(V(v).x, from);
        const Befehl& head = *V(v).orders;
        if (facing == 9) {
            ASSERT_EQ(head.opcode, kOpWait);
            EXPECT_EQ(head.aInt(), 20);
        } else {
            ASSERT_EQ(head.opcode, kOpTurnToward);
            EXPECT_EQ(head.cInt(), 5) << "straight steps";
            EXPECT_EQ(head.dInt(), 10) << "the direction it faced";
            EXPECT_EQ(head.aFloat(), static_cast<float>(kTargetX));
        }
        EXPECT_EQ(head.next->opcode, kOpTraffic);
    }
}

TEST_F(TrafficBefehle, ACarTurningOnTheSpotAheadMakesItWait) {
    const std::int16_t v = laneCar();
    const std::int16_t other = Make(kTypZF01, 0, 1000, static_cast<std::int16_t>(kLaneY), 0);
    SetMoving(V(other), 5);
    closeUp(v);
    PushTurnBefehl(V(other), kOpTurnToward, 0, kLaneY, 5, 0, 1);
    Tick();
    EXPECT_EQ(HeadBefehlOpcode(V(v)), kOpWait);
    EXPECT_EQ(V(v).moverFlags & kMoverSearching, 0);
}

TEST_F(TrafficBefehle, ATurnOnTheSpotFacingAcrossItsReferenceGoesStraightOnFirst) {
    // On the open field, to face a point to the north: two straight steps allowed.
    using test::kFieldX;
    using test::kFieldY;
    struct Case {
        int facing;
        int reference;
        int straightSteps;
    };
    for (const Case& c : {Case{3, 0, 2}, Case{9, 0, 2}, Case{3, 3, 0}, Case{4, 0, 0}}) {
        SCOPED_TRACE(testing::Message() << "facing " << c.facing << ", reference " << c.reference);
        ClearUnits();
        const std::int16_t v = Make(kTypZF01, 0, static_cast<std::int16_t>(kFieldX),
                                    static_cast<std::int16_t>(kFieldY), c.facing);
        PushTurnBefehl(V(v), kOpTurnToward, kFieldX, kFieldY - 200, 2, c.reference, 1);
        for (int step = 0; step < c.straightSteps; ++step) {
            const float x = V(v).x;
            Tick();
            EXPECT_EQ(V(v).direction, c.facing) << "straight on";
            EXPECT_NE(V(v).x, x);
            EXPECT_EQ(V(v).orders->cInt(), 1 - step);
        }
        Tick();
        EXPECT_EQ(V(v).direction, c.facing == 9 ? 10 : c.facing - 1) << "then it turns";
    }
}

TEST_F(TrafficBefehle, ACivilianSittingInTheLaneFacingItSendsItBack) {
    const std::int16_t v = laneCar();
    const std::int16_t c = Walker(0, 1100, kLaneY, 3);
    SetMoverAction(P(c), PersonTypen[0], 5);
    UpdatePersonDrawPos(P(c));
    // Seen a few steps ahead, with room to turn.
    closeUp(v);
    V(v).x += 40;
    ResetMoveTarget(V(v));
    ASSERT_LT(V(v).x - P(c).x, 130.0f);
    Tick();
    ASSERT_EQ(HeadBefehlOpcode(V(v)), kOpTurnToward);
    EXPECT_EQ(V(v).orders->aFloat(), static_cast<float>(kTurnX));
    EXPECT_EQ(V(v).orders->bFloat(), static_cast<float>(kTurnY));
    const Befehl& drive = *V(v).orders->next;
    EXPECT_EQ(drive.aFloat(), static_cast<float>(kTurnX)) << "the lane's ends swapped";
    EXPECT_EQ(drive.cFloat(), static_cast<float>(kTargetX));

    // The turn on the spot ends facing the new point.
    for (int t = 0; t < 40 && HeadBefehlOpcode(V(v)) == kOpTurnToward; ++t) Tick();
    EXPECT_EQ(HeadBefehlOpcode(V(v)), kOpTraffic);
    EXPECT_EQ(V(v).direction, GetDirection12(V(v), V(v).x, V(v).y, kTurnX, kTurnY));
}

TEST_F(TrafficBefehle, AMissionHookMayLetTheCarThrough) {
    const std::int16_t v = laneCar();
    const std::int16_t other = Make(kTypZF01, 0, 1000, static_cast<std::int16_t>(kLaneY), 9);
    closeUp(v);
    MissionNummer = 16;
    MissionHookRows[15].HandleZFCollision = LetThrough;
    const float from = V(v).x;
    Tick();
    ASSERT_FALSE(g_hookCalls.empty());
    EXPECT_EQ(g_hookCalls[0].vehicle, v);
    EXPECT_EQ(g_hookCalls[0].kind, 1);
    EXPECT_EQ(g_hookCalls[0].index, other);
    EXPECT_EQ(g_hookCalls[0].ahead, 0);
    EXPECT_LT(V(v).x, from) << "drove on";
    EXPECT_EQ(HeadBefehlOpcode(V(v)), kOpTraffic);
    MissionHookRows[15].HandleZFCollision = nullptr;
    MissionNummer = 1;
}

TEST_F(TrafficBefehle, AHookThatRemovesTheCarEndsItsStep) {
    const std::int16_t v = laneCar();
    Make(kTypZF01, 0, 1000, static_cast<std::int16_t>(kLaneY), 9);
    closeUp(v);
    MissionNummer = 19;
    MissionHookRows[18].HandleZFCollision = TakeOffTheRoad;
    Tick();
    EXPECT_EQ(V(v).type, -1);
    MissionHookRows[18].HandleZFCollision = nullptr;
    MissionNummer = 1;
}

}  // namespace
}  // namespace kv
