#include "movement/path_output.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/path_search.h"
#include "movement/route.h"
#include "movement/route_driving.h"
#include "movement/stepping.h"
#include "world/geometry.h"

namespace kv {

namespace {

// Heads the laid path: the waypoint shortcut starts from it.
constexpr std::uint8_t kOpFollowPath = 11;

// The flags of a node that decide its order.
constexpr std::uint16_t kOrderFlagsMask = 0x271E;
// A tail is cut only back to a plain entry: one that neither turns, places nor keeps a facing.
constexpr std::uint16_t kNotPlain = 0x0001 | kNodeForward | kNodeBackward | kNodeStraightMove |
                                    kNodeTurn | kNodeContourCorner | kNodePlaceAtEnd;

// Order flag bits of the laid waypoints.
constexpr std::uint8_t kWaypointShortcut = kBefehlDone;  // a waypoint the shortcut may pass over
constexpr std::uint8_t kWaypointFacing = kBefehlDone | kBefehlKeepFacing;
constexpr std::uint8_t kWaypointAimed = kBefehlDone | kBefehlUseCD;
constexpr std::uint8_t kWaypointCarried = kBefehlShortLook;
// Already planned: the move handler walks it without searching again.
constexpr std::uint8_t kWaypointPlanned = kBefehlStarted;

// The rejoining orders: the goal move round the blockage and the backing-up move.
constexpr std::uint8_t kRejoinGoalsFlags = kBefehlRouteLeg | kBefehlFreePath;
constexpr std::uint8_t kRejoinBackFlags =
    kBefehlDone | kBefehlStarted | kBefehlUseCD | kBefehlFreePath;

float Distance(const PathNode& a, const PathNode& b) {
    return DistanceFloat(a.x, a.y, b.x, b.y);
}

bool IsMultiGoalStart(const PathNode& n) {
    return (n.kind & kNodeSplit) != 0;
}

// The base flags of a node's orders.
std::uint8_t BaseFlags(const PathNode& n) {
    std::uint8_t base = 0;
    if ((n.flags & kNodeCarried) != 0) base |= kWaypointCarried;
    if ((n.flags & kNodeBandEnd) == 0) base |= kWaypointPlanned;
    return base;
}

std::uint8_t Dir(const PathNode& n) {
    return n.dir & kNodeDirMask;
}

// What the head move order turns into: its waypoint orders and, for order 5, the callback marker
// laid behind each of them.
struct WaypointForm {
    std::uint8_t opcode = kOpMove;
    std::uint32_t e = 0;
    float finalX = 0;
    float finalY = 0;
    bool marker = false;
    std::uint32_t markerA = 0;
    std::uint32_t markerB = 0;
    std::uint32_t markerC = 0;
    bool routeLeg = false;
};

WaypointForm FormOf(const Befehl* head) {
    WaypointForm form;
    if (head == nullptr) return form;
    switch (head->opcode) {
        case kOpGoalsCallback:
            form.marker = true;
            form.markerA = head->d;
            form.markerB = head->c;
            form.markerC = head->e;
            break;
        case 159:
            form.opcode = 159;
            form.e = head->e;
            break;
        case kOpRouteLeg:
            form.opcode = kOpRouteLeg;
            form.finalX = head->finalX;
            form.finalY = head->finalY;
            break;
        default:
            break;
    }
    form.routeLeg = (head->opcode == kOpMove || head->opcode == kOpRouteLeg) &&
                    (head->flags & kBefehlRouteLeg) != 0;
    return form;
}

void PushMarker(UnitHead& unit, const WaypointForm& form) {
    if (!form.marker) return;
    PushBefehl(unit, kOpFollow, static_cast<std::int32_t>(form.markerA),
               static_cast<std::int32_t>(form.markerB), static_cast<std::int32_t>(form.markerC), 0,
               0, 0, -1);
}

void PushWaypoint(UnitHead& unit, const WaypointForm& form, float a, float b, float c, float d,
                  std::uint8_t flags, std::int8_t extra) {
    if (form.opcode == kOpRouteLeg)
        PushBefehl54(unit, kOpRouteLeg, a, b, c, d, form.e, flags, extra, form.finalX, form.finalY);
    else
        PushMoveBefehl(unit, form.opcode, a, b, c, d, form.e, flags, extra);
}

void PushPlace(UnitHead& unit, const PathNode& n, std::uint8_t flags) {
    PushTurnBefehl(unit, kOpPlace, n.x, n.y, Dir(n), 0, 0, flags, -1);
}

// Step 7's order for one entry on the way.
void PushWayEntry(UnitHead& unit, const WaypointForm& form, const PathEntry& entry) {
    const PathNode& n = entry.copy;
    const std::uint8_t base = BaseFlags(n);
    const auto extra = static_cast<std::int8_t>(Dir(n));
    switch (n.flags & kOrderFlagsMask) {
        case 0:
            PushMarker(unit, form);
            PushWaypoint(unit, form, n.x, n.y, 0, 0, base | kWaypointShortcut, extra);
            break;
        case kNodeForward:
            PushMoveBefehl(unit, kOpMove, n.x, n.y, 0, 0, Dir(n), base | kWaypointFacing);
            break;
        case kNodeBackward:
            PushMoveBefehl(unit, kOpMoveBackwards, n.x, n.y, 0, 0, Dir(n), base | kWaypointFacing);
            break;
        case kNodeStraightMove:
            PushTurnBefehl(unit, kOpStraight, n.x, n.y, n.turnDir, 0, 0, base | kWaypointShortcut);
            break;
        case kNodeTurn:
            PushTurnBefehl(unit, kOpTurn, n.x, n.y, Dir(n), 0, 0, base | kWaypointShortcut);
            break;
        case kNodeBackOff:
            PushWaypoint(unit, form, n.origX, n.origY, n.x, n.y, base | kWaypointAimed, -1);
            break;
        case kNodeContourCorner: {
            // Aimed at where the contour was heading: the point of the node's second child.
            const PathNode* ahead = entry.node != nullptr ? entry.node->second : nullptr;
            const float ax = ahead != nullptr ? ahead->x : n.x;
            const float ay = ahead != nullptr ? ahead->y : n.y;
            PushMoveBefehl(unit, kOpMove, ax, ay, n.x, n.y, 0, base | kWaypointAimed);
            break;
        }
        case kNodePlaceAtEnd:
            PushPlace(unit, n, base | kWaypointShortcut);
            break;
        case kNodePlace:
            PushMarker(unit, form);
            PushPlace(unit, n, base | kWaypointShortcut);
            break;
        default:
            break;
    }
}

// Whether the copy still is the node as the search left it.
bool Unchanged(const PathEntry& e) {
    return e.node != nullptr && e.copy.x == e.node->x && e.copy.y == e.node->y &&
           e.copy.dir == e.node->dir && e.copy.flags == e.node->flags;
}

const GoalPoint* GoalOf(const UnitHead& unit, const PathNode& n) {
    const PathSearch* search = unit.pathSearch;
    if (search == nullptr || search->tree == nullptr || n.goal >= search->tree->goals.size())
        return nullptr;
    return &search->tree->goals[n.goal];
}

// Cuts the edge a-b from the route's copy of the graph, each way where that end names the
// other. An id that names no node (the sentinel heading a list) names no edge.
void CutRoadEdge(UnitHead& unit, std::uint16_t a, std::uint16_t b) {
    const int ab = FindRoadLink(unit, a, b);
    const int ba = FindRoadLink(unit, b, a);
    if (ab >= 0) SetRoadNodeLink(unit, a, ab, kNoNode);
    if (ba >= 0) SetRoadNodeLink(unit, b, ba, kNoNode);
}

// The edge of the full route list that the stop point lies along, else its first edge.
void CutBlockedEdge(UnitHead& unit, float stopX, float stopY) {
    const RouteWaypoints& a = unit.route->listA;
    const RouteWaypoints& b = unit.route->listB;
    if (a.empty() || b.size() < 2) return;
    if (a.front().node == kNoNode) {
        CutRoadEdge(unit, b[0].node, b[1].node);
        return;
    }
    if (a.size() < 2) return;
    for (std::size_t i = 0; i + 1 < b.size(); ++i) {
        float fx = 0;
        float fy = 0;
        if (FootOnRoadLine(unit, b[i].node, b[i + 1].node, stopX, stopY, fx, fy)) {
            CutRoadEdge(unit, b[i].node, b[i + 1].node);
            return;
        }
    }
    CutRoadEdge(unit, b[0].node, b[1].node);
}

}  // namespace

PathNode CopyPathNode(const PathNode& node) {
    PathNode copy = node;
    copy.met = nullptr;
    return copy;
}

PathEntries CollectPathEntries(PathNode* reached) {
    PathEntries entries;
    for (PathNode* n = reached; n != nullptr; n = n->parent)
        entries.push_back({n, CopyPathNode(*n)});
    std::reverse(entries.begin(), entries.end());
    return entries;
}

void FreePathEntries(PathEntries& entries, std::size_t from) {
    if (from < entries.size())
        entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(from), entries.end());
}

