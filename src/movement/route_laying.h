#pragma once
// Laying a found road route: each waypoint moves onto the right-hand lane of its roads, the ends
// are cut short where the unit can drive straight, waypoints on one straight road merge, and a
// route that saves no way is refused. Then the first leg goes into the order queue.

#include <cstdint>

#include "core/unit_head.h"
#include "movement/collision.h"
#include "movement/route.h"
#include "movement/unit_type.h"
#include "world/geometry.h"

namespace kv {

// The collision mode of the route's tests: units moving together and onlookers do not block.
inline constexpr std::uint16_t kRouteCollisionMode = kCollideSkipMoving | kCollideNoOnlookers;

// The lane offset and the terrain of the road from other towards node: other's slot in the
// direction class from other to node. 0 when either is no node or the slot holds no link; a lane
// of 255 counts as 0.
int GetRoadEdgeInfo(const UnitHead& unit, std::uint16_t node, std::uint16_t other);
int GetRoadEdgeTerrain(const UnitHead& unit, std::uint16_t node, std::uint16_t other);

// Where a vehicle of the type drives through node, coming from previous and going on to next
// (kNoNode at the ends of the route): on the right of both roads by their lane offsets, where
// the shifted roads meet. A vehicle too wide for a lane keeps to the middle.
PointF PlaceRouteWaypoint(const UnitHead& unit, const UnitTypHead& type, std::uint16_t node,
                          std::uint16_t previous, std::uint16_t next);

// Moves the first waypoint along the first road as far as the unit can drive straight to it.
// False when nothing of the route would be left.
bool TrimRouteStart(UnitHead& unit, const UnitTypHead& type);
// Moves the last waypoint back along the last road as far as the target can be reached
// straight from it. False when nothing of the route would be left.
bool TrimRouteEnd(UnitHead& unit, const UnitTypHead& type);
// Drops the waypoints of list A that lie on one straight road with the same lane and terrain.
void MergeStraightWaypoints(UnitHead& unit);
// Whether the route runs at least 200 px on the road and the ways onto and off it together are
// no longer than the straight way to the target.
bool RouteWorthIt(const UnitHead& unit);

// The last step of planning: places, trims, merges and checks the found route and puts its first
// leg at the head of the queue. 1 when laid; 0 after AbortRoute.
std::uint8_t LayRoute(UnitHead& unit, const UnitTypHead& type);

// Pushes the move to a waypoint as the head order, in the form of the order the route was
// planned for (0, or 54 with the final target). False for other orders or without a route.
bool PushRouteWaypointBefehl(UnitHead& unit, const RouteWaypoint& waypoint);

}  // namespace kv
