// The movement orders of persons on mission 1's generated map: the walk to a point and its
// arrival, the turn, the walk step's answers to what stands in its way, the onlooker's walk to its
// target, and the direction to the nearest traffic path.

#include "persons/person_moves.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/befehl_callbacks.h"
#include "core/random.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/move_step.h"
#include "movement/stepping.h"
#include "movement/traffic_paths.h"
#include "movement/zones.h"
#include "persons/gaffer_ziele.h"
#include "persons/person_types.h"
#include "vehicles/move_fixture.h"
#include "world/sonder_obj.h"

namespace kv {
namespace {

using test::kFieldX;
using test::kFieldY;

constexpr int kStaff = 1;
constexpr int kCivil = 0;
constexpr std::int32_t kGoalX = 800;

class PersonMoves : public test::MoveTest {
  protected:
    void TearDown() override {
        GafferZiele = {};
        FreeZones();
        FreeZFWege();
        test::MoveTest::TearDown();
    }

    // A staff member at the field's west end, already walking east to (kGoalX, kFieldY).
    std::int16_t eastWalker() {
        const std::int16_t w = Walker(kStaff, kFieldX, kFieldY, 3);
        SetBefehl(P(w), PersonTypen[kStaff], kOpMove, -1, kGoalX, static_cast<int>(kFieldY), 0, 0,
                  1);
        P(w).orders->flags |= kBefehlStarted;
        P(w).walkCount = 15;
        return w;
    }
};

TEST_F(PersonMoves, WalksOntoTheExactPointAfterHandingTheMoveToTheSearch) {
    SeedRandom(3);
    const std::int16_t w = Walker(kStaff, kFieldX, kFieldY, 0);
    SetBefehl(P(w), PersonTypen[kStaff], kOpMove, -1, 680, 230, 0, 0, 1);
    Tick();
    EXPECT_EQ(Calls(findPathCalls, P(w)), 1) << "the first tick only plans";
    EXPECT_EQ(P(w).x, kFieldX);
    EXPECT_NE(P(w).orders->flags & kBefehlStarted, 0);
    EXPECT_GE(P(w).walkCount, 10);
    EXPECT_LT(P(w).walkCount, 30);

    ASSERT_TRUE(TickUntilIdle(P(w), 200));
    EXPECT_EQ(P(w).x, 680.0f);
    EXPECT_EQ(P(w).y, 230.0f);
    EXPECT_EQ(P(w).anim, 0);
    EXPECT_EQ(P(w).moverFlags & kMoverSearching, 0);
    EXPECT_EQ(Calls(findPathCalls, P(w)), 1);
    const PersonTrail& t = P(w).trail;
    const MoveStep& last = t.trail[static_cast<std::size_t>((t.trailWrite + 39) % 40)];
    EXPECT_EQ(last.x, 680.0f);
    EXPECT_EQ(last.y, 230.0f);
}

TEST_F(PersonMoves, AStepAheadOfAMoveOntoAWaypointThatIsNextKeepsWalking) {
    const std::int16_t w = eastWalker();
    PushMoveBefehl(P(w), kOpMove, 620, kFieldY, 0, 0, 1, kBefehlStarted);
    ASSERT_TRUE(Opcodes(P(w)) == (std::vector<int>{0, 0}));
    for (int t = 0; t < 40 && P(w).orders->next != nullptr; ++t) Tick();
    EXPECT_EQ(P(w).orders->next, nullptr) << "the first waypoint was reached";
    EXPECT_EQ(P(w).anim, kAnimWalk) << "a walk follows: no stop in between";
}

TEST_F(PersonMoves, TurnsOneStepATickTheShortWayAndAHalfTurnClockwise) {
    struct Case {
        int from, c, d;
        std::vector<int> seen;
    };
    const Case cases[] = {
        {10, 3, -1, {11, 0, 1}},
        {0, 6, 0, {1, 2, 3, 4, 5, 6}},
        {6, 0, 0, {7, 8, 9, 10, 11, 0}},
        {2, 15, 0, {3}},  // a target past 11 is taken round the circle
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.from);
        const std::int16_t w = Walker(kStaff, kFieldX, kFieldY, c.from);
        SetBefehl(P(w), PersonTypen[kStaff], kOpTurn, -1, 0, 0, c.c, c.d, 1);
        std::vector<int> seen;
        for (int t = 0; t < 20 && P(w).orders != nullptr; ++t) {
            const int before = P(w).direction;
            Tick();
            if (P(w).direction != before) seen.push_back(P(w).direction);
        }
        EXPECT_EQ(seen, c.seen);
        EXPECT_EQ(P(w).orders, nullptr);
        DeletePerson(w);
    }
}

TEST_F(PersonMoves, ATurnMeantForAnotherPlaceClearsTheQueue) {
    const std::int16_t w = Walker(kStaff, 100, 101, 0);
    SetBefehl(P(w), PersonTypen[kStaff], kOpTurn, -1, 100, 100, 3, 0, 1);
    AppendBefehl(P(w), kOpWait, 10, 0, 0, 0, 1);
    Tick();
    EXPECT_EQ(P(w).orders, nullptr);
    EXPECT_EQ(P(w).direction, 0);
}

// One row per answer of the walk step to what stands in the very next step, or further ahead.
TEST_F(PersonMoves, TheWalkStepAnswersWhatStandsInItsWay) {
    enum class Blocker {
        StandingCar,
        CarOnTheGoal,
        CarAcross,
        SlowCarAhead,
        PersonAcross,
        Object,
        FullZone
    };
    struct Case {
        const char* name;
        Blocker blocker;
        bool plans;       // the free path search was asked to go round
        bool keepsOrder;  // the walk order still heads the queue
        bool waits;       // no longer counted as moving
    };
    const Case cases[] = {
        {"standing car, goal free", Blocker::StandingCar, true, true, false},
        {"standing car on the goal", Blocker::CarOnTheGoal, false, false, true},
        {"car crossing", Blocker::CarAcross, false, true, true},
        {"slower car ahead", Blocker::SlowCarAhead, false, true, false},
        {"person crossing", Blocker::PersonAcross, false, true, true},
        {"special object", Blocker::Object, true, true, false},
        {"full zone", Blocker::FullZone, false, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClearUnits();
        FreeZones();
        findPathCalls.clear();
        const std::int16_t w = eastWalker();
        const float blockX = kFieldX + 60;
        std::int16_t object = -1;
        switch (c.blocker) {
            case Blocker::StandingCar:
            case Blocker::CarAcross:
            case Blocker::SlowCarAhead: {
                const std::int16_t v = Make(kTypF101, 1, static_cast<std::int16_t>(blockX),
                                            static_cast<std::int16_t>(kFieldY),
                                            c.blocker == Blocker::CarAcross ? 6 : 3);
                if (c.blocker != Blocker::StandingCar)
                    SetMoving(V(v), c.blocker == Blocker::SlowCarAhead ? 0.5f : 3.0f);
                break;
            }
            case Blocker::CarOnTheGoal: {
                Make(kTypF101, 1, static_cast<std::int16_t>(blockX),
                     static_cast<std::int16_t>(kFieldY), 3);
                P(w).orders->setA(blockX);
                break;
            }
            case Blocker::PersonAcross:
                SetMoving(P(Walker(kStaff, blockX, kFieldY, 0)), 1.0f);
                break;
            case Blocker::Object: {
                object = FindFreeSonderObj();
                ASSERT_GE(object, 0);
                CreateSonderObj(object, 0, static_cast<std::int16_t>(blockX),
                                static_cast<std::int16_t>(kFieldY - 10), 0, 15, 0, 0.0f, 0);
                break;
            }
            case Blocker::FullZone:
                ZoneCount = 1;
                AllocZones();
                SetZone(0, static_cast<std::uint16_t>(blockX), 200,
                        static_cast<std::uint16_t>(blockX + 40), 300, 1);
                Zones[0].occupants = 1;
                break;
        }
        ASSERT_TRUE(PlaceBefore(P(w), PersonTypen[kStaff], kFieldX - 100, kGoalX));
        const float from = P(w).x;
        Tick();
        EXPECT_EQ(Calls(findPathCalls, P(w)) > 0, c.plans);
        EXPECT_EQ(P(w).orders != nullptr && P(w).orders->opcode == kOpMove, c.keepsOrder);
        EXPECT_EQ((P(w).moverFlags & kMoverSearching) == 0, c.waits);
        if (object >= 0) FreeSonderObjSlot(object);
        if (c.blocker == Blocker::SlowCarAhead) {
            EXPECT_EQ(P(w).speed, 0.5f) << "follows behind at the car's pace";
            EXPECT_GT(P(w).x, from);
            EXPECT_LE(P(w).x, from + 0.5f);
        } else {
            EXPECT_EQ(P(w).x, from) << "back where it stood";
            EXPECT_EQ(P(w).anim, 0);
        }
    }
}

std::int16_t g_callbackClears = -1;

TEST_F(PersonMoves, AnEndOfMoveCallbackThatEmptiesTheQueueLeavesNothingToPlan) {
    BefehlCallbackTable table{};
    table[2] = [](std::int32_t unit, std::int32_t) {
        g_callbackClears = static_cast<std::int16_t>(unit);
        ClearBefehle(Personen[static_cast<std::size_t>(unit)]);
    };
    SetBefehlCallbackSource(&table);
    InitBefehlCallbacks();
    const std::int16_t w = eastWalker();
    AppendBefehl(P(w), kOpFollow, 0, 2, 0, 0, 1);
    Make(kTypF101, 1, static_cast<std::int16_t>(kFieldX + 60), static_cast<std::int16_t>(kFieldY),
         3);
    ASSERT_TRUE(PlaceBefore(P(w), PersonTypen[kStaff], kFieldX - 100, kGoalX));
    Tick();
    EXPECT_EQ(g_callbackClears, w);
    EXPECT_EQ(P(w).orders, nullptr);
    EXPECT_EQ(Calls(findPathCalls, P(w)), 0);
    SetBefehlCallbackSource(nullptr);
    InitBefehlCallbacks();
}

TEST_F(PersonMoves, APersonWithAControllerLosesPatienceWithPassersBy) {
    for (const int patience : {2, 0}) {
        SCOPED_TRACE(patience);
        ClearUnits();
        const std::int16_t w = eastWalker();
        P(w).controlFlags = kPersonController;
        P(w).walkCount = static_cast<std::uint8_t>(patience);
        SetMoving(P(Walker(kStaff, kFieldX + 40, kFieldY, 0)), 1.0f);
        ASSERT_TRUE(PlaceBefore(P(w), PersonTypen[kStaff], kFieldX - 100, kGoalX));
        if (patience == 2) {
            Tick();
            EXPECT_EQ(P(w).walkCount, 1);
            EXPECT_NE(P(w).orders, nullptr);
        }
        Tick();
        EXPECT_EQ(P(w).walkCount, 0);
        EXPECT_EQ(P(w).orders, nullptr) << "gives its walk up";
    }
}

TEST_F(PersonMoves, AnOnlookerWalksOnPastAKneelingCivilianThatDoesNotFaceIt) {
    const std::int16_t w = eastWalker();
    P(w).controlFlags = kPersonOnlooker;
    const std::int16_t c = Walker(kCivil, kFieldX + 40, kFieldY, 0);
    SetMoverAction(P(c), PersonTypen[kCivil], 4);
    UpdatePersonDrawPos(P(c));
    ASSERT_TRUE(PlaceBefore(P(w), PersonTypen[kStaff], kFieldX - 100, kGoalX));
    const float from = P(w).x;
    Tick();
    EXPECT_GT(P(w).x, from);
    EXPECT_EQ(P(w).anim, kAnimWalk);
    EXPECT_EQ(Calls(findPathCalls, P(w)), 0);
}

// A waypoint laid to be walked in a kept facing (a step out of a box the person cannot turn in)
// is walked to as the person faces when it lies straight ahead; one that does not is dropped and
// the move planned again.
TEST_F(PersonMoves, AWaypointInAKeptFacingIsWalkedStraightAheadElsePlannedAgain) {
    const struct {
        float x;
        float y;
        bool walks;
    } cases[] = {{kFieldX + 20, kFieldY, true}, {kFieldX + 20, kFieldY + 12, false}};
    for (const auto& c : cases) {
        ClearUnits();
        const std::int16_t w = eastWalker();
        PushMoveBefehl(P(w), kOpMove, c.x, c.y, 0, 0, 4,
                       kBefehlDone | kBefehlStarted | kBefehlKeepFacing);
        Tick();
        if (c.walks) {
            EXPECT_GT(P(w).x, kFieldX);
            EXPECT_EQ(P(w).y, kFieldY);
            EXPECT_EQ(Opcodes(P(w)), (std::vector<int>{0, 0}));
        } else {
            EXPECT_EQ(P(w).x, kFieldX);
            EXPECT_EQ(Opcodes(P(w)), (std::vector<int>{0}));
            EXPECT_EQ(P(w).orders->flags & kBefehlStarted, 0) << "planned again next tick";
        }
    }
}

TEST_F(PersonMoves, ALyingTypeThatCannotStepKeepsItsOrder) {
    // Type 34 has no speed: its step length is 0 wherever it stands. Only vehicles give up then.
    constexpr int kLyingType = 34;
    const std::int16_t w = Walker(kLyingType, kFieldX, kFieldY, 3);
    SetBefehl(P(w), PersonTypen[kLyingType], kOpMove, -1, kGoalX, static_cast<int>(kFieldY), 0, 0,
              1);
    P(w).orders->flags |= kBefehlStarted;
    Tick(3);
    EXPECT_EQ(HeadBefehlOpcode(P(w)), kOpMove);
    EXPECT_EQ(P(w).x, kFieldX);

    SetBefehl(P(w), PersonTypen[kLyingType], kOpStraight, -1, kGoalX, static_cast<int>(kFieldY), 3,
              0, 1);
    Tick(3);
    EXPECT_EQ(HeadBefehlOpcode(P(w)), kOpStraight);
    EXPECT_EQ(P(w).x, kFieldX);
}

TEST_F(PersonMoves, AnOnlookerStopsInsideItsTargetsCircle) {
    GafferZiele = {{static_cast<std::int16_t>(kGoalX), static_cast<std::int16_t>(kFieldY), 30}};
    const std::int16_t w = Walker(kCivil, kFieldX, kFieldY, 3);
    SetBefehl(P(w), PersonTypen[kCivil], kOpGaffer, -1, kGoalX, static_cast<int>(kFieldY), 0, 0, 0);
    P(w).orders->flags |= kBefehlStarted;
    ASSERT_TRUE(TickUntilIdle(P(w), 300));
    EXPECT_LE(kGoalX - P(w).x, 30.0f);
    EXPECT_GT(kGoalX - P(w).x, 28.0f);

    // A target index that names none: the walk goes on to the point.
    const std::int16_t u = Walker(kCivil, kFieldX, kFieldY + 30, 3);
    SetBefehl(P(u), PersonTypen[kCivil], kOpGaffer, -1, kGoalX, static_cast<int>(kFieldY + 30), 0,
              0, 7);
    P(u).orders->flags |= kBefehlStarted;
    ASSERT_TRUE(TickUntilIdle(P(u), 300));
    EXPECT_EQ(P(u).x, static_cast<float>(kGoalX));
}

TEST_F(PersonMoves, StraightMovesEndOnThePointOrAreGivenUp) {
    const std::int16_t w = Walker(kStaff, kFieldX, kFieldY, 3);
    SetBefehl(P(w), PersonTypen[kStaff], kOpStraight, -1, 620, static_cast<int>(kFieldY), 3, 0, 1);
    AppendBefehl(P(w), kOpWait, 5, 0, 0, 0, 1);
    for (int t = 0; t < 30 && HeadBefehlOpcode(P(w)) == kOpStraight; ++t) Tick();
    EXPECT_EQ(P(w).x, 620.0f);
    EXPECT_EQ(HeadBefehlOpcode(P(w)), kOpWait);

    SetBefehl(P(w), PersonTypen[kStaff], kOpStraight, -1, 700, static_cast<int>(kFieldY), 12, 0, 1);
    AppendBefehl(P(w), kOpWait, 5, 0, 0, 0, 1);
    Tick();
    EXPECT_EQ(HeadBefehlOpcode(P(w)), kOpWait) << "no such direction: the move is given up";
    EXPECT_EQ(P(w).x, 620.0f);
}

TEST_F(PersonMoves, AStraightWalkPlansRoundAStandingCarButWaitsForOneCrossing) {
    for (const bool crossing : {false, true}) {
        SCOPED_TRACE(crossing ? "a car crossing" : "a standing car");
        ClearUnits();
        const std::int16_t w = Walker(kStaff, kFieldX, kFieldY, 3);
        SetBefehl(P(w), PersonTypen[kStaff], kOpStraight, -1, kGoalX, static_cast<int>(kFieldY), 3,
                  0, 0);
        const std::int16_t car = Make(kTypF101, 1, static_cast<std::int16_t>(kFieldX + 100),
                                      static_cast<std::int16_t>(kFieldY), crossing ? 0 : 3);
        if (crossing) SetMoving(V(car), 3.0f);
        ASSERT_TRUE(PlaceBefore(P(w), PersonTypen[kStaff], kFieldX, kGoalX));
        const float from = P(w).x;
        Tick();
        EXPECT_EQ(P(w).x, from) << "back where it stood";
        EXPECT_EQ(P(w).anim, 0);
        EXPECT_EQ(Calls(findPathCalls, P(w)), crossing ? 0 : 1);
        EXPECT_EQ((P(w).moverFlags & kMoverSearching) == 0, crossing) << "waits";
        EXPECT_EQ(HeadBefehlOpcode(P(w)), kOpStraight);
    }
}

TEST_F(PersonMoves, TheTargetDirectionPointsAtTheNearestTrafficPathsStart) {
    const std::int16_t w = Walker(kStaff, 500, 400, 7);
    EXPECT_EQ(GetPersonTargetDirection(w), 7) << "no paths";
    ZFWegCount = 1;
    AllocZFWege();
    ZFWege[0].startX = 800;
    ZFWege[0].startY = 400;
    ZFWege[0].targetX = 100;
    ZFWege[0].targetY = 400;
    EXPECT_EQ(GetPersonTargetDirection(w), 3);
    P(w).x = 800;
    EXPECT_EQ(GetPersonTargetDirection(w), 7) << "on the start itself";
}

TEST(MoveBlockers, EveryObstacleKindIsOneRowAndUnitsAreSortedByHowTheyMove) {
    UnitHead mover;
    mover.direction = 3;
    mover.speed = 2;
    for (const std::uint8_t kind :
         {kHitSonderObj, kHitMapCell, kHitHouseObj, kHitWall, kHitOtherHouse, kHitSlide}) {
        const Blocker b = ClassifyBlocker(mover, {kind, 1, 2, 0}, -1, true);
        EXPECT_EQ(b.group, BlockerGroup::Obstacle) << int{kind};
    }
    EXPECT_EQ(ClassifyBlocker(mover, {kHitZone, 0, 0, 0}, -1, true).group, BlockerGroup::Zone);
    EXPECT_EQ(ClassifyBlocker(mover, {kHitPerson, 9999, 0, 0}, -1, true).group,
              BlockerGroup::Obstacle)
        << "an index that names nobody";
}

}  // namespace
}  // namespace kv
