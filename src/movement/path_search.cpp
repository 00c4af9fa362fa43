#include "movement/path_search.h"

#include <algorithm>
#include <cmath>

#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/collision.h"
#include "movement/path_output.h"
#include "movement/route.h"
#include "movement/route_driving.h"
#include "movement/searching_movers.h"
#include "movement/stepping.h"
#include "persons/gaffer_ziele.h"
#include "world/geometry.h"

namespace kv {

namespace {

// Ends the search and gives up the head order.
std::uint8_t GiveUp(UnitHead& unit) {
    PopBefehl(unit);
    FreePathSearch(unit);
    unit.moverFlags &= static_cast<std::uint8_t>(~kMoverSearching);
    return 0;
}

bool IsRejoinGoalMove(const Befehl* head) {
    return head != nullptr && (head->opcode == kOpGoals || head->opcode == kOpGoalsCallback) &&
           (head->flags & kBefehlRouteLeg) != 0;
}

// The goal move that RejoinRoute queued found nothing: the vehicle takes up its road route order
// again.
std::uint8_t EndRejoinGoalMove(UnitHead& unit) {
    GiveUp(unit);
    if (unit.route != nullptr) {
        DropMoveBefehle(unit);
        RestoreRouteOrder(unit, true);
        if (unit.route != nullptr) ClearRouteLists(*unit.route);
    }
    return 0;
}

// A node under bestNode at the best point, standing in for where its run was heading.
PathNode* BestPointChild(PathSearch& search) {
    PathNode* best = search.bestNode;
    // The branch below goes with the search; the path is laid from the new child.
    if (best->first != nullptr) FreePathSubtree(search.tree, best->first);
    return AddFirstChildExt(search.tree, best, search.bestX, search.bestY, search.bestDir, 0,
                            kNodeBackOff, best->goal, search.aimX, search.aimY);
}

bool UsableBestNode(const PathSearch& search) {
    return search.bestNode != nullptr && (search.bestNode->kind & kNodeSplit) == 0;
}

bool BestIsOwnPosition(const PathSearch& search, const UnitHead& unit) {
    return search.bestX == unit.x && search.bestY == unit.y;
}

std::uint8_t QueueExhausted(UnitHead& unit) {
    if (IsRejoinGoalMove(unit.orders)) return EndRejoinGoalMove(unit);
    PathSearch& search = *unit.pathSearch;
    if (UsableBestNode(search) && !BestIsOwnPosition(search, unit)) {
        PathNode* child = BestPointChild(search);
        search.result |= kPathShort;
        BuildPathWaypoints(kPathToFallback, unit, child);
        FreePathSearch(unit);
        return 1;
    }
    PopBefehl(unit);
    DropMoveBefehle(unit);
    unit.moverFlags &= static_cast<std::uint8_t>(~kMoverSearching);
    FreePathSearch(unit);
    return 1;
}

// Code 3: the obstacle cannot be passed; the path goes to the best point or to the node.
std::uint8_t FallBack(UnitHead& unit, PathNode* node) {
    PathSearch& search = *unit.pathSearch;
    search.result |= kPathShort;
    const bool backOff = (node->flags & kNodeBackOff) != 0;
    const float qx = backOff ? node->origX : node->x;
    const float qy = backOff ? node->origY : node->y;
    PathNode* to = node;
    std::uint8_t mode = kPathToReached;
    if (UsableBestNode(search) && !BestIsOwnPosition(search, unit)) {
        const GoalPoint& g = search.tree->goals[search.bestNode->goal];
        if (DistanceFloat(search.bestX, search.bestY, g.x, g.y) < DistanceFloat(qx, qy, g.x, g.y)) {
            to = BestPointChild(search);
            mode = kPathToFallback;
        }
    }
    BuildPathWaypoints(mode, unit, to);
    FreePathSearch(unit);
    return 1;
}

// Code 7: the node the node limit stopped at was pushed at the head of the queue.
std::uint8_t PartialPath(UnitHead& unit) {
    PathNode* node = QueuePop(unit.pathSearch->open);
    const Befehl* head = unit.orders;
    if (head != nullptr && head->opcode == kOpGoals && (head->flags & kBefehlRouteLeg) != 0)
        return EndRejoinGoalMove(unit);
    BuildPathWaypoints(kPathToReached, unit, node);
    FreePathSearch(unit);
    unit.moverFlags |= kMoverPartialPath;
    return 1;
}

// From every reached point the goal is tried first: a probe at the goal's point becomes the
// node's first child and is expanded in its place.
PathNode* GoalProbe(PathTree* tree, PathNode* node) {
    if ((node->dir & kNodeUnreached) != 0 || node->first != nullptr ||
        (node->flags & kNodeTurn) != 0)
        return node;
    if (node->second != nullptr && (node->flags & kNodeChainNext) == 0) return node;
    const GoalPoint& g = tree->goals[node->goal];
    // The probe takes over the node's list of obstacles met; the node keeps none.
    MetBlocker* met = node->met;
    node->met = nullptr;
    PathNode* probe = AddFirstChild(tree, node, g.x, g.y, kNodeUnreached, 0, 0, node->goal);
    probe->met = met;
    if ((node->kind & kNodeChainMember) == 0 && (node->flags & kNodeChainNext) != 0) {
        // The rest of the node's detour chain continues from the probe when the goal fails.
        if (PathNode* next = node->second) {
            probe->second = next;
            next->parent = probe;
            probe->kind |= kNodeChainMember;
            probe->flags |= kNodeChainNext;
        }
        node->second = nullptr;
        node->flags &= static_cast<std::uint16_t>(~kNodeChainNext);
    }
    return probe;
}

// Splits a node serving count goals from first on until each part serves one or two, and queues
// a goal child for each goal.
void SplitGoals(PathTree* tree, NodeQueue* open, PathNode* node, std::uint8_t first,
                std::uint8_t count) {
    const auto copyDir = static_cast<std::uint8_t>(node->dir | kNodeCopy);
    if (count > 2) {
        const auto half = static_cast<std::uint8_t>(count / 2);
        PathNode* a = AddFirstChild(tree, node, node->x, node->y, copyDir, kNodeSplit, 0, first);
        PathNode* b = AddSecondChild(tree, node, node->x, node->y, copyDir, kNodeSplit, 0,
                                     static_cast<std::uint8_t>(first + half));
        SplitGoals(tree, open, a, first, half);
        SplitGoals(tree, open, b, static_cast<std::uint8_t>(first + half),
                   static_cast<std::uint8_t>(count - half));
        return;
    }
    QueueAppend(open, AddFirstChild(tree, node, node->x, node->y, copyDir, 0, 0, first));
    if (count == 2)
        QueueAppend(open, AddSecondChild(tree, node, node->x, node->y, node->dir & kNodeDirMask, 0,
                                         0, static_cast<std::uint8_t>(first + 1)));
}

// The goals of an order 2 or 5: blocked ones go, but the last one left stays, moved to a free
// point near it when there is one.
GoalList UsableGoals(const UnitHead& unit, const UnitTypHead& type, const Befehl& order,
                     std::uint8_t& result) {
    const std::size_t count = std::min<std::size_t>(order.b & 0xFF, order.goals.size());
    GoalList goals(order.goals.begin(), order.goals.begin() + static_cast<std::ptrdiff_t>(count));
    for (std::size_t i = 0; i < goals.size();) {
        GoalPoint& g = goals[i];
        if (IsTargetBlocked(unit, type, g.x, g.y) == 0) {
            ++i;
            continue;
        }
        if (goals.size() > 1) {
            goals.erase(goals.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        float fx = 0;
        float fy = 0;
        if (FindFreePointNear(unit, type, g.x, g.y, fx, fy) != 0) {
            g.x = fx;
            g.y = fy;
            result |= kPathShort;
        }
        ++i;
    }
    for (GoalPoint& g : goals) g.flags = 0;
    return goals;
}

bool IsSearchableOrder(int opcode) {
    return opcode == kOpMove || opcode == kOpRouteLeg || opcode == kOpGaffer ||
           opcode == kOpGoals || opcode == kOpGoalsCallback;
}

// Starts the search for the head order. False when the call ends here (ret is its result).
bool StartSearch(UnitHead& unit, const UnitTypHead& type, std::uint8_t& ret) {
    ret = 0;
    if (unit.contour != nullptr) return false;
    Befehl* head = unit.orders;
    if (head == nullptr || !IsSearchableOrder(head->opcode)) {
        ClearBefehle(unit);
        return false;
    }
    if (unit.anim != 0) SetMoverAction(unit, type, 0);

    PathNode* root = NewPathNode({});
    root->x = unit.x;
    root->y = unit.y;
    root->dir = static_cast<std::uint8_t>(unit.direction) & kNodeDirMask;
    auto* tree = new PathTree;
    tree->root = root;
    tree->count = 1;
    auto* search = new PathSearch;
    search->open = NewQueue();
    search->tree = tree;
    search->bestX = unit.x;
    search->bestY = unit.y;
    search->bestDir = root->dir;
    search->aimX = unit.x;
    search->aimY = unit.y;
    search->bestNode = root;
    unit.pathSearch = search;

    if (head->opcode == kOpGoals || head->opcode == kOpGoalsCallback) {
        root->kind = kNodeSplit;
        tree->goals = UsableGoals(unit, type, *head, search->result);
        // An order without goals has nowhere to go.
        if (tree->goals.empty()) {
            ret = GiveUp(unit);
            return false;
        }
        MoveReachedGoalFirst(tree->goals, tree->goals.size(), unit.x, unit.y);
        SplitGoals(tree, search->open, root, 0, static_cast<std::uint8_t>(tree->goals.size()));
    } else {
        GafferZiel target;
        if (head->opcode == kOpGaffer && !GetGafferZiel(head->e, target)) {
            ret = GiveUp(unit);
            return false;
        }
        float fx = 0;
        float fy = 0;
        if (IsTargetBlocked(unit, type, head->aFloat(), head->bFloat()) != 0 &&
            FindFreePointNear(unit, type, head->aFloat(), head->bFloat(), fx, fy) != 0) {
            head->setA(fx);
            head->setB(fy);
            search->result |= kPathShort;
        }
        GoalPoint goal;
        if (head->opcode == kOpGaffer) {
            goal.x = static_cast<float>(target.x);
            goal.y = static_cast<float>(target.y);
        } else {
            goal.x = head->aFloat();
            goal.y = head->bFloat();
        }
        tree->goals.push_back(goal);
        QueueAppend(search->open, root);
    }
    unit.moverFlags = static_cast<std::uint8_t>(
        (unit.moverFlags & (kMoverPartialPath | kMoverLed)) | kMoverSearching | kMoverPathSearch);
    return true;
}

std::uint8_t RunTick(UnitHead& unit, const UnitTypHead& type) {
    if (RecountSearchers != 0) {
        SearchingMoverCount = static_cast<std::uint8_t>(std::min(CountSearchingMovers(), 255));
        RecountSearchers = 0;
    }
    if (SearchingMoverCount == 0) {
        ClearBefehle(unit);
        return 0;
    }
    const int budget = std::max(1, kPathTickBudget / SearchingMoverCount);
    PathSearch& search = *unit.pathSearch;
    int done = 0;
    for (;;) {
        if (search.expansions >= kPathExpansionCap) return QueueExhausted(unit);
        PathNode* node = QueuePop(search.open);
        if (node == nullptr) return QueueExhausted(unit);
        node = GoalProbe(search.tree, node);
        ++search.expansions;
        switch (ExpandPathNode(unit, type, node, search.tree, search.open)) {
            case kExpandGoOn:
                if (search.open->first == nullptr) return QueueExhausted(unit);
                if (++done >= budget) return 0;
                break;
            case kExpandReached:
                BuildPathWaypoints(kPathToReached, unit, node);
                FreePathSearch(unit);
                return 1;
            case kExpandImpassable:
                return FallBack(unit, node);
            case kExpandRejoined:
                FreePathSearch(unit);
                return 1;
            case kExpandNodeLimit:
                return PartialPath(unit);
            default:
                return GiveUp(unit);
        }
    }
}

}  // namespace

std::uint8_t FindPath(UnitHead& unit, const UnitTypHead& type) {
    // Nothing else moves while the unit searches: every test of this tick looks at one picture.
    const CollisionScope scope;
    // A search flagged without its record starts again.
    if ((unit.moverFlags & kMoverPathSearch) != 0 && unit.pathSearch == nullptr)
        unit.moverFlags &= static_cast<std::uint8_t>(~kMoverPathSearch);
    if ((unit.moverFlags & kMoverPathSearch) == 0) {
        std::uint8_t ret = 0;
        if (!StartSearch(unit, type, ret)) return ret;
    }
    return RunTick(unit, type);
}

void MoveReachedGoalFirst(GoalList& goals, std::size_t count, float x, float y) {
    const float tx = std::trunc(x);
    const float ty = std::trunc(y);
    count = std::min(count, goals.size());
    for (std::size_t i = 0; i < count; ++i) {
        if (goals[i].x != tx || goals[i].y != ty) continue;
        std::swap(goals[i].x, goals[0].x);
        std::swap(goals[i].y, goals[0].y);
        std::swap(goals[i].facing, goals[0].facing);
        return;
    }
}

void FreePathSearch(UnitHead& unit) {
    if (PathSearch* search = unit.pathSearch) {
        FreeQueue(search->open);
        if (search->tree != nullptr) {
            FreePathSubtree(search->tree, search->tree->root);
            delete search->tree;
        }
        delete search;
    }
    unit.pathSearch = nullptr;
    FreeContourRecord(unit);
    unit.moverFlags &=
        static_cast<std::uint8_t>(~(kMoverTurned | kMoverPartialPath | kMoverPathSearch));
}

}  // namespace kv
