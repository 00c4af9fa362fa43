// One expansion of the free path search: the straight run from a node's parent to the node, and
// what follows from where it ends.

#include <algorithm>
#include <bit>

#include "core/unit_views.h"
#include "movement/befehl_opcodes.h"
#include "movement/collision.h"
#include "movement/path_detours.h"
#include "movement/path_output.h"
#include "movement/path_search.h"
#include "movement/stepping.h"
#include "persons/person.h"
#include "persons/person_types.h"
#include "world/geometry.h"

namespace kv {

namespace {

// A point counts as progress only when each pixel gained towards the goal costs less than this
// many pixels of path.
constexpr float kDetourCostLimit = 10.0f;
// The turn test at a goal: units moving together pass, the walking footprint.
constexpr std::uint16_t kTurnTestMode = kCollideSkipMoving | kCollideAnimWalk;
// The node limit walks up past these to the first plain node.
constexpr std::uint16_t kLimitSkipMask =
    kNodePlaceAtEnd | kNodeContourCorner | kNodeStraightMove | kNodeBackward | kNodeForward;

std::uint8_t Dir(const PathNode* n) {
    return n->dir & kNodeDirMask;
}

// A node of a detour chain, not yet hung into the tree. Only a chain's head gets its copy of the
// obstacles met now: the corners behind it take over the list of the corner before them when
// their turn comes (a chain member gives way before it adds to its list).
PathNode* NewChainNode(PathTree* tree, const DetourPoint& p, std::uint8_t kind, std::uint16_t flags,
                       const PathNode* from, bool head) {
    PathNode* n = NewPathNode({});
    n->x = p.x;
    n->y = p.y;
    n->dir = kNodeUnreached;
    n->kind = kind;
    n->flags = flags;
    n->goal = from->goal;
    n->met = head ? CopyMetBlockers(from->met) : nullptr;
    ++tree->count;
    return n;
}

void LinkSecond(PathNode* parent, PathNode* child) {
    parent->second = child;
    if (child != nullptr) child->parent = parent;
}

class Expansion {
  public:
    Expansion(UnitHead& unit, const UnitTypHead& type, PathSearch& search, PathTree* tree,
              NodeQueue* open, PathNode* node)
        : unit_(unit), type_(type), search_(search), tree_(tree), open_(open), n_(node) {}

    std::uint8_t run() {
        if (n_->parent == nullptr) return kExpandFailed;
        fixTurn();
        if ((n_->flags & kNodeTurn) != 0) return turnHere();
        LineRun line;
        const PathNode* p = n_->parent;
        const std::uint8_t free =
            TestLineFree(p->x, p->y, Dir(p), unit_, type_, n_->x, n_->y, line);
        const GoalPoint& g = goal();
        if (free != 0)
            return n_->x == g.x && n_->y == g.y ? reachedGoal(line) : reachedCorner(line);
        if ((line.kind & kRunContour) != 0) return contour(line);
        return stopped(line);
    }

  private:
    const GoalPoint& goal() const { return tree_->goals[n_->goal]; }

    std::uint8_t prune(PathNode* node) {
        return PruneDeadBranch(tree_, node, search_.bestNode, search_.bestPruned) != nullptr
                   ? kExpandGoOn
                   : kExpandFailed;
    }

    // Step 1: a vehicle's point drifts while it turns to pass a corner; allow for it once.
    void fixTurn() {
        if ((n_->kind & kNodeNeedsTurnFix) == 0 || (n_->flags & kNodeTurnFixed) != 0 ||
            (n_->kind & kNodeChainMember) != 0)
            return;
        const PathNode* p = n_->parent;
        int to = -1;
        bool shiftX = false;
        switch (n_->kind & kNodeSideMask) {
            case 1:
                to = 3;
                break;
            case 2:
                to = n_->x == p->x ? 6 : 7;
                shiftX = true;
                break;
            case 4:
                to = 9;
                break;
            case 8:
                to = n_->x != p->x ? 1 : 0;
                shiftX = true;
                break;
            default:
                break;
        }
        if (to >= 0) {
            float dx = 0;
            float dy = 0;
            TurnDisplacement(unit_, type_, Dir(p), static_cast<std::uint8_t>(to), n_->x, n_->y, dx,
                             dy);
            if (shiftX)
                n_->x += dx;
            else
                n_->y += dy;
        }
        n_->flags |= kNodeTurnFixed;
    }

