// The waypoint shortcut window: which orders it passes through or ends at, how its end moves on,
// and the shortcut itself: orders between removed, the end started, and a turn put in where the
// straight line arrives facing otherwise than the end wants.

#include <gtest/gtest.h>

#include <vector>

#include "movement/befehl_queue.h"
#include "movement/collision.h"
#include "movement/collision_fixture.h"

namespace kv::test {
namespace {

constexpr std::uint8_t kWaypoint = kBefehlDone | kBefehlStarted;

Befehl Order(std::uint8_t opcode, std::uint8_t flags) {
    Befehl b;
    b.opcode = opcode;
    b.flags = flags;
    return b;
}

TEST(ShortcutWindow, ClassesOfOrders) {
    struct Case {
        std::uint8_t opcode;
        std::uint8_t flags;
        std::uint8_t expected;
    };
    constexpr Case kCases[] = {
        {0, 0, kShortcutStop},        {0, 1, kShortcutWaypoint},   {11, 3, kShortcutWaypoint},
        {54, 1, kShortcutWaypoint},   {159, 1, kShortcutWaypoint}, {0, 1 | 8, kShortcutPass},
        {159, 1 | 16, kShortcutPass}, {1, 0, kShortcutPass},       {3, 0, kShortcutPass},
        {4, 0, kShortcutPass},        {6, 0, kShortcutPass},       {12, 0, kShortcutPass},
        {2, 1, kShortcutStop},        {55, 1, kShortcutStop},      {47, 1, kShortcutStop},
    };
    for (const Case& c : kCases) {
        const Befehl b = Order(c.opcode, c.flags);
        EXPECT_EQ(ClassifyShortcutOrder(&b), c.expected) << int{c.opcode} << "/" << int{c.flags};
    }
    EXPECT_EQ(ClassifyShortcutOrder(nullptr), kShortcutStop);
}

TEST(ShortcutWindow, EndMovesOverMarkersAndWhatBelongsToATurn) {
    // A waypoint steps to the next order, over a callback marker behind it.
    std::vector<Befehl> q = {Order(0, 1), Order(6, 0), Order(0, 1)};
    q[0].next = &q[1];
    q[1].next = &q[2];
    EXPECT_EQ(AdvanceShortcutWindow(&q[0]), &q[2]);
    EXPECT_EQ(AdvanceShortcutWindow(&q[2]), nullptr);
    EXPECT_EQ(AdvanceShortcutWindow(nullptr), nullptr);
    // A turn steps over the order after it when that belongs to it: an aimed move, one that keeps
    // its facing, a straight move.
    struct Case {
        Befehl after;
        bool skipped;
    };
    const Case cases[] = {{Order(0, 16), true}, {Order(0, 1), false}, {Order(159, 8), true},
                          {Order(3, 0), true},  {Order(4, 0), true},  {Order(159, 16), false},
                          {Order(12, 0), false}};
    for (const Case& c : cases) {
        std::vector<Befehl> t = {Order(1, 0), c.after, Order(0, 1)};
        t[0].next = &t[1];
        t[1].next = &t[2];
        EXPECT_EQ(AdvanceShortcutWindow(&t[0]), c.skipped ? &t[2] : &t[1])
            << int{c.after.opcode} << "/" << int{c.after.flags};
    }
}

class ShortcutTest : public CollisionTest {
  protected:
    // A walker at the meadow with the orders a path search lays: its own point, a turn there,
    // two waypoints east of it, then an action.
    CollisionUnit& layPath(std::int8_t firstFacing) {
        CollisionUnit& w = placePerson(0, kMeadowX, kMeadowY, 3, 1);
        staff->head.shortcutBackSteps = 2;
        AppendMoveBefehl(w, 11, kMeadowX, kMeadowY, 0, 0, 0, kBefehlDone, 3);
        AppendTurnBefehl(w, 1, kMeadowX, kMeadowY, 3, 0, 1, kWaypoint);
        AppendMoveBefehl(w, 0, kMeadowX + 60, kMeadowY, 0, 0, 0, kWaypoint, firstFacing);
        AppendMoveBefehl(w, 0, kMeadowX + 120, kMeadowY, 0, 0, 0, kWaypoint, 3);
        AppendBefehl(w, 55, 0, 0, 0, 0, 1);
        return w;
    }
    static std::vector<std::uint8_t> Opcodes(const UnitHead& u) {
        std::vector<std::uint8_t> ops;
        for (const Befehl* o = u.orders; o != nullptr; o = o->next) ops.push_back(o->opcode);
        return ops;
    }
};

TEST_F(ShortcutTest, FreeLineRemovesTheOrdersBetweenAndStartsTheEnd) {
    CollisionUnit& w = layPath(3);
    Befehl* head = w.orders;
    Befehl* first = head->next->next;
    StartWaypointShortcut(w, staff->head);
    EXPECT_EQ(w.shortcutFirst, head);
    EXPECT_EQ(w.shortcutLast, first) << "past the turn to the first waypoint";
    EXPECT_EQ(w.stepMarker, kNoBackOff);
    const float x = w.x;
    ShortcutWaypoints(w, staff->head);
    EXPECT_EQ(Opcodes(w), (std::vector<std::uint8_t>{11, 0, 0, 55})) << "the turn is gone";
    EXPECT_NE(first->flags & kBefehlStarted, 0);
    EXPECT_EQ(w.x, x) << "the unit itself stays";
    // The window slid on: from the first waypoint to the second.
    EXPECT_EQ(w.shortcutFirst, first);
    EXPECT_EQ(w.shortcutLast, first->next);
    ClearBefehle(w);
}

TEST_F(ShortcutTest, ArrivingFacingOtherwiseInsertsAPlaceOrder) {
    CollisionUnit& w = layPath(6);  // the first waypoint wants facing 6; the line arrives facing 3
    Befehl* first = w.orders->next->next;
    StartWaypointShortcut(w, staff->head);
    ShortcutWaypoints(w, staff->head);
    EXPECT_EQ(Opcodes(w), (std::vector<std::uint8_t>{11, 0, 12, 0, 55}));
    const Befehl& place = *first->next;
    EXPECT_EQ(place.aFloat(), kMeadowX + 60);
    EXPECT_EQ(place.bFloat(), kMeadowY);
    EXPECT_EQ(place.cInt(), 6);
    EXPECT_EQ(place.flags, kWaypoint) << "bits 0 and 1 copied from the end";
    ClearBefehle(w);
    // An extra byte that names no direction wants no facing.
    CollisionUnit& v = layPath(-1);
    StartWaypointShortcut(v, staff->head);
    ShortcutWaypoints(v, staff->head);
    EXPECT_EQ(Opcodes(v), (std::vector<std::uint8_t>{11, 0, 0, 55}));
    ClearBefehle(v);
}

TEST_F(ShortcutTest, BlockedLineKeepsTheOrdersAndBacksOff) {
    CollisionUnit& w = layPath(3);
    placeObject(0, 1, kMeadowX + 30, kMeadowY - 20);  // 40 px square across the line
    StartWaypointShortcut(w, staff->head);
    ShortcutWaypoints(w, staff->head);
    EXPECT_EQ(Opcodes(w), (std::vector<std::uint8_t>{11, 1, 0, 0, 55}));
    EXPECT_EQ(w.shortcutLast, w.shortcutFirst) << "the window shut";
    EXPECT_EQ(w.stepMarker, 3) << "the direction of the run two steps back";
    // With a back-off direction set, a new window opens without looking.
    StartWaypointShortcut(w, staff->head);
    EXPECT_NE(w.shortcutLast, w.shortcutFirst);
    ClearBefehle(w);
}

TEST_F(ShortcutTest, WindowStaysShutBeforeAnOrderItCannotEndAt) {
    CollisionUnit& w = placePerson(0, kMeadowX, kMeadowY, 3, 1);
    AppendMoveBefehl(w, 0, kMeadowX + 60, kMeadowY, 0, 0, 0, kWaypoint, 3);
    AppendTurnBefehl(w, 1, kMeadowX + 60, kMeadowY, 6, 0, 1, kWaypoint);
    AppendBefehl(w, 55, 0, 0, 0, 0, 1);
    StartWaypointShortcut(w, staff->head);
    EXPECT_EQ(w.shortcutFirst, w.orders);
    EXPECT_EQ(w.shortcutLast, w.orders) << "an action holds no point to go straight to";
    ShortcutWaypoints(w, staff->head);
    EXPECT_EQ(Opcodes(w), (std::vector<std::uint8_t>{0, 1, 55}));
    ClearBefehle(w);
    // A head the window cannot start at: start and end both there.
    AppendBefehl(w, 55, 0, 0, 0, 0, 1);
    StartWaypointShortcut(w, staff->head);
    EXPECT_EQ(w.shortcutFirst, w.orders);
    EXPECT_EQ(w.shortcutLast, w.orders);
    ClearBefehle(w);
}

}  // namespace
}  // namespace kv::test
