#include "movement/route_laying.h"

#include <algorithm>
#include <bit>

#include "movement/befehl.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/collision.h"
#include "movement/route_driving.h"
#include "movement/stepping.h"

namespace kv {

namespace {

// The road ends within this distance of the target: the move order is done with the route.
constexpr float kEndsAtTarget = 13.0f;
// Within this distance of the first waypoint the unit is placed on it.
constexpr float kPlaceOnFirstWaypoint = 15.0f;
constexpr float kShortestRoute = 200.0f;

// other's slot in the direction of node, or -1 when it holds no link. The slot is found by
// direction, not by name: waypoints merged along a straight road read the road they lie on.
int BackSlot(const UnitHead& unit, std::uint16_t node, std::uint16_t other) {
    const RoadNode* n = ReadRoadNode(unit, node);
    const RoadNode* o = ReadRoadNode(unit, other);
    if (n == nullptr || o == nullptr) return -1;
    const int slot = ClassifyDirection(o->x, o->y, n->x, n->y, 0);
    return o->neighbour[static_cast<std::size_t>(slot)] != kNoNode ? slot : -1;
}

// How far a vehicle reaches across a road of direction d beyond 10 px from its middle.
int CrossHalf(const UnitTypHead& type, std::uint8_t d) {
    const AnimSlot& slot = UnitAnimSlot(type, d, 1);
    const bool alongY = d == 0 || d == 1 || d == 5 || d == 6 || d == 7 || d == 11;
    const int extent = alongY ? slot.box[2] - slot.box[0] : slot.box[3] - slot.box[1];
    return std::max(extent / 2 - 10, 0);
}

// A road from `from` to `to` moved by its lane offset to the right of its direction of travel.
struct ShiftedEdge {
    PointF from;
    PointF to;
};
ShiftedEdge ShiftEdge(const UnitHead& unit, const UnitTypHead& type, const RoadNode& from,
                      const RoadNode& to, int offset) {
    const float fx = from.x;
    const float fy = from.y;
    const float tx = to.x;
    const float ty = to.y;
    if (CrossHalf(type, GetDirection12(unit, fx, fy, tx, ty)) > offset) offset = 0;
    const auto s = static_cast<float>(offset);
    const float dx = tx - fx;
    const float dy = ty - fy;
    // y grows downwards: the right of +x is +y, the right of +y is -x.
    const float ox = dy < 0 ? s : (dy > 0 ? -s : 0.0f);
    const float oy = dx > 0 ? s : (dx < 0 ? -s : 0.0f);
    return {{fx + ox, fy + oy}, {tx + ox, ty + oy}};
}

// The unit's mover flags are cleared while planning steps along the road.
class PlainMover {
  public:
    explicit PlainMover(UnitHead& unit) : unit_(unit), saved_(unit.moverFlags) {
        unit.moverFlags = 0;
    }
    ~PlainMover() { unit_.moverFlags = saved_; }
    PlainMover(const PlainMover&) = delete;
    PlainMover& operator=(const PlainMover&) = delete;