    // The progress rule for a point on the run to n_; the run started at n_'s parent. The path
    // length to the point is measured only for a point nearer the goal.
    template <class Length>
    std::uint8_t progress(float qx, float qy, std::uint8_t qdir, Length&& measure) {
        const GoalPoint& g = goal();
        const float dq = DistanceFloat(qx, qy, g.x, g.y);
        const float db = DistanceFloat(search_.bestX, search_.bestY, g.x, g.y);
        if (!(dq < db)) return kExpandGoOn;
        const float length = measure();
        if (!((length - search_.bestLength) / (db - dq) < kDetourCostLimit)) return kExpandGoOn;
        PathNode* old = search_.bestNode;
        if (search_.bestPruned != 0 && old != nullptr && old->first == nullptr &&
            !HasLiveSecond(old) &&
            PruneDeadBranch(tree_, old, search_.bestNode, search_.bestPruned) == nullptr)
            return kExpandFailed;
        search_.bestX = qx;
        search_.bestY = qy;
        search_.bestDir = qdir;
        search_.aimX = n_->x;
        search_.aimY = n_->y;
        // Pruning may have folded a copy above n_ into its parent, at the same point.
        search_.bestNode = n_->parent;
        search_.bestLength = length;
        search_.bestPruned = 0;
        return kExpandGoOn;
    }

    // The node limit: a branch without alternatives settles for a partial path to its last plain
    // node, unless the last partial path of this order got no nearer; else it goes.
    std::uint8_t nodeLimit(PathNode* node) {
        if (!IsSinglePathToRoot(node)) return prune(node);
        PathNode* plain = node;
        while (plain->parent != nullptr && (plain->flags & kLimitSkipMask) != 0)
            plain = plain->parent;
        const GoalPoint& g = tree_->goals[plain->goal];
        const float d = DistanceFloat(plain->x, plain->y, g.x, g.y);
        if ((unit_.moverFlags & kMoverPartialPath) != 0 &&
            !(d < std::bit_cast<float>(unit_.moveSpare))) {
            unit_.moverFlags &= static_cast<std::uint8_t>(~kMoverPartialPath);
            return kExpandFailed;
        }
        unit_.moveSpare = std::bit_cast<std::uint32_t>(d);
        unit_.moverFlags |= kMoverPartialPath;
        QueuePush(open_, plain);
        return kExpandNodeLimit;
    }

    bool overLimit() const { return tree_->count > kPathNodeLimit; }

    // Removes the contour nodes right above n_ that are not bestNode, n_ taking each one's place;
    // with untilCorner, up to and including the first contour corner. -1 when a removed node has
    // an alternative below it; else 1 when a corner was removed.
    int removeContourAbove(bool untilCorner) {
        while (PathNode* p = n_->parent) {
            if ((p->flags & kNodeContourMask) == 0 || p == search_.bestNode) break;
            if (HasLiveSecond(p) && p->second != n_) return -1;
            const bool corner = (p->flags & kNodeContourCorner) != 0;
            PathNode* other = p->first == n_ ? p->second : p->first;
            if (p->first == n_) p->first = nullptr;
            if (p->second == n_) p->second = nullptr;
            if (other != nullptr) FreePathSubtree(tree_, other);
            ReplaceInParent(tree_, p, n_);
            DropPathNode(tree_, p);
            if (untilCorner && corner) return 1;
        }
        return 0;
    }

    // A failed chain member gives way to the next corner of its chain.
    std::uint8_t chainStep() {
        if (removeContourAbove(false) < 0) return kExpandFailed;
        PathNode* next = n_->second;
        if (next == nullptr) return kExpandFailed;
        n_->second = nullptr;
        if (next->met == nullptr) {
            next->met = n_->met;
            n_->met = nullptr;
        }
        if (n_->first != nullptr) FreePathSubtree(tree_, n_->first);
        ReplaceInParent(tree_, n_, next);
        if (search_.bestNode == n_) search_.bestNode = next->parent;
        DropPathNode(tree_, n_);
        n_ = next;
        QueueAppend(open_, next);
        return kExpandGoOn;
    }

