#include "movement/route_driving.h"

#include <algorithm>

#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/collision.h"
#include "movement/route_laying.h"
#include "movement/stepping.h"
#include "world/geometry.h"

namespace kv {

namespace {

// Whether the unit at (x, y), travelling in direction d, has passed the point w.
bool HasPassed(std::uint8_t d, float x, float y, const RouteWaypoint& w) {
    switch (d) {
        case 0:
            return y < w.y;
        case 1:
        case 2:
            return x > w.x && y < w.y;
        case 3:
            return x > w.x;
        case 4:
        case 5:
            return x > w.x && y > w.y;
        case 6:
            return y > w.y;
        case 7:
        case 8:
            return x < w.x && y > w.y;
        case 9:
            return x < w.x;
        default:
            return x < w.x && y < w.y;
    }
}

bool Between(float v, float a, float b) {
    return v >= std::min(a, b) && v <= std::max(a, b);
}

GoalPoint Goal(float x, float y, std::uint8_t facing) {
    return {x, y, facing, 0};
}

}  // namespace

std::uint8_t NextRouteWaypoint(UnitHead& unit) {
    Route* route = unit.route;
    if (route == nullptr) return 0;
    FreeRouteCandidates(*route);
    RouteWaypoints& a = route->listA;
    if (!a.empty()) a.erase(a.begin());
    SyncRouteLists(unit);
    if (a.size() >= 2 && PushRouteWaypointBefehl(unit, a[1])) return 1;
    DropRoute(unit);
    return 0;
}

std::uint8_t RepushRouteWaypoint(UnitHead& unit) {
    const Route* route = unit.route;
    if (route == nullptr || route->listA.size() < 2) return 0;
    return PushRouteWaypointBefehl(unit, route->listA[1]) ? 1 : 0;
}

void RestoreRouteOrder(UnitHead& unit, bool forced) {
    const Route* route = unit.route;
    if (route == nullptr || !route->order) return;
    if (!forced && (route->order->flags & kRouteOrderRemoved) != 0) return;
    const PointF target = RouteTarget(*route);
    switch (route->order->opcode) {
        case kOpMove:
            PushMoveBefehl(unit, kOpMove, target.x, target.y, 0, 0, 0, 0);
            break;
        case kOpRouteLeg:
            PushBefehl54(unit, kOpRouteLeg, target.x, target.y, 0, 0, 0, 0, -1, target.x, target.y);
            break;
        default:
            break;
    }
}

std::uint8_t AdvanceRouteListB(UnitHead& unit) {
    Route* route = unit.route;
    if (route == nullptr || route->listB.empty()) return 0;
    RouteWaypoints& a = route->listA;
    RouteWaypoints& b = route->listB;
    if (a.size() < 2 || a.front().node == kNoNode) return 1;
    const RouteWaypoint& next = a[1];
    const std::uint8_t d = GetDirection12(unit, unit.x, unit.y, next.x, next.y);
    if (unit.direction != static_cast<std::int8_t>(d)) return 1;
    std::size_t head = 0;
    while (head + 1 < b.size()) {
        const RouteWaypoint& w = b[head + 1];
        if (w.x == next.x && w.y == next.y && w.node == next.node) break;
        if (!HasPassed(d, unit.x, unit.y, w)) break;
        ++head;
    }
    b.erase(b.begin(), b.begin() + static_cast<std::ptrdiff_t>(head));
    a.front() = b.front();
    return 1;
}

void SyncRouteLists(UnitHead& unit) {
    Route* route = unit.route;
    if (route == nullptr) return;
    RouteWaypoints& b = route->listB;
    if (route->listA.empty()) {
        b = {};
        return;
    }
    const std::uint16_t node = route->listA.front().node;
    const auto at =
        std::find_if(b.begin(), b.end(), [node](const RouteWaypoint& w) { return w.node == node; });
    if (at == b.end())
        b = {};
    else
        b.erase(b.begin(), at);
}

bool IsOnRoadLine(const UnitHead& unit, std::uint16_t a, std::uint16_t b) {
    const RoadNode* from = ReadRoadNode(unit, a);
    const RoadNode* to = ReadRoadNode(unit, b);
    if (from == nullptr || to == nullptr) return false;
    const auto slot =
        static_cast<std::size_t>(ClassifyDirection(from->x, from->y, to->x, to->y, 0));
    // Bounded: a ring of nodes along one direction must not hold the walk.
    const auto steps = static_cast<std::size_t>(std::max<std::int16_t>(RoadNodeCapacity, 0));
    const RoadNode* at = from;
    for (std::size_t i = 0; i < steps; ++i) {
        const std::uint16_t id = at->neighbour[slot];
        if (id == b) return true;
        at = ReadRoadNode(unit, id);
        if (at == nullptr) return false;
    }
    return false;
}

bool FootOnRoadLine(const UnitHead& unit, std::uint16_t a, std::uint16_t b, float x, float y,
                    float& fx, float& fy) {
    const RoadNode* na = ReadRoadNode(unit, a);
    const RoadNode* nb = ReadRoadNode(unit, b);
    if (na == nullptr || nb == nullptr) return false;
    const float ax = na->x;
    const float ay = na->y;
    const std::uint8_t c = ClassifyDirection(ax, ay, nb->x, nb->y, 0);
    if (c == 0 || c == 6) {
        fx = ax;
        fy = y;
    } else if (c == 3 || c == 9) {
        fx = x;
        fy = ay;
    } else {
        // The slopes of the diagonal step directions.
        float m = 0;
        switch (c) {
            case 1:
            case 7:
                m = -1.75f;
                break;
            case 2:
            case 8:
                m = -4.0f / 7.0f;
                break;
            case 4:
            case 10:
                m = 4.0f / 7.0f;
                break;
            default:
                m = 1.75f;
                break;
        }
        const float t = ((x - ax) + m * (y - ay)) / (1.0f + m * m);
        fx = ax + t;
        fy = ay + m * t;
    }
    return Between(fx, ax, nb->x) && Between(fy, ay, nb->y);
}

bool JoinRoadLine(const UnitHead& unit, float x, float y, std::uint16_t a, std::uint16_t b,
                  float& fx, float& fy) {
    return IsOnRoadLine(unit, a, b) && FootOnRoadLine(unit, a, b, x, y, fx, fy);
}

std::uint8_t WalkToWaypoint(UnitHead& unit, const UnitTypHead& type, float x, float y,
                            const RouteWaypoint& waypoint, const RouteWaypoint* next,
                            GoalList& goals) {
    goals.clear();
    const int lookAhead = type.shortcutBackSteps;
    int budget = lookAhead;
    const auto anim = static_cast<std::uint8_t>(unit.anim);
    PointF p{x, y};
    PointF lastFree = p;
    bool stopped = false;
    while (p.x != waypoint.x || p.y != waypoint.y) {
        const std::uint8_t d = GetDirection12(unit, p.x, p.y, waypoint.x, waypoint.y);
        const PointF before = p;
        // A step that moves nothing would keep a free point free for ever.
        if (StepMover(unit, type, p.x, p.y, static_cast<std::int8_t>(d), anim, waypoint.x,
                      waypoint.y, 1) == 0 ||
            (p.x == before.x && p.y == before.y)) {
            stopped = true;
            break;
        }
        if (p.x == waypoint.x && p.y == waypoint.y) break;
        if (TestCollision(kRouteCollisionMode, unit, type, p.x, p.y, d, unit.storey, anim,
                          nullptr) == 0) {
            budget = lookAhead;
            lastFree = p;
        } else if (--budget <= 0) {
            stopped = true;
            break;
        }
    }
    if (stopped) {
        const std::uint8_t onward =
            next != nullptr ? ClassifyDirectionWide(waypoint.x, waypoint.y, next->x, next->y)
                            : kGoalNoFacing;
        // Kept on purpose: the rejoining starts from the last free point, not from the blocked
        // one the walk stopped on, which the unit could never stand on.
        goals.push_back(
            Goal(lastFree.x, lastFree.y,
                 ClassifyDirectionWide(lastFree.x, lastFree.y, waypoint.x, waypoint.y)));
        goals.push_back(Goal(waypoint.x, waypoint.y, onward));
        return 2;
    }
    if (next != nullptr) return 0;
    goals.push_back(Goal(waypoint.x, waypoint.y, kGoalNoFacing));
    if (unit.route != nullptr && unit.route->order) {
        const PointF target = RouteTarget(*unit.route);
        goals.push_back(Goal(target.x, target.y, kGoalNoFacing));
    }
    return static_cast<std::uint8_t>(goals.size());
}

std::uint8_t RejoinRouteWalk(UnitHead& unit, const UnitTypHead& type, float x, float y,
                             GoalList& goals) {
    goals.clear();
    Route* route = unit.route;
    if (route == nullptr) return 0;
    PointF from{x, y};
    for (;;) {
        RouteWaypoints& a = route->listA;
        if (a.size() < 2) {
            ClearRouteLists(*route);
            return 0;
        }
        const RouteWaypoint waypoint = a[1];
        const RouteWaypoint* next = a.size() > 2 ? &a[2] : nullptr;
        const std::uint8_t count =
            WalkToWaypoint(unit, type, from.x, from.y, waypoint, next, goals);
        if (count > 0) return count;
        a.erase(a.begin());
        SyncRouteLists(unit);
        from = {waypoint.x, waypoint.y};
    }
}

}  // namespace kv