float PathEntryLength(const PathEntries& entries, std::size_t a, std::size_t b) {
    float length = 0;
    for (std::size_t i = a; i < b && i + 1 < entries.size(); ++i)
        length += Distance(entries[i].copy, entries[i + 1].copy);
    return length;
}

void CutPathEntries(PathEntries& entries, std::size_t a, std::size_t b) {
    if (a + 1 >= b || b > entries.size()) return;
    entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(a + 1),
                  entries.begin() + static_cast<std::ptrdiff_t>(b));
}

void CutPathLoops(PathEntries& entries) {
    if (entries.empty()) return;
    // The legs' lengths, summed below in PathEntryLength's order.
    std::vector<float> legs;
    const auto measure = [&] {
        legs.clear();
        for (std::size_t i = 0; i + 1 < entries.size(); ++i)
            legs.push_back(Distance(entries[i].copy, entries[i + 1].copy));
    };
    measure();
    std::size_t e = entries.size() - 1;
    while (e > 0 && !IsMultiGoalStart(entries[e].copy)) {
        std::size_t next = e - 1;
        for (std::size_t f = 0; f + 2 <= e; ++f) {
            if (IsMultiGoalStart(entries[f].copy)) continue;
            const float d = Distance(entries[f].copy, entries[e].copy);
            if (!(d < kLoopDistance)) continue;
            float length = 0;
            for (std::size_t i = f; i < e; ++i) length += legs[i];
            if (!(length > 0)) continue;
            if (d != 0 && !(length / d > kLoopFactor)) continue;
            CutPathEntries(entries, f, e);
            PathNode& end = entries[f + 1].copy;
            // The unit is placed there instead of walking the loop.
            end.flags = static_cast<std::uint16_t>(kNodePlace | (end.flags & 0x1800));
            end.dir &= static_cast<std::uint8_t>(~kNodeCopy);
            end.kind = 0;
            measure();
            next = f;
            break;
        }
        e = next;
    }
}

