// A fire engine beside mission 1's generated country road sent along it: the route is laid as
// moves on the right-hand lane.

#include <gtest/gtest.h>

#include <vector>

#include "core/fatal_error.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/route_driving.h"
#include "movement/route_fixture.h"
#include "movement/route_search.h"
#include "movement/stepping.h"
#include "movement/unit_fixture.h"
#include "vehicles/fahrzeug_typ.h"
#include "world/level_map.h"

namespace kv {
namespace {

// The generated road runs along y = 530 with its lanes 24 px either side.
constexpr float kEastboundLane = 554.0f;

class RouteOnMissionOne : public test::UnitTest {
  protected:
    void SetUp() override {
        UnitTest::SetUp();
        loadSampleMission(1);
        test::WorkingDirectory cwd(KV_SAMPLEDATA_DIR);
        LoadFahrzeugTyp(kTypF101);
        ASSERT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
        levelNodes = RoadNodes;
    }
    void TearDown() override {
        for (UnitHead& v : vehicles) DiscardBefehle(v);
        UnitTest::TearDown();
    }
    static const FahrzeugTyp& Engine() { return FahrzeugTypen[kTypF101]; }
    // A fire engine on the verge south of the road, facing north, sent to the target.
    static UnitHead& Send(float targetX, float targetY) {
        UnitHead& u = vehicles[1];
        u.type = kTypF101;
        u.x = 300;
        u.y = 620;
        u.speed = Engine().speed;
        u.present = 1;
        AppendMoveBefehl(u, 0, targetX, targetY, 0, 0, 0);
        return u;
    }
    // Once a tick, as the movement handler does, until the route is laid or refused.
    static std::uint8_t PlanOnceATick(UnitHead& u) {
        std::uint8_t result = 0;
        for (int tick = 0; tick < 10; ++tick) {
            result = PlanRoute(u, Engine());
            if (result == 0 || (u.moverFlags & kMoverRoutePlanning) == 0) break;
        }
        return result;
    }
    void expectLevelUnchanged() const { test::ExpectRoadNodes(levelNodes); }
    std::vector<RoadNode> levelNodes;
};

TEST_F(RouteOnMissionOne, LaysTheRouteOnTheRightHandLane) {
    UnitHead& u = Send(1500, 620);
    ASSERT_EQ(PlanOnceATick(u), 1);
    ASSERT_NE(u.route, nullptr);
    const Befehl* head = u.orders;
    ASSERT_NE(head, nullptr);
    EXPECT_EQ(head->opcode, kOpMove);
    EXPECT_EQ(head->flags, kBefehlRouteLeg);
    EXPECT_EQ(head->bFloat(), kEastboundLane);
    EXPECT_GT(head->aFloat(), 300.0f);
    EXPECT_LT(head->aFloat(), 456.0f);  // before the next node: the corner was cut
    // The order it was planned for waits behind the legs.
    ASSERT_NE(head->next, nullptr);
    EXPECT_EQ(head->next->flags, 0);
    EXPECT_EQ(head->next->aFloat(), 1500.0f);

    // Arrived at the first leg: the next one follows the lane east, short of the target.
    const float firstX = head->aFloat();
    PopBefehl(u);
    ASSERT_EQ(NextRouteWaypoint(u), 1);
    EXPECT_EQ(u.orders->flags, kBefehlRouteLeg);
    EXPECT_EQ(u.orders->bFloat(), kEastboundLane);
    EXPECT_GT(u.orders->aFloat(), firstX + 900.0f);
    EXPECT_LT(u.orders->aFloat(), 1500.0f);
    PopBefehl(u);
    EXPECT_EQ(NextRouteWaypoint(u), 0);
    EXPECT_EQ(u.route, nullptr);
    expectLevelUnchanged();
}

TEST_F(RouteOnMissionOne, ATargetOnTheLaneTakesTheMoveOrderAlong) {
    UnitHead& u = Send(1500, kEastboundLane);
    ASSERT_EQ(PlanOnceATick(u), 1);
    ASSERT_NE(u.route, nullptr);
    EXPECT_EQ(u.route->order->flags, kRouteOrderRemoved);
    EXPECT_EQ(u.route->listA.back().flag, 1);
    EXPECT_EQ(u.route->listA.back().x, 1500.0f);
    ASSERT_NE(u.orders, nullptr);
    EXPECT_EQ(u.orders->flags, kBefehlRouteLeg);
    EXPECT_EQ(u.orders->next, nullptr);
    // A restore that is not forced leaves the finished order out.
    RestoreRouteOrder(u, false);
    EXPECT_EQ(u.orders->next, nullptr);
    ClearBefehle(u);
    EXPECT_EQ(u.route, nullptr);
    expectLevelUnchanged();
}

}  // namespace
}  // namespace kv
