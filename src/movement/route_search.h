#pragma once
// Planning a vehicle's road route: the unit and its target are attached to the nearest road
// edges, a uniform-cost search runs over the unit's view of the road graph in slices of 41
// expansions, and the finished route is laid into the order queue (movement/route_laying.h).

#include <cstdint>

#include "core/unit_head.h"
#include "movement/route.h"
#include "movement/unit_type.h"

namespace kv {

// A point on a road edge.
struct RoadEdgePoint {
    std::uint16_t a = kNoNode;
    std::uint16_t b = kNoNode;
    float x = 0;
    float y = 0;
    float distance = 0;
};

// Plans a road route for the head move order, one step a call: 1 while the search runs and once
// the route is laid, 0 when it failed (the head order is then to be planned freely). Does
// nothing without a road graph.
std::uint8_t PlanRoute(UnitHead& unit, const UnitTypHead& type);

// The next acceptable start edge near the unit: the candidates (edges under 400 px, 500 for
// vehicle type 12; the ones the unit can drive straight to first, then the nearer) are gathered
// once and tried in turn. False when none is left.
bool FindStartEdge(UnitHead& unit, const UnitTypHead& type, RouteStartCandidate& out);
// The road edge nearest a point, among edges whose ends name each other. False when there is
// none.
bool FindNearestRoadEdge(const UnitHead& unit, float x, float y, RoadEdgePoint& out);

// One slice of the search: 2 when it goes on next call, 1 when the route is found (the
// waypoint lists are built), 0 when the target cannot be reached.
std::uint8_t SearchRoute(UnitHead& unit, const UnitTypHead& type);
void InsertOpenEntry(Route& route, std::uint16_t node, std::uint16_t from, float cost);
// Records node as reached from `from` (kNoNode for the start).
void LinkRouteNode(Route& route, std::uint16_t from, std::uint16_t node);
// Both waypoint lists from the start to the target along the predecessors.
void BuildRouteWaypoints(UnitHead& unit);

}  // namespace kv
