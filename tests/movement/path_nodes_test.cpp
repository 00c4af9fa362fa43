// The search tree, the open queue, the met-obstacle lists, the searcher count and the road-node
// buffer.

#include "movement/path_nodes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "movement/searching_movers.h"
#include "movement/stepping.h"
#include "movement/unit_fixture.h"
#include "world/level_map.h"

namespace kv {
namespace {

// Frees whatever a test leaves in its tree and queue.
struct Search {
    Search() {
        tree.root = new PathNode;
        tree.count = 1;
    }
    ~Search() {
        FreePathSubtree(&tree, tree.root);
        FreeQueue(open);
    }
    Search(const Search&) = delete;
    Search& operator=(const Search&) = delete;
    PathNode* root() const { return tree.root; }
    std::vector<PathNode*> queued() const {
        std::vector<PathNode*> nodes;
        for (NodeQueueLink* l = open->first; l != nullptr; l = l->next) nodes.push_back(l->node);
        return nodes;
    }
    PathTree tree;
    NodeQueue* open = NewQueue();
};

TEST(PathNodes, ChildrenAndInsertedNodes) {
    Search s;
    s.root()->met = AddMetBlocker(nullptr, 2, 7, 0, 0, 1);
    PathNode* a = AddFirstChild(&s.tree, s.root(), 10, 20, 3, 1, 0x0002, 0);
    PathNode* b = AddSecondChildExt(&s.tree, s.root(), 30, 40, 128, 2, 0x0100, 1, 5, 6);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(s.tree.count, 3);
    EXPECT_EQ(s.root()->first, a);
    EXPECT_EQ(s.root()->second, b);
    EXPECT_EQ(a->parent, s.root());
    EXPECT_EQ(a->x, 10);
    EXPECT_EQ(a->dir, 3);
    EXPECT_EQ(a->kind, 1);
    EXPECT_EQ(a->flags, 0x0002);
    EXPECT_EQ(b->flags, 0x8100) << "the extended form is marked";
    EXPECT_EQ(b->origX, 5);
    EXPECT_EQ(b->goal, 1);
    // Children copy the parent's met list, as their own.
    ASSERT_NE(a->met, nullptr);
    EXPECT_NE(a->met, s.root()->met);
    EXPECT_EQ(a->met->index1, 7);

    // A node put between a and the root takes a's place; a becomes its first child.
    PathNode* c = InsertPathNode30(&s.tree, a, 11, 21, 4, 0, 0x0008, 0, 9);
    EXPECT_EQ(s.root()->first, c);
    EXPECT_EQ(c->parent, s.root());
    EXPECT_EQ(c->first, a);
    EXPECT_EQ(a->parent, c);
    EXPECT_EQ(c->turnDir, 9);
    EXPECT_EQ(c->met, nullptr);
    PathNode* d = InsertPathNodeExt(&s.tree, b, 31, 41, 0, 0, 0, 1, 1, 2);
    EXPECT_EQ(s.root()->second, d);
    EXPECT_EQ(d->flags, 0x8000);
    // Above the root: the new node becomes the root.
    PathNode* oldRoot = s.root();
    PathNode* top = InsertPathNode(&s.tree, oldRoot, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(s.tree.root, top);
    EXPECT_EQ(top->first, oldRoot);
    EXPECT_EQ(s.tree.count, 6);

    // a to c, c to the old root, the old root to the new one at the same point.
    EXPECT_NEAR(PathLengthToRoot(a), std::sqrt(2.0f) + std::sqrt(562.0f), 1e-4);

    FreePathSubtree(&s.tree, c);
    EXPECT_EQ(oldRoot->first, nullptr) << "taken out of its parent's slot";
    EXPECT_EQ(s.tree.count, 4);

    // Null arguments do nothing.
    EXPECT_EQ(AddFirstChild(nullptr, s.root(), 0, 0, 0, 0, 0, 0), nullptr);
    EXPECT_EQ(InsertPathNode(&s.tree, nullptr, 0, 0, 0, 0, 0, 0), nullptr);
    FreePathSubtree(&s.tree, nullptr);
    EXPECT_EQ(s.tree.count, 4);
}

TEST(PathNodes, SinglePathToRoot) {
    Search s;
    PathNode* a = AddFirstChild(&s.tree, s.root(), 1, 1, 0, 0, 0, 0);
    PathNode* b = AddSecondChild(&s.tree, s.root(), 2, 2, 0, 0, 0, 0);
    PathNode* a1 = AddFirstChild(&s.tree, a, 3, 3, 0, 0, 0, 0);
    EXPECT_FALSE(IsSinglePathToRoot(a1)) << "a has a live sibling";
    EXPECT_FALSE(IsSinglePathToRoot(b)) << "b is a second child beside a first";
    s.root()->flags = kNodeChainNext;  // the second child continues a detour chain
    EXPECT_TRUE(IsSinglePathToRoot(a1));
    EXPECT_FALSE(IsSinglePathToRoot(b));
    EXPECT_TRUE(IsSinglePathToRoot(s.root()));
    EXPECT_FALSE(IsSinglePathToRoot(nullptr));
}

TEST(PathNodes, FanOutSplitsGoalsInHalves) {
    Search s;
    s.root()->dir = 3;
    FanOutPathNode(&s.tree, s.open, s.root(), 5);
    // 5 -> 2 + 3, 3 -> 1 + 2: the parts serving one or two goals are queued, in goal order.
    PathNode* left = s.root()->first;
    PathNode* right = s.root()->second;
    ASSERT_NE(left, nullptr);
    ASSERT_NE(right, nullptr);
    EXPECT_EQ(left->dir, 3 | kNodeCopy);
    EXPECT_EQ(left->kind, kNodeSplit);
    EXPECT_EQ(left->flags, 0);
    EXPECT_EQ(right->first->dir, 3 | kNodeCopy);
    const std::vector<PathNode*> expected = {left, right->first, right->second};
    EXPECT_EQ(s.queued(), expected);
    EXPECT_EQ(s.tree.count, 5);

    // Two goals or fewer: the node itself is queued.
    Search two;
    FanOutPathNode(&two.tree, two.open, two.root(), 2);
    EXPECT_EQ(two.queued(), std::vector<PathNode*>{two.root()});
    EXPECT_EQ(two.tree.count, 1);

    // 255 goals split into 255 nodes; their goal children take the count past a byte.
    Search many;
    FanOutPathNode(&many.tree, many.open, many.root(), 255);
    EXPECT_EQ(many.tree.count, 255);
    EXPECT_EQ(many.open->count, 128);
    for (PathNode* n : many.queued()) AddFirstChild(&many.tree, n, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(many.tree.count, 383);
}

TEST(PathNodes, PruneRemovesADeadBranch) {
    // root -> a -> a1 (dead end); a -> b (live second): the walk stops at a.
    Search s;
    PathNode* a = AddFirstChild(&s.tree, s.root(), 1, 1, 0, 0, 0, 0);
    PathNode* a1 = AddFirstChild(&s.tree, a, 2, 2, 0, 0, 0, 0);
    PathNode* b = AddSecondChild(&s.tree, a, 3, 3, 0, 0, 0, 0);
    PathNode* best = a1;
    std::uint8_t pruned = 0;
    EXPECT_EQ(PruneDeadBranch(&s.tree, a1, best, pruned), a);
    EXPECT_EQ(a->first, nullptr);
    EXPECT_EQ(a->second, b);
    EXPECT_EQ(best, nullptr) << "the best node went with the branch";
    EXPECT_EQ(pruned, 0);
    EXPECT_EQ(s.tree.count, 3);

    // Up to a bare best node: it stays, marked as pruned.
    best = a;
    EXPECT_EQ(PruneDeadBranch(&s.tree, b, best, pruned), a);
    EXPECT_EQ(best, a);
    EXPECT_EQ(pruned, 1);
    EXPECT_EQ(s.tree.count, 2);

    // Without a best node the walk reaches the root and the tree is gone.
    best = nullptr;
    pruned = 0;
    EXPECT_EQ(PruneDeadBranch(&s.tree, a, best, pruned), nullptr);
    EXPECT_EQ(s.tree.root, nullptr);
    EXPECT_EQ(s.tree.count, 0);
}

TEST(PathNodes, PruneCollapsesSplitCopiesWithOneChild) {
    // A two-goal start: root -> split copy -> goal children g1, g2; a third goal beside it.
    Search s;
    PathNode* split = AddFirstChild(&s.tree, s.root(), 0, 0, kNodeCopy, kNodeSplit, 0, 0);
    PathNode* other = AddSecondChild(&s.tree, s.root(), 0, 0, 0, 0, 0, 2);
    PathNode* g1 = AddFirstChild(&s.tree, split, 5, 5, kNodeCopy, 0, 0, 0);
    PathNode* g2 = AddSecondChild(&s.tree, split, 6, 6, 0, 0, 0, 1);
    PathNode* best = other;
    std::uint8_t pruned = 0;
    EXPECT_EQ(PruneDeadBranch(&s.tree, g1, best, pruned), s.root());
    EXPECT_EQ(s.root()->first, g2) << "the last goal child takes the copy's place";
    EXPECT_EQ(g2->parent, s.root());
    EXPECT_EQ(s.tree.count, 3);
    EXPECT_EQ(best, other);
    EXPECT_EQ(pruned, 0);

    // The best node itself is never collapsed.
    Search t;
    PathNode* copy = AddFirstChild(&t.tree, t.root(), 0, 0, kNodeCopy, 0, 0, 0);
    PathNode* c1 = AddFirstChild(&t.tree, copy, 1, 1, 0, 0, 0, 0);
    AddSecondChild(&t.tree, copy, 2, 2, 0, 0, 0, 0);
    AddSecondChild(&t.tree, t.root(), 3, 3, 0, 0, 0, 0);
    best = copy;
    EXPECT_EQ(PruneDeadBranch(&t.tree, c1, best, pruned), copy);
    EXPECT_EQ(t.tree.count, 4);
}

TEST(PathNodes, Queue) {
    NodeQueue* q = NewQueue();
    EXPECT_EQ(QueuePop(q), nullptr);
    EXPECT_EQ(QueuePop(nullptr), nullptr);
    PathNode a, b, c;
    QueueAppend(q, &a);
    EXPECT_EQ(q->cursor, q->first);
    EXPECT_EQ(q->last, q->first);
    QueueAppend(q, &b);
    QueuePush(q, &c);
    EXPECT_EQ(q->count, 3);
    EXPECT_EQ(q->cursor, q->first);
    EXPECT_EQ(QueuePop(q), &c);
    EXPECT_EQ(q->cursor, q->first);
    EXPECT_EQ(QueuePop(q), &a);
    EXPECT_EQ(QueuePop(q), &b) << "the last of one";
    EXPECT_EQ(q->first, nullptr);
    EXPECT_EQ(q->last, nullptr);
    EXPECT_EQ(q->cursor, nullptr);
    EXPECT_EQ(q->count, 0);
    QueuePush(q, &a);
    EXPECT_EQ(q->last, q->first) << "pushed onto an empty queue";
    FreeQueue(q);  // the links, not the nodes
    FreeQueue(nullptr);
}

TEST(PathNodes, MetBlockers) {
    MetBlocker* list = AddMetBlocker(nullptr, 3, 12, 1, 2, 4);
    list = AddMetBlocker(list, 4, 5, 6, 7, 8);
    list = AddMetBlocker(list, 2, 9, 0, 0, 1);
    MetBlocker* found = nullptr;
    EXPECT_TRUE(FindMetBlocker(list, 3, 12, 99, 98, 4, &found)) << "kind 3: index1 and side only";
    EXPECT_EQ(found, list->next->next);
    EXPECT_FALSE(FindMetBlocker(list, 3, 12, 1, 2, 1, &found)) << "another side";
    EXPECT_TRUE(FindMetBlocker(list, 4, 5, 6, 7, 8, &found));
    EXPECT_FALSE(FindMetBlocker(list, 4, 5, 6, 99, 8, &found)) << "kind 4: all indices";
    EXPECT_FALSE(FindMetBlocker(nullptr, 2, 9, 0, 0, 1, &found));

    MetBlocker* copy = CopyMetBlockers(list);
    std::vector<int> kinds;
    for (MetBlocker* m = copy; m != nullptr; m = m->next) {
        EXPECT_NE(m, list);
        kinds.push_back(m->kind);
    }
    EXPECT_EQ(kinds, (std::vector<int>{2, 4, 3})) << "same order";
    EXPECT_EQ(CopyMetBlockers(nullptr), nullptr);
    FreeMetBlockers(copy);
    FreeMetBlockers(list);
}

class Searchers : public test::UnitTest {};

TEST_F(Searchers, CountedByFlagsAndUnstartedMoves) {
    for (UnitHead& u : vehicles) u.type = 0;
    for (UnitHead& u : persons) u.type = 1;
    Befehl route;
    route.opcode = 54;
    Befehl started;
    started.opcode = 0;
    started.flags = kBefehlStarted;
    Befehl gaffer;
    gaffer.opcode = 159;
    Befehl wait;
    wait.opcode = 7;
    vehicles[0].moverFlags = kMoverRoutePlanning;
    vehicles[1].orders = &route;
    vehicles[2].orders = &started;
    vehicles[3].orders = &gaffer;  // only persons search for onlooker targets
    persons[0].moverFlags = kMoverPathSearch;
    persons[1].orders = &gaffer;
    persons[2].orders = &route;  // only vehicles plan road legs
    persons[3].orders = &wait;
    EXPECT_EQ(CountSearchingMovers(), 4);
    EXPECT_NE(persons[0].moverFlags & kMoverSearching, 0);
    EXPECT_NE(persons[1].moverFlags & kMoverSearching, 0);
    EXPECT_EQ(persons[2].moverFlags & kMoverSearching, 0);
    EXPECT_EQ(vehicles[0].moverFlags & kMoverSearching, 0) << "vehicles are not marked";
    vehicles[0].type = -1;  // a free slot counts for nothing
    EXPECT_EQ(CountSearchingMovers(), 3);
}

TEST(PathNodes, RoadNodeBuffer) {
    RoadNodes.resize(5);
    RoadNodeCount = 3;
    RoadNodeCapacity = 5;
    FreeEmptyNodeGraph();
    EXPECT_EQ(RoadNodes.size(), 5u) << "the level has nodes";
    RoadNodeCount = 0;
    FreeEmptyNodeGraph();
    EXPECT_TRUE(RoadNodes.empty());
    EXPECT_EQ(RoadNodeCapacity, 0);
    RoadNodes.resize(5);
    RoadNodeCount = 3;
    FreeNodeGraph();
    EXPECT_TRUE(RoadNodes.empty());
    EXPECT_EQ(RoadNodeCount, 0);
    EXPECT_EQ(RoadNodeCapacity, 0);
}

}  // namespace
}  // namespace kv
