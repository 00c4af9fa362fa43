// The straight-line run: free, stopped by a unit or by terrain (two steps short), sliding along a
// slanted cell edge, going round in a circle, running out of budget, and the turning manoeuvre
// with its result codes and the path it lays.

#include <gtest/gtest.h>

#include <string>

#include "movement/befehl.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/collision.h"
#include "movement/collision_fixture.h"
#include "movement/path_search.h"
#include "movement/searching_movers.h"
#include "movement/stepping.h"

namespace kv::test {
namespace {

struct RunResult {
    std::uint8_t free = 0;
    LineRun out;
};

RunResult Go(CollisionUnit& u, const UnitTypHead& type, float tx, float ty) {
    RunResult r;
    r.free = TestLineFree(u.x, u.y, static_cast<std::uint8_t>(u.direction), u, type, tx, ty, r.out);
    return r;
}

TEST_F(CollisionTest, RunOverOpenGroundArrives) {
    CollisionUnit& walker = placePerson(0, kMeadowX, kMeadowY, 1, 1);
    const RunResult r = Go(walker, staff->head, kMeadowX + 40, kMeadowY - 70);
    EXPECT_EQ(r.free, 1);
    EXPECT_EQ(r.out.kind, 0);
    EXPECT_EQ(r.out.stopX, kMeadowX + 40);
    EXPECT_EQ(r.out.stopY, kMeadowY - 70);
    EXPECT_EQ(walker.stepRead, 12) << "the steps it recorded, counted up to 12";
    EXPECT_EQ(walker.contour, nullptr);
}

TEST_F(CollisionTest, RunStoppedByAVehicleEndsBeforeIt) {
    CollisionUnit& walker = placePerson(0, kMeadowX - 70, kMeadowY, 3, 1);
    placeVehicle(2, kMeadowX + 50, kMeadowY);
    const RunResult r = Go(walker, staff->head, kMeadowX + 150, kMeadowY);
    EXPECT_EQ(r.free, 0);
    EXPECT_EQ(r.out.kind, kHitFahrzeug);
    EXPECT_EQ(r.out.index1, 2);
    EXPECT_EQ(r.out.blocked, 1) << "its left edge met";
    EXPECT_LT(r.out.stopX + 5, kMeadowX + 30) << "the last free step, short of its box";
    EXPECT_GT(r.out.stopX + 5 + 2 * 2, kMeadowX + 30) << "and no more than a step short";
    EXPECT_EQ(r.out.stopDir, 3);
}

TEST_F(CollisionTest, RunStoppedByTerrainStopsTwoStepsShort) {
    const CellPos cell = CellFromPixel(1400, 700);
    Flood(cell.column, cell.row, 1, 1);
    const int left = CellLineStartX(cell.column, cell.row, 0);
    const int top = kCellHeight * cell.row;
    CollisionUnit& walker =
        placePerson(0, static_cast<float>(left - 22), static_cast<float>(top + 60), 1, 1);
    const RunResult r = Go(walker, staff->head, walker.x + 30, walker.y - 120);
    EXPECT_EQ(r.free, 0);
    EXPECT_EQ(r.out.kind, kHitMapCell);
    EXPECT_EQ(r.out.index1, cell.column);
    EXPECT_EQ(r.out.index2, cell.row);
    const MoveStep twoBack = StepRingEntry(walker, walker.stepWrite - 3);
    const MoveStep lastFree = StepRingEntry(walker, walker.stepWrite - 1);
    EXPECT_EQ(r.out.stopX, twoBack.x);
    EXPECT_EQ(r.out.stopY, twoBack.y);
    EXPECT_EQ(r.out.stopDir, twoBack.direction);
    EXPECT_NE(r.out.stopY, lastFree.y);
}

TEST_F(CollisionTest, SteepRunAgainstASlantedEdgeSlidesSideways) {
    const CellPos cell = CellFromPixel(1400, 700);
    Flood(cell.column, cell.row, 1, 1);
    const int left = CellLineStartX(cell.column, cell.row, 0);
    const int top = kCellHeight * cell.row;
    struct Case {
        int dx;
        std::uint8_t hint;
    };
    // Going up steeply (direction 1) beside the cell's left edge, it slides left; beside its
    // right edge, right.
    for (const Case c : {Case{-42, 9}, Case{8, 3}}) {
        SCOPED_TRACE(c.dx);
        CollisionUnit& walker =
            placePerson(0, static_cast<float>(left + c.dx), static_cast<float>(top + 60), 1, 1);
        const RunResult r = Go(walker, staff->head, walker.x + 30, walker.y - 120);
        EXPECT_EQ(r.free, 0);
        EXPECT_EQ(r.out.kind, kHitSlide);
        EXPECT_EQ(r.out.hint, c.hint);
        // The slide starts from the last free step, which is free 2 px to that side too.
        const float side = c.hint == 9 ? -2.0f : 2.0f;
        EXPECT_EQ(TestCollision(594, walker, staff->head, r.out.stopX + side, r.out.stopY, 1, 0, 1,
                                nullptr),
                  0);
    }
}

TEST_F(CollisionTest, RunThatComesBackToAStepEndsAsACircle) {
    // Speed 11 steps in whole pixels: a car that must turn round a target inside its turning
    // circle drives a closed twelve-sided ring.
    car->head.speed = 11;
    CollisionUnit& cab = placeVehicle(0, kRoadX, kRoadY, 3);
    cab.speed = 11;
    RunResult r = Go(cab, car->head, kRoadX, kRoadY + 15);
    EXPECT_EQ(r.free, 0);
    EXPECT_EQ(r.out.kind, kRunContour);
    EXPECT_EQ(r.out.reason, kReasonCircleTargetFree);
    EXPECT_EQ(r.out.stopX, kRoadX + 7) << "back on its first step";
    EXPECT_EQ(r.out.stopY, kRoadY + 4);
    EXPECT_EQ(r.out.stopDir, 4);
    // With the target itself blocked for it.
    car->setBox({-5, -5, 5, 5});
    placeObject(0, 2, kRoadX - 4, kRoadY + 11);
    r = Go(cab, car->head, kRoadX, kRoadY + 15);
    EXPECT_EQ(r.out.kind, kRunContour);
    EXPECT_EQ(r.out.reason, kReasonCircle);
}

TEST_F(CollisionTest, RunWithoutEndRunsOutOfBudget) {
    // A target so far off that float steps stop moving long before it: the run would never
    // arrive nor repeat a step.
    car->head.speed = 200;
    CollisionUnit& cab = placeVehicle(0, kRoadX, kRoadY, 3);
    cab.speed = 200;
    const RunResult r = Go(cab, car->head, 1e12f, kRoadY);
    EXPECT_EQ(r.free, 0);
    EXPECT_EQ(r.out.kind, kRunContour);
    EXPECT_TRUE(r.out.reason == kReasonCircleTargetFree || r.out.reason == kReasonCircle);
    EXPECT_GT(r.out.stopX, 100000.0f) << "it went its whole budget";
}

// A car whose box reaches 40 px to the right once it turns from facing 0.
class ManoeuvreTest : public CollisionTest {
  protected:
    void SetUp() override {
        CollisionTest::SetUp();
        car->setBox({-5, -20, 40, 20});
        car->setBox(0, {-5, -20, 5, 20});
        car->head.shortcutBackSteps = 10;
    }
    CollisionUnit& cab() { return vehicles[0]; }
};

TEST_F(ManoeuvreTest, BlockedWhileTurningStartsAManoeuvre) {
    // Facing 1 it reaches only 10 px: turning towards a target to the east, facing 1 is free,
    // facing 2 meets the object.
    car->setBox(1, {-5, -20, 10, 20});
    placeVehicle(0, kRoadX, kRoadY, 0);
    placeObject(0, 2, kRoadX + 30, kRoadY - 4);
    const RunResult r = Go(cab(), car->head, kRoadX + 200, kRoadY);
    EXPECT_EQ(r.free, 0);
    EXPECT_EQ(r.out.kind, kHitSonderObj | kRunTurning | kRunContour);
    EXPECT_EQ(r.out.reason, kReasonManoeuvreStarted);
    ASSERT_NE(cab().contour, nullptr);
    const ContourRecord& m = *cab().contour;
    EXPECT_EQ(m.startX, kRoadX) << "back to the batch's start when a way fails";
    EXPECT_EQ(m.direction, 1);
    EXPECT_EQ(m.wanted, ChooseStepDirection(cab(), car->head, m.x, m.y, 1, kRoadX + 200, kRoadY));
    EXPECT_EQ(r.out.stopX, m.x);
    EXPECT_EQ(r.out.stopDir, 1);
    // TestDirectPath leaves no manoeuvre and the mover flags as they were.
    cab().moverFlags = 4;
    LineRun out;
    TestDirectPath(kRoadX, kRoadY, 0, cab(), car->head, kRoadX + 200, kRoadY, out);
    EXPECT_EQ(cab().contour, nullptr);
    EXPECT_EQ(cab().moverFlags, 4);
}

TEST_F(ManoeuvreTest, EdgesForwardUntilItCanTurn) {
    placeVehicle(0, kRoadX, kRoadY, 0);
    placeObject(0, 2, kRoadX + 30, kRoadY - 4);
    CreateObstacleFollow(cab(), kRoadX, kRoadY, kRoadX, kRoadY, 0, 2, 0);
    ASSERT_EQ(cab().contour->state, 2) << "start and point the same";
    // Five steps of 5 px forward take its box facing 1 past the object, then it turns.
    for (int pass = 1; pass <= 5; ++pass) {
        const RunResult r = Go(cab(), car->head, kRoadX + 200, kRoadY);
        EXPECT_EQ(r.out.kind, kRunContour) << pass;
        EXPECT_EQ(r.out.reason, 0) << "still under way";
        EXPECT_EQ(r.out.stopY, kRoadY - 5.0f * static_cast<float>(pass));
    }
    const RunResult r = Go(cab(), car->head, kRoadX + 200, kRoadY);
    EXPECT_EQ(r.out.reason, kReasonTurnedAhead);
    EXPECT_EQ(r.out.stopDir, 1);
    EXPECT_EQ(r.out.moveDir, 0) << "it edged forward facing as it stood";
    EXPECT_EQ(cab().contour, nullptr) << "done with";
}

// The path search lays the edging forward as a move that keeps the facing the car drives with:
// a facing it has not turned to yet would drop the move at once, and the search would lay the
// same move again every tick while the car stood still.
TEST_F(ManoeuvreTest, EdgingForwardKeepsTheFacingItDrivesWith) {
    placeVehicle(0, kRoadX, kRoadY, 0);
    placeObject(0, 2, kRoadX + 30, kRoadY - 4);
    AppendMoveBefehl(cab(), kOpMove, kRoadX + 200, kRoadY, 0, 0, 0);
    std::uint8_t result = 0;
    for (int tick = 0; tick < 100 && result == 0; ++tick) {
        BeginSearcherTick();
        result = FindPath(cab(), car->head);
    }
    ASSERT_EQ(result, 1);
    const Befehl* forward = cab().orders;
    while (forward != nullptr && (forward->flags & kBefehlKeepFacing) == 0) forward = forward->next;
    ASSERT_NE(forward, nullptr) << "edges forward before it turns";
    EXPECT_EQ(forward->opcode, kOpMove);
    EXPECT_LT(forward->bFloat(), kRoadY);
    EXPECT_EQ(forward->e, 0u);
    ASSERT_NE(forward->next, nullptr);
    EXPECT_EQ(forward->next->opcode, kOpTurn) << "then turns where it stopped";
    ClearBefehle(cab());
}

TEST_F(ManoeuvreTest, BacksUpWhenForwardIsBlockedToo) {
    placeVehicle(0, kRoadX, kRoadY, 0);
    placeObject(0, 2, kRoadX + 30, kRoadY - 4);
    placeObject(1, 2, kRoadX - 2, kRoadY - 30);
    CreateObstacleFollow(cab(), kRoadX, kRoadY, kRoadX, kRoadY, 0, 2, 0);
    int passes = 0;
    RunResult r;
    do {
        r = Go(cab(), car->head, kRoadX + 200, kRoadY);
    } while (r.out.reason == 0 && ++passes < 20);
    EXPECT_EQ(r.out.reason, kReasonTurnedBack);
    EXPECT_GT(r.out.stopY, kRoadY) << "turned below where it stood";
    EXPECT_EQ(passes, 6) << "forward blocked once, then five steps back";
}

TEST_F(ManoeuvreTest, TurnResultsByState) {
    struct Case {
        std::uint8_t state;
        std::int8_t counter;
        std::uint16_t reason;
        bool kept;
    };
    const Case cases[] = {
        {2, 0, kReasonTurnedAtOnce, false}, {2, 3, kReasonTurnedAhead, false},
        {8, 1, kReasonTurnedAhead, false},  {3, -2, kReasonTurnedBack, false},
        {9, -1, kReasonTurnedBack, false},  {4, 0, kReasonTurnedAside, false},
        {5, 0, kReasonTurnedAside, false},  {6, 0, kReasonTurnedFar, true},
        {7, 0, kReasonTurnedFar, true},
    };
    placeVehicle(0, kRoadX, kRoadY, 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.state));
        CreateObstacleFollow(cab(), kRoadX, kRoadY, kRoadX, kRoadY, 0, 2, 0);
        cab().contour->state = c.state;
        cab().contour->counter = c.counter;
        const RunResult r = Go(cab(), car->head, kRoadX + 200, kRoadY);
        EXPECT_EQ(r.out.reason, c.reason);
        EXPECT_EQ(cab().contour != nullptr, c.kept);
        if (c.kept) {
            // Marked finished: the next run ends it.
            const RunResult next = Go(cab(), car->head, kRoadX + 200, kRoadY);
            EXPECT_EQ(next.out.reason, kReasonTurnedAside);
            EXPECT_EQ(cab().contour, nullptr);
        }
    }
}