    std::uint8_t chainStepOrPrune() {
        return (n_->kind & kNodeChainMember) != 0 ? chainStep() : prune(n_);
    }

    // Step 2: turning on the spot at a goal to face it; the branch goes at the first direction
    // that does not fit.
    std::uint8_t turnHere() {
        const PathNode* p = n_->parent;
        std::uint8_t d = Dir(p);
        const std::uint8_t target = Dir(n_);
        for (int i = 0; i < kDirectionCount && d != target; ++i) {
            d = TurnStep(d, target);
            if (TestCollision(kTurnTestMode, unit_, type_, n_->x, n_->y, d, unit_.storey,
                              static_cast<std::uint8_t>(unit_.anim), nullptr) != 0) {
                if (progress(n_->x, n_->y, Dir(p), [&] { return PathLengthToRoot(n_); }) !=
                    kExpandGoOn)
                    return kExpandFailed;
                return prune(n_);
            }
        }
        return kExpandReached;
    }

    // Step 4: a detour corner reached.
    std::uint8_t reachedCorner(const LineRun& line) {
        if ((n_->kind & kNodeChainMember) != 0) {
            if (n_->second != nullptr) FreePathSubtree(tree_, n_->second);
            n_->kind &= static_cast<std::uint8_t>(~kNodeChainMember);
            n_->flags &= static_cast<std::uint16_t>(~kNodeChainNext);
        }
        n_->dir = line.stopDir;
        if (progress(n_->x, n_->y, line.stopDir, [&] { return PathLengthToRoot(n_); }) !=
            kExpandGoOn)
            return kExpandFailed;
        QueueAppend(open_, n_->first != nullptr ? n_->first : n_);
        if (n_->first != nullptr || HasLiveSecond(n_)) {
            FreeMetBlockers(n_->met);
            n_->met = nullptr;
        }
        return kExpandGoOn;
    }

    // Step 5: the goal reached; a goal with a facing gets a turn on the spot.
    std::uint8_t reachedGoal(const LineRun& line) {
        n_->dir = line.stopDir;
        if (n_->first != nullptr || HasLiveSecond(n_)) return kExpandFailed;
        unit_.moverFlags &= static_cast<std::uint8_t>(~kMoverPartialPath);
        const GoalPoint& g = goal();
        if (!WantsFacing(g.facing) || (n_->flags & kNodeTurn) != 0) return kExpandReached;
        QueuePush(open_, AddFirstChild(tree_, n_, n_->x, n_->y, g.facing & kNodeDirMask, 0,
                                       kNodeTurn, n_->goal));
        return kExpandGoOn;
    }

    std::uint16_t carried(const LineRun& line) const {
        return (line.kind & kRunKindMask) == kHitPerson && line.index1 == unit_.link ? kNodeCarried
                                                                                     : 0;
    }

    PathNode* insert(float x, float y, std::uint8_t dir, std::uint16_t flags) {
        return InsertPathNode(tree_, n_, x, y, dir, 0, flags, n_->goal);
    }

    // A contour corner at (x, y), remembering in its second child where the run was heading.
    void insertCorner(float x, float y, std::uint8_t dir, std::uint16_t extra) {
        PathNode* corner = insert(x, y, dir, kNodeContourCorner | kNodeChainNext | extra);
        AddSecondChild(tree_, corner, n_->x, n_->y, 0, 0, 0, n_->goal);
    }

