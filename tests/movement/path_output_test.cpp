// Laying a found path as orders: the order each kind of point becomes, markers for order 5, the
// forms of orders 54 and 159, loops and tails cut out; and a vehicle going round a blocked road
// route waypoint.

#include "movement/path_output.h"

#include <gtest/gtest.h>

#include <bit>

#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/path_fixture.h"
#include "movement/path_search.h"
#include "movement/route.h"
#include "movement/route_driving.h"
#include "movement/searching_movers.h"
#include "movement/stepping.h"
#include "world/level_map.h"

namespace kv::test {
namespace {

using pathworld::PathWorld;
using pathworld::WorldUnit;

constexpr int kStarted = kBefehlStarted;

// A search record holding a tree made by hand, as the search would leave it.
class HandTree {
  public:
    HandTree(UnitHead& unit, GoalList goals, std::uint8_t result = 0) : unit_(unit) {
        auto* search = new PathSearch;
        search->open = NewQueue();
        search->tree = new PathTree;
        search->tree->goals = std::move(goals);
        search->result = result;
        root_ = new PathNode;
        root_->x = unit.x;
        root_->y = unit.y;
        root_->dir = static_cast<std::uint8_t>(unit.direction);
        search->tree->root = root_;
        search->tree->count = 1;
        unit.pathSearch = search;
    }
    ~HandTree() { FreePathSearch(unit_); }
    HandTree(const HandTree&) = delete;
    HandTree& operator=(const HandTree&) = delete;

    PathNode* root() { return root_; }
    // A node below the last one added.
    PathNode* add(float x, float y, std::uint8_t dir, std::uint16_t flags = 0) {
        last_ = AddFirstChild(unit_.pathSearch->tree, last_ != nullptr ? last_ : root_, x, y, dir,
                              0, flags, 0);
        return last_;
    }
    PathNode* addExt(float x, float y, std::uint8_t dir, std::uint16_t flags, float ox, float oy) {
        last_ = AddFirstChildExt(unit_.pathSearch->tree, last_ != nullptr ? last_ : root_, x, y,
                                 dir, 0, flags, 0, ox, oy);
        return last_;
    }