void CutPathTail(UnitHead& unit, PathEntries& entries) {
    if (entries.size() < 2) return;
    const std::size_t end = entries.size() - 1;
    if (!Unchanged(entries[end])) return;
    const auto plain = [&](std::size_t i) { return (entries[i].copy.flags & kNotPlain) == 0; };
    if (!plain(end - 1)) return;
    std::size_t start = 0;
    while (start < end && IsMultiGoalStart(entries[start].copy)) ++start;
    if (start >= end) return;
    const PathNode& last = entries[end].copy;
    std::size_t chosen = start;
    float nearest = Distance(entries[start].copy, last);
    for (std::size_t i = start + 1; i < end; ++i) {
        if (!plain(i)) continue;
        const float d = Distance(entries[i].copy, last);
        if (d < nearest) {
            nearest = d;
            chosen = i;
        }
    }
    if (!(nearest < kTailDistance)) return;
    // The chosen entry's own distance is the measure; standing on the end cuts at once.
    if (nearest != 0 && !(PathEntryLength(entries, chosen, end) > kTailFactor * nearest)) return;
    FreePathEntries(entries, chosen + 1);
    DropRoute(unit);
}

bool IsContourCornerRepeated(const PathNode* node, float x, float y, std::uint8_t dir) {
    if (node == nullptr) return false;
    for (const PathNode* n = node->parent; n != nullptr && (n->flags & kNodeContourMask) != 0;
         n = n->parent)
        if ((n->flags & kNodeContourCorner) != 0 && n->x == x && n->y == y &&
            Dir(*n) == (dir & kNodeDirMask))
            return true;
    return false;
}