TEST_F(ManoeuvreTest, BoxedInTriesEveryWayThenGivesUp) {
    placeVehicle(0, kRoadX, kRoadY, 0);
    placeObject(0, 3, kRoadX - 50, kRoadY - 50);  // 100 px square all round
    for (const std::uint8_t flags : {std::uint8_t{0}, kContourTurnThrough}) {
        SCOPED_TRACE(static_cast<int>(flags));
        CreateObstacleFollow(cab(), kRoadX, kRoadY, kRoadX, kRoadY, 0, 2, flags);
        RunResult r;
        for (int pass = 1; pass <= 7; ++pass) {
            r = Go(cab(), car->head, kRoadX + 200, kRoadY);
            EXPECT_EQ(r.out.reason, 0) << pass;
        }
        EXPECT_EQ(cab().contour->state, 9);
        r = Go(cab(), car->head, kRoadX + 200, kRoadY);
        if (flags == 0) {
            EXPECT_EQ(r.out.reason, kReasonManoeuvreFailed);
            EXPECT_NE(cab().contour, nullptr);
            FreeContourRecord(cab());
        } else {
            EXPECT_EQ(r.out.reason, kReasonCircle) << "dropped";
            EXPECT_EQ(cab().contour, nullptr);
        }
    }
}

}  // namespace
}  // namespace kv::test