    // Step 6: the run ended in the turning manoeuvre or in a circle.
    std::uint8_t contour(const LineRun& line) {
        const std::uint16_t reason = line.reason;
        const float sx = line.stopX;
        const float sy = line.stopY;
        const std::uint8_t sdir = line.stopDir;
        const std::uint16_t extra = carried(line);
        if ((reason & kReasonGiveUp) != 0) {
            FreeContourRecord(unit_);
            return chainStepOrPrune();
        }
        if ((reason & kReasonTurned) != 0) {
            PathNode* p = n_->parent;
            if ((reason & kReasonStarted) != 0) {
                if (IsContourCornerRepeated(n_, sx, sy, sdir)) {
                    FreeContourRecord(unit_);
                    return chainStepOrPrune();
                }
                insertCorner(sx, sy, sdir, extra);
            } else if ((reason & kReasonAhead) != 0) {
                if ((p->flags & kNodeForward) != 0) {
                    p->x = sx;
                    p->y = sy;
                } else {
                    // The unit drives there facing as it did, and turns after.
                    insert(sx, sy, line.moveDir, kNodeForward | extra);
                }
            } else if ((reason & kReasonBack) != 0) {
                insert(sx, sy, line.moveDir, kNodeBackward | extra);
            } else if ((reason & kReasonAside) != 0) {
                // The straight move runs from the point before towards the stop point.
                const PathNode* from =
                    (p->flags & kNodeStraightMove) != 0 && p->parent != nullptr ? p->parent : p;
                const std::uint8_t way = ClassifyDirection(from->x, from->y, sx, sy, sdir);
                if ((p->flags & kNodeStraightMove) != 0) {
                    p->x = sx;
                    p->y = sy;
                    p->turnDir = way;
                } else {
                    InsertPathNode30(tree_, n_, sx, sy, sdir, 0, kNodeStraightMove | extra,
                                     n_->goal, way);
                }
            } else if ((reason & kReasonPlaceAtEnd) != 0) {
                insertCorner(sx, sy, sdir, extra);
                insert(n_->x, n_->y, sdir, kNodePlaceAtEnd | extra);
            }
        }
        if ((reason & kReasonTurnHere) != 0) {
            PathNode* p = n_->parent;
            if ((p->flags & kNodeTurn) != 0 && p->x == sx && p->y == sy) {
                if (Dir(p) == sdir) {
                    FreeContourRecord(unit_);
                    return chainStepOrPrune();
                }
                p->dir = static_cast<std::uint8_t>((p->dir & ~kNodeDirMask) | sdir);
            } else {
                insert(sx, sy, sdir, kNodeTurn | extra);
            }
        }
        if ((reason & kReasonRestart) != 0) {
            const ContourRecord* old = unit_.contour;
            const std::uint8_t wanted = old != nullptr ? old->wanted : sdir;
            const std::uint8_t flags = old != nullptr ? old->flags : 0;
            const int removed = removeContourAbove(true);
            if (removed < 0) return kExpandFailed;
            // Without a contour corner above there is nowhere to start the manoeuvre again.
            if (removed == 0) {
                FreeContourRecord(unit_);
                return chainStepOrPrune();
            }
            const PathNode* p = n_->parent;
            CreateObstacleFollow(unit_, p->x, p->y, p->x, p->y, Dir(p), wanted, flags);
        }
        if (!overLimit()) {
            QueuePush(open_, n_);
            return kExpandGoOn;
        }
        FreeContourRecord(unit_);
        return nodeLimit(n_);
    }

    // The point the unit backs off to: the recorded step that many steps back, or the run's start
    // while fewer are recorded.
    MoveStep backPoint(const PathNode* p) const {
        const int back = type_.shortcutBackSteps;
        if (unit_.stepRead < back) return {Dir(p), p->x, p->y};
        return StepRingEntry(unit_, unit_.stepWrite - 1 - back);
    }

    // 7.1: a vehicle on its way to a road route waypoint goes round the blockage onto the route.
    std::uint8_t tryRejoin(const LineRun& line) {
        Befehl* head = unit_.orders;
        if (head == nullptr || (head->opcode != kOpMove && head->opcode != kOpRouteLeg) ||
            (head->flags & kBefehlRouteLeg) == 0 || (head->flags & kBefehlPathBuild) != 0 ||
            n_->x != head->aFloat() || n_->y != head->bFloat())
            return kExpandGoOn;
        const MoveStep back = backPoint(n_->parent);
        if (RejoinRoute(unit_, type_, line.stopX, line.stopY, back.x, back.y, n_->x, n_->y) != 0)
            return kExpandRejoined;
        head->flags |= kBefehlPathBuild;
        return kExpandGoOn;
    }