void BuildPathWaypoints(std::uint8_t mode, UnitHead& unit, PathNode* reached) {
    if (reached == nullptr || IsMultiGoalStart(*reached)) return;
    const std::uint8_t result = unit.pathSearch != nullptr ? unit.pathSearch->result : 0;
    PathEntries entries = CollectPathEntries(reached);
    CutPathLoops(entries);
    if ((result & kPathShort) != 0) CutPathTail(unit, entries);

    const Befehl* head = unit.orders;
    const WaypointForm form = FormOf(head);
    const bool rejoinGoals =
        head != nullptr && head->opcode == kOpGoals && (head->flags & kBefehlRouteLeg) != 0;
    if ((unit.moverFlags & kMoverPartialPath) == 0) {
        PopBefehl(unit);
        // The goal move of a rejoining vehicle goes on with its route when one is left.
        if (rejoinGoals) RepushRouteWaypoint(unit);
    }

    // Everything is pushed at the head: the last push runs first.
    std::size_t k = entries.size() - 1;
    const bool plainEnd = mode == kPathToReached && (result & kPathShort) == 0;
    const PathNode& end = entries[k].copy;
    if ((end.flags & kNodePlace) != 0) {
        PushMarker(unit, form);
        PushPlace(unit, end, 0);
    } else if (k > 0) {
        const GoalPoint* goal = GoalOf(unit, end);
        if (goal != nullptr && WantsFacing(goal->facing) &&
            (unit.moverFlags & kMoverPartialPath) == 0 && plainEnd) {
            PushTurnBefehl(unit, kOpTurn, end.x, end.y, goal->facing & 0x0F, 0, 0,
                           (end.flags & kNodeCarried) != 0 ? kWaypointCarried : 0);
            --k;
        }
        const PathNode& to = entries[k].copy;
        PushMarker(unit, form);
        if (plainEnd)
            PushWaypoint(unit, form, to.x, to.y, 0, 0,
                         static_cast<std::uint8_t>(kBefehlFreePath | BaseFlags(to) |
                                                   (form.routeLeg ? kBefehlRouteLeg : 0)),
                         -1);
        else if ((to.flags & kNodeBackOff) != 0)
            PushWaypoint(unit, form, to.origX, to.origY, to.x, to.y,
                         static_cast<std::uint8_t>(BaseFlags(to) | kBefehlUseCD), -1);
        else
            PushWaypoint(unit, form, to.x, to.y, 0, 0, BaseFlags(to), -1);
    }
    if (k == 0) return;
    for (std::size_t i = k - 1; i > 0; --i)
        if ((entries[i].copy.dir & kNodeCopy) == 0) PushWayEntry(unit, form, entries[i]);
    PushMoveBefehl(unit, kOpFollowPath, unit.x, unit.y, 0, 0, 0, kBefehlDone,
                   static_cast<std::int8_t>(unit.direction));
}

std::uint8_t RejoinRoute(UnitHead& unit, const UnitTypHead& type, float stopX, float stopY,
                         float backX, float backY, float nodeX, float nodeY) {
    Route* route = unit.route;
    if (route == nullptr || route->listA.empty()) return 0;
    if (route->listA.front().node == kNoNode && route->order) {
        const RouteWaypoints& b = route->listB;
        if (b.size() >= 2) CutRoadEdge(unit, b[0].node, b[1].node);
        ClearRouteLists(*route);
        DropMoveBefehle(unit);
        RestoreRouteOrder(unit, true);
        return 1;
    }
    CutBlockedEdge(unit, stopX, stopY);
    GoalList goals;
    const std::uint8_t count = RejoinRouteWalk(unit, type, stopX, stopY, goals);
    DropMoveBefehle(unit);
    if (count > 0) {
        RestoreRouteOrder(unit, false);
        PushBefehl(unit, kOpGoals, std::move(goals), 0, 0, 0, kRejoinGoalsFlags, -1);
    } else {
        RestoreRouteOrder(unit, true);
        if (unit.route != nullptr) ClearRouteLists(*unit.route);
    }
    if (backX != unit.x || backY != unit.y)
        PushMoveBefehl(unit, kOpMove, nodeX, nodeY, backX, backY, 0, kRejoinBackFlags, -1);
    return 1;
}

}  // namespace kv
