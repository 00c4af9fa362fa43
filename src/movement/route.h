#pragma once
// A vehicle's road route: the record it plans in, its reading of the level's road graph through
// private copies, and its life from the start of a search to the last waypoint. The search is in
// movement/route_search.h, the placing of the waypoints on their lanes in
// movement/route_laying.h, and what the drive step and the free path search ask of a laid route
// in movement/route_driving.h.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/record_fields.h"
#include "core/unit_head.h"
#include "world/geometry.h"
#include "world/level_map.h"

namespace kv {

// One entry of the search's open list.
struct OpenEntry {
    std::uint16_t node = 0;
    std::int16_t from = -1;  // -1 for the start
    float cost = 0;
};
template <class V>
constexpr void VisitFields(OpenEntry& r, V& v) {
    v("node", r.node);
    v("from", r.from);
    v("cost", r.cost);
    v.pad("next", 4);  // the list's order is the heap's
}

// One point of a waypoint list.
struct RouteWaypoint {
    std::uint16_t node = kNoNode;  // kNoNode for the sentinel at the head of a laid route
    float x = 0;
    float y = 0;
    std::uint8_t flag = 0;  // 1 on the last one when it lies within 13 px of the target
    bool operator==(const RouteWaypoint&) const = default;
};
template <class V>
constexpr void VisitFields(RouteWaypoint& r, V& v) {
    v("node", r.node);
    v("x", r.x);
    v("y", r.y);
    v.pad("next", 4);  // the list's order is the vector's
    v("flag", r.flag);
}
using RouteWaypoints = std::vector<RouteWaypoint>;

// A road edge near the unit where the route may start.
struct RouteStartCandidate {
    std::uint16_t a = 0;
    std::uint16_t b = 0;
    float footX = 0;  // the edge's point nearest the unit
    float footY = 0;
    float distance = 0;
    std::uint8_t reachable = 0;  // 1 when the straight way from the unit to the foot is free
};
template <class V>
constexpr void VisitFields(RouteStartCandidate& r, V& v) {
    v("a", r.a);
    v("b", r.b);
    v("footX", r.footX);
    v("footY", r.footY);
    v("distance", r.distance);
    v("reachable", r.reachable);
}

// The move order the route was planned for.
inline constexpr std::uint8_t kRouteOrderRemoved = 1;  // ends at the target; the order was popped
struct RouteOrderCopy {
    std::uint16_t opcode = 0;
    std::uint8_t flags = 0;
    std::uint32_t a = 0;  // the target, as the order's raw words
    std::uint32_t b = 0;
};
template <class V>
constexpr void VisitFields(RouteOrderCopy& r, V& v) {
    v("opcode", r.opcode);
    v("flags", r.flags);
    v("a", r.a);
    v("b", r.b);
}

// A node's predecessor on the cheapest way found and the nodes reached through it.
struct RouteLink {
    std::uint16_t predecessor = kNoNode;
    std::array<std::uint16_t, kDirections> child{};
};

// The search's open list: entries by ascending cost, the newest first among equal costs, at most
// one per node. A heap with a serial number keeps that order; a dearer entry replaced by a
// cheaper one stays in the heap and is passed over when it comes up.
class RouteOpenList {
  public:
    bool empty() const { return live_ == 0; }
    // Nothing changes when the node already waits at this cost or less. Nodes at or past
    // nodeCount are ignored.
    void insert(std::uint16_t node, std::int16_t from, float cost, std::size_t nodeCount);
    // The cheapest entry; the list must not be empty.
    OpenEntry takeFirst();
    void clear();