  private:
    UnitHead& unit_;
    PathNode* root_ = nullptr;
    PathNode* last_ = nullptr;
};

class PathOutputTest : public PathTest {};

TEST_F(PathOutputTest, EachKindOfPointBecomesItsOrder) {
    PathWorld& w = flat();
    WorldUnit& p = w.addPerson(100, 100, 4);
    AppendMoveBefehl(p, kOpMove, 700, 700, 0, 0, 0);
    AppendBefehl(p, kOpWait, 9, 0, 0, 0, 0);
    {
        HandTree t(p, {{700, 700}});
        t.add(150, 100, 3);
        t.add(200, 100, 3, kNodeForward);
        t.add(250, 100, 3, kNodeBackward);
        PathNode* straight = t.add(300, 100, 3, kNodeStraightMove);
        straight->turnDir = 5;
        t.add(300, 100, 6, kNodeTurn);
        t.addExt(350, 150, 4, kNodeBackOff, 400, 160);
        PathNode* corner = t.add(400, 200, 4, kNodeContourCorner | kNodeChainNext);
        AddSecondChild(p.pathSearch->tree, corner, 460, 250, 0, 0, 0, 0);
        t.add(450, 250, 2, kNodePlaceAtEnd);
        t.add(500, 300, 7, kNodePlace);
        t.add(550, 350, 4, kNodeCarried);
        t.add(600, 400, 4, kNodeBandEnd);
        t.add(650, 450, 4)->dir |= kNodeCopy;              // a copy: nothing
        t.add(680, 480, 4, kNodeForward | kNodeBackward);  // no order of its own
        PathNode* end = t.add(700, 700, 4);
        BuildPathWaypoints(kPathToReached, p, end);
    }
    const std::vector<QueuedOrder> q = Queue(p);
    struct Want {
        int opcode;
        float a;
        float b;
        float c;
        float d;
        int flags;
    };
    const std::vector<Want> want = {
        {11, 100, 100, 0, 0, kBefehlDone},
        {kOpMove, 150, 100, 0, 0, kStarted | 1},
        {kOpMove, 200, 100, 0, 0, kStarted | 9},
        {kOpMoveBackwards, 250, 100, 0, 0, kStarted | 9},
        {kOpStraight, 300, 100, 0, 0, kStarted | 1},
        {kOpTurn, 300, 100, 0, 0, kStarted | 1},
        {kOpMove, 400, 160, 350, 150, kStarted | 0x11},
        {kOpMove, 460, 250, 400, 200, kStarted | 0x11},
        {kOpPlace, 450, 250, 0, 0, kStarted | 1},
        {kOpPlace, 500, 300, 0, 0, kStarted | 1},
        {kOpMove, 550, 350, 0, 0, 0x80 | kStarted | 1},
        {kOpMove, 600, 400, 0, 0, 1},
        {kOpMove, 700, 700, 0, 0, kBefehlFreePath | kStarted},
        {kOpWait, 0, 0, 0, 0, 0},
    };
    ASSERT_EQ(q.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
        if (want[i].opcode == kOpWait) break;
        EXPECT_EQ(q[i].opcode, want[i].opcode) << i;
        EXPECT_EQ(q[i].a, want[i].a) << i;
        EXPECT_EQ(q[i].b, want[i].b) << i;
        if (want[i].opcode == kOpMove) {
            EXPECT_EQ(q[i].c, want[i].c) << i;
            EXPECT_EQ(q[i].d, want[i].d) << i;
        }
        EXPECT_EQ(q[i].flags, want[i].flags) << i;
    }
    // Directions: in e for the facing moves, in c for straight moves, turns and placings, in the
    // extra byte of plain waypoints; op 11 carries the unit's.
    EXPECT_EQ(q[0].extra, 4);
    EXPECT_EQ(q[1].extra, 3);
    EXPECT_EQ(q[2].e, 3u);
    EXPECT_EQ(q[4].cInt, 5);
    EXPECT_EQ(q[5].cInt, 6);
    EXPECT_EQ(q[8].cInt, 2);
    EXPECT_EQ(q[9].cInt, 7);
}

TEST_F(PathOutputTest, OrdersFiveFiftyFourAndOneFiftyNineLayTheirOwnForms) {
    PathWorld& w = flat();
    WorldUnit& p = w.addPerson(100, 100, 3);
    const auto lay = [&](std::uint8_t mode, std::uint8_t result = 0) {
        HandTree t(p, {{500, 100}}, result);
        t.add(300, 100, 3);
        t.add(400, 100, 3, kNodePlace);
        BuildPathWaypoints(mode, p, t.add(500, 100, 3));
    };
    // Order 5: the callback marker behind every plain waypoint, placing and the end.
    AppendBefehl(p, kOpGoalsCallback, GoalList{{500, 100}}, 7, 0x00640032, 0x00090004);
    lay(kPathToReached);
    std::vector<QueuedOrder> q = Queue(p);
    const std::vector<int> ops = {11, kOpMove, kOpFollow, kOpPlace, kOpFollow, kOpMove, kOpFollow};
    ASSERT_EQ(q.size(), ops.size());
    for (std::size_t i = 0; i < ops.size(); ++i) EXPECT_EQ(q[i].opcode, ops[i]) << i;
    for (const std::size_t i : {2u, 4u, 6u}) {
        const Befehl* o = p.orders;
        for (std::size_t k = 0; k < i; ++k) o = o->next;
        EXPECT_EQ(o->aInt(), 0x00640032);  // the order's d, its c and its e
        EXPECT_EQ(o->bInt(), 7);
        EXPECT_EQ(o->cInt(), 0x00090004);
        EXPECT_EQ(o->flags, 0);
        EXPECT_EQ(o->extra, -1);
    }
    ClearBefehle(p);

    // Order 54: every waypoint is a route leg with the final target.
    AppendBefehl54(p, kOpRouteLeg, 500, 100, 0, 0, 0, kBefehlRouteLeg, -1, 900, 950);
    lay(kPathToReached);
    q = Queue(p);
    ASSERT_EQ(q.size(), 4u);
    EXPECT_EQ(q[1].opcode, kOpRouteLeg);
    EXPECT_EQ(q[1].flags, kStarted | 1);
    EXPECT_EQ(p.orders->next->finalX, 900.0f);
    EXPECT_EQ(q[3].opcode, kOpRouteLeg);
    EXPECT_EQ(q[3].flags, kBefehlFreePath | kStarted | kBefehlRouteLeg);  // still a route leg
    EXPECT_EQ(p.orders->next->next->next->finalY, 950.0f);
    ClearBefehle(p);

    // Order 159 passes its target on; a short end leaves out the free-path flag.
    AppendBefehl(p, 159, 500, 100, 0, 0, 3);
    lay(kPathToFallback, kPathShort);
    q = Queue(p);
    ASSERT_EQ(q.size(), 4u);
    EXPECT_EQ(q[1].opcode, 159);
    EXPECT_EQ(q[1].e, 3u);
    EXPECT_EQ(q[3].opcode, 159);
    EXPECT_EQ(q[3].flags, kStarted);
    ClearBefehle(p);

    // A partial path leaves the order behind its waypoints.
    AppendMoveBefehl(p, kOpMove, 500, 100, 0, 0, 0);
    p.moverFlags |= kMoverPartialPath;
    lay(kPathToReached);
    q = Queue(p);
    ASSERT_EQ(q.size(), 5u);
    EXPECT_EQ(q[4].opcode, kOpMove);
    EXPECT_EQ(q[4].flags, 0);
}

TEST_F(PathOutputTest, NothingIsLaidForASplitNodeOrTheRoot) {
    PathWorld& w = flat();
    WorldUnit& p = w.addPerson(100, 100, 3);
    AppendMoveBefehl(p, kOpMove, 100, 100, 0, 0, 0);
    {
        HandTree t(p, {{100, 100}});
        t.root()->kind = kNodeSplit;
        BuildPathWaypoints(kPathToReached, p, t.root());
        EXPECT_EQ(Queue(p).size(), 1u);
        t.root()->kind = 0;
        BuildPathWaypoints(kPathToReached, p, t.root());
    }
    EXPECT_TRUE(Queue(p).empty());  // the order went, and nothing was laid
}

TEST_F(PathOutputTest, LoopsArePlacedOn) {
    const auto entries = [](std::initializer_list<std::pair<float, float>> points) {
        PathEntries e;
        for (const auto& [x, y] : points) {
            PathNode n;
            n.x = x;
            n.y = y;
            n.dir = 3 | kNodeCopy;
            n.kind = 5;
            e.push_back({nullptr, n});
        }
        return e;
    };
    // Back within 35 px of the start after 109 px of way: the loop goes.
    PathEntries e = entries({{0, 0}, {40, 0}, {40, 30}, {10, 5}});
    CutPathLoops(e);
    ASSERT_EQ(e.size(), 2u);
    EXPECT_EQ(e[1].copy.x, 10.0f);
    EXPECT_EQ(e[1].copy.flags, kNodePlace);
    EXPECT_EQ(e[1].copy.dir, 3);
    EXPECT_EQ(e[1].copy.kind, 0);
    // A way not 1.5 times as long stays.
    e = entries({{0, 0}, {20, 0}, {30, 10}, {30, 20}});
    CutPathLoops(e);
    EXPECT_EQ(e.size(), 4u);
    // Back onto the very point.
    e = entries({{0, 0}, {50, 0}, {50, 50}, {0, 0}});
    CutPathLoops(e);
    EXPECT_EQ(e.size(), 2u);
    // A multi-goal start is never cut to.
    e = entries({{0, 0}, {100, 0}, {100, 30}, {10, 5}});
    e[0].copy.kind = kNodeSplit;
    CutPathLoops(e);
    EXPECT_EQ(e.size(), 4u);
}

TEST_F(PathOutputTest, AShortPathLosesAFruitlessTail) {
    PathWorld& w = flat();
    WorldUnit& v = w.addVehicle(100, 100, 3);
    struct Case {
        const char* what;
        std::vector<std::pair<float, float>> points;
        std::uint16_t flagsBeforeEnd;
        std::size_t left;
    };
    // The end lies 30 px from the start after a way round of far more than 5 x 30 px.
    const std::vector<Case> cases = {
        {"long way round", {{100, 100}, {100, 300}, {250, 300}, {250, 100}, {130, 100}}, 0, 1},
        {"nearly straight", {{100, 100}, {200, 100}, {300, 120}, {400, 100}}, 0, 4},
        {"the end is 200 px or more away", {{100, 100}, {100, 500}, {300, 500}, {300, 100}}, 0, 4},
        {"standing on the end", {{100, 100}, {100, 300}, {300, 300}, {100, 100}}, 0, 1},
        {"no plain entry before the end",
         {{100, 100}, {100, 300}, {250, 300}, {130, 100}},
         kNodeForward,
         4},
    };
    for (const Case& c : cases) {
        StartRoute(v);
        PathEntries e;
        for (const auto& [x, y] : c.points) {
            PathNode n;
            n.x = x;
            n.y = y;
            e.push_back({nullptr, n});
        }
        e[e.size() - 2].copy.flags = c.flagsBeforeEnd;
        // The end must still be its node.
        PathNode endNode = e.back().copy;
        e.back().node = &endNode;
        CutPathTail(v, e);
        EXPECT_EQ(e.size(), c.left) << c.what;
        EXPECT_EQ(v.route == nullptr, c.left < c.points.size()) << c.what;
        DropRoute(v);
    }
    // A changed end is left alone.
    PathEntries e;
    for (const auto& [x, y] : {std::pair{100.f, 100.f}, {100.f, 300.f}, {130.f, 100.f}}) {
        PathNode n;
        n.x = x;
        n.y = y;
        e.push_back({nullptr, n});
    }
    PathNode moved = e.back().copy;
    moved.x = 131;
    e.back().node = &moved;
    CutPathTail(v, e);
    EXPECT_EQ(e.size(), 3u);
}

TEST_F(PathOutputTest, IsContourCornerRepeatedLooksUpThroughContourNodesOnly) {
    PathWorld& w = flat();
    WorldUnit& p = w.addPerson(100, 100, 3);
    HandTree t(p, {{500, 500}});
    t.add(200, 100, 5, kNodeContourCorner);
    t.add(220, 100, 6, kNodeTurn);
    PathNode* n = t.add(240, 100, 6);
    EXPECT_TRUE(IsContourCornerRepeated(n, 200, 100, 5));
    EXPECT_FALSE(IsContourCornerRepeated(n, 200, 100, 6));
    EXPECT_FALSE(IsContourCornerRepeated(n, 201, 100, 5));
    // A plain node between ends the look.
    t.add(260, 100, 6);
    PathNode* m = t.add(280, 100, 6);
    EXPECT_FALSE(IsContourCornerRepeated(m, 200, 100, 5));
}

// A road along y = 400: nodes 0 (100), 1 (500), 2 (900), 3 (1300).
pathworld::MapPlan RoadPlan() {
    pathworld::MapPlan plan(60, 30);
    for (int i = 0; i < 4; ++i) {
        RoadNode n;
        n.x = static_cast<std::int16_t>(100 + 400 * i);
        n.y = 400;
        n.neighbour.fill(kNoNode);
        if (i > 0) n.neighbour[9] = static_cast<std::uint16_t>(i - 1);
        if (i < 3) n.neighbour[3] = static_cast<std::uint16_t>(i + 1);
        plan.level.nodes.push_back(n);
    }
    return plan;
}

constexpr RouteWaypoint kSentinel{kNoNode, 0, 0, 0};

class RejoinRouteTest : public PathTest {
  protected:
    // A vehicle at (150, 400) facing east on its way to (1300, 400) by road, its route laid
    // with the given lists and the leg to (500, 400) at the head.
    WorldUnit& onRoute(RouteWaypoints listA) {
        PathWorld& w = flat(RoadPlan());
        w.vehicleTyp.head.shortcutBackSteps = 3;
        WorldUnit& v = w.addVehicle(150, 400, 3);
        AppendMoveBefehl(v, kOpMove, 1300, 400, 0, 0, 0);
        StartRoute(v);
        v.route->links = {};
        v.route->listA = listA;
        v.route->listB = std::move(listA);
        PushMoveBefehl(v, kOpMove, 500, 400, 0, 0, 0, kBefehlRouteLeg);
        return v;
    }
};

TEST_F(RejoinRouteTest, ABlockedRouteWaypointIsGoneRoundOntoTheRoute) {
    WorldUnit& v =
        onRoute({{0, 100, 400, 0}, {1, 500, 400, 0}, {2, 900, 400, 0}, {3, 1300, 400, 1}});
    world->addVehicle(350, 400, 3);  // on the road before waypoint 1
    const std::vector<RoadNode> level = RoadNodes;
    RecountSearchers = 1;
    EXPECT_EQ(FindPath(v, world->vehicleTyp.head), 1);
    const std::vector<QueuedOrder> q = Queue(v);
    ASSERT_EQ(q.size(), 3u);
    // Back off a little, then to the goals beside the blockage and on, then the move again.
    EXPECT_EQ(q[0].opcode, kOpMove);
    EXPECT_EQ(q[0].flags, 0x33);
    EXPECT_EQ(q[0].a, 500.0f);
    EXPECT_EQ(q[0].b, 400.0f);
    EXPECT_EQ(q[0].d, 400.0f);
    EXPECT_LT(q[0].c, 300.0f);
    EXPECT_GT(q[0].c, 150.0f);
    EXPECT_EQ(q[1].opcode, kOpGoals);
    EXPECT_EQ(q[1].flags, 0x24);
    EXPECT_EQ(q[1].extra, -1);
    EXPECT_EQ(q[1].goals, 2u);
    EXPECT_EQ(q[2].opcode, kOpMove);
    EXPECT_EQ(q[2].a, 1300.0f);
    EXPECT_EQ(q[2].flags, 0);
    // The road 0-1 is cut from the route's own graph, not from the level's.
    EXPECT_EQ(FindRoadLink(v, 0, 1), -1);
    EXPECT_EQ(FindRoadLink(v, 1, 0), -1);
    EXPECT_EQ(FindRoadLink(v, 1, 2), 3);
    ASSERT_EQ(RoadNodes.size(), level.size());
    EXPECT_EQ(RoadNodes[0].neighbour, level[0].neighbour);
    EXPECT_EQ(v.pathSearch, nullptr);
}

TEST_F(RejoinRouteTest, BeforeTheFirstWaypointTheRouteIsPlannedAgain) {
    // The list still starts with its sentinel: the sentinel names no road to cut.
    WorldUnit& v = onRoute({kSentinel, {1, 500, 400, 0}, {2, 900, 400, 0}, {3, 1300, 400, 1}});
    world->addVehicle(350, 400, 3);
    RecountSearchers = 1;
    EXPECT_EQ(FindPath(v, world->vehicleTyp.head), 1);
    const std::vector<QueuedOrder> q = Queue(v);
    ASSERT_EQ(q.size(), 1u);
    EXPECT_EQ(q[0].opcode, kOpMove);
    EXPECT_EQ(q[0].a, 1300.0f);
    ASSERT_NE(v.route, nullptr);
    EXPECT_EQ(v.route->copyCount, 0);
    EXPECT_TRUE(v.route->listA.empty());
    EXPECT_TRUE(v.route->listB.empty());
    // Nothing left to drive: no rejoining.
    EXPECT_EQ(RejoinRoute(v, world->vehicleTyp.head, 300, 400, 290, 400, 500, 400), 0);
}

TEST_F(RejoinRouteTest, TheGoalMoveOfARejoiningVehicleFallsBackOnItsRoute) {
    WorldUnit& v = onRoute({{0, 100, 400, 0}, {1, 500, 400, 0}, {2, 900, 400, 0}});
    world->addVehicle(350, 400, 3);
    PopBefehl(v);
    PushBefehl(v, kOpGoals, GoalList{{600, 400}}, 0, 0, 0, 0x24);
    // One expansion: the run to the goal meets the parked vehicle.
    RecountSearchers = 0;
    SearchingMoverCount = 200;
    ASSERT_EQ(FindPath(v, world->vehicleTyp.head), 0);
    while (v.pathSearch != nullptr && QueuePop(v.pathSearch->open) != nullptr) {
    }
    // Its search found nothing: the road route's order comes back and the lists go.
    EXPECT_EQ(FindPath(v, world->vehicleTyp.head), 0);
    const std::vector<QueuedOrder> q = Queue(v);
    ASSERT_EQ(q.size(), 1u);
    EXPECT_EQ(q[0].a, 1300.0f);
    ASSERT_NE(v.route, nullptr);
    EXPECT_TRUE(v.route->listA.empty());
    EXPECT_EQ(v.moverFlags & (kMoverPathSearch | kMoverSearching), 0);
}

TEST_F(RejoinRouteTest, ACutTailTakesTheRouteAndItsNextLegWithIt) {
    WorldUnit& v = onRoute({{0, 100, 400, 0}, {1, 500, 400, 0}, {2, 900, 400, 0}});
    PopBefehl(v);
    PushBefehl(v, kOpGoals, GoalList{{200, 400}}, 0, 0, 0, 0x24);
    {
        // A short path that goes a long way round to end 50 px from the start.
        HandTree t(v, {{200, 400}}, kPathShort);
        t.add(150, 600, 6);
        t.add(400, 600, 3);
        t.add(400, 400, 0);
        BuildPathWaypoints(kPathToFallback, v, t.add(200, 400, 9));
    }
    EXPECT_EQ(v.route, nullptr);
    // The tail is gone and no leg of the dropped route was queued.
    const std::vector<QueuedOrder> q = Queue(v);
    ASSERT_EQ(q.size(), 1u);
    EXPECT_EQ(q[0].a, 1300.0f);
    EXPECT_EQ(q[0].flags, 0);
}

}  // namespace
}  // namespace kv::test