  private:
    UnitHead& unit_;
    std::uint8_t saved_;
};

// Steps the point once towards the target as the unit would drive.
void StepAlong(UnitHead& unit, const UnitTypHead& type, PointF& p, PointF target) {
    PlainMover plain(unit);
    const std::uint8_t d = GetDirection12(unit, p.x, p.y, target.x, target.y);
    StepMover(unit, type, p.x, p.y, static_cast<std::int8_t>(d),
              static_cast<std::uint8_t>(unit.anim), target.x, target.y, 1);
}

// The point `from` stepped towards `toward` one look-ahead less one times: the last of those
// points (from itself the first) where free holds, or from.
template <class Free>
PointF FurthestFree(UnitHead& unit, const UnitTypHead& type, const RouteWaypoint& from,
                    const RouteWaypoint& toward, Free&& free) {
    PointF p{from.x, from.y};
    PointF q = p;
    for (int i = 1; i < type.shortcutBackSteps; ++i) {
        if (free(p)) q = p;
        StepAlong(unit, type, p, {toward.x, toward.y});
    }
    return q;
}

void MoveTo(RouteWaypoint& w, PointF p) {
    w.x = p.x;
    w.y = p.y;
}

bool SamePoint(PointF p, const RouteWaypoint& w) {
    return p.x == w.x && p.y == w.y;
}

// The head of a laid list: the waypoint last reached, before the first one none.
void PutSentinelFirst(RouteWaypoints& list) {
    list.resize(list.size() + 1);
    std::rotate(list.rbegin(), list.rbegin() + 1, list.rend());
    list.front() = RouteWaypoint{kNoNode, 0, 0, 0};
}

float Distance(const RouteWaypoint& a, const RouteWaypoint& b) {
    return DistanceFloat(a.x, a.y, b.x, b.y);
}

}  // namespace

int GetRoadEdgeInfo(const UnitHead& unit, std::uint16_t node, std::uint16_t other) {
    const int slot = BackSlot(unit, node, other);
    if (slot < 0) return 0;
    const std::uint8_t lane = ReadRoadNode(unit, other)->edgeExtra[static_cast<std::size_t>(slot)];
    return lane == 255 ? 0 : lane;
}

int GetRoadEdgeTerrain(const UnitHead& unit, std::uint16_t node, std::uint16_t other) {
    const int slot = BackSlot(unit, node, other);
    if (slot < 0) return 0;
    return ReadRoadNode(unit, other)->edgeTerrain[static_cast<std::size_t>(slot)];
}

PointF PlaceRouteWaypoint(const UnitHead& unit, const UnitTypHead& type, std::uint16_t node,
                          std::uint16_t previous, std::uint16_t next) {
    const RoadNode* here = ReadRoadNode(unit, node);
    if (here == nullptr) return {};
    const RoadNode* before = ReadRoadNode(unit, previous);
    const RoadNode* after = ReadRoadNode(unit, next);
    const int o1 = GetRoadEdgeInfo(unit, node, previous);
    const int o2 = GetRoadEdgeInfo(unit, node, next);
    const int firstOffset = before != nullptr ? o1 : o2;
    const int secondOffset = after != nullptr ? o2 : firstOffset;
    if (before == nullptr && after == nullptr)
        return {static_cast<float>(here->x), static_cast<float>(here->y)};
    if (before == nullptr) return ShiftEdge(unit, type, *here, *after, secondOffset).from;
    const ShiftedEdge first = ShiftEdge(unit, type, *before, *here, firstOffset);
    if (after == nullptr) return first.to;
    const ShiftedEdge second = ShiftEdge(unit, type, *here, *after, secondOffset);
    PointF meet;
    if (IntersectLines(first.from.x, first.from.y, first.to.x, first.to.y, second.from.x,
                       second.from.y, second.to.x, second.to.y, meet) != 0)
        return first.to;  // parallel
    return meet;
}

bool TrimRouteStart(UnitHead& unit, const UnitTypHead& type) {
    Route& route = *unit.route;
    RouteWaypoints& a = route.listA;
    if (a.size() < 2) return false;
    const RouteWaypoint w1 = a[1];
    const auto facing = static_cast<std::uint8_t>(unit.direction);
    const PointF q = FurthestFree(unit, type, a.front(), w1, [&](PointF p) {
        LineRun run;
        return TestDirectPath(unit.x, unit.y, facing, unit, type, p.x, p.y, run) != 0;
    });
    if (SamePoint(q, a.back())) return false;
    if (SamePoint(q, w1)) {
        // A start on a level node is part of the graph: only a temporary one goes.
        if (IsTempNodeId(route.startId)) RemoveTempNode(unit, route.startId);
        route.startId = w1.node;
        a.erase(a.begin());
        SyncRouteLists(unit);
        return true;
    }
    MoveTo(a.front(), q);
    if (!route.listB.empty()) MoveTo(route.listB.front(), q);
    return true;
}

bool TrimRouteEnd(UnitHead& unit, const UnitTypHead& type) {
    Route& route = *unit.route;
    RouteWaypoints& a = route.listA;
    if (a.size() < 2) return false;
    const RouteWaypoint wp = a[a.size() - 2];
    const PointF target = RouteTarget(route);
    std::uint8_t arriving = 0;
    {
        PlainMover plain(unit);
        arriving = GetDirection12(unit, wp.x, wp.y, a.back().x, a.back().y);
    }
    const PointF q = FurthestFree(unit, type, a.back(), wp, [&](PointF p) {
        LineRun run;
        return TestDirectPath(p.x, p.y, arriving, unit, type, target.x, target.y, run) != 0;
    });
    if (SamePoint(q, a.front())) return false;
    if (SamePoint(q, wp)) {
        if (IsTempNodeId(route.targetId)) RemoveTempNode(unit, route.targetId);
        route.targetId = wp.node;
        a.pop_back();
        return true;
    }
    MoveTo(a.back(), q);
    if (!route.listB.empty()) MoveTo(route.listB.back(), q);
    return true;
}

void MergeStraightWaypoints(UnitHead& unit) {
    RouteWaypoints& a = unit.route->listA;
    std::size_t i = 0;
    while (i + 2 < a.size()) {
        const RouteWaypoint& p = a[i];
        const RouteWaypoint& q = a[i + 1];
        const RouteWaypoint& r = a[i + 2];
        const bool straight =
            ClassifyDirectionWide(p.x, p.y, q.x, q.y) ==
                ClassifyDirectionWide(q.x, q.y, r.x, r.y) &&
            GetRoadEdgeInfo(unit, q.node, p.node) == GetRoadEdgeInfo(unit, q.node, r.node) &&
            GetRoadEdgeTerrain(unit, q.node, p.node) == GetRoadEdgeTerrain(unit, q.node, r.node);
        if (straight)
            a.erase(a.begin() + static_cast<std::ptrdiff_t>(i + 1));  // and again from p
        else
            ++i;
    }
}

bool RouteWorthIt(const UnitHead& unit) {
    const Route& route = *unit.route;
    const RouteWaypoints& a = route.listA;
    if (a.empty()) return false;
    float onRoad = 0;
    for (std::size_t i = 0; i + 1 < a.size(); ++i) onRoad += Distance(a[i], a[i + 1]);
    if (onRoad < kShortestRoute) return false;
    const PointF target = RouteTarget(route);
    float offRoad = DistanceFloat(unit.x, unit.y, a.front().x, a.front().y);
    const Befehl* last = unit.orders;
    while (last != nullptr && last->next != nullptr) last = last->next;
    // A drive that leaves the map at the end has no last leg to its target.
    if (last == nullptr || last->opcode != kOpLeaveMap)
        offRoad += DistanceFloat(a.back().x, a.back().y, target.x, target.y);
    return offRoad <= DistanceFloat(unit.x, unit.y, target.x, target.y);
}

std::uint8_t LayRoute(UnitHead& unit, const UnitTypHead& type) {
    Route& route = *unit.route;
    if (unit.orders != nullptr) unit.orders->flags &= static_cast<std::uint8_t>(~kBefehlStarted);
    RouteWaypoints& a = route.listA;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const std::uint16_t previous = i > 0 ? a[i - 1].node : kNoNode;
        const std::uint16_t next = i + 1 < a.size() ? a[i + 1].node : kNoNode;
        const PointF at = PlaceRouteWaypoint(unit, type, a[i].node, previous, next);
        a[i].x = at.x;
        a[i].y = at.y;
    }
    bool popOrder = false;
    bool trimEnd = false;
    const PointF target = RouteTarget(route);
    if (!a.empty()) {
        if (DistanceFloat(a.back().x, a.back().y, target.x, target.y) < kEndsAtTarget) {
            route.order->flags |= kRouteOrderRemoved;
            a.back().flag = 1;
            popOrder = true;
        } else {
            trimEnd = true;
        }
    }
    // Both lists hold the same nodes: the full route is placed alike.
    route.listB = a;
    if (!TrimRouteStart(unit, type) || (trimEnd && !TrimRouteEnd(unit, type))) {
        AbortRoute(unit);
        return 0;
    }
    MergeStraightWaypoints(unit);
    if (!RouteWorthIt(unit)) {
        AbortRoute(unit);
        return 0;
    }
    if (popOrder) PopBefehl(unit);
    PutSentinelFirst(a);
    PutSentinelFirst(route.listB);
    if (a.size() < 3) {
        AbortRoute(unit);
        return 0;
    }
    const RouteWaypoint first = a[1];
    const RouteWaypoint second = a[2];
    PushRouteWaypointBefehl(unit, first);
    if (DistanceFloat(unit.x, unit.y, first.x, first.y) <= kPlaceOnFirstWaypoint) {
        const std::uint8_t d = GetDirection12(unit, first.x, first.y, second.x, second.y);
        const auto anim = static_cast<std::uint8_t>(unit.anim);
        if (TestCollision(kRouteCollisionMode, unit, type, first.x, first.y, d, unit.storey, anim,
                          nullptr) == 0)
            PushTurnBefehl(unit, kOpPlace, first.x, first.y, d, 0, 0);
    }
    unit.moverFlags &= static_cast<std::uint8_t>(~kMoverRoutePlanning);
    return 1;
}

bool PushRouteWaypointBefehl(UnitHead& unit, const RouteWaypoint& waypoint) {
    const Route* route = unit.route;
    if (route == nullptr || !route->order) return false;
    switch (route->order->opcode) {
        case kOpMove:
            PushMoveBefehl(unit, kOpMove, waypoint.x, waypoint.y, 0, 0, 0, kBefehlRouteLeg);
            return true;
        case kOpRouteLeg: {
            const PointF target = RouteTarget(*route);
            PushBefehl54(unit, kOpRouteLeg, waypoint.x, waypoint.y, 0, 0, 0, kBefehlRouteLeg, -1,
                         target.x, target.y);
            return true;
        }
        default:
            return false;
    }
}

}  // namespace kv