    // 7.3: the run slid along a slanted edge: place the unit beside the stop point.
    std::uint8_t slide(const LineRun& line) {
        if (line.hint == kSlideRight || line.hint == kSlideLeft) {
            const PathNode* p = n_->parent;
            if (line.stopX != p->x || line.stopY != p->y)
                insertCorner(line.stopX, line.stopY, line.stopDir, 0);
            const float shift = line.hint == kSlideRight ? kSlideShift : -kSlideShift;
            insert(line.stopX + shift, line.stopY, line.stopDir, kNodePlace);
        }
        // Slides only add nodes: the limit holds them too.
        if (overLimit()) return nodeLimit(n_);
        QueuePush(open_, n_);
        return kExpandGoOn;
    }

    bool widenBlocker(std::uint8_t kind, std::uint16_t index) const {
        if (type_.unitClass != kPersonUnitClass || (unit_.controlFlags & kPersonOnlooker) == 0 ||
            (unit_.moverFlags & kMoverLed) != 0 || kind != kHitPerson)
            return false;
        const UnitHead* other = PersonUnits.at(index);
        return other != nullptr && other->type == kPersonTypCivilian && other->anim != kAnimWalk;
    }

    PointF goalCentroid() const {
        float x = 0;
        float y = 0;
        for (const GoalPoint& g : tree_->goals) {
            x += g.x;
            y += g.y;
        }
        const auto n = static_cast<float>(std::max<std::size_t>(tree_->goals.size(), 1));
        return {x / n, y / n};
    }

    // 7.9: p2 first (the far corner), then p1, p2 again and p3 as the chain goes on.
    PathNode* buildChain(const DetourSide& side, std::uint16_t extra) {
        if (side.count == 0) return nullptr;
        const std::array<DetourPoint, 3>& pt = side.points;
        if (side.count == 1) return NewChainNode(tree_, pt[0], pt[0].code, extra, n_, true);
        PathNode* head = NewChainNode(tree_, pt[1], pt[1].code | kNodeChainMember,
                                      extra | kNodeChainNext, n_, true);
        PathNode* near = NewChainNode(tree_, pt[0], pt[0].code, extra | kNodeChainNext, n_, false);
        LinkSecond(head, near);
        const bool third = side.count == 3;
        PathNode* again =
            NewChainNode(tree_, pt[1], pt[1].code, third ? kNodeChainNext : 0, n_, false);
        LinkSecond(near, again);
        if (third) LinkSecond(again, NewChainNode(tree_, pt[2], pt[2].code, 0, n_, false));
        return head;
    }

    // 7.10: hangs the chains; returns the node that holds them.
    PathNode* hangChains(PathNode* a, PathNode* b, std::uint16_t extra,
                         std::array<PathNode*, 2>& heads) {
        PathNode* p = n_->parent;
        if (unit_.stepRead < type_.shortcutBackSteps) {
            if ((a == nullptr) != (b == nullptr)) {
                // n_ itself becomes the head of the one chain.
                PathNode* head = a != nullptr ? a : b;
                n_->x = head->x;
                n_->y = head->y;
                n_->dir = head->dir;
                n_->kind = head->kind;
                n_->flags = head->flags;
                LinkSecond(n_, head->second);
                head->second = nullptr;
                DropPathNode(tree_, head);
                heads = {n_, nullptr};
                return n_;
            }
            n_->x = p->x;
            n_->y = p->y;
            n_->kind = p->kind;
            n_->dir = static_cast<std::uint8_t>(p->dir | kNodeCopy);
            n_->flags = 0;
            n_->first = a;
            a->parent = n_;
            LinkSecond(n_, b);
            FreeMetBlockers(n_->met);
            n_->met = nullptr;
            heads = {a, b};
            return n_;
        }
        // Far enough along: the detours start a few steps back on the way here.
        const MoveStep back = StepRingEntry(unit_, unit_.stepWrite - 1 - type_.shortcutBackSteps);
        PathNode* node = NewPathNode({});
        node->x = back.x;
        node->y = back.y;
        node->dir = back.direction;
        node->flags = static_cast<std::uint16_t>(kNodeExtended | kNodeBackOff | extra);
        node->goal = n_->goal;
        node->origX = n_->x;
        node->origY = n_->y;
        ReplaceInParent(tree_, n_, node);
        ++tree_->count;
        if (search_.bestNode == n_) search_.bestNode = node;
        FreeMetBlockers(n_->met);
        n_->met = nullptr;
        DropPathNode(tree_, n_);
        n_ = node;
        node->first = a;
        if (a != nullptr) a->parent = node;
        LinkSecond(node, b);
        heads = {a, b};
        return node;
    }

