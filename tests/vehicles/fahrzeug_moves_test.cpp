// The movement orders of vehicles on mission 1's generated map: when a move tries the road, the
// group move's way onto the road, the cannon vehicles' early stop, road legs and the route's exit,
// the drive step's answers, the F114 pushing an object and a blocked turn.

#include "vehicles/fahrzeug_moves.h"

#include <gtest/gtest.h>

#include <memory>

#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/move_step.h"
#include "movement/route.h"
#include "movement/route_search.h"
#include "movement/stepping.h"
#include "persons/person_evade.h"
#include "persons/person_types.h"
#include "support/evade_recorder.h"
#include "vehicles/move_fixture.h"
#include "world/geometry.h"
#include "world/sonder_obj.h"

namespace kv {
namespace {

using test::kLaneY;

// Open meadow east of the village.
constexpr float kMeadowX = 1400;
constexpr float kMeadowY = 700;

class FahrzeugMoves : public test::MoveTest {
  protected:
    // A vehicle told to drive to (x, y) by the order, which has started already when started.
    std::int16_t driver(std::int32_t type, float fromX, float fromY, int facing, std::uint8_t op,
                        float x, float y, bool started = true) {
        const std::int16_t v = Make(type, 1, static_cast<std::int16_t>(fromX),
                                    static_cast<std::int16_t>(fromY), facing);
        SetBefehl(V(v), FahrzeugTypOf(V(v)), op, -1, static_cast<std::int32_t>(x),
                  static_cast<std::int32_t>(y), 0, 0, 0);
        if (started) V(v).orders->flags |= kBefehlStarted;
        return v;
    }
};

TEST_F(FahrzeugMoves, OnlyAFarMoveTriesTheRoadAndNeverForTheBoatsOrTheShark) {
    struct Case {
        std::int32_t type;
        float distance;
        bool road;
    };
    const Case cases[] = {
        {kTypF101, 250, false}, {kTypF101, 251, true}, {kTypF114, 500, false},
        {kTypF114, 501, true},  {kTypHAI, 800, false}, {kTypF115, 800, false},
        {kTypF116, 800, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        SCOPED_TRACE(c.distance);
        ClearUnits();
        planRouteCalls.clear();
        findPathCalls.clear();
        const std::int16_t v = driver(c.type, 400, 700, 3, kOpMove, 400 + c.distance, 700, false);
        Tick();
        EXPECT_EQ(Calls(planRouteCalls, V(v)), c.road ? 1 : 0);
        EXPECT_EQ(Calls(findPathCalls, V(v)), 1) << "a refused road leaves it to the search";
        EXPECT_EQ((V(v).orders->flags & kBefehlFreePath) != 0, c.road);
    }
    // A route's own leg never plans another route.
    ClearUnits();
    planRouteCalls.clear();
    const std::int16_t v = driver(kTypF101, 400, 700, 3, kOpMove, 1200, 700, false);
    V(v).orders->flags |= kBefehlRouteLeg;
    Tick();
    EXPECT_EQ(Calls(planRouteCalls, V(v)), 0);
}

TEST_F(FahrzeugMoves, AGroupMoveTakesTheRoadOnlyWhereItsPointIsNearerTheGoals) {
    const GoalList goals = {{980, 100, kGoalNoFacing, 0}, {1020, 100, kGoalNoFacing, 0}};
    const float cx = 1000;
    const float cy = 100;
    UnitHead probe;
    RoadEdgePoint road;
    ASSERT_TRUE(FindNearestRoadEdge(probe, cx, cy, road));
    const float roadDistance = DistanceFloat(road.x, road.y, cx, cy);
    ASSERT_GT(roadDistance, 250.0f);

    // On the road point itself: it is no nearer, so the next tick searches freely.
    std::int16_t v =
        Make(kTypF101, 1, static_cast<std::int16_t>(road.x), static_cast<std::int16_t>(road.y), 0);
    V(v).x = road.x;
    V(v).y = road.y;
    SetBefehl(V(v), FahrzeugTypOf(V(v)), kOpGoals, -1, goals, 0, 0, 1);
    Tick();
    EXPECT_EQ(Opcodes(V(v)), (std::vector<int>{kOpGoals}));
    EXPECT_EQ(Calls(findPathCalls, V(v)), 0);
    Tick();
    EXPECT_EQ(Calls(findPathCalls, V(v)), 1);

    // Further off than the road point: a move onto the road first; refused, only the pause stays.
    ClearUnits();
    v = Make(kTypF101, 1, static_cast<std::int16_t>(cx - roadDistance - 30),
             static_cast<std::int16_t>(cy), 3);
    SetBefehl(V(v), FahrzeugTypOf(V(v)), kOpGoals, -1, goals, 0, 0, 1);
    Tick();
    EXPECT_EQ(Calls(planRouteCalls, V(v)), 1);
    EXPECT_EQ(Opcodes(V(v)), (std::vector<int>{kOpWait, kOpGoals}));

    // Goals near by, and an empty list.
    ClearUnits();
    v = Make(kTypF101, 1, static_cast<std::int16_t>(cx), static_cast<std::int16_t>(cy + 200), 0);
    SetBefehl(V(v), FahrzeugTypOf(V(v)), kOpGoals, -1, goals, 0, 0, 1);
    Tick();
    EXPECT_EQ(Calls(findPathCalls, V(v)), 1);
    SetBefehl(V(v), FahrzeugTypOf(V(v)), kOpGoals, -1, GoalList{}, 0, 0, 1);
    Tick();
    EXPECT_EQ(V(v).orders, nullptr);
}

TEST_F(FahrzeugMoves, ACannonVehicleStopsInItsCannonsReachOfTheFinalTarget) {
    // The types are loaded with the vehicles: the range is set on each one's.
    const auto withRange = [](std::int16_t v) {
        KanoneTyp* cannon = FahrzeugTypen[static_cast<std::size_t>(V(v).type)].kanone;
        if (cannon != nullptr) cannon->range = 300;
        return v;
    };
    // Without a cannon order: 20 % short of the range.
    std::int16_t v =
        withRange(driver(kTypF104, kMeadowX, kMeadowY, 9, kOpRouteLeg, kMeadowX - 400, kMeadowY));
    ASSERT_TRUE(TickUntilIdle(V(v), 300));
    const float left = DistanceFloat(V(v).x, V(v).y, kMeadowX - 400, kMeadowY);
    EXPECT_LT(left, 240.0f);
    EXPECT_GT(left, 240.0f - V(v).speed);
    EXPECT_EQ(V(v).anim, 0);

    // A cannon order behind: 5 % short, once it is beyond the target by half its size.
    ClearUnits();
    v = withRange(driver(kTypF104, kMeadowX, 950, 0, kOpRouteLeg, kMeadowX, 550));
    AppendBefehl(V(v), kOpCannonAim, GoalList{{}, {}}, 0, 0, 1);
    for (int t = 0; t < 300 && HeadBefehlOpcode(V(v)) == kOpRouteLeg; ++t) Tick();
    EXPECT_EQ(HeadBefehlOpcode(V(v)), kOpCannonAim);
    EXPECT_LT(V(v).y - 550, 285.0f);
    EXPECT_GT(V(v).y - 550, 285.0f - V(v).speed);

    // Level with the target it drives onto the point.
    ClearUnits();
    v = withRange(driver(kTypF104, kMeadowX - 300, kMeadowY, 3, kOpRouteLeg, kMeadowX, kMeadowY));
    AppendBefehl(V(v), kOpCannonAim, GoalList{{}, {}}, 0, 0, 1);
    for (int t = 0; t < 300 && HeadBefehlOpcode(V(v)) == kOpRouteLeg; ++t) Tick();
    EXPECT_EQ(V(v).x, kMeadowX);

    // Without a cannon there is no early stop.
    ClearUnits();
    v = driver(kTypF101, kMeadowX, kMeadowY, 9, kOpRouteLeg, kMeadowX - 300, kMeadowY);
    ASSERT_EQ(FahrzeugTypen[kTypF101].kanone, nullptr);
    ASSERT_TRUE(TickUntilIdle(V(v), 300));
    EXPECT_EQ(V(v).x, kMeadowX - 300);
}

// A road route laid by hand: its head the last reached point, then the legs still to drive.
void LayRoute(Fahrzeug& v, std::initializer_list<PointF> legs, PointF target) {
    v.route = new Route;
    v.route->order = std::make_unique<RouteOrderCopy>();
    v.route->order->opcode = kOpMove;
    v.route->order->a = std::bit_cast<std::uint32_t>(target.x);
    v.route->order->b = std::bit_cast<std::uint32_t>(target.y);
    RouteWaypoints list = {{kNoNode, 0, 0, 0}};
    std::uint16_t node = 1;
    for (const PointF& p : legs) list.push_back({node++, p.x, p.y, 0});
    v.route->listA = list;
    v.route->listB = list;
}

TEST_F(FahrzeugMoves, ARoadLegReachedLaysTheNextWithATurnTowardsIt) {
    const std::int16_t v = driver(kTypF101, 1000, kLaneY, 3, kOpMove, 1600, kLaneY);
    LayRoute(V(v), {{1000, kLaneY}, {1100, 400}}, {1600, kLaneY});
    PushMoveBefehl(V(v), kOpMove, 1000, kLaneY, 0, 0, 1, kBefehlRouteLeg | kBefehlStarted);
    Tick();
    ASSERT_EQ(Opcodes(V(v)), (std::vector<int>{kOpTurn, kOpMove, kOpMove}));
    const Befehl& turn = *V(v).orders;
    EXPECT_EQ(turn.aFloat(), 1000.0f);
    EXPECT_EQ(turn.bFloat(), kLaneY);
    EXPECT_EQ(turn.cInt(), ClassifyDirection(1000, kLaneY, 1100, 400, 3));
    EXPECT_NE(turn.next->flags & kBefehlRouteLeg, 0);
    EXPECT_EQ(turn.next->aFloat(), 1100.0f);
    EXPECT_EQ(V(v).anim, 0);

    // The last leg: the order the route was planned for is left to the free path search.
    ClearUnits();
    const std::int16_t w = driver(kTypF101, 1000, kLaneY, 3, kOpMove, 1600, kLaneY);
    LayRoute(V(w), {{1000, kLaneY}}, {1600, kLaneY});
    PushMoveBefehl(V(w), kOpMove, 1000, kLaneY, 0, 0, 1, kBefehlRouteLeg | kBefehlStarted);
    Tick();
    ASSERT_EQ(Opcodes(V(w)), (std::vector<int>{kOpMove}));
    EXPECT_NE(V(w).orders->flags & kBefehlFreePath, 0);
    EXPECT_EQ(V(w).route, nullptr);
}

TEST_F(FahrzeugMoves, ARouteIsLeftNearAPointWhenTheNextIsNearer) {
    const std::int16_t v = Make(kTypF101, 1, 1030, static_cast<std::int16_t>(kLaneY), 3);
    LayRoute(V(v), {{1000, kLaneY}, {1040, kLaneY}}, {1600, kLaneY});
    EXPECT_TRUE(IsWaypointReached(v));
    V(v).x = 960;
    EXPECT_FALSE(IsWaypointReached(v)) << "nearer the current point";
    V(v).x = 1030;
    V(v).route->listA.pop_back();
    EXPECT_FALSE(IsWaypointReached(v)) << "no point after it";
    V(v).route->listA.push_back({2, 1040, kLaneY, 0});

    // The drive leaves the route for the order it was planned for, planned freely.
    PushMoveBefehl(V(v), kOpMove, 1000, kLaneY, 0, 0, 1, kBefehlRouteLeg | kBefehlStarted);
    Tick();
    ASSERT_EQ(Opcodes(V(v)), (std::vector<int>{kOpMove}));
    EXPECT_EQ(V(v).orders->aFloat(), 1600.0f);
    EXPECT_NE(V(v).orders->flags & kBefehlFreePath, 0);
    EXPECT_EQ(V(v).route, nullptr);
}

TEST_F(FahrzeugMoves, TheDriveStepAnswersWhatStandsInItsWay) {
    enum class Blocker { StandingCar, ShortLook, Onlooker, WalkingStaff };
    struct Case {
        const char* name;
        Blocker blocker;
        bool plans;
        bool waits;
    };
    const Case cases[] = {
        {"standing car", Blocker::StandingCar, true, false},
        {"standing car, short look-ahead", Blocker::ShortLook, false, true},
        {"onlooker", Blocker::Onlooker, false, true},
        {"staff walking across", Blocker::WalkingStaff, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClearUnits();
        findPathCalls.clear();
        const std::int16_t v =
            driver(kTypF101, kMeadowX - 300, kMeadowY, 3, kOpMove, kMeadowX + 200, kMeadowY);
        switch (c.blocker) {
            case Blocker::StandingCar:
            case Blocker::ShortLook:
                Make(kTypF101, 1, static_cast<std::int16_t>(kMeadowX),
                     static_cast<std::int16_t>(kMeadowY), 3);
                if (c.blocker == Blocker::ShortLook) V(v).orders->flags |= kBefehlShortLook;
                break;
            case Blocker::Onlooker:
                P(Walker(0, kMeadowX, kMeadowY, 9)).controlFlags = kPersonOnlooker;
                break;
            case Blocker::WalkingStaff:
                SetMoving(P(Walker(1, kMeadowX, kMeadowY, 0)), 1.5f);
                break;
        }
        ASSERT_TRUE(PlaceBefore(V(v), FahrzeugTypOf(V(v)), kMeadowX - 300, kMeadowX));
        const float from = V(v).x;
        Tick();
        EXPECT_EQ(V(v).x, from) << "back where it stood";
        EXPECT_EQ(Calls(findPathCalls, V(v)) > 0, c.plans);
        EXPECT_EQ((V(v).moverFlags & kMoverSearching) == 0, c.waits);
        ASSERT_EQ(HeadBefehlOpcode(V(v)), kOpMove);
        EXPECT_EQ(V(v).orders->e, c.blocker == Blocker::ShortLook ? 1u : 0u);
        EXPECT_EQ(V(v).anim, 0);
    }
}

TEST_F(FahrzeugMoves, BehindASlowerCarTheRouteClassDecidesAndAFasterOneFollowsAtItsPace) {
    // A car driving east a little ahead, as fast as the fire engine or slower.
    enum class Outcome { KeepsGoing, Waits, Follows };
    struct Case {
        const char* name;
        std::int32_t type;  // of the vehicle behind; the one ahead is an F101 (class 2)
        float aheadSpeed;   // from the type's own speed on
        Outcome outcome;
    };
    const Case cases[] = {
        {"lower route class", kTypF201, 50.0f, Outcome::KeepsGoing},
        {"the same route class", kTypF101, 50.0f, Outcome::Waits},
        {"faster than the one ahead", kTypF101, 0.5f, Outcome::Follows},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClearUnits();
        const std::int16_t v =
            driver(c.type, kMeadowX - 300, kMeadowY, 3, kOpMove, kMeadowX + 400, kMeadowY);
        const FahrzeugTyp& typ = FahrzeugTypOf(V(v));
        SetMoverAction(V(v), typ, kFahrzeugAnimDriving);
        const std::int16_t ahead = Make(kTypF101, 1, static_cast<std::int16_t>(kMeadowX),
                                        static_cast<std::int16_t>(kMeadowY), 3);
        SetMoving(V(ahead), c.aheadSpeed);
        ASSERT_TRUE(PlaceBefore(V(v), typ, kMeadowX - 300, kMeadowX));
        // A few steps back, so that the car is met further along the look-ahead.
        V(v).x -= 10;
        ResetMoveTarget(V(v));
        const float from = V(v).x;
        Tick();
        EXPECT_EQ(Calls(findPathCalls, V(v)), 0);
        switch (c.outcome) {
            case Outcome::KeepsGoing:
                EXPECT_EQ(V(v).x, from);
                EXPECT_EQ(V(v).anim, kFahrzeugAnimDriving) << "still counted as moving";
                EXPECT_NE(V(v).moverFlags & kMoverSearching, 0);
                break;
            case Outcome::Waits:
                EXPECT_EQ(V(v).x, from);
                EXPECT_EQ(V(v).anim, 0);
                EXPECT_EQ(V(v).moverFlags & kMoverSearching, 0);
                break;
            case Outcome::Follows:
                EXPECT_GT(V(v).x, from);
                EXPECT_LE(V(v).x, from + c.aheadSpeed);
                EXPECT_EQ(V(v).speed, c.aheadSpeed) << "at the pace of the one ahead";
                EXPECT_EQ(V(v).anim, kFahrzeugAnimDriving);
                break;
        }
    }
}

TEST_F(FahrzeugMoves, AStraightMovePlansRoundAStandingCarButWaitsForOneCrossing) {
    for (const bool crossing : {false, true}) {
        SCOPED_TRACE(crossing ? "a car crossing" : "a standing car");
        ClearUnits();
        const std::int16_t v = Make(kTypF101, 1, static_cast<std::int16_t>(kMeadowX - 300),
                                    static_cast<std::int16_t>(kMeadowY), 3);
        SetBefehl(V(v), FahrzeugTypOf(V(v)), kOpStraight, -1,
                  static_cast<std::int32_t>(kMeadowX + 200), static_cast<std::int32_t>(kMeadowY), 3,
                  0, 0);
        const std::int16_t car = Make(kTypF101, 1, static_cast<std::int16_t>(kMeadowX),
                                      static_cast<std::int16_t>(kMeadowY), crossing ? 0 : 3);
        if (crossing) SetMoving(V(car), 3.0f);
        ASSERT_TRUE(PlaceBefore(V(v), FahrzeugTypOf(V(v)), kMeadowX - 300, kMeadowX));
        const float from = V(v).x;
        Tick();
        EXPECT_EQ(V(v).x, from) << "back where it stood";
        EXPECT_EQ(V(v).anim, 0);
        EXPECT_EQ(Calls(findPathCalls, V(v)), crossing ? 0 : 1);
        EXPECT_EQ((V(v).moverFlags & kMoverSearching) == 0, crossing) << "waits";
        EXPECT_EQ(HeadBefehlOpcode(V(v)), kOpStraight);
    }
}

TEST_F(FahrzeugMoves, TheF114PushesAnObjectUntilItIsStuckThenGivesUp) {
    const std::int16_t v =
        driver(kTypF114, kMeadowX - 300, kMeadowY, 3, kOpMove, kMeadowX + 200, kMeadowY);
    const std::int16_t object = FindFreeSonderObj();
    ASSERT_GE(object, 0);
    CreateSonderObj(object, 0, static_cast<std::int16_t>(kMeadowX),
                    static_cast<std::int16_t>(kMeadowY - 10), 0, 15, 0, 0.0f, 1);
    ASSERT_TRUE(PlaceBefore(V(v), FahrzeugTypOf(V(v)), kMeadowX - 300, kMeadowX));
    Tick(5);
    EXPECT_GT(SonderObjs[static_cast<std::size_t>(object)].x, kMeadowX) << "pushed east";
    EXPECT_EQ(V(v).pushedObject, object);
    EXPECT_EQ(Calls(findPathCalls, V(v)), 0);

    // A car beyond the object: the object cannot go on, and it is the one pushed last.
    Make(kTypF101, 1,
         static_cast<std::int16_t>(SonderObjs[static_cast<std::size_t>(object)].x + 80),
         static_cast<std::int16_t>(kMeadowY), 3);
    ASSERT_TRUE(TickUntilIdle(V(v), 40));
    EXPECT_EQ(Calls(findPathCalls, V(v)), 0);
}

TEST_F(FahrzeugMoves, ABlockedTurnIsGivenUpOrPlannedRoundWhenPassedOver) {
    for (const bool done : {false, true}) {
        SCOPED_TRACE(done);
        ClearUnits();
        findPathCalls.clear();
        const std::int16_t v = Make(kTypF101, 1, static_cast<std::int16_t>(kMeadowX),
                                    static_cast<std::int16_t>(kMeadowY), 3);
        Make(kTypF101, 1, static_cast<std::int16_t>(kMeadowX),
             static_cast<std::int16_t>(kMeadowY + 20), 3);
        SetBefehl(V(v), FahrzeugTypOf(V(v)), kOpTurn, -1, 0, 0, 6, 0, 1);
        if (done) V(v).orders->flags |= kBefehlDone;
        AppendBefehl(V(v), kOpWait, 10, 0, 0, 0, 1);
        Tick();
        EXPECT_EQ(V(v).direction, 3) << "turned back";
        EXPECT_EQ(HeadBefehlOpcode(V(v)), kOpWait) << "the turn is given up, or passed over";
        EXPECT_EQ(Calls(findPathCalls, V(v)), done ? 1 : 0);
    }
}

// A person standing in a vehicle's way is pushed off it, never into it: ahead of the vehicle the
// push also carries it to one side of the heading, so the way clears. Pushed towards the vehicle
// the person could only stand against it, and the vehicle would wait for ever (the crowd by the
// tree in mission 3 held the ladder vehicle so).
TEST_F(FahrzeugMoves, APersonInAVehiclesWayIsPushedAwayFromIt) {
    struct Case {
        const char* name;
        int facing;
        float dx;
        float dy;
        bool ahead;
    };
    const Case cases[] = {
        {"straight ahead", 3, 60, 0, true},
        {"ahead, a little to the left", 3, 60, -20, true},
        {"ahead of a vehicle heading up-left", 10, -58, -30, true},
        {"beside it", 3, 0, 60, false},
        {"behind it", 9, 60, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClearUnits();
        const std::int16_t v = Make(kTypF106, 1, static_cast<std::int16_t>(kMeadowX),
                                    static_cast<std::int16_t>(kMeadowY), c.facing);
        const std::int16_t p = Walker(0, kMeadowX + c.dx, kMeadowY + c.dy, 9);
        test::EvadeRecorder pushes;
        TellPersonToEvade(V(v), FahrzeugTypOf(V(v)), static_cast<std::uint16_t>(p));
        ASSERT_EQ(test::EvadeRecorder::Calls().size(), 1u);
        const test::EvadeCall& call = test::EvadeRecorder::Calls()[0];
        EXPECT_EQ(call.person, p);
        EXPECT_EQ(call.strength, kVehiclePushStrength);
        // The push runs from the source through the person.
        const float px = P(p).x - call.x;
        const float py = P(p).y - call.y;
        EXPECT_GT(px * c.dx + py * c.dy, 0) << "away from the vehicle";
        if (!c.ahead) {
            EXPECT_EQ(call.x, V(v).x);
            EXPECT_EQ(call.y, V(v).y);
            continue;
        }
        EXPECT_EQ(DirectionGap(VectorToDirection12(px, py, 0), static_cast<std::uint8_t>(c.facing)),
                  1)
            << "one direction off the heading";
    }
}

}  // namespace
}  // namespace kv