  private:
    struct Keyed {
        OpenEntry entry;
        std::uint32_t serial;
    };
    static bool later(const Keyed& l, const Keyed& r);
    std::vector<Keyed> heap_;
    std::vector<std::uint32_t> serialOf_;  // per node the serial of its waiting entry, 0 none
    std::vector<float> costOf_;
    std::uint32_t nextSerial_ = 1;
    std::size_t live_ = 0;
};

// A unit's road route. The save game copies it by byte ranges.
struct Route {
    RouteOpenList openList;
    std::uint16_t copyCount = 0;
    // copyRoom entries each; the first copyCount are the changed nodes and their ids.
    std::vector<std::uint16_t> copyIds;
    std::vector<RoadNode> copies;
    std::uint16_t copyRoom = 0;
    std::uint16_t startId = 0;
    std::uint16_t targetId = 0;
    RoadNode tempStart{};
    RoadNode tempTarget{};
    std::vector<RouteLink> links;  // RoadNodeCapacity entries while the search runs
    std::vector<float> bestCost;
    RouteWaypoints listA;  // the route to drive, thinned
    RouteWaypoints listB;  // the full route
    std::uint8_t restarts = 0;
    std::unique_ptr<RouteOrderCopy> order;
    // candidateRoom entries; the first candidatesLeft are still to be tried.
    std::vector<RouteStartCandidate> candidates;
    std::int16_t candidatesLeft = 0;
    std::int16_t candidateRoom = 0;
};
// Empties the waypoint lists: nothing is left to drive.
inline void ClearRouteLists(Route& route) {
    route.listA = {};
    route.listB = {};
}
template <class V>
constexpr void VisitFields(Route& r, V& v) {
    v.pointer("openList", r.openList);
    v("copyCount", r.copyCount);
    v.pointer("copyIds", r.copyIds);
    v.pointer("copies", r.copies);
    v("copyRoom", r.copyRoom);
    v("startId", r.startId);
    v("targetId", r.targetId);
    v("tempStart", r.tempStart);
    v("tempTarget", r.tempTarget);
    v.pointer("links", r.links);
    v.pointer("bestCost", r.bestCost);
    v.pointer("listA", r.listA);
    v.pointer("listB", r.listB);
    v("restarts", r.restarts);
    v.pointer("order", r.order);
    v.pointer("candidates", r.candidates);
    v("candidatesLeft", r.candidatesLeft);
    v("candidateRoom", r.candidateRoom);
}

// Road node ids: the level's nodes are 0 .. RoadNodeCount - 1; a route's temporary start and
// target take the next two.
std::uint16_t TempStartId();
std::uint16_t TempTargetId();
bool IsTempNodeId(std::uint16_t id);

// The node as the unit sees it: its private copy, else its route's temporary node, else the
// level's node. Null for an id that names none (kNoNode, past the level's nodes, a temporary id
// without a route).
const RoadNode* ReadRoadNode(const UnitHead& unit, std::uint16_t id);
// The slot of b among a's neighbours, or -1.
int FindRoadLink(const UnitHead& unit, std::uint16_t a, std::uint16_t b);
// Writes one neighbour slot into the unit's private copy of the node; the level's graph never
// changes. Needs a route; an id that names no node or a slot past 11 changes nothing.
void SetRoadNodeLink(UnitHead& unit, std::uint16_t id, int slot, std::uint16_t value);
// Cuts the edge when each end names the other.
void UnlinkRoadNodes(UnitHead& unit, std::uint16_t a, std::uint16_t b);
// Splices the temporary node id into the edge a-b at (x, y) and returns id; at one of the ends
// the temporary node copies it and that end's id comes back. kNoNode when the ends do not name
// each other.
std::uint16_t InsertTempNode(UnitHead& unit, std::uint16_t a, std::uint16_t b, float x, float y,
                             std::uint16_t id);
// Closes the edge the temporary node was spliced into and drops its private copy.
void RemoveTempNode(UnitHead& unit, std::uint16_t id);

// A fresh search for the head order, or a restart of the unit's search from its next start
// candidate; the private copies and the candidates stay over a restart.
void StartRoute(UnitHead& unit);
// Frees the route with everything it holds; null is ignored.
void FreeRoute(Route* route);
void DropRoute(UnitHead& unit);
// Drops the route and marks the head order to be planned freely.
void AbortRoute(UnitHead& unit);

// The target of the order the route was planned for; (0, 0) without an order copy.
PointF RouteTarget(const Route& route);

// The unit's route no longer needs its start candidates.
void FreeRouteCandidates(Route& route);

}  // namespace kv
