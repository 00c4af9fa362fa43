#include "movement/route_search.h"

#include <algorithm>

#include "movement/befehl.h"
#include "movement/collision.h"
#include "movement/route_laying.h"
#include "movement/stepping.h"
#include "world/geometry.h"
#include "world/terrain.h"

namespace kv {

namespace {

// The candidate array grows by this many entries at a time.
constexpr std::int16_t kCandidateRoomStep = 5;
// Expansions per slice: the slice ends after the 41st.
constexpr int kExpansionsPerSlice = 41;
// The cost of an edge the unit cannot drive on: used only when nothing else connects.
constexpr float kImpassableEdgeCost = 1000000.0f;

std::size_t NodeCapacity() {
    return static_cast<std::size_t>(std::max<std::int16_t>(RoadNodeCapacity, 0));
}

// Every edge once, from its lower id (signed 16-bit, as the ids are stored in the open list).
template <class F>
void ForEachRoadEdge(const UnitHead& unit, F&& visit) {
    const std::size_t capacity = NodeCapacity();
    for (std::size_t i = 0; i < capacity; ++i) {
        const auto id = static_cast<std::uint16_t>(i);
        const RoadNode* a = ReadRoadNode(unit, id);
        if (a == nullptr) continue;
        for (const std::uint16_t j : a->neighbour) {
            if (static_cast<std::int16_t>(id) >= static_cast<std::int16_t>(j)) continue;
            const RoadNode* b = ReadRoadNode(unit, j);
            if (b != nullptr) visit(id, *a, j, *b);
        }
    }
}

void AddCandidate(Route& route, const RouteStartCandidate& c) {
    if (route.candidatesLeft == route.candidateRoom) {
        route.candidateRoom = static_cast<std::int16_t>(route.candidateRoom + kCandidateRoomStep);
        route.candidates.resize(static_cast<std::size_t>(route.candidateRoom));
    }
    route.candidates[static_cast<std::size_t>(route.candidatesLeft++)] = c;
}

void GatherStartCandidates(UnitHead& unit, const UnitTypHead& type) {
    Route& route = *unit.route;
    const float reach = unit.type == 12 ? 500.0f : 400.0f;
    ForEachRoadEdge(
        unit, [&](std::uint16_t i, const RoadNode& a, std::uint16_t j, const RoadNode& b) {
            PointF foot;
            const float distance = FootOfPerpendicular(a.x, a.y, b.x, b.y, unit.x, unit.y, foot);
            if (!(distance < reach)) return;
            RouteStartCandidate c{i, j, foot.x, foot.y, distance, 0};
            LineRun run;
            const std::uint8_t d = GetDirection12(unit, unit.x, unit.y, foot.x, foot.y);
            c.reachable = TestDirectPath(unit.x, unit.y, d, unit, type, foot.x, foot.y, run) != 0;
            AddCandidate(route, c);
        });
    const auto used = route.candidates.begin() + route.candidatesLeft;
    std::stable_sort(route.candidates.begin(), used,
                     [](const RouteStartCandidate& l, const RouteStartCandidate& r) {
                         if (l.reachable != r.reachable) return l.reachable > r.reachable;
                         return l.distance < r.distance;
                     });
}

RouteStartCandidate TakeFirstCandidate(Route& route) {
    const RouteStartCandidate first = route.candidates.front();
    route.candidates.erase(route.candidates.begin());
    route.candidates.emplace_back();
    if (--route.candidatesLeft == 0) FreeRouteCandidates(route);
    return first;
}

// Splices both ends of the route into the graph and opens the search at the start.
bool AttachRoute(UnitHead& unit, const UnitTypHead& type) {
    RouteStartCandidate start;
    if (!FindStartEdge(unit, type, start)) return false;
    const std::uint16_t startId =
        InsertTempNode(unit, start.a, start.b, start.footX, start.footY, TempStartId());
    if (startId == kNoNode) return false;
    Route& route = *unit.route;
    route.startId = startId;
    RoadEdgePoint target;
    const PointF goal = RouteTarget(route);
    if (!FindNearestRoadEdge(unit, goal.x, goal.y, target)) return false;
    const std::uint16_t targetId =
        InsertTempNode(unit, target.a, target.b, target.x, target.y, TempTargetId());
    if (targetId == kNoNode) return false;
    route.targetId = targetId;
    InsertOpenEntry(route, startId, kNoNode, 0.0f);
    return true;
}

// The node the predecessors lead back to from id; bounded, so a damaged table cannot loop.
std::uint16_t FirstOnTheWayTo(const Route& route, std::uint16_t id) {
    for (std::size_t steps = 0; steps < route.links.size(); ++steps) {
        const std::uint16_t predecessor = route.links[id].predecessor;
        if (predecessor == kNoNode) break;
        id = predecessor;
    }
    return id;
}

}  // namespace

std::uint8_t PlanRoute(UnitHead& unit, const UnitTypHead& type) {
    if (RoadNodeCapacity <= 0 || unit.orders == nullptr) return 0;
    const Route* route = unit.route;
    std::uint8_t result = 0;
    if ((unit.moverFlags & kMoverRoutePlanning) == 0 || route == nullptr ||
        (route->listA.empty() && route->links.empty())) {
        unit.moverFlags |= kMoverRoutePlanning;
        StartRoute(unit);
        if (!AttachRoute(unit, type)) {
            AbortRoute(unit);
            return 0;
        }
        result = SearchRoute(unit, type);
    } else if (!route->links.empty()) {
        result = SearchRoute(unit, type);
    } else {
        return LayRoute(unit, type);
    }
    if (result != 0) return 1;
    if (unit.route->candidatesLeft > 0) {
        // The next call starts over from the next candidate.
        unit.orders->flags &= static_cast<std::uint8_t>(~kBefehlStarted);
        return 1;
    }
    AbortRoute(unit);
    return 0;
}

bool FindStartEdge(UnitHead& unit, const UnitTypHead& type, RouteStartCandidate& out) {
    Route& route = *unit.route;
    if (route.candidatesLeft == 0) GatherStartCandidates(unit, type);
    while (route.candidatesLeft > 0) {
        const RouteStartCandidate c = TakeFirstCandidate(route);
        if (FindRoadLink(unit, c.a, c.b) >= 0 && FindRoadLink(unit, c.b, c.a) >= 0) {
            out = c;
            return true;
        }
    }
    return false;
}

bool FindNearestRoadEdge(const UnitHead& unit, float x, float y, RoadEdgePoint& out) {
    bool found = false;
    ForEachRoadEdge(unit, [&](std::uint16_t i, const RoadNode& a, std::uint16_t j,
                              const RoadNode& b) {
        // Kept on purpose: the target skips one-way edges, which have no slot at one end to
        // splice it into.
        if (FindRoadLink(unit, j, i) < 0) return;
        PointF foot;
        const float distance = FootOfPerpendicular(a.x, a.y, b.x, b.y, x, y, foot);
        if (found && distance > out.distance) return;
        if (found && distance == out.distance) {
            // A tie moves on only from a shared end point.
            const bool atA = out.x == static_cast<float>(a.x) && out.y == static_cast<float>(a.y);
            const bool atB = out.x == static_cast<float>(b.x) && out.y == static_cast<float>(b.y);
            if (!atA && !atB) return;
        }
        out = {i, j, foot.x, foot.y, distance};
        found = true;
    });
    return found;
}

std::uint8_t SearchRoute(UnitHead& unit, const UnitTypHead& type) {
    Route* route = unit.route;
    if (route == nullptr || route->links.empty()) return 0;
    const std::size_t capacity = route->links.size();
    int expanded = 0;
    while (!route->openList.empty()) {
        const OpenEntry e = route->openList.takeFirst();
        float& best = route->bestCost[e.node];
        if (best <= e.cost) continue;
        best = e.cost;
        LinkRouteNode(*route, static_cast<std::uint16_t>(e.from), e.node);
        if (const RoadNode* n = ReadRoadNode(unit, e.node)) {
            for (int k = 0; k < kDirections; ++k) {
                const auto ks = static_cast<std::size_t>(k);
                const std::uint16_t m = n->neighbour[ks];
                const RoadNode* far = ReadRoadNode(unit, m);
                if (far == nullptr) continue;
                const std::int8_t p = TerrainSpeed(n->edgeTerrain[ks], type.terrainColumn);
                const float length = DistanceFloat(n->x, n->y, far->x, far->y);
                const float cost =
                    p > 0 ? length * (100.0f / static_cast<float>(p)) : kImpassableEdgeCost;
                InsertOpenEntry(*route, m, e.node, e.cost + cost);
            }
        }
        if (++expanded == kExpansionsPerSlice) return 2;
    }
    const bool complete =
        route->targetId < capacity && FirstOnTheWayTo(*route, route->targetId) == route->startId;
    if (complete) BuildRouteWaypoints(unit);
    route->links = {};
    return complete ? 1 : 0;
}

void InsertOpenEntry(Route& route, std::uint16_t node, std::uint16_t from, float cost) {
    route.openList.insert(node, static_cast<std::int16_t>(from), cost, route.links.size());
}

void LinkRouteNode(Route& route, std::uint16_t from, std::uint16_t node) {
    if (node >= route.links.size()) return;
    if (from != kNoNode) {
        if (from >= route.links.size()) return;
        auto& children = route.links[from].child;
        const auto free = std::find(children.begin(), children.end(), kNoNode);
        // With all twelve taken nothing at all is recorded for the node.
        if (free == children.end()) return;
        *free = node;
    }
    RouteLink& link = route.links[node];
    link.child.fill(kNoNode);
    link.predecessor = from;
}

void BuildRouteWaypoints(UnitHead& unit) {
    Route& route = *unit.route;
    RouteWaypoints path;
    std::uint16_t id = route.targetId;
    for (std::size_t steps = 0; id < route.links.size() && steps < route.links.size(); ++steps) {
        const RoadNode* node = ReadRoadNode(unit, id);
        if (node == nullptr) break;
        path.push_back({id, static_cast<float>(node->x), static_cast<float>(node->y), 0});
        id = route.links[id].predecessor;
    }
    std::reverse(path.begin(), path.end());
    route.listA = path;
    route.listB = std::move(path);
}

}  // namespace kv