    // Step 7: the run stopped at an obstacle.
    std::uint8_t stopped(const LineRun& line) {
        if (const std::uint8_t r = tryRejoin(line); r != kExpandGoOn) return r;
        if ((n_->kind & kNodeChainMember) != 0) return chainStep();
        const auto kind = static_cast<std::uint8_t>(line.kind & kRunKindMask);
        if (kind == kHitSlide) return slide(line);

        const auto length = [&] {
            const PathNode* p = n_->parent;
            return PathLengthToRoot(p) + DistanceFloat(p->x, p->y, line.stopX, line.stopY);
        };
        if (progress(line.stopX, line.stopY, line.stopDir, length) != kExpandGoOn)
            return kExpandFailed;
        if (FindMetBlocker(n_->met, kind, line.index1, line.index2, line.index3, line.blocked,
                           nullptr))
            return prune(n_);
        if ((line.kind & kRunTurning) == 0)
            n_->met =
                AddMetBlocker(n_->met, kind, line.index1, line.index2, line.index3, line.blocked);

        DetourSide sideA;
        DetourSide sideB;
        const PointF centroid = goalCentroid();
        const std::uint8_t code = PassObstacle(
            unit_, type_, widenBlocker(kind, line.index1), kind, line.index1, line.index2,
            line.index3, line.blocked, centroid.x, centroid.y, Dir(n_->parent), sideA, sideB);
        if (HasLiveSecond(n_)) return kExpandFailed;
        if (n_->first != nullptr) FreePathSubtree(tree_, n_->first);
        if (n_->second != nullptr) FreePathSubtree(tree_, n_->second);

        if ((code & kObstacleImpassable) != 0) {
            if (open_->first != nullptr) return prune(n_);
            if (sideA.count == 1) {
                n_->x = sideA.points[0].x;
                n_->y = sideA.points[0].y;
                n_->dir = kNodeUnreached;
                n_->flags = kNodeBandEnd;
            } else {
                n_->x = line.stopX;
                n_->y = line.stopY;
                n_->dir = line.stopDir;
            }
            unit_.moverFlags &= static_cast<std::uint8_t>(~kMoverPartialPath);
            return kExpandImpassable;
        }
        if (sideA.count == 0 && sideB.count == 0) return prune(n_);

        const std::uint16_t extra = carried(line);
        PathNode* a = buildChain(sideA, extra);
        PathNode* b = buildChain(sideB, extra);
        std::array<PathNode*, 2> heads{};
        PathNode* holder = hangChains(a, b, extra, heads);
        if (overLimit()) return nodeLimit(holder);
        for (PathNode* h : heads)
            if (h != nullptr) QueueAppend(open_, h);
        return kExpandGoOn;
    }

    UnitHead& unit_;
    const UnitTypHead& type_;
    PathSearch& search_;
    PathTree* tree_;
    NodeQueue* open_;
    PathNode* n_;
};

}  // namespace

std::uint8_t ExpandPathNode(UnitHead& unit, const UnitTypHead& type, PathNode* node, PathTree* tree,
                            NodeQueue* open) {
    if (node == nullptr || tree == nullptr || open == nullptr || unit.pathSearch == nullptr)
        return kExpandFailed;
    return Expansion(unit, type, *unit.pathSearch, tree, open, node).run();
}

}  // namespace kv
