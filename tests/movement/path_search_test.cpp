// The free path search: its shared budget, the paths it lays on a small flat map, the faults it
// must not have, and searches across the large map.

#include "movement/path_search.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>

#include "core/random.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/collision.h"
#include "movement/path_fixture.h"
#include "movement/searching_movers.h"
#include "movement/stepping.h"
#include "persons/gaffer_ziele.h"
#include "world/level_map.h"

namespace kv::test {
namespace {

using pathworld::MapPlan;
using pathworld::PathWorld;
using pathworld::WorldUnit;

// Flags of the laid waypoints: started, and free path plus started at the end.
constexpr int kWaypoint = kBefehlDone | kBefehlStarted;
constexpr int kPathEnd = kBefehlFreePath | kBefehlStarted;

bool InBox(float x, float y, int x1, int y1, int x2, int y2) {
    return x >= static_cast<float>(x1) && x <= static_cast<float>(x2) &&
           y >= static_cast<float>(y1) && y <= static_cast<float>(y2);
}

class PathSearchTest : public PathTest {};

TEST_F(PathSearchTest, BudgetIsSharedByTheSearchersOfATick) {
    struct Case {
        int searchers;
        int expansions;
    };
    // 256 searchers would wrap a byte to 0 and clear every search: the count holds at 255.
    for (const Case c :
         {Case{1, 45}, Case{3, 15}, Case{45, 1}, Case{46, 1}, Case{256, 1}, Case{300, 1}}) {
        PathWorld& w = flat(60, 50);
        pathworld::WallIn(w, 560, 700);
        WorldUnit& p = w.addPerson(60, 60, 3);
        AppendMoveBefehl(p, kOpMove, 560, 700, 0, 0, 0);
        // The others wait to start their moves, and count as searching.
        for (int i = 1; i < c.searchers; ++i)
            AppendMoveBefehl(w.addPerson(40, static_cast<float>(100 + i), 3), kOpMove, 50, 50, 0, 0,
                             0);
        BeginSearcherTick();
        EXPECT_EQ(FindPath(p, w.personTyp.head), 0) << c.searchers;
        EXPECT_EQ(SearchingMoverCount, std::min(c.searchers, 255)) << c.searchers;
        ASSERT_NE(p.pathSearch, nullptr) << c.searchers;
        EXPECT_EQ(p.pathSearch->expansions, c.expansions) << c.searchers;
        // The count holds for the rest of the tick.
        EXPECT_EQ(FindPath(p, w.personTyp.head), 0);
        EXPECT_EQ(p.pathSearch->expansions, 2 * c.expansions) << c.searchers;
    }
}

TEST_F(PathSearchTest, AroundAParkedVehicle) {
    PathWorld& w = flat();
    w.addVehicle(400, 400, 3);  // its box: 372..428 x 360..400
    WorldUnit& p = w.addPerson(250, 400, 3);
    AppendMoveBefehl(p, kOpMove, 550, 400, 0, 0, 0);
    std::uint8_t result = 0;
    search(p, w.personTyp.head, result);
    ASSERT_EQ(result, 1);
    const std::vector<QueuedOrder> q = Queue(p);
    ASSERT_GE(q.size(), 3u);
    EXPECT_EQ(q.front().opcode, 11);
    EXPECT_EQ(q.front().a, 250.0f);
    EXPECT_EQ(q.front().b, 400.0f);
    EXPECT_EQ(q.front().flags, kBefehlDone);
    EXPECT_EQ(q.back().opcode, kOpMove);
    EXPECT_EQ(q.back().a, 550.0f);
    EXPECT_EQ(q.back().b, 400.0f);
    EXPECT_EQ(q.back().flags, kPathEnd);
    // Every point on the way lies clear of the vehicle, the unit's margins included.
    for (std::size_t i = 1; i + 1 < q.size(); ++i) {
        const bool aimed = (q[i].flags & kBefehlUseCD) != 0;
        const float x = aimed ? q[i].c : q[i].a;
        const float y = aimed ? q[i].d : q[i].b;
        EXPECT_FALSE(InBox(x, y, 372 - 8, 360, 428 + 8, 400 + 22)) << i << ": " << x << "," << y;
    }
    EXPECT_EQ(p.pathSearch, nullptr);
    EXPECT_EQ(p.moverFlags & (kMoverPathSearch | kMoverPartialPath), 0);
}

TEST_F(PathSearchTest, GoalAtTheOwnPixelIsTriedFirst) {
    PathWorld& w = flat();
    WorldUnit& p = w.addPerson(200.6f, 300.2f, 3);
    AppendBefehl(p, kOpGoals, GoalList{{500, 300}, {600, 600}, {200, 300}, {100, 100}}, 0, 0, 0);
    std::uint8_t result = 0;
    search(p, w.personTyp.head, result);
    ASSERT_EQ(result, 1);
    const std::vector<QueuedOrder> q = Queue(p);
    ASSERT_EQ(q.size(), 2u);  // the goal list's order went
    EXPECT_EQ(q[0].opcode, 11);
    EXPECT_EQ(q[1].opcode, kOpMove);
    EXPECT_EQ(q[1].a, 200.0f);
    EXPECT_EQ(q[1].b, 300.0f);

    GoalList goals{{1, 2, 3}, {4, 5, 6}, {200, 300, 9}, {200, 300, 10}};
    goals[2].flags = 77;
    MoveReachedGoalFirst(goals, goals.size(), 200.9f, 300.9f);
    EXPECT_EQ(goals[0].x, 200.0f);
    EXPECT_EQ(goals[0].facing, 9);
    EXPECT_EQ(goals[0].flags, 0);  // the last byte stays
    EXPECT_EQ(goals[2].x, 1.0f);
    EXPECT_EQ(goals[2].facing, 3);
    EXPECT_EQ(goals[2].flags, 77);
    EXPECT_EQ(goals[3].facing, 10);  // nothing else moves
}

TEST_F(PathSearchTest, AllGoalsBlockedKeepsTheLastMovedToAFreePoint) {
    MapPlan plan(40, 30);
    plan.fill(18, 10, 6, 4, pathworld::kRock);  // x about 400..600, y 280..391
    PathWorld& w = flat(plan);
    WorldUnit& p = w.addPerson(200, 600, 3);
    const PixelPos inRock = CellHeatPoint(20, 11);
    AppendBefehl(p, kOpGoals,
                 GoalList{{static_cast<float>(inRock.x), static_cast<float>(inRock.y)},
                          {static_cast<float>(inRock.x) + 32, static_cast<float>(inRock.y)},
                          {static_cast<float>(inRock.x) + 64, static_cast<float>(inRock.y) + 28}},
                 0, 0, 0);
    std::uint8_t result = 0;
    search(p, w.personTyp.head, result);
    ASSERT_EQ(result, 1);
    const std::vector<QueuedOrder> q = Queue(p);
    ASSERT_GE(q.size(), 2u);
    // The path aims at a point near the last goal, off the rock, and ends in the short form
    // without the free-path end flag.
    const QueuedOrder& last = q.back();
    EXPECT_LE(std::hypot(last.a - (inRock.x + 64), last.b - (inRock.y + 28)), 87.0f);
    EXPECT_GT(std::hypot(last.a - (inRock.x + 64), last.b - (inRock.y + 28)), 0.0f);
    EXPECT_EQ(IsTargetBlocked(p, w.personTyp.head, last.a, last.b), 0);
    EXPECT_EQ(last.flags & kBefehlFreePath, 0);
}

TEST_F(PathSearchTest, ArrivalTurnsToTheGoalsFacing) {
    struct Case {
        std::uint8_t facing;
        bool turns;
    };
    // Bit 4 set: no facing. Low bits 12..15 name no direction either.
    for (const Case c : {Case{6, true}, Case{kGoalNoFacing | 6, false}, Case{13, false}}) {
        PathWorld& w = flat();
        WorldUnit& p = w.addPerson(200, 300, 3);
        AppendBefehl(p, kOpGoals, GoalList{{400, 300, c.facing}}, 0, 0, 0);
        std::uint8_t result = 0;
        search(p, w.personTyp.head, result);
        ASSERT_EQ(result, 1);
        const std::vector<QueuedOrder> q = Queue(p);
        ASSERT_EQ(q.size(), c.turns ? 3u : 2u) << int{c.facing};
        EXPECT_EQ(q[1].opcode, kOpMove);
        EXPECT_EQ(q[1].a, 400.0f);
        if (c.turns) {
            EXPECT_EQ(q[2].opcode, kOpTurn);
            EXPECT_EQ(q[2].cInt, 6);
            EXPECT_EQ(q[2].a, 400.0f);
        }
    }
}

TEST_F(PathSearchTest, ABlockedTurnAtTheGoalDropsTheFacing) {
    PathWorld& w = flat();
    // A vehicle long across (directions 2..4) and short along: turning to 3 at the goal meets the
    // object beside it.
    pathworld::WorldTyp& t = w.vehicleTyp;
    static std::array<AnimSlot, 2> wide;
    wide.fill(AnimSlot{1, 1, 50, 20, {0, 0, 100, 40}, nullptr});
    for (int d : {2, 3, 4}) t.head.dirAnims[static_cast<std::size_t>(d)] = wide.data();
    w.addObject(440, 425, 20, 20);
    WorldUnit& v = w.addVehicle(400, 650, 0);
    AppendBefehl(v, kOpGoals, GoalList{{400, 440, 3}}, 0, 0, 0);
    std::uint8_t result = 0;
    search(v, t.head, result);
    ASSERT_EQ(result, 1);
    const std::vector<QueuedOrder> q = Queue(v);
    ASSERT_GE(q.size(), 2u);
    for (const QueuedOrder& o : q) EXPECT_NE(o.opcode, kOpTurn);
    EXPECT_EQ(q.back().a, 400.0f);
    EXPECT_EQ(q.back().b, 440.0f);
}

TEST_F(PathSearchTest, ALoopBackToTheStartIsAPlacing) {
    PathWorld& w = flat();
    w.addObject(312, 260, 6, 60);  // a post between the unit and its goal 30 px on
    WorldUnit& p = w.addPerson(300, 300, 3);
    AppendMoveBefehl(p, kOpMove, 330, 300, 0, 0, 0);
    std::uint8_t result = 0;
    search(p, w.personTyp.head, result);
    ASSERT_EQ(result, 1);
    const std::vector<QueuedOrder> q = Queue(p);
    ASSERT_EQ(q.size(), 2u);
    EXPECT_EQ(q[0].opcode, 11);
    EXPECT_EQ(q[1].opcode, kOpPlace);
    EXPECT_EQ(q[1].a, 330.0f);
    EXPECT_EQ(q[1].b, 300.0f);
}

TEST_F(PathSearchTest, AWalledInGoalGetsAPartialPathAndThenNoSecond) {
    PathWorld& w = flat(60, 50);
    pathworld::WallIn(w, 560, 700);
    WorldUnit& p = w.addPerson(60, 60, 3);
    AppendMoveBefehl(p, kOpMove, 560, 700, 0, 0, 0);
    AppendBefehl(p, kOpWait, 5, 0, 0, 0, 0);
    std::uint8_t result = 0;
    search(p, w.personTyp.head, result);
    ASSERT_EQ(result, 1);
    EXPECT_NE(p.moverFlags & kMoverPartialPath, 0);
    const float partial = std::bit_cast<float>(p.moveSpare);
    EXPECT_GT(partial, 0.0f);
    EXPECT_LT(partial, std::hypot(560.0f - 60, 700.0f - 60));
    // The move order stays behind the path, which ends at the point nearest the goal.
    std::vector<QueuedOrder> q = Queue(p);
    ASSERT_GE(q.size(), 4u);
    EXPECT_EQ(q.front().opcode, 11);
    EXPECT_EQ(q[q.size() - 1].opcode, kOpWait);
    EXPECT_EQ(q[q.size() - 2].opcode, kOpMove);
    EXPECT_EQ(q[q.size() - 2].a, 560.0f);
    const QueuedOrder& end = q[q.size() - 3];
    const float endX = (end.flags & kBefehlUseCD) != 0 ? end.c : end.a;
    const float endY = (end.flags & kBefehlUseCD) != 0 ? end.d : end.b;
    EXPECT_NEAR(std::hypot(endX - 560, endY - 700), partial, 0.5f);

    // Kept from where it stands, the next search of the order gets no nearer and gives it up.
    while (p.orders->opcode != kOpMove || p.orders->next->opcode != kOpWait) PopBefehl(p);
    p.orders->flags = 0;
    search(p, w.personTyp.head, result);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(HeadBefehlOpcode(p), kOpWait);
    EXPECT_EQ(p.moverFlags & (kMoverPartialPath | kMoverPathSearch | kMoverSearching), 0);
}

TEST_F(PathSearchTest, OrdersWithoutAWayAreGivenUp) {
    PathWorld& w = flat();
    WorldUnit& p = w.addPerson(200, 300, 3);
    // A goal list without goals: the order goes, not a search that never ends.
    AppendBefehl(p, kOpGoals, GoalList{}, 0, 0, 0);
    AppendBefehl(p, kOpWait, 5, 0, 0, 0, 0);
    RecountSearchers = 1;
    EXPECT_EQ(FindPath(p, w.personTyp.head), 0);
    EXPECT_EQ(HeadBefehlOpcode(p), kOpWait);
    EXPECT_EQ(p.pathSearch, nullptr);
    EXPECT_EQ(p.moverFlags & (kMoverPathSearch | kMoverSearching), 0);

    // An onlooker's target that names none.
    GafferZiele = {{300, 300, 20}};
    for (const std::uint32_t e : {1u, 0xFFFFFFFFu}) {
        PopBefehl(p);
        AppendBefehl(p, 159, 300, 300, 0, 0, e);
        AppendBefehl(p, kOpWait, 5, 0, 0, 0, 0);
        RecountSearchers = 1;
        EXPECT_EQ(FindPath(p, w.personTyp.head), 0);
        EXPECT_EQ(HeadBefehlOpcode(p), kOpWait) << e;
    }
    // A good one: the target's point is the goal.
    PopBefehl(p);
    AppendBefehl(p, 159, 310, 320, 0, 0, 0);
    std::uint8_t result = 0;
    search(p, w.personTyp.head, result);
    ASSERT_EQ(result, 1);
    const std::vector<QueuedOrder> q = Queue(p);
    EXPECT_EQ(q.back().opcode, 159);
    EXPECT_EQ(q.back().a, 300.0f);
    EXPECT_EQ(q.back().e, 0u);

    // Any other head order clears the queue.
    AppendBefehl(p, kOpWait, 5, 0, 0, 0, 0);
    PushBefehl(p, kOpStraight, 300, 300, 0, 0, 0);
    RecountSearchers = 1;
    EXPECT_EQ(FindPath(p, w.personTyp.head), 0);
    EXPECT_EQ(p.orders, nullptr);
}

TEST_F(PathSearchTest, ASearchWithoutItsRecordStartsAgain) {
    PathWorld& w = flat();
    WorldUnit& p = w.addPerson(200, 300, 3);
    AppendMoveBefehl(p, kOpMove, 400, 300, 0, 0, 0);
    p.moverFlags = kMoverPathSearch;
    std::uint8_t result = 0;
    search(p, w.personTyp.head, result);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(Queue(p).back().a, 400.0f);
}

TEST_F(PathSearchTest, NoSearcherCountedClearsTheSearch) {
    PathWorld& w = flat();
    UnitHead stray;  // not in the unit arrays: nobody counts as searching
    stray.type = 1;
    stray.x = 200;
    stray.y = 300;
    stray.speed = w.personTyp.head.speed;
    AppendMoveBefehl(stray, kOpMove, 400, 300, 0, 0, 0);
    RecountSearchers = 1;
    EXPECT_EQ(FindPath(stray, w.personTyp.head), 0);
    EXPECT_EQ(stray.orders, nullptr);
    EXPECT_EQ(stray.pathSearch, nullptr);
}

TEST_F(PathSearchTest, AnEmptyOpenQueueOrTheCapEndsTheSearch) {
    PathWorld& w = flat(60, 50);
    pathworld::WallIn(w, 560, 700);
    WorldUnit& p = w.addPerson(60, 60, 3);
    AppendMoveBefehl(p, kOpMove, 560, 700, 0, 0, 0);
    BeginSearcherTick();
    ASSERT_EQ(FindPath(p, w.personTyp.head), 0);
    ASSERT_NE(p.pathSearch, nullptr);
    // Whatever emptied the queue, the next tick ends the search instead of waiting for ever.
    while (QueuePop(p.pathSearch->open) != nullptr) {
    }
    EXPECT_EQ(FindPath(p, w.personTyp.head), 1);
    EXPECT_EQ(p.pathSearch, nullptr);

    // A search that has expanded 4,096 nodes ends likewise.
    DiscardBefehle(p);
    p.moverFlags = 0;
    AppendMoveBefehl(p, kOpMove, 560, 700, 0, 0, 0);
    RecountSearchers = 1;
    ASSERT_EQ(FindPath(p, w.personTyp.head), 0);
    p.pathSearch->expansions = kPathExpansionCap - 1;
    EXPECT_EQ(FindPath(p, w.personTyp.head), 1);
    EXPECT_EQ(p.pathSearch, nullptr);
}

TEST_F(PathSearchTest, SlidesAlongAnEdgeStopAtTheNodeLimit) {
    MapPlan plan(40, 30);
    plan.fill(14, 6, 6, 10, pathworld::kRock);  // its left edge leans as direction 1 does
    PathWorld& w = flat(plan);
    WorldUnit& p = w.addPerson(160, 500, 1);
    AppendMoveBefehl(p, kOpMove, 310, 100, 0, 0, 0);
    // One expansion a call: the run up the edge slides 2 px aside and goes on from there.
    RecountSearchers = 0;
    SearchingMoverCount = 200;
    ASSERT_EQ(FindPath(p, w.personTyp.head), 0);
    ASSERT_NE(p.pathSearch, nullptr);
    const std::uint16_t grown = p.pathSearch->tree->count;
    EXPECT_GE(grown, 3);
    // Were the tree at the limit, the next slide would not grow it past: a partial path.
    p.pathSearch->tree->count = kPathNodeLimit;
    EXPECT_EQ(FindPath(p, w.personTyp.head), 1);
    EXPECT_NE(p.moverFlags & kMoverPartialPath, 0);
    EXPECT_EQ(HeadBefehlOpcode(p), 11);
}

TEST_F(PathSearchTest, SearchesAcrossTheLargeMapEndWithinAHundredTicks) {
    world = pathworld::BuildLargeMap(7);
    PathWorld& w = *world;
    SeedRandom(11);
    int atGoal = 0;
    for (int i = 0; i < 200; ++i) {
        const bool vehicle = i % 4 == 0;
        const UnitTypHead& type = vehicle ? w.vehicleTyp.head : w.personTyp.head;
        const pathworld::Trip t = pathworld::RandomTrip(w, type, 200, 1500);
        WorldUnit& u =
            vehicle ? w.addVehicle(t.fromX, t.fromY, 3) : w.addPerson(t.fromX, t.fromY, 3);
        AppendMoveBefehl(u, kOpMove, t.toX, t.toY, 0, 0, 0);
        std::uint8_t result = 0;
        const int ticks = search(u, type, result, 1000);
        EXPECT_LE(ticks, 100) << i;
        EXPECT_EQ(result, 1) << i;
        const std::vector<QueuedOrder> q = Queue(u);
        if (!q.empty() && q.back().a == t.toX && q.back().b == t.toY) ++atGoal;
        // Out of the way of the next.
        DiscardBefehle(u);
        u.type = -1;
        u.present = 0;
    }
    EXPECT_GT(atGoal, 100);
}

}  // namespace
}  // namespace kv::test
